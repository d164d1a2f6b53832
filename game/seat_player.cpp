// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "seat_player.h"

#include "random_source.h"

namespace tavolix {

int drawFreePosition(const GameState& state, RandomSource& random) {
  int position = 0;
  do {
    position = random.draw(kTileCount);
  } while (state.pileTaken(position));
  return position;
}

}  // namespace tavolix
