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
    sets.passedPips[seat] = passedOn(seat);
  }
  for (int k = 1; k <= QtdMesa && k <= kTileCount; ++k) sets.tableTiles |= tileBit(Mesa[k]);
  return sets;
}

unsigned GameState::passedOn(int seat) const {
  if (!isSeat(seat)) return 0;
  unsigned pips = 0;
  for (const char pip : NaoTem[static_cast<std::size_t>(seat)]) {
    if (pip >= '0' && pip <= '6') pips |= 1u << (pip - '0');
  }
  return pips;
}

void GameState::recount() {
  const Sets sets = countSets();
  heldTiles = sets.heldTiles;
  tableTiles = sets.tableTiles;
  passedPips = sets.passedPips;
}

}  // namespace tavolix
