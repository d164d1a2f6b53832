#include "texts.h"

namespace tavolix::texts {

namespace {
constexpr char kGoingOutBreak[] = "\r\r";
constexpr char kBreak[] = "\r\n\r\n";
}  // namespace

std::string takeYourTiles(bool ingles) {
  return ingles ? "select your first domino" : "Escolha as suas peças";
}

std::string takeTileNumber(int n, bool ingles) {
  return ingles ? "select your next domino" : "Escolha a sua " + std::to_string(n) + "ª peça";
}

std::string redeal(const std::string& name, int doubles) {
  return name + " pegou " + std::to_string(doubles) + " buchas" + kBreak +
         "Será feita uma nova distribuição";
}

std::string wrongOpeningTile(TileCode requerida, bool ingles) {
  if (ingles) return "Waiting for you to play double " + std::to_string(requerida.first());
  return "Você deve jogar o " + std::to_string(requerida.first()) + ":" +
         std::to_string(requerida.last());
}

std::string dragToTheTable(bool ingles) {
  return ingles ? "Click in domino and drag for the green area."
                : "Clique na pedra que quer jogar e arraste para a área verde, e então solte";
}

std::string yourLead(bool ingles) {
  return ingles ? "Your turn: you lead this hand." : "É a sua vez: você começa esta mão";
}

std::string chooseEnd(bool ingles) {
  return ingles ? "It fits both ends: A (or Home) for one, B (or End) for the other."
                : "A pedra serve nas duas pontas: A (ou Home) para uma, B (ou End) para a outra";
}

std::string clickPass() { return "Clique em 'Passar a vez'"; }

std::string illegalMove(bool ingles) { return ingles ? "Ilegal move!" : "Jogada inválida"; }

std::string closeOnlyNatural() { return "Você só pode fechar o jogo no natural"; }

std::string passed(const std::string& name, bool ingles) {
  return name + (ingles ? " cannot move!" : " passou!");
}

std::string goingOutName(GoingOut kind) {
  switch (kind) {
    case GoingOut::Simples:
      return "Batida Simples";
    case GoingOut::LaELo:
      return "Batida Lá e Lô";
    case GoingOut::Carrocao:
      return "Batida Carroção";
    case GoingOut::Cruzada:
      return "Batida Cruzada";
    case GoingOut::None:
      break;
  }
  return {};
}

std::string handWinner(const HandResult& result, const std::array<std::string, 4>& names,
                       bool pairs) {
  if (result.tied()) return {};
  return pairs ? pairName(names, result.winner) : names[result.winner];
}

std::string handHow(const HandResult& result, bool pipRule, bool ingles) {
  if (result.ending == HandResult::Ending::Blocked) {
    if (result.tied()) return ingles ? "Blocked: a tie" : "Jogo fechado: empate";
    return ingles ? "Blocked: fewest pips" : "Jogo fechado: menos pintas";
  }
  if (pipRule || result.kind == GoingOut::None) return ingles ? "Went out" : "Bateu";
  return goingOutName(result.kind);
}

std::string pairName(const std::array<std::string, 4>& names, int seat) {
  return seat == 0 || seat == 2 ? names[0] + " e " + names[2] : names[1] + " e " + names[3];
}

namespace {

std::string wentOut(const HandResult& r, const Settings& settings) {
  const std::array<std::string, 4>& names = settings.Nomes;
  const std::string p = std::to_string(r.points);
  const std::string& name = names[r.winner];
  // A plain going out, or any under the pip rule, is not named.
  const bool named = r.kind != GoingOut::None && r.kind != GoingOut::Simples;
  if (!settings.pairs()) {
    if (!named) return name + " bateu." + kGoingOutBreak + "Vai ganhar " + p + " pts";
    return name + " bateu." + kGoingOutBreak + goingOutName(r.kind) + "   |   vai ganhar " + p +
           " pts";
  }
  const std::string pair = "A dupla '" + pairName(names, r.winner) + "'  vai ganhar " + p + " pts";
  if (!named) return name + " bateu." + kGoingOutBreak + pair;
  return name + " bateu.  (" + goingOutName(r.kind) + ")" + kGoingOutBreak + pair;
}

std::string wonOnCount(const HandResult& r, const Settings& settings) {
  const std::array<std::string, 4>& names = settings.Nomes;
  if (r.tied()) return "Houve empate na contegem de pontos";
  if (settings.pairs()) {
    return "A dupla '" + names[r.winner] + " e " + names[partnerOf(r.winner)] +
           "' ganhou esta mão na contagem de pontos" + kBreak + "A dupla ganhará " +
           std::to_string(r.points) + " pontos";
  }
  return names[r.winner] + " ganhou esta mão na contagem de pontos" + kBreak +
         (settings.pipRule() ? "Vai ganhar " + std::to_string(r.points) + " pontos"
                             : std::string("Vai ganhar 1(um) ponto"));
}

}  // namespace

std::string handEnded(const HandResult& result, const Settings& settings) {
  return result.ending == HandResult::Ending::WentOut ? wentOut(result, settings)
                                                      : wonOnCount(result, settings);
}

std::string scoreText(int points) { return std::to_string(points) + " pts"; }

std::string winnerLine(const std::array<std::string, 4>& names, int winner, int score, bool pairs) {
  if (!pairs) return "O vencedor foi " + names[winner] + " com " + std::to_string(score) + " pts";
  return "Vitória de " + pairName(names, winner) + " com " + std::to_string(score) + " pts";
}

}  // namespace tavolix::texts
