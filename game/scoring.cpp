// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "scoring.h"

#include <algorithm>

namespace tavolix {

namespace {

std::array<int, 4> pipTotals(const GameState& state) {
  std::array<int, 4> totals{};
  for (int seat = 0; seat < kSeatCount; ++seat) totals[seat] = pipTotal(state.hand(seat));
  return totals;
}

// The seats holding the lowest total, found by trying 0, 1, 2 ... 100; a hand
// never holds more than 73 pips, so one is always found.
std::array<bool, 4> lowestTotals(const std::array<int, 4>& totals) {
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

}  // namespace

HandResult wentOutResult(int seat, const std::array<int, 4>& totals, std::string_view lastMove,
                         const Settings& settings) {
  HandResult result;
  result.ending = HandResult::Ending::WentOut;
  result.winner = seat;
  result.nextOpener = seat;
  result.totals = totals;
  result.scorers = {seat};
  if (settings.pairs()) result.scorers.push_back(partnerOf(seat));
  if (settings.pipRule()) {
    // Every pip left in the opponents' hands; alone, in all three others.
    result.points = totals[0] + totals[1] + totals[2] + totals[3];
    if (settings.pairs()) result.points -= totals[seat] + totals[partnerOf(seat)];
  } else {
    result.points = CalculaPontos(lastMove);
    const TileCode last = lastMove.size() == 4
                              ? TileCode::fromText(lastMove.substr(2)).value_or(TileCode())
                              : TileCode();
    result.kind = goingOutKind(result.points, last);
  }
  return result;
}

HandResult blockedResult(const std::array<int, 4>& totals, const Settings& settings) {
  HandResult result;
  result.ending = HandResult::Ending::Blocked;
  result.totals = totals;
  const std::array<bool, 4> marked = lowestTotals(totals);
  if (settings.pairs()) {
    const int pairA = totals[kJog] + totals[kMac2];
    const int pairB = totals[kMac1] + totals[kMac3];
    if (pairA == pairB) return result;
    result.winner = pairA < pairB ? kJog : kMac1;
    result.scorers = {result.winner, partnerOf(result.winner)};
    result.points = settings.pipRule() ? std::max(pairA, pairB) : 1;
    // The lowest single total opens, whichever pair it sits in; of several, the last seat.
    for (int seat = kJog; seat <= kMac3; ++seat) {
      if (marked[seat]) result.nextOpener = seat;
    }
    return result;
  }
  if (std::count(marked.begin(), marked.end(), true) != 1) return result;
  const int w = static_cast<int>(std::find(marked.begin(), marked.end(), true) - marked.begin());
  result.winner = w;
  result.scorers = {w};
  result.points =
      settings.pipRule() ? totals[0] + totals[1] + totals[2] + totals[3] - totals[w] : 1;
  result.nextOpener = w;
  return result;
}

std::string lastMoveRecord(int pontaA, int pontaB, TileCode tile) {
  std::string record;
  writeLastMoveRecord(record, pontaA, pontaB, tile);
  return record;
}

void writeLastMoveRecord(std::string& record, int pontaA, int pontaB, TileCode tile) {
  const auto digit = [](int pip) { return static_cast<char>('0' + pip); };
  record.resize(4);
  record[0] = digit(pontaA);
  record[1] = digit(pontaB);
  record[2] = digit(tile.first());
  record[3] = digit(tile.last());
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

GoingOut goingOutKind(int points, TileCode lastTile) {
  switch (points) {
    case 1:
      return GoingOut::Simples;
    case 2:
      return lastTile.isDouble() ? GoingOut::Carrocao : GoingOut::LaELo;
    case 4:
      return GoingOut::Cruzada;
    default:
      return GoingOut::None;
  }
}

int TotalPintas(const GameState& state, bool a, bool b, bool c, bool d) {
  const std::array<bool, 4> counted{a, b, c, d};
  int total = 0;
  for (int seat = 0; seat < kSeatCount; ++seat) {
    if (counted[seat]) total += pipTotal(state.hand(seat));
  }
  return total;
}

int QuantasBuchas(const GameState& state, int seat) {
  return isSeat(seat) ? doubleCount(state.hand(seat)) : 0;
}

std::optional<HandResult> handEnd(const GameState& state, const Settings& settings, int seat) {
  if (isSeat(seat) && state.heldTiles[static_cast<std::size_t>(seat)] == 0)
    return wentOutResult(seat, pipTotals(state), state.UltimaJogada, settings);
  if (state.Passes == 4) return blockedResult(pipTotals(state), settings);
  return std::nullopt;
}

}  // namespace tavolix
