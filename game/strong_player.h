// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstdint>

#include "computer_player.h"
#include "game_state.h"
#include "seat_player.h"
#include "settings.h"

namespace tavolix {

// The computer's stronger level ("Forte"). At its turn it deals the tiles it
// cannot see in many ways that agree with everything it has seen, plays each
// of its moves out to the end of the hand in every such deal (all four seats
// by the ordinary computer's scores), and lays the move that does best for its
// side on average under the match's scoring rule. It reads nothing but what a
// player at its seat sees.

// Everything a seat sees at its turn: its own hand, the table, how many tiles
// each seat holds and the ends each one passed on.
struct SeatView {
  int seat = kMac1;
  Hand hand{};
  std::uint32_t onTable = 0;  // one bit per tile (tileBit)
  int pontaA = 6;
  int pontaB = 6;
  int qtdLadoA = 0;
  int qtdLadoB = 0;
  int passes = 0;        // in a row, since the last tile
  bool opening = false;  // the table is empty and this seat opens the hand
  bool mustOpenWithDoubleSix = false;
  std::array<int, kSeatCount> tilesHeld{};
  std::array<unsigned, kSeatCount> passedOn{};  // one bit per pip a seat passed on
  std::array<bool, kSeatCount> hasPassed{};
  std::array<int, kSeatCount> scores{};  // the match's, partners alike in pairs
  Settings rules;

  static SeatView of(const GameState& state, const Settings& settings, int seat);
};

// How hard the strong player thinks: the deals it tries for each move. The
// game's level and the simulator use kDealsPerMove; tests may ask for fewer.
inline constexpr int kDealsPerMove = 4000;

// The strong player's move for the seat in `view`; `seed` makes its deals.
// The same view and seed always give the same move.
SeatAnswer strongMove(const SeatView& view, std::uint64_t seed, int dealsPerMove = kDealsPerMove);

// A computer seat at the strong level. Its thinking takes long enough that the
// match has it done away from the window's thread.
class StrongSeat : public ComputerSeat {
 public:
  explicit StrongSeat(int dealsPerMove = kDealsPerMove) : deals_(dealsPerMove) {}
  bool thinksLong() const override { return true; }
  SeatAnswer think(const GameState& state, const Settings& settings, int seat,
                   const std::vector<HandEvent>& hand, std::uint64_t seed) override;

 private:
  int deals_;
};

}  // namespace tavolix
