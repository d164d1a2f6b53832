// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <string>
#include <vector>

#include "chain_layout.h"
#include "game_state.h"
#include "settings.h"

namespace tavolix {

// What must hold between moves: every one of the 28 tiles in exactly one place
// (a hand, the chain, or the pile while dealing), hands packed at the front, the
// chain's count and ends matching what was laid, partners level in pairs play.
// Returns a description of each thing that does not hold; empty when all is well.
std::vector<std::string> checkInvariants(const GameState& state, const ChainGeometry& chain,
                                         const Settings& settings, bool dealing);

}  // namespace tavolix
