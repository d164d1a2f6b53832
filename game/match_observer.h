// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>

#include "game_state.h"
#include "scoring.h"
#include "settings.h"

namespace tavolix {

// Follows a match event by event: the simulator's trace and figures, and the
// invariant checks. Every call comes after the game state has changed.
class MatchObserver {
 public:
  virtual ~MatchObserver() = default;
  virtual void matchStarted(const Settings&) {}
  // All 28 tiles taken, before the check for too many doubles.
  virtual void dealt(const GameState&) {}
  virtual void redealt(int /*seat*/, int /*doubles*/) {}
  virtual void played(int /*seat*/, int /*slot*/, TileCode /*tile*/, Lado, const GameState&) {}
  virtual void passed(int /*seat*/, const GameState&) {}
  // Gone out or blocked: scored, and the next opener chosen.
  virtual void handEnded(const HandResult&, const GameState&) {}
  virtual void matchEnded(int /*winner*/, const std::array<int, 4>& /*standings*/,
                          const GameState&) {}
};

}  // namespace tavolix
