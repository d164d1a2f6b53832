#include <gtest/gtest.h>

#include "game/scoring.h"
#include "game/texts.h"

namespace tavolix {
namespace {

TileCode tile(std::string_view text) { return *TileCode::fromText(text); }

struct GoingOut {
  int endA, endB;
  const char* tile;
  int points;
  const char* kind;
};

TEST(GoingOut, PointsAndKindFromTheLastMove) {
  const GoingOut cases[] = {
      {5, 5, "55", 4, "Batida Cruzada"},   // both ends showed the double's pip
      {2, 5, "55", 2, "Batida Carroção"},  // a double on one end
      {3, 5, "35", 2, "Batida Lá e Lô"},   // one tile matching both different ends
      {5, 3, "53", 2, "Batida Lá e Lô"},
      {5, 5, "53", 1, "Batida Simples"},   // equal ends: not two different ends
      {3, 4, "46", 1, "Batida Simples"},
      {0, 6, "60", 2, "Batida Lá e Lô"},
  };
  for (const GoingOut& c : cases) {
    const std::string record = lastMoveRecord(c.endA, c.endB, tile(c.tile));
    EXPECT_EQ(CalculaPontos(record), c.points) << record;
    EXPECT_EQ(texts::goingOutKind(c.points, tile(c.tile)), c.kind) << record;
  }
  EXPECT_EQ(lastMoveRecord(3, 5, tile("35")), "3535");
  EXPECT_EQ(lastMoveRecord(2, 5, tile("35")), "2535");
}

TEST(GoingOut, MessagesIndividualAndPairs) {
  const std::array<std::string, 4> names{"Ana", "Zorvan", "Melira", "Astelo"};
  EXPECT_EQ(texts::wentOut(names, 1, false, "Batida Simples", 1), "Zorvan bateu.\r\rVai ganhar 1 pts");
  EXPECT_EQ(texts::wentOut(names, 1, false, "Batida Cruzada", 4),
            "Zorvan bateu.\r\rBatida Cruzada   |   vai ganhar 4 pts");
  EXPECT_EQ(texts::wentOut(names, 2, true, "Batida Simples", 1),
            "Melira bateu.\r\rA dupla 'Ana e Melira'  vai ganhar 1 pts");
  EXPECT_EQ(texts::wentOut(names, 3, true, "Batida Lá e Lô", 2),
            "Astelo bateu.  (Batida Lá e Lô)\r\rA dupla 'Zorvan e Astelo'  vai ganhar 2 pts");
  // Under the pip rule no kind is named.
  EXPECT_EQ(texts::wentOut(names, 0, false, "", 31), "Ana bateu.\r\rVai ganhar 31 pts");
  EXPECT_EQ(texts::wentOut(names, 1, true, "", 20), "Zorvan bateu.\r\rA dupla 'Zorvan e Astelo'  vai ganhar 20 pts");
}

TEST(BlockedCount, TotalsAndTheLowest) {
  GameState state;
  state.PedrasJog[1] = tile("66");
  state.PedrasJog[2] = tile("01");
  state.PedrasMac2[1] = tile("25");
  state.PedrasMac3[1] = tile("00");
  EXPECT_EQ(pipTotals(state), (std::array<int, 4>{13, 0, 7, 0}));
  EXPECT_EQ(TotalPintas(state, true, false, true, false), 20);  // what Mac1 and Mac3 win by going out
  EXPECT_EQ(TotalPintas(state, true, true, true, true), 20);
  EXPECT_EQ(lowestTotals({5, 9, 5, 12}), (std::array<bool, 4>{true, false, true, false}));
  EXPECT_EQ(lowestTotals({3, 9, 10, 12}), (std::array<bool, 4>{true, false, false, false}));
  EXPECT_EQ(lowestTotals({7, 0, 7, 0}), (std::array<bool, 4>{false, true, false, true}));
}

TEST(BlockedCount, Messages) {
  const std::array<std::string, 4> names{"Ana", "Zorvan", "Melira", "Astelo"};
  EXPECT_EQ(texts::wonOnCount("Ana", 1, false),
            "Ana ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 1(um) ponto");
  EXPECT_EQ(texts::wonOnCount("Ana", 31, true),
            "Ana ganhou esta mão na contagem de pontos\r\n\r\nVai ganhar 31 pontos");
  EXPECT_EQ(texts::pairWonOnCount(names, 0, 1),
            "A dupla 'Ana e Melira' ganhou esta mão na contagem de pontos\r\n\r\nA dupla ganhará 1 pontos");
  EXPECT_EQ(texts::countTied(), "Houve empate na contegem de pontos");
}

TEST(Texts, TheTableSaysWhatItAlwaysSaid) {
  EXPECT_EQ(texts::takeYourTiles(false), "Escolha as suas peças");
  EXPECT_EQ(texts::takeYourTiles(true), "select your first domino");
  EXPECT_EQ(texts::takeTileNumber(3, false), "Escolha a sua 3ª peça");
  EXPECT_EQ(texts::redeal("Zorvan", 5), "Zorvan pegou 5 buchas\r\n\r\nSerá feita uma nova distribuição");
  EXPECT_EQ(texts::wrongOpeningTile(tile("66"), false), "Você deve jogar o 6:6");
  EXPECT_EQ(texts::wrongOpeningTile(tile("66"), true), "Waiting for you to play double 6");
  EXPECT_EQ(texts::illegalMove(false), "Jogada inválida");
  EXPECT_EQ(texts::illegalMove(true), "Ilegal move!");
  EXPECT_EQ(texts::passed("Melira", false), "Melira passou!");
  EXPECT_EQ(texts::passed("Melira", true), "Melira cannot move!");
  EXPECT_EQ(texts::scoreText(12), "12 pts");
  const std::array<std::string, 4> names{"Ana", "Zorvan", "Melira", "Astelo"};
  EXPECT_EQ(texts::winnerLine(names, 1, 10, false), "O vencedor foi Zorvan com 10 pts");
  EXPECT_EQ(texts::winnerLine(names, 2, 4, true), "Vitória de Ana e Melira com 4 pts");
}

}  // namespace
}  // namespace tavolix
