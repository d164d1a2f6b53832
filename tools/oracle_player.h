// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include "game/computer_player.h"

namespace tavolix::sim {

// A player that sees every hand: it plays each of its moves out once with the
// tiles where they really lie, every seat by the ordinary computer's scores,
// and lays the one that gives its side the best chance of winning the match.
// What reading the table could gain at most, measured in the simulator; never
// a level of the game.
class OracleSeat : public ComputerSeat {
 public:
  SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override;
};

}  // namespace tavolix::sim
