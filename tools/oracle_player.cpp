// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "oracle_player.h"

#include <algorithm>

#include "game/match_odds.h"
#include "game/playout.h"

namespace tavolix::sim {

SeatAnswer OracleSeat::turn(const GameState& state, const Settings& settings, int seat) {
  const SeatView view = SeatView::of(state, settings, seat);
  Line start = lineOf(view);
  start.hands = state.heldTiles;  // every hand, as it lies
  Facts facts = start.factsFor(seat, settings);
  facts.mustOpenWithDoubleSix = view.mustOpenWithDoubleSix;
  const Outlook outlook(facts, view.hand);
  if (view.opening && view.mustOpenWithDoubleSix) return ordinaryAnswer(outlook, true);
  std::vector<Candidate> moves = candidates(view, outlook);
  if (moves.empty()) return SeatAnswer::pass();
  HandWorth worthOf(view);
  double best = -1;
  const Candidate* chosen = &moves.front();
  for (const Candidate& c : moves) {
    Line line = start;
    int at = seat;
    if (c.side == Lado::First) {
      line.open(at, view.hand[c.slot]);
    } else {
      line.lay(at, view.hand[c.slot], c.side);
    }
    std::optional<HandResult> result = handOver(line, at, settings);
    while (!result) {
      at = nextSeat(at, settings.SentidoHorario);
      if (playOn(line, at, settings)) result = handOver(line, at, settings);
    }
    const double worth = worthOf.of(*result);
    if (worth > best) {
      best = worth;
      chosen = &c;
    }
  }
  return SeatAnswer::play(chosen->slot, chosen->side);
}

}  // namespace tavolix::sim
