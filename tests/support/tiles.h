// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <initializer_list>
#include <string_view>

#include "game/tile.h"

namespace tavolix {

// A tile from its text: tile("36").
inline TileCode tile(std::string_view text) { return *TileCode::fromText(text); }

// A hand packed from slot 1: handOf({"36", "12"}).
inline Hand handOf(std::initializer_list<std::string_view> tiles) {
  Hand hand{};
  int slot = 1;
  for (std::string_view t : tiles) hand[slot++] = tile(t);
  return hand;
}

}  // namespace tavolix
