// The table in the middle of a hand and at its end, in both tile sets: every
// tile laid is drawn where the chain puts it, turned so that its halves show
// the pips the game holds. With TAVOLIX_SHOTS set, the pictures are kept.
#include <QDir>

#include "game/chain_layout.h"
#include "window_test_support.h"

namespace tavolix {
namespace {

class TableShotsTest : public WindowTest, public ::testing::WithParamInterface<int> {
 protected:
  // A hand far into play: both arms turned, a double on each side, three
  // computer hands and the player's.
  void layAHand() {
    settings.PedraX = static_cast<std::int16_t>(GetParam());
    screen = QSize(800, 600);
    window().show();
    state.PedrasJog = {TileCode(), TileCode(0, 4), TileCode(2, 5), TileCode(1, 3)};
    state.PedrasMac1 = {TileCode(), TileCode(0, 0), TileCode(3, 5)};
    state.PedrasMac2 = {TileCode(), TileCode(1, 6), TileCode(0, 2), TileCode(2, 2)};
    state.PedrasMac3 = {TileCode(), TileCode(5, 5)};
    state.PontaA = 3;
    state.PontaB = 4;
    window().match().resume(state, ChainGeometry(), kJog);
    for (int i = 1; i <= 7; ++i) {
      window().scene().PicJog[i]->setY(TableScene::kTopoMao);
      window().scene().ExibeJog(i);
      for (int seat = 1; seat <= 3; ++seat) {
        window().scene().ImgMac[seat][i]->setVisible(!state.hand(seat)[i].empty());
        window().scene().ExibeMac(seat);
      }
    }
    ChainLayout chain;
    const auto lay = [&](LaidTile tile) { window().actions().layTile(tile); laid.push_back(tile.placement); };
    lay({kJog, 1, Lado::First, chain.first(TileCode(3, 4)), true});
    int endA = 3;
    int endB = 4;
    // Side B: right, a double, down the right edge, along the bottom.
    for (int other : {6, 6, 1, 0, 5, 2, 4, 6, 3, 1, 2}) {
      const TileCode t(std::min(endB, other), std::max(endB, other));
      lay({kJog, 1, Lado::B, chain.PoeNaMesa(static_cast<int>(laid.size()) + 1, t, Lado::B, endB), true});
      endB = t.otherPip(endB);
    }
    // Side A: left, up the left edge with a double, along the top.
    for (int other : {1, 4, 2, 6, 6, 3, 0, 5, 1}) {
      const TileCode t(std::min(endA, other), std::max(endA, other));
      lay({kJog, 1, Lado::A, chain.PoeNaMesa(static_cast<int>(laid.size()) + 1, t, Lado::A, endA), true});
      endA = t.otherPip(endA);
    }
    geometry = chain.geometry();
  }
  void keep(const QString& name) {
    const QString folder = qEnvironmentVariable("TAVOLIX_SHOTS");
    if (!folder.isEmpty()) window().grab().save(QDir(folder).filePath(name));
  }

  GameState state;
  std::vector<TilePlacement> laid;
  ChainGeometry geometry;
};

TEST_P(TableShotsTest, AHandInProgressAndItsEnd) {
  layAHand();
  EXPECT_EQ(geometry.DirA, Direction::Right);  // both arms turned twice
  EXPECT_EQ(geometry.DirB, Direction::Left);
  const auto views = window().actions().chainViews();
  ASSERT_EQ(views.size(), laid.size());
  for (std::size_t k = 0; k < laid.size(); ++k) {
    EXPECT_EQ(views[k]->pos(), QPointF(laid[k].left, laid[k].top)) << k;
    EXPECT_EQ(views[k]->picture(), laid[k].vertical ? Picture::ImgFrenteH : Picture::ImgFrenteW) << k;
    EXPECT_EQ(views[k]->element(), GetParam()) << k;
    // Its halves show the pips in display order, from the chosen set.
    const auto halves = views[k]->childItems();
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(static_cast<PictureItem*>(halves[0])->element(), laid[k].shown.first() + 7 * GetParam()) << k;
    EXPECT_EQ(static_cast<PictureItem*>(halves[1])->element(), laid[k].shown.last() + 7 * GetParam()) << k;
    EXPECT_TRUE(views[k]->isVisible());
  }
  keep(QStringLiteral("hand-in-progress-%1.png").arg(GetParam()));

  window().actions().MostraPedrasMac();
  const auto& up = window().actions().turnedUp();
  ASSERT_EQ(up.size(), 6u);  // Mac1 two, Mac2 three, Mac3 one
  EXPECT_EQ(up[0]->pos(), window().scene().ImgMac[1][1]->pos());
  EXPECT_EQ(up[5]->pos(), window().scene().ImgMac[3][1]->pos());
  EXPECT_EQ(up[2]->picture(), Picture::PedraHR);  // seat 2 stands its tiles up
  keep(QStringLiteral("hand-end-%1.png").arg(GetParam()));

  window().actions().clearTable();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window().actions().chainViews().empty());
  EXPECT_TRUE(window().actions().turnedUp().empty());
}

INSTANTIATE_TEST_SUITE_P(BothSets, TableShotsTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace tavolix
