// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table in words, for a player who cannot see it: his hand tile by tile,
// each with where it goes; the chain's open ends, the passes so far (public at
// a real table) and how many tiles each other seat holds. In the language in use.
#pragma once

#include <array>
#include <string>

#include <QString>

#include "game/game_state.h"
#include "game/settings.h"

namespace tavolix::reading {

// "3:6, joga na ponta 6"; "3:6, joga nas pontas 3 e 6"; "1:2, não joga";
// on an empty table "6:6, abre a mão" (or "não abre a mão" where 6:6 must open).
QString handTile(const GameState& state, const Settings& rules, TileCode tile);

// "Sua mão: 3:6, joga na ponta 6; 1:2, não joga"; "Sua mão está vazia".
QString hand(const GameState& state, const Settings& rules);

// "Pontas: 0 e 2. Zorvan passou no 3 e no 5. Pedras nas mãos: Zorvan 5,
// Melira 4, Astelo 6"; "Nenhuma pedra na mesa" before the first.
QString table(const GameState& state, const std::array<std::string, 4>& names);

}  // namespace tavolix::reading
