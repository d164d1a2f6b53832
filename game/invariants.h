// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chain_layout.h"
#include "game_state.h"
#include "settings.h"

namespace tavolix {

// What must hold between moves: every one of the 28 tiles in exactly one place
// (a hand, the chain, or the pile while dealing), hands packed at the front, the
// chain's count and ends matching what was laid, the sets kept beside the hands,
// the chain and the passes agreeing with them, partners level in pairs play.
// Returns a description of each thing that does not hold; empty when all is well.
std::vector<std::string> checkInvariants(const GameState& state, const ChainGeometry& chain,
                                         const Settings& settings, bool dealing);

// Where every tile lay after the last move, kept from one move to the next.
struct TilePlaces {
  std::array<Hand, kSeatCount> hands{};
  std::array<TileCode, kTileCount + 1> table{};
  int laid = 0;
  // The sets the game keeps beside them.
  std::array<std::uint32_t, kSeatCount> held{};
  std::uint32_t onTable = 0;
  std::array<unsigned, kSeatCount> passed{};

  static TilePlaces of(const GameState& state);
  // Whether `state` is the position kept here with one move made: the tile
  // laid (`tile`, from slot `slot` of `seat`'s hand; slot 0 for a pass) gone
  // from that slot to the end of the chain, the rest of the hand closed up
  // behind it, and no other tile moved (a hand's tiles may have been turned
  // round). The new position is kept either way.
  bool follow(const GameState& state, int seat, int slot, TileCode tile);
};

// The same as checkInvariants() after one move, where the invariants held
// before it: the tiles are checked against where they lay before the move
// (see TilePlaces::follow), which then still puts each tile in exactly one
// place, and much more quickly than looking at every tile anew.
std::vector<std::string> checkMove(TilePlaces& places, const GameState& state,
                                   const ChainGeometry& chain, const Settings& settings, int seat,
                                   int slot, TileCode tile);

}  // namespace tavolix
