// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

// Readable tiles in test failure messages: "36", or "--" for no tile.
#include <ostream>

#include "game/tile.h"

namespace tavolix {
inline void PrintTo(TileCode t, std::ostream* os) {
  *os << (t.empty() ? std::string("--") : t.text());
}
}  // namespace tavolix
