#include "sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace tavolix {

QStringList gameFileFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  return {QDir::currentPath(), program,
          QDir::cleanPath(program + QStringLiteral("/../share/tavolix"))};
}

SoundPlayer::SoundPlayer(const Settings& settings, QObject* parent)
    : QObject(parent), settings_(settings), folders_(gameFileFolders()) {}

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
