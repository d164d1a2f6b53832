// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The marks on the table in the real window: the seat to move, the tile laid
// last and the chain's open ends, each following the play and its own option.
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "game_window.h"
#include "support/tiles.h"
#include "table/table_marks.h"

namespace tavolix {
namespace {

class TableMarksTest : public GameWindowTest {
 protected:
  // The player leads a hand none of the others can answer.
  void playerLeads(const Hand& hand) {
    GameState position;
    position.PedrasJog = hand;
    position.PedrasMac1 = handOf({"00", "01"});
    position.PedrasMac2 = handOf({"11"});
    position.PedrasMac3 = handOf({"04"});
    position.PrimeiraRodada = false;
    position.QuemInicia = kJog;
    screen = QSize(800, 600);
    window.setFirstActivationStartsMatch(false);
    window.show();
    window.match().resume(position, {}, kJog);
  }
  // The player lays `t` at the end nearer where the chain goes on at `side`.
  void lay(std::string_view t, Lado side) {
    int slot = 1;
    while (slot <= kHandSlots && state().PedrasJog[slot] != tile(t)) ++slot;
    ASSERT_LE(slot, kHandSlots);
    const ChainGeometry& chain = window.match().chain();
    const int before = state().QtdMesa;
    if (side == Lado::A) {
      window.match().drop(slot, chain.TopoA, chain.EsqA, false);
    } else {
      window.match().drop(slot, chain.TopoB, chain.EsqB, false);
    }
    settle();
    ASSERT_EQ(state().QtdMesa, before + 1);
  }
  const TableMarks& marks() { return scene().marks(); }
  // The glow of an end lies on the open half of the tile laid there last:
  // within the tile, and farther from where the chain began than its middle.
  void expectEndOn(int end, const PictureItem* laid) {
    SCOPED_TRACE(end == 0 ? "end A" : "end B");
    const QPointF first = scene().chainViews().front()->sceneBoundingRect().center();
    const QRectF tile = laid->sceneBoundingRect();
    const QPointF glow = marks().endMark(end).sceneBoundingRect().center();
    EXPECT_TRUE(marks().endMark(end).isVisible());
    EXPECT_TRUE(tile.contains(glow));
    EXPECT_GT(QLineF(first, glow).length(), QLineF(first, tile.center()).length() + 100);
  }
};

TEST_F(TableMarksTest, TheTurnTheLastTileAndTheOpenEndsFollowThePlay) {
  playerLeads(handOf({"36", "65", "32", "55", "52"}));
  EXPECT_EQ(marks().turn(), kJog);
  EXPECT_TRUE(marks().turnMarker().isVisible());
  EXPECT_TRUE(scene().seatName(kJog).highlighted());
  EXPECT_LT(marks().turnMarker().pos().x(),  // the arrow points at the name
            scene().seatName(kJog).mapRectToScene(scene().seatName(kJog).textRect()).left());
  EXPECT_FALSE(marks().lastMoveMark().isVisible());  // nothing laid yet

  QTest::keyClick(&window, Qt::Key_Right);
  QTest::keyClick(&window, Qt::Key_Return);  // 3:6 opens the chain; the others pass on 3 and 6
  settle();
  ASSERT_EQ(state().QtdMesa, 1);
  const PictureItem* opening = scene().chainViews().front();
  const QRectF tile = opening->sceneBoundingRect();
  EXPECT_TRUE(marks().lastMoveMark().isVisible());
  EXPECT_TRUE(marks().lastMoveMark().sceneBoundingRect().contains(tile));
  // End A is the first half, end B the second.
  EXPECT_TRUE(marks().endMark(0).isVisible());
  EXPECT_NEAR(marks().endMark(0).sceneBoundingRect().center().x(), tile.left() + tile.width() / 4,
              15);
  EXPECT_NEAR(marks().endMark(1).sceneBoundingRect().center().x(), tile.right() - tile.width() / 4,
              15);
  EXPECT_EQ(marks().turn(), kJog);  // everyone else passed

  // 6:5 on end B: its 5 glows, end A stays where it was.
  const QRectF endA = marks().endMark(0).sceneBoundingRect();
  ASSERT_NO_FATAL_FAILURE(lay("65", Lado::B));
  const PictureItem* onB = scene().chainViews().back();
  expectEndOn(1, onB);
  EXPECT_EQ(marks().endMark(0).sceneBoundingRect(), endA);
  EXPECT_TRUE(marks().lastMoveMark().sceneBoundingRect().contains(onB->sceneBoundingRect()));
  // 3:2 on end A: its 2 glows, end B stays on the 5.
  const QRectF endB = marks().endMark(1).sceneBoundingRect();
  ASSERT_NO_FATAL_FAILURE(lay("32", Lado::A));
  const PictureItem* onA = scene().chainViews().back();
  expectEndOn(0, onA);
  EXPECT_EQ(marks().endMark(1).sceneBoundingRect(), endB);
  EXPECT_TRUE(marks().lastMoveMark().sceneBoundingRect().contains(onA->sceneBoundingRect()));
  ASSERT_EQ(state().PontaA, 2);
  ASSERT_EQ(state().PontaB, 5);
  // A double is open all round: 5:5 on end B glows whole.
  ASSERT_NO_FATAL_FAILURE(lay("55", Lado::B));
  EXPECT_TRUE(marks().endMark(1).sceneBoundingRect().contains(
      scene().chainViews().back()->sceneBoundingRect()));
}

// Each mark has its option: the turn marker goes alone, the last tile's
// outline and the ends' glow go together.
TEST_F(TableMarksTest, EachMarkGoesWithItsOwnOption) {
  playerLeads(handOf({"36", "44"}));
  QTest::keyClick(&window, Qt::Key_Right);
  QTest::keyClick(&window, Qt::Key_Return);
  settle();
  ASSERT_EQ(state().QtdMesa, 1);
  ASSERT_TRUE(marks().turnMarker().isVisible());
  ASSERT_TRUE(marks().lastMoveMark().isVisible());

  settings.markTurn = false;
  scene().refreshMarks();
  EXPECT_FALSE(marks().turnMarker().isVisible());
  EXPECT_FALSE(scene().seatName(kJog).highlighted());
  EXPECT_TRUE(marks().lastMoveMark().isVisible());
  EXPECT_TRUE(marks().endMark(0).isVisible());
  EXPECT_TRUE(marks().endMark(1).isVisible());

  settings.markTurn = true;
  settings.markLastMove = false;
  scene().refreshMarks();
  EXPECT_TRUE(marks().turnMarker().isVisible());
  EXPECT_TRUE(scene().seatName(kJog).highlighted());
  EXPECT_FALSE(marks().lastMoveMark().isVisible());
  EXPECT_FALSE(marks().endMark(0).isVisible());
  EXPECT_FALSE(marks().endMark(1).isVisible());
}

// Where the chain turns down or up at the table's edges its tiles stand: the
// glow of an end then lies on the upper or the lower half, the one left open.
TEST(TableMarksAlone, AStandingTileGlowsOnItsOpenHalf) {
  QGraphicsScene scene;
  const Settings settings;
  std::array<LabelItem*, 4> names{};
  for (LabelItem*& name : names) {
    name = new LabelItem(QString(), {1000, 240}, LabelItem::Style());
    scene.addItem(name);
  }
  TableMarks marks(scene, settings, names);
  auto* standing = new PictureItem(Picture::PedraHR);
  scene.addItem(standing);
  standing->setPos(6000, 3000);
  const QRectF tile = standing->sceneBoundingRect();
  ASSERT_GT(tile.height(), tile.width());
  marks.laid(standing, false, true, 1);  // at end A, its lower half open
  EXPECT_TRUE(marks.endMark(0).isVisible());
  EXPECT_GT(marks.endMark(0).sceneBoundingRect().center().y(), tile.center().y() + 100);
  marks.laid(standing, false, false, 0);  // at end B, its upper half open
  EXPECT_LT(marks.endMark(1).sceneBoundingRect().center().y(), tile.center().y() - 100);
  EXPECT_NEAR(marks.endMark(1).sceneBoundingRect().center().x(), tile.center().x(), 1);

  // When asked which end, each letter stands beyond its own end along the
  // chain, even an end nothing was laid on since the opening tile.
  const auto lying = [&scene](double left) {
    auto* view = new PictureItem(Picture::PedraWR);
    scene.addItem(view);
    view->setPos(left, 6000);
    return view;
  };
  PictureItem* opening = lying(8000);
  marks.laid(opening, true, true, 0);
  marks.laid(lying(8000 - opening->boundingRect().width()), false, true, 0);
  marks.showEndNames(true);
  EXPECT_LT(marks.endName(0).pos().x(), marks.endMark(0).sceneBoundingRect().left());
  EXPECT_GT(marks.endName(1).pos().x(), marks.endMark(1).sceneBoundingRect().right());
  marks.showEndNames(false);

  // The turn shown again to the seat thinking: it goes on thinking.
  marks.showTurn(kMac2);
  marks.showThinking(true);
  marks.showTurn(kMac2);
  EXPECT_TRUE(marks.thinking());
  EXPECT_TRUE(marks.beating());
  // Its dots light one after another.
  const auto marker = [&scene, &marks] {
    QImage picture(120, 60, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    scene.render(&painter, QRectF(), marks.turnMarker().sceneBoundingRect());
    return picture;
  };
  // Three of them: the third change of light brings back the first look. Each
  // change is painted again where the marker stands.
  int repainted = 0;
  QObject::connect(&scene, &QGraphicsScene::changed, [&](const QList<QRectF>& regions) {
    for (const QRectF& r : regions) repainted += r.contains(marks.turnMarker().sceneBoundingRect());
  });
  std::vector<QImage> looks{marker()};
  for (int beat = 0; beat < 3; ++beat) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return marker() != looks.back(); }, 20000)) << beat;
    looks.push_back(marker());
  }
  QCoreApplication::processEvents();
  EXPECT_GE(repainted, 3);
  EXPECT_NE(looks[2], looks[0]);
  EXPECT_EQ(looks[3], looks[0]);
  // In each, one dot lit and the others faint: as much full gold in all three.
  const auto fullGold = [](const QImage& look) {
    int count = 0;
    for (int y = 0; y < look.height(); ++y) {
      for (int x = 0; x < look.width(); ++x) count += qAlpha(look.pixel(x, y)) == 255;
    }
    return count;
  };
  EXPECT_NEAR(fullGold(looks[1]), fullGold(looks[0]), 4);  // a pixel or two of rounding
  EXPECT_NEAR(fullGold(looks[2]), fullGold(looks[0]), 4);
  marks.showTurn(kMac3);
  EXPECT_FALSE(marks.thinking());
  EXPECT_FALSE(marks.beating());
  // With the turn not marked, nothing beats while a seat thinks.
  Settings unmarked;
  unmarked.markTurn = false;
  TableMarks quiet(scene, unmarked, names);
  quiet.showTurn(kMac1);
  quiet.showThinking(true);
  EXPECT_TRUE(quiet.thinking());
  EXPECT_FALSE(quiet.beating());
  EXPECT_FALSE(quiet.turnMarker().isVisible());
}

// Every mark paints inside its bounds, which are all the view paints again when
// it moves or goes: a mark drawing past them would leave pieces of itself on
// the table. Each is painted alone, with a tile's length of room all round, at
// the table's scale.
TEST(TableMarksAlone, EveryMarkPaintsInsideItsBounds) {
  QGraphicsScene scene;
  const Settings settings;
  std::array<LabelItem*, 4> names{};
  for (LabelItem*& name : names) {
    name = new LabelItem(QStringLiteral("Computador 1"), {1000, 240}, LabelItem::Style());
    scene.addItem(name);
  }
  TableMarks marks(scene, settings, names);
  auto* opening = new PictureItem(Picture::PedraWR);
  scene.addItem(opening);
  opening->setPos(6000, 4000);
  marks.laid(opening, true, true, 0);
  marks.showEndNames(true);
  marks.showTurn(kMac1);
  marks.showThinking(true);
  const std::vector<std::pair<const char*, const QGraphicsItem*>> items{
      {"turn", &marks.turnMarker()}, {"last move", &marks.lastMoveMark()},
      {"end A", &marks.endMark(0)},  {"end B", &marks.endMark(1)},
      {"name A", &marks.endName(0)}, {"name B", &marks.endName(1)}};
  for (const auto& [what, item] : items) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(item->isVisible());
    const QRectF bounds = item->boundingRect();
    ASSERT_FALSE(bounds.isEmpty());
    const QRectF ink = inkOf(*item, bounds.adjusted(-1500, -1500, 1500, 1500));
    EXPECT_FALSE(ink.isEmpty());
    // Within the bounds, give or take the pixel and a half that smoothing inks.
    EXPECT_TRUE(bounds.adjusted(-23, -23, 23, 23).contains(ink)) << ink << " in " << bounds;
  }
}

}  // namespace
}  // namespace tavolix
