// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "game/settings.h"
#include "modules.h"

class QPluginLoader;

namespace tavolix {

class SoundOutput;

// The game's sounds: short WAV files played by their bare names without
// waiting, a new one cutting off the one still playing, nothing at all while
// sound is off. A missing file, a missing sound module or no audio device
// stays silent. The sound module is loaded at the first sound.
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

  // Where the sound module is looked for: beside the program and in the
  // folder it is installed in.
  void setModuleFolders(const QStringList& folders) { moduleFolders_ = folders; }
  // Whether the sound module is loaded (it is, once a sound has been played
  // and the module was found).
  bool outputLoaded() const { return output_ != nullptr; }

 Q_SIGNALS:
  // A sound was started (the module or the audio device may still be missing).
  void started(const QString& arquivo);

 private:
  SoundOutput* output();

  const Settings& settings_;
  QStringList folders_;
  QStringList moduleFolders_;
  QPluginLoader* loader_ = nullptr;  // the sound module, once looked for
  SoundOutput* output_ = nullptr;
};

// Where the game's own files are: beside the program, where the build stages
// them, and in the data folder the build was configured to install them in.
QStringList installedFolders();

}  // namespace tavolix
