// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The player's hand played from the keyboard in the real window: choosing,
// moving, turning and laying tiles, and what the game tells a keyboard player.
#include <QTest>

#include "game/table_geometry.h"
#include "hand_drag_fixture.h"
#include "support/game_printers.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// From the keyboard: the arrows choose (the tile rises), Shift moves it along
// the hand, F turns it over, a tile fitting one end goes there, and a tile
// fitting both ends waits for A or B. P passes only when nothing fits.
TEST_F(HandDragTest, TheKeyboardChoosesMovesTurnsAndLaysOnTheNamedEnd) {
  playerHolds(handOf({"12", "36", "45", "33"}));
  const auto key = [this](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&window, k, mods);
    settle();
  };
  key(Qt::Key_Left);  // Left first chooses from the end of the hand
  EXPECT_EQ(window.hand().chosen(), 4);
  key(Qt::Key_P);  // a tile fits: no pass, and the choice stays
  EXPECT_EQ(window.hand().chosen(), 4);
  EXPECT_EQ(state().Passes, 0);
  key(Qt::Key_Return);  // 3:3 fits end B alone
  ASSERT_EQ(state().QtdMesa, 3);
  EXPECT_EQ(state().QtdLadoB, 1);
  EXPECT_EQ(state().PedrasJog, handOf({"12", "36", "45"}));
  ASSERT_EQ(awaiting(), Match::Awaiting::Move);  // the others passed
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Right);  // no further than the last tile
  EXPECT_EQ(window.hand().chosen(), 3);
  hover(slotMiddle(2));  // the pointer resting on a tile lays a copy of it over it
  ASSERT_TRUE(scene().carriedTile().isVisible());
  key(Qt::Key_Left);
  EXPECT_EQ(window.hand().chosen(), 2);
  EXPECT_LT(scene().handTile(2).y(), scene().handTile(1).y());
  EXPECT_FALSE(scene().carriedTile().isVisible());  // no copy left in the row
  key(Qt::Key_F);
  EXPECT_EQ(state().PedrasJog[2], tile("63"));
  key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(state().PedrasJog, handOf({"63", "12", "45"}));
  EXPECT_EQ(window.hand().chosen(), 1);
  EXPECT_EQ(scene().handTile(2).y(), geometry::kHandTop);  // only the chosen tile stands up
  key(Qt::Key_Return);                                     // 6:3 fits both ends: which one?
  EXPECT_EQ(awaiting(), Match::Awaiting::Move);
  EXPECT_EQ(scene().messageLine().caption(),
            QStringLiteral(
                "A pedra serve nas duas pontas: A (ou Home) para uma, B (ou End) para a outra"));
  key(Qt::Key_End);
  EXPECT_EQ(state().PontaB, 6);  // laid on end B, where the 3 was
  EXPECT_EQ(state().PontaA, 6);
  EXPECT_EQ(state().PedrasJog, handOf({"12", "45"}));
  // A tile taken up with the mouse drops the keyboard's choice.
  key(Qt::Key_Right);
  ASSERT_EQ(window.hand().chosen(), 1);
  carry(2, {5000, 8000});
  release();
  EXPECT_EQ(window.hand().chosen(), 0);
}

// From the keyboard: the chosen tile ringed, a refused lay said and the choice
// kept, the ends named on the table while the game asks, and the pass asked
// for by its key; a click brings back the words of the mouse.
TEST_F(HandDragTest, TheKeyboardIsToldWhatItMayDoAndWhy) {
  GameState position;
  position.PedrasJog = handOf({"36", "16", "13", "45"});
  position.PedrasMac1 = position.PedrasMac2 = position.PedrasMac3 = handOf({"00"});
  position.QuemInicia = kJog;
  position.PrimeiraRodada = false;  // any tile opens
  playerToMove(position);
  const auto key = [this](Qt::Key k) {
    QTest::keyClick(&window, k);
    settle();
  };
  const QGraphicsItem& ring = window.hand().choiceRing();
  EXPECT_FALSE(ring.isVisible());
  key(Qt::Key_Right);
  ASSERT_EQ(window.hand().chosen(), 1);
  EXPECT_TRUE(ring.isVisible());
  EXPECT_TRUE(ring.sceneBoundingRect().contains(scene().handTile(1).sceneBoundingRect()));
  key(Qt::Key_Up);  // 3:6 opens; nobody else has a 3 or a 6
  ASSERT_EQ(state().QtdMesa, 1);
  EXPECT_FALSE(ring.isVisible());

  // 4:5 fits neither 3 nor 6: it stays chosen, and the line says why.
  key(Qt::Key_Left);
  ASSERT_EQ(state().PedrasJog[3], tile("45"));
  ASSERT_EQ(window.hand().chosen(), 3);
  pacer::setPace(1.0);  // the line shows it for a while
  QTest::keyClick(&window, Qt::Key_Up);
  EXPECT_TRUE(QTest::qWaitFor(
      [this] { return scene().messageLine().caption() == u"Jogada inválida. As pontas são 3 e 6"; },
      10000));
  DialogDriver::keep(window, QStringLiteral("teclado-recusada.png"));
  pacer::setPace(0);
  settle();
  EXPECT_EQ(window.hand().chosen(), 3);
  EXPECT_LT(scene().handTile(3).y(), geometry::kHandTop);
  EXPECT_TRUE(ring.isVisible());

  // 1:6 on the 6; then 1:3 fits both ends, 3 and 1: they are named until one is chosen.
  key(Qt::Key_Left);
  key(Qt::Key_Left);
  ASSERT_EQ(state().PedrasJog[window.hand().chosen()], tile("16"));
  key(Qt::Key_Up);
  ASSERT_EQ(state().QtdMesa, 2);
  key(Qt::Key_Right);
  ASSERT_EQ(state().PedrasJog[window.hand().chosen()], tile("13"));
  key(Qt::Key_Up);
  EXPECT_EQ(state().QtdMesa, 2);
  const TableMarks& marks = scene().marks();
  EXPECT_EQ(marks.endNameLetter(0), QStringLiteral("A"));  // the keys that choose them
  EXPECT_EQ(marks.endNameLetter(1), QStringLiteral("B"));
  for (const int side : {0, 1}) {
    EXPECT_TRUE(marks.endName(side).isVisible()) << side;
    // Beside its end's ring, not over it.
    const QRectF end = marks.endMark(side).sceneBoundingRect();
    EXPECT_FALSE(end.intersects(marks.endName(side).sceneBoundingRect())) << side;
    EXPECT_LT(QLineF(end.center(), marks.endName(side).pos()).length(), 1000) << side;
  }
  DialogDriver::keep(window, QStringLiteral("teclado-pontas.png"));
  // Answered by the mouse, on end B's ring: the names go with the question,
  // and the keys that follow do not bring them back.
  const int onBefore = state().QtdLadoB;
  carry(window.hand().chosen(), marks.endMark(1).sceneBoundingRect().center() - QPointF(240, 465));
  release();
  EXPECT_EQ(state().QtdMesa, 3);
  EXPECT_EQ(state().QtdLadoB, onBefore + 1);
  for (const int side : {0, 1}) EXPECT_FALSE(marks.endName(side).isVisible()) << side;

  // 4:5 alone, on 3 and 3: the mouse is told its command, the keyboard its key.
  EXPECT_EQ(scene().messageLine().caption(), QStringLiteral("Clique em 'Passar a vez'"));
  key(Qt::Key_Right);
  key(Qt::Key_Up);
  for (const int side : {0, 1}) EXPECT_FALSE(marks.endName(side).isVisible()) << side;
  EXPECT_EQ(scene().messageLine().caption(), QStringLiteral("Tecle P para passar a vez"));
}

}  // namespace
}  // namespace tavolix
