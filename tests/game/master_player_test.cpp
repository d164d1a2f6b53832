// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The master computer player: its reading of the others' moves, and its play
// at the end of a hand and over whole matches.
#include <algorithm>
#include <bit>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "duplicate.h"
#include "game/computer_player.h"
#include "game/master_player.h"
#include "game/match.h"
#include "game/match_odds.h"
#include "game/presentation.h"
#include "watched_play.h"

namespace tavolix {
namespace {

// Against ordinary players, read with no room for surprise: the hands they
// really hold always explain their moves (so each table each move was made
// on is rebuilt as it was), while many other deals that agree with the passes
// do not; a seat's own moves are never read.
TEST(TableReading, TheRealHandsExplainTheOrdinaryPlayersMovesAndOtherDealsOftenDoNot) {
  long drawn = 0;
  long ruledOut = 0;
  int positions = 0;
  for (const bool pairs : {false, true}) {
    Settings settings = rulesOf(pairs, pairs ? 2 : 1, pairs ? 100 : 4);
    settings.SentidoHorario = !pairs;
    const std::vector<Seen> watched = watchMatches(settings, 25, pairs ? 31 : 32);
    ASSERT_FALSE(watched.empty());
    Stream stream(5);
    for (const Seen& seen : watched) {
      const TableReading reading(seen.view, seen.hand, {0.0});
      int others = 0;
      for (const HandEvent& e : seen.hand) others += !e.passed && e.seat != seen.view.seat;
      // The first hand's 6:6 is not read; every other move of the others is.
      ASSERT_GE(reading.movesRead(), others - 1);
      ASSERT_LE(reading.movesRead(), others);
      ASSERT_GT(reading.likelihood(seen.truth), 0.0) << "position " << positions;
      ++positions;
      const UnseenDeals deals(seen.view);
      Hands hands{};
      for (int k = 0; k < 20; ++k) {
        deals.deal(stream, hands);
        ++drawn;
        ruledOut += reading.likelihood(hands) == 0.0;
      }
    }
  }
  EXPECT_GT(positions, 500);
  EXPECT_GT(ruledOut * 3, drawn) << ruledOut << " of " << drawn << " deals ruled out";
}

// What a reading tells of where the tiles lie, at each position where it
// reads two moves or more: the log of how many times likelier it finds the
// real hands than the deals drawn evenly, on average.
struct Insight {
  double close = 0;           // read as the ordinary player only
  double both = 0;            // read as either the ordinary player or a freer one
  std::vector<double> gains;  // of reading both ways over the ordinary way only
};
Insight insightInto(const std::vector<Seen>& watched) {
  Insight insight;
  Stream stream(11);
  const auto logRatio = [](const TableReading& reading, const Seen& seen,
                           const std::vector<Hands>& drawn) {
    double mean = 0;
    for (const Hands& hands : drawn) mean += reading.likelihood(hands) / drawn.size();
    return std::log(reading.likelihood(seen.truth) / mean);
  };
  for (const Seen& seen : watched) {
    const TableReading close(seen.view, seen.hand, {0.1});
    const TableReading both(seen.view, seen.hand, {0.1, 0.6});
    if (close.movesRead() < 2) continue;
    const UnseenDeals deals(seen.view);
    std::vector<Hands> drawn(40);
    for (Hands& hands : drawn) deals.deal(stream, hands);
    const double c = logRatio(close, seen, drawn);
    const double b = logRatio(both, seen, drawn);
    insight.close += c;
    insight.both += b;
    insight.gains.push_back(b - c);
  }
  insight.close /= static_cast<double>(insight.gains.size());
  insight.both /= static_cast<double>(insight.gains.size());
  return insight;
}

// How far above 0 the mean of `values` stands, in its standard errors.
double standardErrorsAboveZero(const std::vector<double>& values) {
  const double n = static_cast<double>(values.size());
  double mean = 0;
  for (const double v : values) mean += v / n;
  double variance = 0;
  for (const double v : values) variance += (v - mean) * (v - mean) / (n - 1);
  return mean / std::sqrt(variance / n);
}

// A seat's own moves tell how freely it plays. Strong players stray from the
// ordinary player's choice about half the time: read as ordinary players only,
// their moves point away from their real hands, and read either way they no
// longer do; at a table of both kinds each seat is read as it plays. Against
// ordinary players the reading either way still finds the real hands far
// likelier than chance. (On these seeds, in the log of that ratio: strong
// -0.84 and 0.07, 14 standard errors apart; both kinds 0.56 and 1.04, 10 apart;
// ordinary 2.49 and 2.06. The bars are 4 standard errors: with the gains as
// measured, falling short by chance takes a deviation of 6 standard errors or
// more, a chance under one in a hundred million.)
TEST(TableReading, ASeatsOwnMovesTellHowFreelyItPlays) {
  const Settings settings = rulesOf(true, 1, 4);
  const Insight strong = insightInto(watchMatches(settings, 4, 41, 24));
  ASSERT_GT(strong.gains.size(), 150u);
  EXPECT_LT(strong.close, 0);
  EXPECT_GT(strong.both, strong.close);
  EXPECT_GT(standardErrorsAboveZero(strong.gains), 4);
  const Insight mixed = insightInto(watchMatches(settings, 6, 43, 24, 0b1010));
  ASSERT_GT(mixed.gains.size(), 150u);
  EXPECT_GT(standardErrorsAboveZero(mixed.gains), 4);
  const Insight ordinary = insightInto(watchMatches(settings, 8, 42));
  ASSERT_GT(ordinary.gains.size(), 150u);
  EXPECT_GT(ordinary.both, 0.5);
  EXPECT_GT(ordinary.close, ordinary.both);
}

// Read from one hand, the chances of every move a seat could have made there
// make one, however freely it is read to play: ties for the ordinary player's
// choice share its chance, and a surprise is spread over the moves it had.
// Openings (any tile but 6:6 may open a later hand) and lays on either end of
// a 6:3 or a 4:4, from hands drawn at random; a tile laid the way round the
// player turned it in his hand is the same move.
TEST(TableReading, TheChancesOfEveryMoveFromOneHandMakeOne) {
  std::mt19937 random(17);
  const auto drawHand = [&random](std::uint32_t outOf) {
    std::vector<TileCode> tiles;
    for (const TileCode t : kAllTiles)
      if (outOf & tileBit(t)) tiles.push_back(t);
    std::shuffle(tiles.begin(), tiles.end(), random);
    std::uint32_t hand = 0;
    for (int k = 0; k < 6; ++k) hand |= tileBit(tiles[static_cast<std::size_t>(k)]);
    return hand;
  };
  // The chance the reading gives to the moves in `moves` (Mac1's last), Mac1
  // left holding `rest`, read by the player's seat: a lone tile's opening has
  // only the one.
  const auto chance = [](const std::vector<HandEvent>& moves, std::uint32_t rest,
                         const std::vector<double>& surprises) {
    SeatView view;
    view.seat = kJog;
    for (const HandEvent& e : moves) {
      view.onTable |= tileBit(e.tile);
      if (e.side == Lado::First) {
        view.pontaA = e.tile.first();
        view.pontaB = e.tile.last();
      } else {
        int& end = e.side == Lado::A ? view.pontaA : view.pontaB;
        end = e.tile.otherPip(end);
      }
    }
    Hands hands{};
    hands[kMac1] = rest;
    const TableReading reading(view, moves, surprises);
    EXPECT_EQ(reading.movesRead(), static_cast<int>(moves.size()));
    return reading.likelihood(hands);
  };
  int certain = 0;
  for (const std::vector<double>& surprises :
       {std::vector<double>{0.0}, std::vector<double>{0.1, 0.6}}) {
    for (int deal = 0; deal < 100; ++deal) {
      const std::uint32_t held = drawHand(kAllTileBits & ~tileBit(kDoubleSix));
      double openings = 0;
      for (const TileCode t : kAllTiles) {
        if ((held & tileBit(t)) == 0) continue;
        const TileCode laid = deal % 2 == 0 ? t : t.reversed();
        openings +=
            chance({HandEvent::play(kMac1, laid, Lado::First)}, held & ~tileBit(t), surprises);
      }
      EXPECT_NEAR(openings, 1.0, 1e-9) << "deal " << deal;

      for (const TileCode opened : {TileCode(6, 3), TileCode(4, 4)}) {
        const std::uint32_t hand = drawHand(kAllTileBits & ~tileBit(opened));
        double lays = 0;
        int moves = 0;
        for (const TileCode t : kAllTiles) {
          if ((hand & tileBit(t)) == 0) continue;
          for (const Lado side : {Lado::A, Lado::B}) {
            const int end = side == Lado::A ? opened.first() : opened.last();
            if (t.first() != end && t.last() != end) continue;
            if (side == Lado::B && opened.first() == opened.last()) continue;  // the same move
            ++moves;
            lays += chance({HandEvent::play(kMac3, opened, Lado::First),
                            HandEvent::play(kMac1, deal % 2 == 0 ? t : t.reversed(), side)},
                           hand & ~tileBit(t), surprises);
          }
        }
        if (moves > 0) {
          EXPECT_NEAR(lays, 1.0, 1e-9) << "deal " << deal << ", " << moves << " moves";
        }
        // Read as the ordinary player, a move scoring above every other is certain.
        if (surprises.size() > 1) continue;
        Facts facts;
        facts.pontaA = opened.first();
        facts.pontaB = opened.last();
        facts.onTable = tileBit(opened);
        facts.inHand = hand;
        const Outlook outlook(facts);
        int top = 0;
        int atTop = 0;
        HandEvent best;
        for (const TileCode t : kAllTiles) {
          for (const Lado side : {Lado::A, Lado::B}) {
            const int score = (hand & tileBit(t)) != 0 ? outlook.score(t, side) : 0;
            if (score > top) atTop = 0;
            top = std::max(top, score);
            if (score > 0 && score == top &&
                !(side == Lado::B && opened.first() == opened.last())) {
              ++atTop;
              best = HandEvent::play(kMac1, t, side);
            }
          }
        }
        if (atTop != 1) continue;
        ++certain;
        EXPECT_DOUBLE_EQ(chance({HandEvent::play(kMac3, opened, Lado::First), best},
                                hand & ~tileBit(best.tile), surprises),
                         1.0)
            << "deal " << deal << ", " << best.tile.text();
      }
    }
  }
  EXPECT_GT(certain, 50);
}

// A hand whose moves are not all known (a match picked up halfway) is not read.
TEST(TableReading, AHandKnownOnlyInPartIsNotRead) {
  SeatView view;
  view.seat = kMac1;
  view.onTable = tileBit(TileCode(6, 6)) | tileBit(TileCode(6, 4));
  view.pontaA = 6;
  view.pontaB = 4;
  EXPECT_EQ(TableReading(view, {HandEvent::play(kJog, TileCode(6, 4), Lado::B)}, {0.1}).movesRead(),
            0);
  EXPECT_EQ(TableReading(view, {}, {0.1}).movesRead(), 0);
  const std::vector<HandEvent> whole{HandEvent::play(kMac3, TileCode(6, 6), Lado::First),
                                     HandEvent::play(kJog, TileCode(6, 4), Lado::B)};
  EXPECT_EQ(TableReading(view, whole, {0.1}).movesRead(), 1);  // the 6:6 tells nothing
  view.pontaB = 6;                                             // not the table these moves make
  EXPECT_EQ(TableReading(view, whole, {0.1}).movesRead(), 0);
}

// Tables near a hand's end in pairs, every hand known: fixed deals played by
// the ordinary player until `left` tiles or fewer are in the hands, under
// both rules, both directions, closing anywhere or not.
struct Endgame {
  Line line;
  int seat = 0;  // to move
  Settings rules;
};

std::vector<Endgame> endgames(int deals, int left) {
  std::mt19937_64 random(17);
  std::vector<Endgame> found;
  for (int d = 0; d < deals; ++d) {
    Endgame e;
    e.rules = rulesOf(true, 1 + d % 2, d % 2 == 0 ? 4 : 100);
    e.rules.SentidoHorario = d % 4 < 2;
    e.rules.FecharSoNoNatural = d % 3 != 0;
    std::array<TileCode, kTileCount> tiles = kAllTiles;
    std::shuffle(tiles.begin(), tiles.end(), random);
    for (int n = 0; n < kTileCount; ++n)
      e.line.hands[static_cast<std::size_t>(n / kHandSlots)] |= tileBit(tiles[n]);
    int seat = 0;
    while ((e.line.hands[static_cast<std::size_t>(seat)] & tileBit(kDoubleSix)) == 0) ++seat;
    e.line.open(seat, kDoubleSix);
    bool over = false;
    while (!over && kTileCount - std::popcount(e.line.onTable) > left) {
      seat = nextSeat(seat, e.rules.SentidoHorario);
      over = playOn(e.line, seat, e.rules);
    }
    e.seat = nextSeat(seat, e.rules.SentidoHorario);
    if (!over) found.push_back(e);
  }
  return found;
}

// Every move tried, every answer to it: the pair `side` takes its best, the
// other pair its worst.
double everyLine(const Line& line, int seat, int side, const Settings& rules, HandWorth& worth) {
  const Outlook outlook(line.factsFor(seat, rules));
  std::vector<double> values;
  const auto after = [&](const Line& next) {
    if (const auto result = handOver(next, seat, rules)) return worth.of(*result);
    return everyLine(next, nextSeat(seat, rules.SentidoHorario), side, rules, worth);
  };
  for (const TileCode t : kAllTiles) {
    if ((line.hands[static_cast<std::size_t>(seat)] & tileBit(t)) == 0) continue;
    for (const Lado end : {Lado::A, Lado::B}) {
      if (outlook.score(t, end) == 0) continue;
      Line next = line;
      next.lay(seat, t, end);
      values.push_back(after(next));
    }
  }
  if (values.empty()) {
    Line next = line;
    next.pass(seat);
    return after(next);
  }
  return seat % 2 == side ? *std::max_element(values.begin(), values.end())
                          : *std::min_element(values.begin(), values.end());
}

// Near the end, a deal is played out with both pairs at their best: what a
// search of every line finds, for either pair, whoever is to move.
TEST(MasterPlayer, PlaysTheEndOfAHandOutExactly) {
  const std::vector<Endgame> tables = endgames(60, 9);
  ASSERT_GT(tables.size(), 50u);
  for (const Endgame& e : tables) {
    for (const int side : {0, 1}) {
      SeatView view;
      view.seat = side;
      view.rules = e.rules;
      view.scores = {1, 2, 1, 2};
      HandWorth worth(view);
      EXPECT_NEAR(exactChance(e.line, e.seat, side, e.rules, worth),
                  everyLine(e.line, e.seat, side, e.rules, worth), 1e-12);
    }
  }
}

// Where what it has seen leaves only one way the others' tiles can lie, the
// master player near a hand's end lays a move that does best against their
// best answers, also where the ordinary player's choice does worse.
TEST(MasterPlayer, NearTheEndLaysTheBestMoveAgainstTheBestAnswers) {
  int tried = 0;
  int ordinaryWorse = 0;
  // Also where it begins to play exactly, ten tiles in the hands.
  std::vector<Endgame> tables = endgames(400, 8);
  const std::vector<Endgame> atTen = endgames(200, 10);
  tables.insert(tables.end(), atTen.begin(), atTen.end());
  int triedAtTen = 0;
  for (const Endgame& e : tables) {
    SeatView view;
    view.seat = e.seat;
    view.rules = e.rules;
    view.scores = {2, 1, 2, 1};
    view.onTable = e.line.onTable;
    view.pontaA = e.line.pontaA;
    view.pontaB = e.line.pontaB;
    view.qtdLadoA = e.line.qtdLadoA;
    view.qtdLadoB = e.line.qtdLadoB;
    view.passes = e.line.passes;
    view.hasPassed = e.line.hasPassed;
    int slot = 0;
    for (const TileCode t : kAllTiles) {
      if ((e.line.hands[static_cast<std::size_t>(e.seat)] & tileBit(t)) != 0) view.hand[++slot] = t;
    }
    // Each other seat taken to lack every pip it does not hold.
    for (int s = 0; s < kSeatCount; ++s) {
      const auto k = static_cast<std::size_t>(s);
      view.tilesHeld[k] = std::popcount(e.line.hands[k]);
      view.passedOn[k] = 0x7f;
      for (const TileCode t : kAllTiles) {
        if ((e.line.hands[k] & tileBit(t)) != 0)
          view.passedOn[k] &= ~((1u << t.first()) | (1u << t.last()));
      }
    }
    if (UnseenDeals(view).count() != 1) continue;
    HandWorth worth(view);
    const int side = e.seat % 2;
    const auto valueOf = [&](TileCode t, Lado end) {
      Line next = e.line;
      next.lay(e.seat, t, end);
      if (const auto result = handOver(next, e.seat, e.rules)) return worth.of(*result);
      return exactChance(next, nextSeat(e.seat, e.rules.SentidoHorario), side, e.rules, worth);
    };
    const Outlook outlook(e.line.factsFor(e.seat, e.rules));
    const auto ordinary = outlook.chooseTileMove();
    if (!ordinary) continue;
    const SeatAnswer answer = masterMove(view, {}, 5, MasterEffort{40, 40});
    ASSERT_EQ(answer.kind, SeatAnswer::Kind::Play);
    const double best = everyLine(e.line, e.seat, side, e.rules, worth);
    ++tried;
    triedAtTen += std::popcount(e.line.onTable) == kTileCount - 10;
    EXPECT_NEAR(valueOf(view.hand[answer.slot], answer.side), best, 1e-9);
    if (valueOf(ordinary->tile, ordinary->side) < best - 1e-9) ++ordinaryWorse;
  }
  EXPECT_GT(tried, 120);
  EXPECT_GT(triedAtTen, 50);
  EXPECT_GT(ordinaryWorse, 15);
}

// The master pair beats the ordinary pair, thinking with only 40 deals a move,
// measured deal by deal: each match's deals played twice, the sides exchanged.
//
// Measured with tavolix-sim --duplicate --pairs --master 1,3 --deals 40 over
// 2,000 matches on each of seeds 3 and 101, the master pair wins 75.2% and
// 74.4%. Reading the next seat's hand for each move instead of the mover's own
// (a fault that leaves every move legal) takes it to 54.2%; not reading at all,
// to 67.1% and 63.2%; playing for the other side's chances, to 5.8%.
//
// Taking p = 0.72 as the least the real player wins (below both measurements
// by more than twice their standard error) and 0.57 as the most the faulty
// reading does (above its measurement by as much), 800 matches and a bar of
// 514 wins give, by the binomial tails (which overstate the spread of
// duplicate play, where the two playings of a deal lean opposite ways, so that
// both chances are smaller still):
//   P(Bin(800, 0.72) < 514)  = 7.7e-7  the real player failing (under one in a million);
//   P(Bin(800, 0.57) >= 514) = 1.7e-5  the faulty reading passing.
// On this seed the real player wins 611; the faulty reading won 447 (before
// the end of a hand was played out exactly, which changes little at 40 deals).
TEST(MasterPlayer, WinsMostMatchesInPairsAgainstTheOrdinaryLevel) {
  sim::Options options;
  options.matches = 400;
  options.seed = 3;
  options.pairs = true;
  options.duplicate = true;
  options.masterSeats = 0b1010;  // Mac1 and Mac3, partners
  options.deals = 40;
  const sim::DuplicateSummary s = sim::simulateDuplicate(options);
  ASSERT_EQ(s.violations, 0);
  ASSERT_EQ(s.matches, 800);
  EXPECT_GE(s.wins, 514) << "of 800";
}

}  // namespace
}  // namespace tavolix
