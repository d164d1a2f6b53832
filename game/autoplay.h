// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include "computer_player.h"
#include "match.h"

namespace tavolix {

// The player's seat played by the computer's own scoring, entering the game the
// way the window's mouse does: clicks on pile tiles, drops near the end wanted,
// the Pass command. The simulator and the tests play whole matches with it.
class Autoplayer {
 public:
  // `level`, when given: the seat's moves are that computer player's, asked
  // to think with a seed from the game's generator.
  Autoplayer(Match& match, RandomSource& random, SeatPlayer* level = nullptr)
      : match_(match), random_(random), level_(level) {}

  // Does whatever the game waits for from the player; false when it waits for nothing.
  bool act();

  // The move the player's seat would make now.
  Move chooseMove();
  // Where to let the tile go so that the nearer-end rule takes `side`.
  std::pair<double, double> dropPoint(Lado side) const;

 private:
  Match& match_;
  RandomSource& random_;
  SeatPlayer* level_;
};

}  // namespace tavolix
