// The preferences dialog and what it changes on the table: names, speed,
// sound and the tile set, redrawn at once in the middle of a hand.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>

#include "dialog_driver.h"
#include "settings/frm_novo_jogo.h"
#include "settings/frm_opc.h"
#include "settings/settings_config.h"
#include "window_test_support.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

class PreferencesTest : public WindowTest {
 protected:
  QString stored(const char16_t* name) { return store.LeRegistro(RegistryKey::Main, name, u"(none)"); }
  void send(QEvent::Type type, QPointF twips, Qt::MouseButton button, Qt::MouseButtons held) {
    sendMouseAt(window(), type, twips, button, held);
  }
  void clickTable(QPointF twips) {
    clickAt(window(), twips);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  }
  void clickSettings() { clickTable({1455 + 150, 1080 + 80}); }
  // The player about to open a hand with 3:4 (any tile may open it).
  void playerOpens() {
    screen = QSize(800, 600);
    window().show();
    GameState state;
    state.PedrasJog = handOf({"34", "12"});
    state.PedrasMac1 = handOf({"55"});
    state.PedrasMac2 = handOf({"66"});
    state.PedrasMac3 = handOf({"00"});
    state.QuemInicia = kJog;
    state.PrimeiraRodada = false;
    for (int i = 1; i <= 7; ++i) window().scene().PicJog[i]->setY(TableScene::kTopoMao);
    window().match().resume(state, ChainGeometry(), kJog);
    for (int i = 1; i <= 7; ++i) window().scene().ExibeJog(i);
  }

  void keep(const QString& name) {
    const QString folder = qEnvironmentVariable("TAVOLIX_SHOTS");
    if (!folder.isEmpty()) window().grab().save(QDir(folder).filePath(name));
  }

  DialogDriver dialogs;
};

TEST_F(PreferencesTest, OkWithoutChangesWritesTheSameValuesBack) {
  settings.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"};
  settings.Veloc = 12;
  FrmOpc dialog(settings, store, false);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opções"));
  EXPECT_EQ(dialog.HScroll1->value(), 18);  // 25 - 12 + 5
  dialog.Command1_Click();
  EXPECT_EQ(stored(u"jog"), QStringLiteral("Ana"));
  EXPECT_EQ(stored(u"cpu1"), QStringLiteral("Zorvan"));
  EXPECT_EQ(stored(u"cpu3"), QStringLiteral("Astelo"));
  EXPECT_EQ(stored(u"Veloc"), QStringLiteral("12"));
  EXPECT_EQ(stored(u"PedraX"), QStringLiteral("0"));
  EXPECT_EQ(stored(u"TocarSom"), QStringLiteral("True"));
  EXPECT_EQ(settings.Veloc, 12);
  Settings reloaded;
  LeConfig(store, reloaded);
  EXPECT_EQ(reloaded.Veloc, 12);
  EXPECT_EQ(reloaded.Nomes[2], "Melira");
}

TEST_F(PreferencesTest, TheSpeedBarsEndsStore25And5) {
  FrmOpc slow(settings, store, false);
  slow.HScroll1->setValue(slow.HScroll1->minimum());  // "Mais lento"
  slow.Command1_Click();
  EXPECT_EQ(stored(u"Veloc"), QStringLiteral("25"));
  FrmOpc fast(settings, store, false);
  EXPECT_EQ(fast.HScroll1->value(), 5);
  fast.HScroll1->setValue(fast.HScroll1->maximum());  // "Mais rápido"
  fast.Command1_Click();
  EXPECT_EQ(stored(u"Veloc"), QStringLiteral("5"));
  EXPECT_EQ(settings.Veloc, 5);
}

TEST_F(PreferencesTest, NamesAreKeptShortAndSoundCanBeSwitchedOff) {
  FrmOpc dialog(settings, store, false);
  dialog.Text1[0]->clear();
  QTest::keyClicks(dialog.Text1[0], QStringLiteral("Maximiliano Souza"));
  QTest::keyClicks(dialog.Text1[1], QStringLiteral("abcdefghijklmnop"));
  EXPECT_EQ(dialog.Text1[0]->text(), QStringLiteral("Maximiliano "));  // 12 characters
  EXPECT_EQ(dialog.Text1[1]->text().size(), 10);
  dialog.Check1->setChecked(false);
  dialog.Command1_Click();
  EXPECT_FALSE(settings.TocarSom);
  EXPECT_EQ(stored(u"TocarSom"), QStringLiteral("False"));
}

TEST_F(PreferencesTest, CancelAfterChoosingColouredTilesKeepsTheIvoryOnes) {
  FrmOpc dialog(settings, store, false);
  const QImage ivory = dialog.Image2->grab().toImage();
  dialog.Option1[1]->setChecked(true);
  EXPECT_NE(dialog.Image2->grab().toImage(), ivory);  // the sample changed at once
  dialog.reject();
  EXPECT_EQ(settings.PedraX, 0);
  EXPECT_EQ(stored(u"PedraX"), QStringLiteral("(none)"));
}

TEST_F(PreferencesTest, EnglishCaptions) {
  FrmOpc dialog(settings, store, true);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences"));
  EXPECT_EQ(dialog.Option1[1]->text(), QStringLiteral("Colorful"));
  EXPECT_EQ(static_cast<QGroupBox*>(dialog.Option1[0]->parentWidget())->title(), QStringLiteral("Color Dominoes"));
}

TEST_F(PreferencesTest, SwitchingTheTileSetMidHandRedrawsTheTable) {
  playerOpens();
  // He opens with 3:4 by dragging it to the table; the computer seats pass.
  send(QEvent::MouseMove, TableScene::jogSlot(1) + QPointF(240, 480), Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseButtonPress, TableScene::jogSlot(1) + QPointF(240, 480), Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {6000, 4800}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {6000, 4800}, Qt::LeftButton, Qt::NoButton);
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  TableScene& s = window().scene();
  ASSERT_EQ(window().match().state().Mesa[1], *TileCode::fromText("34"));
  PictureItem* view = s.PicMatrisH0;
  const QPointF where = view->pos();
  EXPECT_EQ(view->picture(), Picture::ImgFrenteW);
  EXPECT_EQ(view->element(), 0);

  keep(QStringLiteral("switch-before.png"));
  dialogs.expect<FrmOpc>([](FrmOpc& d) {
    d.Option1[1]->setChecked(true);
    d.Command1_Click();
  }, QStringLiteral("opcoes.png"));
  clickSettings();
  keep(QStringLiteral("switch-after.png"));
  EXPECT_EQ(settings.PedraX, 1);
  EXPECT_EQ(view->picture(), Picture::ImgFrenteW);
  EXPECT_EQ(view->element(), 1);
  const auto halves = view->childItems();
  EXPECT_EQ(static_cast<PictureItem*>(halves[0])->element(), 10);  // a black 3
  EXPECT_EQ(static_cast<PictureItem*>(halves[1])->element(), 11);  // a black 4
  EXPECT_EQ(view->pos(), where);
  // The hand and the computer seats too.
  EXPECT_EQ(s.PicJog[1]->element(), 1);
  EXPECT_EQ(s.ImgJog2[1]->element(), 2 + 7);
  EXPECT_EQ(s.ImgMac[1][1]->element(), 1);
  EXPECT_EQ(stored(u"PedraX"), QStringLiteral("1"));
}

TEST_F(PreferencesTest, TheSettingsCommandHidesTheFloatingTileAndClicks) {
  playerOpens();
  writeSilentWav(dir.filePath(QStringLiteral("clic3.wav")));
  window().sounds().setSearchFolders({dir.path()});
  send(QEvent::MouseMove, TableScene::jogSlot(2) + QPointF(240, 480), Qt::NoButton, Qt::NoButton);
  ASSERT_TRUE(window().scene().PicMover->isVisible());
  QSignalSpy sounds(&window().sounds(), &SoundPlayer::started);
  dialogs.expect<FrmOpc>([](FrmOpc& d) { d.reject(); });
  clickSettings();
  EXPECT_FALSE(window().scene().PicMover->isVisible());
  ASSERT_EQ(sounds.size(), 1);
  EXPECT_EQ(sounds[0][0].toString(), QStringLiteral("clic3.wav"));
}

TEST_F(PreferencesTest, AnEmptyComputerNameShowsEmptyAndComesBackAtTheNextMatch) {
  playerOpens();
  settings.Nomes[1] = "Zorvan";
  dialogs.expect<FrmOpc>([](FrmOpc& d) {
    d.Text1[1]->clear();
    d.Command1_Click();
  });
  clickSettings();
  EXPECT_EQ(window().scene().LbPlayer[1]->caption(), QString());
  // The empty text is stored as such (and reads as the default).
  EXPECT_EQ(QSettings(dir.filePath(QStringLiteral("Tavolix.conf")), QSettings::IniFormat).value(QStringLiteral("cpu1")),
            QVariant(QString()));
  EXPECT_EQ(stored(u"cpu1"), QStringLiteral("(none)"));
  // The next match reads it back as the default name.
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { d.Label1_Click(); });
  clickTable({420 + 200, 1080 + 80});
  EXPECT_EQ(settings.Nomes[1], "Zorvan");
  EXPECT_EQ(window().scene().LbPlayer[1]->caption(), QStringLiteral("Zorvan"));
}

}  // namespace
}  // namespace tavolix
