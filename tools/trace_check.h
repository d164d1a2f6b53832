// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <string>
#include <vector>

#include <QByteArray>

namespace tavolix::sim {

// What a trace (tavolix-sim --trace, tavolix-server --trace: one JSON object a
// line, matches one after another) shows against the rules, played over
// again by the game's own functions: each deal whole, each move from the
// hand and the seat whose turn it is, joining the end it names, each pass
// with nothing that fits, the ends, every hand's end and points, the scores
// and each match's winner. Empty when every line holds; otherwise the first
// problems, each with its line.
struct TraceCheck {
  long matches = 0;
  long hands = 0;
  long moves = 0;
  std::vector<std::string> problems;
};
TraceCheck checkTrace(const QByteArray& trace);

}  // namespace tavolix::sim
