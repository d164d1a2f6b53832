// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include "computer_player.h"
#include "match.h"
#include "strong_player.h"

namespace tavolix {

// The player's seat played by the computer's own scoring, entering the game the
// way the window's mouse does: clicks on pile tiles, drops near the end wanted,
// the Pass command. The simulator and the tests play whole matches with it.
class Autoplayer {
 public:
  // `strong`: the seat's moves are the strong computer player's.
  Autoplayer(Match& match, RandomSource& random, bool strong = false,
             int dealsPerMove = kDealsPerMove)
      : match_(match), random_(random), strong_(strong), deals_(dealsPerMove) {}

  // Does whatever the game waits for from the player; false when it waits for nothing.
  bool act();

  // The move the player's seat would make now.
  Move chooseMove();
  // Where to let the tile go so that the nearer-end rule takes `side`.
  std::pair<double, double> dropPoint(Lado side) const;

 private:
  Match& match_;
  RandomSource& random_;
  bool strong_;
  int deals_;
};

}  // namespace tavolix
