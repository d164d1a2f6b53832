// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include "game_state.h"
#include "table_geometry.h"

namespace tavolix {

// Where the chain grows at each side: side "A" left, then up, then right;
// side "B" right, then down, then left.
enum class Direction { Up = 1, Right = 2, Down = 3, Left = 4 };

// A tile view on the table: its picture (upright or lying), its upper left
// corner (which may fall on half twips), and its two halves in display order
// (left then right, or top then bottom).
struct TilePlacement {
  int index = 0;  // 0 for the first tile, else its number in the chain
  bool vertical = false;
  double left = 0;
  double top = 0;
  TileCode shown;
  double width() const { return vertical ? geometry::kTileShort : geometry::kTileLong; }
  double height() const { return vertical ? geometry::kTileLong : geometry::kTileShort; }
};

// The geometry of the chain: for each side its direction, the corner of its last
// tile in whole twips, whether that tile is a double, and its place in `Mesa`.
struct ChainGeometry {
  Direction DirA = Direction::Left;
  Direction DirB = Direction::Right;
  int TopoA = static_cast<int>(geometry::kFirstTile.top);
  int EsqA = static_cast<int>(geometry::kFirstTile.left);
  int TopoB = static_cast<int>(geometry::kFirstTile.top);
  int EsqB = static_cast<int>(geometry::kFirstTile.left);
  char FormaA = 'W';  // 'H' when the last tile at that side is a double, laid across
  char FormaB = 'W';
  int lastA = 1;
  int lastB = 1;
  // A far arm that reached the window's edge has turned back along a row of
  // its own: side "A" above the top arm going left, side "B" below the bottom
  // arm going right. `rowTop` is the top of that row's plain tiles and
  // `rowEdge` where its next tile attaches.
  bool returnedA = false;
  bool returnedB = false;
  double rowTopA = 0;
  double rowEdgeA = 0;
  double rowTopB = 0;
  double rowEdgeB = 0;

  friend bool operator==(const ChainGeometry&, const ChainGeometry&) = default;
};

// Lays tiles out in the chain: the first in the middle of the play area, every
// later one after the last at its side, turning at the edges of the play area.
// The far arms (side "A" along the top, side "B" along the bottom) have no edge
// of the play area to turn at; in the rare hand where one would run out of the
// window it turns back instead, into the free corner beside it.
class ChainLayout {
 public:
  const ChainGeometry& geometry() const { return g_; }
  // A new hand: side "A" starts out growing left.
  void reset() { g_ = ChainGeometry(); }
  // Picks up a chain as it stands.
  void restore(const ChainGeometry& geometry) { g_ = geometry; }

  // The first tile, upright if it is a double, halves as held.
  TilePlacement first(TileCode t);
  // The `index`-th tile at `side`, whose open pip is `openPip` before it is laid.
  TilePlacement PoeNaMesa(int index, TileCode pedra, Lado side, int openPip);

  // Turns a tile so that the half touching the chain (showing `requerida`)
  // faces the side it grows from.
  static TileCode DesenhaDentro(TileCode lancada, Direction estilo, int requerida);
  // The pip a side shows, read off the tile last laid there (not the first
  // tile) as drawn: its left or top half when growing left or up, else the other.
  static int outwardPip(TileCode shown, Direction dir) {
    return dir == Direction::Up || dir == Direction::Left ? shown.first() : shown.last();
  }

 private:
  TilePlacement placeA(bool isDouble);
  TilePlacement placeB(bool isDouble);
  TilePlacement turnBackA();
  TilePlacement turnBackB();
  TilePlacement backAlongRowA(bool isDouble);
  TilePlacement backAlongRowB(bool isDouble);

  ChainGeometry g_;
};

// Lays `t` (as held) at `side` of the chain: the chain's count, its ends, the
// last-move record and the pass run move on. Returns where it is drawn. The
// tile must fit that end; the hand it came from is left to the caller.
TilePlacement layOnTable(GameState& state, ChainLayout& chain, TileCode t, Lado side);

}  // namespace tavolix
