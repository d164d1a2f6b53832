// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The chance of winning the match from the scores, by which the master player
// weighs the end of a hand.
#include <algorithm>
#include <array>

#include <gtest/gtest.h>

#include "game/master_player.h"
#include "game/match_odds.h"
#include "watched_play.h"

namespace tavolix {
namespace {

// In pairs, even scores are an even match, the two sides' chances make one,
// and a side's chance grows with its points and falls with the others'; a
// side at the limit has won. Under the pip rule a limit far beyond the table's
// size is counted in steps and keeps the same shape.
TEST(MatchOdds, InPairsTheChancesOfTheTwoSidesMakeOne) {
  for (const Settings& rules :
       {rulesOf(true, 1, 4), rulesOf(true, 2, 100), rulesOf(true, 2, 32767)}) {
    const MatchOdds odds(rules);
    const int limit = rules.PontosLimit;
    EXPECT_NEAR(odds.winChance({0, 0, 0, 0}, kJog), 0.5, 1e-9);
    const int step = std::max(1, limit / 4);
    double before = 0;
    for (int ours = 0; ours < limit; ours += step) {
      const std::array<int, 4> scores{ours, step, ours, step};
      const double chance = odds.winChance(scores, kMac2);
      EXPECT_NEAR(chance + odds.winChance(scores, kMac1), 1.0, 1e-9) << ours;
      EXPECT_GT(chance, before) << ours << " of " << limit;
      before = chance;
    }
    EXPECT_EQ(odds.winChance({limit, 0, limit, 0}, kJog), 1.0);
    EXPECT_EQ(odds.winChance({limit, 0, limit, 0}, kMac3), 0.0);
  }
  // Under the first rule one point from the limit against none: most hands are won
  // by one point or more, so the side wins unless the others win four hands first.
  const MatchOdds first(rulesOf(true, 1, 4));
  EXPECT_GT(first.winChance({3, 0, 3, 0}, kJog), 0.9);
}

// Under the pip rule a hand won can score as little as a couple of points (the
// others left with a 0:1 and a 0:0, say): of two sides each one hand from the
// limit, the one three points short has the worse chance, as a small win
// leaves it short; two points short, any win will do.
TEST(MatchOdds, UnderThePipRuleASmallWinMayFallShortOfTheLimit) {
  for (const bool pairs : {true, false}) {
    const MatchOdds odds(rulesOf(pairs, 2, 100));
    const double even = odds.winChance({98, 98, 98, 98}, kJog);
    const double threeShort = odds.winChance({97, 98, 97, 98}, kJog);
    EXPECT_NEAR(even, pairs ? 0.5 : 0.25, 1e-9) << pairs;
    EXPECT_LT(threeShort, even - (pairs ? 1e-3 : 1e-4)) << pairs;  // alone, rarer still
    EXPECT_GT(threeShort, even - 0.05) << pairs;                   // small wins are few
  }
}

// Alone, the four chances make one and the leader's is the best.
TEST(MatchOdds, AloneTheFourChancesMakeOne) {
  const MatchOdds odds(rulesOf(false, 2, 100));
  const std::array<int, 4> scores{40, 75, 10, 40};
  double total = 0;
  for (int s = 0; s < kSeatCount; ++s) total += odds.winChance(scores, s);
  EXPECT_NEAR(total, 1.0, 1e-9);
  EXPECT_GT(odds.winChance(scores, kMac1), odds.winChance(scores, kJog));
  EXPECT_NEAR(odds.winChance(scores, kJog), odds.winChance(scores, kMac3), 1e-12);
  EXPECT_LT(odds.winChance(scores, kMac2), odds.winChance(scores, kJog));
  EXPECT_NEAR(odds.winChance({0, 0, 0, 0}, kMac2), 0.25, 1e-9);
}

// What the end of a hand is worth to a seat: a tie leaves its chance as it
// was; its partner's points are its own; the others' lower it.
TEST(MatchOdds, AHandIsWorthTheChanceOfWinningAfterIt) {
  SeatView view;
  view.seat = kMac1;
  view.rules = rulesOf(true, 1, 4);
  view.scores = {1, 2, 1, 2};
  HandWorth worth(view);
  const MatchOdds odds(view.rules);
  HandResult tie;
  EXPECT_EQ(worth.of(tie), odds.winChance(view.scores, kMac1));
  HandResult partner;
  partner.winner = kMac3;
  partner.points = 2;
  partner.scorers = {kMac3, kMac1};
  EXPECT_EQ(worth.of(partner), 1.0);  // 2 + 2 reaches the limit
  HandResult others = partner;
  others.winner = kJog;
  others.points = 1;
  others.scorers = {kJog, kMac2};
  EXPECT_LT(worth.of(others), worth.of(tie));
  EXPECT_EQ(worth.of(others), odds.winChance({2, 2, 2, 2}, kMac1));
}

}  // namespace
}  // namespace tavolix
