#include "invariants.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tavolix {

namespace {

// One number per tile whichever way round it is held or drawn.
constexpr int tileId(TileCode t) {
  const int low = std::min(t.first(), t.last());
  const int high = std::max(t.first(), t.last());
  return low * 7 + high;
}

// The bit of each tile, looked up by its pips in the order held.
constexpr std::array<std::uint64_t, 49> bitsByPips() {
  std::array<std::uint64_t, 49> bits{};
  for (int first = 0; first <= 6; ++first) {
    for (int last = 0; last <= 6; ++last)
      bits[first * 7 + last] = std::uint64_t{1} << tileId(TileCode(first, last));
  }
  return bits;
}
constexpr std::array<std::uint64_t, 49> kBitByPips = bitsByPips();

constexpr std::uint64_t allTileBits() {
  std::uint64_t bits = 0;
  for (TileCode t : kAllTiles) bits |= std::uint64_t{1} << tileId(t);
  return bits;
}
constexpr std::uint64_t kAllTileBits = allTileBits();

std::string where(int seat, int slot) { return seatKey(seat) + " slot " + std::to_string(slot); }

}  // namespace

std::vector<std::string> checkInvariants(const GameState& state, const ChainGeometry& chain,
                                         const Settings& settings, bool dealing) {
  std::vector<std::string> problems;
  // One bit per tile: where it has been seen once, and where more than once.
  std::uint64_t once = 0;
  std::uint64_t again = 0;
  const auto see = [&](TileCode t) {
    const std::uint64_t bit = kBitByPips[t.first() * 7 + t.last()];
    again |= once & bit;
    once |= bit;
  };

  for (int seat = kJog; seat <= kMac3; ++seat) {
    const Hand& hand = state.hand(seat);
    if (!hand[0].empty() || !hand[kHandSlots + 1].empty())
      problems.push_back(seatKey(seat) + ": slot 0 or 8 holds a tile");
    bool gap = false;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand[slot].empty()) {
        gap = true;
      } else {
        if (gap && !dealing) problems.push_back(where(seat, slot) + ": hand not packed");
        see(hand[slot]);
      }
    }
  }

  if (state.QtdMesa < 0 || state.QtdMesa > kTileCount) {
    problems.push_back("QtdMesa out of range: " + std::to_string(state.QtdMesa));
    return problems;
  }
  for (int k = 1; k <= state.QtdMesa; ++k) {
    if (state.Mesa[k].empty()) {
      problems.push_back("Mesa[" + std::to_string(k) + "] is empty");
    } else {
      see(state.Mesa[k]);
    }
  }
  if (dealing) {
    for (int position = 1; position <= kTileCount; ++position) {
      if (!state.pileTaken(position)) see(state.Monte[position - 1]);
    }
  }
  if (once != kAllTileBits || again != 0) {
    for (TileCode t : kAllTiles) {
      const std::uint64_t bit = std::uint64_t{1} << tileId(t);
      if (!(once & bit)) problems.push_back("tile " + t.text() + " is nowhere");
      if (again & bit) problems.push_back("tile " + t.text() + " is in more than one place");
    }
    if (once & ~kAllTileBits) problems.push_back("a tile that is not in the set");
  }

  if (state.QtdMesa > 0) {
    if (state.QtdMesa != 1 + state.QtdLadoA + state.QtdLadoB) {
      problems.push_back("QtdMesa " + std::to_string(state.QtdMesa) + " != 1 + " +
                         std::to_string(state.QtdLadoA) + " + " + std::to_string(state.QtdLadoB));
    }
    // The ends shown are the outer pips of the last tile at each side.
    const auto outer = [&](int index, bool sideA, Direction dir) {
      const TileCode t = state.Mesa[index];
      if (index == 1) return sideA ? t.first() : t.last();
      return ChainLayout::outwardPip(t, dir);
    };
    if (chain.lastA < 1 || chain.lastA > state.QtdMesa || chain.lastB < 1 ||
        chain.lastB > state.QtdMesa) {
      problems.push_back("chain ends point outside the table");
    } else {
      if (outer(chain.lastA, true, chain.DirA) != state.PontaA)
        problems.push_back("end A does not match the chain");
      if (outer(chain.lastB, false, chain.DirB) != state.PontaB)
        problems.push_back("end B does not match the chain");
    }
  } else if (state.QtdLadoA != 0 || state.QtdLadoB != 0) {
    problems.push_back("tiles counted on a side of an empty table");
  }

  if (settings.pairs() &&
      (state.Pontos[0] != state.Pontos[2] || state.Pontos[1] != state.Pontos[3])) {
    problems.push_back("partners' scores differ");
  }
  return problems;
}

}  // namespace tavolix
