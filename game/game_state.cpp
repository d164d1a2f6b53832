// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "game_state.h"

namespace tavolix {

void GameState::startMatch() {
  Pontos.fill(0);
  QuemInicia = kHolderOfDoubleSix;
  PrimeiraRodada = true;
}

void GameState::startHand() {
  for (std::string& record : NaoTem) record.clear();
  passedPips.fill(0);
  tableTiles = 0;
  PontaA = 6;
  PontaB = 6;
  QtdLadoA = 0;
  QtdLadoB = 0;
  QtdMesa = 0;
  Mesa.fill(TileCode());
  UltimaJogada.clear();
}

void GameState::startDeal() {
  Pegas.reset();
  for (int seat = kJog; seat <= kMac3; ++seat) hand(seat).fill(TileCode());
  heldTiles.fill(0);
  QtdEscolhidas = 0;
}

void GameState::redeal() {
  QuemInicia = kHolderOfDoubleSix;
  PrimeiraRodada = true;
}

void GameState::tileLaid() {
  Passes = 0;
  PrimeiraRodada = false;
}

void GameState::pass(int seat) {
  if (!isSeat(seat)) return;
  ++Passes;
  NaoTem[seat] += static_cast<char>('0' + PontaA);
  NaoTem[seat] += static_cast<char>('0' + PontaB);
  passedPips[seat] |= (1u << PontaA) | (1u << PontaB);
}

GameState::Sets GameState::countSets() const {
  Sets sets;
  for (int seat = kJog; seat <= kMac3; ++seat) {
    for (const TileCode t : hand(seat)) sets.heldTiles[seat] |= tileBit(t);
    for (const char pip : NaoTem[seat]) {
      if (pip >= '0' && pip <= '6') sets.passedPips[seat] |= 1u << (pip - '0');
    }
  }
  for (int k = 1; k <= QtdMesa && k <= kTileCount; ++k) sets.tableTiles |= tileBit(Mesa[k]);
  return sets;
}

void GameState::recount() {
  const Sets sets = countSets();
  heldTiles = sets.heldTiles;
  tableTiles = sets.tableTiles;
  passedPips = sets.passedPips;
}

}  // namespace tavolix
