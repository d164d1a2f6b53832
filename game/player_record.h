// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <vector>

#include "scoring.h"
#include "settings.h"

namespace tavolix {

// The player's record over every match he finished: matches played and won by
// kind of game and scoring rule, the hands his side won by each way, and his
// winning streaks.
struct PlayerRecord {
  // [kind][rule]: kind 0 individual, 1 pairs; rule 0 by the kind of going out, 1 the pip rule.
  std::array<std::array<int, 2>, 2> played{};
  std::array<std::array<int, 2>, 2> won{};
  // Hands his side won going out: Simples, Lá e Lô, Carroção, Cruzada under
  // the first rule; under the pip rule; and by the blocked count.
  std::array<int, 4> wentOut{};
  int wentOutPipRule = 0;
  int blockedWon = 0;
  int streak = 0;  // matches won in a row, up to the last one
  int longestStreak = 0;
  // Matches at tables online, with other people: counted apart from those
  // against the computer players, and in none of the counts above.
  int onlinePlayed = 0;
  int onlineWon = 0;
  // Matches in which he asked for a hint: counted apart too, and in none of
  // the counts above.
  int hintedPlayed = 0;
  int hintedWon = 0;

  // A match over: its hands and rules, and the seat that won it.
  void addMatch(const std::vector<HandResult>& hands, const Settings& rules, int winner);
  // A match at a table online over: whether the player's side won it.
  void addOnlineMatch(bool won);
  // A match over in which he asked for a hint: whether his side won it.
  void addHintedMatch(bool won);
  int matchesPlayed() const;
  int matchesWon() const;

  friend bool operator==(const PlayerRecord&, const PlayerRecord&) = default;
};

}  // namespace tavolix
