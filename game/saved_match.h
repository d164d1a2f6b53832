// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <variant>
#include <vector>

#include "chain_layout.h"
#include "game_state.h"
#include "presentation.h"
#include "scoring.h"
#include "settings.h"

namespace tavolix {

// A match stopped where the player was asked for something (a pile tile, a
// move or a pass), with all it takes to go on from there in another run.
struct SavedMatch {
  // The rules and the names the match is played with.
  Settings rules;
  std::array<int, kSeatCount> scores{};
  int rotation = 0;  // under the rotation rule, who opens the next hand
  std::vector<HandResult> handsPlayed;
  int opener = kHolderOfDoubleSix;  // who opens this hand, once known
  bool firstRound = true;           // this hand opens with 6:6, as a match's first
  // The hands as held, slots 1..7.
  std::array<Hand, kSeatCount> hands{};
  // The seat the match waits for: the player at this table, or, at a table
  // of players who each play from their own computer, any of them.
  int asked = kJog;
  // The player asked for a hint in this match: it counts apart in his record.
  bool hinted = false;

  // While the tiles are being taken: the pile's order, the positions taken,
  // the seats in the order they take, and whose go it is (1..4 in that order).
  bool dealing = false;
  std::array<TileCode, kTileCount> pile{};
  std::bitset<kTileCount + 1> taken;
  std::array<int, kSeatCount> takers{};
  int taker = 1;

  // Once the hand is opened: its moves and passes so far, in order.
  std::vector<HandEvent> events;
};

// Where a saved match stands: the state the game goes on from, the chain's
// layout, and its tiles as drawn.
struct SavedPosition {
  GameState state;
  ChainLayout chain;
  std::vector<LaidTile> laid;
};

// The position a saved match describes, played over again from the start of
// its hand by the game's own rules; or, when it is not one the game can reach
// with the seat asked to act (a tile twice or missing, a count that is wrong, a
// move that does not join, a finished hand or match), what is wrong with it.
std::variant<SavedPosition, std::string> rebuild(const SavedMatch& saved);

}  // namespace tavolix
