// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

// The hand played on in thought, as the computer's stronger levels weigh
// their moves: each seat's tiles as a set, every seat choosing by the
// ordinary computer's scores.

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "computer_player.h"
#include "scoring.h"
#include "strong_player.h"

namespace tavolix {

inline TileCode tileAt(std::uint32_t bits) {
  return kAllTiles[static_cast<std::size_t>(std::countr_zero(bits))];
}

inline int pipsIn(std::uint32_t tiles) {
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

// How the hand ended, now that `seat` has laid a tile or passed; nullopt while play goes on.
std::optional<HandResult> handOver(const Line& line, int seat, const Settings& rules);

// What the end of the hand is worth to `me`'s side, now that `seat` has laid
// a tile or passed: the points it scores, or minus those another side scores;
// nullopt while play goes on.
std::optional<int> worth(const Line& line, int seat, int me, const Settings& rules);

// One seat's move in thought, by the ordinary scores: true when the hand is over.
bool playOn(Line& line, int seat, const Settings& rules);

// Plays the hand out from `seat`'s turn, every seat by the ordinary scores,
// and tells what it is worth to `me`'s side.
int playOut(Line line, int seat, int me, const Settings& rules);

// The hand as the seat sees it: its own tiles in place, the others' still to deal.
Line lineOf(const SeatView& view);

// A move weighed, and what it came to.
struct Candidate {
  int slot = 0;
  Lado side = Lado::First;
  long value = 0;
};

// The moves worth weighing, the ordinary computer's choice first so that it
// wins ties: laying any tile when opening freely, otherwise every tile and end
// the rules allow (a score above 0), an end given once when both show the same pip.
std::vector<Candidate> candidates(const SeatView& view, const Outlook& outlook);

// What a seat weighs at its turn: the hand as it sees it, its own tiles and
// the moves worth weighing; or, when there is nothing to weigh (an opening
// that must be 6:6, a pass, a single move), the answer.
struct MovesToWeigh {
  Line start;
  std::uint32_t mine = 0;
  std::vector<Candidate> moves;
  std::optional<SeatAnswer> answer;
};
MovesToWeigh movesToWeigh(const SeatView& view);

}  // namespace tavolix
