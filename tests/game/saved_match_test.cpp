// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A kept match is taken back only when a real match could have stood there;
// each thing that could be wrong with one is refused and named.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "game/autoplay.h"
#include "game/match.h"
#include "game/saved_match.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// Where the player was asked for something, through a few whole matches.
std::vector<SavedMatch> asksOf(const Settings& rules, std::uint64_t seed, int matches) {
  struct Table : SilentPresentation {
    NewGameAnswer newGameDialog(bool) override { return NewGameAnswer::Play; }
  } table;
  struct Kept : MatchKeeper {
    std::vector<SavedMatch> asks;
    int ended = 0;
    void playerAsked(const Match& match) override { asks.push_back(match.saved()); }
    void matchEnded(const Match&, int) override { ++ended; }
    void matchClosed() override {}
  } kept;
  RandomSource random(seed);
  Match match(rules, table, random);
  match.setKeeper(&kept);
  Autoplayer player(match, random);
  match.start();
  for (int step = 0; step < 100000 && kept.ended < matches && player.act(); ++step) {
  }
  EXPECT_EQ(kept.ended, matches);
  return kept.asks;
}

const SavedMatch& first(const std::vector<SavedMatch>& asks,
                        const std::function<bool(const SavedMatch&)>& wanted) {
  for (const SavedMatch& saved : asks) {
    if (wanted(saved)) return saved;
  }
  static const SavedMatch none;
  ADD_FAILURE() << "no ask of the kind wanted";
  return none;
}

std::string refusal(const SavedMatch& saved) {
  const auto rebuilt = rebuild(saved);
  return std::holds_alternative<std::string>(rebuilt) ? std::get<std::string>(rebuilt) : "taken";
}

std::string changed(SavedMatch saved, const std::function<void(SavedMatch&)>& change) {
  change(saved);
  return refusal(saved);
}

class SavedMatchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Settings rules;
    rules.TipoInicio = 3;  // by rotation
    asks_ = new std::vector<SavedMatch>(asksOf(rules, 11, 3));
  }
  static void TearDownTestSuite() { delete asks_; }

  // A later hand, three tiles laid and a pass among the moves so far.
  static const SavedMatch& playing() {
    return first(*asks_, [](const SavedMatch& s) {
      int passes = 0;
      for (const HandEvent& e : s.events) passes += e.passed;
      return !s.dealing && !s.handsPlayed.empty() && s.events.size() >= 5 && !s.events[1].passed &&
             passes > 0;
    });
  }
  // The player's go at the pile, after another seat's.
  static const SavedMatch& dealing() {
    return first(*asks_, [](const SavedMatch& s) { return s.dealing && s.taker >= 2; });
  }

  static std::vector<SavedMatch>* asks_;
};

std::vector<SavedMatch>* SavedMatchTest::asks_ = nullptr;

TEST_F(SavedMatchTest, RulesOutsideWhatTheDialogsOfferAreRefused) {
  const SavedMatch& s = playing();
  ASSERT_EQ(refusal(s), "taken");
  const auto rules = [&s](const std::function<void(Settings&)>& change) {
    return changed(s, [&change](SavedMatch& m) { change(m.rules); });
  };
  EXPECT_EQ(rules([](Settings& r) { r.TipoJogo = 3; }), "the kind of game is unknown");
  EXPECT_EQ(rules([](Settings& r) { r.TipoRegra = 0; }), "the scoring rule is unknown");
  EXPECT_EQ(rules([](Settings& r) { r.TipoInicio = 4; }), "the opening rule is unknown");
  EXPECT_EQ(rules([](Settings& r) { r.TipoInicio = 0; }), "the opening rule is unknown");
  EXPECT_EQ(rules([](Settings& r) { r.PontosLimit = 11; }), "the points limit is out of range");
  EXPECT_EQ(rules([](Settings& r) { r.PontosLimit = 10; }), "taken");
  EXPECT_EQ(rules([](Settings& r) { r.PontosLimit = 3; }), "the points limit is out of range");
  // One point a pip: from 50 to 250 (the hands played then no longer add up).
  for (const int limit : {49, 251}) {
    EXPECT_EQ(rules([limit](Settings& r) { r.TipoRegra = 2, r.PontosLimit = limit; }),
              "the points limit is out of range");
  }
  for (const int limit : {50, 250}) {
    EXPECT_NE(rules([limit](Settings& r) { r.TipoRegra = 2, r.PontosLimit = limit; }),
              "the points limit is out of range");
  }
  EXPECT_EQ(rules([](Settings& r) { r.Nomes[3] = std::string(65, 'n'); }), "a name is too long");
  EXPECT_EQ(rules([](Settings& r) { r.Nomes[3] = std::string(64, 'n'); }), "taken");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.asked = 4; }), "the seat asked is not a seat");
}

TEST_F(SavedMatchTest, HandsPlayedAndScoresNoMatchCouldHaveAreRefused) {
  const SavedMatch& s = playing();
  const HandResult& hand = s.handsPlayed.front();
  ASSERT_FALSE(hand.scorers.empty());
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.handsPlayed.front().winner = 4; }),
            "a hand's winner is not a seat");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.handsPlayed.front().nextOpener = 6; }),
            "a hand's next opener is not a seat");
  EXPECT_EQ(changed(s,
                    [&hand](SavedMatch& m) {
                      m.handsPlayed.front().scorers.assign(3, hand.scorers.front());
                    }),
            "a hand has too many scorers");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.handsPlayed.front().scorers = {7}; }),
            "a hand's scorer is not a seat");
  // Gone out, under the rule that names every way of going out, by none of them.
  HandResult nameless;
  nameless.winner = kMac2;
  nameless.scorers = {kMac2};
  nameless.nextOpener = kMac2;
  nameless.totals = {10, 20, 0, 5};
  EXPECT_EQ(changed(s, [&nameless](SavedMatch& m) { m.handsPlayed.push_back(nameless); }),
            "a hand gone out of has no way of going out");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.rotation = 4; }),
            "the next opener by rotation is not a seat");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.opener = 4; }), "the opener is not a seat");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.rotation = nextSeat(m.rotation, true); }),
            "the next opener by rotation is not the one after this hand's");
}

TEST_F(SavedMatchTest, HandsThatAreNotSevenTilesInARowAreRefused) {
  const SavedMatch& s = playing();
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[2][0] = tile("00"); }),
            "a hand holds a tile outside it");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[2][kHandSlots + 1] = tile("00"); }),
            "a hand holds a tile outside it");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[1][1] = TileCode(2, 7); }),
            "a hand holds something that is not a tile");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[1][1] = TileCode(2, -3); }),
            "a hand holds something that is not a tile");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[1][1] = TileCode(7, 7); }),
            "a hand holds something that is not a tile");  // a double beyond the set
  ASSERT_FALSE(s.hands[1][2].empty());
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[1][1] = TileCode(); }), "a hand has a gap");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.hands[3] = Hand(); }), "a seat has already gone out");
}

TEST_F(SavedMatchTest, MovesThatCouldNotHaveBeenMadeAreRefused) {
  const SavedMatch& s = playing();
  const HandEvent opening = s.events.front();
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.opener = kHolderOfDoubleSix; }),
            "nobody opens the hand");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.events[1].seat = nextSeat(m.events[1].seat, true); }),
            "a move is out of turn");
  EXPECT_EQ(changed(s,
                    [&opening](SavedMatch& m) {
                      m.events.insert(m.events.begin(), HandEvent::pass(opening.seat));
                    }),
            "a pass before the hand is opened");
  EXPECT_EQ(changed(s,
                    [](SavedMatch& m) {
                      int seat = nextSeat(m.events.back().seat, true);
                      for (int k = 0; k < 4; ++k, seat = nextSeat(seat, true))
                        m.events.push_back(HandEvent::pass(seat));
                    }),
            "the hand is already blocked");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.events[1].tile = TileCode(7, 1); }),
            "a move lays something that is not a tile");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.events[1].side = Lado::First; }),
            "a move is not at an end of the chain");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.events[0].side = Lado::A; }),
            "a move is not at an end of the chain");
  // A tile with neither of the opening tile's numbers.
  TileCode apart;
  for (const TileCode t : kAllTiles) {
    if (!t.holds(opening.tile.first()) && !t.holds(opening.tile.last())) apart = t;
  }
  EXPECT_EQ(changed(s, [apart](SavedMatch& m) { m.events[1].tile = apart; }),
            "a move does not join the chain");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.asked = nextSeat(m.asked, true); }),
            "it is not the player's turn");
}

TEST_F(SavedMatchTest, ADealNoPileCouldHaveGivenIsRefused) {
  const SavedMatch& s = dealing();
  ASSERT_EQ(refusal(s), "taken");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.takers[0] = 4; }), "a taker is not a seat");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { std::swap(m.takers[1], m.takers[2]); }),
            "the seats do not take their tiles in turn");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.taker = 0; }),
            "it is not the player's go to take his tiles");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.taker = 5; }),
            "it is not the player's go to take his tiles");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.taker = m.taker == 1 ? 2 : m.taker - 1; }),
            "it is not the player's go to take his tiles");
  // A tile of a seat that took before the player's go, put back in the pile.
  EXPECT_EQ(changed(s,
                    [](SavedMatch& m) {
                      Hand& earlier = m.hands[m.takers[0]];
                      const TileCode t = earlier[kHandSlots];
                      earlier[kHandSlots] = TileCode();
                      for (int p = 1; p <= kTileCount; ++p) {
                        if (m.pile[p - 1] == t) m.taken[p] = false;
                      }
                    }),
            "a hand holds the wrong number of tiles for the deal");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.pile[0] = TileCode(8, 8); }),
            "the pile holds something that is not a tile");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.pile[0] = m.pile[1]; }),
            "the pile does not hold every tile once");
  EXPECT_EQ(changed(s,
                    [](SavedMatch& m) {
                      for (int p = 1; p <= kTileCount; ++p) m.taken[p] = !m.taken[p];
                    }),
            "the tiles held are not those taken from the pile");
  // One more position taken: a tile gone from the pile that nobody holds.
  EXPECT_EQ(changed(s,
                    [](SavedMatch& m) {
                      int p = 1;
                      while (p < kTileCount && m.taken[p]) ++p;
                      m.taken[p] = true;
                    }),
            "the tiles held are not those taken from the pile");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.taken[0] = true; }),
            "a pile position outside the pile is taken");
  EXPECT_EQ(changed(s, [](SavedMatch& m) { m.events.push_back(HandEvent::pass(kJog)); }),
            "moves made before the deal is over");
}

// Where the rules want every hand opened with 6:6, whoever holds it opens;
// told another opener, or an opener without it, the file is refused.
// Taken back, each tile of the chain is drawn against the end it joined,
// as it was laid: on either end, the joined pip is one of the tile's own and
// the end the tile before it on that arm left open.
TEST_F(SavedMatchTest, EachTileTakenBackJoinsTheEndItWasLaidAgainst) {
  int checked = 0;
  for (const SavedMatch& saved : *asks_) {
    const auto rebuilt = rebuild(saved);
    ASSERT_TRUE(std::holds_alternative<SavedPosition>(rebuilt)) << std::get<std::string>(rebuilt);
    std::array<int, 2> open{-1, -1};  // the ends A and B, as the replay goes
    for (const LaidTile& laid : std::get<SavedPosition>(rebuilt).laid) {
      const TileCode t = laid.placement.shown;
      if (laid.side == Lado::First) {
        EXPECT_EQ(laid.joined, -1);
        open = {t.first(), t.last()};
        continue;
      }
      int& end = open[laid.side == Lado::A ? 0 : 1];
      EXPECT_EQ(laid.joined, end) << (laid.side == Lado::A ? "end A" : "end B");
      EXPECT_TRUE(t.holds(laid.joined));
      end = t.first() == laid.joined ? t.last() : t.first();
      ++checked;
    }
  }
  EXPECT_GT(checked, 20);
}

TEST_F(SavedMatchTest, TheHolderOfTheDoubleSixOpensWhereTheRulesSaySo) {
  Settings rules;
  rules.TipoInicio = 2;
  const std::vector<SavedMatch> asks = asksOf(rules, 5, 4);
  const auto holderOf66 = [](const SavedMatch& m) {
    for (int seat = kJog; seat <= kMac3; ++seat) {
      for (const TileCode t : m.hands[seat]) {
        if (t == kDoubleSix) return seat;
      }
    }
    return kHolderOfDoubleSix;
  };
  const SavedMatch& dealt =
      first(asks, [&](const SavedMatch& m) { return m.dealing && isSeat(holderOf66(m)); });
  ASSERT_EQ(refusal(dealt), "taken");
  EXPECT_EQ(changed(dealt, [&](SavedMatch& m) { m.opener = nextSeat(holderOf66(m), true); }),
            "the opener is not the one the deal makes");
  // The player to open a later hand, 6:6 swapped with a tile of another's.
  const SavedMatch& toOpen = first(
      asks, [](const SavedMatch& m) { return !m.dealing && !m.firstRound && m.events.empty(); });
  ASSERT_EQ(refusal(toOpen), "taken");
  EXPECT_EQ(changed(toOpen,
                    [](SavedMatch& m) {
                      for (TileCode& t : m.hands[m.opener]) {
                        if (t == kDoubleSix) std::swap(t, m.hands[nextSeat(m.opener, true)][1]);
                      }
                    }),
            "the opener must open with 6:6 and does not hold it");
}

}  // namespace
}  // namespace tavolix
