// The end of a hand (going out, the blocked count), the end of a match, and
// the New Game command.
#include "match_test_support.h"

namespace tavolix {
namespace {

class HandEndTest : public MatchTest {
 protected:
  HandEndTest() { settings.PontosLimit = 50; }

  // `seat` holds one tile left and is to move on ends a and b.
  void lastTile(int seat, std::string_view last, int endA, int endB,
                std::initializer_list<std::string_view> table = {"12"}) {
    std::array<Hand, 4> hands{handOf({"01", "11"}), handOf({"13", "22"}), handOf({"33", "03"}), handOf({"44", "04"})};
    hands[seat] = handOf({last});
    match.resume(position(hands, endA, endB, table), chainWith(4995, 6675), seat);
  }
};

TEST_F(HandEndTest, BatidaCruzadaScoresFour) {
  lastTile(kMac1, "55", 5, 5);
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Zorvan bateu.\r\rBatida Cruzada   |   vai ganhar 4 pts");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 4, 0, 0}));
  EXPECT_EQ(screen.scores[1], "4 pts");
  EXPECT_EQ(screen.reveals, 1);
  EXPECT_GE(screen.tablesCleared, 1);
  // The next hand is dealt, the winner taking first.
  EXPECT_EQ(match.state().QuemInicia, kMac1);
  EXPECT_EQ(match.state().Ordem[1], kMac1);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

TEST_F(HandEndTest, BatidaCarrocaoInPairsScoresForBothPartners) {
  settings.TipoJogo = 2;
  lastTile(kMac2, "55", 2, 5);
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Melira bateu.  (Batida Carroção)\r\rA dupla 'Ana e Melira'  vai ganhar 2 pts");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{2, 0, 2, 0}));
}

TEST_F(HandEndTest, BatidaLaELoAndSimples) {
  lastTile(kMac3, "35", 3, 5);
  EXPECT_EQ(screen.messageBoxes.back(), "Astelo bateu.\r\rBatida Lá e Lô   |   vai ganhar 2 pts");
  EXPECT_EQ(match.state().Pontos[kMac3], 2);
}

TEST_F(HandEndTest, BatidaSimplesInPairs) {
  settings.TipoJogo = 2;
  lastTile(kMac1, "46", 3, 4);
  EXPECT_EQ(screen.messageBoxes.back(), "Zorvan bateu.\r\rA dupla 'Zorvan e Astelo'  vai ganhar 1 pts");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 1, 0, 1}));
}

TEST_F(HandEndTest, ThePipRuleInPairsCountsTheOpponentsHands) {
  settings.TipoJogo = 2;
  settings.TipoRegra = 2;
  std::array<Hand, 4> hands{handOf({"66", "01"}), handOf({"35"}), handOf({"25"}), handOf({"44", "04"})};
  match.resume(position(hands, 3, 1), chainWith(4995, 6675), kMac1);
  EXPECT_EQ(screen.messageBoxes.back(), "Zorvan bateu.\r\rA dupla 'Zorvan e Astelo'  vai ganhar 20 pts");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 20, 0, 20}));
}

TEST_F(HandEndTest, ThePipRuleAloneCountsEveryOtherHand) {
  settings.TipoRegra = 2;
  std::array<Hand, 4> hands{handOf({"66", "01"}), handOf({"35"}), handOf({"25"}), handOf({"44", "04"})};
  match.resume(position(hands, 3, 1), chainWith(4995, 6675), kMac1);
  EXPECT_EQ(screen.messageBoxes.back(), "Zorvan bateu.\r\rVai ganhar 32 pts");  // 13 + 7 + 12
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 32, 0, 0}));
}

// Passes: the seat before `seat` made the third pass in a row; `seat` can not
// match 6 or 6 either. The hands are given as pip totals of tiles without a 6.
class BlockedTest : public HandEndTest {
 protected:
  void blockWith(const std::array<Hand, 4>& hands) {
    GameState state = position(hands, 6, 6);
    state.Passes = 3;
    match.resume(state, chainWith(4995, 6675), kMac1);
  }
};

TEST_F(BlockedTest, ThreePassesDoNotBlock) {
  GameState state = position({handOf({"01"}), handOf({"02"}), handOf({"16"}), handOf({"03"})}, 6, 6);
  state.Passes = 2;
  match.resume(state, chainWith(4995, 6675), kMac1);
  EXPECT_TRUE(screen.messageBoxes.empty() || screen.messageBoxes[0].find("contagem") == std::string::npos);
  EXPECT_EQ(screen.passDisplays.front(), kMac1);
  ASSERT_FALSE(screen.laid.empty());
  EXPECT_EQ(screen.laid.front().seat, kMac2);  // Mac2 could play, so play went on
}

TEST_F(BlockedTest, TheLowestCountWinsOnePointUnderTheFirstRule) {
  blockWith({handOf({"12"}), handOf({"45"}), handOf({"55"}), handOf({"15", "24"})});  // 3, 9, 10, 12
  EXPECT_EQ(screen.passDisplays, std::vector<int>{kMac1});
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Ana ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 1(um) ponto");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{1, 0, 0, 0}));
  EXPECT_EQ(match.state().QuemInicia, kJog);
  EXPECT_EQ(match.state().Passes, 0);
}

TEST_F(BlockedTest, UnderThePipRuleTheOthersCountsAreThePoints) {
  settings.TipoRegra = 2;
  blockWith({handOf({"12"}), handOf({"45"}), handOf({"55"}), handOf({"15", "24"})});
  EXPECT_EQ(screen.messageBoxes[0], "Ana ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 31 pontos");
  EXPECT_EQ(match.state().Pontos[kJog], 31);
}

TEST_F(BlockedTest, ATieScoresNothingAndTheDoubleSixOpensNext) {
  blockWith({handOf({"23"}), handOf({"45"}), handOf({"14"}), handOf({"55", "02"})});  // 5, 9, 5, 12
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Houve empate na contegem de pontos");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(match.state().QuemInicia, kHolderOfDoubleSix);
  EXPECT_EQ(match.state().Ordem[1], kJog);  // the player takes first again
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

TEST_F(BlockedTest, InPairsTheLowerPairWinsAndTheLowestSeatOpens) {
  settings.TipoJogo = 2;
  blockWith({handOf({"13"}), handOf({"02"}), handOf({"03"}), handOf({"45"})});  // 4, 2, 3, 9
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0],
            "A dupla 'Ana e Melira' ganhou esta mão na contagem de pontos\r\n\r\nA dupla ganhará 1 pontos");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{1, 0, 1, 0}));
  EXPECT_EQ(match.state().QuemInicia, kMac1);
}

TEST_F(BlockedTest, InPairsUnderThePipRuleTheLosersCountIsThePoints) {
  settings.TipoJogo = 2;
  settings.TipoRegra = 2;
  blockWith({handOf({"13"}), handOf({"02"}), handOf({"03"}), handOf({"45"})});
  EXPECT_EQ(screen.messageBoxes[0],
            "A dupla 'Ana e Melira' ganhou esta mão na contagem de pontos\r\n\r\nA dupla ganhará 11 pontos");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{11, 0, 11, 0}));
}

TEST_F(BlockedTest, InPairsEqualCountsAreATie) {
  settings.TipoJogo = 2;
  blockWith({handOf({"13"}), handOf({"02"}), handOf({"03"}), handOf({"05"})});  // 4 + 3 against 2 + 5
  EXPECT_EQ(screen.messageBoxes[0], "Houve empate na contegem de pontos");
  EXPECT_EQ(match.state().QuemInicia, kHolderOfDoubleSix);
}

class MatchEndTest : public HandEndTest {};

TEST_F(MatchEndTest, APairReachingTheLimitWinsAndANewMatchIsOffered) {
  settings.TipoJogo = 2;
  settings.PontosLimit = 4;
  std::array<Hand, 4> hands{handOf({"01", "11"}), handOf({"13", "22"}), handOf({"46"}), handOf({"44", "04"})};
  GameState state = position(hands, 3, 4);
  state.Pontos = {3, 0, 3, 0};
  match.resume(state, chainWith(4995, 6675), kMac2);

  ASSERT_EQ(screen.matchEnds.size(), 1u);
  const MatchEndReport& report = screen.matchEnds[0];
  EXPECT_EQ(report.winner, kJog);
  EXPECT_EQ(report.winnerLine, "Vitória de Ana e Melira com 4 pts");
  EXPECT_EQ(report.standings, (std::array<int, 4>{0, 2, 1, 3}));
  EXPECT_EQ(report.names, (std::array<std::string, 4>{"Ana", "Melira", "Zorvan", "Astelo"}));
  EXPECT_EQ(report.scores, (std::array<std::string, 4>{"4 pts", "4 pts", "0 pts", "0 pts"}));
  // The new match's dialog: leaving it now ends the program. Play was chosen.
  EXPECT_EQ(screen.dialogsLeaveEnds.back(), true);
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(match.state().QuemInicia, kHolderOfDoubleSix);
  EXPECT_TRUE(match.state().PrimeiraRodada);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

TEST_F(MatchEndTest, StandingsByFallingScoreEqualScoresInSeatOrder) {
  settings.PontosLimit = 10;
  std::array<Hand, 4> hands{handOf({"01", "11"}), handOf({"46"}), handOf({"33", "03"}), handOf({"44", "04"})};
  GameState state = position(hands, 3, 4);
  state.Pontos = {3, 9, 7, 3};
  match.resume(state, chainWith(4995, 6675), kMac1);
  ASSERT_EQ(screen.matchEnds.size(), 1u);
  EXPECT_EQ(screen.matchEnds[0].winnerLine, "O vencedor foi Zorvan com 10 pts");
  EXPECT_EQ(screen.matchEnds[0].standings, (std::array<int, 4>{1, 2, 0, 3}));
}

TEST_F(MatchEndTest, AScoreAboveTheLimitWinsToo) {
  settings.PontosLimit = 4;
  std::array<Hand, 4> hands{handOf({"01", "11"}), handOf({"55"}), handOf({"33", "03"}), handOf({"44", "04"})};
  GameState state = position(hands, 5, 5);
  state.Pontos = {0, 3, 2, 0};
  match.resume(state, chainWith(4995, 6675), kMac1);
  ASSERT_EQ(screen.matchEnds.size(), 1u);
  EXPECT_EQ(screen.matchEnds[0].winnerLine, "O vencedor foi Zorvan com 7 pts");
}

TEST_F(MatchEndTest, BelowTheLimitNothingEnds) {
  settings.PontosLimit = 10;
  lastTile(kMac1, "55", 5, 5);
  EXPECT_TRUE(screen.matchEnds.empty());
  EXPECT_EQ(screen.dialogsLeaveEnds.size(), 0u);
}

TEST_F(MatchEndTest, LeavingTheDialogAfterAMatchEndsTheProgram) {
  settings.PontosLimit = 4;
  screen.answers.push_back(NewGameAnswer::Exit);
  std::array<Hand, 4> hands{handOf({"01", "11"}), handOf({"55"}), handOf({"33", "03"}), handOf({"44", "04"})};
  match.resume(position(hands, 5, 5), chainWith(4995, 6675), kMac1);
  EXPECT_TRUE(screen.ended);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Finished);
  match.takePileTile(1);  // nothing more happens
  match.newGame();
  EXPECT_EQ(screen.dialogsLeaveEnds.size(), 1u);
}

class NewGameTest : public MatchTest {
 protected:
  void playersTurn() {
    GameState state = position({handOf({"36", "12"}), handOf({"00"}), handOf({"02"}), handOf({"05"})}, 6, 3);
    state.Pontos = {2, 1, 0, 3};
    match.resume(state, chainWith(4995, 6675), kJog);
    ASSERT_EQ(match.awaiting(), Match::Awaiting::Move);
    ASSERT_TRUE(match.newGameEnabled());
  }
};

TEST_F(NewGameTest, CancellingKeepsTheScoresAndTheHand) {
  playersTurn();
  screen.answers.push_back(NewGameAnswer::Cancel);
  const GameState before = match.state();
  match.newGame();
  EXPECT_EQ(screen.dialogsLeaveEnds, std::vector<bool>{false});  // leaving only cancels
  EXPECT_FALSE(screen.ended);
  EXPECT_EQ(match.state().Pontos, before.Pontos);
  EXPECT_EQ(match.state().PedrasJog, before.PedrasJog);
  EXPECT_EQ(match.state().QtdMesa, before.QtdMesa);
  EXPECT_FALSE(match.state().JogoCancelado);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
  match.drop(1, 4575, 5000, false);  // and the hand goes on
  EXPECT_EQ(screen.laid.front().seat, kJog);
}

TEST_F(NewGameTest, PlayingStartsAFreshMatch) {
  playersTurn();
  match.newGame();
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(screen.scores[0], "0 pts");
  EXPECT_EQ(screen.pilesLaidOut, 1);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

TEST_F(NewGameTest, NotWhileTheComputersPlayOrBeforeThePlayerMayTakeFirst) {
  // The player last to take tiles: New Game stays off until the hand opens.
  GameState state = position({handOf({"23", "34"}), handOf({"45"}), handOf({"01", "02"}), handOf({"03", "04"})}, 5, 0);
  match.resume(state, chainWith(4995, 6675), kMac1);
  ASSERT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  match.newGame();
  EXPECT_TRUE(screen.dialogsLeaveEnds.empty());
}

}  // namespace
}  // namespace tavolix
