// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "game/chain_layout.h"
#include "support/game_printers.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// Lays tiles one side at a time, following the ends as the game does.
class Chain {
 public:
  explicit Chain(std::string_view first) {
    const TileCode t = tile(first);
    laid_.push_back(layout_.first(t));
    endA_ = t.first();
    endB_ = t.last();
  }

  // Lays a tile holding the open pip at `side`; `other` is its second pip.
  TilePlacement lay(Lado side, int other) {
    int& end = side == Lado::A ? endA_ : endB_;
    const TileCode t(std::min(end, other), std::max(end, other));
    const TilePlacement p = layout_.PoeNaMesa(static_cast<int>(laid_.size()) + 1, t, side, end);
    end = t.otherPip(end);
    laid_.push_back(p);
    return p;
  }
  TilePlacement plain(Lado side) { return lay(side, (endOf(side) + 1) % 7); }
  TilePlacement double_(Lado side) { return lay(side, endOf(side)); }

  int endOf(Lado side) const { return side == Lado::A ? endA_ : endB_; }
  // The same chain with one side moved to another anchor and direction.
  Chain restored(Lado side, Direction dir, int left, int top) {
    ChainGeometry g = layout_.geometry();
    (side == Lado::A ? g.DirA : g.DirB) = dir;
    (side == Lado::A ? g.EsqA : g.EsqB) = left;
    (side == Lado::A ? g.TopoA : g.TopoB) = top;
    layout_.restore(g);
    return *this;
  }
  const ChainGeometry& geometry() const { return layout_.geometry(); }
  const std::vector<TilePlacement>& laid() const { return laid_; }

 private:
  ChainLayout layout_;
  std::vector<TilePlacement> laid_;
  int endA_ = 0;
  int endB_ = 0;
};

void expectAt(const TilePlacement& p, bool vertical, double left, double top) {
  EXPECT_EQ(p.vertical, vertical);
  EXPECT_DOUBLE_EQ(p.left, left);
  EXPECT_DOUBLE_EQ(p.top, top);
}

TEST(ChainLayout, SideBOfPlainTilesTurnsDownThenLeft) {
  Chain chain("12");
  expectAt(chain.laid().front(), false, 5835, 4575);  // the first tile keeps its corner
  EXPECT_EQ(Chain("66").laid().front().vertical, true);
  for (double left : {6675, 7515, 8355, 9195}) expectAt(chain.plain(Lado::B), false, left, 4575);
  // 9195 + 840 + 840 = 10875 > 10800: down the right edge.
  expectAt(chain.plain(Lado::B), true, 9630, 5010);
  EXPECT_EQ(chain.geometry().DirB, Direction::Down);
  expectAt(chain.plain(Lado::B), true, 9630, 5850);
  expectAt(chain.plain(Lado::B), true, 9630, 6690);
  // No room below (6690 + 435 + 840 > 7740): beside the column, then left.
  expectAt(chain.plain(Lado::B), false, 8790, 7125);
  EXPECT_EQ(chain.geometry().DirB, Direction::Left);
  expectAt(chain.plain(Lado::B), false, 7950, 7125);
}

TEST(ChainLayout, SideAOfPlainTilesTurnsUpThenRight) {
  Chain chain("12");
  for (double left : {4995, 4155, 3315, 2475, 1635})
    expectAt(chain.plain(Lado::A), false, left, 4575);
  // 1635 - 840 < 1275, and 1635 - 1.2 x 435 = 1113 is no room beside: on top of its left end.
  expectAt(chain.plain(Lado::A), true, 1635, 3735);
  EXPECT_EQ(chain.geometry().DirA, Direction::Up);
  expectAt(chain.plain(Lado::A), true, 1635, 2895);
  expectAt(chain.plain(Lado::A), false, 2070, 2895);
  EXPECT_EQ(chain.geometry().DirA, Direction::Right);
  expectAt(chain.plain(Lado::A), false, 2910, 2895);
}

TEST(ChainLayout, AnExactFitIsNoTurn) {
  ChainLayout layout;
  layout.first(tile("12"));
  ChainGeometry g = layout.geometry();
  g.EsqB = 10800 - 840 - 840;  // X + L + E = 10800 exactly
  layout.restore(g);
  const TilePlacement p = layout.PoeNaMesa(2, tile("23"), Lado::B, 2);
  expectAt(p, false, 9960, 4575);
  EXPECT_EQ(layout.geometry().DirB, Direction::Right);
}

TEST(ChainLayout, DoublesLieAcrossTheLineAndAnchorsRoundHalvesToEven) {
  Chain chain("12");
  chain.plain(Lado::B);                                  // 6675, 4575
  expectAt(chain.double_(Lado::B), true, 7515, 4357.5);  // 217.5 higher than the plain tile
  EXPECT_EQ(chain.geometry().TopoB, 4358);               // 4357.5 to the even 4358
  EXPECT_EQ(chain.geometry().FormaB, 'H');
  expectAt(chain.plain(Lado::B), false, 7950, 4575.5);  // S right of the double, S/2 lower
  EXPECT_EQ(chain.geometry().TopoB, 4576);              // 4575.5 to the even 4576

  Chain left("34");
  expectAt(left.double_(Lado::A), true, 5400, 4357.5);
  expectAt(left.plain(Lado::A), false, 4560, 4575.5);
  // Halves go to the even neighbour, down as well as up, and below zero.
  for (const double v : {4356.5, 4357.5, 4356.25, 4356.75, 0.5, -0.5, -217.5, -218.5, -3.75})
    EXPECT_EQ(geometry::wholeTwips(v), static_cast<int>(std::nearbyint(v))) << v;
}

// A chain whose side "B" (or "A") starts from a given anchor and direction.
Chain chainFrom(Lado side, Direction dir, int left, int top) {
  Chain chain("12");
  return chain.restored(side, dir, left, top);
}

TEST(ChainLayout, DoublesAtTheTurnsOfSideB) {
  Chain chain = chainFrom(Lado::B, Direction::Right, 9600, 4575);
  // 9600 + 435 + 840 > 10800: the double turns the corner lying across the downward line.
  expectAt(chain.double_(Lado::B), false, 9817.5, 5010);
  EXPECT_EQ(chain.geometry().DirB, Direction::Down);
  EXPECT_EQ(chain.geometry().EsqB, 9818);
  expectAt(chain.plain(Lado::B), true, 10035.5, 5445);    // under the double, S/2 in
  expectAt(chain.double_(Lado::B), false, 9818.5, 6285);  // a double going down lies across
  expectAt(chain.plain(Lado::B), true, 10035.5, 6720);
  // 6720 + 435 + 840 > 7740: this double turns left, upright.
  expectAt(chain.double_(Lado::B), true, 9601, 6937.5);
  EXPECT_EQ(chain.geometry().DirB, Direction::Left);
  expectAt(chain.plain(Lado::B), false, 8761, 7155.5);
}

TEST(ChainLayout, DoublesAtTheTurnsOfSideA) {
  Chain chain("12");
  for (int i = 0; i < 5; ++i) chain.plain(Lado::A);  // last at 1635
  // 1635 - 435 < 1275: the double turns the corner lying across the upward line.
  expectAt(chain.double_(Lado::A), false, 1417.5, 4140);
  EXPECT_EQ(chain.geometry().DirA, Direction::Up);
  expectAt(chain.plain(Lado::A), true, 1635.5, 3300);  // over the double, S/2 in
  expectAt(chain.double_(Lado::A), false, 1418.5, 2865);
  // 2865 - 840 < 2220: a plain tile turns right, beside the double.
  expectAt(chain.plain(Lado::A), false, 2258, 2865);
  EXPECT_EQ(chain.geometry().DirA, Direction::Right);
  expectAt(chain.double_(Lado::A), true, 3098, 2647.5);

  Chain top = chainFrom(Lado::A, Direction::Up, 1635, 2600);
  // 2600 - 435 < 2220: the double turns right, upright.
  expectAt(top.double_(Lado::A), true, 2070, 2382.5);
  EXPECT_EQ(top.geometry().DirA, Direction::Right);
}

TEST(ChainLayout, APlainTileTurningAtTheBottomWithRoomBelowGoesUnderTheColumn) {
  ChainLayout layout;
  layout.first(tile("12"));
  ChainGeometry g = layout.geometry();
  g.DirB = Direction::Down;
  g.EsqB = 9630;
  g.TopoB = 6400;  // 6400 + 840 + 840 > 7740, but 6400 + 435 + 840 = 7675 leaves room below
  layout.restore(g);
  expectAt(layout.PoeNaMesa(2, tile("23"), Lado::B, 2), false, 9195, 7240);
  EXPECT_EQ(layout.geometry().DirB, Direction::Left);
}

TEST(ChainLayout, APlainTileWithRoomBesideTurnsUpLevelWithTheArm) {
  ChainLayout layout;
  layout.first(tile("12"));
  ChainGeometry g = layout.geometry();
  g.EsqA = 1900;  // 1900 - 840 < 1275, yet 1900 - 522 = 1378 > 1275
  layout.restore(g);
  expectAt(layout.PoeNaMesa(2, tile("01"), Lado::A, 1), true, 1465, 4140);
  EXPECT_EQ(layout.geometry().DirA, Direction::Up);
}

TEST(ChainLayout, TheHalfMatchingTheChainFacesIt) {
  EXPECT_EQ(ChainLayout::DesenhaDentro(tile("24"), Direction::Right, 4), tile("42"));
  EXPECT_EQ(ChainLayout::DesenhaDentro(tile("35"), Direction::Left, 3), tile("53"));
  EXPECT_EQ(ChainLayout::DesenhaDentro(tile("56"), Direction::Down, 5), tile("56"));
  EXPECT_EQ(ChainLayout::DesenhaDentro(tile("56"), Direction::Up, 5), tile("65"));
  EXPECT_EQ(ChainLayout::DesenhaDentro(tile("44"), Direction::Left, 4), tile("44"));
  Chain chain("12");
  EXPECT_EQ(chain.plain(Lado::B).shown, tile("23"));
  EXPECT_EQ(chain.plain(Lado::A).shown, tile("21"));  // side "A" grows left: its 1 on the right
}

// The far arms have no edge to turn at; the one tile in a million hands that
// would run out of the window turns back into the corner beside it instead.
TEST(ChainLayout, TheBottomArmTurnsBackAtTheWindowsLeftEdge) {
  Chain chain("12");
  for (int i = 0; i < 8; ++i) chain.plain(Lado::B);  // down to the bottom: last at 8790, 7125
  std::vector<double> lefts;
  for (int i = 0; i < 10; ++i) lefts.push_back(chain.plain(Lado::B).left);
  EXPECT_EQ(lefts.back(), 390);  // 7950 ... 390: all still inside the window
  // The next would start at -450: it stands under the left end instead...
  expectAt(chain.plain(Lado::B), true, 390, 7560);
  EXPECT_EQ(chain.geometry().DirB, Direction::Down);
  // ...and the arm comes back to the right, in a row bottom-aligned with it.
  expectAt(chain.plain(Lado::B), false, 825, 7965);
  EXPECT_EQ(chain.geometry().DirB, Direction::Right);
  expectAt(chain.double_(Lado::B), true, 1665, 7747.5);
  expectAt(chain.plain(Lado::B), false, 2100, 7965);
  EXPECT_EQ(chain.laid().back().shown.first(), chain.laid()[chain.laid().size() - 2].shown.last());
}

TEST(ChainLayout, TheTopArmTurnsBackAtTheWindowsRightEdge) {
  Chain chain("12");
  for (int i = 0; i < 8; ++i) chain.plain(Lado::A);  // up the left edge: last at 2070, 2895
  for (int i = 0; i < 10; ++i) chain.plain(Lado::A);
  EXPECT_EQ(chain.laid().back().left, 10470);
  // 11310 + 840 > 12000: it stands on the right end of the last tile...
  expectAt(chain.plain(Lado::A), true, 10875, 2055);
  EXPECT_EQ(chain.geometry().DirA, Direction::Up);
  // ...and the arm comes back to the left, top-aligned with it.
  expectAt(chain.plain(Lado::A), false, 10035, 2055);
  EXPECT_EQ(chain.geometry().DirA, Direction::Left);
  expectAt(chain.double_(Lado::A), true, 9600, 1837.5);
}

bool overlap(const TilePlacement& a, const TilePlacement& b) {
  constexpr double kSlack = 1.0;  // anchors in whole twips: neighbours may share half a twip
  return a.left + kSlack < b.left + b.width() && b.left + kSlack < a.left + a.width() &&
         a.top + kSlack < b.top + b.height() && b.top + kSlack < a.top + a.height();
}

bool touch(const TilePlacement& a, const TilePlacement& b) {
  constexpr double kReach = 1.0;
  return a.left - kReach <= b.left + b.width() && b.left - kReach <= a.left + a.width() &&
         a.top - kReach <= b.top + b.height() && b.top - kReach <= a.top + a.height();
}

// Any chain a hand can make, with any doubles (never two in a row at a side,
// as no two doubles share a pip): every tile inside the window, none over
// another, each touching the one it was laid against.
TEST(ChainLayout, EveryChainStaysInsideTheWindowWithoutOverlaps) {
  std::mt19937 random(2026);
  int turnedBackA = 0;
  int turnedBackB = 0;
  for (int run = 0; run < 4000; ++run) {
    const bool firstDouble = random() % 7 == 0;
    Chain chain(firstDouble ? "33" : "34");
    // Most runs pile everything on one side, to reach the far arms' ends.
    const int mostlyB = static_cast<int>(random() % 3);
    std::array<bool, 2> lastWasDouble{firstDouble, firstDouble};
    std::array<std::size_t, 2> lastIndex{0, 0};
    for (int n = 0; n < 27; ++n) {
      const bool sideB = mostlyB == 2 ? random() % 2 == 0 : (random() % 20 != 0) == (mostlyB == 1);
      const int s = sideB ? 1 : 0;
      const bool isDouble = !lastWasDouble[s] && random() % 4 == 0;
      const Lado side = sideB ? Lado::B : Lado::A;
      const TilePlacement p = isDouble ? chain.double_(side) : chain.plain(side);
      const auto& laid = chain.laid();
      ASSERT_GE(p.left, 0) << "run " << run << " tile " << n;
      ASSERT_GE(p.top, 0) << "run " << run << " tile " << n;
      ASSERT_LE(p.left + p.width(), geometry::kWidth) << "run " << run << " tile " << n;
      ASSERT_LE(p.top + p.height(), geometry::kHeight) << "run " << run << " tile " << n;
      for (std::size_t k = 0; k + 1 < laid.size(); ++k) {
        ASSERT_FALSE(overlap(p, laid[k])) << "run " << run << ": tile " << n << " over tile " << k;
      }
      ASSERT_TRUE(touch(p, laid[lastIndex[s]]))
          << "run " << run << ": tile " << n << " apart from the chain";
      lastIndex[s] = laid.size() - 1;
      lastWasDouble[s] = isDouble;
    }
    turnedBackA += chain.geometry().returnedA;
    turnedBackB += chain.geometry().returnedB;
  }
  // The runs do reach the far ends of both arms.
  EXPECT_GT(turnedBackA, 100);
  EXPECT_GT(turnedBackB, 100);
}

}  // namespace
}  // namespace tavolix
