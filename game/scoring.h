#pragma once

#include <array>
#include <string>
#include <string_view>

#include "game_state.h"

namespace tavolix {

// The last-move record as the game writes it: end A, end B (before the move),
// then the tile as it was held: ends 3 and 5 with "35" give "3535".
std::string lastMoveRecord(int pontaA, int pontaB, TileCode tile);

// Points for going out under the first rule, from the last-move record: a double
// 2, or 4 when both ends showed its pip; another tile 1, or 2 when it matched
// two different ends.
int CalculaPontos(std::string_view record);

// Pips left in the hands of the seats chosen (Jog, Mac1, Mac2, Mac3).
int TotalPintas(const GameState& state, bool a, bool b, bool c, bool d);
int QuantasBuchas(const GameState& state, int seat);

// Each seat's pip total, and the seats with the lowest of them.
std::array<int, 4> pipTotals(const GameState& state);
std::array<bool, 4> lowestTotals(const std::array<int, 4>& totals);

}  // namespace tavolix
