// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The flow of a match on a recording screen: the player's moves, the turns,
// the end of a hand and of a match, New Game.
#include <gtest/gtest.h>

#include "game/master_player.h"
#include "game/strong_player.h"
#include "match_fixture.h"
#include "support/game_printers.h"

namespace tavolix {
namespace {

// --- the player's moves ------------------------------------------------------

TEST_F(MatchTest, ATileFittingBothEndsGoesToTheNearerOne) {
  struct Drop {
    double top, left;
    Lado side;
  };
  // Side A's last tile at (4575, 4995), side B's at (4575, 6675).
  for (const Drop d :
       {Drop{4575, 5100, Lado::A}, Drop{4000, 6500, Lado::B}, Drop{4575, 5835, Lado::A},
        Drop{5410.5, 5835, Lado::A}}) {  // 836 (a half rounded up) against 840: A
    screen.laid.clear();
    playerToMove(handOf({"36", "12"}));
    match.drop(1, d.top, d.left, false);
    EXPECT_EQ(playersTile().side, d.side) << d.top << ", " << d.left;
  }
  // A tile fitting one end only goes there wherever it is dropped.
  screen.laid.clear();
  playerToMove(handOf({"13", "45"}));
  match.drop(1, 4575, 4995, false);
  EXPECT_EQ(playersTile().side, Lado::B);
}

TEST_F(MatchTest, OnlyTheLowerEdgeOfThePlayAreaCounts) {
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 7741, 5000, false);
  ASSERT_EQ(screen.returns.size(), 1u);
  EXPECT_EQ(screen.returns[0], std::make_pair(1, TileReturn::Refused));
  EXPECT_EQ(screen.lastMessage().text,
            "Clique na pedra que quer jogar e arraste para a área verde, e então solte");
  EXPECT_EQ(screen.lastMessage().ms, 0);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
  match.drop(1, 7740, 100, false);  // on the lower edge, far to the left: on the table
  EXPECT_EQ(playersTile().slot, 1);
  screen.laid.clear();
  playerToMove(handOf({"36", "12"}));
  match.drop(1, 0, 11595, false);  // above it, at the far right: on the table too
  EXPECT_EQ(playersTile().slot, 1);
}

TEST_F(MatchTest, RefusedDropsSayWhyUnlessTheHandWasOnlyReordered) {
  playerToMove(handOf({"12", "36"}));
  match.drop(1, 4575, 5000, false);
  EXPECT_EQ(screen.returns.back(), std::make_pair(1, TileReturn::Refused));
  EXPECT_EQ(screen.lastMessage().text, "Jogada inválida. As pontas são 6 e 3");
  EXPECT_EQ(screen.lastMessage().ms, 1200);
  const std::size_t said = screen.messages.size();
  match.drop(1, 4575, 5000, true);  // fits no end
  match.drop(2, 8000, 5000, true);  // off the table
  EXPECT_EQ(screen.messages.size(), said);
  EXPECT_EQ(screen.returns.size(), 3u);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
}

TEST_F(MatchTest, WithNoPlayableTileThePassCommandIsOfferedAndRemembered) {
  playerToMove(handOf({"12", "45"}));
  EXPECT_TRUE(match.passOffered());
  EXPECT_TRUE(screen.passShown);
  EXPECT_EQ(screen.lastMessage().text, "Clique em 'Passar a vez'");
  match.drop(1, 4575, 5000, true);  // a drop reminds him, blinking, even after re-ordering
  EXPECT_EQ(screen.lastMessage().text, "Clique em 'Passar a vez'");
  EXPECT_EQ(screen.blinks, 1);
  match.passTurn();
  EXPECT_FALSE(screen.passShown);
  // Nobody else fits 6 or 3 either: the fourth pass in a row blocks the hand,
  // and Mac1 (0:0 and 0:1) has the lowest count.
  EXPECT_EQ(screen.passDisplays, (std::vector<int>{kMac1, kMac2, kMac3}));
  EXPECT_EQ(screen.messageBoxes,
            std::vector<std::string>{
                "Zorvan ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 1(um) ponto"});
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 1, 0, 0}));
  EXPECT_EQ(match.state().Ordem[1], kMac1);  // the winner takes first in the next deal

  // His pass is remembered as the ends he could not match.
  resume(kJog, {handOf({"12", "45"}), handOf({"00"}), handOf({"02"}), handOf({"36", "05"})}, 6, 3);
  match.passTurn();
  EXPECT_EQ(match.state().NaoTem[kJog], "63");
  EXPECT_EQ(screen.laid.back().seat, kMac3);
}

TEST_F(MatchTest, ThePassCommandIsRefusedWhileATileFits) {
  playerToMove(handOf({"36", "12"}));
  EXPECT_FALSE(match.passOffered());
  match.passTurn();
  EXPECT_EQ(match.state().Passes, 0);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
}

TEST_F(MatchTest, ClosingOnlyNoNaturalSendsTheTileToTheOtherEndButNotTheLastTile) {
  // Ends 3 and 5, six tiles with a 5 on the table: "35" at A would close the game.
  const std::initializer_list<std::string_view> table{"55", "05", "15", "25", "45", "56", "16"};
  const std::array<Hand, 4> others{Hand{}, handOf({"11", "12"}), handOf({"22", "24"}),
                                   handOf({"44", "14"})};
  std::array<Hand, 4> hands = others;
  hands[kJog] = handOf({"35", "00"});
  resume(kJog, hands, 3, 5, table);
  match.drop(1, 4575, 4995, false);  // nearer A
  EXPECT_EQ(screen.messageBoxes, std::vector<std::string>{"Você só pode fechar o jogo no natural"});
  EXPECT_EQ(playersTile().side, Lado::B);

  screen = RecordingPresentation();
  hands[kJog] = handOf({"35"});
  resume(kJog, hands, 3, 5, table);
  match.drop(1, 4575, 4995, false);
  EXPECT_EQ(playersTile().side, Lado::A);
  EXPECT_EQ(screen.messageBoxes.front(), "Ana bateu.\r\rBatida Lá e Lô   |   vai ganhar 2 pts");
}

TEST_F(MatchTest, TheFirstHandsOpenerMustLayTheDoubleSixALaterOneAnyTile) {
  GameState state;
  state.PedrasJog = handOf({"56", "66", "01"});
  state.PedrasMac1 = handOf({"11"});
  state.PedrasMac2 = handOf({"22"});
  state.PedrasMac3 = handOf({"33"});
  state.QuemInicia = kJog;
  match.resume(state, ChainGeometry(), kJog);
  match.drop(1, 4575, 5835, false);
  EXPECT_EQ(screen.returns,
            (std::vector<std::pair<int, TileReturn>>{{1, TileReturn::WrongOpening}}));
  EXPECT_EQ(screen.lastMessage().text, "Você deve jogar o 6:6");
  EXPECT_EQ(screen.lastMessage().ms, 1200);
  match.drop(2, 4575, 5835, false);
  EXPECT_EQ(match.state().Mesa[1], tile("66"));

  screen.laid.clear();
  state.PrimeiraRodada = false;
  match.resume(state, ChainGeometry(), kJog);
  match.drop(1, 100, 100, false);
  EXPECT_EQ(playersTile().side, Lado::First);
  EXPECT_EQ(match.state().Mesa[1], tile("56"));
  EXPECT_EQ(seatsThatPlayed().size(), 1u);  // nobody else holds a 5 or a 6

  // Unless every hand is opened with 6:6.
  settings.TipoInicio = 2;
  screen.returns.clear();
  match.resume(state, ChainGeometry(), kJog);
  match.drop(1, 100, 100, false);
  EXPECT_EQ(screen.returns,
            (std::vector<std::pair<int, TileReturn>>{{1, TileReturn::WrongOpening}}));
}

// A tile let go while the player is still taking his tiles goes back to his
// hand without a word, and nothing is laid.
TEST_F(MatchTest, ATileLetGoOutOfTurnGoesBackQuietly) {
  random.stackDeal(kOrderedDeal);
  match.start();
  match.takePileTile(3);
  ASSERT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  ASSERT_FALSE(match.state().PedrasJog[1].empty());
  const auto hand = match.state().PedrasJog;
  match.drop(1, 4575, 4995, false);
  EXPECT_EQ(screen.returns, (std::vector<std::pair<int, TileReturn>>{{1, TileReturn::Quiet}}));
  EXPECT_EQ(match.state().PedrasJog, hand);
  EXPECT_EQ(match.state().QtdMesa, 0);
  EXPECT_TRUE(screen.laid.empty());
}

TEST_F(MatchTest, FlippingAndReorderingTheHand) {
  playerToMove(handOf({"36", "12", "45", "01", "02"}));
  EXPECT_TRUE(match.moveTileInHand(2, 5));
  EXPECT_EQ(match.state().PedrasJog, handOf({"36", "45", "01", "02", "12"}));
  EXPECT_TRUE(match.moveTileInHand(4, 1));
  EXPECT_EQ(match.state().PedrasJog, handOf({"02", "36", "45", "01", "12"}));
  EXPECT_FALSE(match.moveTileInHand(2, 6));  // no tile there
  EXPECT_TRUE(match.flipTile(2));
  EXPECT_FALSE(match.flipTile(7));
  EXPECT_EQ(match.state().PedrasJog[2], tile("63"));
  match.drop(2, 4575, 5000, false);
  EXPECT_EQ(match.state().UltimaJogada, "6363");  // laid as he held it
  EXPECT_EQ(match.state().PontaA, 3);
}

TEST_F(MatchTest, NothingMovesOutsideThePlayersTurn) {
  random.stackDeal(kOrderedDeal);
  match.start();  // taking tiles: the hand is not his to play yet
  EXPECT_FALSE(match.flipTile(1));
  match.drop(1, 4575, 5000, false);
  match.passTurn();
  EXPECT_TRUE(screen.laid.empty());
}

// --- the turns ---------------------------------------------------------------

TEST_F(MatchTest, AfterThePlayersMoveTheComputerSeatsPlayInTurnWithPauses) {
  const std::pair<bool, ComputerLevel> runs[] = {{true, ComputerLevel::Normal},
                                                 {false, ComputerLevel::Normal},
                                                 {true, ComputerLevel::Strong},
                                                 {false, ComputerLevel::Master}};
  for (const auto& [clockwise, level] : runs) {
    const bool thinking = level != ComputerLevel::Normal;
    settings.SentidoHorario = clockwise;
    settings.opponents = ComputerLevel::Normal;
    screen = RecordingPresentation();
    // Every computer seat can play once after the player's 3:6.
    resume(kJog,
           {handOf({"36", "12"}), handOf({"33", "01"}), handOf({"13", "02"}), handOf({"15", "04"})},
           6, 5);
    // Stronger opponents asked for in the preferences once the hand is under way.
    settings.opponents = level;
    match.drop(1, 4575, 5000, false);
    const std::vector<int> order = clockwise ? std::vector<int>{kJog, kMac1, kMac2, kMac3}
                                             : std::vector<int>{kJog, kMac3, kMac2, kMac1};
    EXPECT_EQ(seatsThatPlayed(), order) << (clockwise ? "clockwise" : "anticlockwise");
    // Between the three: a pause, or for stronger seats the same time given to their thinking.
    EXPECT_EQ(std::count(screen.pauses.begin(), screen.pauses.end(), 200), thinking ? 0 : 2);
    const std::vector<int> thoughts = thinking ? std::vector<int>{0, 200, 200} : std::vector<int>{};
    EXPECT_EQ(screen.thoughts, thoughts);
    EXPECT_EQ(std::count(screen.pauses.begin(), screen.pauses.end(), 300),
              3);  // before each tile leaves its seat
    EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
    EXPECT_TRUE(screen.handEnabled);
    // The level asked for is the one that thought.
    for (const int seat : {kMac1, kMac2, kMac3}) {
      const SeatPlayer* player = &match.playerAt(seat);
      EXPECT_EQ(dynamic_cast<const StrongSeat*>(player) != nullptr, level == ComputerLevel::Strong);
      EXPECT_EQ(dynamic_cast<const MasterSeat*>(player) != nullptr, level == ComputerLevel::Master);
    }
  }
  // After his pass too, the first seat plays without a pause before it.
  settings.SentidoHorario = true;
  settings.opponents = ComputerLevel::Normal;
  screen = RecordingPresentation();
  resume(kJog,
         {handOf({"13", "44"}), handOf({"66", "01"}), handOf({"46", "02"}), handOf({"35", "04"})},
         6, 5);
  match.passTurn();
  EXPECT_EQ(seatsThatPlayed(), (std::vector<int>{kMac1, kMac2, kMac3}));
  EXPECT_EQ(std::count(screen.pauses.begin(), screen.pauses.end(), 200), 2);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
}

TEST_F(MatchTest, AComputerSeatThatCannotPlayPassesAndIsRemembered) {
  passes = 1;
  resume(kMac1, {handOf({"23"}), handOf({"01"}), handOf({"16", "22"}), handOf({"05"})}, 6, 6);
  EXPECT_EQ(screen.passDisplays.front(), kMac1);
  EXPECT_EQ(screen.messages.front().text, "Zorvan passou!");
  EXPECT_EQ(screen.messages.front().ms, 900);
  EXPECT_EQ(match.state().NaoTem[kMac1], "66");
  EXPECT_EQ(seatsThatPlayed(), std::vector<int>{kMac2});  // Mac2 could play, Mac3 passed again
  EXPECT_EQ(screen.passDisplays, (std::vector<int>{kMac1, kMac3}));
}

// --- the end of a hand and of a match ------------------------------------------

TEST_F(MatchTest, GoingOutScoresBothPartnersAndTheWinnerTakesFirstNext) {
  settings.TipoJogo = 2;
  resume(kMac2, {handOf({"01"}), handOf({"13"}), handOf({"55"}), handOf({"44"})}, 2, 5);
  EXPECT_EQ(screen.messageBoxes.front(),
            "Melira bateu.  (Batida Carroção)\r\rA dupla 'Ana e Melira'  vai ganhar 2 pts");
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{2, 0, 2, 0}));
  EXPECT_EQ(screen.scores[2], "2 pts");
  EXPECT_EQ(screen.pairScores, "Nós 2 × 0 Eles");  // the player's pair first
  EXPECT_EQ(screen.reveals, 1);
  EXPECT_EQ(match.state().QuemInicia, kMac2);
  EXPECT_EQ(match.state().Ordem[1], kMac2);
}

TEST_F(MatchTest, ABlockedTieScoresNothingAndThePlayerTakesFirstNext) {
  passes = 3;
  resume(kMac1, {handOf({"23"}), handOf({"45"}), handOf({"14"}), handOf({"55", "02"})}, 6,
         6);  // 5, 9, 5, 12
  EXPECT_EQ(screen.messageBoxes, std::vector<std::string>{"Houve empate na contegem de pontos"});
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(match.state().QuemInicia, kHolderOfDoubleSix);
  EXPECT_EQ(match.state().Passes, 0);
  EXPECT_EQ(match.state().Ordem[1], kJog);
}

TEST_F(MatchTest, APairReachingTheLimitWinsAndANewMatchIsOffered) {
  settings.TipoJogo = 2;
  settings.PontosLimit = 4;
  scores = {3, 0, 3, 0};
  resume(kMac2, {handOf({"01", "11"}), handOf({"13", "22"}), handOf({"46"}), handOf({"44", "04"})},
         3, 4);
  ASSERT_EQ(screen.matchEnds.size(), 1u);
  const MatchEndReport& report = screen.matchEnds[0];
  EXPECT_EQ(render(report.winnerLine), "Vitória de Ana e Melira com 4 pts");
  EXPECT_EQ(report.standings, (std::array<int, 4>{0, 2, 1, 3}));
  EXPECT_EQ(report.names, (std::array<std::string, 4>{"Ana", "Melira", "Zorvan", "Astelo"}));
  EXPECT_EQ(render(report.scores[0]) + render(report.scores[3]), "4 pts0 pts");
  EXPECT_EQ(screen.dialogsLeaveEnds, std::vector<bool>{true});  // leaving it now ends the program
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_TRUE(match.state().PrimeiraRodada);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

TEST_F(MatchTest, AScoreAboveTheLimitWinsAndLeavingEndsTheProgram) {
  settings.PontosLimit = 4;
  scores = {3, 3, 7, 0};
  screen.answers.push_back(NewGameAnswer::Exit);
  resume(kMac1, {handOf({"01", "11"}), handOf({"55"}), handOf({"33", "03"}), handOf({"44", "04"})},
         5, 5);
  ASSERT_EQ(screen.matchEnds.size(), 1u);
  EXPECT_EQ(render(screen.matchEnds[0].winnerLine),
            "O vencedor foi Zorvan com 7 pts");  // the first seat at the limit
  EXPECT_EQ(screen.matchEnds[0].standings, (std::array<int, 4>{1, 2, 0, 3}));
  EXPECT_TRUE(screen.ended);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Finished);
  match.newGame();  // nothing more happens
  EXPECT_EQ(screen.dialogsLeaveEnds.size(), 1u);
}

TEST_F(MatchTest, NewGameCancelledKeepsTheHandPlayedStartsAfresh) {
  scores = {2, 1, 0, 3};
  playerToMove(handOf({"36", "12"}));
  match.noteHint();  // a hint asked in this match stays with it...
  screen.answers.push_back(NewGameAnswer::Cancel);
  match.newGame();
  EXPECT_EQ(screen.dialogsLeaveEnds, std::vector<bool>{false});  // leaving only cancels
  EXPECT_TRUE(match.hinted());
  EXPECT_EQ(match.state().Pontos, scores);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
  match.drop(1, 4575, 5000, false);  // and the hand goes on
  EXPECT_EQ(screen.laid.front().seat, kJog);

  playerToMove(handOf({"36", "12"}));
  match.noteHint();
  match.newGame();
  EXPECT_FALSE(match.hinted());  // ...and a new match starts without
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(screen.scores[3], "0 pts");
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

// The first dialog left for a table online begins nothing here; the next start deals.
TEST_F(MatchTest, AStartLeftForATableOnlineBeginsNothingAndTheNextStartDeals) {
  screen.answers.push_back(NewGameAnswer::Online);
  match.start();
  EXPECT_FALSE(screen.ended);
  EXPECT_NE(match.awaiting(), Match::Awaiting::PileTile);
  match.start();
  EXPECT_EQ(screen.dialogsLeaveEnds, (std::vector<bool>{true, true}));
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

TEST_F(MatchTest, RulesChangedDuringAMatchWaitForTheNextOne) {
  scores = {3, 0, 0, 0};
  playerToMove(handOf({"36", "12"}));
  // "Modificar regras" in the New Game dialog, then Cancel.
  settings.TipoRegra = 2;
  settings.PontosLimit = 4;
  settings.SentidoHorario = false;
  screen.answers.push_back(NewGameAnswer::Cancel);
  match.newGame();
  match.drop(1, 4575, 5000, false);
  EXPECT_EQ(screen.passDisplays, (std::vector<int>{kMac1, kMac2, kMac3}));  // still clockwise

  playerToMove(handOf({"36"}));  // the same match, picked up again
  settings.PontosLimit = 50;
  match.newGame();  // a new match: the new rules
  settings.PontosLimit = 4;
  EXPECT_EQ(match.settings().PontosLimit, 50);
}

TEST_F(MatchTest, GoingOutIsScoredByTheRulesTheMatchStartedWith) {
  scores = {3, 0, 0, 0};
  playerToMove(handOf({"36"}));
  settings.TipoRegra = 2;
  settings.PontosLimit = 4;
  screen.answers.push_back(NewGameAnswer::Cancel);
  match.newGame();
  match.drop(1, 4575, 5000, false);
  EXPECT_EQ(match.state().Pontos[kJog], 5);  // two points for "lá e lô", not the pips left
  EXPECT_TRUE(screen.matchEnds.empty());     // and the limit is still 50
}

TEST_F(MatchTest, TheWinnerHeadsTheStandingsWhateverTheScores) {
  settings.PontosLimit = 4;
  scores = {3, 0, 9, 0};
  resume(kJog, {handOf({"36"}), handOf({"00", "01"}), handOf({"02", "04"}), handOf({"05", "11"})},
         6, 3);
  match.drop(1, 4575, 5000, false);
  ASSERT_EQ(screen.matchEnds.size(), 1u);
  EXPECT_EQ(screen.matchEnds[0].winner, kJog);
  EXPECT_EQ(screen.matchEnds[0].standings, (std::array<int, 4>{0, 2, 1, 3}));
}

TEST_F(MatchTest, APlayerWhoLeadsALaterHandIsToldItIsHisTurn) {
  playerToMove(handOf({"36"}));
  match.drop(1, 4575, 5000, false);  // he goes out, and opens the next hand
  clickOwnTiles();
  ASSERT_EQ(match.awaiting(), Match::Awaiting::Move);
  EXPECT_EQ(screen.lastMessage().text, "É a sua vez: você começa esta mão");
  EXPECT_EQ(screen.lastMessage().ms, 0);  // until he plays
}

}  // namespace
}  // namespace tavolix
