// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "unseen_deals.h"

#include "strong_player.h"

namespace tavolix {

namespace {

constexpr std::array<double, kTileCount + 1> factorials() {
  std::array<double, kTileCount + 1> f{};
  f[0] = 1;
  for (std::size_t n = 1; n < f.size(); ++n) f[n] = f[n - 1] * static_cast<double>(n);
  return f;
}
constexpr auto kFactorial = factorials();

TileCode tileAt(std::uint32_t bits) {
  return kAllTiles[static_cast<std::size_t>(std::countr_zero(bits))];
}

}  // namespace

UnseenDeals::UnseenDeals(const SeatView& view) : me_(view.seat) {
  std::uint32_t mine = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) mine |= tileBit(view.hand[slot]);
  unseen_ = kAllTileBits & ~mine & ~view.onTable;
  int k = 0;
  for (int s = 0; s < kSeatCount; ++s) {
    if (s == me_) continue;
    const auto i = static_cast<std::size_t>(k++);
    others_[i] = s;
    held_[i] = view.tilesHeld[static_cast<std::size_t>(s)];
    for (std::uint32_t left = unseen_; left != 0; left &= left - 1) {
      const TileCode t = tileAt(left);
      if (held_[i] > 0 && (t.pipMask() & view.passedOn[static_cast<std::size_t>(s)]) == 0)
        allowed_[i] |= tileBit(t);
    }
  }
  std::array<Group, 1u << kOthers> bySeats{};
  for (std::uint32_t left = unseen_; left != 0; left &= left - 1) {
    const TileCode t = tileAt(left);
    unsigned seats = 0;
    for (int i = 0; i < kOthers; ++i) {
      if (allowed_[static_cast<std::size_t>(i)] & tileBit(t)) seats |= 1u << i;
    }
    bySeats[seats].seats = seats;
    bySeats[seats].tiles.push_back(t);
  }
  std::vector<Group> groups;
  for (Group& g : bySeats) {
    if (!g.tiles.empty()) groups.push_back(std::move(g));
  }
  count(std::move(groups));
}

void UnseenDeals::count(std::vector<Group> groups) {
  groups_ = std::move(groups);
  int total = 0;
  for (const int held : held_) total += held;
  if (total != bitCount(unseen_) || held_[0] >= kRoom || held_[1] >= kRoom) return;
  // Backwards over the groups: the ways of dealing groups k.. when the first
  // two others still have room (r0, r1) and the third the rest.
  const auto k = groups_.size();
  ways_.assign(k + 1, Table{});
  ways_[k][0] = 1;
  int rest = 0;  // tiles in groups k..
  for (std::size_t g = k; g-- > 0;) {
    const Group& group = groups_[g];
    const int n = static_cast<int>(group.tiles.size());
    rest += n;
    for (int r0 = 0; r0 < kRoom; ++r0) {
      for (int r1 = 0; r1 < kRoom; ++r1) {
        const int r2 = rest - r0 - r1;
        if (r2 < 0 || r2 > held_[2]) continue;
        double ways = 0;
        for (int x0 = 0; x0 <= std::min(n, r0); ++x0) {
          for (int x1 = 0; x0 + x1 <= n && x1 <= r1; ++x1) ways += waysGiving(g, r0, r1, x0, x1);
        }
        ways_[g][static_cast<std::size_t>(r0 * kRoom + r1)] = ways;
      }
    }
  }
  start_ = held_[0] * kRoom + held_[1];
}

double UnseenDeals::waysGiving(std::size_t g, int r0, int r1, int x0, int x1) const {
  const Group& group = groups_[g];
  const int n = static_cast<int>(group.tiles.size());
  const int x2 = n - x0 - x1;
  if (x2 < 0 || (x0 > 0 && !(group.seats & 1u)) || (x1 > 0 && !(group.seats & 2u)) ||
      (x2 > 0 && !(group.seats & 4u)))
    return 0;
  // Which x0 of the group's tiles, which x1 of the rest; then the groups after it.
  return kFactorial[static_cast<std::size_t>(n)] /
         (kFactorial[static_cast<std::size_t>(x0)] * kFactorial[static_cast<std::size_t>(x1)] *
          kFactorial[static_cast<std::size_t>(x2)]) *
         ways_[g + 1][static_cast<std::size_t>((r0 - x0) * kRoom + (r1 - x1))];
}

bool UnseenDeals::agrees(const Hands& hands) const {
  std::uint32_t all = 0;
  for (int i = 0; i < kOthers; ++i) {
    const std::uint32_t hand =
        hands[static_cast<std::size_t>(others_[static_cast<std::size_t>(i)])];
    if (bitCount(hand) != held_[static_cast<std::size_t>(i)] ||
        (hand & ~allowed_[static_cast<std::size_t>(i)]) != 0)
      return false;
    all |= hand;
  }
  return all == unseen_;
}

void UnseenDeals::deal(Stream& stream, Hands& hands) const {
  for (const int s : others_) hands[static_cast<std::size_t>(s)] = 0;
  if (count() <= 0) {
    // Nothing agrees: only how many tiles each holds is kept.
    std::array<TileCode, kTileCount> tiles{};
    int n = 0;
    for (std::uint32_t left = unseen_; left != 0; left &= left - 1) tiles[n++] = tileAt(left);
    for (int k = n - 1; k > 0; --k) std::swap(tiles[k], tiles[stream.below(k + 1)]);
    int next = 0;
    for (int i = 0; i < kOthers; ++i) {
      for (int h = 0; h < held_[static_cast<std::size_t>(i)] && next < n; ++h)
        hands[static_cast<std::size_t>(others_[static_cast<std::size_t>(i)])] |=
            tileBit(tiles[next++]);
    }
    return;
  }
  int r0 = held_[0];
  int r1 = held_[1];
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    const Group& group = groups_[g];
    const int n = static_cast<int>(group.tiles.size());
    // How many of the group each seat gets, by the ways each choice leaves.
    double pick = stream.uniform() * ways_[g][static_cast<std::size_t>(r0 * kRoom + r1)];
    int x0 = 0, x1 = 0;
    bool chosen = false;
    for (int a = 0; a <= std::min(n, r0) && !chosen; ++a) {
      for (int b = 0; a + b <= n && b <= r1 && !chosen; ++b) {
        const double ways = waysGiving(g, r0, r1, a, b);
        if (ways <= 0) continue;
        x0 = a;
        x1 = b;
        pick -= ways;
        chosen = pick < 0;
      }
    }
    // Which tiles: any x0 of the group to the first, x1 to the second, the rest to the third.
    std::array<TileCode, kTileCount> tiles{};
    for (int k = 0; k < n; ++k)
      tiles[static_cast<std::size_t>(k)] = group.tiles[static_cast<std::size_t>(k)];
    for (int k = n - 1; k > 0; --k)
      std::swap(tiles[static_cast<std::size_t>(k)],
                tiles[static_cast<std::size_t>(stream.below(k + 1))]);
    for (int k = 0; k < n; ++k) {
      const int i = k < x0 ? 0 : k < x0 + x1 ? 1 : 2;
      hands[static_cast<std::size_t>(others_[static_cast<std::size_t>(i)])] |=
          tileBit(tiles[static_cast<std::size_t>(k)]);
    }
    r0 -= x0;
    r1 -= x1;
  }
}

}  // namespace tavolix
