// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include "game/settings.h"

class QSoundEffect;

namespace tavolix {

// The game's sounds: short WAV files played by their bare names without
// waiting, a new one cutting off the one still playing, nothing at all while
// sound is off. A missing file or no audio device stays silent.
class SoundPlayer : public QObject {
  Q_OBJECT

 public:
  explicit SoundPlayer(const Settings& settings, QObject* parent = nullptr);
  ~SoundPlayer() override;

  // Plays a sound file such as "clic3.wav".
  void TocaWav(const QString& arquivo);

  // Where a sound is looked for: beside the program (in the build folder) and
  // in the data folder it is installed with; never the current folder, where a
  // stray file of the same name would take a sound's place.
  QString locate(const QString& arquivo) const;
  void setSearchFolders(const QStringList& folders) { folders_ = folders; }

 Q_SIGNALS:
  // A sound was started (the audio device may still have nothing to play it on).
  void started(const QString& arquivo);

 private:
  const Settings& settings_;
  QStringList folders_;
  QHash<QString, QSoundEffect*> effects_;
  QSoundEffect* playing_ = nullptr;
};

// Where the game's own files are: beside the program, where the build stages
// them, and in the data folder the build was configured to install them in.
QStringList installedFolders();

}  // namespace tavolix
