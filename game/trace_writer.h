// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <ostream>

#include "match_observer.h"

namespace tavolix {

// Writes every event of a match as one JSON object per line: the simulator's
// trace, and the table server's.
class TraceWriter : public MatchObserver {
 public:
  explicit TraceWriter(std::ostream& out) : out_(out) {}

  void matchStarted(const Settings& settings) override;
  void dealt(const GameState& state) override;
  void redealt(int seat, int doubles) override;
  void played(int seat, int slot, TileCode tile, Lado side, const GameState& state) override;
  void passed(int seat, const GameState& state) override;
  void handEnded(const HandResult& result, const GameState& state) override;
  void matchEnded(int winner, const std::array<int, 4>& standings, const GameState& state) override;

 private:
  std::ostream& out_;
};

// A JSON string literal.
std::string jsonString(const std::string& text);

}  // namespace tavolix
