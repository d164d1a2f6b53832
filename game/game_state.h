// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "seat.h"
#include "tile.h"

namespace tavolix {

// The open ends of the chain: side "A" grows to the left, side "B" to the right.
// The first tile of a hand opens both sides at once.
enum class Lado { First, A, B };

// One move of the hand in progress: a tile laid (as it was held) at an end, or a pass.
struct HandEvent {
  int seat = 0;
  bool passed = false;
  TileCode tile;
  Lado side = Lado::First;

  static HandEvent play(int seat, TileCode t, Lado side) { return {seat, false, t, side}; }
  static HandEvent pass(int seat) { return {seat, true, TileCode(), Lado::First}; }
  friend bool operator==(const HandEvent&, const HandEvent&) = default;
};

// Everything that describes the match in progress, the hand being played, the
// four hands, the face-down pile and the chain on the table. The game flow owns
// one of these; the window only reads it.
struct GameState {
  // --- the match -----------------------------------------------------------
  std::array<int, kSeatCount> Pontos{};  // partners carry the same score in pairs play
  // The seat that opens the current hand, or kHolderOfDoubleSix while that is unknown.
  int QuemInicia = kHolderOfDoubleSix;
  // From the start of a match (and a redeal) until a tile is laid: the opener must lay 6:6.
  bool PrimeiraRodada = true;
  bool JogoCancelado = false;  // the new game dialog was left without starting a match

  // --- the deal ------------------------------------------------------------
  Hand PedrasJog{};
  Hand PedrasMac1{};
  Hand PedrasMac2{};
  Hand PedrasMac3{};
  // Face-down pile position k (1..28) hides Monte[k - 1].
  std::array<TileCode, kTileCount> Monte{};
  // Pile positions (1..28) taken in this deal.
  std::bitset<kTileCount + 1> Pegas;
  // Ordem[1..4]: the seats in the order they take their tiles.
  std::array<int, kSeatCount + 1> Ordem{};
  int QtdEscolhidas = 0;  // tiles the player has taken from the pile so far

  // --- the hand on the table -----------------------------------------------
  // Mesa[1..QtdMesa]: the tiles laid, in order; from the second on, as drawn in the chain.
  std::array<TileCode, kTileCount + 1> Mesa{};
  int QtdMesa = 0;
  int QtdLadoA = 0;
  int QtdLadoB = 0;
  int PontaA = 6;
  int PontaB = 6;
  int Passes = 0;  // passes in a row since the last tile; 4 blocks the game
  // The end values each seat failed to match, as digits, two per pass.
  std::array<std::string, kSeatCount> NaoTem;
  // The last tile laid at a side: end A, end B (before the move), then the tile ("3535").
  std::string UltimaJogada;
  // True while the player may not pick up a tile.
  bool JogBloqueado = false;

  // --- the same tiles as sets, for quick questions -------------------------
  // Kept as tiles are taken, laid and passed on; recount() works them out
  // anew after the hands, the chain or the pass records were written directly.
  std::array<std::uint32_t, kSeatCount> heldTiles{};  // one bit per tile (tileBit) in each hand
  std::uint32_t tableTiles = 0;                       // one bit per tile in the chain
  std::array<unsigned, kSeatCount> passedPips{};      // NaoTem, one bit per pip

  Hand& hand(int seat) {
    return const_cast<Hand&>(static_cast<const GameState&>(*this).hand(seat));
  }
  const Hand& hand(int seat) const {
    // Looked up rather than switched on: whose hand it is changes at every turn.
    static constexpr Hand GameState::*kHands[kSeatCount] = {
        &GameState::PedrasJog, &GameState::PedrasMac1, &GameState::PedrasMac2,
        &GameState::PedrasMac3};
    return this->*kHands[isSeat(seat) ? seat : kJog];
  }

  bool pileTaken(int position) const {
    return position >= 1 && position <= kTileCount && Pegas[position];
  }
  void takePile(int position) { Pegas.set(position); }

  // A new match: scores cleared, the holder of 6:6 opens and must lay it.
  void startMatch();
  // A new hand: the chain and the pass records are cleared; scores and the opener stay.
  void startHand();
  // A new deal: every hand emptied, no pile position taken.
  void startDeal();
  // A hand thrown in for too many doubles: dealt again as a first hand.
  void redeal();
  // A tile went down: the pass run is broken and the opening obligation is met.
  void tileLaid();
  // `seat` could not match either end.
  void pass(int seat);
  // The sets above as worked out anew from the hands, the chain and NaoTem.
  struct Sets {
    std::array<std::uint32_t, kSeatCount> heldTiles{};
    std::uint32_t tableTiles = 0;
    std::array<unsigned, kSeatCount> passedPips{};
  };
  Sets countSets() const;
  // NaoTem[seat] as one bit per pip (anything but a pip digit left out).
  unsigned passedOn(int seat) const;
  // The sets above set to those.
  void recount();
};

}  // namespace tavolix
