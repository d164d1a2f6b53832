// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "match_odds.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavolix {

namespace {

// The table is kept small: a higher limit is counted in steps of several points.
constexpr int kMaxGrid = 200;

struct Outcome {
  int points;
  double chance;
};

// What a hand that is not tied scores, under the first rule: going out
// simply or a blocked count 1 point, "lá e lô" and "carroção" 2, "cruzada" 4
// (tavolix-sim, 20,000 matches, both kinds of game: the shares agree to 0.2%).
const std::vector<Outcome>& firstRuleOutcomes() {
  static const std::vector<Outcome> outcomes{{1, 0.818}, {2, 0.174}, {4, 0.008}};
  return outcomes;
}

// Under the pip rule, the points in bands of five (tavolix-sim --rule 2, 3,000
// matches each): pairs score the other pair's pips, about 17 on average; a seat
// alone the other three hands', about 26.
std::vector<Outcome> pipRuleOutcomes(bool pairs) {
  static const std::array<double, 13> kPairs{0.0172, 0.1292, 0.254,  0.2581, 0.167,  0.0975, 0.0453,
                                             0.0201, 0.0073, 0.0034, 0.0006, 0.0003, 0.0001};
  static const std::array<double, 13> kAlone{0.0011, 0.0252, 0.0836, 0.1659, 0.2018, 0.1918, 0.1369,
                                             0.0885, 0.0553, 0.026,  0.0143, 0.0053, 0.0043};
  const auto& bands = pairs ? kPairs : kAlone;
  double total = 0;
  for (const double c : bands) total += c;
  std::vector<Outcome> outcomes;
  for (std::size_t k = 0; k < bands.size(); ++k)
    outcomes.push_back({static_cast<int>(5 * k + 2), bands[k] / total});
  return outcomes;
}

}  // namespace

MatchOdds::MatchOdds(const Settings& rules)
    : pairs_(rules.pairs()), limit_(std::max<int>(1, rules.PontosLimit)) {
  grid_ = std::min(limit_, kMaxGrid);
  scale_ = static_cast<double>(limit_) / grid_;
  const std::vector<Outcome> outcomes =
      rules.pipRule() ? pipRuleOutcomes(pairs_) : firstRuleOutcomes();
  std::vector<std::pair<int, double>> moves;  // in steps
  for (const Outcome& o : outcomes) moves.emplace_back(std::max(1, steps(o.points)), o.chance);

  // Each hand moves one side on by its points, either side alike (a tie moves
  // nobody, and so changes no chance): worked back from the limit.
  race_.assign(static_cast<std::size_t>(grid_ * grid_), 0.0);
  const auto at = [&](int ours, int theirs) {
    if (ours >= grid_) return 1.0;
    if (theirs >= grid_) return 0.0;
    return race_[static_cast<std::size_t>(ours * grid_ + theirs)];
  };
  for (int ours = grid_ - 1; ours >= 0; --ours) {
    for (int theirs = grid_ - 1; theirs >= 0; --theirs) {
      double chance = 0;
      for (const auto& [step, p] : moves)
        chance += p * (at(ours + step, theirs) + at(ours, theirs + step));
      race_[static_cast<std::size_t>(ours * grid_ + theirs)] = chance / 2;
    }
  }
}

int MatchOdds::steps(int points) const { return static_cast<int>(std::lround(points / scale_)); }

double MatchOdds::race(int ours, int theirs) const {
  if (ours >= limit_) return 1.0;
  if (theirs >= limit_) return 0.0;
  const int a = std::min(grid_ - 1, steps(std::max(0, ours)));
  const int b = std::min(grid_ - 1, steps(std::max(0, theirs)));
  return race_[static_cast<std::size_t>(a * grid_ + b)];
}

double MatchOdds::winChance(const std::array<int, kSeatCount>& scores, int seat) const {
  const auto score = [&](int s) { return scores[static_cast<std::size_t>(s)]; };
  if (pairs_) return race(score(seat), score(nextSeat(seat, true)));
  // Alone: each seat's strength as the product of its races against the others, shared out.
  std::array<double, kSeatCount> strength{};
  double total = 0;
  for (int s = 0; s < kSeatCount; ++s) {
    double p = 1;
    for (int o = 0; o < kSeatCount; ++o) {
      if (o != s) p *= race(score(s), score(o));
    }
    strength[static_cast<std::size_t>(s)] = p;
    total += p;
  }
  return total > 0 ? strength[static_cast<std::size_t>(seat)] / total : 0.25;
}

double HandWorth::of(const HandResult& result) {
  if (result.tied()) {
    if (now_ < 0) now_ = odds_.winChance(view_.scores, view_.seat);
    return now_;
  }
  const int points = std::min(result.points, kMostPoints - 1);
  double& kept = known_[static_cast<std::size_t>(result.winner)][static_cast<std::size_t>(points)];
  if (kept < 0) {
    std::array<int, kSeatCount> scores = view_.scores;
    for (const int s : result.scorers) scores[static_cast<std::size_t>(s)] += result.points;
    kept = odds_.winChance(scores, view_.seat);
  }
  return kept;
}

}  // namespace tavolix
