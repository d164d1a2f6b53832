// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "player_record.h"

#include <algorithm>

namespace tavolix {

void PlayerRecord::addMatch(const std::vector<HandResult>& hands, const Settings& rules,
                            int winner) {
  for (const HandResult& hand : hands) {
    if (std::find(hand.scorers.begin(), hand.scorers.end(), kJog) == hand.scorers.end()) continue;
    if (hand.ending == HandResult::Ending::Blocked) {
      ++blockedWon;
    } else if (rules.pipRule()) {
      ++wentOutPipRule;
    } else if (hand.kind != GoingOut::None) {
      ++wentOut[static_cast<int>(hand.kind) - 1];
    }
  }
  const int kind = rules.pairs() ? 1 : 0;
  const int rule = rules.pipRule() ? 1 : 0;
  ++played[kind][rule];
  const bool ours = winner == kJog || (rules.pairs() && partnerOf(winner) == kJog);
  if (ours) {
    ++won[kind][rule];
    longestStreak = std::max(longestStreak, ++streak);
  } else {
    streak = 0;
  }
}

void PlayerRecord::addHintedMatch(bool won) {
  ++hintedPlayed;
  if (won) ++hintedWon;
}

void PlayerRecord::addOnlineMatch(bool won) {
  ++onlinePlayed;
  onlineWon += won ? 1 : 0;
}

int PlayerRecord::matchesPlayed() const {
  return played[0][0] + played[0][1] + played[1][0] + played[1][1];
}

int PlayerRecord::matchesWon() const { return won[0][0] + won[0][1] + won[1][0] + won[1][1]; }

}  // namespace tavolix
