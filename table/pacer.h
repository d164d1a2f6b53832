// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <chrono>
#include <functional>

#include <QEventLoop>
#include <QTimer>

#include <optional>
#include <string_view>

namespace tavolix::pacer {

// The game keeps its tempo by waiting between animation steps and turns while
// the window goes on painting. Every such wait goes through here, scaled by one
// pace factor: 1 is the game's own tempo, 0.5 twice as fast, 0 no waiting at
// all (tests, benchmarks).
double pace();
void setPace(double factor);
// The slowest pace taken: a hundred times slower than the game's own.
inline constexpr double kMaxPace = 100.0;
// "1", "0.5", "0": a factor from 0 to kMaxPace; anything else -> nullopt.
std::optional<double> parsePace(std::string_view text);

// A wait of `ms` at the current pace, rounded to whole milliseconds.
int scaled(int ms);

// Waits `ms` at the current pace while the window keeps painting and handling
// input. Nothing spins: the thread sleeps in the event loop until a timer wakes
// it. At pace 0 it only lets pending events run.
void wait(int ms);

// Lets the events that are already pending run, then returns.
void letEventsRun();

// Runs `work` on a thread of its own and waits, the window painting and
// handling input, until it is done and at least `ms` (at the current pace)
// have passed.
void waitWhileWorking(const std::function<void()>& work, int ms);

// Waits `ms` exactly, not scaled by the pace: what is left of a step's time.
void waitUnscaled(int ms);

// Waits `ms` at the current pace, or less if `sender` sends `signal` first.
template <class Sender, class Signal>
void waitOrUntil(int ms, const Sender* sender, Signal signal) {
  QEventLoop loop;
  QTimer::singleShot(scaled(ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  QObject::connect(sender, signal, &loop, &QEventLoop::quit);
  loop.exec();
}

// The beat of one animation: its steps come every `stepMs` (at the current
// pace) counted from when it started, so the painting between steps does not
// stretch the whole animation.
class Cadence {
 public:
  explicit Cadence(int stepMs);
  // Milliseconds until the next step's moment; 0 when it has come already.
  int untilNextStep();
  int stepMs() const { return stepMs_; }

 private:
  int stepMs_;
  int steps_ = 0;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace tavolix::pacer
