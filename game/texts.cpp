// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "texts.h"

#include <algorithm>

// Marks a text for Qt's translation tools (lupdate) without bringing Qt in.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace tavolix {

std::string render(const Text& text, const Translator& translate) {
  const std::string pattern = text.translated && translate ? translate(text.source) : text.source;
  if (text.args.empty()) return pattern;
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '%' && next >= '1' && next <= '9' &&
        static_cast<std::size_t>(next - '1') < text.args.size()) {
      out += render(text.args[next - '1'], translate);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace tavolix

namespace tavolix::texts {

namespace {

// Every source, in the order written below.
constexpr const char* kSources[] = {
    QT_TRANSLATE_NOOP("texts", "Escolha as suas peças"),
    QT_TRANSLATE_NOOP("texts", "Escolha a sua %1ª peça"),
    QT_TRANSLATE_NOOP("texts", "%1 pegou %2 buchas\r\n\r\nSerá feita uma nova distribuição"),
    QT_TRANSLATE_NOOP("texts", "Você deve jogar o %1:%2"),
    QT_TRANSLATE_NOOP("texts",
                      "Clique na pedra que quer jogar e arraste para a área verde, e então solte"),
    QT_TRANSLATE_NOOP("texts", "Clique em 'Passar a vez'"),
    QT_TRANSLATE_NOOP("texts", "Jogada inválida"),
    QT_TRANSLATE_NOOP("texts", "Você só pode fechar o jogo no natural"),
    QT_TRANSLATE_NOOP("texts", "%1 passou!"),
    QT_TRANSLATE_NOOP("texts", "É a sua vez: você começa esta mão"),
    QT_TRANSLATE_NOOP(
        "texts", "A pedra serve nas duas pontas: A (ou Home) para uma, B (ou End) para a outra"),
    QT_TRANSLATE_NOOP("texts", "Batida Simples"),
    QT_TRANSLATE_NOOP("texts", "Batida Lá e Lô"),
    QT_TRANSLATE_NOOP("texts", "Batida Carroção"),
    QT_TRANSLATE_NOOP("texts", "Batida Cruzada"),
    QT_TRANSLATE_NOOP("texts", "%1 e %2"),
    QT_TRANSLATE_NOOP("texts", "%1 bateu.\r\rVai ganhar %2 pts"),
    QT_TRANSLATE_NOOP("texts", "%1 bateu.\r\r%2   |   vai ganhar %3 pts"),
    QT_TRANSLATE_NOOP("texts", "%1 bateu.\r\rA dupla '%2'  vai ganhar %3 pts"),
    QT_TRANSLATE_NOOP("texts", "%1 bateu.  (%2)\r\rA dupla '%3'  vai ganhar %4 pts"),
    QT_TRANSLATE_NOOP("texts", "Houve empate na contegem de pontos"),
    QT_TRANSLATE_NOOP(
        "texts",
        "A dupla '%1' ganhou esta mão na contagem de pontos\r\n\r\nA dupla ganhará %2 pontos"),
    QT_TRANSLATE_NOOP("texts",
                      "%1 ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar %2 pontos"),
    QT_TRANSLATE_NOOP("texts",
                      "%1 ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 1(um) ponto"),
    QT_TRANSLATE_NOOP("texts", "Jogo fechado: empate"),
    QT_TRANSLATE_NOOP("texts", "Jogo fechado: menos pintas"),
    QT_TRANSLATE_NOOP("texts", "Bateu"),
    QT_TRANSLATE_NOOP("texts", "%1 pts"),
    QT_TRANSLATE_NOOP("texts", "O vencedor foi %1 com %2 pts"),
    QT_TRANSLATE_NOOP("texts", "Vitória de %1 com %2 pts"),
    QT_TRANSLATE_NOOP("texts", "%1. %2"),
    QT_TRANSLATE_NOOP("texts", "As pontas são %1 e %2"),
    QT_TRANSLATE_NOOP("texts", "Tecle P para passar a vez"),
    QT_TRANSLATE_NOOP("texts", "Nós %1 × %2 Eles"),
    QT_TRANSLATE_NOOP("texts", "abriu com %1:%2"),
    QT_TRANSLATE_NOOP("texts", "%1:%2 na ponta do %1"),
    QT_TRANSLATE_NOOP("texts", "passou: não tem %1 nem %2"),
    QT_TRANSLATE_NOOP("texts", "passou: não tem %1"),
    QT_TRANSLATE_NOOP("texts", "Dica: abra com o %1:%2"),
    QT_TRANSLATE_NOOP("texts", "Dica: jogue o %1:%2 na ponta do %1"),
    QT_TRANSLATE_NOOP("texts", "Dica: passe a vez"),
};

enum Source {
  kTakeYourTiles,
  kTakeTileNumber,
  kRedeal,
  kWrongOpening,
  kDragToTheTable,
  kClickPass,
  kIllegalMove,
  kCloseOnlyNatural,
  kPassed,
  kYourLead,
  kChooseEnd,
  kSimples,
  kLaELo,
  kCarrocao,
  kCruzada,
  kPair,
  kWentOut,
  kWentOutNamed,
  kPairWentOut,
  kPairWentOutNamed,
  kTie,
  kPairWonOnCount,
  kWonOnCountPips,
  kWonOnCountOnePoint,
  kBlockedTie,
  kBlockedWon,
  kWentOutPlain,
  kScore,
  kWinner,
  kPairWinner,
  kWithReason,
  kTheEndsAre,
  kPressPToPass,
  kPairScores,
  kOpenedWith,
  kLaidOnEnd,
  kPassedOnTwo,
  kPassedOnOne,
  kHintOpen,
  kHintLay,
  kHintPass,
  kSourceCount
};
static_assert(std::size(kSources) == kSourceCount);

Text text(Source source, std::vector<Text> args = {}) {
  return {kSources[source], std::move(args)};
}
Text value(const std::string& v) { return Text::value(v); }
Text value(int v) { return Text::value(std::to_string(v)); }

}  // namespace

Text takeYourTiles() { return text(kTakeYourTiles); }
Text takeTileNumber(int n) { return text(kTakeTileNumber, {value(n)}); }
Text redeal(const std::string& name, int doubles) {
  return text(kRedeal, {value(name), value(doubles)});
}
Text wrongOpeningTile(TileCode requerida) {
  return text(kWrongOpening, {value(requerida.first()), value(requerida.last())});
}
Text dragToTheTable() { return text(kDragToTheTable); }
Text clickPass() { return text(kClickPass); }
Text illegalMove() { return text(kIllegalMove); }
Text illegalMove(int endA, int endB) {
  return text(kWithReason, {illegalMove(), text(kTheEndsAre, {value(endA), value(endB)})});
}
Text pressPToPass() { return text(kPressPToPass); }
Text closeOnlyNatural() { return text(kCloseOnlyNatural); }
Text passed(const std::string& name) { return text(kPassed, {value(name)}); }
Text yourLead() { return text(kYourLead); }
Text chooseEnd() { return text(kChooseEnd); }

Text goingOutName(GoingOut kind) {
  switch (kind) {
    case GoingOut::Simples:
      return text(kSimples);
    case GoingOut::LaELo:
      return text(kLaELo);
    case GoingOut::Carrocao:
      return text(kCarrocao);
    case GoingOut::Cruzada:
      return text(kCruzada);
    case GoingOut::None:
      break;
  }
  return {};
}

Text pairName(const std::array<std::string, 4>& names, int seat) {
  const bool first = seat == 0 || seat == 2;
  return text(kPair, {value(names[first ? 0 : 1]), value(names[first ? 2 : 3])});
}

Text handEnded(const HandResult& r, const Settings& settings) {
  const std::array<std::string, 4>& names = settings.Nomes;
  if (r.ending == HandResult::Ending::WentOut) {
    // A plain going out, or any under the pip rule, is not named.
    const bool named = r.kind != GoingOut::None && r.kind != GoingOut::Simples;
    const Text name = value(names[r.winner]);
    if (!settings.pairs()) {
      return named ? text(kWentOutNamed, {name, goingOutName(r.kind), value(r.points)})
                   : text(kWentOut, {name, value(r.points)});
    }
    const Text pair = pairName(names, r.winner);
    return named ? text(kPairWentOutNamed, {name, goingOutName(r.kind), pair, value(r.points)})
                 : text(kPairWentOut, {name, pair, value(r.points)});
  }
  if (r.tied()) return text(kTie);
  if (settings.pairs()) return text(kPairWonOnCount, {pairName(names, r.winner), value(r.points)});
  return settings.pipRule() ? text(kWonOnCountPips, {value(names[r.winner]), value(r.points)})
                            : text(kWonOnCountOnePoint, {value(names[r.winner])});
}

Text handWinner(const HandResult& result, const std::array<std::string, 4>& names, bool pairs) {
  if (result.tied()) return {};
  return pairs ? pairName(names, result.winner) : value(names[result.winner]);
}

Text handHow(const HandResult& result, bool pipRule) {
  if (result.ending == HandResult::Ending::Blocked)
    return text(result.tied() ? kBlockedTie : kBlockedWon);
  if (pipRule || result.kind == GoingOut::None) return text(kWentOutPlain);
  return goingOutName(result.kind);
}

Text scoreText(int points) { return text(kScore, {value(points)}); }
Text pairScores(int ours, int theirs) { return text(kPairScores, {value(ours), value(theirs)}); }
Text openedWith(TileCode t) { return text(kOpenedWith, {value(t.first()), value(t.last())}); }
Text laidOnEnd(TileCode t, int end) {
  return text(kLaidOnEnd, {value(end), value(t.otherPip(end))});
}
Text hint(TileCode t, Lado side, int endA, int endB) {
  if (t.empty()) return text(kHintPass);
  if (side == Lado::First) return text(kHintOpen, {value(t.first()), value(t.last())});
  const int end = side == Lado::A ? endA : endB;
  return text(kHintLay, {value(end), value(t.otherPip(end))});
}
Text passedOn(int endA, int endB) {
  if (endA == endB) return text(kPassedOnOne, {value(endA)});
  return text(kPassedOnTwo, {value(std::min(endA, endB)), value(std::max(endA, endB))});
}

Text winnerLine(const std::array<std::string, 4>& names, int winner, int score, bool pairs) {
  if (!pairs) return text(kWinner, {value(names[winner]), value(score)});
  return text(kPairWinner, {pairName(names, winner), value(score)});
}

std::vector<std::string> allSources() { return {std::begin(kSources), std::end(kSources)}; }

}  // namespace tavolix::texts
