// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// How a computer seat scores its tiles and chooses its move.
#include <gtest/gtest.h>

#include "game/autoplay.h"
#include "game/computer_player.h"
#include "support/game_printers.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// Mac1 to move on ends a and b, with the tiles of `table` laid.
struct Position {
  GameState state;
  Settings settings;

  Position(std::initializer_list<std::string_view> hand, int endA, int endB,
           std::initializer_list<std::string_view> table = {}) {
    state.PedrasMac1 = handOf(hand);
    state.PontaA = endA;
    state.PontaB = endB;
    for (std::string_view t : table) state.Mesa[++state.QtdMesa] = tile(t);
    state.QtdLadoA = std::max(0, state.QtdMesa - 1);  // side A is the longer
    state.PrimeiraRodada = false;
  }
  // The state as the game keeps it: its tile sets counted from the lists.
  GameState now() const {
    GameState counted = state;
    counted.recount();
    return counted;
  }
  Outlook outlook() const { return Outlook(now(), settings, kMac1); }
  int score(int slot, Lado side) const { return outlook().Retorno(slot, side); }
  std::optional<Move> choice() const { return outlook().chooseMove(); }
};

TEST(ComputerChoice, ATileThatFitsNoEndScoresNothingAndTheSeatPasses) {
  const Position p({"12", "00"}, 3, 5);
  EXPECT_EQ(p.score(1, Lado::A), 0);
  EXPECT_EQ(p.choice(), std::nullopt);
  ComputerSeat seat;
  EXPECT_EQ(seat.turn(p.now(), p.settings, kMac1), SeatAnswer::pass());
}

TEST(ComputerChoice, ACrosswiseTileComesLastAndClosesOnlyNoNatural) {
  // "35" on ends 3 and 5 would leave both ends equal: 1, below any other playable tile.
  Position p({"35", "36", "01"}, 3, 5);
  EXPECT_EQ(p.score(1, Lado::A), 1);
  EXPECT_EQ(p.score(2, Lado::A), 4 + 2);  // without 3:6 the hand still covers 0, 1, 3, 5
  EXPECT_EQ(p.choice(), (Move{2, Lado::A}));
  // Six tiles with a 5 on the table, fewer with a 3: at side A it would close the game.
  Position closing({"35", "00"}, 3, 5, {"55", "05", "15", "25", "45", "56", "13"});
  EXPECT_EQ(closing.score(1, Lado::A), 0);
  EXPECT_EQ(closing.score(1, Lado::B), 1);
  EXPECT_TRUE(VaiFecharNaoNatural(closing.now(), Lado::A));
  closing.settings.FecharSoNoNatural = false;
  EXPECT_EQ(closing.score(1, Lado::A), 1);
  closing.settings.FecharSoNoNatural = true;
  closing.state.PedrasMac1[2] = TileCode();  // as the last tile it may close anywhere
  EXPECT_EQ(closing.score(1, Lado::A), 1);
}

TEST(ComputerChoice, MakingTheNextSeatPassComesFirstWhicheverWayTurnsGo) {
  // Ends 4 and 2; "26" at B leaves 4 and 6.
  Position p({"26", "66", "12"}, 4, 2);
  p.state.NaoTem[kMac2] = "46";  // clockwise, Mac2 plays next and lacks both
  EXPECT_EQ(p.score(1, Lado::B), 15);
  EXPECT_EQ(p.score(3, Lado::B), 12);  // "12" leaves 4 and 1: one end it lacks
  EXPECT_EQ(p.choice(), (Move{1, Lado::B}));
  // Anticlockwise the player plays next: what Mac2 showed no longer counts, his passes do.
  p.settings.SentidoHorario = false;
  EXPECT_EQ(p.outlook().OProximoNaoTem(tile("26"), Lado::B), 0);
  EXPECT_LT(p.score(1, Lado::B), 12);
  p.state.NaoTem[kJog] = "66";
  EXPECT_EQ(p.outlook().OProximoNaoTem(tile("26"), Lado::B), 1);
  EXPECT_EQ(p.score(1, Lado::B), 12);
  // A crosswise tile scores 1 even when the next seat would pass.
  Position crosswise({"35", "01"}, 3, 5);
  crosswise.state.NaoTem[kMac2] = "35";
  EXPECT_EQ(crosswise.score(1, Lado::A), 1);
}

// Closing other than "no natural": the other end's pip is then out six times
// and the end played on shows a pip out fewer than six times.
TEST(ComputerChoice, ClosingOtherThanNaturalCountsTheTilesOfBothEnds) {
  // "35" laid crosswise on ends 3 (A) and 5 (B).
  const auto closes = [](std::initializer_list<std::string_view> table, Lado side) {
    return VaiFecharNaoNatural(Position({"35", "00"}, 3, 5, table).now(), side);
  };
  // Five tiles with a 5 out: nothing closes.
  EXPECT_FALSE(closes({"55", "05", "15", "25", "45", "13"}, Lado::A));
  // The sixth: laid at A it closes, 3 being out once.
  EXPECT_TRUE(closes({"55", "05", "15", "25", "45", "56", "13"}, Lado::A));
  // Five with a 3 out: still other than natural; six, natural.
  EXPECT_TRUE(closes({"55", "05", "15", "25", "45", "56", "03", "13", "23", "33", "34"}, Lado::A));
  EXPECT_FALSE(
      closes({"55", "05", "15", "25", "45", "56", "03", "13", "23", "33", "34", "36"}, Lado::A));
  // At B it is the 3s that count first.
  EXPECT_FALSE(closes({"55", "05", "15", "25", "45", "56", "13"}, Lado::B));
  EXPECT_TRUE(closes({"03", "13", "23", "33", "34", "36", "15"}, Lado::B));
}

// An end nobody else can match is worth more than keeping the hand varied:
// "35" leaves a 5 at end A with every 5 seen, "31" keeps more pips covered.
TEST(ComputerChoice, LeavingAnEndNobodyCanMatch) {
  const Position p({"31", "35", "06"}, 3, 2, {"05", "15", "25", "45", "55", "56"});
  EXPECT_EQ(p.choice(), (Move{2, Lado::A}));
  // With one 5 unseen the hand's variety decides, and the lower slot wins the tie.
  const Position unseen({"31", "35", "06"}, 3, 2, {"05", "15", "25", "45", "55"});
  EXPECT_EQ(unseen.choice(), (Move{1, Lado::A}));
  // Both ends 4, six 4s out: the seventh leaves an end nobody can match, at either side.
  const Position both({"45", "01"}, 4, 4, {"44", "04", "14", "24", "34", "46"});
  EXPECT_EQ(both.score(1, Lado::A), both.score(1, Lado::B));
  EXPECT_GT(both.score(1, Lado::A), 12);  // above "the next seat passes on one end"
}

TEST(ComputerChoice, VarietyThenDoublesThenTheSideTriedFirst) {
  // Without "13" the hand still covers 0, 1, 2, 3, 5, 6: 6 + 2 = 8.
  const Position p({"13", "33", "02", "56", "11"}, 3, 6);
  EXPECT_EQ(p.score(1, Lado::A), 8);
  EXPECT_EQ(p.score(4, Lado::B), 6);         // without "56": 0, 1, 2, 3
  EXPECT_EQ(p.score(2, Lado::A), 10);        // a double goes before any plain tile
  EXPECT_EQ(p.outlook().TereiPintas(2), 7);  // six pips left, +1 for giving up a double
  // The fewest pips left: a double beside one other double still counts its +1;
  // a double alone leaves nothing, and nothing is added to it.
  EXPECT_EQ(Position({"33", "55"}, 3, 6).outlook().TereiPintas(1), 2);
  EXPECT_EQ(Position({"13", "55"}, 3, 6).outlook().TereiPintas(1), 1);
  EXPECT_EQ(Position({"33"}, 3, 6).outlook().TereiPintas(1), 0);
  EXPECT_EQ(p.choice(), (Move{2, Lado::A}));
  // Equal scores: side "B" is tried first while side "A" is not shorter; then the lower slot.
  Position tie({"14", "24"}, 4, 4);
  EXPECT_EQ(tie.choice(), (Move{1, Lado::B}));
  tie.state.QtdLadoB = 3;
  EXPECT_EQ(tie.choice(), (Move{1, Lado::A}));
}

TEST(ComputerChoice, OpeningTheHand) {
  Position p({"01", "66", "23", "45", "12", "34", "56"}, 6, 6);
  p.state.QuemInicia = kMac1;
  p.state.PrimeiraRodada = true;
  ComputerSeat seat;
  EXPECT_EQ(seat.turn(p.now(), p.settings, kMac1), SeatAnswer::play(2, Lado::First));
  // Free opening: the tile whose loss keeps the most pips covered; a double gets its extra point.
  p.state.PrimeiraRodada = false;
  p.state.PedrasMac1[2] = tile("16");
  EXPECT_EQ(p.outlook().chooseOpeningSlot(),
            2);  // 0:1 would leave no 0; 1:6 is the first to keep all seven
  p.state.PedrasMac1[5] = tile("22");
  EXPECT_EQ(p.outlook().chooseOpeningSlot(), 5);
  // The hand's last tile is weighed as well.
  p.state.PedrasMac1[5] = tile("12");
  p.state.PedrasMac1[7] = tile("55");
  EXPECT_EQ(p.outlook().chooseOpeningSlot(), 7);
  p.state.PedrasMac1[5] = tile("22");
  // Must open with 6:6 but lacks it: no opening tile.
  p.settings.TipoInicio = 2;
  EXPECT_EQ(p.outlook().chooseOpeningSlot(), std::nullopt);
}

// The player's seat played for the simulator and the tests makes the move a
// computer seat of the Normal level would make in its place, whenever that
// seat would lay a tile, over whole matches under both rules.
TEST(Autoplayer, LaysWhatTheNormalLevelWouldInThePlayersPlace) {
  for (const int rule : {1, 2}) {
    Settings settings;
    settings.TipoRegra = static_cast<std::int16_t>(rule);
    settings.PontosLimit = rule == 1 ? 6 : 100;
    RecordingPresentation screen;
    screen.answers.assign(3, NewGameAnswer::Play);
    screen.answers.push_back(NewGameAnswer::Exit);
    RandomSource random(23 + rule);
    Match match(settings, screen, random);
    Autoplayer player(match, random);
    ComputerSeat normal;
    match.start();
    int compared = 0;
    for (long actions = 0; actions < 6000; ++actions) {
      if (match.awaiting() == Match::Awaiting::Move) {
        const SeatAnswer answer = normal.turn(match.state(), match.settings(), kJog);
        if (answer.kind == SeatAnswer::Kind::Play) {
          const Move move = player.chooseMove();
          EXPECT_EQ(move.slot, answer.slot) << "move " << compared;
          EXPECT_EQ(move.side, answer.side) << "move " << compared;
          ++compared;
        }
      }
      if (!player.act()) break;
    }
    EXPECT_EQ(match.awaiting(), Match::Awaiting::Finished);
    EXPECT_GT(compared, 30) << "rule " << rule;
  }
}

}  // namespace
}  // namespace tavolix
