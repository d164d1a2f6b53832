// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The strong computer player: it sees only what its seat sees, plays only
// what the rules allow, and plays out what the ordinary player cannot see.
#include <random>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "game/autoplay.h"
#include "game/master_player.h"
#include "game/match.h"
#include "game/playout.h"
#include "game/strong_player.h"
#include "simulator.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// The game as it stood at a seat's turn, and the hand's moves so far.
struct Position {
  GameState state;
  std::vector<HandEvent> hand;
};

// An ordinary computer seat that keeps the game as it stood at each of its turns.
class Recorder : public ComputerSeat {
 public:
  explicit Recorder(const Match& match) : match_(match) {}
  SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override {
    if (state.QtdMesa > 0) positions.push_back({state, match_.handEvents()});
    return ComputerSeat::turn(state, settings, seat);
  }
  std::vector<Position> positions;

 private:
  const Match& match_;
};

// The tiles `seat` cannot see dealt again among the other seats: as many to
// each as it holds, none showing a pip the seat passed on; the pile's order
// shuffled too. Nothing the seat has seen changes.
GameState withOtherHiddenHands(const GameState& state, int seat, std::mt19937& random) {
  std::vector<TileCode> hidden;
  for (int s = 0; s < kSeatCount; ++s) {
    if (s == seat) continue;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (!state.hand(s)[slot].empty()) hidden.push_back(state.hand(s)[slot]);
    }
  }
  for (;;) {
    std::shuffle(hidden.begin(), hidden.end(), random);
    GameState other = state;
    std::shuffle(other.Monte.begin(), other.Monte.end(), random);
    std::size_t next = 0;
    bool agrees = true;
    for (int s = 0; s < kSeatCount; ++s) {
      if (s == seat) continue;
      for (int slot = 1; slot <= kHandSlots; ++slot) {
        if (state.hand(s)[slot].empty()) continue;
        const TileCode t = hidden[next++];
        for (const char pip : state.NaoTem[s]) agrees = agrees && !t.holds(pip - '0');
        other.hand(s)[slot] = t;
      }
    }
    // Counted anew, so that a look at the hidden hands' sets would show the swap.
    other.recount();
    if (agrees) return other;
  }
}

// One way of playing: individual or pairs, the scoring rule, the direction
// of play, and the seat the strong player sits at.
struct SeatAt {
  bool pairs;
  int rule;
  bool clockwise;
  int seat;
};

std::ostream& operator<<(std::ostream& out, const SeatAt& t) {
  return out << (t.pairs ? "pairs" : "individual") << ", rule " << t.rule
             << (t.clockwise ? ", clockwise" : ", anticlockwise") << ", seat " << t.seat;
}

class NoPeekingTest : public ::testing::TestWithParam<SeatAt> {};

// Positions from real play: the strong and the master players' choices are
// the same whichever way the tiles they cannot see lie, for the same seed;
// and they do not always play as the ordinary player does. At the player's
// seat they are asked as the window's own player would ask them.
TEST_P(NoPeekingTest, TheStrongerLevelsChooseFromWhatTheirSeatSeesAlone) {
  const SeatAt table = GetParam();
  Settings settings;
  settings.TipoJogo = table.pairs ? 2 : 1;
  settings.TipoRegra = static_cast<std::int16_t>(table.rule);
  settings.PontosLimit = table.rule == 2 ? Settings::kDefaultLimitRule2 : 10;
  settings.SentidoHorario = table.clockwise;
  SilentPresentation screen;
  RandomSource random(11 + static_cast<std::uint64_t>(table.seat));
  Match match(settings, screen, random);
  Recorder recorder(match);
  if (table.seat != kJog) match.setSeat(table.seat, recorder);
  Autoplayer player(match, random);
  match.start();
  constexpr std::size_t kPositions = 24;
  for (int actions = 0; recorder.positions.size() < kPositions && actions < 20000; ++actions) {
    const GameState& now = match.state();
    if (table.seat == kJog && match.awaiting() == Match::Awaiting::Move && !match.passOffered() &&
        now.QtdMesa > 0)
      recorder.positions.push_back({now, match.handEvents()});
    if (!player.act()) break;
  }
  ASSERT_GE(recorder.positions.size(), kPositions);

  std::mt19937 shuffle(7);
  StrongSeat strong(150);
  MasterSeat master(MasterEffort{400, 100});
  ComputerSeat ordinary;
  int weighed = 0;
  std::array<int, 2> differs{};
  for (const Position& position : recorder.positions) {
    const std::uint64_t seed = shuffle();
    const GameState& now = position.state;
    const std::array<SeatAnswer, 2> chosen{
        strong.think(now, settings, table.seat, position.hand, seed),
        master.think(now, settings, table.seat, position.hand, seed)};
    for (int k = 0; k < 2; ++k) {
      const GameState other = withOtherHiddenHands(now, table.seat, shuffle);
      ASSERT_EQ(strong.think(other, settings, table.seat, position.hand, seed), chosen[0]);
      ASSERT_EQ(master.think(other, settings, table.seat, position.hand, seed), chosen[1]);
    }
    const SeatAnswer usual = ordinary.turn(now, settings, table.seat);
    weighed += usual.kind == SeatAnswer::Kind::Play;
    for (std::size_t level = 0; level < 2; ++level) differs[level] += chosen[level] != usual;
  }
  EXPECT_GT(weighed, 12);
  EXPECT_GT(differs[0], 0);
  EXPECT_GT(differs[1], 0);
}

// Every kind of game, both rules, both directions; each seat twice.
INSTANTIATE_TEST_SUITE_P(
    EveryTable, NoPeekingTest,
    ::testing::Values(SeatAt{false, 1, true, kMac1}, SeatAt{true, 1, true, kJog},
                      SeatAt{false, 2, true, kMac2}, SeatAt{true, 2, true, kMac3},
                      SeatAt{false, 1, false, kJog}, SeatAt{true, 1, false, kMac1},
                      SeatAt{false, 2, false, kMac3}, SeatAt{true, 2, false, kMac2}));

// What the strong player reads of the table: its own hand, the chain and its
// ends, how many tiles each seat holds and who passed on what; under the 6:6
// rule every opening must be the double six.
TEST(StrongPlayer, SeesItsHandTheChainTheCountsAndThePasses) {
  GameState state;
  state.PrimeiraRodada = false;
  state.PontaA = 0;
  state.PontaB = 5;
  state.QtdLadoA = 1;
  state.QtdLadoB = 1;
  for (const char* t : {"05", "00", "55"}) state.Mesa[++state.QtdMesa] = tile(t);
  state.PedrasMac1 = handOf({"34", "56", "12"});
  state.PedrasJog = handOf({"11", "13"});
  state.PedrasMac2 = handOf({"22", "23", "24", "26"});
  state.PedrasMac3 = handOf({"33"});
  state.NaoTem[kMac2] = "05";
  state.Passes = 1;
  state.Pontos = {12, 35, 12, 35};  // the master level weighs its moves by the score
  state.recount();
  Settings settings;
  settings.PontosLimit = 150;
  const SeatView view = SeatView::of(state, settings, kMac1);
  EXPECT_EQ(view.hand, state.PedrasMac1);
  EXPECT_EQ(view.onTable, tileBit(tile("05")) | tileBit(tile("00")) | tileBit(tile("55")));
  EXPECT_EQ(view.pontaA, 0);
  EXPECT_EQ(view.pontaB, 5);
  EXPECT_EQ(view.passes, 1);
  EXPECT_EQ(view.qtdLadoA, 1);
  EXPECT_EQ(view.qtdLadoB, 1);
  EXPECT_EQ(view.scores, state.Pontos);
  EXPECT_EQ(view.rules.PontosLimit, 150);
  EXPECT_EQ(view.tilesHeld, (std::array<int, 4>{2, 3, 4, 1}));
  EXPECT_EQ(view.passedOn, (std::array<unsigned, 4>{0, 0, 0b100001, 0}));
  EXPECT_EQ(view.hasPassed, (std::array<bool, 4>{false, false, true, false}));
  EXPECT_FALSE(view.opening);
  EXPECT_FALSE(view.mustOpenWithDoubleSix);
  // Its play-outs start from that table, as it sees it.
  const Line line = lineOf(view);
  EXPECT_EQ(line.hands, (std::array<std::uint32_t, 4>{0, state.heldTiles[kMac1], 0, 0}));
  EXPECT_EQ(std::tuple(line.onTable, line.pontaA, line.pontaB, line.qtdLadoA, line.qtdLadoB),
            std::tuple(view.onTable, 0, 5, 1, 1));
  EXPECT_EQ(std::tuple(line.passes, line.passedOn, line.hasPassed),
            std::tuple(1, view.passedOn, view.hasPassed));
  settings.TipoInicio = 2;
  EXPECT_TRUE(SeatView::of(state, settings, kMac1).mustOpenWithDoubleSix);
}

// Two tiles left, 0:0 and 5:6, on ends 0 and 5; nobody else holds a 0. Laying
// 5:6 first makes going out with 0:0 certain next turn; laying 0:0 first needs
// end 5 to last a whole round. The ordinary player lays 0:0 (side A is tried
// first); the strong one sees further.
TEST(StrongPlayer, KeepsTheTileNobodyCanBlock) {
  GameState state;
  state.PrimeiraRodada = false;
  state.QuemInicia = kJog;
  state.PontaA = 0;
  state.PontaB = 5;
  state.QtdLadoA = 2;
  state.QtdLadoB = 5;
  const char* table[] = {"01", "02", "03", "04", "05", "06", "15", "55"};
  for (const char* t : table) state.Mesa[++state.QtdMesa] = tile(t);
  state.PedrasMac1 = handOf({"00", "56"});
  // Two seats passed on ends 0 and 4, the third on ends 0 and 0: every tile
  // with a 4 is with the third.
  state.PedrasJog = handOf({"11", "12", "13", "16", "22", "23"});
  state.PedrasMac2 = handOf({"25", "26", "33", "35", "36", "66"});
  state.PedrasMac3 = handOf({"14", "24", "34", "44", "45", "46"});
  state.NaoTem[kJog] = "04";
  state.NaoTem[kMac2] = "04";
  state.NaoTem[kMac3] = "00";
  state.recount();
  Settings settings;

  ComputerSeat ordinary;
  EXPECT_EQ(ordinary.turn(state, settings, kMac1), SeatAnswer::play(1, Lado::A));
  StrongSeat strong;
  for (const std::uint64_t seed : {1u, 2u, 3u})
    EXPECT_EQ(strong.think(state, settings, kMac1, {}, seed), SeatAnswer::play(2, Lado::B));
  // The same in a match's first hand, and where every hand opens with 6:6:
  // once the chain is begun those rules ask nothing more of a move.
  state.PrimeiraRodada = true;
  EXPECT_EQ(strong.think(state, settings, kMac1, {}, 1), SeatAnswer::play(2, Lado::B));
  state.PrimeiraRodada = false;
  settings.TipoInicio = 2;
  EXPECT_EQ(strong.think(state, settings, kMac1, {}, 1), SeatAnswer::play(2, Lado::B));
}

// Mac1 to move with `hand` on ends `endA` and `endB`, the rest of the chain
// `table`, the unseen tiles with the others as given.
GameState mac1ToMove(const Hand& hand, int endA, int endB, std::initializer_list<const char*> table,
                     const std::array<Hand, 3>& others) {
  GameState state;
  state.PrimeiraRodada = false;
  state.QuemInicia = kJog;
  state.PontaA = endA;
  state.PontaB = endB;
  for (const char* t : table) state.Mesa[++state.QtdMesa] = tile(t);
  state.QtdLadoA = state.QtdMesa / 2;
  state.QtdLadoB = state.QtdMesa - 1 - state.QtdLadoA;
  state.PedrasMac1 = hand;
  state.PedrasJog = others[0];
  state.PedrasMac2 = others[1];
  state.PedrasMac3 = others[2];
  state.recount();
  return state;
}

// The moves a stronger level weighs: every tile and end the rules allow, the
// ordinary choice first; on ends showing the same pip each tile once, as
// either end makes the same chain.
TEST(StrongPlayer, WeighsEveryMoveTheRulesAllowAndOnEqualEndsEachTileOnce) {
  const std::array<Hand, 3> others{handOf({"11", "13"}), handOf({"22", "23"}),
                                   handOf({"33", "34"})};
  const auto weighed = [](const GameState& state) {
    Settings settings;
    std::vector<std::pair<int, Lado>> moves;
    for (const Candidate& c :
         candidates(SeatView::of(state, settings, kMac1), Outlook(state, settings, kMac1)))
      moves.emplace_back(c.slot, c.side);
    return moves;
  };
  const Hand hand = handOf({"05", "12", "56"});
  const auto equalEnds = weighed(mac1ToMove(hand, 5, 5, {"55"}, others));
  ASSERT_EQ(equalEnds.size(), 2u);
  EXPECT_NE(equalEnds[0].first, equalEnds[1].first);
  for (const auto& [slot, side] : equalEnds) EXPECT_TRUE(slot == 1 || slot == 3) << slot;
  const auto differentEnds = weighed(mac1ToMove(hand, 0, 5, {"05", "55"}, others));
  EXPECT_EQ(std::set(differentEnds.begin(), differentEnds.end()),
            (std::set<std::pair<int, Lado>>{{1, Lado::A}, {1, Lado::B}, {3, Lado::B}}));
  EXPECT_EQ(differentEnds.size(), 3u);
  // Leading a later hand, where any tile may open it: each tile once.
  GameState leading = mac1ToMove(hand, 0, 0, {}, others);
  leading.QtdLadoB = 0;
  leading.QuemInicia = kMac1;
  const auto openings = weighed(leading);
  EXPECT_EQ(std::set(openings.begin(), openings.end()),
            (std::set<std::pair<int, Lado>>{{1, Lado::First}, {2, Lado::First}, {3, Lado::First}}));
  EXPECT_EQ(openings.size(), 3u);
}

// Nobody else holds a 0, a 5 or a 6, and each of them fewer pips than 6:6.
// Laying 0:5 first, the three others pass and Mac1 goes out with 6:6 on ends
// 6 and 0, a Carroção (2 points); laying 6:6 first, it goes out with 0:5, a
// simple one (1 point). A play-out that called the hand blocked once three
// seats had passed, before the fourth played again, would see the first lost
// on the count (Mac1 holding 6:6) and the second won (holding 0:5).
TEST(StrongPlayer, PlaysOnAfterThreePassesAndGoesOutForTheMostPoints) {
  const std::array<Hand, 3> others{handOf({"11", "12", "13"}), handOf({"14", "22", "23", "24"}),
                                   handOf({"33", "34", "44"})};
  const std::initializer_list<const char*> table{"00", "01", "02", "03", "04", "06", "15", "16",
                                                 "25", "26", "35", "36", "45", "46", "55", "56"};
  Settings settings;
  StrongSeat strong;
  for (const std::uint64_t seed : {1u, 2u}) {
    EXPECT_EQ(strong.think(mac1ToMove(handOf({"66", "05"}), 6, 5, table, others), settings, kMac1,
                           {}, seed),
              SeatAnswer::play(2, Lado::B));
    EXPECT_EQ(strong.think(mac1ToMove(handOf({"05", "66"}), 6, 5, table, others), settings, kMac1,
                           {}, seed),
              SeatAnswer::play(1, Lado::B));
  }
}

// Under the pip rule, whatever Mac1 lays on end 1, Mac2 goes out next with 3:3
// (it passed on every other number) and scores the pips left: Mac1 keeps 1:2
// (3 pips) rather than 1:6 (7). A player that counts only what it wins sees no
// difference.
TEST(StrongPlayer, LosesAsFewPointsAsItCan) {
  Settings settings;
  settings.TipoRegra = 2;
  settings.PontosLimit = 200;
  const std::array<Hand, 3> others{handOf({"00", "04", "05"}), handOf({"33"}),
                                   handOf({"44", "45", "55"})};
  const std::initializer_list<const char*> table{"01", "02", "03", "06", "11", "13", "14",
                                                 "15", "22", "23", "24", "25", "26", "34",
                                                 "35", "36", "46", "56", "66"};
  StrongSeat strong;
  for (const std::uint64_t seed : {1u, 2u}) {
    GameState state = mac1ToMove(handOf({"12", "16"}), 3, 1, table, others);
    state.NaoTem[kMac2] = "012456";
    state.recount();
    EXPECT_EQ(strong.think(state, settings, kMac1, {}, seed), SeatAnswer::play(2, Lado::B));
    state = mac1ToMove(handOf({"16", "12"}), 3, 1, table, others);
    state.NaoTem[kMac2] = "012456";
    state.recount();
    EXPECT_EQ(strong.think(state, settings, kMac1, {}, seed), SeatAnswer::play(1, Lado::B));
  }
}

// Whenever the match waits on a strong seat's thinking, the table shows that
// seat thinking, and only then: not at an ordinary seat's turn, nor once the
// match is over.
TEST(StrongPlayer, IsShownThinkingWhileItThinksAndOnlyThen) {
  class Watched : public SilentPresentation {
   public:
    NewGameAnswer newGameDialog(bool) override {
      shownAtADialog = shownAtADialog || thinking;
      return played_++ == 0 ? NewGameAnswer::Play : NewGameAnswer::Exit;
    }
    void showThinking(bool shown) override { thinking = shown; }
    void think(const std::function<void()>& work, int) override {
      ++thoughts;
      hiddenWhileThinking += thinking ? 0 : 1;
      work();
    }
    bool thinking = false;
    int thoughts = 0;
    int hiddenWhileThinking = 0;
    bool shownAtADialog = false;

   private:
    int played_ = 0;
  };
  class Ordinary : public ComputerSeat {
   public:
    explicit Ordinary(const Watched& screen) : screen_(screen) {}
    SeatAnswer turn(const GameState& state, const Settings& rules, int seat) override {
      ++turns;
      shownAtItsTurn += screen_.thinking ? 1 : 0;
      return ComputerSeat::turn(state, rules, seat);
    }
    int turns = 0;
    int shownAtItsTurn = 0;

   private:
    const Watched& screen_;
  };
  Settings settings;
  settings.PontosLimit = 4;
  Watched screen;
  RandomSource random(4);
  Match match(settings, screen, random);
  Ordinary ordinary(screen);
  StrongSeat strong(20);
  for (int s = 0; s < kSeatCount; ++s)
    match.setSeat(s, s == kMac2 ? static_cast<SeatPlayer&>(strong) : ordinary);
  match.start();
  ASSERT_EQ(match.awaiting(), Match::Awaiting::Finished);
  EXPECT_GT(screen.thoughts, 0);
  EXPECT_EQ(screen.hiddenWhileThinking, 0);
  EXPECT_GT(ordinary.turns, 0);
  EXPECT_EQ(ordinary.shownAtItsTurn, 0);
  EXPECT_FALSE(screen.shownAtADialog);
}

// Three seats strong (the player's among them), every rule: the moves are
// legal (the referee checks the chain, the hands and the turns after each),
// every match ends, and the wins are counted for the strong seats alone (in
// pairs every winning pair holds one).
TEST(StrongPlayer, PlaysWholeMatchesByTheRules) {
  sim::Options options;
  options.matches = 12;
  options.seed = 8;
  options.mixedRules = true;
  options.strongSeats = 0b1011;  // all but Mac2
  options.deals = 100;
  const sim::Summary s = sim::simulate(options, nullptr);
  EXPECT_EQ(s.violations, 0) << (s.firstViolations.empty() ? "" : s.firstViolations.front());
  EXPECT_EQ(s.matches, 12);
  EXPECT_EQ(s.matchWins[kJog] + s.matchWins[kMac1] + s.matchWins[kMac2] + s.matchWins[kMac3],
            s.matches);
  EXPECT_EQ(s.levelWins, s.matches - s.matchWins[kMac2]);
}

// The strong pair beats the ordinary pair, thinking with only 60 deals a move.
//
// Measured with tavolix-sim --pairs --strong 1,3 --deals 60 over 2,000 matches
// on each of seeds 3 and 101, the strong pair wins 64.8% and 65.8% of matches.
// Two faults that leave every move legal take it far below: judging each
// play-out for the side of whichever seat moved last wins 35.4% and 33.1%;
// letting itself move twice in a row in a play-out, 44.1% and 45.8%.
//
// Taking p = 0.625 as the least the real player wins (below both measurements
// by more than twice their standard error) and 0.47 as the most a faulty one
// does, 800 matches and a bar of 434 wins give, by the exact binomial tails:
//   P(Bin(800, 0.625) < 434) = 7.9e-7  the real player failing (under one in a million);
//   P(Bin(800, 0.47) >= 434) = 2.4e-5  the milder fault passing.
TEST(StrongPlayer, WinsMostMatchesInPairsAgainstTheOrdinaryLevel) {
  sim::Options options;
  options.matches = 800;
  options.seed = 3;
  options.pairs = true;
  options.strongSeats = 0b1010;  // Mac1 and Mac3, partners
  options.deals = 60;
  const sim::Summary s = sim::simulate(options, nullptr);
  ASSERT_EQ(s.violations, 0);
  ASSERT_EQ(s.matches, 800);
  EXPECT_GE(s.levelWins, 434) << "of 800";
}

}  // namespace
}  // namespace tavolix
