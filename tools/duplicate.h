// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/seat_player.h"
#include "sim_options.h"

namespace tavolix::sim {

// Duplicate play: every match's deals are played once for each arrangement of
// the levels round the table (the levels turned by one seat at a time: twice
// in pairs, the two sides exchanged; four times alone, the measured level at
// each seat in turn), each seat getting the same tiles in every playing. Luck
// of the deal then favours no level, and the share of matches won is measured
// deal by deal.

// The tiles each seat gets, deal after deal, whichever seats take first: a
// seat asking for its next pile tile is told where one of its own lies.
class DealPlan {
 public:
  explicit DealPlan(std::uint64_t seed) : stream_(seed) {}
  // The pile position (1..28) of a tile planned for `seat` and not yet taken.
  int position(const GameState& state, int seat);

 private:
  void nextDeal();
  std::uint64_t next();

  std::uint64_t stream_;
  std::array<std::uint32_t, kSeatCount> hands_{};
};

// A seat that plays as `player` but takes the tiles the plan gives it.
class PlannedSeat : public SeatPlayer {
 public:
  PlannedSeat(SeatPlayer& player, DealPlan& plan, int seat)
      : player_(player), plan_(plan), seat_(seat) {}
  bool answersAtOnce() const override { return player_.answersAtOnce(); }
  std::optional<int> pileTile(const GameState& state, RandomSource&) override {
    return plan_.position(state, seat_);
  }
  SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override {
    return player_.turn(state, settings, seat);
  }
  bool thinksLong() const override { return player_.thinksLong(); }
  SeatAnswer think(const GameState& state, const Settings& settings, int seat,
                   const std::vector<HandEvent>& hand, std::uint64_t seed) override {
    return player_.think(state, settings, seat, hand, seed);
  }

 private:
  SeatPlayer& player_;
  DealPlan& plan_;
  int seat_;
};

// What a duplicate run saw.
struct DuplicateSummary {
  std::uint64_t seed = 0;
  int arrangements = 0;           // playings of each match's deals
  long deals = 0;                 // matches whose deals were played in every arrangement
  long matches = 0;               // matches played: deals times arrangements
  long wins = 0;                  // won by a seat or pair at the measured level
  double sumOfShares = 0;         // each deal's share of wins
  double sumOfSquaredShares = 0;  // and its square, for the spread
  long hands = 0;
  long violations = 0;
  std::vector<std::string> firstViolations;
  double seconds = 0;

  double share() const { return matches > 0 ? static_cast<double>(wins) / matches : 0.0; }
  // Half the width of the 95% interval of the share: the deals are independent,
  // the playings of one deal are not, so the spread is taken over deals.
  double margin() const;
};

// The seats played at each level in arrangement `turn`: the options' seats turned by `turn`.
unsigned turnedSeats(unsigned seats, int turn);

// `measured`, when given, plays the measured seats instead of the level the options name.
DuplicateSummary simulateDuplicate(const Options& options, SeatPlayer* measured = nullptr);
void printDuplicate(const DuplicateSummary& summary, const Options& options, std::ostream& out);

}  // namespace tavolix::sim
