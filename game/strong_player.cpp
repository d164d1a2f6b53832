// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "strong_player.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

#include "playout.h"
#include "unseen_deals.h"

namespace tavolix {

SeatView SeatView::of(const GameState& state, const Settings& settings, int seat) {
  SeatView view;
  view.seat = seat;
  view.hand = state.hand(seat);
  view.onTable = state.tableTiles;
  view.pontaA = state.PontaA;
  view.pontaB = state.PontaB;
  view.qtdLadoA = state.QtdLadoA;
  view.qtdLadoB = state.QtdLadoB;
  view.passes = state.Passes;
  view.opening = state.QtdMesa == 0 && state.QuemInicia == seat;
  view.mustOpenWithDoubleSix = state.PrimeiraRodada || settings.TipoInicio == 2;
  for (int s = 0; s < kSeatCount; ++s) {
    const auto i = static_cast<std::size_t>(s);
    // Of the other hands, only how many tiles they hold.
    view.tilesHeld[i] = bitCount(state.heldTiles[i]);
    view.passedOn[i] = state.passedPips[i];
    view.hasPassed[i] = state.passedPips[i] != 0;
  }
  view.scores = state.Pontos;
  view.rules = settings;
  return view;
}

SeatAnswer strongMove(const SeatView& view, std::uint64_t seed, int dealsPerMove) {
  MovesToWeigh weighed = movesToWeigh(view);
  if (weighed.answer) return *weighed.answer;
  Line& start = weighed.start;
  std::vector<Candidate>& moves = weighed.moves;
  const std::uint32_t mine = weighed.mine;
  const std::uint32_t unseen = kAllTileBits & ~mine & ~view.onTable;
  int othersHold = 0;
  for (int s = 0; s < kSeatCount; ++s)
    othersHold += s == view.seat ? 0 : view.tilesHeld[static_cast<std::size_t>(s)];
  // A view whose counts do not add up: the ordinary choice, weighed first.
  if (othersHold != bitCount(unseen))
    return SeatAnswer::play(moves.front().slot, moves.front().side);

  Stream stream(seed);
  const UnseenDeals deals(view);
  const int next = nextSeat(view.seat, view.rules.SentidoHorario);
  for (int d = 0; d < dealsPerMove; ++d) {
    deals.deal(stream, start.hands);
    start.hands[static_cast<std::size_t>(view.seat)] = mine;
    for (Candidate& c : moves) {
      Line line = start;
      const TileCode t = view.hand[c.slot];
      if (c.side == Lado::First) {
        line.open(view.seat, t);
      } else {
        line.lay(view.seat, t, c.side);
      }
      const auto out = worth(line, view.seat, view.seat, view.rules);
      c.value += out ? *out : playOut(line, next, view.seat, view.rules);
    }
  }
  const auto best =
      std::max_element(moves.begin(), moves.end(),
                       [](const Candidate& x, const Candidate& y) { return x.value < y.value; });
  return SeatAnswer::play(best->slot, best->side);
}

SeatAnswer StrongSeat::think(const GameState& state, const Settings& settings, int seat,
                             const std::vector<HandEvent>&, std::uint64_t seed) {
  return strongMove(SeatView::of(state, settings, seat), seed, deals_);
}

}  // namespace tavolix
