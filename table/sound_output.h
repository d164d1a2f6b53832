// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

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

}  // namespace tavolix

#define TAVOLIX_SOUND_OUTPUT_IID "org.vantorel.Tavolix.SoundOutput/1"
Q_DECLARE_INTERFACE(tavolix::SoundOutput, TAVOLIX_SOUND_OUTPUT_IID)
