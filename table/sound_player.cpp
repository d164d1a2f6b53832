// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include "sound_output.h"

namespace tavolix {

QStringList installedFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  QStringList folders{program};
  const QString configured = QStringLiteral(TAVOLIX_DATA_DIR);
  if (!folders.contains(QDir::cleanPath(configured))) folders.append(QDir::cleanPath(configured));
  return folders;
}

SoundPlayer::SoundPlayer(const Settings& settings, QObject* parent)
    : QObject(parent),
      settings_(settings),
      folders_(installedFolders()),
      moduleFolders_(moduleFolders()) {}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::locate(const QString& arquivo) const {
  for (const QString& folder : folders_) {
    const QFileInfo file(QDir(folder), arquivo);
    if (file.isFile()) return file.absoluteFilePath();
  }
  return {};
}

SoundOutput* SoundPlayer::output() {
  if (loader_ != nullptr) return output_;
  loader_ = new QPluginLoader(this);
  QString why;
  QObject* loaded = loadModule(*loader_, QStringLiteral("tavolix-sound"), moduleFolders_, why);
  if (auto* module = qobject_cast<SoundModule*>(loaded)) {
    // Owned here: the sounds go with the player, not when the module is
    // unloaded as the program ends, after Qt has gone.
    output_ = module->newOutput(this);
    if (output_ != nullptr) return output_;
    why = QStringLiteral("made no sound output");
  } else if (loaded != nullptr) {
    why = QStringLiteral("is not the game's sound module");
  }
  qWarning("Tavolix: no sound: the sound module tavolix-sound %s", qUtf8Printable(why));
  return nullptr;
}

void SoundPlayer::TocaWav(const QString& arquivo) {
  if (!settings_.TocarSom) return;
  const QString path = locate(arquivo);
  if (path.isEmpty()) return;  // no file: no sound
  if (SoundOutput* out = output()) out->play(path);
  Q_EMIT started(arquivo);
}

}  // namespace tavolix
