// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "strong_player.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

#include "scoring.h"
#include "unseen_deals.h"

namespace tavolix {

namespace {

TileCode tileAt(std::uint32_t bits) {
  return kAllTiles[static_cast<std::size_t>(std::countr_zero(bits))];
}

int pipsIn(std::uint32_t tiles) {
  int total = 0;
  for (; tiles != 0; tiles &= tiles - 1) total += tileAt(tiles).pipTotal();
  return total;
}

// A hand as the game goes on in thought: each seat's tiles as a set, the
// ends, and what every seat has passed on.
struct Line {
  std::array<std::uint32_t, kSeatCount> hands{};
  std::uint32_t onTable = 0;
  int pontaA = 6;
  int pontaB = 6;
  int qtdLadoA = 0;
  int qtdLadoB = 0;
  int passes = 0;
  std::array<unsigned, kSeatCount> passedOn{};
  std::array<bool, kSeatCount> hasPassed{};
  // The last tile laid and the ends it was laid on, for the worth of going out.
  TileCode lastTile;
  int lastA = 6;
  int lastB = 6;

  Facts factsFor(int seat, const Settings& rules) const {
    Facts f;
    f.pontaA = pontaA;
    f.pontaB = pontaB;
    f.qtdLadoA = qtdLadoA;
    f.qtdLadoB = qtdLadoB;
    f.onTable = onTable;
    f.inHand = hands[static_cast<std::size_t>(seat)];
    const auto next = static_cast<std::size_t>(nextSeat(seat, rules.SentidoHorario));
    f.nextLacks = passedOn[next];
    f.nextHasPassed = hasPassed[next];
    f.fecharSoNoNatural = rules.FecharSoNoNatural;
    return f;
  }

  void open(int seat, TileCode t) {
    hands[static_cast<std::size_t>(seat)] &= ~tileBit(t);
    onTable |= tileBit(t);
    pontaA = t.first();
    pontaB = t.last();
    passes = 0;
  }

  void lay(int seat, TileCode t, Lado side) {
    hands[static_cast<std::size_t>(seat)] &= ~tileBit(t);
    onTable |= tileBit(t);
    lastTile = t;
    lastA = pontaA;
    lastB = pontaB;
    int& end = side == Lado::A ? pontaA : pontaB;
    ++(side == Lado::A ? qtdLadoA : qtdLadoB);
    end = t.otherPip(end);
    passes = 0;
  }

  void pass(int seat) {
    const auto s = static_cast<std::size_t>(seat);
    passedOn[s] |= (1u << pontaA) | (1u << pontaB);
    hasPassed[s] = true;
    ++passes;
  }

  std::array<int, 4> totals() const {
    std::array<int, 4> t{};
    for (std::size_t s = 0; s < t.size(); ++s) t[s] = pipsIn(hands[s]);
    return t;
  }
};

// What the end of the hand is worth to `me`'s side, now that `seat` has laid
// a tile or passed: the points it scores, or minus those another side scores;
// nullopt while play goes on.
std::optional<int> worth(const Line& line, int seat, int me, const Settings& rules) {
  std::optional<HandResult> result;
  if (line.hands[static_cast<std::size_t>(seat)] == 0) {
    result = wentOutResult(seat, line.totals(),
                           lastMoveRecord(line.lastA, line.lastB, line.lastTile), rules);
  } else if (line.passes == 4) {
    result = blockedResult(line.totals(), rules);
  } else {
    return std::nullopt;
  }
  if (result->tied()) return 0;
  const bool ours =
      std::find(result->scorers.begin(), result->scorers.end(), me) != result->scorers.end();
  return ours ? result->points : -result->points;
}

// Plays the hand out from `seat`'s turn, every seat by the ordinary scores,
// and tells what it is worth to `me`'s side.
int playOut(Line line, int seat, int me, const Settings& rules) {
  for (;;) {
    const Outlook outlook(line.factsFor(seat, rules));
    if (const auto move = outlook.chooseTileMove()) {
      line.lay(seat, move->tile, move->side);
    } else {
      line.pass(seat);
    }
    if (const auto value = worth(line, seat, me, rules)) return *value;
    seat = nextSeat(seat, rules.SentidoHorario);
  }
}

struct Candidate {
  int slot = 0;
  Lado side = Lado::First;
  long value = 0;
};

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

}  // namespace

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
  view.rules = settings;
  return view;
}

SeatAnswer strongMove(const SeatView& view, std::uint64_t seed, int dealsPerMove) {
  Line start = lineOf(view);
  Facts facts = start.factsFor(view.seat, view.rules);
  facts.mustOpenWithDoubleSix = view.mustOpenWithDoubleSix;
  const Outlook outlook(facts, view.hand);
  // Opening with 6:6, or lacking it when it must open: the ordinary choice.
  if (view.opening && view.mustOpenWithDoubleSix) return ordinaryAnswer(outlook, true);
  std::vector<Candidate> moves = candidates(view, outlook);
  if (moves.empty()) return SeatAnswer::pass();
  if (moves.size() == 1) return SeatAnswer::play(moves.front().slot, moves.front().side);

  const std::uint32_t mine = facts.inHand;
  const std::uint32_t unseen = kAllTileBits & ~mine & ~view.onTable;
  int othersHold = 0;
  for (int s = 0; s < kSeatCount; ++s)
    othersHold += s == view.seat ? 0 : view.tilesHeld[static_cast<std::size_t>(s)];
  if (othersHold != bitCount(unseen)) return ordinaryAnswer(outlook, view.opening);

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
                             std::uint64_t seed) {
  return strongMove(SeatView::of(state, settings, seat), seed, deals_);
}

}  // namespace tavolix
