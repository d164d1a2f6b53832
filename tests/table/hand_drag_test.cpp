// The player's tile under the mouse, in the real window: hover, pick-up,
// carry, re-ordering, flips and drops, all by synthetic mouse events.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>

#include "dialog_driver.h"
#include "support/game_printers.h"
#include "support/recording_presentation.h"
#include "table/pacer.h"
#include "window_test_support.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

class HandDragTest : public WindowTest {
 protected:
  // The player to move on ends 6 (side "A", its last tile at 4995) and 3 (side
  // "B", at 6675); the computer seats cannot play on 6, 3 or what he leaves.
  void playerToMove(const Hand& hand, int endA = 6, int endB = 3, bool firstTile = false) {
    screen = QSize(800, 600);  // the window fills the test screen: every point of it takes the pointer
    window().show();
    GameState state;
    state.PedrasJog = hand;
    state.PedrasMac1 = handOf({"00"});
    state.PedrasMac2 = handOf({"00"});
    state.PedrasMac3 = handOf({"00"});
    state.PontaA = endA;
    state.PontaB = endB;
    state.PrimeiraRodada = false;
    state.QuemInicia = kMac1;
    if (!firstTile) {
      state.Mesa[1] = *TileCode::fromText("11");
      state.Mesa[2] = *TileCode::fromText("11");
      state.QtdMesa = 2;
      state.QtdLadoA = 1;
    } else {
      state.QuemInicia = kJog;
      state.PrimeiraRodada = true;
    }
    ChainGeometry chain;
    chain.EsqA = 4995;
    chain.EsqB = 6675;
    // The hand on the table, as a deal would have left it.
    for (int i = 1; i <= 7; ++i) window().scene().PicJog[i]->setY(TableScene::kTopoMao);
    window().match().resume(state, chain, kJog);
    for (int i = 1; i <= 7; ++i) window().scene().ExibeJog(i);
    ASSERT_EQ(window().match().awaiting(), Match::Awaiting::Move);
  }
  const GameState& state() { return window().match().state(); }
  QWidget* viewport() { return window().view().viewport(); }
  QPoint at(QPointF twips) { return window().view().mapFromScene(twips); }
  QPointF slotCentre(int i) { return TableScene::jogSlot(i) + QPointF(240, 480); }

  // The mouse, as the window system would send it to the table's view.
  void send(QEvent::Type type, QPointF twips, Qt::MouseButton button, Qt::MouseButtons held) {
    sendMouseAt(window(), type, twips, button, held);
  }
  // The pointer comes from the felt above, so that the place it reaches sees it arrive.
  void hover(QPointF twips) {
    send(QEvent::MouseMove, {6000, 3000}, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseMove, twips, Qt::NoButton, Qt::NoButton);
  }
  void press(QPointF twips, Qt::MouseButton button = Qt::LeftButton) {
    hover(twips);
    held_ |= button;
    send(QEvent::MouseButtonPress, twips, button, held_);
  }
  void moveWhileHeld(QPointF twips) { send(QEvent::MouseMove, twips, Qt::NoButton, held_); }
  void release(QPointF twips, Qt::MouseButton button = Qt::LeftButton) {
    held_ &= ~Qt::MouseButtons(button);
    send(QEvent::MouseButtonRelease, twips, button, held_);
    settle();
  }
  void settle() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  }
  // Carries slot i's tile so that the floating tile's corner lands at `corner`.
  void carry(int i, QPointF corner) {
    press(slotCentre(i));
    const QPointF grab = slotCentre(i) - window().scene().PicMover->pos() - QPointF(45, 45);
    moveWhileHeld(corner + grab);
  }
  PictureItem* mover() { return window().scene().PicMover; }

  Qt::MouseButtons held_;
  DialogDriver dialogs;
};

TEST_F(HandDragTest, HoveringPutsTheCopyExactlyOverTheSlot) {
  playerToMove(handOf({"36", "12", "45"}));
  hover(slotCentre(2));
  EXPECT_TRUE(mover()->isVisible());
  EXPECT_EQ(mover()->pos(), window().scene().PicJog[2]->pos());
  EXPECT_EQ(mover()->picture(), window().scene().PicJog[2]->picture());
  EXPECT_EQ(window().drag().PedraArrastada, 2);
  EXPECT_EQ(state().PedrasJog, handOf({"36", "12", "45"}));  // nothing changed
}

TEST_F(HandDragTest, TheCarryIsBoundedToTheTable) {
  playerToMove(handOf({"36", "12", "45"}));
  carry(1, {5000, 5000});
  EXPECT_EQ(window().drag().Arrastando, 1);
  EXPECT_FALSE(window().scene().PicJog[1]->isVisible());
  // The pointer at the window's corners would take the tile's corner beyond them.
  moveWhileHeld({11990, 8990});
  EXPECT_EQ(mover()->pos(), QPointF(11595, 8190));
  moveWhileHeld({10, 10});
  EXPECT_EQ(mover()->pos(), QPointF(0, 0));
  release({10, 10});
}

TEST_F(HandDragTest, MovingSlot3OntoSlot2SwapsThem) {
  playerToMove(handOf({"01", "02", "03", "04", "05"}));
  QSignalSpy clicks(&window().sounds(), &SoundPlayer::started);
  carry(3, {4500, 8000});  // Left 4500: within slot 2's reach (4395..4701)
  EXPECT_EQ(state().PedrasJog, handOf({"01", "03", "02", "04", "05"}));
  EXPECT_EQ(window().drag().PedraArrastada, 2);
  EXPECT_TRUE(window().drag().Reordenou);
  EXPECT_EQ(window().drag().EsqArrastada, 4800);
  EXPECT_FALSE(window().scene().PicJog[2]->isVisible());
  release({4500, 8000});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "03", "02", "04", "05"}));
  EXPECT_TRUE(window().scene().PicJog[2]->isVisible());  // back in its new slot
}

TEST_F(HandDragTest, OneLongMoveTakesSlot2StraightToSlot5) {
  playerToMove(handOf({"01", "02", "03", "04", "05", "06"}));
  carry(2, {6400, 8000});  // beyond a fifth of slot 5 (6285 + 99)
  EXPECT_EQ(state().PedrasJog, handOf({"01", "03", "04", "05", "02", "06"}));
  EXPECT_EQ(window().drag().PedraArrastada, 5);
  release({6400, 8000});
}

TEST_F(HandDragTest, EmptySlotsTakeNoPartInTheReordering) {
  playerToMove(handOf({"01", "02", "03"}));
  carry(1, {6400, 8000});  // a fifth into slot 5, which is empty
  EXPECT_EQ(state().PedrasJog, handOf({"01", "02", "03"}));
  EXPECT_FALSE(window().drag().Reordenou);
  release({6400, 8000});
}

TEST_F(HandDragTest, TheRightButtonTurnsATileOverAndBack) {
  playerToMove(handOf({"25", "12"}));
  press(slotCentre(1), Qt::RightButton);
  release(slotCentre(1), Qt::RightButton);
  EXPECT_EQ(state().PedrasJog[1], *TileCode::fromText("52"));
  EXPECT_EQ(window().scene().imgjog1[1]->element(), 5);
  EXPECT_FALSE(mover()->isVisible());
  press(slotCentre(1), Qt::RightButton);
  release(slotCentre(1), Qt::RightButton);
  EXPECT_EQ(state().PedrasJog[1], *TileCode::fromText("25"));
}

TEST_F(HandDragTest, ARightButtonReleaseDoesNotEndACarry) {
  playerToMove(handOf({"36", "12"}));
  carry(1, {5000, 5000});
  held_ |= Qt::RightButton;
  send(QEvent::MouseButtonPress, {5300, 5500}, Qt::RightButton, held_);
  release({5300, 5500}, Qt::RightButton);
  EXPECT_EQ(window().drag().Arrastando, 1);
  EXPECT_EQ(state().PedrasJog[1], *TileCode::fromText("36"));  // no flip in the middle of a carry
  release({5300, 5500});
  EXPECT_EQ(window().drag().Arrastando, 0);
  EXPECT_EQ(state().QtdMesa, 3);  // laid
}

TEST_F(HandDragTest, WhenTheMouseIsTakenAwayMidCarryTheTileGoesBackToTheHand) {
  playerToMove(handOf({"36", "12", "45"}));
  carry(3, {4500, 8000});  // along the hand: the 45 now sits second
  ASSERT_EQ(state().PedrasJog, handOf({"36", "45", "12"}));
  // Another window takes the pointer before the button comes up.
  mover()->ungrabMouse();
  held_ = Qt::NoButton;
  settle();
  EXPECT_EQ(window().drag().Arrastando, 0);
  EXPECT_FALSE(mover()->isVisible());
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(window().scene().PicJog[i]->isVisible()) << "slot " << i;
  EXPECT_EQ(state().PedrasJog, handOf({"36", "45", "12"}));  // the new order stays
  EXPECT_EQ(state().QtdMesa, 2);
  // And the hand is the player's again.
  carry(1, {5000, 5000});
  release({5000, 5000});
  EXPECT_EQ(state().QtdMesa, 3);
}

TEST_F(HandDragTest, AQuickClickOnATileLeavesNothingFloating) {
  playerToMove(handOf({"36", "12"}));
  // The release is already waiting when the press is handled.
  const QPoint local = at(slotCentre(2));
  QCoreApplication::postEvent(viewport(), new QMouseEvent(QEvent::MouseButtonRelease, QPointF(local),
                                                          QPointF(viewport()->mapToGlobal(local)), Qt::LeftButton,
                                                          Qt::NoButton, Qt::NoModifier));
  press(slotCentre(2));
  settle();
  EXPECT_EQ(window().drag().Arrastando, 0);
  EXPECT_FALSE(window().hand().releasing());
  EXPECT_TRUE(window().scene().PicJog[2]->isVisible());
  EXPECT_EQ(state().PedrasJog, handOf({"36", "12"}));
  EXPECT_EQ(state().QtdMesa, 2);
}

TEST_F(HandDragTest, ATileFittingBothEndsGoesToTheEndNearerTheDrop) {
  playerToMove(handOf({"36", "12"}));
  carry(1, {5025, 4575});  // by side A's last tile
  release({5025, 4575});
  EXPECT_EQ(state().Mesa[3], *TileCode::fromText("36"));  // growing left: its 6 on the right, against the chain
  EXPECT_EQ(state().QtdLadoA, 2);
}

TEST_F(HandDragTest, NearerSideB) {
  playerToMove(handOf({"36", "12"}));
  carry(1, {6600, 4700});
  release({6600, 4700});
  EXPECT_EQ(state().QtdLadoB, 1);
}

TEST_F(HandDragTest, BelowThePlayAreaTheTileGoesBack) {
  playerToMove(handOf({"36", "12"}));
  carry(1, {2000, 7800});  // its top below 7740, away from the hand row
  release({2000, 7800});
  EXPECT_EQ(state().QtdMesa, 2);
  EXPECT_EQ(state().PedrasJog, handOf({"36", "12"}));
  EXPECT_TRUE(window().scene().PicJog[1]->isVisible());
  EXPECT_FALSE(mover()->isVisible());
  EXPECT_EQ(window().scene().Label10->caption(),
            QStringLiteral("Clique na pedra que quer jogar e arraste para a área verde, e então solte"));
  EXPECT_TRUE(window().scene().Label10->isVisible());
  // He may try again at once.
  carry(1, {5000, 5000});
  release({5000, 5000});
  EXPECT_EQ(state().QtdMesa, 3);
}

TEST_F(HandDragTest, TheWrongOpeningTileIsNamedForAWhile) {
  playerToMove(handOf({"56", "66", "01"}), 6, 6, true);
  pacer::setPace(1.0);
  carry(1, {5000, 5000});
  release({5000, 5000});
  QTest::qWait(300);  // the tile slides back
  EXPECT_EQ(window().scene().Label10->caption(), QStringLiteral("Você deve jogar o 6:6"));
  EXPECT_TRUE(window().scene().Label10->isVisible());
  QTest::qWait(600);
  EXPECT_TRUE(window().scene().Label10->isVisible());  // 1200 ms in all
  EXPECT_TRUE(QTest::qWaitFor([this] { return !window().scene().Label10->isVisible(); }, 5000));
  pacer::setPace(0.0);
  EXPECT_EQ(state().QtdMesa, 0);
  EXPECT_TRUE(window().scene().PicJog[1]->isVisible());
}

TEST_F(HandDragTest, WithNothingToPlayThePassCommandShowsAndWorks) {
  playerToMove(handOf({"12", "45"}));
  EXPECT_TRUE(window().scene().Label3[0]->isVisible());
  EXPECT_EQ(window().scene().Label10->caption(), QStringLiteral("Clique em 'Passar a vez'"));
  // A drop makes the reminder blink before it stays.
  carry(1, {5000, 5000});
  release({5000, 5000});
  EXPECT_EQ(window().scene().Label10->caption(), QStringLiteral("Clique em 'Passar a vez'"));
  // Nobody can play on 6 or 3: after his pass and theirs the hand is blocked, and counted
  // (the computer seats hold nothing but blanks: a tie).
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("Houve empate na contegem de pontos"));
    box.accept();
  });
  press({7920 + 300, 8160 + 100});
  release({7920 + 300, 8160 + 100});
  EXPECT_TRUE(QTest::qWaitFor([this] { return dialogs.done(); }, 5000));
  settle();
  EXPECT_FALSE(window().scene().Label3[0]->isVisible());
  EXPECT_EQ(window().match().awaiting(), Match::Awaiting::PileTile);  // the next deal
}

TEST_F(HandDragTest, NothingMovesWhileTheComputersPlay) {
  playerToMove(handOf({"36", "12"}));
  window().match();
  window().scene().PicJog[1]->setEnabled(false);  // as during the computers' turns
  hover(slotCentre(1));
  EXPECT_FALSE(mover()->isVisible());
}

}  // namespace
}  // namespace tavolix
