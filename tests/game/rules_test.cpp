// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The rules that need no table: tiles and hands, whose turn is next, the end
// of a hand and what it scores, the messages that tell it, and the tempo the
// speed option makes.
#include <gtest/gtest.h>

#include <random>

#include "game/hand_log.h"
#include "game/random_source.h"
#include "game/scoring.h"
#include "game/seat.h"
#include "game/tempo.h"
#include "game/texts.h"
#include "support/game_printers.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

TEST(Tiles, TextsAndPips) {
  EXPECT_TRUE(tile("63").holds(3));
  EXPECT_FALSE(tile("").holds(0));
  EXPECT_FALSE(tile("").isDouble());
  EXPECT_EQ(tile("35").otherPip(5), 3);
  for (std::string_view bad : {"7", "77", "366", "a1", " 36", "-1"}) {
    EXPECT_FALSE(TileCode::fromText(bad).has_value()) << bad;
  }
}

TEST(Tiles, LayingSlot3OfAFullHandMovesTheRestUp) {
  Hand hand = handOf({"00", "11", "22", "33", "44", "55", "66"});
  hand[3] = TileCode();
  closeUp(hand, 3);
  EXPECT_EQ(hand, handOf({"00", "11", "33", "44", "55", "66"}));
  for (const int notASlot : {0, 8}) {  // nothing moves
    closeUp(hand, notASlot);
    EXPECT_EQ(hand, handOf({"00", "11", "33", "44", "55", "66"})) << notASlot;
  }
  EXPECT_EQ(pipTotal(hand), 0 + 2 + 6 + 8 + 10 + 12);
  EXPECT_EQ(doubleCount(hand), 6);
}

// The shuffle and the pile draw the n-th of the tiles or places left.
TEST(Tiles, TheNthBitSetIsFoundInAnyByte) {
  std::mt19937 draw(7);
  for (int round = 0; round < 2000; ++round) {
    const std::uint32_t bits = round == 0 ? 0xFFFFFFFFu : draw() & draw();
    int n = 0;
    for (int place = 0; place < 32; ++place) {
      if (bits & (1u << place)) {
        ASSERT_EQ(nthSetBit(bits, ++n), place) << bits << " " << n;
      }
    }
  }
}

TEST(Seats, TurnsGoRoundEitherWay) {
  std::string clockwise;
  std::string anticlockwise;
  for (int i = 0, a = kJog, b = kJog; i < 5; ++i, a = nextSeat(a, true), b = nextSeat(b, false)) {
    clockwise += std::to_string(a);
    anticlockwise += std::to_string(b);
  }
  EXPECT_EQ(clockwise, "01230");
  EXPECT_EQ(anticlockwise, "03210");
  EXPECT_EQ(partnerOf(kJog), kMac2);
  EXPECT_EQ(partnerOf(kMac3), kMac1);
}

TEST(RandomSource, ASeedReplaysItsDrawsOnEveryPlatform) {
  RandomSource a(1);
  RandomSource b(1);
  std::array<int, 10> draws{};
  for (int& d : draws) {
    d = a.draw(28);
    EXPECT_EQ(d, b.draw(28));
  }
  // The generator is defined to the bit: these are seed 1's first draws anywhere.
  EXPECT_EQ(draws, (std::array<int, 10>{4, 4, 13, 1, 10, 26, 14, 3, 16, 18}));
  EXPECT_FALSE(a.Chance(0));
  EXPECT_TRUE(a.Chance(100));
  // A draw is worked out in whole numbers, and agrees with the double
  // product r * n right up to each step from one result to the next, where
  // the double may round up to the next whole number.
  constexpr std::uint64_t kOne = std::uint64_t{1} << 53;
  int roundedUp = 0;
  for (const int n : {1, 2, 3, 7, 28, 100, 1000, RandomSource::kMaxQuickDraw}) {
    for (std::uint64_t k = 1; k <= static_cast<std::uint64_t>(n); ++k) {
      const auto un = static_cast<std::uint64_t>(n);
      // The least r * 2^53 whose exact product with n reaches k.
      const std::uint64_t step = k / un * kOne + ((k % un) * kOne + un - 1) / un;
      for (std::uint64_t top =
               step - std::min<std::uint64_t>(step, 2 * RandomSource::kMaxQuickDraw);
           top < std::min(step + 4, kOne); ++top) {
        const int byDouble = static_cast<int>(static_cast<double>(top) * 0x1.0p-53 * n);
        ASSERT_EQ(RandomSource::scaledDown(top, n), byDouble) << top << " * " << n;
        roundedUp += byDouble != static_cast<int>(top * un >> 53);
      }
    }
  }
  EXPECT_GT(roundedUp, 0);
  // The game's own twister is the standard's, number for number, across refills.
  for (const std::uint64_t seed : {0ULL, 1ULL, 5489ULL, 0xFFFFFFFFFFFFFFFFULL}) {
    std::mt19937_64 standard(seed);
    Twister64 own(seed);
    for (int n = 0; n < 2000; ++n)
      ASSERT_EQ(own(), standard()) << "seed " << seed << ", number " << n;
  }
  EXPECT_EQ(parseSeed(" 7 "), 7u);
  for (std::string_view bad : {"", "abc", "-1", "1.5", "18446744073709551616"})
    EXPECT_FALSE(parseSeed(bad)) << bad;
}

// Each speed makes its own number of steps of each animation.
TEST(Tempo, StepsFromTheSpeedOption) {
  EXPECT_EQ(tempo::pileSlideParts(15),
            7);  // a pile tile in 6 steps of a seventh at the default speed
  EXPECT_EQ(tempo::pileSlideSteps(15), 6);
  EXPECT_EQ(tempo::pileSlideSteps(5), 1);
  EXPECT_EQ(tempo::chainSlideSteps(5), 4);
  EXPECT_EQ(tempo::chainSlideSteps(25), 24);
  EXPECT_EQ(tempo::returnSteps(15), 15);
  EXPECT_EQ(tempo::closeUpSteps(15), 15);
  EXPECT_DOUBLE_EQ(tempo::closeUpStep(15), 33);
  EXPECT_EQ(tempo::passJumpSteps(15), 14);
  EXPECT_EQ(tempo::passJumpStep(495, 15), 46);
  // From 4305 to 3305 at 15: 14 steps of 66, stopping at 3381; back again, steps of -67.
  EXPECT_EQ(4305 - tempo::chainSlideSteps(15) * tempo::slideStep(4305 - 3305, 15), 3381);
  EXPECT_EQ(3305 - tempo::chainSlideSteps(15) * tempo::slideStep(3305 - 4305, 15), 4243);
}

// --- the end of a hand -------------------------------------------------------

// A hand just after `seat` laid its last tile on ends `endA` and `endB`.
GameState wentOut(int seat, std::string_view last, int endA, int endB, std::array<Hand, 4> hands) {
  GameState state;
  for (int s = 0; s < 4; ++s) state.hand(s) = hands[s];
  state.hand(seat) = Hand{};
  state.UltimaJogada = lastMoveRecord(endA, endB, tile(last));
  state.recount();
  return state;
}

Settings rules(int tipoJogo, int tipoRegra) {
  Settings settings;
  settings.TipoJogo = static_cast<std::int16_t>(tipoJogo);
  settings.TipoRegra = static_cast<std::int16_t>(tipoRegra);
  settings.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"};
  return settings;
}

TEST(HandEnd, GoingOutUnderTheFirstRuleScoresByTheLastMove) {
  struct Case {
    int endA, endB;
    const char* tile;
    int points;
    GoingOut kind;
  };
  const Case cases[] = {
      {5, 5, "55", 4, GoingOut::Cruzada},   // both ends showed the double's pip
      {2, 5, "55", 2, GoingOut::Carrocao},  // a double on one end
      {3, 5, "35", 2, GoingOut::LaELo},     // one tile matching both different ends
      {0, 6, "60", 2, GoingOut::LaELo},
      {5, 5, "53", 1, GoingOut::Simples},  // equal ends: not two different ends
      {3, 4, "46", 1, GoingOut::Simples},
  };
  const Hand some = handOf({"01", "12"});
  for (const Case& c : cases) {
    const GameState state = wentOut(kMac3, c.tile, c.endA, c.endB, {some, some, some, some});
    const auto result = handEnd(state, rules(1, 1), kMac3);
    ASSERT_TRUE(result) << c.tile;
    EXPECT_EQ(result->points, c.points) << state.UltimaJogada;
    EXPECT_EQ(result->kind, c.kind) << state.UltimaJogada;
    EXPECT_EQ(result->scorers, std::vector<int>{kMac3});
    EXPECT_EQ(result->nextOpener, kMac3);
  }
  EXPECT_EQ(lastMoveRecord(2, 5, tile("35")), "2535");
  EXPECT_EQ(CalculaPontos(""), 1);  // no last move recorded: a simple going out
}

TEST(HandEnd, ThePipsLeftAreCountedForTheSeatsChosen) {
  GameState state;
  state.PedrasJog = handOf({"66", "01"});   // 13
  state.PedrasMac1 = handOf({"25"});        // 7
  state.PedrasMac2 = handOf({"34", "00"});  // 7
  state.PedrasMac3 = handOf({"16"});        // 7
  EXPECT_EQ(TotalPintas(state, true, false, true, false), 20);
  EXPECT_EQ(TotalPintas(state, false, true, false, true), 14);
  EXPECT_EQ(TotalPintas(state, true, true, true, true), 34);
  EXPECT_EQ(TotalPintas(state, false, false, false, false), 0);
  EXPECT_EQ(QuantasBuchas(state, kJog), 1);
  EXPECT_EQ(QuantasBuchas(state, kMac2), 1);
  EXPECT_EQ(QuantasBuchas(state, 7), 0);
}

TEST(HandEnd, UnderThePipRuleTheOpponentsPipsAreThePoints) {
  const std::array<Hand, 4> hands{handOf({"66", "01"}), Hand{}, handOf({"25"}),
                                  handOf({"44", "04"})};
  const GameState state = wentOut(kMac1, "35", 3, 1, hands);
  // In pairs, Mac1 and Mac3 win what Jog and Mac2 hold: 13 + 7.
  const auto pairs = handEnd(state, rules(2, 2), kMac1);
  EXPECT_EQ(pairs->points, 20);
  EXPECT_EQ(pairs->scorers, (std::vector<int>{kMac1, kMac3}));
  EXPECT_EQ(pairs->kind, GoingOut::None);
  // Alone, Mac1 wins every pip left: 13 + 7 + 12.
  EXPECT_EQ(handEnd(state, rules(1, 2), kMac1)->points, 32);
  // Going out with Mac2 in pairs, the other pair's pips: 12.
  EXPECT_EQ(handEnd(wentOut(kMac2, "35", 3, 1, hands), rules(2, 2), kMac2)->points, 12 + 0);
}

// The fourth pass in a row: `totals` made of one or two tiles of those pips.
GameState blockedWith(std::array<Hand, 4> hands, int passes = 4) {
  GameState state;
  for (int s = 0; s < 4; ++s) state.hand(s) = hands[s];
  state.Passes = passes;
  state.recount();
  return state;
}

TEST(HandEnd, BlockedAloneTheLowestCountWinsOrNobodyDoes) {
  const auto totals_3_9_10_12 =
      blockedWith({handOf({"12"}), handOf({"45"}), handOf({"55"}), handOf({"15", "24"})});
  EXPECT_FALSE(
      handEnd(blockedWith({handOf({"12"}), handOf({"45"}), handOf({"55"}), handOf({"15"})}, 3),
              rules(1, 1), kMac3));  // three passes do not block
  const auto one = handEnd(totals_3_9_10_12, rules(1, 1), kMac3);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->ending, HandResult::Ending::Blocked);
  EXPECT_EQ(one->totals, (std::array<int, 4>{3, 9, 10, 12}));
  EXPECT_EQ(one->winner, kJog);
  EXPECT_EQ(one->points, 1);
  EXPECT_EQ(one->nextOpener, kJog);
  EXPECT_EQ(handEnd(totals_3_9_10_12, rules(1, 2), kMac3)->points, 31);

  const auto tie =
      handEnd(blockedWith({handOf({"23"}), handOf({"45"}), handOf({"14"}), handOf({"55", "02"})}),
              rules(1, 1), kMac3);  // 5, 9, 5, 12
  EXPECT_TRUE(tie->tied());
  EXPECT_TRUE(tie->scorers.empty());
  EXPECT_EQ(tie->nextOpener, kHolderOfDoubleSix);
}

TEST(HandEnd, BlockedInPairsTheLowerPairWinsAndTheLowestSeatOpens) {
  // 4, 2, 3, 9: pair A 7 against 11; Mac1 holds the lowest count.
  const GameState state =
      blockedWith({handOf({"13"}), handOf({"02"}), handOf({"03"}), handOf({"45"})});
  const auto result = handEnd(state, rules(2, 1), kMac1);
  EXPECT_EQ(result->winner, kJog);
  EXPECT_EQ(result->scorers, (std::vector<int>{kJog, kMac2}));
  EXPECT_EQ(result->points, 1);
  EXPECT_EQ(result->nextOpener, kMac1);
  EXPECT_EQ(handEnd(state, rules(2, 2), kMac1)->points, 11);
  // Equal pair counts are a tie, and the holder of 6:6 opens next.
  const auto tie =
      handEnd(blockedWith({handOf({"13"}), handOf({"02"}), handOf({"03"}), handOf({"05"})}),
              rules(2, 1), kMac3);  // 4 + 3 against 2 + 5
  EXPECT_TRUE(tie->tied());
  EXPECT_EQ(tie->nextOpener, kHolderOfDoubleSix);
  // Two seats share the lowest count: the higher of them opens.
  const auto highest =
      handEnd(blockedWith({handOf({"02"}), handOf({"45"}), handOf({"56"}), handOf({"11"})}),
              rules(2, 1), kMac3);  // 2, 9, 11, 2: pair B 11 against 13
  EXPECT_EQ(highest->winner, kMac1);
  EXPECT_EQ(highest->nextOpener, kMac3);
}

TEST(HandEnd, TheMessagesSayItAsTheTableAlwaysHas) {
  const Hand some = handOf({"01"});
  const auto said = [&](const GameState& state, const Settings& settings, int seat) {
    return render(texts::handEnded(*handEnd(state, settings, seat), settings));
  };
  EXPECT_EQ(said(wentOut(kMac1, "46", 3, 4, {some, some, some, some}), rules(1, 1), kMac1),
            "Zorvan bateu.\r\rVai ganhar 1 pts");
  EXPECT_EQ(said(wentOut(kMac1, "55", 5, 5, {some, some, some, some}), rules(1, 1), kMac1),
            "Zorvan bateu.\r\rBatida Cruzada   |   vai ganhar 4 pts");
  EXPECT_EQ(said(wentOut(kMac2, "46", 3, 4, {some, some, some, some}), rules(2, 1), kMac2),
            "Melira bateu.\r\rA dupla 'Ana e Melira'  vai ganhar 1 pts");
  EXPECT_EQ(said(wentOut(kMac3, "35", 3, 5, {some, some, some, some}), rules(2, 1), kMac3),
            "Astelo bateu.  (Batida Lá e Lô)\r\rA dupla 'Zorvan e Astelo'  vai ganhar 2 pts");
  EXPECT_EQ(said(wentOut(kJog, "35", 3, 5, {some, some, some, some}), rules(1, 2), kJog),
            "Ana bateu.\r\rVai ganhar 3 pts");
  const GameState blocked =
      blockedWith({handOf({"12"}), handOf({"45"}), handOf({"55"}), handOf({"15", "24"})});
  EXPECT_EQ(said(blocked, rules(1, 1), kMac3),
            "Ana ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 1(um) ponto");
  EXPECT_EQ(said(blocked, rules(1, 2), kMac3),
            "Ana ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 31 pontos");
  EXPECT_EQ(said(blocked, rules(2, 1), kMac3),
            "A dupla 'Ana e Melira' ganhou esta mão na contagem de pontos\r\n\r\nA dupla ganhará 1 "
            "pontos");
  // The other pair, with fewer pips, named by its own players.
  const GameState theirs =
      blockedWith({handOf({"45"}), handOf({"12"}), handOf({"55"}), handOf({"01"})});
  EXPECT_EQ(said(theirs, rules(2, 1), kMac3),
            "A dupla 'Zorvan e Astelo' ganhou esta mão na contagem de pontos\r\n\r\nA dupla "
            "ganhará 1 pontos");
  EXPECT_EQ(said(theirs, rules(2, 2), kMac3),
            "A dupla 'Zorvan e Astelo' ganhou esta mão na contagem de pontos\r\n\r\nA dupla "
            "ganhará 19 pontos");
  EXPECT_EQ(said(blockedWith({handOf({"23"}), handOf({"45"}), handOf({"14"}), handOf({"55"})}),
                 rules(1, 1), kMac3),
            "Houve empate na contegem de pontos");
}

}  // namespace
}  // namespace tavolix

namespace tavolix {
namespace {

// A hand's log in the game's words: the opening tile as it lies, each tile
// after with the pip that matched its end first, each pass with the ends it
// was made on, the lower first, and once only when both are the same.
TEST(HandLog, EachMoveIsToldWithItsEndAndEachPassWithTheEndsItWasMadeOn) {
  const std::vector<HandEvent> events{
      HandEvent::play(kMac3, tile("56"), Lado::First),  // ends 5 and 6
      HandEvent::play(kJog, tile("36"), Lado::B),       // ends 5 and 3
      HandEvent::pass(kMac1),
      HandEvent::play(kMac2, tile("35"), Lado::A),  // ends 3 and 3
      HandEvent::pass(kMac3),
      HandEvent::play(kJog, tile("13"), Lado::A),  // ends 1 and 3
  };
  std::vector<std::string> lines;
  for (const LoggedMove& move : handLog(events, 1, 3))
    lines.push_back(std::to_string(move.seat) + " " + render(move.what));
  EXPECT_EQ(lines, (std::vector<std::string>{"3 abriu com 5:6", "0 6:3 na ponta do 6",
                                             "1 passou: não tem 3 nem 5", "2 5:3 na ponta do 5",
                                             "3 passou: não tem 3", "0 3:1 na ponta do 3"}));
  EXPECT_TRUE(handLog({}, 6, 6).empty());
  // Picked up halfway, after 5:6 and 3:6: the ends then were 5 and 3.
  const std::vector<HandEvent> halfway(events.begin() + 2, events.end());
  EXPECT_EQ(render(handLog(halfway, 1, 3).front().what), "passou: não tem 3 nem 5");
  EXPECT_EQ(render(handLog(halfway, 1, 3).back().what), "3:1 na ponta do 3");
}

}  // namespace
}  // namespace tavolix
