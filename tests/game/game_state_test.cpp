#include <gtest/gtest.h>

#include "game/game_state.h"

namespace tavolix {
namespace {

TEST(GameState, ANewMatchClearsScoresAndWaitsForTheDoubleSix) {
  GameState state;
  state.Pontos = {3, 1, 3, 1};
  state.QuemInicia = kMac2;
  state.PrimeiraRodada = false;
  state.startMatch();
  EXPECT_EQ(state.Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(state.QuemInicia, kHolderOfDoubleSix);
  EXPECT_TRUE(state.PrimeiraRodada);
}

TEST(GameState, ANewHandClearsTheTableButKeepsScoresAndOpener) {
  GameState state;
  state.Pontos = {2, 0, 2, 0};
  state.QuemInicia = kMac3;
  state.PrimeiraRodada = false;
  state.PontaA = 1;
  state.PontaB = 4;
  state.QtdMesa = 9;
  state.QtdLadoA = 5;
  state.QtdLadoB = 3;
  state.Mesa[1] = TileCode(1, 4);
  state.NaoTem = {"14", "", "2255", ""};
  state.startHand();
  EXPECT_EQ(state.PontaA, 6);
  EXPECT_EQ(state.PontaB, 6);
  EXPECT_EQ(state.QtdMesa, 0);
  EXPECT_EQ(state.QtdLadoA, 0);
  EXPECT_EQ(state.QtdLadoB, 0);
  EXPECT_TRUE(state.Mesa[1].empty());
  for (const std::string& record : state.NaoTem) EXPECT_EQ(record, "");
  EXPECT_EQ(state.Pontos, (std::array<int, 4>{2, 0, 2, 0}));
  EXPECT_EQ(state.QuemInicia, kMac3);
  EXPECT_FALSE(state.PrimeiraRodada);
}

TEST(GameState, ADealEmptiesEveryHandAndThePileRecord) {
  GameState state;
  for (int seat = 0; seat < kSeatCount; ++seat) state.hand(seat)[1] = TileCode(seat, seat);
  state.takePile(4);
  state.takePile(17);
  state.QtdEscolhidas = 3;
  state.startDeal();
  for (int seat = 0; seat < kSeatCount; ++seat) EXPECT_EQ(tileCount(state.hand(seat)), 0);
  EXPECT_FALSE(state.pileTaken(4));
  EXPECT_EQ(state.QtdEscolhidas, 0);
}

TEST(GameState, HandsAreReachedBySeat) {
  GameState state;
  state.hand(kJog)[1] = TileCode(0, 1);
  state.hand(kMac1)[1] = TileCode(1, 1);
  state.hand(kMac2)[1] = TileCode(2, 1);
  state.hand(kMac3)[1] = TileCode(3, 1);
  EXPECT_EQ(state.PedrasJog[1], TileCode(0, 1));
  EXPECT_EQ(state.PedrasMac1[1], TileCode(1, 1));
  EXPECT_EQ(state.PedrasMac2[1], TileCode(2, 1));
  EXPECT_EQ(state.PedrasMac3[1], TileCode(3, 1));
}

TEST(GameState, APassRecordsBothEndsAndCountsTowardsABlock) {
  GameState state;
  state.PontaA = 6;
  state.PontaB = 3;
  state.pass(kMac1);
  EXPECT_EQ(state.NaoTem[kMac1], "63");
  EXPECT_EQ(state.Passes, 1);
  state.PontaA = 0;
  state.pass(kMac1);
  state.pass(kHolderOfDoubleSix);  // not a seat: ignored
  EXPECT_EQ(state.NaoTem[kMac1], "6303");
  EXPECT_EQ(state.Passes, 2);
  state.tileLaid();
  EXPECT_EQ(state.Passes, 0);
  EXPECT_FALSE(state.PrimeiraRodada);
  EXPECT_EQ(state.NaoTem[kMac1], "6303");  // what a seat lacks is remembered all hand
}

TEST(GameState, ARedealIsOpenedLikeAFirstHand) {
  GameState state;
  state.QuemInicia = kMac1;
  state.PrimeiraRodada = false;
  state.redeal();
  EXPECT_EQ(state.QuemInicia, kHolderOfDoubleSix);
  EXPECT_TRUE(state.PrimeiraRodada);
}

}  // namespace
}  // namespace tavolix
