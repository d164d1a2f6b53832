// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <optional>

#include "game_state.h"

namespace tavolix {

// The game the player at this table plays, as his hand, the pile and the Pass
// command ask it to act: a match played here, or one played on a table
// server. Each action is ignored when he may not do it at that moment.
class TableGame {
 public:
  // What the game waits for from the player.
  enum class Awaiting {
    Nothing,   // not started, or the game is busy
    PileTile,  // a click on a face-down pile tile
    Move,      // a tile dropped on the table, or the Pass command when offered
    Finished,  // the program is ending
  };

  virtual ~TableGame() = default;

  // The hands and the table drawn, seat 0 the player's.
  virtual const GameState& state() const = 0;
  virtual Awaiting awaiting() const = 0;
  virtual bool passOffered() const = 0;

  // A left click on face-down pile tile `position` (1..28).
  virtual void takePileTile(int position) = 0;
  // The release of the tile carried from hand slot `slot`, with the floating
  // tile's upper left corner in twips; `reordered` when the carry moved tiles
  // along the hand. `end`, when given, is the end the player named (from the
  // keyboard) for a tile that fits both, instead of the nearer one.
  virtual void drop(int slot, double top, double left, bool reordered,
                    std::optional<Lado> end = std::nullopt) = 0;
  // Whether a drop of the tile in slot `slot` would be taken now.
  virtual bool takesDrop(int slot) const = 0;
  // A right click on a hand tile: its halves swap. True when done.
  virtual bool flipTile(int slot) = 0;
  // The carried tile moves along the hand from slot `from` to slot `to`, the
  // tiles between closing up. True when done.
  virtual bool moveTileInHand(int from, int to) = 0;
  // The Pass command.
  virtual void passTurn() = 0;
};

}  // namespace tavolix
