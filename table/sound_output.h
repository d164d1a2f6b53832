// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QObject>
#include <QString>
#include <QtPlugin>

namespace tavolix {

// What plays the game's sounds. It lives in a module of its own
// (tavolix-sound), loaded at the first sound, so that the audio libraries
// cost nothing at start-up, nor in a game played in silence.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Plays a WAV file without waiting, cutting off the sound still playing.
  // No audio device: silence.
  virtual void play(const QString& path) = 0;
};

// The module itself: it makes outputs, each owned by the object given (and
// gone with it, long before the module is unloaded as the program ends).
class SoundModule {
 public:
  virtual ~SoundModule() = default;
  virtual SoundOutput* newOutput(QObject* owner) = 0;
};

}  // namespace tavolix

#define TAVOLIX_SOUND_MODULE_IID "org.vantorel.Tavolix.SoundModule/1"
Q_DECLARE_INTERFACE(tavolix::SoundModule, TAVOLIX_SOUND_MODULE_IID)
