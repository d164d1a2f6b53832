// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <vector>

#include "scoring.h"
#include "seat.h"
#include "settings.h"
#include "strong_player.h"

namespace tavolix {

// The chance of winning the match from given scores, for the computer's
// master level: a hand is won by either side alike, and scores what hands
// commonly score under the match's rule (measured over many simulated
// matches). In pairs the chance is worked out exactly for that model; alone,
// from the chances of each seat against each other seat, as in a race of two.
class MatchOdds {
 public:
  explicit MatchOdds(const Settings& rules);

  // The chance that `seat` (with its partner, in pairs) wins the match from `scores`.
  double winChance(const std::array<int, kSeatCount>& scores, int seat) const;

 private:
  // The chance that a side on `ours` points reaches the limit before one on `theirs`.
  double race(int ours, int theirs) const;
  int steps(int points) const;

  bool pairs_;
  int limit_;
  int grid_;                  // the limit in steps of the table (at most kMaxGrid)
  double scale_;              // points a step
  std::vector<double> race_;  // race_[ours * grid_ + theirs], in steps
};

// The worth of each way the hand may end, to the side of the seat in `view`:
// its chance of winning the match once the points are scored. Worked out once
// for each way.
class HandWorth {
 public:
  explicit HandWorth(const SeatView& view) : view_(view), odds_(view.rules) {}
  double of(const HandResult& result);

 private:
  static constexpr int kMostPoints = 256;
  const SeatView& view_;
  MatchOdds odds_;
  std::array<std::array<double, kMostPoints>, kSeatCount> known_ = [] {
    std::array<std::array<double, kMostPoints>, kSeatCount> a{};
    for (auto& row : a) row.fill(-1);
    return a;
  }();
  double now_ = -1;
};

}  // namespace tavolix
