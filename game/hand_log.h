// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <vector>

#include "saved_match.h"
#include "texts.h"

namespace tavolix {

// One line of a hand's log: the seat, and what it did in the game's words
// ("6:4 na ponta do 6", "passou: não tem 3 nem 5"). Everything in it is
// public: what any player at a real table sees and may count.
struct LoggedMove {
  int seat = 0;
  Text what;
};

// The hand's moves in the order made, each pass with the ends it was made on;
// `endA` and `endB` are the chain's ends after the last of them (the log of a
// hand picked up, or joined, halfway begins with tiles already on the table).
std::vector<LoggedMove> handLog(const std::vector<HandEvent>& events, int endA, int endB);

}  // namespace tavolix
