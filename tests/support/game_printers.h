#pragma once

// Readable tiles in test failure messages: "36", or "--" for no tile.
#include <ostream>

#include "game/tile.h"

namespace tavolix {
inline void PrintTo(TileCode t, std::ostream* os) {
  *os << (t.empty() ? std::string("--") : t.text());
}
}  // namespace tavolix
