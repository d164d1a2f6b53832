// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game_state.h"
#include "settings.h"

namespace tavolix {

class RandomSource;

// A seat's answer when its turn comes.
struct SeatAnswer {
  enum class Kind {
    Later,  // the answer comes later, through the match's actions (the player's mouse)
    Play,   // lay the tile of `slot` at `side` (Lado::First opens the hand)
    Pass,
  };
  Kind kind = Kind::Later;
  int slot = 0;
  Lado side = Lado::First;

  static SeatAnswer later() { return {}; }
  static SeatAnswer pass() { return {Kind::Pass}; }
  static SeatAnswer play(int slot, Lado side) { return {Kind::Play, slot, side}; }
  friend bool operator==(const SeatAnswer&, const SeatAnswer&) = default;
};

// Whoever sits at a seat, as the game asks it to act: for each tile it takes
// from the pile during the deal, and for its move when its turn comes. The
// game's flow reads the same whichever kind of seat acts: the computer
// players answer at once; the player at the table answers later, with the
// mouse.
class SeatPlayer {
 public:
  virtual ~SeatPlayer() = default;

  // Whether the seat answers from the call itself. Turns of such seats follow
  // one another with the game's pause between them.
  virtual bool answersAtOnce() const { return true; }
  // The pile position (1..28, not yet taken) of the seat's next tile, or
  // nullopt when it will choose later.
  virtual std::optional<int> pileTile(const GameState& state, RandomSource& random) = 0;
  // Its move at its turn: the table is empty when it opens the hand.
  virtual SeatAnswer turn(const GameState& state, const Settings& settings, int seat) = 0;
  // A seat whose choice takes long: the match has it think() away from the
  // window's thread instead of asking turn(), the window painting meanwhile,
  // with the hand's moves so far (in order: all any player at the table saw
  // made) and a seed drawn for the turn from the game's generator.
  virtual bool thinksLong() const { return false; }
  virtual SeatAnswer think(const GameState& state, const Settings& settings, int seat,
                           const std::vector<HandEvent>& /*hand*/, std::uint64_t /*seed*/) {
    return turn(state, settings, seat);
  }
};

// The player at the table: every choice is his, made with the mouse.
class TablePlayer : public SeatPlayer {
 public:
  bool answersAtOnce() const override { return false; }
  std::optional<int> pileTile(const GameState&, RandomSource&) override { return std::nullopt; }
  SeatAnswer turn(const GameState&, const Settings&, int) override { return SeatAnswer::later(); }
};

// A player at another computer, at a table served over the network: like the
// player at this table his every choice comes later, here through
// Match::takePileTileFor() and Match::answer(), checked against the rules.
class RemotePlayer : public SeatPlayer {
 public:
  bool answersAtOnce() const override { return false; }
  std::optional<int> pileTile(const GameState&, RandomSource&) override { return std::nullopt; }
  SeatAnswer turn(const GameState&, const Settings&, int) override { return SeatAnswer::later(); }
};

// A pile position nobody has taken, drawn at random until one is found, as a
// seat takes its tiles when it does not choose them.
int drawFreePosition(const GameState& state, RandomSource& random);

}  // namespace tavolix
