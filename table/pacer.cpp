// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "pacer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <thread>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace tavolix::pacer {

namespace {
double paceFactor = 1.0;
}

double pace() { return paceFactor; }

void setPace(double factor) {
  paceFactor = std::isfinite(factor) && factor > 0.0 ? std::min(factor, kMaxPace) : 0.0;
}

std::optional<double> parsePace(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value) || value < 0.0 || value > kMaxPace) return std::nullopt;
  return value;
}

int scaled(int ms) {
  if (ms <= 0) return 0;
  // No wait of the game lasts longer than a day, whatever the factor.
  return static_cast<int>(std::lround(std::min(ms * paceFactor, 86'400'000.0)));
}

void wait(int ms) { waitUnscaled(scaled(ms)); }

void waitUnscaled(int ms) {
  if (ms <= 0) {
    letEventsRun();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void waitWhileWorking(const std::function<void()>& work, int ms) {
  QEventLoop loop;
  bool done = false;
  bool timeUp = false;
  const auto quitWhenBoth = [&] {
    if (done && timeUp) loop.quit();
  };
  QTimer::singleShot(scaled(ms), Qt::PreciseTimer, &loop, [&] {
    timeUp = true;
    quitWhenBoth();
  });
  std::thread worker([&] {
    work();
    QMetaObject::invokeMethod(
        &loop,
        [&] {
          done = true;
          quitWhenBoth();
        },
        Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
}

Cadence::Cadence(int stepMs) : stepMs_(stepMs), start_(std::chrono::steady_clock::now()) {}

int Cadence::untilNextStep() {
  ++steps_;
  const double due = steps_ * stepMs_ * paceFactor;
  const double elapsed =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  return due > elapsed ? static_cast<int>(std::lround(due - elapsed)) : 0;
}

void letEventsRun() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace tavolix::pacer
