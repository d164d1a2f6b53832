// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The sound module: the game's sounds played with Qt Multimedia, each file
// loaded once and kept.
#include <QHash>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

#include "sound_output.h"

namespace tavolix {
namespace {

class MultimediaSoundOutput : public QObject, public SoundOutput {
 public:
  using QObject::QObject;

  void play(const QString& path) override {
    if (playing_ != nullptr && playing_->isPlaying()) playing_->stop();
    QSoundEffect*& effect = effects_[path];
    if (effect == nullptr) {
      effect = new QSoundEffect(this);
      effect->setSource(QUrl::fromLocalFile(path));
    }
    effect->play();
    playing_ = effect;
  }

 private:
  QHash<QString, QSoundEffect*> effects_;
  QSoundEffect* playing_ = nullptr;
};

class MultimediaSoundModule : public QObject, public SoundModule {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID TAVOLIX_SOUND_MODULE_IID)
  Q_INTERFACES(tavolix::SoundModule)

 public:
  SoundOutput* newOutput(QObject* owner) override { return new MultimediaSoundOutput(owner); }
};

}  // namespace
}  // namespace tavolix

#include "sound_module.moc"
