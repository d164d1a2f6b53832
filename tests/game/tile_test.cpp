#include <gtest/gtest.h>

#include "game/seat.h"
#include "game/tile.h"
#include "support/game_printers.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

TEST(Tile, ReadsPipsInTheOrderHeld) {
  EXPECT_EQ(tile("36").first(), 3);
  EXPECT_EQ(tile("36").last(), 6);
  EXPECT_EQ(tile("63").first(), 6);
  EXPECT_EQ(tile("36").reversed(), tile("63"));
  EXPECT_NE(tile("36"), tile("63"));
  EXPECT_EQ(tile("36").text(), "36");
  EXPECT_EQ(tile("36").pipTotal(), 9);
  EXPECT_TRUE(tile("").empty());
  EXPECT_EQ(tile("").text(), "");
  EXPECT_EQ(tile("").pipTotal(), 0);
}

TEST(Tile, RefusesTextsThatAreNotTiles) {
  for (std::string_view bad : {"7", "77", "3", "366", "a1", " 36", "-1"}) {
    EXPECT_FALSE(TileCode::fromText(bad).has_value()) << bad;
  }
}

TEST(Tile, MatchesAnEndByEitherPip) {
  EXPECT_TRUE(tile("36").holds(3));
  EXPECT_TRUE(tile("63").holds(3));
  EXPECT_TRUE(tile("36").holds(6));
  EXPECT_FALSE(tile("36").holds(5));
  EXPECT_FALSE(tile("").holds(0));
  EXPECT_TRUE(tile("00").holds(0));
  EXPECT_EQ(tile("35").otherPip(3), 5);
  EXPECT_EQ(tile("35").otherPip(5), 3);
  EXPECT_EQ(tile("55").otherPip(5), 5);
}

TEST(Tile, BuchaOfTexts) {
  EXPECT_FALSE(Bucha(""));
  EXPECT_FALSE(Bucha("   "));
  EXPECT_TRUE(Bucha("33"));
  EXPECT_TRUE(Bucha(" 33 "));
  EXPECT_FALSE(Bucha("36"));
  EXPECT_TRUE(Bucha(tile("00")));
  EXPECT_FALSE(Bucha(tile("")));
  EXPECT_FALSE(Bucha(tile("01")));
}

TEST(Tile, TheSetHoldsEachTileOnceInTheShufflesOrder) {
  const auto tiles = canonicalTiles();
  std::string list = ",";
  for (TileCode t : tiles) list += t.text() + ",";
  EXPECT_EQ(list, kCanonicalList);
  // Each pip is on exactly seven tiles, a double counting once.
  for (int pip = 0; pip <= 6; ++pip) {
    EXPECT_EQ(std::count_if(tiles.begin(), tiles.end(), [pip](TileCode t) { return t.holds(pip); }), 7);
  }
  int pips = 0;
  for (TileCode t : tiles) pips += t.pipTotal();
  EXPECT_EQ(pips, 168);
}

TEST(Hand, LayingSlot3OfAFullHandMovesTheRestUp) {
  Hand hand = handOf({"00", "11", "22", "33", "44", "55", "66"});
  hand[3] = TileCode();
  closeUp(hand, 3);
  EXPECT_EQ(hand, handOf({"00", "11", "33", "44", "55", "66"}));
  EXPECT_TRUE(hand[7].empty());
  EXPECT_TRUE(hand[8].empty());
  EXPECT_EQ(tileCount(hand), 6);
}

TEST(Hand, LayingTheLastSlotOnlyEmptiesIt) {
  Hand hand = handOf({"01", "02", "03"});
  hand[3] = TileCode();
  closeUp(hand, 3);
  EXPECT_EQ(hand, handOf({"01", "02"}));
  closeUp(hand, 0);  // not a slot: nothing moves
  closeUp(hand, 8);
  EXPECT_EQ(hand, handOf({"01", "02"}));
}

TEST(Hand, CountsTilesPipsAndDoubles) {
  const Hand hand = handOf({"66", "01", "25", "33"});
  EXPECT_EQ(tileCount(hand), 4);
  EXPECT_EQ(pipTotal(hand), 12 + 1 + 7 + 6);
  EXPECT_EQ(doubleCount(hand), 2);
  EXPECT_TRUE(handHoldsPip(hand, 5));
  EXPECT_FALSE(handHoldsPip(hand, 4));
  EXPECT_EQ(tileCount(Hand{}), 0);
}

TEST(Seat, NextSeatInEitherDirection) {
  EXPECT_EQ(nextSeat(0, true), 1);
  EXPECT_EQ(nextSeat(3, true), 0);
  EXPECT_EQ(nextSeat(0, false), 3);
  EXPECT_EQ(nextSeat(1, false), 0);
  EXPECT_EQ(nextSeat(3, false), 2);
  int seat = 0;
  std::string order;
  for (int i = 0; i < 5; ++i, seat = nextSeat(seat, false)) order += std::to_string(seat);
  EXPECT_EQ(order, "03210");
}

TEST(Seat, PartnersAndNames) {
  EXPECT_EQ(partnerOf(kJog), kMac2);
  EXPECT_EQ(partnerOf(kMac1), kMac3);
  EXPECT_EQ(partnerOf(kMac3), kMac1);
  EXPECT_EQ(seatKey(kJog), "jog");
  EXPECT_EQ(seatKey(kMac2), "mac2");
  EXPECT_EQ(seatTitle(kMac3), "Mac3");
  EXPECT_EQ(seatKey(kHolderOfDoubleSix), "");
  EXPECT_FALSE(isSeat(kHolderOfDoubleSix));
  EXPECT_FALSE(isComputerSeat(kJog));
}

}  // namespace
}  // namespace tavolix
