// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The player's tile under the mouse, in the real window: hover, pick-up,
// carry, re-ordering, flips and drops, all by synthetic mouse events.
#include <algorithm>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>

#include "game/table_geometry.h"
#include "hand_drag_fixture.h"
#include "support/game_printers.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

TEST_F(HandDragTest, HoveringPutsTheCopyOverTheSlotAndTheCarryStaysOnTheTable) {
  playerHolds(handOf({"36", "12", "45"}));
  // The copy shows the tile it covers: the same faces in the same places (its
  // edge and shadow, drawn over the tile's own, are a shade darker).
  const QImage untouched = window.grab().toImage();
  for (const int slot : {3, 1, 2}) {
    hover(slotMiddle(slot));
    const QImage covered = window.grab().toImage();
    int differing = 0;
    for (const int half : {1, 2}) {
      const QRect face = window.view()
                             .mapFromScene(scene().handHalf(slot, half).sceneBoundingRect())
                             .boundingRect()
                             .adjusted(1, 1, -1, -1);
      for (int y = face.top(); y <= face.bottom(); ++y) {
        for (int x = face.left(); x <= face.right(); ++x)
          differing += covered.pixel(x, y) != untouched.pixel(x, y);
      }
    }
    EXPECT_EQ(differing, 0) << slot;
  }
  EXPECT_TRUE(carried().isVisible());
  EXPECT_EQ(carried().pos(), scene().handTile(2).pos());
  EXPECT_EQ(drag().PedraArrastada, 2);
  carry(1, {5000, 5000});
  EXPECT_EQ(drag().Arrastando, 1);
  EXPECT_FALSE(scene().handTile(1).isVisible());
  // Carried over the hand, it is drawn above the tiles it passes.
  moveCorner(scene().handTile(3).pos());
  const QList<QGraphicsItem*> under =
      scene().items(scene().handTile(3).sceneBoundingRect().center(), Qt::IntersectsItemShape,
                    Qt::DescendingOrder);
  ASSERT_FALSE(under.isEmpty());
  EXPECT_TRUE(under.front() == &carried() || under.front()->parentItem() == &carried());
  moveCorner({11990, 8990});
  EXPECT_EQ(carried().pos(), QPointF(11595, 8190));
  moveCorner({-10, -10});
  EXPECT_EQ(carried().pos(), QPointF(0, 0));
  release();
}

// The pointer that came to rest on a tile while the others played: once his
// turn comes, its next move over the tile puts the copy there.
TEST_F(HandDragTest, APointerThatArrivedWhileTheOthersPlayedTakesTheTileAtItsNextMove) {
  Position p = endsSixAndThree(handOf({"36", "12", "45"}), handOf({"13", "00"}));
  screen = QSize(800, 600);
  window.setFirstActivationStartsMatch(false);
  window.show();
  bool arrived = false;
  window.pacer().setListener([&](int) {
    if (std::exchange(arrived, true)) return;
    hover(slotMiddle(2));
    EXPECT_FALSE(carried().isVisible());  // not while the others play
  });
  window.match().resume(p.state, p.chain, kMac1);
  window.pacer().setListener({});
  ASSERT_TRUE(arrived);
  ASSERT_EQ(awaiting(), Match::Awaiting::Move);
  send(QEvent::MouseMove, slotMiddle(2) + QPointF(30, 30), Qt::NoButton);
  EXPECT_TRUE(carried().isVisible());
  EXPECT_EQ(carried().pos(), scene().handTile(2).pos());
  EXPECT_EQ(drag().PedraArrastada, 2);
}

TEST_F(HandDragTest, OverTheHandRowTheTileTakesTheSlotItReachesAFifthInto) {
  playerHolds(handOf({"01", "02", "03", "04", "05"}));
  // Left 4650 reaches into slot 2 (4395 to 4701: a fifth of a slot, where
  // half a slot would need 4552), but only once the tile is over the hand
  // row: from 8010 - 810 / 1.3 down, the pointer moving 15 twips a pixel.
  carry(3, {4650, 7380});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "02", "03", "04", "05"}));
  moveCorner({4650, 7395});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "03", "02", "04", "05"}));
  EXPECT_EQ(drag().PedraArrastada, 2);
  EXPECT_TRUE(drag().Reordenou);
  EXPECT_EQ(drag().EsqArrastada, 4800);
  moveCorner({4650, 8000});  // let go below the play area: back in its new slot
  release();
  EXPECT_TRUE(scene().handTile(2).isVisible());
  EXPECT_EQ(state().QtdMesa, 2);

  // Rightwards a fifth is enough too: slot 3 starts at 5295, 5445 is past a
  // fifth of it (5394) and short of half (5542).
  carry(2, {5385, 8000});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "03", "02", "04", "05"}));
  moveCorner({5445, 8000});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "02", "03", "04", "05"}));
  EXPECT_EQ(drag().PedraArrastada, 3);
  release();

  // One long move takes slot 3 past slots 4 and 5 into slot 5.
  carry(3, {6400, 8000});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "02", "04", "05", "03"}));
  release();
  // Beyond the last tile the empty slots take no part.
  carry(5, {7300, 8000});
  EXPECT_EQ(drag().PedraArrastada, 5);
  release();

  // A full hand's last slot (7275 on) is reached a fifth in too: 7420 is past
  // a fifth of it (7374) and short of half (7522).
  playerHolds(handOf({"01", "02", "03", "04", "05", "06", "11"}));
  carry(6, {7420, 8000});
  EXPECT_EQ(state().PedrasJog, handOf({"01", "02", "03", "04", "05", "11", "06"}));
  EXPECT_EQ(drag().PedraArrastada, 7);
  release();
}

// The halves of a tile sit in its middle, one above and one below, whether it
// lies in the hand or is carried, in either set of tiles.
TEST_F(HandDragTest, ATilesHalvesSitInItsMiddleInTheHandAndCarried) {
  const auto expectInTheMiddle = [](const QGraphicsItem& tile, const std::int16_t set) {
    std::vector<QRectF> faces;
    for (const QGraphicsItem* child : tile.childItems())
      if (dynamic_cast<const PictureItem*>(child) != nullptr && child->isVisible())
        faces.push_back(child->sceneBoundingRect());
    ASSERT_EQ(faces.size(), 2u) << set;
    std::sort(faces.begin(), faces.end(),
              [](const QRectF& a, const QRectF& b) { return a.top() < b.top(); });
    const QRectF whole = tile.sceneBoundingRect();
    const QRectF &top = faces[0], &bottom = faces[1];
    EXPECT_TRUE(whole.contains(top) && whole.contains(bottom)) << set;
    EXPECT_NEAR(top.center().x(), whole.center().x(), 30) << set;
    EXPECT_NEAR(bottom.center().x(), whole.center().x(), 30) << set;
    EXPECT_LT(top.center().y(), whole.center().y()) << set;
    EXPECT_GT(bottom.center().y(), whole.center().y()) << set;
    EXPECT_NEAR(top.center().y() - whole.top(), whole.bottom() - bottom.center().y(), 60) << set;
  };
  for (const std::int16_t set : {0, 1}) {
    settings.PedraX = set;
    playerHolds(handOf({"36", "12", "45"}));
    expectInTheMiddle(scene().handTile(1), set);
    carry(1, {5000, 5000});
    ASSERT_EQ(drag().Arrastando, 1);
    expectInTheMiddle(carried(), set);
    moveCorner(scene().handTile(1).pos());  // back into the hand: nothing laid
    release();
  }
}

TEST_F(HandDragTest, TheRightButtonTurnsATileOverButNotInTheMiddleOfACarry) {
  playerHolds(handOf({"25", "12"}), 5, 3);
  press(1, Qt::RightButton);
  release(Qt::RightButton);
  EXPECT_EQ(state().PedrasJog[1], tile("52"));
  EXPECT_EQ(scene().handHalf(1, 1).element(), 5);
  EXPECT_FALSE(carried().isVisible());
  carry(1, {5000, 5000});
  send(QEvent::MouseButtonPress, pointer_, Qt::RightButton);
  release(Qt::RightButton);
  EXPECT_EQ(drag().Arrastando, 1);
  EXPECT_EQ(state().PedrasJog[1], tile("52"));
  release();
  EXPECT_EQ(drag().Arrastando, 0);
  EXPECT_EQ(state().QtdMesa, 3);  // laid at the 5
}

TEST_F(HandDragTest, ATileIsNeverLeftFloating) {
  playerHolds(handOf({"36", "12", "45"}));
  // The mouse taken away mid-carry: the tile goes back, in its new order.
  carry(3, {4500, 8000});
  ASSERT_EQ(state().PedrasJog, handOf({"36", "45", "12"}));
  ASSERT_NE(scene().mouseGrabberItem(), nullptr);
  scene().mouseGrabberItem()->ungrabMouse();
  held_ = Qt::NoButton;
  settle();
  EXPECT_FALSE(carried().isVisible());
  for (int slot = 1; slot <= 3; ++slot) EXPECT_TRUE(scene().handTile(slot).isVisible()) << slot;
  // A release already waiting when the press is handled.
  QWidget* viewport = window.view().viewport();
  const QPoint local = window.view().mapFromScene(slotMiddle(2));
  QCoreApplication::postEvent(
      viewport, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(local),
                                QPointF(viewport->mapToGlobal(local)), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier));
  press(2);
  held_ = Qt::NoButton;
  settle();
  EXPECT_EQ(drag().Arrastando, 0);
  EXPECT_TRUE(scene().handTile(2).isVisible());
  EXPECT_EQ(state().QtdMesa, 2);
  // And the hand is his to play again.
  carry(1, {5025, 4575});  // by side A's last tile
  release();
  EXPECT_EQ(state().Mesa[3], tile("36"));  // growing left, its 6 against the chain
  EXPECT_EQ(state().QtdLadoA, 2);
  // A full hand's last tile, taken away mid-carry, is back in its place too.
  playerHolds(handOf({"36", "12", "45", "01", "02", "04", "05"}));
  carry(7, {4000, 3000});
  ASSERT_FALSE(scene().handTile(7).isVisible());
  scene().mouseGrabberItem()->ungrabMouse();
  held_ = Qt::NoButton;
  settle();
  for (int slot = 1; slot <= kHandSlots; ++slot)
    EXPECT_TRUE(scene().handTile(slot).isVisible()) << slot;
}

// The release is answered once the scene is done with it; a hand dealt in
// between (a resumed match) must not have its tile in that slot laid instead.
TEST_F(HandDragTest, AReleaseAnsweredAfterTheHandChangedLaysNothing) {
  playerHolds(handOf({"36", "12"}));
  carry(1, {5025, 4575});  // by side A's last tile
  send(QEvent::MouseButtonRelease, pointer_, Qt::LeftButton);
  Position other = endsSixAndThree(handOf({"66", "12"}));
  window.match().resume(other.state, other.chain, kJog);
  settle();
  EXPECT_EQ(state().QtdMesa, 2);
  EXPECT_EQ(state().PedrasJog, handOf({"66", "12"}));
  EXPECT_FALSE(carried().isVisible());
  EXPECT_TRUE(scene().handTile(1).isVisible());
  // The same release on an unchanged hand lays the tile: the drop itself was good.
  carry(1, {5025, 4575});
  release();
  EXPECT_EQ(state().QtdMesa, 3);
  EXPECT_EQ(state().Mesa[3], tile("66"));
}

TEST_F(HandDragTest, DroppedBelowThePlayAreaItSlidesBackBesideItsSlot) {
  settings.Veloc = 5;
  playerHolds(handOf({"36", "12"}));
  // Five steps of whole twips from here to 30 right of and 25 below its slot.
  carry(1, {2010, 7800});
  release();
  EXPECT_EQ(carried().pos(), QPointF(4305 + 30, 8010 + 25));
  EXPECT_FALSE(carried().isVisible());
  EXPECT_TRUE(scene().handTile(1).isVisible());
  EXPECT_EQ(state().PedrasJog, handOf({"36", "12"}));
  EXPECT_EQ(
      scene().messageLine().caption(),
      QStringLiteral("Clique na pedra que quer jogar e arraste para a área verde, e então solte"));
  EXPECT_TRUE(scene().messageLine().isVisible());
  carry(1, {6600, 4700});  // by side B's last tile
  release();
  EXPECT_EQ(state().QtdLadoB, 1);
}

TEST_F(HandDragTest, TheWrongOpeningTileIsNamedForAWhile) {
  GameState position;
  position.PedrasJog = handOf({"56", "66", "01"});
  position.PedrasMac1 = position.PedrasMac2 = position.PedrasMac3 = handOf({"00"});
  position.QuemInicia = kJog;
  playerToMove(position);
  pacer::setPace(1.0);
  // When the message line shows and hides, to the millisecond.
  QElapsedTimer clock;
  clock.start();
  qint64 shown = -1;
  qint64 hidden = -1;
  QObject::connect(&scene().messageLine(), &QGraphicsObject::visibleChanged,
                   [&] { (scene().messageLine().isVisible() ? shown : hidden) = clock.elapsed(); });
  carry(1, {5000, 5000});
  release();  // the tile slides back
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return scene().messageLine().caption() == u"Você deve jogar o 6:6"; }, 10000));
  EXPECT_TRUE(QTest::qWaitFor([this] { return !scene().messageLine().isVisible(); }, 30000));
  // 1200 ms, or a little less: a timer may end a twentieth early.
  ASSERT_GE(shown, 0);
  EXPECT_GE(hidden - shown, 1100);
  EXPECT_EQ(state().QtdMesa, 0);
}

TEST_F(HandDragTest, WithNothingToPlayThePassCommandShowsAndWorks) {
  playerHolds(handOf({"12", "45"}));
  const LabelItem& pass = scene().command(TableScene::Command::Pass);
  EXPECT_TRUE(pass.isVisible());
  EXPECT_EQ(scene().messageLine().caption(), QStringLiteral("Clique em 'Passar a vez'"));
  // Nobody can play on 6 or 3: after his pass and theirs the hand is counted,
  // the computer seats holding nothing but blanks: a tie.
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("Houve empate na contegem de pontos"));
    box.accept();
  });
  click(pass.sceneBoundingRect().center());
  EXPECT_TRUE(dialogs.done());
  EXPECT_FALSE(pass.isVisible());
  EXPECT_EQ(window.match().awaiting(), Match::Awaiting::PileTile);  // the next deal
}

// The Pass command waits for the event loop; a tile pressed and let go before
// it runs stays in the hand, and the hand shown is the hand held when the pass
// is made. The same from the keyboard in the middle of a carry.
TEST_F(HandDragTest, APassMadeWhileATileIsTakenLeavesTheHandWhole) {
  struct HandWatch : MatchObserver {
    HandWatch(Form1& window) : window(window) {}
    void passed(int seat, const GameState& state) override {
      if (seat != kJog) return;
      ++passes;
      for (int slot = 1; slot <= kHandSlots; ++slot) {
        EXPECT_EQ(window.scene().handTile(slot).isVisible(), !state.PedrasJog[slot].empty())
            << "slot " << slot;
      }
      EXPECT_EQ(window.hand().state().Arrastando, 0);
    }
    Form1& window;
    int passes = 0;
  } watch(window);
  dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  for (const bool keyboard : {false, true}) {
    playerHolds(handOf({"12", "45"}));
    window.match().setObserver(&watch);
    ASSERT_TRUE(window.match().passOffered());
    const QPointF command = scene().command(TableScene::Command::Pass).sceneBoundingRect().center();
    if (keyboard) {
      carry(1, {6000, 4000});
      QTest::keyClick(&window, Qt::Key_P);
    } else {
      hover(command);
      send(QEvent::MouseButtonPress, command, Qt::LeftButton);
      send(QEvent::MouseButtonRelease, command, Qt::LeftButton);
      carry(1, {6000, 4000});
    }
    release();
    EXPECT_EQ(watch.passes, keyboard ? 2 : 1);
    window.match().setObserver(nullptr);
  }
}

TEST_F(HandDragTest, NothingMovesWhileTheComputersPlay) {
  playerHolds(handOf({"36", "12"}));
  scene().enableHand(false);  // as during the computers' turns
  hover(slotMiddle(1));
  EXPECT_FALSE(carried().isVisible());
}

// A computer tile slides to the chain in as many steps as the speed says.
TEST_F(HandDragTest, AComputerTileSlidesInItsSteps) {
  // The moves of the tile Mac1 lays after the player's 3:6, seen from its back:
  // lying on its side, as Mac1's tiles do.
  const auto movesOfTheAnswer = [this] {
    int moves = 0;
    const PictureItem& tile = scene().movingTile();
    const auto counted = QObject::connect(&tile, &QGraphicsObject::xChanged, [&moves, &tile] {
      ++moves;
      EXPECT_EQ(tile.picture(), Picture::ImgCostasW);
    });
    carry(1, {5000, 4575});
    release();
    QObject::disconnect(counted);
    return moves;
  };
  for (const int veloc : {5, 25}) {
    settings.Veloc = static_cast<std::int16_t>(veloc);
    const GameState position = fiveSixOnTheTable();  // Mac1 answers the player's 3
    if (window.isVisible()) {
      window.match().resume(position, ChainGeometry(), kJog);
    } else {
      playerToMove(position);
    }
    // Set at its seat, then the steps.
    EXPECT_EQ(movesOfTheAnswer(), 1 + (veloc - 1)) << "Veloc " << veloc;
  }
  // With motion reduced, by the player or by the desktop, it goes there at once, as far.
  const QPointF slidThere = scene().movingTile().pos();
  for (const bool desktop : {false, true}) {
    settings.reducedMotion = !desktop;
    scene().setDesktopReducesMotion(desktop);
    window.match().resume(fiveSixOnTheTable(), ChainGeometry(), kJog);
    EXPECT_EQ(movesOfTheAnswer(), 2) << desktop;
    EXPECT_EQ(scene().movingTile().pos(), slidThere) << desktop;
  }
}

// The pile is laid out a row of seven at a time, each row with the shuffle's sound.
TEST_F(HandDragTest, EachRowOfThePileComesWithTheShufflesSound) {
  writeSilentWav(dir.filePath(QStringLiteral("mistura.wav")));
  window.sounds().setSearchFolders({dir.path()});
  QStringList heard;
  QObject::connect(&window.sounds(), &SoundPlayer::started,
                   [&heard](const QString& sound) { heard << sound; });
  startMatch();
  ASSERT_EQ(awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(heard.count(QStringLiteral("mistura.wav")), 4);
}

}  // namespace
}  // namespace tavolix
