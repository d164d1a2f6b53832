// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The flow of a match on a recording screen: the deal, the turns and the
// player's moves, the end of a hand and of a match, New Game.
#include <map>

#include <gtest/gtest.h>

#include "game/autoplay.h"
#include "game/match.h"
#include "support/game_printers.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

class MatchTest : public ::testing::Test {
 protected:
  MatchTest() {
    settings.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"};
    settings.PontosLimit = 50;
  }

  void clickOwnTiles() {
    for (int position = 1; position <= 7; ++position) match.takePileTile(position);
  }
  // A hand in play from `seat`'s turn: four hands, the ends, and a chain of
  // `table` tiles whose last tiles lie at Left 4995 (side A) and 6675 (side B).
  void resume(int seat, const std::array<Hand, 4>& hands, int endA, int endB,
              std::initializer_list<std::string_view> table = {"12"}) {
    GameState state;
    for (int s = 0; s < 4; ++s) state.hand(s) = hands[s];
    for (std::string_view t : table) state.Mesa[++state.QtdMesa] = tile(t);
    state.QtdLadoA = std::max(0, state.QtdMesa - 1);
    state.PontaA = endA;
    state.PontaB = endB;
    state.PrimeiraRodada = false;
    state.QuemInicia = kMac1;
    state.Passes = passes;
    state.Pontos = scores;
    ChainGeometry chain;
    chain.EsqA = 4995;
    chain.EsqB = 6675;
    match.resume(state, chain, seat);
  }
  // The player to move on ends 6 (side A) and 3 (side B); nobody else can play on those.
  void playerToMove(const Hand& hand, int endA = 6, int endB = 3) {
    resume(kJog, {hand, handOf({"00", "01"}), handOf({"02", "04"}), handOf({"05", "11"})}, endA,
           endB);
    ASSERT_EQ(match.awaiting(), Match::Awaiting::Move);
  }
  const LaidTile& playersTile() const {
    for (const LaidTile& t : screen.laid) {
      if (t.seat == kJog) return t;
    }
    ADD_FAILURE() << "the player laid nothing";
    return screen.laid.front();
  }
  std::vector<int> seatsThatPlayed() const {
    std::vector<int> seats;
    for (const LaidTile& t : screen.laid) seats.push_back(t.seat);
    return seats;
  }

  Settings settings;
  RecordingPresentation screen;
  ScriptedRandom random;
  Match match{settings, screen, random};
  int passes = 0;
  std::array<int, 4> scores{};
};

// --- the deal ----------------------------------------------------------------

TEST_F(MatchTest, TheFirstMatchStartsWithTheDialogAndThePlayerTakesFirstBySevenClicks) {
  random.stackDeal(kOrderedDeal);
  match.start();
  ASSERT_EQ(screen.dialogsLeaveEnds, std::vector<bool>{true});  // leaving now ends the program
  EXPECT_EQ(screen.seats, settings.Nomes);
  EXPECT_EQ(screen.scores[3], "0 pts");
  EXPECT_EQ(screen.prompts.back(), "Escolha as suas peças");
  EXPECT_EQ(match.state().Ordem, (std::array<int, 5>{0, 0, 1, 2, 3}));
  EXPECT_TRUE(screen.pileEnabled);
  EXPECT_TRUE(match.newGameEnabled());  // taking first, he may still start again

  match.takePileTile(3);
  EXPECT_EQ(match.state().PedrasJog[1], tile("02"));
  EXPECT_EQ(screen.prompts.back(), "Escolha a sua 2ª peça");
  for (int bad : {3, 0, 29}) match.takePileTile(bad);  // taken already, or no pile tile
  EXPECT_EQ(match.state().QtdEscolhidas, 1);
  for (int k = 1; k <= 3; ++k) random.takeOwnTiles(k);
  for (int position : {1, 2, 4, 5, 6, 7}) match.takePileTile(position);
  EXPECT_EQ(match.state().PedrasJog, handOf({"02", "00", "01", "03", "04", "05", "06"}));
  EXPECT_EQ(match.state().PedrasMac1, handOf({"11", "12", "13", "14", "15", "16", "22"}));
  EXPECT_EQ(screen.prompts.back(), "");
  // Mac3 was dealt 6:6, so it opened with it.
  ASSERT_FALSE(screen.laid.empty());
  EXPECT_EQ(screen.laid.front().seat, kMac3);
  EXPECT_EQ(screen.laid.front().side, Lado::First);
  EXPECT_EQ(match.state().Mesa[1], tile("66"));
}

TEST_F(MatchTest, AComputerSeatNeverTakesATakenTile) {
  random.stackDeal(kOrderedDeal);
  match.start();
  // Mac1 draws position 3 (the player's) and its own last one again before each new one.
  for (int j = 1; j <= 7; ++j) {
    random.queue(3, kTileCount);
    if (j > 1) random.queue(7 + j - 1, kTileCount);
    random.queue(7 + j, kTileCount);
  }
  random.takeOwnTiles(2);
  random.takeOwnTiles(3);
  clickOwnTiles();
  EXPECT_EQ(match.state().PedrasMac1, handOf({"11", "12", "13", "14", "15", "16", "22"}));
  EXPECT_EQ(match.state().PedrasMac2, handOf({"23", "24", "25", "26", "33", "34", "35"}));
}

TEST_F(MatchTest, LastInTheOrderThePlayerTakesAllHisTilesWithOneClick) {
  // Mac1 goes out: it takes first in the next deal, the player last.
  resume(kMac1, {handOf({"23", "34"}), handOf({"45"}), handOf({"01", "02"}), handOf({"03", "04"})},
         5, 0);
  ASSERT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(match.state().Ordem, (std::array<int, 5>{0, 1, 2, 3, 0}));
  EXPECT_FALSE(match.newGameEnabled());
  const std::size_t pausesBefore = screen.pauses.size();
  int free = 1;
  while (match.state().pileTaken(free)) ++free;
  match.takePileTile(free);
  EXPECT_EQ(tileCount(match.state().PedrasJog), 7);
  EXPECT_EQ(match.state().Pegas.count(), 28u);
  // Each of the six tiles taken for him came after a pause of 100 ms.
  EXPECT_EQ(std::count(screen.pauses.begin() + pausesBefore, screen.pauses.end(), 100), 6);
}

TEST_F(MatchTest, FiveDoublesThrowTheHandInFourDoNot) {
  random.stackDeal({{
      {"01", "02", "03", "04", "05", "06", "12"},
      {"00", "11", "22", "33", "44", "13", "14"},  // five doubles
      {"15", "16", "23", "24", "25", "26", "34"},
      {"35", "36", "45", "46", "55", "56", "66"},
  }});
  match.start();
  for (int k = 1; k <= 3; ++k) random.takeOwnTiles(k);
  random.stackDeal({{
      {"01", "02", "03", "04", "05", "06", "12"},
      {"13", "14", "15", "16", "23", "24", "25"},
      {"00", "11", "22", "33", "26", "34", "35"},  // four doubles: played
      {"36", "44", "45", "46", "55", "56", "66"},
  }});
  clickOwnTiles();
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0],
            "Zorvan pegou 5 buchas\r\n\r\nSerá feita uma nova distribuição");
  EXPECT_EQ(screen.reveals, 1);
  EXPECT_TRUE(match.state().PrimeiraRodada);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);  // the player takes first again

  for (int k = 1; k <= 3; ++k) random.takeOwnTiles(k);
  clickOwnTiles();
  EXPECT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.laid.front().seat, kMac3);  // the holder of 6:6 opens with it
}

// Who opened each hand of many whole matches, against the opening rule.
class OpeningRecorder : public MatchObserver {
 public:
  struct Opening {
    int holderOfDoubleSix = -1;
    bool firstOfMatch = false;
    bool afterRedeal = false;
    int previousWinner = -1;  // -1 after a tie or at the start of a match
    int opener = -1;
    TileCode tile;
  };
  std::vector<Opening> hands;

  void matchStarted(const Settings&) override { firstOfMatch_ = true; }
  void dealt(const GameState& state) override {
    pending_ = Opening();
    for (int seat = 0; seat < 4; ++seat) {
      for (int slot = 1; slot <= 7; ++slot) {
        if (state.hand(seat)[slot] == kDoubleSix) pending_.holderOfDoubleSix = seat;
      }
    }
    pending_.firstOfMatch = firstOfMatch_;
    pending_.afterRedeal = redealt_;
    pending_.previousWinner = firstOfMatch_ ? -1 : lastWinner_;
  }
  void redealt(int, int) override { redealt_ = true; }
  void played(int seat, int, TileCode t, Lado side, const GameState&) override {
    if (side != Lado::First) return;
    pending_.opener = seat;
    pending_.tile = t;
    hands.push_back(pending_);
    firstOfMatch_ = redealt_ = false;
  }
  void handEnded(const HandResult& result, const GameState& state) override {
    lastWinner_ = result.tied() ? -1 : state.QuemInicia;
  }

 private:
  Opening pending_;
  bool firstOfMatch_ = false;
  bool redealt_ = false;
  int lastWinner_ = -1;
};

// Whole matches from the first dialog to leaving after the last, the player's
// seat played through the mouse actions, or by `seat0` when given.
RecordingPresentation playMatches(const Settings& rules, int matches, std::uint64_t seed,
                                  MatchObserver* observer, SeatPlayer* seat0 = nullptr) {
  Settings settings = rules;
  RecordingPresentation screen;
  screen.answers.assign(matches, NewGameAnswer::Play);
  screen.answers.push_back(NewGameAnswer::Exit);
  RandomSource random(seed);
  Match match(settings, screen, random);
  match.setObserver(observer);
  if (seat0 != nullptr) match.setSeat(kJog, *seat0);
  Autoplayer player(match, random);
  match.start();
  // A match takes a few hundred actions; a game that stops moving on fails here.
  for (long actions = 0; actions < 2000L * matches && player.act(); ++actions) {
  }
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Finished);
  return screen;
}

class OpeningRuleTest : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(OpeningRuleTest, EachHandIsOpenedByTheRightSeat) {
  const auto [rule, clockwise] = GetParam();
  Settings settings;
  settings.TipoInicio = static_cast<std::int16_t>(rule);
  settings.SentidoHorario = clockwise;
  settings.TipoJogo = 2;
  settings.PontosLimit = 6;
  OpeningRecorder recorder;
  playMatches(settings, 29, 77, &recorder);
  const auto& hands = recorder.hands;
  ASSERT_GT(hands.size(), 100u);
  std::map<std::string, int> seen;
  for (std::size_t i = 0; i < hands.size(); ++i) {
    const auto& h = hands[i];
    SCOPED_TRACE("hand " + std::to_string(i));
    if (h.firstOfMatch || h.afterRedeal || rule == 2) {
      // The holder of 6:6 opens, and must open with it.
      EXPECT_EQ(h.opener, h.holderOfDoubleSix);
      EXPECT_EQ(h.tile, kDoubleSix);
      ++seen[h.firstOfMatch ? "first" : "66"];
    } else if (rule == 1) {
      // The winner of the last hand with any tile, or the holder of 6:6 after a tie.
      EXPECT_EQ(h.opener, h.previousWinner >= 0 ? h.previousWinner : h.holderOfDoubleSix);
      ++seen[h.previousWinner >= 0 ? "winner" : "afterTie"];
    } else {
      // In rotation after the last opener, ties or not.
      EXPECT_EQ(h.opener, nextSeat(hands[i - 1].opener, clockwise));
      ++seen[h.previousWinner >= 0 ? "rotation" : "afterTie"];
    }
  }
  EXPECT_GT(seen["first"], 0);
  if (rule != 2) {
    EXPECT_GT(seen["afterTie"], 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, OpeningRuleTest,
                         ::testing::Combine(::testing::Values(1, 2, 3), ::testing::Bool()));

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
  EXPECT_EQ(screen.lastMessage().text, "Jogada inválida");
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
  const std::pair<bool, bool> runs[] = {{true, false}, {false, false}, {true, true}};
  for (const auto& [clockwise, strong] : runs) {
    settings.SentidoHorario = clockwise;
    settings.strongOpponents = false;
    screen = RecordingPresentation();
    // Every computer seat can play once after the player's 3:6.
    resume(kJog,
           {handOf({"36", "12"}), handOf({"33", "01"}), handOf({"13", "02"}), handOf({"15", "04"})},
           6, 5);
    // Strong opponents asked for in the preferences once the hand is under way.
    settings.strongOpponents = strong;
    match.drop(1, 4575, 5000, false);
    const std::vector<int> order = clockwise ? std::vector<int>{kJog, kMac1, kMac2, kMac3}
                                             : std::vector<int>{kJog, kMac3, kMac2, kMac1};
    EXPECT_EQ(seatsThatPlayed(), order) << (clockwise ? "clockwise" : "anticlockwise");
    // Between the three: a pause, or for strong seats the same time given to their thinking.
    EXPECT_EQ(std::count(screen.pauses.begin(), screen.pauses.end(), 200), strong ? 0 : 2);
    const std::vector<int> thoughts = strong ? std::vector<int>{0, 200, 200} : std::vector<int>{};
    EXPECT_EQ(screen.thoughts, thoughts);
    EXPECT_EQ(std::count(screen.pauses.begin(), screen.pauses.end(), 300),
              3);  // before each tile leaves its seat
    EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
    EXPECT_TRUE(screen.handEnabled);
  }
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
  screen.answers.push_back(NewGameAnswer::Cancel);
  match.newGame();
  EXPECT_EQ(screen.dialogsLeaveEnds, std::vector<bool>{false});  // leaving only cancels
  EXPECT_EQ(match.state().Pontos, scores);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::Move);
  match.drop(1, 4575, 5000, false);  // and the hand goes on
  EXPECT_EQ(screen.laid.front().seat, kJog);

  playerToMove(handOf({"36", "12"}));
  match.newGame();
  EXPECT_EQ(match.state().Pontos, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(screen.scores[3], "0 pts");
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

// Any seat may be played by any player: four computer players play whole
// matches among themselves, the flow waiting for nobody. The player's seat is
// asked through the seat interface like the others, each of its moves is its
// own answer, and each match ends once a seat reaches the limit.
TEST(Seats, FourComputerPlayersPlayWholeMatches) {
  struct CountingSeat : ComputerSeat {
    SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override {
      const SeatAnswer answer = ComputerSeat::turn(state, settings, seat);
      ++(answer.kind == SeatAnswer::Kind::Play ? plays : passes);
      return answer;
    }
    int plays = 0;
    int passes = 0;
  } computer;
  struct Watcher : MatchObserver {
    void played(int seat, int, TileCode, Lado, const GameState&) override { plays += seat == kJog; }
    void passed(int seat, const GameState&) override { passes += seat == kJog; }
    void matchEnded(int winner, const std::array<int, 4>&, const GameState& state) override {
      winningScores.push_back(state.Pontos[winner]);
    }
    int plays = 0;
    int passes = 0;
    std::vector<int> winningScores;
  } watcher;
  Settings settings;
  settings.PontosLimit = 10;
  const RecordingPresentation screen = playMatches(settings, 2, 9, &watcher, &computer);
  EXPECT_EQ(screen.matchEnds.size(), 2u);
  EXPECT_TRUE(screen.prompts.empty());  // nobody was asked to pick tiles
  EXPECT_GT(computer.plays, 10);
  EXPECT_EQ(watcher.plays, computer.plays);
  EXPECT_EQ(watcher.passes, computer.passes);
  ASSERT_EQ(watcher.winningScores.size(), 2u);
  for (const int score : watcher.winningScores) EXPECT_GE(score, settings.PontosLimit);
}

}  // namespace
}  // namespace tavolix
