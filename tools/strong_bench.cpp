// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// How long the strong computer player thinks over each move: whole matches
// under every rule, the three computer seats strong, every move timed.
//
//   taskset -c 1 ./build/tavolix-bench-strong [matches] [seed]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/strong_player.h"
#include "simulator.h"

namespace {

using namespace tavolix;

// The strong seat with a stopwatch.
class TimedSeat : public StrongSeat {
 public:
  SeatAnswer think(const GameState& state, const Settings& settings, int seat,
                   const std::vector<HandEvent>& hand, std::uint64_t seed) override {
    const auto begin = std::chrono::steady_clock::now();
    const SeatAnswer answer = StrongSeat::think(state, settings, seat, hand, seed);
    millis.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
            .count());
    return answer;
  }
  std::vector<double> millis;
};

}  // namespace

int main(int argc, char* argv[]) {
  sim::Options options;
  options.matches = argc > 1 ? std::atol(argv[1]) : 300;
  options.seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  options.mixedRules = true;
  TimedSeat seat;
  const sim::Summary summary = sim::simulate(options, nullptr, &seat);
  std::vector<double>& ms = seat.millis;
  if (ms.empty() || summary.violations != 0) return 1;
  std::sort(ms.begin(), ms.end());
  const auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
  std::printf(
      "%ld matches, %zu strong moves: median %.2f ms, 90%% %.2f ms, 99%% %.2f ms, "
      "longest %.2f ms\n",
      summary.matches, ms.size(), at(0.5), at(0.9), at(0.99), ms.back());
  return 0;
}
