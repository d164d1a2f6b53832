// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cstdint>
#include <vector>

#include "computer_player.h"
#include "playout.h"
#include "strong_player.h"
#include "unseen_deals.h"

namespace tavolix {

class HandWorth;

// The computer's master level ("Mestre"). Like the strong level it deals the
// tiles it cannot see in the ways that agree with what it has seen and plays
// each of its moves out in each deal; but it also reads the table: a deal in
// which the others would have played as they did is more likely than one in
// which they would have had to surprise (each seat's moves so far are weighed
// by the ordinary player's choice, softened, so that a surprising move makes
// a deal less likely without ruling it out, and each seat is taken to play
// either close to the ordinary player or more freely, as its own moves tell);
// and it lays the move that gives its side the best chance of winning the
// match, from the scores and the limit, rather than the most points this
// hand. Near a hand's end in pairs it plays each deal out exactly, both pairs
// at their best, instead of by the ordinary player's choices. It reads
// nothing but what a player at its seat sees.

// How likely the moves of the hand so far were, for the hands a deal gives
// the other seats.
//
// A seat is taken to play either close to the ordinary player or more freely,
// each as likely, and its own moves tell which: a deal's chance for a seat is
// the average, over those ways, of the chance of all its moves. `surprises`
// are the shares of a seat's moves taken to be other than the ordinary
// player's choice, one for each way (one to four; none reads it as the
// ordinary player exactly). Read with one way only, a seat that plays
// otherwise than the ordinary player (a stronger one, or a person) is
// misread.
class TableReading {
 public:
  TableReading(const SeatView& view, const std::vector<HandEvent>& hand,
               std::vector<double> surprises);

  // The chance of the others' moves so far, were their hands these.
  double likelihood(const Hands& hands) const;
  // How many moves of the others it reads (none when the hand's moves are not all known).
  int movesRead() const { return static_cast<int>(moves_.size()); }

 private:
  struct Read {
    int seat = 0;
    Facts facts;                  // the table when it moved (its hand left out)
    std::uint32_t laidSince = 0;  // its tiles laid from this move on, this one's too
    TileCode tile;
    Lado side = Lado::First;
    bool opening = false;
  };
  // How the ordinary player would have made a move from this hand: the
  // chance it had of being its choice, and how many moves it had.
  struct Choice {
    double ordinary = 0;
    int legal = 0;
  };
  Choice choice(const Read& move, std::uint32_t hand) const;

  std::vector<Read> moves_;  // seat by seat, each seat's in the order it made them
  std::vector<double> surprises_;
};

// The chance of the match for the pair `side` (0: seats 0 and 2; 1: seats 1
// and 3), every hand seen and `seat` to move, when both pairs play their best;
// `worth` gives a hand's end as that pair's chance. How the master player
// plays out a deal near a hand's end in pairs.
double exactChance(const Line& line, int seat, int side, const Settings& rules, HandWorth& worth);

// How hard the master player thinks: the deals it draws and weighs for each
// move, and of those the deals it plays out.
struct MasterEffort {
  int drawn = 12000;
  int played = 3000;
};

// The master player's move for the seat in `view`, the hand's moves so far in
// `hand`; `seed` makes its deals. The same view, moves and seed always give
// the same move.
SeatAnswer masterMove(const SeatView& view, const std::vector<HandEvent>& hand, std::uint64_t seed,
                      MasterEffort effort = {});

// A computer seat at the master level, thinking away from the window's thread.
class MasterSeat : public ComputerSeat {
 public:
  explicit MasterSeat(MasterEffort effort = {}) : effort_(effort) {}
  bool thinksLong() const override { return true; }
  SeatAnswer think(const GameState& state, const Settings& settings, int seat,
                   const std::vector<HandEvent>& hand, std::uint64_t seed) override;

 private:
  MasterEffort effort_;
};

}  // namespace tavolix
