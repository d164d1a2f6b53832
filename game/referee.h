// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <string>

#include "invariants.h"
#include "match_observer.h"

namespace tavolix {

class Match;

// Checks a match after every event: the invariants (invariants.h), each move
// against the position before it, the order of the turns (the opener first,
// then each seat after the one before) and, in pairs, partners level. What
// does not hold is told to `report` ("after mac1 played 36: ..."); every
// event then goes on to `next`, when there is one. The simulator and the
// table server both play under it.
class Referee : public MatchObserver {
 public:
  using Report = std::function<void(const std::string& problem)>;
  Referee(const Match& match, Report report, MatchObserver* next = nullptr)
      : match_(match), report_(std::move(report)), next_(next) {}

  // Follows a match picked up where it was kept: `toMove` is to play next.
  void pickUp(const GameState& state, int toMove);

  void matchStarted(const Settings& settings) override;
  void dealt(const GameState& state) override;
  void redealt(int seat, int doubles) override;
  void played(int seat, int slot, TileCode tile, Lado side, const GameState& state) override;
  void passed(int seat, const GameState& state) override;
  void handEnded(const HandResult& result, const GameState& state) override;
  void matchEnded(int winner, const std::array<int, 4>& standings, const GameState& state) override;

 private:
  void check(const GameState& state, bool dealing, const char* when);
  // `when` describes the moment, and is only worked out when something is wrong.
  template <class When>
  void checkMove(const GameState& state, int seat, int slot, TileCode tile, When&& when);
  template <class When>
  void checkTurn(int seat, int expected, When&& when);

  const Match& match_;
  Report report_;
  MatchObserver* next_;
  int toMove_ = -1;  // whose turn it is, as the referee counts
  TilePlaces places_;
};

}  // namespace tavolix
