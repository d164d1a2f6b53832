#include <gtest/gtest.h>

#include "game/invariants.h"
#include "support/game_printers.h"

namespace tavolix {
namespace {

TileCode tile(std::string_view text) { return *TileCode::fromText(text); }

// A hand in play: 1:2 opened, 2:3 laid at side B and 1:4 at side A; the other
// 25 tiles in the four hands.
struct Table {
  GameState state;
  ChainGeometry chain;
  Settings settings;

  Table() {
    state.Mesa[1] = tile("12");
    state.Mesa[2] = tile("23");  // at B, growing right: 2 against the chain, 3 outwards
    state.Mesa[3] = tile("41");  // at A, growing left: 1 against the chain, 4 outwards
    state.QtdMesa = 3;
    state.QtdLadoA = 1;
    state.QtdLadoB = 1;
    state.PontaA = 4;
    state.PontaB = 3;
    chain.lastA = 3;
    chain.lastB = 2;
    int seat = 0;
    int slot = 1;
    for (TileCode t : kAllTiles) {
      if (t == tile("12") || t == tile("23") || t == tile("14")) continue;
      state.hand(seat)[slot] = t;
      if (++seat == 4) {
        seat = 0;
        ++slot;
      }
    }
  }
  std::vector<std::string> problems() const { return checkInvariants(state, chain, settings, false); }
};

TEST(Invariants, AHandInPlayIsWhole) { EXPECT_EQ(Table().problems(), std::vector<std::string>{}); }

TEST(Invariants, ATileMissingOrTwiceIsFound) {
  Table t;
  t.state.PedrasJog[7] = TileCode();
  ASSERT_EQ(t.problems().size(), 1u);
  t.state.PedrasJog[7] = tile("21");  // 1:2 is on the table already, and 6:6 is now lost
  const auto problems = t.problems();
  EXPECT_NE(std::find(problems.begin(), problems.end(), "tile 12 is in more than one place"), problems.end());
}

TEST(Invariants, AGapInAHandIsFound) {
  Table t;
  ASSERT_TRUE(t.state.PedrasMac2[7].empty());  // Mac2 holds six tiles
  t.state.PedrasMac2[7] = t.state.PedrasMac2[3];
  t.state.PedrasMac2[3] = TileCode();
  EXPECT_EQ(t.problems(), (std::vector<std::string>{"mac2 slot 4: hand not packed", "mac2 slot 5: hand not packed",
                                                    "mac2 slot 6: hand not packed", "mac2 slot 7: hand not packed"}));
}

TEST(Invariants, EndsThatDoNotMatchTheChainAreFound) {
  Table t;
  t.state.PontaA = 1;
  ASSERT_EQ(t.problems(), std::vector<std::string>{"end A does not match the chain"});
  t.state.PontaA = 4;
  t.state.QtdLadoB = 2;
  ASSERT_EQ(t.problems().size(), 1u);
}

TEST(Invariants, PartnersMustBeLevelInPairs) {
  Table t;
  t.settings.TipoJogo = 2;
  t.state.Pontos = {2, 1, 2, 0};
  EXPECT_EQ(t.problems(), std::vector<std::string>{"partners' scores differ"});
  t.settings.TipoJogo = 1;
  EXPECT_TRUE(t.problems().empty());
}

TEST(Invariants, WhileDealingThePileCounts) {
  GameState state;
  state.Monte = kAllTiles;
  EXPECT_TRUE(checkInvariants(state, ChainGeometry(), Settings(), true).empty());
  state.takePile(5);
  EXPECT_FALSE(checkInvariants(state, ChainGeometry(), Settings(), true).empty());  // taken by nobody
  state.PedrasMac3[1] = kAllTiles[4];
  EXPECT_TRUE(checkInvariants(state, ChainGeometry(), Settings(), true).empty());
}

}  // namespace
}  // namespace tavolix
