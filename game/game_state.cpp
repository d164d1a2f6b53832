#include "game_state.h"

#include <algorithm>

namespace tavolix {

Hand& GameState::hand(int seat) {
  return const_cast<Hand&>(static_cast<const GameState&>(*this).hand(seat));
}

const Hand& GameState::hand(int seat) const {
  switch (seat) {
    case kMac1: return PedrasMac1;
    case kMac2: return PedrasMac2;
    case kMac3: return PedrasMac3;
    default: return PedrasJog;
  }
}

bool GameState::pileTaken(int position) const {
  return std::find(Pegas.begin(), Pegas.end(), position) != Pegas.end();
}

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
  Pegas.clear();
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

void GameState::pass(int quem) {
  if (!isSeat(quem)) return;
  ++Passes;
  NaoTem[quem] += static_cast<char>('0' + PontaA);
  NaoTem[quem] += static_cast<char>('0' + PontaB);
}

}  // namespace tavolix
