// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "master_player.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <utility>

#include "match_odds.h"
#include "playout.h"

namespace tavolix {

namespace {

// The ways a seat may play: close to the ordinary player (one move in ten
// otherwise) or freely (six in ten). Read with the first alone, a stronger
// player's moves place the tiles worse than not reading at all.
const std::vector<double> kSurprises{0.1, 0.6};

// The most ways a seat may be read to play.
constexpr std::size_t kMostWays = 4;

// In pairs, with this many tiles or fewer left in the hands, each deal is
// played out exactly instead of by the ordinary player's choices, over at
// most this many deals, each costing more.
constexpr int kEndgameTiles = 10;
constexpr int kEndgameDeals = 500;

// A deal played out to the hand's end with every hand seen, each pair
// choosing its best for its chance of the match (what one gains, the other
// loses). Searched with a window (alpha, beta): a line one pair would never
// allow is left as soon as it is found.
class Endgame {
 public:
  Endgame(int side, const Settings& rules, HandWorth& worth)
      : side_(side), rules_(rules), worth_(worth) {}

  double value(const Line& line, int seat, double alpha, double beta) {
    const bool ours = seat % 2 == side_;
    double best = ours ? -1 : 2;
    const auto follow = [&](const Line& next) {
      if (const auto result = handOver(next, seat, rules_)) return worth_.of(*result);
      return value(next, nextSeat(seat, rules_.SentidoHorario), alpha, beta);
    };
    // True when the other moves need not be looked at.
    const auto cuts = [&](TileCode t, Lado side) {
      Line next = line;
      next.lay(seat, t, side);
      const double v = follow(next);
      if (ours) {
        best = std::max(best, v);
        alpha = std::max(alpha, v);
      } else {
        best = std::min(best, v);
        beta = std::min(beta, v);
      }
      return alpha >= beta;
    };
    const Outlook outlook(line.factsFor(seat, rules_));
    // The ordinary choice first: often the best, it cuts the search soonest.
    const auto usual = outlook.chooseTileMove();
    if (!usual) {
      Line next = line;
      next.pass(seat);
      return follow(next);
    }
    if (cuts(usual->tile, usual->side)) return best;
    for (std::uint32_t held = line.hands[static_cast<std::size_t>(seat)]; held != 0;
         held &= held - 1) {
      const TileCode t = kAllTiles[static_cast<std::size_t>(std::countr_zero(held))];
      for (const Lado side : {Lado::A, Lado::B}) {
        // Ends showing the same pip: either gives the same table.
        if (side == Lado::B && line.pontaA == line.pontaB) break;
        if (tileBit(t) == tileBit(usual->tile) && side == usual->side) continue;
        if (outlook.score(t, side) > 0 && cuts(t, side)) return best;
      }
    }
    return best;
  }

 private:
  int side_;
  const Settings& rules_;
  HandWorth& worth_;
};

}  // namespace

TableReading::TableReading(const SeatView& view, const std::vector<HandEvent>& hand,
                           std::vector<double> surprises)
    : surprises_(std::move(surprises)) {
  if (surprises_.empty()) surprises_.push_back(0);
  surprises_.resize(std::min(surprises_.size(), kMostWays));
  // Only a hand known from its first tile can be read.
  if (hand.empty() || hand.front().passed || hand.front().side != Lado::First) return;
  Line line;
  for (std::size_t k = 0; k < hand.size(); ++k) {
    const HandEvent& e = hand[k];
    if (e.passed) {
      line.pass(e.seat);
      continue;
    }
    const bool opening = k == 0;
    // An opening 6:6 tells little: the first hand's, and every hand's under
    // the rule of always opening with it, had to be laid.
    if (e.seat != view.seat && !(opening && e.tile == kDoubleSix)) {
      Read read;
      read.seat = e.seat;
      read.facts = line.factsFor(e.seat, view.rules);
      // The way round it was held does not matter: the player may have turned it.
      read.tile = e.tile.first() <= e.tile.last() ? e.tile : e.tile.reversed();
      read.side = e.side;
      read.opening = opening;
      moves_.push_back(read);
    }
    if (opening) {
      line.open(e.seat, e.tile);
    } else {
      line.lay(e.seat, e.tile, e.side);
    }
  }
  // The moves must come to the table as the seat sees it.
  if (line.onTable != view.onTable || line.pontaA != view.pontaA || line.pontaB != view.pontaB) {
    moves_.clear();
    return;
  }
  // Each seat's tiles laid from each of its moves on.
  std::array<std::uint32_t, kSeatCount> since{};
  for (std::size_t k = moves_.size(); k-- > 0;) {
    auto& laid = since[static_cast<std::size_t>(moves_[k].seat)];
    laid |= tileBit(moves_[k].tile);
    moves_[k].laidSince = laid;
  }
  std::stable_sort(moves_.begin(), moves_.end(),
                   [](const Read& x, const Read& y) { return x.seat < y.seat; });
}

TableReading::Choice TableReading::choice(const Read& move, std::uint32_t hand) const {
  Facts f = move.facts;
  f.inHand = hand;
  const Outlook outlook(f);
  int best = -1;
  int tied = 0;
  int legal = 0;
  int chosen = -1;
  if (move.opening) {
    // Any tile may open; the ordinary player keeps its hand most varied.
    for (std::uint32_t left = hand; left != 0; left &= left - 1) {
      const TileCode t = tileAt(left);
      const int v = outlook.variety(t);
      ++legal;
      if (v > best) {
        best = v;
        tied = 0;
      }
      if (v == best) ++tied;
      if (t == move.tile) chosen = v;
    }
  } else {
    // As the ordinary player ranks its moves: the score, then the side tried first.
    const Lado first = outlook.firstSideToTry();
    const bool sameEnds = f.pontaA == f.pontaB;
    for (std::uint32_t left = hand; left != 0; left &= left - 1) {
      const TileCode t = tileAt(left);
      int tileBest = -1;
      for (const Lado side : {first, first == Lado::A ? Lado::B : Lado::A}) {
        const int s = outlook.score(t, side);
        if (s <= 0) continue;
        const int key = s * 2 + (side == first ? 1 : 0);
        tileBest = std::max(tileBest, key);
        if (!sameEnds) ++legal;
        if (t == move.tile && (sameEnds || side == move.side)) chosen = std::max(chosen, key);
      }
      if (tileBest < 0) continue;
      if (sameEnds) ++legal;
      if (tileBest > best) {
        best = tileBest;
        tied = 0;
      }
      if (tileBest == best) ++tied;
    }
  }
  if (legal == 0) return {0.0, 1};  // cannot be: the tile laid was in the hand
  return {chosen == best ? 1.0 / tied : 0.0, legal};
}

double TableReading::likelihood(const Hands& hands) const {
  double p = 1;
  const std::size_t ways = surprises_.size();
  for (std::size_t k = 0; k < moves_.size();) {
    // This seat's moves, under each way it may play.
    const int seat = moves_[k].seat;
    std::array<double, kMostWays> chance;
    chance.fill(1.0);
    for (; k < moves_.size() && moves_[k].seat == seat; ++k) {
      const Read& move = moves_[k];
      const Choice c = choice(move, hands[static_cast<std::size_t>(seat)] | move.laidSince);
      for (std::size_t w = 0; w < ways; ++w)
        chance[w] *= (1 - surprises_[w]) * c.ordinary + surprises_[w] / c.legal;
    }
    double mean = 0;
    for (std::size_t w = 0; w < ways; ++w) mean += chance[w];
    p *= mean / static_cast<double>(ways);
  }
  return p;
}

double exactChance(const Line& line, int seat, int side, const Settings& rules, HandWorth& worth) {
  return Endgame(side, rules, worth).value(line, seat, -1, 2);
}

SeatAnswer masterMove(const SeatView& view, const std::vector<HandEvent>& hand, std::uint64_t seed,
                      MasterEffort effort) {
  MovesToWeigh weighed = movesToWeigh(view);
  if (weighed.answer) return *weighed.answer;
  Line& start = weighed.start;
  std::vector<Candidate>& moves = weighed.moves;
  const std::uint32_t mine = weighed.mine;
  Stream stream(seed);
  const UnseenDeals deals(view);
  const TableReading reading(view, hand, kSurprises);

  // Deals drawn evenly, then as many again drawn from those by how likely
  // the others' moves make each (in one sweep, evenly spaced picks).
  const int drawn = std::max(effort.drawn, effort.played);
  std::vector<Hands> pool(static_cast<std::size_t>(drawn));
  std::vector<double> weight(pool.size());
  double total = 0;
  for (std::size_t k = 0; k < pool.size(); ++k) {
    deals.deal(stream, pool[k]);
    weight[k] = reading.movesRead() > 0 ? reading.likelihood(pool[k]) : 1.0;
    total += weight[k];
  }
  if (!(total > 0)) {
    std::fill(weight.begin(), weight.end(), 1.0);
    total = static_cast<double>(weight.size());
  }
  const bool endgame =
      view.rules.pairs() && kTileCount - std::popcount(view.onTable) <= kEndgameTiles;
  const int played = endgame ? std::min(effort.played, kEndgameDeals) : effort.played;
  const double spacing = total / played;
  double next = stream.uniform() * spacing;
  double reached = 0;
  std::size_t k = 0;
  HandWorth worthOf(view);
  Endgame exact(view.seat % 2, view.rules, worthOf);
  for (int p = 0; p < played; ++p, next += spacing) {
    while (k + 1 < pool.size() && reached + weight[k] <= next) reached += weight[k++];
    start.hands = pool[k];
    start.hands[static_cast<std::size_t>(view.seat)] = mine;
    for (Candidate& c : moves) {
      Line line = start;
      const TileCode t = view.hand[c.slot];
      int seat = view.seat;
      if (c.side == Lado::First) {
        line.open(seat, t);
      } else {
        line.lay(seat, t, c.side);
      }
      std::optional<HandResult> result = handOver(line, seat, view.rules);
      if (!result && endgame) {
        const int after = nextSeat(seat, view.rules.SentidoHorario);
        c.value += std::lround(exact.value(line, after, -1, 2) * 1e6);
        continue;
      }
      while (!result) {
        seat = nextSeat(seat, view.rules.SentidoHorario);
        if (playOn(line, seat, view.rules)) result = handOver(line, seat, view.rules);
      }
      // In millionths of a match, so that the sums stay whole.
      c.value += std::lround(worthOf.of(*result) * 1e6);
    }
  }
  const auto best =
      std::max_element(moves.begin(), moves.end(),
                       [](const Candidate& x, const Candidate& y) { return x.value < y.value; });
  return SeatAnswer::play(best->slot, best->side);
}

SeatAnswer MasterSeat::think(const GameState& state, const Settings& settings, int seat,
                             const std::vector<HandEvent>& hand, std::uint64_t seed) {
  return masterMove(SeatView::of(state, settings, seat), hand, seed, effort_);
}

}  // namespace tavolix
