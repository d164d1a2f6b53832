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
}

}  // namespace tavolix
