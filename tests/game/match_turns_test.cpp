// The player's moves: his drops and where they go, refusals and their
// messages, the Pass command, flips and re-ordering, the computer seats' turns.
#include "match_test_support.h"

namespace tavolix {
namespace {

class TurnTest : public MatchTest {
 protected:
  // The player to move on ends 6 (side "A", last tile at 4995) and 3 (side "B",
  // last tile at 6675), both in the row at Top 4575.
  void playerToMove(const Hand& hand, int endA = 6, int endB = 3) {
    GameState state = position({hand, handOf({"00", "01"}), handOf({"02", "04"}), handOf({"05", "11"})}, endA, endB);
    match.resume(state, chainWith(4995, 6675), kJog);
    ASSERT_EQ(match.awaiting(), Match::Awaiting::Move);
  }
  const LaidTile& playersTile() const {
    for (const LaidTile& t : screen.laid) {
      if (t.seat == kJog) return t;
    }
    ADD_FAILURE() << "the player laid nothing";
    return screen.laid.front();
  }
};

TEST_F(TurnTest, ATileFittingBothEndsGoesToTheNearerOne) {
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 4575, 5100, false);  // 105 from A's last tile, 1575 from B's
  EXPECT_EQ(playersTile().lado, Lado::A);
  EXPECT_EQ(playersTile().slot, 1);
}

TEST_F(TurnTest, NearerSideB) {
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 4000, 6500, false);  // max(575, 175) from B, max(575, 1505) from A
  EXPECT_EQ(playersTile().lado, Lado::B);
}

TEST_F(TurnTest, AtEqualDistanceSideA) {
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 4575, 5835, false);  // 840 from each
  EXPECT_EQ(playersTile().lado, Lado::A);
}

TEST_F(TurnTest, DistancesAreWholeTwipsAndTheLargerAxisCounts) {
  playerToMove(handOf({"14", "23"}), 4, 4);
  match.drop(1, 5410.5, 5835, false);  // A: max(835.5 -> 836, 840) = 840; B: max(836, 840) = 840
  EXPECT_EQ(playersTile().lado, Lado::A);
}

TEST_F(TurnTest, ATileFittingOneEndGoesThereWhereverItIsDropped) {
  playerToMove(handOf({"13", "45"}));
  match.drop(1, 4575, 4995, false);  // right on side A's last tile, but 1:3 only fits end 3 (B)
  EXPECT_EQ(playersTile().lado, Lado::B);
}

TEST_F(TurnTest, OnlyTheLowerEdgeOfThePlayAreaCounts) {
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 7741, 5000, false);  // below the play area: back to the hand
  ASSERT_EQ(screen.returns.size(), 1u);
  EXPECT_EQ(screen.returns[0], std::make_pair(1, TileReturn::Refused));
  EXPECT_EQ(screen.lastMessage().text, "Clique na pedra que quer jogar e arraste para a área verde, e então solte");
  EXPECT_EQ(screen.lastMessage().ms, 0);
  EXPECT_FALSE(match.state().JogBloqueado);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
  EXPECT_EQ(match.state().PedrasJog, handOf({"36", "12"}));

  match.drop(1, 7740, 100, false);  // on the lower edge, far to the left: on the table
  EXPECT_EQ(playersTile().slot, 1);
}

TEST_F(TurnTest, AboveOrBesideThePlayAreaIsOnTheTable) {
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 0, 11595, false);
  EXPECT_EQ(screen.returns.size(), 0u);
  EXPECT_EQ(playersTile().slot, 1);
}

TEST_F(TurnTest, ATileFittingNoEndIsAnInvalidMove) {
  playerToMove(handOf({"12", "36"}));
  match.drop(1, 4575, 5000, false);
  ASSERT_EQ(screen.returns.size(), 1u);
  EXPECT_EQ(screen.returns[0].second, TileReturn::Refused);
  EXPECT_EQ(screen.lastMessage().text, "Jogada inválida");
  EXPECT_EQ(screen.lastMessage().ms, 1200);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
}

TEST_F(TurnTest, AfterOnlyReorderingTheHandNothingIsSaid) {
  playerToMove(handOf({"12", "36"}));
  const std::size_t said = screen.messages.size();
  match.drop(1, 4575, 5000, true);   // fits no end
  match.drop(2, 8000, 5000, true);   // off the table
  EXPECT_EQ(screen.messages.size(), said);
  EXPECT_EQ(screen.returns.size(), 2u);
}

TEST_F(TurnTest, WithNoPlayableTileThePassCommandIsOffered) {
  playerToMove(handOf({"12", "45"}));
  EXPECT_TRUE(match.passOffered());
  EXPECT_TRUE(match.JogPassa());
  EXPECT_TRUE(screen.passShown);
  EXPECT_EQ(screen.lastMessage().text, "Clique em 'Passar a vez'");
  EXPECT_EQ(screen.lastMessage().ms, 0);
  // A drop reminds him, blinking, even after re-ordering.
  match.drop(1, 4575, 5000, true);
  EXPECT_EQ(screen.lastMessage().text, "Clique em 'Passar a vez'");
  EXPECT_EQ(screen.blinks, 1);

  match.passTurn();
  EXPECT_FALSE(screen.passShown);
  // Nobody else fits 6 or 3 either: the fourth pass in a row blocks the hand,
  // and Mac1 (0:0 and 0:1) has the lowest count.
  EXPECT_EQ(screen.passDisplays, (std::vector<int>{kMac1, kMac2, kMac3}));
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Zorvan ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 1(um) ponto");
}

TEST_F(TurnTest, APassIsRememberedAsTheEndsTheSeatCouldNotMatch) {
  playerToMove(handOf({"12", "45"}), 6, 3);
  GameState state = match.state();
  state.PedrasMac1 = handOf({"36", "01"});  // Mac1 can play after the player's pass
  match.resume(state, chainWith(4995, 6675), kJog);
  match.passTurn();
  EXPECT_EQ(match.state().NaoTem[kJog], "63");
  ASSERT_FALSE(screen.laid.empty());
  EXPECT_EQ(screen.laid.front().seat, kMac1);
}

TEST_F(TurnTest, ThePassCommandIsRefusedWhileATileFits) {
  playerToMove(handOf({"36", "12"}));
  EXPECT_FALSE(match.passOffered());
  match.passTurn();
  EXPECT_EQ(match.state().Passes, 0);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
}

TEST_F(TurnTest, ClosingOnlyNoNaturalSendsTheTileToTheOtherEnd) {
  // Ends 3 and 5, six tiles with a 5 on the table: "35" at "A" would close the game.
  GameState state = position({handOf({"35", "00"}), handOf({"11", "12"}), handOf({"22", "24"}), handOf({"44", "14"})},
                             3, 5, {"55", "05", "15", "25", "45", "56", "16"});
  match.resume(state, chainWith(4995, 6675), kJog);
  match.drop(1, 4575, 4995, false);  // nearer "A"
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Você só pode fechar o jogo no natural");
  EXPECT_EQ(playersTile().lado, Lado::B);
}

TEST_F(TurnTest, TheLastTileMayCloseTheGameAnywhere) {
  GameState state = position({handOf({"35"}), handOf({"11", "12"}), handOf({"22", "24"}), handOf({"44", "14"})}, 3, 5,
                             {"55", "05", "15", "25", "45", "56", "16"});
  settings.PontosLimit = 10;
  match.resume(state, chainWith(4995, 6675), kJog);
  match.drop(1, 4575, 4995, false);
  EXPECT_EQ(playersTile().lado, Lado::A);
  ASSERT_FALSE(screen.messageBoxes.empty());
  EXPECT_EQ(screen.messageBoxes[0], "Ana bateu.\r\rBatida Lá e Lô   |   vai ganhar 2 pts");
}

TEST_F(TurnTest, TheFirstHandsOpenerMustLayTheDoubleSix) {
  GameState state = position({handOf({"56", "66", "01"}), handOf({"11"}), handOf({"22"}), handOf({"33"})}, 6, 6, {});
  state.QuemInicia = kJog;
  state.PrimeiraRodada = true;
  match.resume(state, ChainGeometry(), kJog);
  match.drop(1, 4575, 5835, false);
  ASSERT_EQ(screen.returns.size(), 1u);
  EXPECT_EQ(screen.returns[0], std::make_pair(1, TileReturn::WrongOpening));
  EXPECT_EQ(screen.lastMessage().text, "Você deve jogar o 6:6");
  EXPECT_EQ(screen.lastMessage().ms, 1200);
  EXPECT_EQ(match.state().QtdMesa, 0);

  match.drop(2, 4575, 5835, false);
  EXPECT_EQ(playersTile().lado, Lado::First);
  EXPECT_EQ(match.state().Mesa[1], tile("66"));
}

TEST_F(TurnTest, ALaterOpenerMayLayAnyTileAndItsPipsBecomeTheEnds) {
  GameState state = position({handOf({"25", "66", "01"}), handOf({"23", "34"}), handOf({"44", "46"}), handOf({"13", "14"})},
                             6, 6, {});
  state.QuemInicia = kJog;
  match.resume(state, ChainGeometry(), kJog);
  match.drop(1, 100, 100, false);
  EXPECT_EQ(playersTile().lado, Lado::First);
  EXPECT_FALSE(playersTile().placement.vertical);
  EXPECT_EQ(match.state().Mesa[1], tile("25"));
  ASSERT_GE(screen.laid.size(), 2u);
  EXPECT_EQ(screen.laid[1].seat, kMac1);  // the turn moved on
}

TEST_F(TurnTest, AFlippedTileStaysFlippedWhereItIsLaid) {
  playerToMove(handOf({"36", "12"}));
  EXPECT_TRUE(match.flipTile(1));
  EXPECT_EQ(match.state().PedrasJog[1], tile("63"));
  EXPECT_TRUE(match.flipTile(1));
  EXPECT_EQ(match.state().PedrasJog[1], tile("36"));
  EXPECT_TRUE(match.flipTile(1));
  EXPECT_FALSE(match.flipTile(3));  // an empty slot
  match.drop(1, 4575, 5000, false);
  EXPECT_EQ(match.state().UltimaJogada, "6363");
  EXPECT_EQ(match.state().PontaA, 3);
}

TEST_F(TurnTest, ReorderingMovesTheTilesBetween) {
  playerToMove(handOf({"36", "12", "45", "01", "02"}));
  EXPECT_TRUE(match.moveTileInHand(2, 5));
  EXPECT_EQ(match.state().PedrasJog, handOf({"36", "45", "01", "02", "12"}));
  EXPECT_TRUE(match.moveTileInHand(4, 1));
  EXPECT_EQ(match.state().PedrasJog, handOf({"02", "36", "45", "01", "12"}));
  EXPECT_FALSE(match.moveTileInHand(2, 6));  // no tile there
  EXPECT_FALSE(match.moveTileInHand(0, 2));
}

TEST_F(TurnTest, NothingMovesOutsideThePlayersTurn) {
  stackShuffle({});
  match.start();  // taking tiles: the hand is not his to play yet
  ASSERT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  EXPECT_FALSE(match.flipTile(1));
  match.drop(1, 4575, 5000, false);
  match.passTurn();
  EXPECT_EQ(match.state().QtdMesa, 0);
  EXPECT_TRUE(screen.laid.empty());
}

TEST_F(TurnTest, ComputerSeatsTakeTheirTurnsWithPauses) {
  playerToMove(handOf({"36", "12", "45"}));
  match.drop(1, 4575, 5000, false);
  // Mac1, Mac2 and Mac3 passed in turn (none fits 3 or 3), each shown passing.
  EXPECT_EQ(screen.passDisplays, (std::vector<int>{kMac1, kMac2, kMac3}));
  EXPECT_EQ(screen.messages[screen.messages.size() - 2].text, "Astelo passou!");
  EXPECT_EQ(std::count(screen.pauses.begin(), screen.pauses.end(), 200), 2);  // between the three
  EXPECT_EQ(match.state().Passes, 3);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
  EXPECT_TRUE(screen.handEnabled);
}

}  // namespace
}  // namespace tavolix
