// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// How long the strong or the master computer player thinks over each move:
// whole matches under every rule, the three computer seats at that level,
// every move timed.
//
//   taskset -c 1 ./build/tavolix-bench-strong [matches] [seed] [strong|master]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/master_player.h"
#include "game/strong_player.h"
#include "simulator.h"

namespace {

using namespace tavolix;

// A level's seat with a stopwatch.
class TimedSeat : public ComputerSeat {
 public:
  explicit TimedSeat(SeatPlayer& level) : level_(level) {}
  bool thinksLong() const override { return true; }
  SeatAnswer think(const GameState& state, const Settings& settings, int seat,
                   const std::vector<HandEvent>& hand, std::uint64_t seed) override {
    const auto begin = std::chrono::steady_clock::now();
    const SeatAnswer answer = level_.think(state, settings, seat, hand, seed);
    millis.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
            .count());
    return answer;
  }
  std::vector<double> millis;

 private:
  SeatPlayer& level_;
};

}  // namespace

int main(int argc, char* argv[]) {
  sim::Options options;
  options.matches = argc > 1 ? std::atol(argv[1]) : 300;
  options.seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  const bool master = argc > 3 && std::strcmp(argv[3], "master") == 0;
  if (argc > 3 && !master && std::strcmp(argv[3], "strong") != 0) {
    std::fprintf(stderr, "usage: tavolix-bench-strong [matches] [seed] [strong|master]\n");
    return 2;
  }
  options.mixedRules = true;
  StrongSeat strong;
  MasterSeat masterSeat;
  TimedSeat seat(master ? static_cast<SeatPlayer&>(masterSeat) : strong);
  const sim::Summary summary = sim::simulate(options, nullptr, &seat);
  std::vector<double>& ms = seat.millis;
  if (ms.empty() || summary.violations != 0) return 1;
  std::sort(ms.begin(), ms.end());
  const auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
  std::printf(
      "%ld matches, %zu %s moves: median %.2f ms, 90%% %.2f ms, 99%% %.2f ms, "
      "longest %.2f ms\n",
      summary.matches, ms.size(), master ? "master" : "strong", at(0.5), at(0.9), at(0.99),
      ms.back());
  return 0;
}
