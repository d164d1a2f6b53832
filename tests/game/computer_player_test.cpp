#include <gtest/gtest.h>

#include "game/computer_player.h"

namespace tavolix {
namespace {

TileCode tile(std::string_view text) { return *TileCode::fromText(text); }

// A position for seat 1 (Mac1) to move in; clockwise, so seat 2 plays next.
struct Position {
  GameState state;
  Settings settings;

  Position(std::initializer_list<std::string_view> hand, int endA, int endB,
           std::initializer_list<std::string_view> table = {}) {
    int slot = 1;
    for (std::string_view t : hand) state.PedrasMac1[slot++] = tile(t);
    state.PontaA = endA;
    state.PontaB = endB;
    for (std::string_view t : table) state.Mesa[++state.QtdMesa] = tile(t);
    // The rest of the table does not matter to the choice; count it on side A.
    state.QtdLadoA = std::max(0, state.QtdMesa - 1);
  }
  int score(int slot, Lado side) const { return Retorno(state, settings, kMac1, slot, side); }
  std::optional<Move> choice() const { return chooseMove(state, settings, kMac1); }
};

TEST(ComputerChoice, ATileThatFitsNeitherEndScoresNothing) {
  const Position p({"12", "00"}, 3, 5);
  EXPECT_EQ(p.score(1, Lado::A), 0);
  EXPECT_EQ(p.score(2, Lado::B), 0);
  EXPECT_EQ(p.choice(), std::nullopt);  // the seat passes
}

TEST(ComputerChoice, ACrosswiseTileComesLast) {
  // "35" on ends 3 and 5 would leave both ends equal: 1, below any other playable tile.
  const Position p({"35", "36", "01"}, 3, 5);
  EXPECT_EQ(p.score(1, Lado::A), 1);
  EXPECT_EQ(p.score(1, Lado::B), 1);
  EXPECT_EQ(p.score(2, Lado::A), TereiPintas(p.state, kMac1, 2) + 2);
  EXPECT_GT(p.score(2, Lado::A), 1);
  EXPECT_EQ(p.choice(), (Move{2, Lado::A}));
}

TEST(ComputerChoice, ClosingOnlyNoNatural) {
  // Six tiles with a 5 on the table, fewer than six with a 3.
  Position p({"35", "00"}, 3, 5, {"55", "05", "15", "25", "45", "56", "13"});
  EXPECT_TRUE(VaiFecharNaoNatural(p.state, tile("35"), Lado::A));
  EXPECT_FALSE(VaiFecharNaoNatural(p.state, tile("35"), Lado::B));
  EXPECT_EQ(p.score(1, Lado::A), 0);
  EXPECT_EQ(p.score(1, Lado::B), 1);
  // With closing allowed anywhere, or as the seat's last tile, both sides score 1.
  p.settings.FecharSoNoNatural = false;
  EXPECT_EQ(p.score(1, Lado::A), 1);
  p.settings.FecharSoNoNatural = true;
  p.state.PedrasMac1[2] = TileCode();
  EXPECT_EQ(p.score(1, Lado::A), 1);
  EXPECT_EQ(p.score(1, Lado::B), 1);
}

TEST(ComputerChoice, MakingTheNextSeatPassComesFirst) {
  // Seat 2 has passed on 4 and 6: after "26" at B the ends are 4 and 6.
  Position p({"26", "66", "12"}, 4, 2);
  p.state.NaoTem[kMac2] = "46";
  EXPECT_EQ(OProximoNaoTem(p.state, p.settings, kMac1, tile("26"), Lado::B), 2);
  EXPECT_EQ(p.score(1, Lado::B), 15);
  EXPECT_EQ(p.score(3, Lado::B), 12);  // "12" leaves 4 and 1: one end it lacks
  EXPECT_EQ(p.choice(), (Move{1, Lado::B}));
  // Anticlockwise the next seat is Jog, who has shown nothing.
  p.settings.SentidoHorario = false;
  EXPECT_EQ(OProximoNaoTem(p.state, p.settings, kMac1, tile("26"), Lado::B), 0);
  EXPECT_EQ(p.score(1, Lado::B), TereiPintas(p.state, kMac1, 1) + 2);
}

TEST(ComputerChoice, ACrosswiseTileScoresOneEvenWhenTheNextSeatWouldPass) {
  Position p({"35", "01"}, 3, 5);
  p.state.NaoTem[kMac2] = "35";
  EXPECT_EQ(p.score(1, Lado::A), 1);
}

TEST(ComputerChoice, LeavingAnEndNobodyCanMatch) {
  // Both ends 4, six tiles with a 4 on the table: "45" is the seventh.
  const Position p({"45", "01"}, 4, 4, {"44", "04", "14", "24", "34", "46"});
  EXPECT_TRUE(VaideixarPonta(p.state, kMac1, tile("45"), Lado::A));
  EXPECT_EQ(p.score(1, Lado::A), 14);
  EXPECT_EQ(p.score(1, Lado::B), 14);
}

TEST(ComputerChoice, VarietyThenDoubles) {
  // Without "13" the hand still covers 0, 1, 2, 3, 5, 6: 6 + 2 = 8.
  const Position p({"13", "33", "02", "56", "11"}, 3, 6);
  EXPECT_EQ(TereiPintas(p.state, kMac1, 1), 6);
  EXPECT_EQ(p.score(1, Lado::A), 8);
  // Without "56": 0, 1, 2, 3 only.
  EXPECT_EQ(p.score(4, Lado::B), 6);
  EXPECT_EQ(p.score(2, Lado::A), 10);  // a double goes before any plain tile
  EXPECT_EQ(TereiPintas(p.state, kMac1, 2), 7);  // six pips covered, +1 for giving up a double
  EXPECT_EQ(p.choice(), (Move{2, Lado::A}));
}

TEST(ComputerChoice, TiesGoToTheSideTriedFirstThenTheLowerSlot) {
  // Side "B" is tried first while side "A" is not shorter.
  Position p({"14", "24"}, 4, 4);
  EXPECT_EQ(firstSideToTry(p.state), Lado::B);
  EXPECT_EQ(p.score(1, Lado::A), p.score(1, Lado::B));
  EXPECT_EQ(p.choice(), (Move{1, Lado::B}));
  p.state.QtdLadoB = 3;
  EXPECT_EQ(firstSideToTry(p.state), Lado::A);
  EXPECT_EQ(p.choice(), (Move{1, Lado::A}));
}

TEST(ComputerChoice, TheClosingRuleSendsACrosswiseTileToTheOtherSide) {
  // Side "B" is tried first, but there "35" would close the game other than "no natural".
  Position p({"35", "00"}, 5, 3, {"55", "05", "15", "25", "45", "56"});
  EXPECT_EQ(p.score(1, Lado::B), 0);
  EXPECT_EQ(p.score(1, Lado::A), 1);
  EXPECT_EQ(p.choice(), (Move{1, Lado::A}));
}

TEST(ComputerChoice, OpeningTile) {
  Position p({"01", "66", "23", "45", "12", "34", "56"}, 6, 6);
  p.state.PrimeiraRodada = true;
  EXPECT_EQ(chooseOpeningSlot(p.state, p.settings, kMac1), 2);
  p.state.PrimeiraRodada = false;
  p.settings.TipoInicio = 2;
  EXPECT_EQ(chooseOpeningSlot(p.state, p.settings, kMac1), 2);
  // Free opening: the tile whose loss keeps the most pips covered; the double
  // gets its extra point, and the first slot wins a tie.
  p.settings.TipoInicio = 1;
  EXPECT_EQ(chooseOpeningSlot(p.state, p.settings, kMac1), 2);
  Position ties({"01", "23", "45", "16", "02", "13", "46"}, 6, 6);  // every tile leaves all 7 pips
  ties.state.PrimeiraRodada = false;
  EXPECT_EQ(chooseOpeningSlot(ties.state, ties.settings, kMac1), 1);
  p.state.PedrasMac1[2] = tile("16");
  // Must open with 6:6 but lacks it: no opening tile.
  p.settings.TipoInicio = 2;
  EXPECT_EQ(chooseOpeningSlot(p.state, p.settings, kMac1), std::nullopt);
}

}  // namespace
}  // namespace tavolix
