// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "tile.h"

#include <algorithm>

namespace tavolix {

namespace {

bool isPipDigit(char c) { return c >= '0' && c <= '6'; }

}  // namespace

std::optional<TileCode> TileCode::fromText(std::string_view text) {
  if (text.empty()) return TileCode();
  if (text.size() != 2 || !isPipDigit(text[0]) || !isPipDigit(text[1])) return std::nullopt;
  return TileCode(text[0] - '0', text[1] - '0');
}

std::string TileCode::text() const {
  if (empty()) return {};
  return {static_cast<char>('0' + first_), static_cast<char>('0' + last_)};
}

int tileCount(const Hand& hand) {
  return static_cast<int>(std::count_if(hand.begin() + 1, hand.begin() + 1 + kHandSlots,
                                        [](TileCode t) { return !t.empty(); }));
}

int pipTotal(const Hand& hand) {
  int total = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) total += hand[slot].pipTotal();
  return total;
}

int doubleCount(const Hand& hand) {
  return static_cast<int>(std::count_if(hand.begin() + 1, hand.begin() + 1 + kHandSlots,
                                        [](TileCode t) { return t.isDouble(); }));
}

void closeUp(Hand& hand, int slot) {
  if (slot < 1 || slot > kHandSlots) return;
  // Every slot is swept, those before the gap keeping their tile: the same
  // work wherever the gap is, with no branch.
  const Hand was = hand;
  for (int k = 1; k <= kHandSlots; ++k) hand[k] = was[k + (k >= slot ? 1 : 0)];
  hand[kHandSlots + 1] = TileCode();
}

bool moveAlongHand(Hand& hand, int from, int to) {
  if (from < 1 || from > kHandSlots || to < 1 || to > kHandSlots || from == to) return false;
  if (hand[from].empty() || hand[to].empty()) return false;
  const TileCode carried = hand[from];
  if (to < from) {
    for (int m = from; m > to; --m) hand[m] = hand[m - 1];
  } else {
    for (int m = from; m < to; ++m) hand[m] = hand[m + 1];
  }
  hand[to] = carried;
  return true;
}

}  // namespace tavolix
