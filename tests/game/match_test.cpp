// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The flow of a match on a recording screen: the deal, who opens each hand,
// and whole matches played by any seats.
#include <algorithm>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "game/autoplay.h"
#include "match_fixture.h"
#include "support/game_printers.h"

namespace tavolix {
namespace {

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
  // Each of the six tiles taken for him came after a pause of 100 ms, the
  // pile no longer his to click.
  EXPECT_EQ(std::count(screen.pauses.begin() + pausesBefore, screen.pauses.end(), 100), 6);
  EXPECT_EQ(screen.pausesWithThePileOffered, 0);
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

// Whoever holds the five doubles, the player too, the hand is thrown in with
// his name said.
class FiveDoublesTest : public MatchTest, public ::testing::WithParamInterface<int> {};

TEST_P(FiveDoublesTest, ThrowTheHandInWhicheverSeatHoldsThem) {
  const int seat = GetParam();
  std::array<std::vector<std::string_view>, 4> deal{{
      {"01", "02", "03", "04", "05", "06", "12"},
      {"00", "11", "22", "33", "44", "13", "14"},  // five doubles
      {"15", "16", "23", "24", "25", "26", "34"},
      {"35", "36", "45", "46", "55", "56", "66"},
  }};
  std::swap(deal[1], deal[static_cast<std::size_t>(seat)]);
  random.stackDeal(deal);
  match.start();
  for (int k = 1; k <= 3; ++k) random.takeOwnTiles(k);
  clickOwnTiles();
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0], settings.Nomes[static_cast<std::size_t>(seat)] +
                                        " pegou 5 buchas\r\n\r\nSerá feita uma nova distribuição");
  EXPECT_TRUE(match.state().PrimeiraRodada);
  EXPECT_EQ(match.awaiting(), Match::Awaiting::PileTile);
}

INSTANTIATE_TEST_SUITE_P(EverySeat, FiveDoublesTest, ::testing::Values(kJog, kMac1, kMac2, kMac3));

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

// A match ends at the hand that brings any seat, the last one too, to the
// limit, and that seat wins it. 120 individual matches: each seat wins some
// (a seat winning none of them by chance: about (3/4)^120, 1 in 10^15).
TEST(MatchEnd, EndsWhenAnySeatReachesTheLimit) {
  struct Watcher : MatchObserver {
    void handEnded(const HandResult&, const GameState& state) override {
      scores.push_back(state.Pontos);
    }
    void matchEnded(int winner, const std::array<int, 4>&, const GameState& state) override {
      ends.push_back({winner, state.Pontos, scores.size()});
    }
    struct End {
      int winner;
      std::array<int, 4> scores;
      std::size_t hands;  // hands ended so far, this one too
    };
    std::vector<std::array<int, 4>> scores;
    std::vector<End> ends;
  } watcher;
  RecordingPresentation screen;
  Settings settings;
  settings.PontosLimit = 3;
  constexpr int kMatches = 120;
  screen.answers.assign(kMatches, NewGameAnswer::Play);
  screen.answers.push_back(NewGameAnswer::Exit);
  RandomSource random(23);
  Match match(settings, screen, random);
  match.setObserver(&watcher);
  Autoplayer player(match, random);
  match.start();
  for (long actions = 0; actions < 2000L * kMatches && player.act(); ++actions) {
  }
  ASSERT_EQ(watcher.ends.size(), static_cast<std::size_t>(kMatches));
  std::array<int, 4> wins{};
  std::size_t from = 0;
  for (const auto& end : watcher.ends) {
    ++wins[static_cast<std::size_t>(end.winner)];
    EXPECT_GE(end.scores[static_cast<std::size_t>(end.winner)], settings.PontosLimit);
    // No hand before the last of the match left a seat at the limit.
    for (std::size_t h = from; h + 1 < end.hands; ++h) {
      for (const int points : watcher.scores[h]) EXPECT_LT(points, settings.PontosLimit);
    }
    from = end.hands;
  }
  for (int seat = kJog; seat <= kMac3; ++seat)
    EXPECT_GT(wins[static_cast<std::size_t>(seat)], 0) << seat;
}

// The last hand of a match stays on the table until the next match begins,
// whichever side won it; every other hand, and a deal given back, is cleared
// away before the next deal. Pairs: either side wins some of twelve matches.
TEST(MatchEnd, TheLastHandStaysOnTheTableWhicheverSideWon) {
  struct Screen : RecordingPresentation {
    void clearTable() override {
      RecordingPresentation::clearTable();
      log += 'C';
    }
    std::string log;
  } screen;
  struct Watcher : MatchObserver {
    explicit Watcher(std::string& events) : log(events) {}
    void matchStarted(const Settings&) override { log += 'S'; }
    void redealt(int, int) override { log += 'R'; }
    void handEnded(const HandResult&, const GameState&) override { log += 'H'; }
    void matchEnded(int winner, const std::array<int, 4>&, const GameState&) override {
      log += 'M';
      winners.push_back(winner);
    }
    std::string& log;
    std::vector<int> winners;
  } watcher(screen.log);
  Settings settings;
  settings.TipoJogo = 2;
  settings.PontosLimit = 3;
  constexpr int kMatches = 12;
  screen.answers.assign(kMatches, NewGameAnswer::Play);
  screen.answers.push_back(NewGameAnswer::Exit);
  RandomSource random(17);
  Match match(settings, screen, random);
  match.setObserver(&watcher);
  Autoplayer player(match, random);
  match.start();
  for (long actions = 0; actions < 2000L * kMatches && player.act(); ++actions) {
  }
  ASSERT_EQ(match.awaiting(), Match::Awaiting::Finished);
  // A match: cleared and begun, hands each cleared and ended, the last one
  // ended and left; a deal given back is cleared as it is.
  std::string log = screen.log;
  for (auto at = log.find("RC"); at != std::string::npos; at = log.find("RC")) log.erase(at, 2);
  std::string expected;
  std::size_t at = 0;
  for (int m = 0; m < kMatches; ++m) {
    std::string one = "CS";
    const std::size_t end = log.find('M', at);
    ASSERT_NE(end, std::string::npos) << log;
    const long hands =
        std::count(log.begin() + static_cast<long>(at), log.begin() + static_cast<long>(end), 'H');
    for (long h = 1; h < hands; ++h) one += "CH";
    expected += one + "HM";
    at = end + 1;
  }
  EXPECT_EQ(log, expected);
  // While a hand's result is told no seat is marked as playing.
  ASSERT_FALSE(screen.turnAtBoxes.empty());
  EXPECT_EQ(std::count(screen.turnAtBoxes.begin(), screen.turnAtBoxes.end(), -1),
            static_cast<long>(screen.turnAtBoxes.size()));
  ASSERT_EQ(watcher.winners.size(), static_cast<std::size_t>(kMatches));
  EXPECT_GT(std::count(watcher.winners.begin(), watcher.winners.end(), kJog), 0);
  EXPECT_GT(std::count(watcher.winners.begin(), watcher.winners.end(), kMac1), 0);
}

}  // namespace
}  // namespace tavolix
