#include "texts.h"

namespace tavolix::texts {

namespace {
constexpr char kGoingOutBreak[] = "\r\r";
constexpr char kBreak[] = "\r\n\r\n";
}  // namespace

std::string takeYourTiles(bool ingles) { return ingles ? "select your first domino" : "Escolha as suas peças"; }

std::string takeTileNumber(int n, bool ingles) {
  return ingles ? "select your next domino" : "Escolha a sua " + std::to_string(n) + "ª peça";
}

std::string redeal(const std::string& name, int doubles) {
  return name + " pegou " + std::to_string(doubles) + " buchas" + kBreak + "Será feita uma nova distribuição";
}

std::string wrongOpeningTile(TileCode requerida, bool ingles) {
  if (ingles) return "Waiting for you to play double " + std::to_string(requerida.first());
  return "Você deve jogar o " + std::to_string(requerida.first()) + ":" + std::to_string(requerida.last());
}

std::string dragToTheTable(bool ingles) {
  return ingles ? "Click in domino and drag for the green area."
                : "Clique na pedra que quer jogar e arraste para a área verde, e então solte";
}

std::string clickPass() { return "Clique em 'Passar a vez'"; }

std::string illegalMove(bool ingles) { return ingles ? "Ilegal move!" : "Jogada inválida"; }

std::string closeOnlyNatural() { return "Você só pode fechar o jogo no natural"; }

std::string passed(const std::string& name, bool ingles) { return name + (ingles ? " cannot move!" : " passou!"); }

std::string goingOutKind(int points, TileCode lastTile) {
  switch (points) {
    case 1: return "Batida Simples";
    case 2: return lastTile.isDouble() ? "Batida Carroção" : "Batida Lá e Lô";
    case 4: return "Batida Cruzada";
    default: return {};
  }
}

std::string pairName(const std::array<std::string, 4>& names, int seat) {
  return seat == 0 || seat == 2 ? names[0] + " e " + names[2] : names[1] + " e " + names[3];
}

std::string wentOut(const std::array<std::string, 4>& names, int seat, bool pairs, const std::string& kind,
                    int points) {
  const std::string p = std::to_string(points);
  const bool simple = kind.empty() || kind == "Batida Simples";
  if (!pairs) {
    if (simple) return names[seat] + " bateu." + kGoingOutBreak + "Vai ganhar " + p + " pts";
    return names[seat] + " bateu." + kGoingOutBreak + kind + "   |   vai ganhar " + p + " pts";
  }
  const std::string pair = "A dupla '" + pairName(names, seat) + "'  vai ganhar " + p + " pts";
  if (simple) return names[seat] + " bateu." + kGoingOutBreak + pair;
  return names[seat] + " bateu.  (" + kind + ")" + kGoingOutBreak + pair;
}

std::string wonOnCount(const std::string& name, int points, bool pipRule) {
  return name + " ganhou esta mão na contagem de pontos" + kBreak +
         (pipRule ? "Vai ganhar " + std::to_string(points) + " pontos" : std::string("Vai ganhar 1(um) ponto"));
}

std::string pairWonOnCount(const std::array<std::string, 4>& names, int firstSeat, int points) {
  return "A dupla '" + names[firstSeat] + " e " + names[firstSeat + 2] + "' ganhou esta mão na contagem de pontos" +
         kBreak + "A dupla ganhará " + std::to_string(points) + " pontos";
}

std::string countTied() { return "Houve empate na contegem de pontos"; }

std::string scoreText(int points) { return std::to_string(points) + " pts"; }

std::string winnerLine(const std::array<std::string, 4>& names, int winner, int score, bool pairs) {
  if (!pairs) return "O vencedor foi " + names[winner] + " com " + std::to_string(score) + " pts";
  return "Vitória de " + pairName(names, winner) + " com " + std::to_string(score) + " pts";
}

}  // namespace tavolix::texts
