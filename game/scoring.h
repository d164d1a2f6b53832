// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game_state.h"
#include "settings.h"

namespace tavolix {

// The last-move record as the game writes it: end A, end B (before the move),
// then the tile as it was held: ends 3 and 5 with "35" give "3535".
std::string lastMoveRecord(int pontaA, int pontaB, TileCode tile);
// The same, written over `record` in place, as every tile laid does.
void writeLastMoveRecord(std::string& record, int pontaA, int pontaB, TileCode tile);

// Points for going out under the first rule, from the last-move record: a double
// 2, or 4 when both ends showed its pip; another tile 1, or 2 when it matched
// two different ends.
int CalculaPontos(std::string_view record);

// How a seat went out, under the first rule.
enum class GoingOut { None, Simples, LaELo, Carrocao, Cruzada };
inline constexpr std::size_t kGoingOutKinds = static_cast<std::size_t>(GoingOut::Cruzada) + 1;
GoingOut goingOutKind(int points, TileCode lastTile);

// Pips left in the hands of the seats chosen (Jog, Mac1, Mac2, Mac3).
int TotalPintas(const GameState& state, bool a, bool b, bool c, bool d);
int QuantasBuchas(const GameState& state, int seat);

// How a hand ended and what it is worth.
struct HandResult {
  enum class Ending { WentOut, Blocked };
  Ending ending = Ending::WentOut;
  // The seat that went out; after a blocked count the seat whose total won, or
  // in pairs the first seat of the pair that won (0 or 1); -1 after a tie.
  int winner = -1;
  int points = 0;            // what the winning side scores
  std::vector<int> scorers;  // who scores it: the winner, and in pairs its partner
  int nextOpener = kHolderOfDoubleSix;
  GoingOut kind = GoingOut::None;  // under the first rule, how the seat went out
  std::array<int, 4> totals{};     // the pips left in each hand

  bool tied() const { return winner < 0; }
  friend bool operator==(const HandResult&, const HandResult&) = default;
};

// What a hand is worth from what decides it: the pips left in each hand and,
// for the seat that went out, the last-move record.
HandResult wentOutResult(int seat, const std::array<int, 4>& totals, std::string_view lastMove,
                         const Settings& settings);
HandResult blockedResult(const std::array<int, 4>& totals, const Settings& settings);

// Whether the hand is over now that `seat` has laid a tile or passed: it has
// gone out, or the fourth pass in a row has blocked the game and the lowest pip
// count takes it. Who scores what, and who opens the next hand; nullopt while
// play goes on. Nothing is changed.
std::optional<HandResult> handEnd(const GameState& state, const Settings& settings, int seat);

}  // namespace tavolix
