// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "autoplay.h"

namespace tavolix {

bool Autoplayer::act() {
  const GameState& state = match_.state();
  switch (match_.awaiting()) {
    case Match::Awaiting::PileTile: {
      // Any face-down tile still on the table, all equally likely: the n-th
      // of the positions (1..28, one bit each) not yet taken.
      const std::uint32_t left = ~static_cast<std::uint32_t>(state.Pegas.to_ulong()) &
                                 (((std::uint32_t{1} << kTileCount) - 1) << 1);
      const int n = random_.draw(bitCount(left));
      match_.takePileTile(left != 0 ? nthSetBit(left, n) : 0);
      return true;
    }
    case Match::Awaiting::Move: {
      if (match_.passOffered()) {
        match_.passTurn();
        return true;
      }
      // Now and then the player turns a tile round in his hand first.
      if (random_.Chance(25)) match_.flipTile(random_.draw(bitCount(state.heldTiles[kJog])));
      const Move move = chooseMove();
      const auto [top, left] = dropPoint(move.side);
      match_.drop(move.slot, top, left, false);
      return true;
    }
    case Match::Awaiting::Nothing:
    case Match::Awaiting::Finished:
      return false;
  }
  return false;
}

Move Autoplayer::chooseMove() {
  const GameState& state = match_.state();
  if (level_ != nullptr) {
    const SeatAnswer answer =
        level_->think(state, match_.settings(), kJog, match_.handEvents(), random_.bits());
    if (answer.kind == SeatAnswer::Kind::Play) return Move{answer.slot, answer.side};
  }
  const Outlook outlook(state, match_.settings(), kJog);
  if (state.QuemInicia == kJog && state.QtdMesa == 0)
    return Move{outlook.chooseOpeningSlot().value_or(1), Lado::First};
  if (const auto best = outlook.chooseMove()) return *best;
  // Nothing scores, yet a tile fits: the player may not pass, so he lays the first that fits.
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (state.PedrasJog[slot].holds(state.PontaA)) return Move{slot, Lado::A};
    if (state.PedrasJog[slot].holds(state.PontaB)) return Move{slot, Lado::B};
  }
  return Move{1, Lado::A};
}

std::pair<double, double> Autoplayer::dropPoint(Lado side) const {
  const ChainGeometry& chain = match_.chain();
  if (side == Lado::B) return {chain.TopoB, chain.EsqB};
  if (side == Lado::A) return {chain.TopoA, chain.EsqA};
  return {geometry::kFirstTile.top, geometry::kFirstTile.left};
}

}  // namespace tavolix
