// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The invariants the simulator's referee checks after every move: each broken
// rule is found, and a move is checked against the position before it.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/invariants.h"
#include "game/match.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// A hand in play: 1:2 opened, 2:3 laid at side B and 1:4 at side A; the other
// 25 tiles in the four hands.
struct Table {
  GameState state;
  ChainGeometry chain;
  Settings settings;

  Table() {
    state.Mesa[1] = tile("12");
    state.Mesa[2] = tile("23");  // at B, growing right: 3 outwards
    state.Mesa[3] = tile("41");  // at A, growing left: 4 outwards
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
    state.recount();
  }
  // The state with its sets counted anew after the lists were written to.
  GameState counted() const {
    GameState c = state;
    c.recount();
    return c;
  }
  std::vector<std::string> problems() const {
    return checkInvariants(counted(), chain, settings, false);
  }
};

TEST(Invariants, EachBrokenRuleIsFound) {
  EXPECT_EQ(Table().problems(), std::vector<std::string>{});
  const auto found = [](const Table& t, const std::string& problem) {
    const auto all = t.problems();
    return std::find(all.begin(), all.end(), problem) != all.end();
  };
  Table twice;
  twice.state.PedrasJog[7] = tile("21");  // 1:2 is on the table already, and 6:6 is now lost
  EXPECT_TRUE(found(twice, "tile 12 is in more than one place"));
  EXPECT_TRUE(found(twice, "tile 66 is nowhere"));
  Table extra;  // every tile somewhere, one of them twice
  extra.state.PedrasMac1[7] = tile("12");
  EXPECT_EQ(extra.problems(), std::vector<std::string>{"tile 12 is in more than one place"});
  Table gap;
  gap.state.PedrasMac2[7] = gap.state.PedrasMac2[3];
  gap.state.PedrasMac2[3] = TileCode();
  EXPECT_TRUE(found(gap, "mac2 slot 7: hand not packed"));
  Table lone;  // a last tile left anywhere but the first slot
  const TileCode last = lone.state.PedrasMac3[1];
  lone.state.PedrasMac3 = Hand();
  lone.state.PedrasMac3[2] = last;
  EXPECT_TRUE(found(lone, "mac3 slot 2: hand not packed"));
  Table ends;
  ends.state.PontaA = 1;
  EXPECT_EQ(ends.problems(), std::vector<std::string>{"end A does not match the chain"});
  ends.state.PontaA = 4;
  ends.state.QtdLadoB = 2;
  EXPECT_EQ(ends.problems().size(), 1u);
  Table lost;  // no last tile at side A, its end read off the empty slot before the chain
  lost.chain.lastA = 0;
  lost.state.PontaA = TileCode().first();
  EXPECT_FALSE(lost.problems().empty());
  GameState overfull = Table().counted();
  overfull.QtdMesa = kTileCount + 1;  // a chain longer than the set
  EXPECT_FALSE(checkInvariants(overfull, Table().chain, Settings(), false).empty());
  overfull.QtdMesa = -1;
  EXPECT_FALSE(checkInvariants(overfull, Table().chain, Settings(), false).empty());
  Table partners;
  partners.settings.TipoJogo = 2;
  partners.state.Pontos = {2, 1, 2, 0};
  EXPECT_EQ(partners.problems(), std::vector<std::string>{"partners' scores differ"});
  // The sets kept beside the hands, the chain and the passes, each alone.
  const auto setProblems = [](auto&& change) {
    GameState sets = Table().counted();
    change(sets);
    return checkInvariants(sets, Table().chain, Settings(), false);
  };
  EXPECT_EQ(setProblems([](GameState& s) { s.heldTiles[kMac1] ^= tileBit(kDoubleSix); }),
            std::vector<std::string>{"mac1: the tiles counted in the hand are not its slots'"});
  EXPECT_EQ(setProblems([](GameState& s) { s.tableTiles = 0; }),
            std::vector<std::string>{"the tiles counted on the table are not the chain's"});
  EXPECT_EQ(setProblems([](GameState& s) {
              s.pass(kJog);
              s.passedPips[kJog] = 0;
            }),
            std::vector<std::string>{"jog: the pips counted as passed on are not its passes'"});
  // While dealing, the pile counts: a tile taken by nobody is lost.
  GameState dealing;
  dealing.Monte = kAllTiles;
  EXPECT_TRUE(checkInvariants(dealing, ChainGeometry(), Settings(), true).empty());
  dealing.takePile(5);
  EXPECT_FALSE(checkInvariants(dealing, ChainGeometry(), Settings(), true).empty());
}

// After a move the tiles are checked against where they lay before it.
TEST(Invariants, AMoveIsCheckedAgainstThePositionBefore) {
  const Table before;
  const TileCode laid = before.state.PedrasMac2[2];
  // Mac2 lays its second tile at side B, growing right, and its hand closes up.
  const auto after = [&] {
    Table t;
    t.state.Mesa[4] = laid;
    t.state.QtdMesa = 4;
    t.state.QtdLadoB = 2;
    t.state.PontaB = laid.last();
    t.chain.lastB = 4;
    closeUp(t.state.PedrasMac2, 2);
    return t;
  };
  const auto check = [&](const Table& t, int seat, int slot, TileCode tile) {
    TilePlaces places = TilePlaces::of(before.state);
    return checkMove(places, t.counted(), t.chain, t.settings, seat, slot, tile);
  };
  const auto refused = [&](const Table& t, int seat, int slot, TileCode tile) {
    const auto problems = check(t, seat, slot, tile);
    return !problems.empty() && problems[0].starts_with("tiles moved other than by");
  };
  Table passing = before;
  passing.state.pass(kMac1);
  EXPECT_EQ(check(passing, kMac1, 0, TileCode()), std::vector<std::string>{});
  EXPECT_TRUE(refused(before, kMac1, 0, TileCode()));  // the pass not recorded
  EXPECT_EQ(check(after(), kMac2, 2, laid), std::vector<std::string>{});
  Table turned = after();  // the player turned a tile round in his hand meanwhile
  turned.state.PedrasJog[3] = turned.state.PedrasJog[3].reversed();
  EXPECT_EQ(check(turned, kMac2, 2, laid), std::vector<std::string>{});
  // The places are kept: the next move is checked against this one.
  TilePlaces places = TilePlaces::of(before.state);
  const Table played = after();
  GameState next = played.counted();
  checkMove(places, next, played.chain, played.settings, kMac2, 2, laid);
  next.pass(kMac3);
  EXPECT_EQ(checkMove(places, next, played.chain, played.settings, kMac3, 0, TileCode()),
            std::vector<std::string>{});

  EXPECT_TRUE(refused(before, kMac2, 2, laid));   // laid, yet nothing moved
  EXPECT_TRUE(refused(after(), kMac2, 3, laid));  // not the tile of that slot
  EXPECT_TRUE(refused(after(), kMac1, 2, laid));  // nor of that seat
  Table shown = after();  // the chain shows another tile, still held by mac3
  shown.state.Mesa[4] = before.state.PedrasMac3[1];
  EXPECT_TRUE(refused(shown, kMac2, 2, laid));
  Table swapped = after();  // every tile still in one place, but two changed hands
  std::swap(swapped.state.PedrasJog[1], swapped.state.PedrasMac3[1]);
  EXPECT_TRUE(refused(swapped, kMac2, 2, laid));
  EXPECT_TRUE(swapped.problems().empty());
  Table gap = after();  // not closed up
  gap.state.PedrasMac2 = before.state.PedrasMac2;
  gap.state.PedrasMac2[2] = TileCode();
  EXPECT_TRUE(refused(gap, kMac2, 2, laid));
  Table passedOn = passing;  // a pass moves nothing
  std::swap(passedOn.state.PedrasMac1[1], passedOn.state.PedrasMac1[2]);
  EXPECT_TRUE(refused(passedOn, kMac1, 0, TileCode()));
  // The sets kept beside the lists must follow the move too.
  const auto refusedSets = [&](auto&& change) {
    GameState state = after().counted();
    change(state);
    TilePlaces places = TilePlaces::of(before.state);
    const auto problems = checkMove(places, state, played.chain, played.settings, kMac2, 2, laid);
    return !problems.empty() && problems[0].starts_with("tiles moved other than by");
  };
  EXPECT_TRUE(refusedSets([&](GameState& s) { s.heldTiles[kMac2] |= tileBit(laid); }));
  EXPECT_TRUE(refusedSets([&](GameState& s) { s.tableTiles &= ~tileBit(laid); }));
  EXPECT_TRUE(refusedSets([&](GameState& s) { s.passedPips[kMac2] = 1; }));
  EXPECT_TRUE(refusedSets([&](GameState& s) { s.heldTiles[kMac3] = 0; }));  // not the mover's
  Table wrongEnd = after();  // checked like any position besides (mac2 laid 0:6)
  wrongEnd.state.PontaB = laid.first();
  EXPECT_EQ(check(wrongEnd, kMac2, 2, laid),
            std::vector<std::string>{"end B does not match the chain"});
}

}  // namespace
}  // namespace tavolix
