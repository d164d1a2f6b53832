// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "computer_player.h"

#include <algorithm>
#include <array>
#include <bit>

#include "random_source.h"

namespace tavolix {

Facts Facts::of(const GameState& state, const Settings& settings, int seat) {
  Facts f;
  f.pontaA = state.PontaA;
  f.pontaB = state.PontaB;
  f.qtdLadoA = state.QtdLadoA;
  f.qtdLadoB = state.QtdLadoB;
  f.onTable = state.tableTiles;
  f.inHand = state.heldTiles[static_cast<std::size_t>(seat)];
  // Each pass records two pips: a seat that passed lacks at least one.
  f.nextLacks = state.passedPips[static_cast<std::size_t>(nextSeat(seat, settings.SentidoHorario))];
  f.nextHasPassed = f.nextLacks != 0;
  f.fecharSoNoNatural = settings.FecharSoNoNatural;
  f.mustOpenWithDoubleSix = state.PrimeiraRodada || settings.TipoInicio == 2;
  return f;
}

namespace {

// How many pips a set of pips holds (seven bits).
constexpr std::array<std::int8_t, 128> kPipCount = [] {
  std::array<std::int8_t, 128> count{};
  for (unsigned m = 0; m < 128; ++m) count[m] = static_cast<std::int8_t>(bitCount(m));
  return count;
}();

// The pips a set of tiles shows, looked up seven tiles at a time: entry m of
// part c is for the tiles 7c to 7c + 6 of the set, one bit of m each.
constexpr int kPartTiles = 7;
constexpr int kParts = kTileCount / kPartTiles;
static_assert(kParts * kPartTiles == kTileCount);
constexpr auto kPipsShownByPart = [] {
  std::array<std::array<std::uint8_t, 1 << kPartTiles>, kParts> shown{};
  for (int part = 0; part < kParts; ++part) {
    for (unsigned m = 0; m < (1u << kPartTiles); ++m) {
      for (int k = 0; k < kPartTiles; ++k) {
        if (m & (1u << k))
          shown[part][m] |= static_cast<std::uint8_t>(kAllTiles[part * kPartTiles + k].pipMask());
      }
    }
  }
  return shown;
}();

// One bit per pip shown by some tile of `tiles`.
unsigned pipsShown(std::uint32_t tiles) {
  unsigned pips = 0;
  for (int part = 0; part < kParts; ++part)
    pips |= kPipsShownByPart[part][(tiles >> (part * kPartTiles)) & ((1u << kPartTiles) - 1)];
  return pips;
}

}  // namespace

Outlook::Outlook(const Facts& facts) : f_(facts), tiles_(bitCount(facts.inHand)) {}

Outlook::Outlook(const Facts& facts, const Hand& hand) : Outlook(facts) {
  hand_ = hand;
  // An empty slot has no tile bit: its slot number lands in the spare entry.
  for (int slot = 1; slot <= kHandSlots; ++slot)
    slotOf_[static_cast<std::size_t>(std::countr_zero(tileBit(hand[slot])))] =
        static_cast<std::int8_t>(slot);
}

Outlook::Outlook(const GameState& state, const Settings& settings, int seat)
    : Outlook(Facts::of(state, settings, seat), state.hand(seat)) {}

// The pip of t that faces outwards once laid at `side`.
int Outlook::newEnd(TileCode t, Lado side) const {
  return t.first() == endValue(side) ? t.last() : t.first();
}

int Outlook::OProximoNaoTem(TileCode t, Lado side) const {
  if (!f_.nextHasPassed) return 0;
  const auto lacks = [&](int pip) { return static_cast<int>((f_.nextLacks >> pip) & 1u); };
  return lacks(otherEndValue(side)) + lacks(newEnd(t, side));
}

int Outlook::variety(TileCode t) const {
  // The pips the rest of the hand covers without this tile.
  const int covered = kPipCount[pipsShown(f_.inHand & ~tileBit(t))];
  return covered > 0 && t.isDouble() ? covered + 1 : covered;
}

bool Outlook::VaideixarPonta(TileCode t, Lado side) const {
  // The hand and the table never share a tile.
  const std::uint32_t seen = f_.inHand | f_.onTable;
  const auto allSevenSeen = [&](int pip) {
    return (seen & kTilesWithPip[pip]) == kTilesWithPip[pip];
  };
  return allSevenSeen(otherEndValue(side)) || allSevenSeen(newEnd(t, side));
}

bool Outlook::VaiFecharNaoNatural(Lado side) const {
  if (onTable(otherEndValue(side)) < 6) return false;
  return onTable(endValue(side)) < 6;
}

int Outlook::score(TileCode t, Lado side) const {
  const int end = endValue(side);
  // Tests and'ed and or'ed bit by bit, as they differ from tile to tile.
  if (t.empty() | ((t.first() != end) & (t.last() != end))) return 0;

  const bool crosswise = ((t.first() == f_.pontaA) & (t.last() == f_.pontaB)) |
                         ((t.last() == f_.pontaA) & (t.first() == f_.pontaB));
  if (!t.isDouble() & crosswise) {
    if (tiles_ < 2 || !f_.fecharSoNoNatural) return 1;
    return VaiFecharNaoNatural(side) ? 0 : 1;
  }
  const int n = OProximoNaoTem(t, side);
  if (n == 2) return 15;
  if (VaideixarPonta(t, side)) return 14;
  if (n == 1) return 12;
  if (!t.isDouble()) return variety(t) + 2;
  return 10;
}

Lado Outlook::firstSideToTry() const { return f_.qtdLadoA < f_.qtdLadoB ? Lado::A : Lado::B; }

namespace {

// A move as one number, so that the best is the largest: its score times 64,
// then 32 more on the side tried first, then 31 less its tile's rank (1..28)
// among the tiles of the hand.
constexpr int kFirstSide = 32;
constexpr int kRanks = 32;

}  // namespace

template <class Rank>
Outlook::Best Outlook::best(Rank&& rank) const {
  const Lado first = firstSideToTry();
  const Lado order[] = {first, first == Lado::A ? Lado::B : Lado::A};
  // Only the tiles that match an end can score: those of the side tried first
  // in the low half of one word, the others in the high half, all in one loop.
  std::uint64_t fits = f_.inHand & kTilesWithPip[static_cast<std::size_t>(endValue(order[0]))];
  fits |= std::uint64_t{f_.inHand & kTilesWithPip[static_cast<std::size_t>(endValue(order[1]))]}
          << 32;
  int best = 0;
  for (; fits != 0; fits &= fits - 1) {
    const int bit = std::countr_zero(fits);
    const int tried = bit >> 5;
    const auto n = static_cast<std::size_t>(bit & 31);
    const int s = score(kAllTiles[n], order[tried]);
    const int r = rank(n);
    // No branch to mispredict on each tile: the largest is kept.
    const int key = s > 0 && r > 0 ? s * 64 + (tried == 0 ? kFirstSide : 0) + kRanks - 1 - r : 0;
    best = std::max(best, key);
  }
  if (best == 0) return {};
  return {kRanks - 1 - best % kRanks, order[(best & kFirstSide) != 0 ? 0 : 1]};
}

int Outlook::bestBySlot() const {
  // A tie goes to the lower slot.
  const Best move = best([&](std::size_t n) { return int{slotOf_[n]}; });
  return move.rank * 2 + (move.side == Lado::B ? 1 : 0);
}

int Outlook::bestByTile() const {
  // A tie goes to the tile that comes first in the set.
  const Best move = best([](std::size_t n) { return static_cast<int>(n) + 1; });
  return move.rank * 2 + (move.side == Lado::B ? 1 : 0);
}

std::optional<int> Outlook::chooseOpeningSlot() const {
  if (f_.mustOpenWithDoubleSix) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand_[slot] == kDoubleSix) return slot;
    }
    return std::nullopt;
  }
  int chosen = 1;
  int best = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (hand_[slot].empty()) continue;
    const int v = TereiPintas(slot);
    if (v > best) {
      best = v;
      chosen = slot;
    }
  }
  return chosen;
}

int QuantasTem(const GameState& state, int seat) {
  return isSeat(seat) ? bitCount(state.heldTiles[static_cast<std::size_t>(seat)]) : 0;
}

bool VaiFecharNaoNatural(const GameState& state, Lado side) {
  return Outlook(state, Settings(), kJog).VaiFecharNaoNatural(side);
}

std::optional<int> ComputerSeat::pileTile(const GameState& state, RandomSource& random) {
  return drawFreePosition(state, random);
}

SeatAnswer ordinaryAnswer(const Outlook& outlook, bool opening) {
  if (opening) {
    if (const auto slot = outlook.chooseOpeningSlot()) return SeatAnswer::play(*slot, Lado::First);
  }
  if (const auto move = outlook.chooseMove()) return SeatAnswer::play(move->slot, move->side);
  return SeatAnswer::pass();
}

SeatAnswer ComputerSeat::turn(const GameState& state, const Settings& settings, int seat) {
  return ordinaryAnswer(Outlook(state, settings, seat),
                        state.QuemInicia == seat && state.QtdMesa == 0);
}

}  // namespace tavolix
