// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace tavolix {

QStringList installedFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  QStringList folders{program};
  const QString configured = QStringLiteral(TAVOLIX_DATA_DIR);
  if (!folders.contains(QDir::cleanPath(configured))) folders.append(QDir::cleanPath(configured));
  return folders;
}

SoundPlayer::SoundPlayer(const Settings& settings, QObject* parent)
    : QObject(parent), settings_(settings), folders_(installedFolders()) {}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::locate(const QString& arquivo) const {
  for (const QString& folder : folders_) {
    const QFileInfo file(QDir(folder), arquivo);
    if (file.isFile()) return file.absoluteFilePath();
  }
  return {};
}

void SoundPlayer::TocaWav(const QString& arquivo) {
  if (!settings_.TocarSom) return;
  if (playing_ != nullptr && playing_->isPlaying()) playing_->stop();
  playing_ = nullptr;

  QSoundEffect*& effect = effects_[arquivo];
  if (effect == nullptr) {
    const QString path = locate(arquivo);
    if (path.isEmpty()) return;  // no file: no sound
    effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
  }
  effect->play();
  playing_ = effect;
  Q_EMIT started(arquivo);
}

}  // namespace tavolix
