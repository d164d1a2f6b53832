#include "scoring.h"

namespace tavolix {

std::string lastMoveRecord(int pontaA, int pontaB, TileCode tile) {
  const auto digit = [](int pip) { return static_cast<char>('0' + pip); };
  return {digit(pontaA), digit(pontaB), digit(tile.first()), digit(tile.last())};
}

int CalculaPontos(std::string_view record) {
  if (record.size() < 4) return 1;
  const char endA = record[0];
  const char endB = record[1];
  const char first = record[2];
  const char last = record[3];
  if (first == last) return endA == endB ? 4 : 2;
  const auto inEnds = [&](char pip) { return pip == endA || pip == endB; };
  return endA != endB && inEnds(first) && inEnds(last) ? 2 : 1;
}

int TotalPintas(const GameState& state, bool a, bool b, bool c, bool d) {
  const std::array<bool, 4> counted{a, b, c, d};
  int total = 0;
  for (int seat = 0; seat < kSeatCount; ++seat) {
    if (counted[seat]) total += pipTotal(state.hand(seat));
  }
  return total;
}

int QuantasBuchas(const GameState& state, int seat) { return isSeat(seat) ? doubleCount(state.hand(seat)) : 0; }

std::array<int, 4> pipTotals(const GameState& state) {
  std::array<int, 4> totals{};
  for (int seat = 0; seat < kSeatCount; ++seat) totals[seat] = pipTotal(state.hand(seat));
  return totals;
}

std::array<bool, 4> lowestTotals(const std::array<int, 4>& totals) {
  // The lowest total is found by trying 0, 1, 2 ... 100; a hand never holds more
  // than 73 pips, so one is always found.
  std::array<bool, 4> marked{};
  for (int value = 0; value <= 100; ++value) {
    bool found = false;
    for (int seat = 0; seat < kSeatCount; ++seat) {
      marked[seat] = totals[seat] == value;
      found = found || marked[seat];
    }
    if (found) return marked;
  }
  return marked;
}

}  // namespace tavolix
