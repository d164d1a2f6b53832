// Closing the window at any moment: during the splash, the deal, a slide, a
// pass display, with a message box or any dialog open. The game stops where it
// is, nothing is left waiting, and the settings file stays whole.
#include <functional>

#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/frm_regra.h"
#include "settings/settings_config.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"
#include "window_support.h"

namespace tavolix {
namespace {

class ClosingTest : public ::testing::Test {
 protected:
  ClosingTest() {
    window.setScreenSize([] { return QSize(800, 600); });
    settings.Veloc = 5;  // short animations; the moments are still there
    writeText(store, stored::kCpu1, QStringLiteral("Zorvan"));
    writeSilentWav(dir.filePath(QStringLiteral("passou.wav")));
    window.sounds().setSearchFolders({dir.path()});
  }
  ~ClosingTest() override { pacer::setPace(0.0); }

  // Closes the window the first time `moment` holds, checking every millisecond.
  void closeWhen(std::function<bool()> moment) {
    watcher_.setInterval(1);
    QObject::connect(&watcher_, &QTimer::timeout, [this, moment] {
      if (!closed_ && moment()) {
        closed_ = true;
        window.close();
      }
    });
    watcher_.start();
  }
  // The game, started from its first activation, stops once the window closes.
  void runUntilClosed() {
    const bool stopped = QTest::qWaitFor([this] { return closed_ && !window.isVisible(); }, 20000);
    EXPECT_TRUE(stopped) << "the window never closed";
    // Whatever was running has unwound: nothing waits for a player who left.
    EXPECT_TRUE(QTest::qWaitFor([this] { return window.match().awaiting() == Match::Awaiting::Finished; }, 5000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QTest::qWait(20);  // anything still queued runs, harmlessly
    // The settings file is still a settings file.
    QSettings file(dir.filePath(QStringLiteral("Tavolix.conf")), QSettings::IniFormat);
    EXPECT_EQ(file.status(), QSettings::NoError);
    EXPECT_EQ(file.value(QStringLiteral("cpu1")).toString(), QStringLiteral("Zorvan"));
  }
  void playByDefault() {
    dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { d.Label1_Click(); });
    dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  }
  bool pileReady() {
    return QTest::qWaitFor([this] { return window.match().awaiting() == Match::Awaiting::PileTile; }, 5000);
  }
  // Mac1 to play, from the event loop, on a table of one tile (`laid`, ends 6
  // and 6), holding one tile; the other hands hold one tile that cannot play.
  void mac1ToPlay(std::string_view laid, std::string_view mac1Holds) {
    GameState state;
    state.PedrasJog = handOf({"12"});
    state.PedrasMac1 = handOf({mac1Holds});
    state.PedrasMac2 = handOf({"02"});
    state.PedrasMac3 = handOf({"03"});
    state.PontaA = 6;
    state.PontaB = 6;
    state.Mesa[1] = tile(laid);
    state.QtdMesa = 1;
    state.PrimeiraRodada = false;
    QTimer::singleShot(0, [this, state] { window.match().resume(state, ChainGeometry(), kMac1); });
  }
  void takeSevenTiles() {
    for (int k = 1; k <= 28 && window.match().awaiting() == Match::Awaiting::PileTile; ++k) {
      if (!window.match().state().pileTaken(k)) {
        window.match().takePileTile(k);
      }
    }
  }

  QTemporaryDir dir;
  Settings settings;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  ScriptedRandom random;
  DialogDriver dialogs;
  Form1 window{settings, store, random};
  QTimer watcher_;
  bool closed_ = false;
};

TEST_F(ClosingTest, WithTheNewGameDialogOpen) {
  dialogs.expect<FrmNovoJogo>([this](FrmNovoJogo&) { window.close(); });
  closed_ = true;
  window.show();
  runUntilClosed();
}

TEST_F(ClosingTest, WithTheRulesDialogOpen) {
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { d.Label5_Click(); });
  dialogs.expect<FrmRegra>([this](FrmRegra&) { window.close(); });
  closed_ = true;
  window.show();
  runUntilClosed();
}

TEST_F(ClosingTest, DuringTheDeal) {
  pacer::setPace(1.0);
  playByDefault();
  closeWhen([this] { return window.scene().pileTile(9) != nullptr && window.scene().pileTile(28) == nullptr; });
  window.show();
  runUntilClosed();
}

TEST_F(ClosingTest, DuringAComputerSlide) {
  playByDefault();
  window.show();
  ASSERT_TRUE(pileReady());
  pacer::setPace(1.0);
  closeWhen([this] { return window.scene().movingTile().isVisible(); });
  QTimer::singleShot(0, [this] { takeSevenTiles(); });
  runUntilClosed();
}

TEST_F(ClosingTest, DuringAPassDisplay) {
  playByDefault();
  window.show();
  ASSERT_TRUE(pileReady());
  QSignalSpy passes(&window.sounds(), &SoundPlayer::started);
  pacer::setPace(1.0);
  closeWhen([&passes] {
    for (const auto& played : passes) {
      if (played[0].toString() == QStringLiteral("passou.wav")) return true;
    }
    return false;
  });
  // Mac1 cannot play on 6 and 6 and shows it passes.
  mac1ToPlay("66", "01");
  runUntilClosed();
}

TEST_F(ClosingTest, WithAMessageBoxOpen) {
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { d.Label1_Click(); });
  dialogs.expect<QMessageBox>([this](QMessageBox&) { window.close(); });
  closed_ = true;
  window.show();
  ASSERT_TRUE(pileReady());
  // Mac1 goes out: the message box of the hand comes up, and the window closes under it.
  mac1ToPlay("46", "66");
  runUntilClosed();
}

TEST_F(ClosingTest, WithTheEndOfMatchWindowOpen) {
  playByDefault();
  dialogs.expect<FrmFimdeJogo>([this](FrmFimdeJogo&) { window.close(); });
  closed_ = true;
  window.show();
  ASSERT_TRUE(pileReady());
  // Mac1 goes out and wins the match at once.
  settings.PontosLimit = 1;
  mac1ToPlay("46", "66");
  runUntilClosed();
}

TEST_F(ClosingTest, WithThePreferencesOpenInTheMiddleOfAHand) {
  playByDefault();
  window.show();
  ASSERT_TRUE(pileReady());
  dialogs.expect<FrmOpc>([this](FrmOpc& d) {
    d.Option1[1]->setChecked(true);  // chosen, not confirmed: nothing is stored
    window.close();
  });
  closed_ = true;
  QTimer::singleShot(0, [this] { window.Label1_Click(); });
  EXPECT_TRUE(QTest::qWaitFor([this] { return !window.isVisible(); }, 5000));
  EXPECT_EQ(settings.PedraX, 0);
  QSettings file(dir.filePath(QStringLiteral("Tavolix.conf")), QSettings::IniFormat);
  EXPECT_EQ(file.status(), QSettings::NoError);
  EXPECT_FALSE(file.contains(QStringLiteral("PedraX")));
}

// The program itself, stopped by the window system at different moments,
// ends with exit code 0 and leaves its settings file readable.
class ClosingTheProgram : public ::testing::TestWithParam<int> {};

TEST_P(ClosingTheProgram, EndsCleanlyWithExitCodeZero) {
  QTemporaryDir home;
  const QString file = home.filePath(QStringLiteral("Vantorel/Tavolix.conf"));
  QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("cpu1"), QStringLiteral("Zorvan"));
  QProcessEnvironment environment = gameEnvironment(home.path());
  environment.insert(QStringLiteral("TAVOLIX_PACE"), QStringLiteral("1"));
  QProcess game;
  game.setProcessEnvironment(environment);
  game.start(QStringLiteral(TAVOLIX_EXECUTABLE), {});
  ASSERT_TRUE(game.waitForStarted(10000));
  // During the splash, then with the new game dialog open.
  QTest::qWait(GetParam());
  game.terminate();  // what a logout or the window system's close sends
  ASSERT_TRUE(game.waitForFinished(10000));
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
  QSettings settings(file, QSettings::IniFormat);
  EXPECT_EQ(settings.status(), QSettings::NoError);
  EXPECT_EQ(settings.value(QStringLiteral("cpu1")).toString(), QStringLiteral("Zorvan"));
}

INSTANTIATE_TEST_SUITE_P(Moments, ClosingTheProgram, ::testing::Values(300, 2600));

}  // namespace
}  // namespace tavolix
