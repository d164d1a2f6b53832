// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "playout.h"

#include <algorithm>

namespace tavolix {

std::optional<HandResult> handOver(const Line& line, int seat, const Settings& rules) {
  if (line.hands[static_cast<std::size_t>(seat)] == 0) {
    return wentOutResult(seat, line.totals(), lastMoveRecord(line.lastA, line.lastB, line.lastTile),
                         rules);
  }
  if (line.passes == 4) return blockedResult(line.totals(), rules);
  return std::nullopt;
}

std::optional<int> worth(const Line& line, int seat, int me, const Settings& rules) {
  const std::optional<HandResult> result = handOver(line, seat, rules);
  if (!result) return std::nullopt;
  if (result->tied()) return 0;
  const bool ours =
      std::find(result->scorers.begin(), result->scorers.end(), me) != result->scorers.end();
  return ours ? result->points : -result->points;
}

bool playOn(Line& line, int seat, const Settings& rules) {
  const Outlook outlook(line.factsFor(seat, rules));
  if (const auto move = outlook.chooseTileMove()) {
    line.lay(seat, move->tile, move->side);
    return line.hands[static_cast<std::size_t>(seat)] == 0;
  }
  line.pass(seat);
  return line.passes == 4;
}

int playOut(Line line, int seat, int me, const Settings& rules) {
  for (;;) {
    if (playOn(line, seat, rules)) return *worth(line, seat, me, rules);
    seat = nextSeat(seat, rules.SentidoHorario);
  }
}

// The hand as the seat sees it: its own tiles in place, the others' still to deal.
Line lineOf(const SeatView& view) {
  Line line;
  for (int slot = 1; slot <= kHandSlots; ++slot)
    line.hands[static_cast<std::size_t>(view.seat)] |= tileBit(view.hand[slot]);
  line.onTable = view.onTable;
  line.pontaA = view.pontaA;
  line.pontaB = view.pontaB;
  line.qtdLadoA = view.qtdLadoA;
  line.qtdLadoB = view.qtdLadoB;
  line.passes = view.passes;
  line.passedOn = view.passedOn;
  line.hasPassed = view.hasPassed;
  return line;
}

// The moves worth weighing, the ordinary computer's choice first so that it
// wins ties: laying any tile when opening freely, otherwise every tile and end
// the rules allow (a score above 0), an end given once when both show the same pip.
std::vector<Candidate> candidates(const SeatView& view, const Outlook& outlook) {
  std::vector<Candidate> list;
  if (view.opening) {
    if (const auto first = outlook.chooseOpeningSlot()) list.push_back({*first, Lado::First});
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (!view.hand[slot].empty() && (list.empty() || list.front().slot != slot))
        list.push_back({slot, Lado::First});
    }
    return list;
  }
  if (const auto best = outlook.chooseMove()) list.push_back({best->slot, best->side});
  const Lado first = outlook.firstSideToTry();
  for (const Lado side : {first, first == Lado::A ? Lado::B : Lado::A}) {
    if (side != first && view.pontaA == view.pontaB) break;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (outlook.Retorno(slot, side) == 0) continue;
      if (!list.empty() && list.front().slot == slot &&
          (list.front().side == side || view.pontaA == view.pontaB))
        continue;
      list.push_back({slot, side});
    }
  }
  return list;
}

MovesToWeigh movesToWeigh(const SeatView& view) {
  MovesToWeigh w;
  w.start = lineOf(view);
  Facts facts = w.start.factsFor(view.seat, view.rules);
  facts.mustOpenWithDoubleSix = view.mustOpenWithDoubleSix;
  w.mine = facts.inHand;
  const Outlook outlook(facts, view.hand);
  // Opening with 6:6, or lacking it when it must open: the ordinary choice.
  if (view.opening && view.mustOpenWithDoubleSix) {
    w.answer = ordinaryAnswer(outlook, true);
    return w;
  }
  w.moves = candidates(view, outlook);
  if (w.moves.empty()) w.answer = SeatAnswer::pass();
  if (w.moves.size() == 1) w.answer = SeatAnswer::play(w.moves.front().slot, w.moves.front().side);
  return w;
}

}  // namespace tavolix
