// The table window: its controls in their places, its buttons and commands
// under real mouse clicks, full screen, sounds, help and the hands drawn.
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include "app/start_game.h"
#include "dialog_driver.h"
#include "settings/frm_opc.h"
#include "table/frm_splash.h"
#include "table/window_button.h"
#include "tavolix/version.h"
#include "window_test_support.h"

namespace tavolix {
namespace {

using TableWindowTest = WindowTest;

TEST_F(TableWindowTest, AFramelessEightHundredBySixHundredWindowCalledTavolix) {
  window().show();
  EXPECT_EQ(window().size(), QSize(800, 600));
  EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window().windowTitle(), QStringLiteral("Tavolix"));
  // One twip is a fifteenth of a pixel at this size.
  EXPECT_DOUBLE_EQ(window().view().scale(), 1.0 / 15);
  EXPECT_EQ(onScreen({12000, 9000}), QPoint(800, 600));
}

TEST_F(TableWindowTest, EveryControlInItsPlace) {
  TableScene& s = window().scene();
  const std::vector<std::tuple<const char*, QGraphicsItem*, QPointF>> places = {
      {"Image3", s.Image3, {-45, -15}},       {"Image4", s.Image4, {10350, 405}},
      {"Image2", s.Image2, {10740, 375}},     {"Image1", s.Image1, {11175, 390}},
      {"Label2", s.Label2, {420, 1080}},      {"Label1", s.Label1, {1455, 1080}},
      {"Label4", s.Label4, {2340, 1080}},     {"Label7", s.Label7, {435, 1095}},
      {"Label6", s.Label6, {1470, 1095}},     {"Label5", s.Label5, {2355, 1095}},
      {"Label3(0)", s.Label3[0], {7920, 8160}}, {"Label3(1)", s.Label3[1], {7935, 8175}},
      {"LbPlayer(0)", s.LbPlayer[0], {4155, 8340}}, {"LbPlayer(1)", s.LbPlayer[1], {150, 2790}},
      {"LbPlayer(2)", s.LbPlayer[2], {7980, 1155}}, {"LbPlayer(3)", s.LbPlayer[3], {11070, 6765}},
      {"LbPontos(0)", s.LbPontos[0], {3510, 8070}}, {"LbPontos(1)", s.LbPontos[1], {150, 2535}},
      {"LbPontos(2)", s.LbPontos[2], {7995, 1410}}, {"LbPontos(3)", s.LbPontos[3], {11100, 7035}},
      {"Label11", s.Label11, {1065, 7200}},   {"Label8", s.Label8, {1080, 7185}},
      {"Label10", s.Label10, {3345, 5925}},   {"Label9", s.Label9, {3345, 5910}},
      {"ImgMontao(0)", s.ImgMontao0, {3690, 2535}}, {"PicMatrisH(0)", s.PicMatrisH0, {5835, 4575}},
      {"PicM(0)", s.PicM0, {1305, 7905}},     {"PicMove", s.PicMove, {225, 7905}},
      {"PicMover", s.PicMover, {11430, 7995}}, {"Picture2", s.Picture2, {-15, 0}},
  };
  for (const auto& [name, item, at] : places) EXPECT_EQ(item->pos(), at) << name;
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(s.PicJog[i]->pos(), QPointF(4305 + 495 * (i - 1), 7995)) << i;
    EXPECT_EQ(s.ImgMac[1][i]->pos(), QPointF(105, 6135 - 495 * (i - 1))) << i;
    EXPECT_EQ(s.ImgMac[2][i]->pos(), QPointF(4215 + 510 * (i - 1), 1095)) << i;
    EXPECT_EQ(s.ImgMac[3][i]->pos(), QPointF(11070, 3255 + 495 * (i - 1))) << i;
  }
  // The prompt, the message line and the Pass command wait hidden until used.
  for (QGraphicsItem* hidden : {static_cast<QGraphicsItem*>(s.Label11), static_cast<QGraphicsItem*>(s.Label8),
                                static_cast<QGraphicsItem*>(s.Label10), static_cast<QGraphicsItem*>(s.Label9),
                                static_cast<QGraphicsItem*>(s.Label3[0]), static_cast<QGraphicsItem*>(s.PicMover)}) {
    EXPECT_FALSE(hidden->isVisible());
  }
  EXPECT_EQ(s.Label2->caption(), QStringLiteral("Novo Jogo |"));
  EXPECT_EQ(s.Label1->caption(), QStringLiteral("Opções |"));
  EXPECT_EQ(s.Label4->caption(), QStringLiteral("Ajuda"));
  EXPECT_EQ(s.Label3[0]->caption(), QStringLiteral("Passar a vez"));
  EXPECT_EQ(s.LbPlayer[1]->caption(), QStringLiteral("Zorvan"));
  EXPECT_EQ(s.LbPontos[2]->caption(), QStringLiteral("0 pts"));
  EXPECT_EQ(s.Label2->cursor().shape(), Qt::BitmapCursor);  // the hand pointer
  s.useEnglishCaptions();
  EXPECT_EQ(s.Label3[1]->caption(), QStringLiteral("Cannot move"));
  EXPECT_EQ(s.Label7->caption(), QStringLiteral("New Game |"));
}

TEST_F(TableWindowTest, PicturesHaveTheirStoresSizes) {
  struct Size {
    Picture picture;
    int element;
    int width, height;  // pixels
  };
  const Size sizes[] = {
      {Picture::ImgW, 3, 20, 17},       {Picture::ImgW, 10, 17, 17},      {Picture::imgh, 6, 17, 20},
      {Picture::imgh, 13, 17, 17},      {Picture::ImgFrenteW, 0, 56, 29}, {Picture::ImgFrenteW, 1, 56, 29},
      {Picture::ImgFrenteH, 1, 29, 56}, {Picture::PedraW, 0, 59, 33},     {Picture::PedraW, 1, 58, 31},
      {Picture::PedraH, 0, 35, 61},     {Picture::PedraH, 1, 32, 58},     {Picture::PedraWR, 0, 59, 33},
      {Picture::PedraWR, 1, 58, 31},    {Picture::PedraHR, 0, 38, 64},    {Picture::PedraHR, 1, 30, 57},
      {Picture::PedraHR, 2, 34, 61},    {Picture::ImgCostasW, 1, 54, 27}, {Picture::ImgCostasH, 0, 27, 54},
      {Picture::ImgMontaoX, 0, 35, 62}, {Picture::ImgMontaoX, 1, 35, 61}, {Picture::ImgMove, 1, 27, 54},
  };
  for (const Size& s : sizes) {
    EXPECT_EQ(artwork::pictureSize(s.picture, s.element), QSizeF(s.width, s.height))
        << static_cast<int>(s.picture) << "/" << s.element;
  }
  EXPECT_TRUE(artwork::pictureSize(Picture::ImgW, 14).isEmpty());
  EXPECT_TRUE(artwork::pictureSize(Picture::PedraW, 2).isEmpty());
  EXPECT_EQ(PictureItem(Picture::ImgFrenteW, 0).boundingRect(), QRectF(0, 0, 840, 435));
}

TEST_F(TableWindowTest, TheTableIsPaintedInItsColours) {
  window().show();
  const QImage shot = window().grab().toImage();
  EXPECT_EQ(shot.pixelColor(400, 5), QColor(2, 26, 34));     // the surround above the title strip
  EXPECT_EQ(shot.pixelColor(400, 330), QColor(13, 129, 21));  // the felt
  const QColor strip = shot.pixelColor(150, 40);               // the title strip
  EXPECT_GT(strip.lightness(), 170);
  EXPECT_LT(std::abs(strip.red() - strip.blue()), 12);         // grey
}

TEST_F(TableWindowTest, TheHandIsDrawnInBothTileSets) {
  GameState state;
  state.PedrasJog[3] = *TileCode::fromText("25");
  window().scene().bindState(&state);
  TableScene& s = window().scene();

  settings.PedraX = 1;
  s.ExibeJog(3);
  EXPECT_TRUE(s.PicJog[3]->isVisible());
  EXPECT_EQ(s.PicJog[3]->picture(), Picture::PedraHR);
  EXPECT_EQ(s.PicJog[3]->element(), 1);
  EXPECT_EQ(s.imgjog1[3]->element(), 9);   // two red pips
  EXPECT_EQ(s.ImgJog2[3]->element(), 12);  // five yellow pips
  EXPECT_EQ(s.imgjog1[3]->pos(), QPointF(80, 95));
  EXPECT_EQ(s.ImgJog2[3]->pos(), QPointF(80, 485));

  settings.PedraX = 0;
  s.ExibeJog(3);
  EXPECT_EQ(s.PicJog[3]->element(), 0);
  EXPECT_EQ(s.imgjog1[3]->element(), 2);
  EXPECT_EQ(s.ImgJog2[3]->element(), 5);
  EXPECT_EQ(s.imgjog1[3]->pos(), QPointF(140, 130));
  EXPECT_EQ(s.ImgJog2[3]->pos(), QPointF(140, 510));

  // A tile turned over shows its first pip on top.
  state.PedrasJog[3] = *TileCode::fromText("52");
  s.ExibeJog(3);
  EXPECT_EQ(s.imgjog1[3]->element(), 5);
  // An emptied slot is hidden; slots outside 1..7 are ignored.
  state.PedrasJog[3] = TileCode();
  s.ExibeJog(3);
  EXPECT_FALSE(s.PicJog[3]->isVisible());
  s.ExibeJog(0);
  s.ExibeJog(8);
}

TEST_F(TableWindowTest, ComputerHandsAndTheirFirstTile) {
  GameState state;
  state.PedrasMac2[3] = *TileCode::fromText("14");
  state.PedrasMac2[4] = *TileCode::fromText("66");
  window().scene().bindState(&state);
  TableScene& s = window().scene();
  EXPECT_EQ(s.objeto(2), s.ImgMac[2][3]);
  EXPECT_EQ(s.objeto(1), nullptr);
  EXPECT_EQ(s.objeto(0), nullptr);
  EXPECT_EQ(s.objeto(4), nullptr);

  settings.PedraX = 1;
  s.ExibeMac(2);
  EXPECT_EQ(s.ImgMac[2][3]->element(), 1);
  EXPECT_EQ(s.ImgMac[2][4]->picture(), Picture::PedraH);
  EXPECT_EQ(s.ImgMac[2][1]->element(), 0);  // an empty slot keeps its picture
  state.PedrasMac1[1] = *TileCode::fromText("01");
  s.ExibeMac(1);
  EXPECT_EQ(s.ImgMac[1][1]->picture(), Picture::PedraW);
  EXPECT_EQ(s.ImgMac[1][1]->element(), 1);
}

TEST_F(TableWindowTest, FullScreenSkipsTheSwitchOnAScreenAlready600High) {
  screen = QSize(1024, 600);
  window().show();
  window().move(50, 0);
  window().Image2_Click();
  EXPECT_FALSE(window().isFullScreen());
  EXPECT_TRUE(window().ResolucaoMudou());
  EXPECT_EQ(window().pos(), QPoint(0, 0));
  window().Image2_Click();
  EXPECT_FALSE(window().ResolucaoMudou());
  EXPECT_EQ(window().pos(), QPoint(112, 0));  // centred again

  screen = QSize(800, 768);
  window().Image2_Click();
  EXPECT_FALSE(window().isFullScreen());
  EXPECT_EQ(window().pos(), QPoint(0, 0));
}

TEST_F(TableWindowTest, FullScreenOnALargerScreenAndBackAndAtExit) {
  screen = QSize(1280, 1024);
  window().show();
  click({10740 + 200, 375 + 200});  // the full-screen button
  EXPECT_TRUE(window().showsFullScreen());
  EXPECT_TRUE(window().ResolucaoMudou());
  EXPECT_EQ(window().size(), window().screen()->geometry().size());
  window().Image2_Click();
  EXPECT_FALSE(window().showsFullScreen());
  EXPECT_FALSE(window().isFullScreen());
  EXPECT_EQ(window().size(), QSize(800, 600));
  EXPECT_EQ(window().pos(), QPoint(240, 212));

  window().Image2_Click();
  ASSERT_TRUE(window().showsFullScreen());
  window().close();
  EXPECT_FALSE(window().showsFullScreen());  // the desktop gets its window back
  EXPECT_FALSE(window().isFullScreen());
}

TEST_F(TableWindowTest, InFullScreenTheTableFitsCentredInProportion) {
  window().show();
  window().view().resize(1280, 1024);
  EXPECT_NEAR(window().view().scale(), 1280.0 / 12000, 1e-9);
  const QPoint middle = window().view().mapFromScene(QPointF(6000, 4500));
  EXPECT_LE((middle - QPoint(640, 512)).manhattanLength(), 1);
  window().view().resize(1920, 1080);
  EXPECT_NEAR(window().view().scale(), 1080.0 / 9000, 1e-9);
  EXPECT_NEAR(window().view().mapFromScene(QPointF(0, 0)).x(), (1920 - 1440) / 2, 1);
}

TEST_F(TableWindowTest, TheTitleStripMovesTheWindow) {
  window().show();
  window().move(100, 100);
  QWidget* viewport = window().view().viewport();
  // Where the window system cannot move the window itself, the window follows the pointer.
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  QTest::mouseMove(viewport, QPoint(260, 70));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(260, 70));
  EXPECT_EQ(window().pos(), QPoint(160, 130));
  // Below the strip, on the felt, nothing moves the window.
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
  QTest::mouseMove(viewport, QPoint(450, 350));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(450, 350));
  EXPECT_EQ(window().pos(), QPoint(160, 130));
}

TEST_F(TableWindowTest, MinimiseAndClose) {
  window().show();
  click({10350 + 180, 405 + 180});
  EXPECT_TRUE(window().isMinimized());
  window().showNormal();
  click({11175 + 220, 390 + 220});
  EXPECT_FALSE(window().isVisible());
}

TEST_F(TableWindowTest, SoundsPlayOnlyWhenSoundIsOn) {
  writeSilentWav(dir.filePath(QStringLiteral("clic3.wav")));
  window().sounds().setSearchFolders({dir.path()});
  window().show();
  QSignalSpy started(&window().sounds(), &SoundPlayer::started);

  click({2340 + 100, 1080 + 80});  // Help
  DialogDriver dialogs;
  dialogs.expect<FrmOpc>([](FrmOpc& d) { d.reject(); });
  click({1455 + 100, 1080 + 80});  // Settings, its dialog left at once
  ASSERT_EQ(started.size(), 2);
  EXPECT_EQ(started[0][0].toString(), QStringLiteral("clic3.wav"));

  settings.TocarSom = false;
  click({420 + 100, 1080 + 80});  // New Game
  click({11175 + 220, 390 + 220});  // Close
  EXPECT_EQ(started.size(), 2);
  EXPECT_FALSE(window().isVisible());
}

TEST_F(TableWindowTest, SoundsAreLookedForHereThenBesideTheProgram) {
  QTemporaryDir here;
  QTemporaryDir program;
  writeSilentWav(program.filePath(QStringLiteral("passou.wav")));
  SoundPlayer sounds(settings);
  sounds.setSearchFolders({here.path(), program.path()});
  EXPECT_EQ(sounds.locate(QStringLiteral("passou.wav")), QDir(program.path()).filePath(QStringLiteral("passou.wav")));
  writeSilentWav(here.filePath(QStringLiteral("passou.wav")));
  EXPECT_EQ(sounds.locate(QStringLiteral("passou.wav")), QDir(here.path()).filePath(QStringLiteral("passou.wav")));
  // A missing file is silence, not an error.
  QSignalSpy started(&sounds, &SoundPlayer::started);
  sounds.TocaWav(QStringLiteral("nowhere.wav"));
  EXPECT_EQ(started.size(), 0);
  sounds.TocaWav(QStringLiteral("passou.wav"));
  sounds.TocaWav(QStringLiteral("passou.wav"));  // again, cutting off the first
  EXPECT_EQ(started.size(), 2);
}

TEST_F(TableWindowTest, HelpOpensTheCompiledHelpOrElseThePages) {
  QTemporaryDir folder;
  std::vector<QUrl> opened;
  const auto opener = [&](const QUrl& url) {
    opened.push_back(url);
    return true;
  };
  bool viewer = true;
  HelpLauncher launcher(opener, [&] { return viewer; }, {folder.path()});
  EXPECT_EQ(launcher.open(), QUrl());  // nothing to show yet
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("help")));
  QFile(folder.filePath(QStringLiteral("help/index.html"))).open(QIODevice::WriteOnly);
  QFile(folder.filePath(QStringLiteral("tavolix.chm"))).open(QIODevice::WriteOnly);

  EXPECT_TRUE(launcher.open().path().endsWith(QStringLiteral("/tavolix.chm")));
  viewer = false;
  EXPECT_TRUE(launcher.open().path().endsWith(QStringLiteral("/help/index.html")));
  ASSERT_EQ(opened.size(), 2u);

  // The Help command opens it.
  window().setHelpLauncher(launcher);
  window().show();
  QSignalSpy helped(&window(), &Form1::helpOpened);
  click({2340 + 100, 1080 + 80});
  ASSERT_EQ(helped.size(), 1);
  EXPECT_TRUE(helped[0][0].toUrl().path().endsWith(QStringLiteral("index.html")));
}

TEST(StartUp, AScreenUnder600PixelsHighIsRefused) {
  EXPECT_EQ(screenRefusal(QSize(1024, 599)), QStringLiteral("É necessário resolução minima de 800 x 600"));
  EXPECT_EQ(screenRefusal(QSize(640, 600)), std::nullopt);  // the width is not tested
  EXPECT_EQ(screenRefusal(QSize(1920, 1080)), std::nullopt);
}

TEST(StartUp, TheSplashShowsTheVersion) {
  EXPECT_EQ(FrmSplash::versionText(1, 0, 0), QStringLiteral("v 1.0"));
  EXPECT_EQ(FrmSplash::versionText(2, 3, 4), QStringLiteral("v 2.3.4"));
  FrmSplash splash;
  EXPECT_EQ(splash.Label3(), FrmSplash::versionText(version::kMajor, version::kMinor, version::kRevision));
  EXPECT_EQ(splash.size(), QSize(500, 160));
  splash.run();  // at pace 0 it closes at once
  EXPECT_FALSE(splash.isVisible());
}

}  // namespace
}  // namespace tavolix
