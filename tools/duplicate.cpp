// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "duplicate.h"

#include <chrono>
#include <cmath>
#include <iomanip>
#include <optional>

#include "game/computer_player.h"
#include "game/match.h"
#include "game/referee.h"
#include "game/strong_player.h"
#include "sim_parts.h"

namespace tavolix::sim {

namespace {

// splitmix64: one step from `state`, which it moves on.
std::uint64_t splitmix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Each match's own seeds, one for the game's generator and one for its deals.
std::uint64_t matchSeed(std::uint64_t seed, long match, std::uint64_t purpose) {
  std::uint64_t state = seed ^ (static_cast<std::uint64_t>(match) * 0xD1B54A32D192ED03ull);
  splitmix(state);
  state ^= purpose;
  return splitmix(state);
}

constexpr std::uint64_t kGameStream = 1;
constexpr std::uint64_t kDealStream = 2;

}  // namespace

std::uint64_t DealPlan::next() { return splitmix(stream_); }

void DealPlan::nextDeal() {
  std::array<int, kTileCount> order{};
  for (int k = 0; k < kTileCount; ++k) order[static_cast<std::size_t>(k)] = k;
  for (int k = kTileCount - 1; k > 0; --k) {
    const auto pick = static_cast<std::size_t>(next() % static_cast<std::uint64_t>(k + 1));
    std::swap(order[static_cast<std::size_t>(k)], order[pick]);
  }
  hands_.fill(0);
  for (int k = 0; k < kTileCount; ++k) {
    hands_[static_cast<std::size_t>(k / kHandSlots)] |=
        tileBit(kAllTiles[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])]);
  }
}

int DealPlan::position(const GameState& state, int seat) {
  // The first tile of a deal (a deal thrown in for its doubles too): the next deal of the plan.
  if (state.Pegas.none()) nextDeal();
  const std::uint32_t wanted =
      hands_[static_cast<std::size_t>(seat)] & ~state.heldTiles[static_cast<std::size_t>(seat)];
  int free = 0;
  for (int p = 1; p <= kTileCount; ++p) {
    if (state.pileTaken(p)) continue;
    if (tileBit(state.Monte[static_cast<std::size_t>(p - 1)]) & wanted) return p;
    if (free == 0) free = p;
  }
  return free;  // not reached while every seat takes its tiles through the plan
}

unsigned turnedSeats(unsigned seats, int turn) {
  const int by = ((turn % kSeatCount) + kSeatCount) % kSeatCount;
  return ((seats << by) | (seats >> (kSeatCount - by))) & 0b1111u;
}

double DuplicateSummary::margin() const {
  if (deals < 2) return 1.0;
  const double n = static_cast<double>(deals);
  const double mean = sumOfShares / n;
  const double variance = std::max(0.0, (sumOfSquaredShares - n * mean * mean) / (n - 1));
  return 1.96 * std::sqrt(variance / n);
}

DuplicateSummary simulateDuplicate(const Options& options, SeatPlayer* measured) {
  DuplicateSummary summary;
  summary.seed = options.seed.value_or(unpredictableSeed());
  summary.arrangements = options.pairs ? 2 : kSeatCount;
  ComputerSeat normal;
  Levels levels(options);
  Options one = options;
  one.matches = 1;

  const auto begin = std::chrono::steady_clock::now();
  for (long m = 0; m < options.matches; ++m) {
    int won = 0;
    for (int turn = 0; turn < summary.arrangements; ++turn) {
      const unsigned measuredNow = turnedSeats(measuredSeats(options), turn);
      Summary played;
      RandomSource random(matchSeed(summary.seed, m, kGameStream));
      Settings settings;
      SimulatedTable table(one, settings, random, played);
      Match match(settings, table, random);
      DealPlan plan(matchSeed(summary.seed, m, kDealStream));
      std::array<std::optional<PlannedSeat>, kSeatCount> seats;
      for (int s = 0; s < kSeatCount; ++s) {
        SeatPlayer* level =
            measured != nullptr && (measuredNow & (1u << s)) != 0 ? measured : levels.at(s, turn);
        match.setSeat(s,
                      seats[static_cast<std::size_t>(s)].emplace(level ? *level : normal, plan, s));
      }
      Tally tally(played, match, nullptr, measuredNow);
      const std::string where =
          "match " + std::to_string(m + 1) + ", playing " + std::to_string(turn + 1) + ", ";
      Referee referee(
          match, [&](const std::string& problem) { addViolation(played, where + problem); },
          &tally);
      match.setObserver(&referee);
      match.start();
      if (match.awaiting() != Match::Awaiting::Finished)
        addViolation(played, where + "the game stopped responding");
      won += static_cast<int>(played.levelWins);
      summary.hands += played.hands;
      summary.violations += played.violations;
      for (const std::string& v : played.firstViolations) {
        if (static_cast<int>(summary.firstViolations.size()) < kMaxListedViolations)
          summary.firstViolations.push_back(v);
      }
    }
    const double share = static_cast<double>(won) / summary.arrangements;
    ++summary.deals;
    summary.matches += summary.arrangements;
    summary.wins += won;
    summary.sumOfShares += share;
    summary.sumOfSquaredShares += share * share;
  }
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  return summary;
}

void printDuplicate(const DuplicateSummary& s, const Options& options, std::ostream& out) {
  out << "Tavolix simulator, seed " << s.seed << ", duplicate: each match's deals played "
      << s.arrangements << " times, the levels turned round the table\n";
  out << "  matches                 " << s.matches << " (" << s.deals << " deals of a match)\n";
  out << "  hands                   " << s.hands << "\n";
  out << "  invariant violations    " << s.violations << "\n";
  for (const std::string& v : s.firstViolations) out << "    " << v << "\n";
  out << measuredLevelName(options) << " seats won " << s.wins << " of " << s.matches
      << " matches (" << std::fixed << std::setprecision(1) << 100.0 * s.share() << "%, 95% "
      << "interval " << 100.0 * std::max(0.0, s.share() - s.margin()) << "% to "
      << 100.0 * std::min(1.0, s.share() + s.margin()) << "%) in " << std::setprecision(0)
      << s.seconds << " s\n";
}

}  // namespace tavolix::sim
