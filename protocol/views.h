// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <vector>

#include <QJsonObject>

#include "game/game_state.h"
#include "game/presentation.h"
#include "game/scoring.h"

namespace tavolix::net {

// A seat that watches: it sees what every seat sees, and no hand.
inline constexpr int kWatcher = -1;

// Where the match stands, beside its state: the chain's tiles as laid out,
// whether the tiles are being taken (the seat asked then takes a pile tile), who is asked, and how
// long the turn timer still gives him.
struct Moment {
  std::vector<LaidTile> chain;
  bool dealing = false;
  int asked = -1;
  int secondsLeft = -1;         // -1: no timer runs
  bool doubleSixOpens = false;  // the hand, not yet opened, must open with 6:6
  int handNumber = 0;
};

// What `viewer` may see of the table, as a real table shows it: its own
// hand and nobody else's, every seat's count of tiles, the chain, the ends,
// who passed on what, the scores and whose turn it is. Everything a seat is
// sent during a hand comes from here or from eventFor(); nothing else reads
// the hands.
QJsonObject seatView(const GameState& state, const Moment& moment, int viewer);
// The same in two steps, for a table that tells four seats at once: what
// every seat sees, then one seat's view of it.
QJsonObject publicView(const GameState& state, const Moment& moment);
QJsonObject seatView(QJsonObject publicPart, const GameState& state, int viewer);

// Something to show happening, in order: the deal begun, a pile tile taken,
// a tile laid, a pass, a hand thrown in for its doubles, a hand's end, the
// match's end.
struct TableEvent {
  enum class Kind { Deal, Took, Played, Passed, Redeal, HandEnded, MatchEnded };
  Kind kind = Kind::Deal;
  int seat = -1;
  int position = 0;             // Took: the pile position
  TileCode tile;                // Took, Played
  LaidTile laid;                // Played
  int doubles = 0;              // Redeal
  std::array<Hand, 4> hands{};  // Redeal (only the seat's), HandEnded: turned up
  HandResult result;            // HandEnded
  std::array<int, 4> scores{};  // HandEnded, MatchEnded
  std::array<int, 4> order{};   // Deal: the seats in the order they take; MatchEnded: standings
};

// The event as `viewer` is told it: a pile tile's face only to the seat that
// took it; the hands only once the hand is over.
QJsonObject eventFor(const TableEvent& event, int viewer);
// Whether an event reads the same to every seat (all but a pile tile taken).
inline bool sameForEverySeat(const TableEvent& event) {
  return event.kind != TableEvent::Kind::Took;
}

}  // namespace tavolix::net
