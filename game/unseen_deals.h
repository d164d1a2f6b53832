// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game_state.h"
#include "tile.h"

namespace tavolix {

struct SeatView;

// A stream of numbers of one's own, seeded once per move from the game's
// generator (splitmix64: small, fast and good enough to deal tiles).
class Stream {
 public:
  explicit Stream(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1.
  int below(int n) {
    return static_cast<int>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }
  // Uniform in [0, 1).
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

 private:
  std::uint64_t state_;
};

using Hands = std::array<std::uint32_t, kSeatCount>;  // one bit per tile (tileBit) a seat

// The ways the tiles a seat cannot see may lie in the other hands, as far as
// everything it has seen tells: each other seat holds as many tiles as it is
// seen to hold, and none showing a pip it passed on. (A seat passes only when
// no tile of its hand shows an end's pip: the one tile the rule on closing
// "no natural" may forbid at one end, the one showing both ends, it may
// always lay at the other.) Deals are drawn by counting, each with the same
// chance, never by trying until one fits.
class UnseenDeals {
 public:
  explicit UnseenDeals(const SeatView& view);

  // How many deals agree (0 when what the seat saw cannot be: a view made up
  // by hand). As a double: there may be some 10^8 of them.
  double count() const { return ways_.empty() ? 0.0 : ways_.front()[start_]; }
  // Whether these hands of the others agree with the view.
  bool agrees(const Hands& hands) const;
  // One of the deals, each as likely as any other, into the others' places of
  // `hands` (the viewing seat's own place is left as it is). When no deal
  // agrees, the tiles are dealt only by how many each seat holds.
  void deal(Stream& stream, Hands& hands) const;

 private:
  static constexpr int kOthers = kSeatCount - 1;
  // Capacities left for the first two other seats, the third's follows.
  static constexpr int kRoom = kHandSlots + 1;
  using Table = std::array<double, kRoom * kRoom>;
  struct Group {
    unsigned seats = 0;  // which of the others (bits 0..2) may hold its tiles
    std::vector<TileCode> tiles;
  };
  void count(std::vector<Group> groups);
  // The deals that give group `g`'s tiles x0 to the first other seat, x1 to
  // the second and the rest to the third, with (r0, r1) room left before it.
  double waysGiving(std::size_t g, int r0, int r1, int x0, int x1) const;

  int me_;
  std::array<int, kOthers> others_{};
  std::array<int, kOthers> held_{};
  std::array<std::uint32_t, kOthers> allowed_{};  // the tiles each other seat may hold
  std::uint32_t unseen_ = 0;
  std::vector<Group> groups_;
  std::vector<Table> ways_;  // ways_[k][room]: the ways of dealing groups k.. into that room
  int start_ = 0;
};

}  // namespace tavolix
