// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table window: its buttons and commands under real mouse clicks, full
// screen, its size, help, and the table drawn from the game in both tile sets.
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/start_game.h"
#include "artwork/artwork.h"
#include "game/chain_layout.h"
#include "game/texts.h"
#include "kept_looks.h"
#include "settings/settings_config.h"
#include "settings/stored_values.h"
#include "support/tiles.h"
#include "table/help_launcher.h"
#include "table/language.h"
#include "table/sound_player.h"
#include "window_support.h"

namespace tavolix {
namespace {

class TableWindowTest : public WindowTest {
 protected:
  TableWindowTest() { window.setFirstActivationStartsMatch(false); }
  QPointF middle(QRectF r) { return r.center(); }
};

TEST_F(TableWindowTest, AFramelessWindowDrawingTheTableInItsColours) {
  window.show();
  EXPECT_EQ(window.size(), QSize(800, 600));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavolix"));
  EXPECT_DOUBLE_EQ(window.view().scale(),
                   1.0 / 15);  // a twip is a fifteenth of a pixel at this size
  const QImage shot = window.grab().toImage();
  EXPECT_EQ(shot.pixelColor(400, 5), QColor(2, 26, 34));      // the surround above the title strip
  EXPECT_EQ(shot.pixelColor(400, 330), QColor(13, 129, 21));  // the felt
  EXPECT_GT(shot.pixelColor(150, 40).lightness(), 170);       // the title strip
  EXPECT_EQ(scene().command(TableScene::Command::NewGame).caption(), QStringLiteral("Novo Jogo |"));
  EXPECT_EQ(scene().seatName(1).caption(), QStringLiteral("Zorvan"));
  EXPECT_FALSE(scene().command(TableScene::Command::Pass).isVisible());
  EXPECT_EQ(scene().command(TableScene::Command::Help).cursor().shape(),
            Qt::BitmapCursor);  // the hand pointer
}

TEST_F(TableWindowTest, FullScreenOnALargerScreenOnlyMovesTheWindowOnAScreen600High) {
  window.show();
  click(middle(scene().fullScreenButton()));
  EXPECT_TRUE(window.showsFullScreen());
  EXPECT_EQ(window.size(), window.screen()->geometry().size());
  // In full screen the table fits, centred, in proportion.
  window.view().resize(1920, 1080);
  EXPECT_NEAR(window.view().scale(), 1080.0 / 9000, 1e-9);
  EXPECT_NEAR(window.view().mapFromScene(QPointF(0, 0)).x(), (1920 - 1440) / 2, 1);
  window.Image2_Click();
  EXPECT_FALSE(window.isFullScreen());
  EXPECT_EQ(window.size(), QSize(800, 600));
  EXPECT_EQ(window.pos(), QPoint(240, 212));  // centred on 1280 x 1024

  screen = QSize(1024, 600);
  window.Image2_Click();
  EXPECT_FALSE(window.isFullScreen());
  EXPECT_TRUE(window.ResolucaoMudou());
  EXPECT_EQ(window.pos(), QPoint(0, 0));
  window.Image2_Click();
  EXPECT_EQ(window.pos(), QPoint(112, 0));

  screen = QSize(1280, 1024);
  window.Image2_Click();
  ASSERT_TRUE(window.showsFullScreen());
  window.close();
  EXPECT_FALSE(window.isFullScreen());  // the desktop gets its window back
}

// A screen of 960 x 540 in the desktop's units (1920 x 1080 at 200%): the
// window is the table scaled to fit, in the middle, and back to that size after full screen.
TEST_F(TableWindowTest, OnAScreenSmallerThanTheTableTheWindowIsTheTableScaledToFit) {
  screen = QSize(960, 540);
  window.show();
  EXPECT_EQ(window.size(), QSize(720, 540));
  EXPECT_EQ(window.pos(), QPoint(120, 0));
  EXPECT_DOUBLE_EQ(window.view().scale(), 0.9 / 15);
  window.Image2_Click();
  window.Image2_Click();
  EXPECT_EQ(window.size(), QSize(720, 540));
}

// Any size: the window's edges resize it, the table keeps its proportions,
// and the size comes back at the next run; a large screen starts with a large table.
TEST_F(TableWindowTest, TheEdgesResizeTheWindowAndTheSizeIsKept) {
  window.show();
  ASSERT_EQ(window.size(), QSize(800, 600));
  QWidget* viewport = window.view().viewport();
  // Each edge is six pixels wide.
  const auto cursorAt = [&](QPoint at) {
    sendMouse(window, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    return viewport->cursor().shape();
  };
  for (const auto& [inside, outside, shape] :
       {std::tuple{QPoint(5, 300), QPoint(6, 300), Qt::SizeHorCursor},
        std::tuple{QPoint(794, 300), QPoint(793, 300), Qt::SizeHorCursor},
        std::tuple{QPoint(400, 5), QPoint(400, 6), Qt::SizeVerCursor},
        std::tuple{QPoint(400, 594), QPoint(400, 593), Qt::SizeVerCursor}}) {
    EXPECT_EQ(cursorAt(inside), shape) << inside.x() << "," << inside.y();
    EXPECT_NE(cursorAt(outside), shape) << outside.x() << "," << outside.y();
  }
  EXPECT_EQ(cursorAt(QPoint(2, 2)), Qt::SizeFDiagCursor);
  EXPECT_EQ(cursorAt(QPoint(797, 2)), Qt::SizeBDiagCursor);
  EXPECT_EQ(cursorAt(QPoint(798, 598)), Qt::SizeFDiagCursor);
  sendMouse(window, QEvent::MouseButtonPress, QPoint(798, 598), Qt::LeftButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseMove, QPoint(1198, 798), Qt::NoButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseButtonRelease, QPoint(1198, 798), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.size(), QSize(1200, 800));
  EXPECT_DOUBLE_EQ(window.view().scale(), 800.0 / 9000);                     // the height decides
  EXPECT_NEAR(window.view().mapFromScene(QPointF(6000, 4500)).x(), 600, 1);  // centred
  // No smaller than half the table.
  sendMouse(window, QEvent::MouseButtonPress, QPoint(1198, 400), Qt::LeftButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseMove, QPoint(0, 400), Qt::NoButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseButtonRelease, QPoint(0, 400), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.size(), QSize(400, 800));
  // Taller than the table: the table keeps to the top, its title strip the window's.
  EXPECT_NEAR(window.view().mapFromScene(QPointF(0, 0)).y(), 0, 1);
  EXPECT_NEAR(window.view().mapFromScene(QPointF(12000, 0)).x(), 400, 1);
  // From the left the same: the right edge stays where it is.
  const int right = window.geometry().right();
  sendMouse(window, QEvent::MouseButtonPress, QPoint(1, 400), Qt::LeftButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseMove, QPoint(300, 400), Qt::NoButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseButtonRelease, QPoint(300, 400), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.width(), 400);
  EXPECT_EQ(window.geometry().right(), right);
  // The top edge is one too, above the title strip.
  sendMouse(window, QEvent::MouseMove, QPoint(200, 2), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(viewport->cursor().shape(), Qt::SizeVerCursor);
  const QRect before = window.geometry();
  sendMouse(window, QEvent::MouseButtonPress, QPoint(200, 2), Qt::LeftButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseMove, QPoint(200, 52), Qt::NoButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseButtonRelease, QPoint(200, 52), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.geometry(), before.adjusted(0, 50, 0, 0));  // the bottom stays
  // The bottom edge dragged far up: half the table high, the top where it was.
  const QRect above = window.geometry();
  sendMouse(window, QEvent::MouseButtonPress, QPoint(200, above.height() - 2), Qt::LeftButton,
            Qt::LeftButton);
  sendMouse(window, QEvent::MouseMove, QPoint(200, -500), Qt::NoButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseButtonRelease, QPoint(200, -500), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.geometry(), QRect(above.topLeft(), QSize(400, 300)));
  window.resize(1000, 750);
  window.close();

  Form1 again(settings, store, random);
  again.setFirstActivationStartsMatch(false);
  again.setScreenSize([] { return QSize(1280, 1024); });
  again.show();
  EXPECT_EQ(again.size(), QSize(1000, 750));
  // As small as the edges allow, it is kept too; smaller, it is not.
  for (const QSize& kept : {QSize(400, 300), QSize(399, 300)}) {
    writeText(store, stored::kWindowWidth, QString::number(kept.width()));
    writeText(store, stored::kWindowHeight, QString::number(kept.height()));
    Form1 next(settings, store, random);
    next.setFirstActivationStartsMatch(false);
    next.setScreenSize([] { return QSize(1280, 1024); });
    next.show();
    EXPECT_EQ(next.size(), kept.width() >= 400 ? kept : QSize(800, 600)) << kept.width();
  }
}

TEST(WindowSize, ALargeScreenStartsWithALargeTable) {
  QTemporaryDir dir;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  Settings settings;
  RandomSource random(1);
  for (const auto& [screen, size] : {std::pair{QSize(2560, 1440), QSize(1632, 1224)},
                                     {QSize(1920, 1080), QSize(1224, 918)},
                                     {QSize(1280, 720), QSize(800, 600)},
                                     {QSize(1280, 1024), QSize(800, 600)}}) {
    Form1 window(settings, store, random);
    window.setFirstActivationStartsMatch(false);
    window.setScreenSize([screen] { return screen; });
    window.show();
    EXPECT_EQ(window.size(), size) << screen.width();
    window.hide();
  }
  // A kept size the window could not have had (below the least, or past the
  // screen) is not taken: the table's own.
  for (const QSize kept : {QSize(100, 600), QSize(800, 100), QSize(1300, 600), QSize(800, 1100)}) {
    writeText(store, stored::kWindowWidth, QString::number(kept.width()));
    writeText(store, stored::kWindowHeight, QString::number(kept.height()));
    Form1 window(settings, store, random);
    window.setFirstActivationStartsMatch(false);
    window.setScreenSize([] { return QSize(1280, 1024); });
    window.show();
    EXPECT_EQ(window.size(), QSize(800, 600)) << kept.width() << "x" << kept.height();
    window.hide();
  }
}

TEST_F(TableWindowTest, TheTitleStripMovesTheWindowMinimiseAndClose) {
  window.show();
  window.move(100, 100);
  QWidget* viewport = window.view().viewport();
  // Where the window system cannot move the window itself, the window follows the pointer.
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  QTest::mouseMove(viewport, QPoint(260, 70));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(260, 70));
  EXPECT_EQ(window.pos(), QPoint(160, 130));
  // The felt moves nothing, nor the strip under another button.
  for (const auto& [button, from] :
       {std::pair{Qt::LeftButton, QPoint(400, 300)}, std::pair{Qt::RightButton, QPoint(200, 40)},
        std::pair{Qt::MiddleButton, QPoint(200, 40)}}) {
    QTest::mousePress(viewport, button, Qt::NoModifier, from);
    QTest::mouseMove(viewport, from + QPoint(50, 50));
    QTest::mouseRelease(viewport, button, Qt::NoModifier, from + QPoint(50, 50));
    EXPECT_EQ(window.pos(), QPoint(160, 130)) << button;
  }
  // A double click on the title strip makes the window as large as it may be, and back.
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  EXPECT_TRUE(window.isMaximized());
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  EXPECT_FALSE(window.isMaximized());
  // A button lights up under the pointer only: unlit, its glyph is the table picture's.
  QGraphicsItem* lit = scene().itemAt(middle(scene().closeButton()), QTransform());
  ASSERT_NE(lit, nullptr);
  EXPECT_TRUE(inkOf(*lit, lit->boundingRect()).isEmpty());
  sendMouseAt(window, QEvent::MouseMove, {6000, 4500}, Qt::NoButton, Qt::NoButton);
  // ... and is painted again as it lights and as it goes dark.
  const auto repainted = [this](const std::function<void()>& move) {
    QCoreApplication::processEvents();  // what was painting anyway
    PaintWatch watch(window.view().viewport());
    move();
    QCoreApplication::processEvents();
    return watch.painted.contains(window.view().mapFromScene(scene().closeButton()).boundingRect());
  };
  EXPECT_TRUE(repainted([&] {
    sendMouseAt(window, QEvent::MouseMove, middle(scene().closeButton()), Qt::NoButton,
                Qt::NoButton);
  }));
  EXPECT_FALSE(inkOf(*lit, lit->boundingRect()).isEmpty());
  EXPECT_TRUE(repainted([&] {
    sendMouseAt(window, QEvent::MouseMove, {6000, 4500}, Qt::NoButton, Qt::NoButton);
  }));
  EXPECT_TRUE(inkOf(*lit, lit->boundingRect()).isEmpty());
  click(middle(scene().minimiseButton()));
  EXPECT_TRUE(window.isMinimized());
  window.showNormal();
  click(middle(scene().closeButton()));
  EXPECT_FALSE(window.isVisible());
}

TEST_F(TableWindowTest, HelpOpensTheCompiledHelpOrElseThePagesOrSaysWhereTheyAre) {
  std::vector<QUrl> opened;
  bool opens = true;
  std::function<void(bool)> pendingCheck;
  window.setHelpLauncher(HelpLauncher([&](const QUrl& url) { return opened.push_back(url), opens; },
                                      [&](auto answer) { pendingCheck = std::move(answer); },
                                      {dir.path()}));
  window.show();
  QSignalSpy helped(&window, &Form1::helpOpened);
  QString told;
  dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  click(TableScene::Command::Help);  // nothing to show yet
  ASSERT_EQ(helped.size(), 1);
  EXPECT_TRUE(told.contains(dir.path())) << told.toStdString();  // where it looked

  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("help")));
  QFile(dir.filePath(QStringLiteral("help/index.html"))).open(QIODevice::WriteOnly);
  QFile(dir.filePath(QStringLiteral("tavolix.chm"))).open(QIODevice::WriteOnly);
  click(TableScene::Command::Help);
  // While the desktop is asked for a viewer, the window goes on.
  ASSERT_TRUE(pendingCheck);
  EXPECT_EQ(helped.size(), 1);
  std::exchange(pendingCheck, nullptr)(true);
  ASSERT_EQ(helped.size(), 2);
  EXPECT_TRUE(helped[1][0].toUrl().path().endsWith(QStringLiteral("/tavolix.chm")));

  click(TableScene::Command::Help);
  std::exchange(pendingCheck, nullptr)(false);  // no viewer: the pages in the browser
  ASSERT_EQ(helped.size(), 3);
  EXPECT_TRUE(helped[2][0].toUrl().path().endsWith(QStringLiteral("/help/index.html")));

  opens = false;  // and nothing can show them: he is told where they are
  dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  click(TableScene::Command::Help);
  std::exchange(pendingCheck, nullptr)(true);
  ASSERT_EQ(helped.size(), 4);
  EXPECT_TRUE(helped[3][0].toUrl().isEmpty());
  EXPECT_TRUE(told.contains(QDir(dir.path()).filePath(QStringLiteral("help/index.html"))))
      << told.toStdString();
  EXPECT_EQ(opened.size(), 4u);  // the CHM, the pages, then both refused
}

// The help and the sounds come from where the game is installed, the current
// folder never; the pages built beside the program say what the game does.
TEST(HelpFiles, AreTheInstalledOnesAndTellTheRules) {
  QTemporaryDir here;
  QDir(here.path()).mkdir(QStringLiteral("help"));
  QFile(here.filePath(QStringLiteral("help/index.html"))).open(QIODevice::WriteOnly);
  QFile(here.filePath(QStringLiteral("clic3.wav"))).open(QIODevice::WriteOnly);
  const QString was = QDir::currentPath();
  QDir::setCurrent(here.path());
  const QString found = HelpLauncher().htmlIndex();
  const Settings sounding;
  const QString sound = SoundPlayer(sounding).locate(QStringLiteral("clic3.wav"));
  QDir::setCurrent(was);
  EXPECT_FALSE(found.startsWith(QDir(here.path()).canonicalPath())) << found.toStdString();
  EXPECT_FALSE(sound.startsWith(QDir(here.path()).canonicalPath())) << sound.toStdString();
  EXPECT_EQ(installedFolders(), (QStringList{QCoreApplication::applicationDirPath(),
                                             QStringLiteral(TAVOLIX_DATA_DIR)}));

  // The desktop is asked for a CHM viewer without waiting; no xdg-mime means none.
  const QByteArray path = qgetenv("PATH");
  QFile fake(here.filePath(QStringLiteral("xdg-mime")));
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write("#!/bin/sh\necho xchm.desktop\n");
  fake.close();
  fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  for (const bool installed : {false, true}) {
    qputenv("PATH", installed ? here.path().toUtf8() : QByteArray("/nonexistent"));
    std::optional<bool> viewer;
    askForChmViewer([&viewer](bool has) { viewer = has; });
    EXPECT_FALSE(viewer.has_value());
    EXPECT_TRUE(QTest::qWaitFor([&viewer] { return viewer.has_value(); }, 10000));
    EXPECT_EQ(viewer, installed);
  }
  qputenv("PATH", path);

  const QString built = QFileInfo(QStringLiteral(TAVOLIX_EXECUTABLE)).absolutePath();
  const auto page = [&built](const char* name) {
    QFile file(QDir(built).filePath(QStringLiteral("help/") + QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  };
  const QString commands = page("comandos.html");
  EXPECT_TRUE(commands.contains(QStringLiteral("<b>Enter</b>")));
  EXPECT_TRUE(commands.contains(QStringLiteral("<b>Esc</b>")));
  const QString scoring = page("batidas.html");
  EXPECT_TRUE(scoring.contains(QStringLiteral("regra 3: o rodízio segue")));
  EXPECT_FALSE(scoring.contains(QStringLiteral("a próxima mão começa pelo 6:6")));
}

// A hand far into play, laid by the table's own actions in either tile set:
// both arms turned twice, a double on each side; then the end of the hand.
class DrawnHandTest : public WindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(DrawnHandTest, EveryTileWhereTheChainPutsItShowingItsPips) {
  const int set = GetParam();
  settings.PedraX = static_cast<std::int16_t>(set);
  GameState position;
  position.PedrasJog = handOf({"04", "25", "13"});
  position.PedrasMac1 = handOf({"00", "35"});
  position.PedrasMac2 = handOf({"16", "02", "22", "14", "26", "44", "06"});  // all seven
  position.PedrasMac3 = handOf({"55"});
  position.PontaA = 3;
  position.PontaB = 4;
  playerToMove(position);
  ChainLayout chain;
  std::vector<TilePlacement> laid;
  const auto lay = [&](Lado side, TilePlacement p) {
    scene().layTile({kJog, 1, side, p, true});
    laid.push_back(p);
  };
  const QImage bare = window.grab().toImage();
  lay(Lado::First, chain.first(TileCode(3, 4)));
  int endA = 3;
  int endB = 4;
  for (int other :
       {6, 6, 1, 0, 5, 2, 4, 6, 3, 1, 2}) {  // right, a double, down the edge, along the bottom
    const TileCode t(std::min(endB, other), std::max(endB, other));
    lay(Lado::B, chain.PoeNaMesa(static_cast<int>(laid.size()) + 1, t, Lado::B, endB));
    endB = t.otherPip(endB);
  }
  for (int other : {1, 4, 2, 6, 6, 3, 0, 5, 1}) {  // left, up the edge with a double, along the top
    const TileCode t(std::min(endA, other), std::max(endA, other));
    lay(Lado::A, chain.PoeNaMesa(static_cast<int>(laid.size()) + 1, t, Lado::A, endA));
    endA = t.otherPip(endA);
  }
  EXPECT_EQ(chain.geometry().DirB, Direction::Left);
  const auto views = scene().chainViews();
  ASSERT_EQ(views.size(), laid.size());
  for (std::size_t k = 0; k < laid.size(); ++k) {
    EXPECT_EQ(views[k]->pos(), QPointF(laid[k].left, laid[k].top)) << k;
    EXPECT_EQ(views[k]->boundingRect().size(), QSizeF(laid[k].width(), laid[k].height())) << k;
    EXPECT_EQ(views[k]->element(), set) << k;
    const auto halves = views[k]->childItems();
    ASSERT_EQ(halves.size(), 2) << k;
    EXPECT_EQ(static_cast<PictureItem*>(halves[0])->element(), laid[k].shown.first() + 7 * set)
        << k;
    EXPECT_EQ(static_cast<PictureItem*>(halves[1])->element(), laid[k].shown.last() + 7 * set) << k;
    // Each half in its own half of the tile, the two in line along it.
    const QPointF middle = views[k]->sceneBoundingRect().center();
    const QRectF one = halves[0]->sceneBoundingRect();
    const QRectF other = halves[1]->sceneBoundingRect();
    EXPECT_TRUE(views[k]->sceneBoundingRect().contains(one | other)) << k;
    EXPECT_LT(QPointF::dotProduct(one.center() - middle, other.center() - middle), 0) << k;
    EXPECT_TRUE(one.top() == other.top() || one.left() == other.left()) << k;
  }
  // The player's hand as held, first pip on top.
  EXPECT_EQ(scene().handHalf(2, 1).element(), 2 + 7 * set);
  EXPECT_EQ(scene().handHalf(2, 2).element(), 5 + 7 * set);
  EXPECT_FALSE(scene().handTile(4).isVisible());
  EXPECT_EQ(unlikeKeptLook(window.grab().toImage(), QStringLiteral("chain-round-%1").arg(set)), "");

  scene().MostraPedrasMac();
  const auto up = scene().turnedUp();
  ASSERT_EQ(up.size(), 10u);  // Mac1 two, Mac2 seven, Mac3 one, each over its face-down tile
  EXPECT_EQ(up[0]->pos(), scene().computerTile(1, 1).pos());
  EXPECT_EQ(up[8]->pos(), scene().computerTile(2, 7).pos());
  EXPECT_EQ(up[9]->pos(), scene().computerTile(3, 1).pos());
  EXPECT_EQ(up[2]->picture(), Picture::PedraHR);  // seat 2 stands its tiles up
  EXPECT_EQ(unlikeKeptLook(window.grab().toImage(), QStringLiteral("hands-shown-%1").arg(set)), "");
  scene().clearTable();
  EXPECT_TRUE(scene().chainViews().empty());
  EXPECT_TRUE(scene().turnedUp().empty());
  // Out of sight at once, not only once they are deleted.
  const QImage cleared = window.grab().toImage();
  for (const TilePlacement& p : laid) {
    const QPoint at =
        window.view().mapFromScene(QRectF(p.left, p.top, p.width(), p.height()).center());
    EXPECT_EQ(cleared.pixelColor(at), bare.pixelColor(at)) << p.left << "," << p.top;
  }
}

INSTANTIATE_TEST_SUITE_P(BothSets, DrawnHandTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace tavolix
