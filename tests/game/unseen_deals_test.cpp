// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The deals of the tiles a seat cannot see: counted exactly, drawn evenly,
// and never ruling out the hands the others really hold.
#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include "game/computer_player.h"
#include "game/match.h"
#include "game/presentation.h"
#include "game/strong_player.h"
#include "game/unseen_deals.h"
#include "watched_play.h"

namespace tavolix {
namespace {

std::vector<Seen> watchMatches(int matches, bool pairs, std::uint64_t seed) {
  Settings settings;
  settings.TipoJogo = pairs ? 2 : 1;
  settings.FecharSoNoNatural = true;
  const std::vector<Seen> seen = watchMatches(settings, matches, seed);
  EXPECT_FALSE(seen.empty());
  return seen;
}

// Every way of giving the unseen tiles to the others that agrees with the view,
// one by one: as many tiles to each as it holds, none showing a pip it passed on.
double countByHand(const SeatView& view, std::map<Hands, int>* each) {
  std::uint32_t mine = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) mine |= tileBit(view.hand[slot]);
  std::vector<TileCode> unseen;
  for (const TileCode t : kAllTiles) {
    if (!(tileBit(t) & (mine | view.onTable))) unseen.push_back(t);
  }
  std::vector<int> others;
  for (int s = 0; s < kSeatCount; ++s) {
    if (s != view.seat) others.push_back(s);
  }
  double found = 0;
  long ways = 1;
  for (std::size_t k = 0; k < unseen.size(); ++k) ways *= 3;
  for (long w = 0; w < ways; ++w) {
    Hands hands{};
    long code = w;
    for (const TileCode t : unseen) {
      hands[static_cast<std::size_t>(others[static_cast<std::size_t>(code % 3)])] |= tileBit(t);
      code /= 3;
    }
    bool agrees = true;
    for (const int s : others) {
      const std::uint32_t hand = hands[static_cast<std::size_t>(s)];
      agrees = agrees && bitCount(hand) == view.tilesHeld[static_cast<std::size_t>(s)];
      for (std::uint32_t left = hand; left != 0; left &= left - 1) {
        const TileCode t = kAllTiles[static_cast<std::size_t>(std::countr_zero(left))];
        agrees = agrees && (t.pipMask() & view.passedOn[static_cast<std::size_t>(s)]) == 0;
      }
    }
    if (!agrees) continue;
    ++found;
    if (each) (*each)[hands] = 0;
  }
  return found;
}

// The hands the others really hold always agree with what a seat saw; and
// where the unseen tiles are few enough to go through every way of dealing
// them, the count is exact.
TEST(UnseenDeals, TheRealHandsAlwaysAgreeAndTheCountIsExact) {
  int counted = 0;
  for (const bool pairs : {false, true}) {
    for (const Seen& seen : watchMatches(60, pairs, pairs ? 17 : 4)) {
      const UnseenDeals deals(seen.view);
      ASSERT_TRUE(deals.agrees(seen.truth));
      // A tile of one of the others in another's hand: a deal that does not agree.
      auto moved = seen.truth;
      const auto from = static_cast<std::size_t>((seen.view.seat + 1) % kSeatCount);
      const auto to = static_cast<std::size_t>((seen.view.seat + 2) % kSeatCount);
      if (moved[from] != 0) {
        moved[to] |= moved[from] & (~moved[from] + 1);
        moved[from] &= moved[from] - 1;
        ASSERT_FALSE(deals.agrees(moved));
      }
      ASSERT_GE(deals.count(), 1.0);
      if (bitCount(kAllTileBits & ~seen.view.onTable) - seen.view.tilesHeld[seen.view.seat] <= 9 &&
          counted < 400) {
        ++counted;
        EXPECT_EQ(deals.count(), countByHand(seen.view, nullptr));
      }
    }
  }
  EXPECT_GE(counted, 400);
}

// The deals are drawn from splitmix64: the first numbers of the published
// reference stream for seed 1477776061723855037 (Vigna's splitmix64.c).
TEST(UnseenDeals, TheStreamIsSplitmix64) {
  Stream stream(1477776061723855037ull);
  for (const std::uint64_t expected :
       {1985237415132408290ull, 2979275885539914483ull, 13511426838097143398ull,
        8488337342461049707ull, 15141737807933549159ull})
    EXPECT_EQ(stream.next(), expected);
}

// Drawn evenly: over a position with a few dozen deals, each deal's share of
// many draws passes a chi-square test at a level where an even sampler fails
// less than once in a million runs.
TEST(UnseenDeals, EveryDealIsDrawnAsOftenAsAnyOther) {
  const std::vector<Seen> seen = watchMatches(20, false, 8);
  const Seen* chosen = nullptr;
  for (const Seen& s : seen) {
    const UnseenDeals deals(s.view);
    bool passes = false;
    for (const bool p : s.view.hasPassed) passes = passes || p;
    if (passes && deals.count() >= 20 && deals.count() <= 200) {
      chosen = &s;
      break;
    }
  }
  ASSERT_NE(chosen, nullptr);
  const UnseenDeals deals(chosen->view);
  std::map<Hands, int> each;
  ASSERT_EQ(countByHand(chosen->view, &each), deals.count());
  const int draws = 400 * static_cast<int>(each.size());
  Stream stream(99);
  Hands hands{};
  for (int d = 0; d < draws; ++d) {
    deals.deal(stream, hands);
    hands[static_cast<std::size_t>(chosen->view.seat)] = 0;
    const auto found = each.find(hands);
    ASSERT_NE(found, each.end()) << "a deal that does not agree";
    ++found->second;
  }
  const double expected = static_cast<double>(draws) / static_cast<double>(each.size());
  double chiSquare = 0;
  for (const auto& [hand, n] : each) chiSquare += (n - expected) * (n - expected) / expected;
  // The upper 10^-6 point of chi-square with df degrees of freedom (Wilson and Hilferty).
  const double df = static_cast<double>(each.size() - 1);
  const double z = 4.753;
  const double bound = df * std::pow(1 - 2 / (9 * df) + z * std::sqrt(2 / (9 * df)), 3);
  EXPECT_LT(chiSquare, bound) << each.size() << " deals, " << draws << " draws";
}

// A view that cannot be (each of the others passed on every pip, yet holds
// seven tiles): no deal agrees, and the tiles unseen are still all dealt, as
// many to each seat as it holds.
TEST(UnseenDeals, AViewThatCannotBeStillDealsEveryTileUnseen) {
  SeatView view;
  view.seat = kJog;
  std::uint32_t unseen = kAllTileBits;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    view.hand[static_cast<std::size_t>(slot)] = kAllTiles[static_cast<std::size_t>(3 * slot)];
    unseen &= ~tileBit(view.hand[static_cast<std::size_t>(slot)]);
  }
  view.tilesHeld = {7, 7, 7, 7};
  view.passedOn = {0, 0x7f, 0x7f, 0x7f};
  const UnseenDeals deals(view);
  ASSERT_EQ(deals.count(), 0.0);
  Stream stream(3);
  for (int draw = 0; draw < 20; ++draw) {
    Hands hands{};
    deals.deal(stream, hands);
    std::uint32_t dealt = 0;
    for (int seat = kMac1; seat <= kMac3; ++seat) {
      EXPECT_EQ(bitCount(hands[static_cast<std::size_t>(seat)]), 7) << seat;
      dealt |= hands[static_cast<std::size_t>(seat)];
    }
    EXPECT_EQ(dealt, unseen);
  }
}

}  // namespace
}  // namespace tavolix
