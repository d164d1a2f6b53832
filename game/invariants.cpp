// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "invariants.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tavolix {

namespace {

std::string where(int seat, int slot) { return seatKey(seat) + " slot " + std::to_string(slot); }

// The common case, quickly: every tile once, hands packed and rimmed with
// empty slots, the chain's count in range and no gap in it, and the sets
// kept beside the hands, the chain and the passes agreeing with them. Every
// tile is one bit, so each is in exactly one place when the bits seen, or'ed
// together and added up, both make the full set.
bool tilesInPlace(const GameState& state, bool dealing) {
  if (state.QtdMesa < 0 || state.QtdMesa > kTileCount) return false;
  std::uint32_t seen = 0;
  std::uint64_t sum = 0;
  const auto see = [&](std::uint32_t bit) {
    seen |= bit;
    sum += bit;
  };
  bool ok = true;
  // A hand's seven slots at once: its tiles seen, and whether they are packed
  // (one bit per slot holding a tile, running unbroken from slot 1).
  const auto sweep = [&]<std::size_t... slot>(int seat, std::index_sequence<slot...>) {
    const Hand& hand = state.hand(seat);
    ok &= hand[0].empty() && hand[kHandSlots + 1].empty();
    const std::uint32_t tiles = (tileBit(hand[slot + 1]) | ...);
    (see(tileBit(hand[slot + 1])), ...);
    ok &= tiles == state.heldTiles[static_cast<std::size_t>(seat)];
    const unsigned held = ((static_cast<unsigned>(!hand[slot + 1].empty()) << slot) | ...);
    ok &= dealing || (held & (held + 1)) == 0;
  };
  for (int seat = kJog; seat <= kMac3; ++seat) sweep(seat, std::make_index_sequence<kHandSlots>());
  std::uint32_t chain = 0;
  for (int k = 1; k <= state.QtdMesa; ++k) {
    ok &= !state.Mesa[k].empty();
    chain |= tileBit(state.Mesa[k]);
    see(tileBit(state.Mesa[k]));
  }
  ok &= chain == state.tableTiles;
  for (int seat = kJog; seat <= kMac3; ++seat)
    ok &= state.passedOn(seat) == state.passedPips[static_cast<std::size_t>(seat)];
  if (dealing) {
    for (int position = 1; position <= kTileCount; ++position) {
      if (!state.pileTaken(position)) see(tileBit(state.Monte[position - 1]));
    }
  }
  return ok && seen == kAllTileBits && sum == kAllTileBits;
}

// What is wrong with the tiles, when something is.
void describeTiles(const GameState& state, bool dealing, std::vector<std::string>& problems) {
  // One bit per tile: where it has been seen once, and where more than once.
  std::uint32_t once = 0;
  std::uint32_t again = 0;
  const auto see = [&](TileCode t) {
    const std::uint32_t bit = tileBit(t);
    again |= once & bit;
    once |= bit;
  };

  for (int seat = kJog; seat <= kMac3; ++seat) {
    const Hand& hand = state.hand(seat);
    if (!hand[0].empty() || !hand[kHandSlots + 1].empty())
      problems.push_back(seatKey(seat) + ": slot 0 or 8 holds a tile");
    // One bit per slot holding a tile: packed, they run unbroken from slot 1.
    unsigned held = 0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      const TileCode t = hand[slot];
      held |= static_cast<unsigned>(!t.empty()) << (slot - 1);
      see(t);
    }
    if (!dealing && (held & (held + 1)) != 0) {
      bool gap = false;
      for (int slot = 1; slot <= kHandSlots; ++slot) {
        gap = gap || hand[slot].empty();
        if (gap && !hand[slot].empty()) problems.push_back(where(seat, slot) + ": hand not packed");
      }
    }
  }

  if (state.QtdMesa < 0 || state.QtdMesa > kTileCount) {
    problems.push_back("QtdMesa out of range: " + std::to_string(state.QtdMesa));
    return;
  }
  for (int k = 1; k <= state.QtdMesa; ++k) {
    if (state.Mesa[k].empty()) {
      problems.push_back("Mesa[" + std::to_string(k) + "] is empty");
    } else {
      see(state.Mesa[k]);
    }
  }
  if (dealing) {
    for (int position = 1; position <= kTileCount; ++position) {
      if (!state.pileTaken(position)) see(state.Monte[position - 1]);
    }
  }
  if (once != kAllTileBits || again != 0) {
    for (TileCode t : kAllTiles) {
      const std::uint32_t bit = tileBit(t);
      if (!(once & bit)) problems.push_back("tile " + t.text() + " is nowhere");
      if (again & bit) problems.push_back("tile " + t.text() + " is in more than one place");
    }
  }
}

// The sets kept beside the hands, the chain and the pass records, against
// those worked out from them anew.
void checkSets(const GameState& state, std::vector<std::string>& problems) {
  const GameState::Sets counted = state.countSets();
  for (int seat = kJog; seat <= kMac3; ++seat) {
    if (counted.heldTiles[seat] != state.heldTiles[seat])
      problems.push_back(seatKey(seat) + ": the tiles counted in the hand are not its slots'");
    if (counted.passedPips[seat] != state.passedPips[seat])
      problems.push_back(seatKey(seat) + ": the pips counted as passed on are not its passes'");
  }
  if (counted.tableTiles != state.tableTiles)
    problems.push_back("the tiles counted on the table are not the chain's");
}

// The chain's count and ends, and the partners' scores, quickly: whether all is well.
bool chainInPlace(const GameState& state, const ChainGeometry& chain, const Settings& settings) {
  const int laid = state.QtdMesa;
  bool ok = !settings.pairs() ||
            (state.Pontos[0] == state.Pontos[2] && state.Pontos[1] == state.Pontos[3]);
  if (laid == 0) return ok && state.QtdLadoA == 0 && state.QtdLadoB == 0;
  if (laid != 1 + state.QtdLadoA + state.QtdLadoB || chain.lastA < 1 || chain.lastA > laid ||
      chain.lastB < 1 || chain.lastB > laid)
    return false;
  const TileCode a = state.Mesa[chain.lastA];
  const TileCode b = state.Mesa[chain.lastB];
  ok &= (chain.lastA == 1 ? a.first() : ChainLayout::outwardPip(a, chain.DirA)) == state.PontaA;
  ok &= (chain.lastB == 1 ? b.last() : ChainLayout::outwardPip(b, chain.DirB)) == state.PontaB;
  return ok;
}

// What is wrong with the chain's count and ends, and the partners' scores.
void checkChain(const GameState& state, const ChainGeometry& chain, const Settings& settings,
                std::vector<std::string>& problems) {
  if (state.QtdMesa > 0) {
    if (state.QtdMesa != 1 + state.QtdLadoA + state.QtdLadoB) {
      problems.push_back("QtdMesa " + std::to_string(state.QtdMesa) + " != 1 + " +
                         std::to_string(state.QtdLadoA) + " + " + std::to_string(state.QtdLadoB));
    }
    // The ends shown are the outer pips of the last tile at each side.
    const auto outer = [&](int index, bool sideA, Direction dir) {
      const TileCode t = state.Mesa[index];
      if (index == 1) return sideA ? t.first() : t.last();
      return ChainLayout::outwardPip(t, dir);
    };
    if (chain.lastA < 1 || chain.lastA > state.QtdMesa || chain.lastB < 1 ||
        chain.lastB > state.QtdMesa) {
      problems.push_back("chain ends point outside the table");
    } else {
      if (outer(chain.lastA, true, chain.DirA) != state.PontaA)
        problems.push_back("end A does not match the chain");
      if (outer(chain.lastB, false, chain.DirB) != state.PontaB)
        problems.push_back("end B does not match the chain");
    }
  } else if (state.QtdLadoA != 0 || state.QtdLadoB != 0) {
    problems.push_back("tiles counted on a side of an empty table");
  }

  if (settings.pairs() &&
      (state.Pontos[0] != state.Pontos[2] || state.Pontos[1] != state.Pontos[3])) {
    problems.push_back("partners' scores differ");
  }
}

// The mover's hand as it should now stand: each slot from the gap on takes
// the next one's tile. Slots 0 to 7 are moved as two eight-byte words, and
// written back whole: the hand is read again at once, eight bytes at a time,
// and reading what was written in smaller pieces would wait for them.
void closeUpKept(Hand& hand, int slot) {
  static_assert(sizeof(Hand) == 18 && sizeof(TileCode) == 2);
  if constexpr (std::endian::native == std::endian::little) {
    unsigned char* bytes = reinterpret_cast<unsigned char*>(hand.data());
    std::uint64_t low, high;
    std::uint16_t last;
    std::memcpy(&low, bytes, 8);
    std::memcpy(&high, bytes + 8, 8);
    std::memcpy(&last, bytes + 16, 2);
    // The bits of the slots before the gap, which stay.
    const int keptBits = 16 * slot;
    const std::uint64_t keepLow =
        keptBits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << keptBits) - 1;
    const std::uint64_t keepHigh = keptBits <= 64 ? 0 : (std::uint64_t{1} << (keptBits - 64)) - 1;
    const std::uint64_t nextLow = (low >> 16) | (high << 48);
    const std::uint64_t nextHigh = (high >> 16) | (std::uint64_t{last} << 48);
    low = (low & keepLow) | (nextLow & ~keepLow);
    high = (high & keepHigh) | (nextHigh & ~keepHigh);
    std::memcpy(bytes, &low, 8);
    std::memcpy(bytes + 8, &high, 8);
  } else {
    const Hand was = hand;
    for (int k = 1; k <= kHandSlots; ++k) hand[k] = k < slot ? was[k] : was[k + 1];
  }
}

// The same tile in each slot, either way round.
bool sameTiles(const Hand& a, const Hand& b) {
  if (std::memcmp(a.data(), b.data(), sizeof a) == 0) return true;
  for (std::size_t slot = 0; slot < a.size(); ++slot) {
    if (a[slot] != b[slot] && a[slot] != b[slot].reversed()) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> checkInvariants(const GameState& state, const ChainGeometry& chain,
                                         const Settings& settings, bool dealing) {
  std::vector<std::string> problems;
  if (!tilesInPlace(state, dealing)) {
    describeTiles(state, dealing, problems);
    if (state.QtdMesa < 0 || state.QtdMesa > kTileCount) return problems;
    checkSets(state, problems);
  }
  if (!chainInPlace(state, chain, settings)) checkChain(state, chain, settings, problems);
  return problems;
}

TilePlaces TilePlaces::of(const GameState& state) {
  TilePlaces places;
  for (int seat = kJog; seat <= kMac3; ++seat) places.hands[seat] = state.hand(seat);
  places.table = state.Mesa;
  places.laid = state.QtdMesa;
  places.held = state.heldTiles;
  places.onTable = state.tableTiles;
  places.passed = state.passedPips;
  return places;
}

bool TilePlaces::follow(const GameState& state, int seat, int slot, TileCode tile) {
  const bool laying = slot > 0;
  const std::uint32_t bit = tileBit(tile);
  if (laying && (slot > kHandSlots || !isSeat(seat) || bit == 0 || laid >= kTileCount ||
                 tileBit(hands[seat][slot]) != bit)) {
    *this = of(state);
    return false;
  }
  if (laying) closeUpKept(hands[seat], slot);
  bool same = true;
  for (int s = kJog; s <= kMac3; ++s) {
    Hand& kept = hands[s];
    const Hand& now = state.hand(s);
    if (std::memcmp(kept.data(), now.data(), sizeof kept) != 0) {
      same &= sameTiles(kept, now);
      kept = now;
    }
  }
  if (laying) {
    // The chain may show it either way round.
    const TileCode shown = state.Mesa[laid + 1];
    same &= tileBit(shown) == bit;
    table[++laid] = shown;
  }
  // The sets as they should now be, xor'ed with the game's and or'ed
  // together: nothing left when all agree. Each seat's are worked out whole
  // before they are kept, none written a seat at a time and read back.
  const std::uint32_t laidBit = laying ? bit : 0u;
  const unsigned passedOn =
      !laying && isSeat(seat) ? (1u << state.PontaA) | (1u << state.PontaB) : 0u;
  std::uint32_t differ = (onTable | laidBit) ^ state.tableTiles;
  for (int s = kJog; s <= kMac3; ++s) {
    const std::uint32_t heldNow = held[s] & ~(s == seat ? laidBit : 0u);
    const unsigned passedNow = passed[s] | (s == seat ? passedOn : 0u);
    differ |= (heldNow ^ state.heldTiles[s]) | (passedNow ^ state.passedPips[s]);
    held[s] = heldNow;
    passed[s] = passedNow;
  }
  onTable |= laidBit;
  same &= differ == 0;
  same &= state.QtdMesa == laid && std::memcmp(table.data(), state.Mesa.data(), sizeof table) == 0;
  if (!same) *this = of(state);
  return same;
}

std::vector<std::string> checkMove(TilePlaces& places, const GameState& state,
                                   const ChainGeometry& chain, const Settings& settings, int seat,
                                   int slot, TileCode tile) {
  if (!places.follow(state, seat, slot, tile)) {
    std::vector<std::string> problems = checkInvariants(state, chain, settings, false);
    problems.insert(problems.begin(), "tiles moved other than by " +
                                          (slot > 0 ? seatKey(seat) + " laying " + tile.text()
                                                    : seatKey(seat) + " passing"));
    return problems;
  }
  std::vector<std::string> problems;
  if (!chainInPlace(state, chain, settings)) checkChain(state, chain, settings, problems);
  return problems;
}

}  // namespace tavolix
