// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavolix {

// A domino as its two pip counts in the order they are held: "36" is 3 then 6.
// The set keeps the lower count first, but a tile the player turned over in his
// hand, or a tile drawn in the chain, may read the other way round ("63").
// A default-constructed code is "no tile" (an empty hand slot).
class TileCode {
 public:
  constexpr TileCode() = default;
  constexpr TileCode(int first, int last)
      : first_(static_cast<std::int8_t>(first)), last_(static_cast<std::int8_t>(last)) {}

  // "36" -> 3:6; "" -> no tile; anything else that is not two pip digits -> nullopt.
  static std::optional<TileCode> fromText(std::string_view text);

  constexpr bool empty() const { return first_ < 0; }
  constexpr int first() const { return first_; }
  constexpr int last() const { return last_; }
  // A double ("bucha"): both halves the same.
  constexpr bool isDouble() const { return !empty() && first_ == last_; }
  // Whether the tile matches an end showing pip v.
  constexpr bool holds(int v) const { return !empty() && (first_ == v || last_ == v); }
  constexpr int pipTotal() const { return empty() ? 0 : first_ + last_; }
  // One bit per pip on the tile (bit p for pip p); 0 for no tile.
  constexpr unsigned pipMask() const { return empty() ? 0u : (1u << first_) | (1u << last_); }
  constexpr TileCode reversed() const { return empty() ? TileCode() : TileCode(last_, first_); }
  // The pip left facing outwards when the tile is laid against an end showing v.
  constexpr int otherPip(int v) const { return first_ == v ? last_ : first_; }

  std::string text() const;

  friend constexpr bool operator==(TileCode, TileCode) = default;

 private:
  std::int8_t first_ = -1;
  std::int8_t last_ = -1;
};

// The tile that opens the first hand of a match.
inline constexpr TileCode kDoubleSix(6, 6);

// The 28 tiles of the double-six set in the order the shuffle draws them from.
inline constexpr int kTileCount = 28;
constexpr std::array<TileCode, kTileCount> canonicalTiles() {
  std::array<TileCode, kTileCount> tiles;
  std::size_t n = 0;
  for (int low = 0; low <= 6; ++low) {
    for (int high = low; high <= 6; ++high) tiles[n++] = TileCode(low, high);
  }
  return tiles;
}
inline constexpr std::array<TileCode, kTileCount> kAllTiles = canonicalTiles();

// One bit per tile of the set, whichever way round it is held (bit n for the
// n-th tile of kAllTiles); none for no tile. For sets of tiles as bit masks.
namespace detail {
constexpr std::array<std::uint32_t, 64> tileBits() {
  std::array<std::uint32_t, 64> bits{};
  for (int n = 0; n < kTileCount; ++n) {
    const TileCode t = kAllTiles[n];
    bits[(t.first() + 1) * 8 + t.last() + 1] = std::uint32_t{1} << n;
    bits[(t.last() + 1) * 8 + t.first() + 1] = std::uint32_t{1} << n;
  }
  return bits;
}
inline constexpr std::array<std::uint32_t, 64> kTileBits = tileBits();
constexpr std::array<std::uint32_t, 7> tilesWithPip() {
  std::array<std::uint32_t, 7> masks{};
  for (int n = 0; n < kTileCount; ++n) {
    masks[kAllTiles[n].first()] |= std::uint32_t{1} << n;
    masks[kAllTiles[n].last()] |= std::uint32_t{1} << n;
  }
  return masks;
}
}  // namespace detail
constexpr std::uint32_t tileBit(TileCode t) {
  return detail::kTileBits[(t.first() + 1) * 8 + t.last() + 1];
}
// The bits set in v, without the library call std::popcount makes where the
// processor is not assumed to count bits itself.
constexpr int bitCount(std::uint32_t v) {
  v = v - ((v >> 1) & 0x55555555u);
  v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
  return static_cast<int>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}
static_assert(bitCount(0) == 0 && bitCount(0xFFFFFFFFu) == 32 && bitCount(0x10101u) == 3);

namespace detail {
// The place (0..7) of the n-th bit set (n from 0) in each byte value.
constexpr std::array<std::array<std::uint8_t, 8>, 256> nthInByte() {
  std::array<std::array<std::uint8_t, 8>, 256> places{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    int n = 0;
    for (std::uint8_t bit = 0; bit < 8; ++bit) {
      if (byte & (1u << bit)) places[byte][n++] = bit;
    }
  }
  return places;
}
inline constexpr auto kNthInByte = nthInByte();
}  // namespace detail

// The place of the n-th bit set in v (n from 1 to bitCount(v)), counting
// from bit 0, found with no loop: the byte holding it from the running
// counts of bits byte by byte, then the bit within that byte.
constexpr int nthSetBit(std::uint32_t v, int n) {
  std::uint32_t counts = v - ((v >> 1) & 0x55555555u);
  counts = (counts & 0x33333333u) + ((counts >> 2) & 0x33333333u);
  counts = (counts + (counts >> 4)) & 0x0F0F0F0Fu;
  // Byte i: the bits set in bytes 0..i (no more than 32, so no byte overflows).
  const std::uint32_t running = counts * 0x01010101u;
  // The high bit of each byte whose running count reaches n.
  const std::uint32_t reached =
      ((running | 0x80808080u) - static_cast<std::uint32_t>(n) * 0x01010101u) & 0x80808080u;
  const int byte = std::countr_zero(reached) >> 3;
  // The bits set in the bytes below it (the running counts moved up a byte).
  const int before = static_cast<int>(((running << 8) >> (8 * byte)) & 0xFFu);
  return 8 * byte + detail::kNthInByte[(v >> (8 * byte)) & 0xFFu][n - before - 1];
}
static_assert(nthSetBit(1u, 1) == 0 && nthSetBit(0x80000000u, 1) == 31 &&
              nthSetBit(0x0F0F0F0Fu, 5) == 8 && nthSetBit(0xFFFFFFFFu, 32) == 31 &&
              nthSetBit(0x00010100u, 2) == 16);

// The tiles showing pip p.
inline constexpr std::array<std::uint32_t, 7> kTilesWithPip = detail::tilesWithPip();
inline constexpr std::uint32_t kAllTileBits = (std::uint32_t{1} << kTileCount) - 1;

// A hand: slots 1..7 hold the tiles, packed at the front; slot 0 is unused and
// slot 8 stays empty so closing up slot 7 pulls in "no tile".
inline constexpr int kHandSlots = 7;
using Hand = std::array<TileCode, kHandSlots + 2>;

int tileCount(const Hand& hand);
int pipTotal(const Hand& hand);
int doubleCount(const Hand& hand);
// Closes the gap left at `slot`: every slot after it moves one slot down.
void closeUp(Hand& hand, int slot);
// The tile of slot `from` moves along the hand to slot `to`, the tiles between
// closing up. False, and nothing done, when either slot is out of the hand or empty.
bool moveAlongHand(Hand& hand, int from, int to);

}  // namespace tavolix
