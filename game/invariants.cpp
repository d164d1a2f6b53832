// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "invariants.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tavolix {

namespace {

std::string where(int seat, int slot) { return seatKey(seat) + " slot " + std::to_string(slot); }

}  // namespace

std::vector<std::string> checkInvariants(const GameState& state, const ChainGeometry& chain,
                                         const Settings& settings, bool dealing) {
  std::vector<std::string> problems;
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
    return problems;
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
  return problems;
}

}  // namespace tavolix
