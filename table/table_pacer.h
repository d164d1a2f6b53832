// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include "game/presentation.h"
#include "pacer.h"

namespace tavolix {

// The table's waits. Once the window is closing, the game does not go on
// with whatever it was in the middle of: the next wait stops it.
class TablePacer {
 public:
  // Told of each wait the game asks for, in milliseconds of its own tempo.
  void setListener(std::function<void(int ms)> listener) { listener_ = std::move(listener); }
  void wait(int ms) {
    if (listener_) listener_(ms);
    pacer::wait(ms);
    check();
  }
  void letEventsRun() {
    pacer::letEventsRun();
    check();
  }
  void waitWhileWorking(const std::function<void()>& work, int ms) {
    if (listener_) listener_(ms);
    pacer::waitWhileWorking(work, ms);
    check();
  }
  // Told of each step of an animation, with its beat in milliseconds of the game's tempo.
  void setStepListener(std::function<void(int ms)> listener) {
    stepListener_ = std::move(listener);
  }
  // The next step of an animation, on its beat.
  void step(pacer::Cadence& beat) {
    if (stepListener_) stepListener_(beat.stepMs());
    pacer::waitUnscaled(beat.untilNextStep());
    check();
  }
  void stop() { stopping_ = true; }
  bool stopping() const { return stopping_; }
  void check() const {
    if (stopping_) throw MatchInterrupted();
  }

 private:
  bool stopping_ = false;
  std::function<void(int ms)> listener_;
  std::function<void(int ms)> stepListener_;
};

}  // namespace tavolix
