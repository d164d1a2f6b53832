// Starting a match, the deal, the redeal, and who opens each hand.
#include <map>

#include "game/autoplay.h"
#include "match_test_support.h"

namespace tavolix {
namespace {

using DealTest = MatchTest;

const std::array<std::vector<std::string_view>, 4> kDeal{{
    {"00", "01", "02", "03", "04", "05", "06"},
    {"11", "12", "13", "14", "15", "16", "22"},
    {"23", "24", "25", "26", "33", "34", "35"},
    {"36", "44", "45", "46", "55", "56", "66"},
}};

TEST_F(DealTest, TheFirstMatchStartsWithTheDialogAndThePlayerTakesFirst) {
  stackDeal(kDeal);
  match.start();
  ASSERT_EQ(screen.dialogsLeaveEnds, std::vector<bool>{true});  // leaving now ends the program
  EXPECT_EQ(screen.seats, settings.Nomes);
  EXPECT_EQ(screen.scores, (std::array<std::string, 4>{"0 pts", "0 pts", "0 pts", "0 pts"}));
  EXPECT_EQ(screen.pilesLaidOut, 1);
  EXPECT_EQ(screen.prompts.back(), "Escolha as suas peças");
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  EXPECT_TRUE(screen.pileEnabled);
  EXPECT_TRUE(match.newGameEnabled());  // the player takes first: New Game stays on
  const std::array<int, 5> order{0, 0, 1, 2, 3};
  EXPECT_EQ(match.state().Ordem, order);
}

TEST_F(DealTest, ThePlayerTakesSevenTilesBySevenClicks) {
  stackDeal(kDeal);
  match.start();
  match.takePileTile(3);
  EXPECT_EQ(match.state().PedrasJog[1], tile("02"));
  EXPECT_EQ(screen.prompts.back(), "Escolha a sua 2ª peça");
  match.takePileTile(3);  // already taken: nothing happens
  match.takePileTile(0);
  match.takePileTile(29);
  EXPECT_EQ(match.state().QtdEscolhidas, 1);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);

  for (int k = 1; k <= 3; ++k) queueComputerTakes(k);
  for (int position : {1, 2, 4, 5, 6, 7}) match.takePileTile(position);
  EXPECT_EQ(match.state().PedrasJog, handOf({"02", "00", "01", "03", "04", "05", "06"}));
  EXPECT_EQ(match.state().PedrasMac1, handOf({"11", "12", "13", "14", "15", "16", "22"}));
  // Mac3 was dealt 6:6, so it opened with it.
  EXPECT_EQ(match.state().PedrasMac3, handOf({"36", "44", "45", "46", "55", "56"}));
  EXPECT_EQ(screen.prompts.back(), "");
  ASSERT_FALSE(screen.laid.empty());
  EXPECT_EQ(screen.laid.front().seat, kMac3);
  EXPECT_EQ(screen.laid.front().lado, Lado::First);
  EXPECT_EQ(match.state().Mesa[1], tile("66"));
}

TEST_F(DealTest, AComputerSeatNeverTakesATakenTile) {
  stackDeal(kDeal);
  match.start();
  // Mac1 draws position 3 (the player's) twice and 8 (its own) once more before each new one.
  for (int j = 1; j <= 7; ++j) {
    random.queue(3, kTileCount);
    if (j > 1) random.queue(7 + j - 1, kTileCount);
    random.queue(7 + j, kTileCount);
  }
  queueComputerTakes(2);
  queueComputerTakes(3);
  clickOwnTiles();
  EXPECT_EQ(match.state().PedrasMac1, handOf({"11", "12", "13", "14", "15", "16", "22"}));
  EXPECT_EQ(match.state().PedrasMac2, handOf({"23", "24", "25", "26", "33", "34", "35"}));
  EXPECT_EQ(match.state().Pegas.count(), 28u);
}

TEST_F(DealTest, LastInTheOrderThePlayerTakesAllHisTilesWithOneClick) {
  // A hand won by Mac1 has it take first in the next deal: 1, 2, 3, then the player.
  GameState state = position({handOf({"23", "34"}), handOf({"45"}), handOf({"01", "02"}), handOf({"03", "04"})}, 5, 0);
  match.resume(state, chainWith(4995, 6675), kMac1);
  ASSERT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(match.state().Ordem, (std::array<int, 5>{0, 1, 2, 3, 0}));
  EXPECT_EQ(match.state().Pegas.count(), 21u);
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

TEST_F(DealTest, FiveDoublesThrowTheHandInFourDoNot) {
  stackDeal({{
      {"01", "02", "03", "04", "05", "06", "12"},
      {"00", "11", "22", "33", "44", "13", "14"},  // five doubles
      {"15", "16", "23", "24", "25", "26", "34"},
      {"35", "36", "45", "46", "55", "56", "66"},
  }});
  match.start();
  for (int k = 1; k <= 3; ++k) queueComputerTakes(k);
  // The next deal: Mac2 holds four doubles, which is allowed.
  stackDeal({{
      {"01", "02", "03", "04", "05", "06", "12"},
      {"13", "14", "15", "16", "23", "24", "25"},
      {"00", "11", "22", "33", "26", "34", "35"},
      {"36", "44", "45", "46", "55", "56", "66"},
  }});
  clickOwnTiles();

  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], "Zorvan pegou 5 buchas\r\n\r\nSerá feita uma nova distribuição");
  EXPECT_EQ(screen.reveals, 1);
  EXPECT_EQ(screen.pilesLaidOut, 2);
  EXPECT_TRUE(match.state().PrimeiraRodada);
  EXPECT_EQ(match.state().QuemInicia, kHolderOfDoubleSix);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);  // the player takes first again

  for (int k = 1; k <= 3; ++k) queueComputerTakes(k);
  clickOwnTiles();
  EXPECT_EQ(screen.messageBoxes.size(), 1u);
  ASSERT_FALSE(screen.laid.empty());
  EXPECT_EQ(screen.laid.front().seat, kMac3);  // the holder of 6:6 opens with it
  EXPECT_EQ(match.state().Mesa[1], tile("66"));
}

// Who opened each hand of many played matches, against the opening rule.
class OpeningRecorder : public MatchObserver {
 public:
  struct Hand {
    int holderOfDoubleSix = -1;
    bool firstOfMatch = false;
    bool afterRedeal = false;
    int opener = -1;
    TileCode openingTile;
    int previousWinner = -1;  // -1 after a tie or at the start of a match
  };
  std::vector<Hand> hands;

  void matchStarted(const Settings&) override { firstOfMatch_ = true; }
  void dealt(const GameState& state) override {
    Hand hand;
    for (int seat = 0; seat < 4; ++seat) {
      for (int slot = 1; slot <= 7; ++slot) {
        if (state.hand(seat)[slot] == TileCode(6, 6)) hand.holderOfDoubleSix = seat;
      }
    }
    hand.firstOfMatch = firstOfMatch_;
    hand.afterRedeal = redealt_;
    hand.previousWinner = firstOfMatch_ ? -1 : lastWinner_;
    pending_ = hand;
  }
  void redealt(int, int) override { redealt_ = true; }
  void played(int seat, int, TileCode t, Lado lado, const GameState&) override {
    if (lado != Lado::First) return;
    pending_.opener = seat;
    pending_.openingTile = t;
    hands.push_back(pending_);
    firstOfMatch_ = false;
    redealt_ = false;
  }
  void wentOut(int seat, int, const std::string&, const GameState&) override { lastWinner_ = seat; }
  void blocked(const std::array<int, 4>&, const std::vector<int>& scorers, int, const GameState& state) override {
    lastWinner_ = scorers.empty() ? -1 : state.QuemInicia;
  }

 private:
  Hand pending_;
  bool firstOfMatch_ = false;
  bool redealt_ = false;
  int lastWinner_ = -1;
};

class OpeningRuleTest : public ::testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  std::vector<OpeningRecorder::Hand> play(int matches) {
    Settings settings;
    settings.TipoInicio = static_cast<std::int16_t>(std::get<0>(GetParam()));
    settings.SentidoHorario = std::get<1>(GetParam());
    settings.TipoJogo = 2;
    settings.PontosLimit = 6;
    RecordingPresentation screen;
    for (int i = 1; i < matches; ++i) screen.answers.push_back(NewGameAnswer::Play);
    screen.answers.push_back(NewGameAnswer::Exit);
    RandomSource random(77);
    Match match(settings, screen, random);
    OpeningRecorder recorder;
    match.setObserver(&recorder);
    Autoplayer player(match, random);
    match.start();
    while (player.act()) {
    }
    EXPECT_EQ(match.awaiting(), Match::Awaiting::Finished);
    EXPECT_TRUE(screen.ended);
    return recorder.hands;
  }
};

TEST_P(OpeningRuleTest, EachHandIsOpenedByTheRightSeat) {
  const int rule = std::get<0>(GetParam());
  const bool clockwise = std::get<1>(GetParam());
  const auto hands = play(30);
  ASSERT_GT(hands.size(), 100u);
  std::map<std::string, int> seen;
  for (std::size_t i = 0; i < hands.size(); ++i) {
    const auto& h = hands[i];
    SCOPED_TRACE("hand " + std::to_string(i));
    if (h.firstOfMatch || h.afterRedeal || rule == 2) {
      // The holder of 6:6 opens, and must open with it.
      EXPECT_EQ(h.opener, h.holderOfDoubleSix);
      EXPECT_EQ(h.openingTile, TileCode(6, 6));
      ++seen[h.firstOfMatch ? "first" : h.afterRedeal ? "redeal" : "always66"];
    } else if (rule == 1) {
      // The winner of the last hand, or the holder of 6:6 after a tie; any tile.
      EXPECT_EQ(h.opener, h.previousWinner >= 0 ? h.previousWinner : h.holderOfDoubleSix);
      ++seen[h.previousWinner >= 0 ? "winner" : "afterTie"];
      if (h.openingTile != TileCode(6, 6)) ++seen["free tile"];
    } else {
      // In rotation after the last opener, ties or not.
      EXPECT_EQ(h.opener, nextSeat(hands[i - 1].opener, clockwise));
      ++seen[h.previousWinner >= 0 ? "rotation" : "rotationAfterTie"];
    }
  }
  // The matches went through the cases that matter.
  EXPECT_GT(seen["first"], 0);
  if (rule == 1) {
    EXPECT_GT(seen["winner"], 0);
    EXPECT_GT(seen["afterTie"], 0);
    EXPECT_GT(seen["free tile"], 0);
  }
  if (rule == 3) {
    EXPECT_GT(seen["rotationAfterTie"], 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, OpeningRuleTest,
                         ::testing::Combine(::testing::Values(1, 2, 3), ::testing::Bool()));

TEST_F(DealTest, RotationAfterSeatTwoOpenedTheFirstHand) {
  settings.TipoInicio = 3;
  settings.PontosLimit = 50;
  // Mac2 is dealt 6:6 in the first hand.
  stackDeal({{
      {"00", "01", "02", "03", "04", "05", "06"},
      {"11", "12", "13", "14", "15", "16", "22"},
      {"36", "44", "45", "46", "55", "56", "66"},
      {"23", "24", "25", "26", "33", "34", "35"},
  }});
  OpeningRecorder recorder;
  match.setObserver(&recorder);
  match.start();
  for (int k = 1; k <= 3; ++k) queueComputerTakes(k);
  clickOwnTiles();
  Autoplayer player(match, random);
  while (recorder.hands.size() < 4 && player.act()) {
  }
  ASSERT_GE(recorder.hands.size(), 4u);
  EXPECT_EQ(recorder.hands[0].opener, kMac2);
  EXPECT_EQ(recorder.hands[1].opener, kMac3);
  EXPECT_EQ(recorder.hands[2].opener, kJog);
  EXPECT_EQ(recorder.hands[3].opener, kMac1);
}

}  // namespace
}  // namespace tavolix
