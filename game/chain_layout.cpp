// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "chain_layout.h"

#include <cmath>

#include "scoring.h"

namespace tavolix {

namespace {

using namespace geometry;

constexpr double S = kTileShort;
constexpr double L = kTileLong;
constexpr double kHalf = S / 2;  // 217.5: half a tile's width, so views may sit on half twips

TilePlacement placed(bool vertical, double left, double top) {
  TilePlacement p;
  p.vertical = vertical;
  p.left = left;
  p.top = top;
  return p;
}

}  // namespace

TilePlacement ChainLayout::first(TileCode t) {
  g_ = ChainGeometry();
  g_.FormaA = g_.FormaB = t.isDouble() ? 'H' : 'W';
  TilePlacement p = placed(t.isDouble(), kFirstTile.left, kFirstTile.top);
  p.index = 0;
  p.shown = t;
  return p;
}

TilePlacement ChainLayout::PoeNaMesa(int index, TileCode pedra, Lado side, int openPip) {
  const bool isDouble = pedra.isDouble();
  TilePlacement p = side == Lado::A ? placeA(isDouble) : placeB(isDouble);
  p.index = index;
  const Direction dir = side == Lado::A ? g_.DirA : g_.DirB;
  p.shown = DesenhaDentro(pedra, dir, openPip);

  const char forma = isDouble ? 'H' : 'W';
  if (side == Lado::A) {
    g_.TopoA = wholeTwips(p.top);
    g_.EsqA = wholeTwips(p.left);
    g_.FormaA = forma;
    g_.lastA = index;
  } else {
    g_.TopoB = wholeTwips(p.top);
    g_.EsqB = wholeTwips(p.left);
    g_.FormaB = forma;
    g_.lastB = index;
  }
  return p;
}

// Side "B": right from the first tile, down at the right edge of the play area,
// then left along the bottom.
TilePlacement ChainLayout::placeB(bool isDouble) {
  if (g_.returnedB) return backAlongRowB(isDouble);
  const double X = g_.EsqB;
  const double Y = g_.TopoB;
  const bool afterDouble = g_.FormaB == 'H';
  const double E = afterDouble ? S : L;  // how far the previous tile reaches along the line

  switch (g_.DirB) {
    case Direction::Right:
      if (isDouble) {
        if (X + S + E > kAreaRight) {
          g_.DirB = Direction::Down;
          return placed(false, X + kHalf, Y + S);
        }
        return placed(true, X + E, Y - kHalf);
      }
      if (X + L + E > kAreaRight) {
        g_.DirB = Direction::Down;
        return placed(true, X + (afterDouble ? 0 : S), Y + (afterDouble ? L : S));
      }
      return placed(false, X + E, afterDouble ? Y + kHalf : Y);

    case Direction::Down:
      if (isDouble) {
        if (Y + S + E > kAreaBottom) {
          g_.DirB = Direction::Left;
          return placed(true, X - S, Y + kHalf);
        }
        return placed(false, X - kHalf, Y + L);
      }
      if (Y + L + E > kAreaBottom) {
        g_.DirB = Direction::Left;
        // No room below the column: set beside its last tile; else under it, right-aligned.
        if (Y + S + E > kAreaBottom) return placed(false, X - L, Y + (afterDouble ? 0 : S));
        return placed(false, X - S, Y + E);
      }
      return placed(true, afterDouble ? X + kHalf : X, Y + E);

    case Direction::Left:
    case Direction::Up:
      if ((isDouble ? X - S : X - L) < 0) return turnBackB();
      if (isDouble) return placed(true, X - S, Y - kHalf);
      return placed(false, X - L, afterDouble ? Y + kHalf : Y);
  }
  return {};
}

// Back along the row under the bottom arm, to the right.
TilePlacement ChainLayout::backAlongRowB(bool isDouble) {
  g_.DirB = Direction::Right;
  const TilePlacement p = isDouble ? placed(true, g_.rowEdgeB, g_.rowTopB - kHalf)
                                   : placed(false, g_.rowEdgeB, g_.rowTopB);
  g_.rowEdgeB = p.left + p.width();
  return p;
}

// The bottom arm would leave the window on the left: the tile stands under the
// left end of the last one (a double too, in line, so that the row below keeps
// clear of the doubles above it), and the arm turns back to the right in a row
// of its own, bottom-aligned with it.
TilePlacement ChainLayout::turnBackB() {
  const double X = g_.EsqB;
  const double top = g_.TopoB + (g_.FormaB == 'H' ? L : S);
  g_.DirB = Direction::Down;
  g_.returnedB = true;
  g_.rowTopB = top + L - S;
  g_.rowEdgeB = X + S;
  return placed(true, X, top);
}

// Side "A": left from the first tile, up at the left edge of the play area, then
// right along the top.
TilePlacement ChainLayout::placeA(bool isDouble) {
  if (g_.returnedA) return backAlongRowA(isDouble);
  const double X = g_.EsqA;
  const double Y = g_.TopoA;
  const bool afterDouble = g_.FormaA == 'H';

  switch (g_.DirA) {
    case Direction::Left:
      if (isDouble) {
        if (X - S < kAreaLeft) {
          g_.DirA = Direction::Up;
          return placed(false, X - kHalf, Y - S);  // a lying view is S high
        }
        return placed(true, X - S, Y - kHalf);  // an upright view is S wide
      }
      if (X - L < kAreaLeft) {
        g_.DirA = Direction::Up;
        // Room beside the previous tile (the constant is 1.2 tiles): its lower half level
        // with it; otherwise on top of the previous tile's left end.
        if (X - 1.2 * S > kAreaLeft) return placed(true, X - S, Y - S);
        return placed(true, X, Y - L);
      }
      return placed(false, X - L, afterDouble ? Y + kHalf : Y);

    case Direction::Up:
      if (isDouble) {
        if (Y - S < kAreaTop) {
          g_.DirA = Direction::Right;
          return placed(true, X + S, Y - kHalf);
        }
        return placed(false, X - kHalf, Y - S);
      }
      if (Y - L < kAreaTop) {
        g_.DirA = Direction::Right;
        return placed(false, afterDouble ? X + L : X + S, Y);
      }
      return placed(true, afterDouble ? X + kHalf : X, Y - L);

    case Direction::Right:
    case Direction::Down: {
      const double left = isDouble ? X + L : afterDouble ? X + S : X + L;
      if (left + (isDouble ? S : L) > geometry::kWidth) return turnBackA();
      if (isDouble) return placed(true, left, Y - kHalf);
      return placed(false, left, afterDouble ? Y + kHalf : Y);
    }
  }
  return {};
}

// Back along the row above the top arm, to the left.
TilePlacement ChainLayout::backAlongRowA(bool isDouble) {
  g_.DirA = Direction::Left;
  const TilePlacement p = isDouble ? placed(true, g_.rowEdgeA - S, g_.rowTopA - kHalf)
                                   : placed(false, g_.rowEdgeA - L, g_.rowTopA);
  g_.rowEdgeA = p.left;
  return p;
}

// The top arm would leave the window on the right: the tile stands on the right
// end of the last one (a double too, in line), and the arm turns back to the
// left in a row of its own, top-aligned with it.
TilePlacement ChainLayout::turnBackA() {
  const double right = g_.EsqA + (g_.FormaA == 'H' ? S : L);
  g_.DirA = Direction::Up;
  g_.returnedA = true;
  const TilePlacement p = placed(true, right - S, g_.TopoA - L);
  g_.rowTopA = p.top;
  g_.rowEdgeA = p.left;
  return p;
}

TileCode ChainLayout::DesenhaDentro(TileCode lancada, Direction estilo, int requerida) {
  if (lancada.isDouble()) return lancada;
  const bool growsUpOrLeft = estilo == Direction::Up || estilo == Direction::Left;
  // Growing up or left the matching half is the right or bottom one; growing
  // right or down, the left or top one.
  if (growsUpOrLeft && lancada.last() != requerida) return lancada.reversed();
  if (!growsUpOrLeft && lancada.first() != requerida) return lancada.reversed();
  return lancada;
}

TilePlacement layOnTable(GameState& state, ChainLayout& chain, TileCode t, Lado side) {
  state.PrimeiraRodada = false;
  TilePlacement placement;
  if (side == Lado::First) {
    placement = chain.first(t);
    state.QtdMesa = 1;
    state.Mesa[1] = t;
    state.PontaA = t.first();
    state.PontaB = t.last();
  } else {
    ++(side == Lado::A ? state.QtdLadoA : state.QtdLadoB);
    int& end = side == Lado::A ? state.PontaA : state.PontaB;
    const int index = ++state.QtdMesa;
    placement = chain.PoeNaMesa(index, t, side, end);
    state.Mesa[index] = placement.shown;
    writeLastMoveRecord(state.UltimaJogada, state.PontaA, state.PontaB, t);
    end = t.otherPip(end);
  }
  state.tableTiles |= tileBit(t);
  state.tileLaid();
  return placement;
}

}  // namespace tavolix
