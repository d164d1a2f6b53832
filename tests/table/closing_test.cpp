// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Closing the window at any moment: during the deal, a slide, a pass display,
// with a message box or any dialog open. The game stops where it is, nothing
// is left waiting, and the settings file stays whole.
#include <atomic>
#include <functional>
#include <map>

#include <QDirIterator>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/frm_regra.h"
#include "settings/settings_config.h"
#include "support/tiles.h"
#include "window_support.h"

namespace tavolix {
namespace {

class ClosingTest : public WindowTest {
 protected:
  ClosingTest() {
    screen = QSize(800, 600);
    settings.Veloc = 5;  // short animations; the moments are still there
    writeText(store, stored::kCpu1, QStringLiteral("Zorvan"));
    writeSilentWav(dir.filePath(QStringLiteral("passou.wav")));
    window.sounds().setSearchFolders({dir.path()});
    dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { d.Label1_Click(); });
    dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  }

  // Closes the window the first time `moment` holds, looking every millisecond.
  void closeWhen(std::function<bool()> moment) {
    watcher_.setInterval(1);
    QObject::connect(&watcher_, &QTimer::timeout, [this, moment] {
      if (!closed_ && moment()) closeNow();
    });
    watcher_.start();
  }
  void closeNow() {
    closed_ = true;
    window.close();
  }
  void startAtThePile() {
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return awaiting() == Match::Awaiting::PileTile; }, 5000));
  }
  // Mac1 to play, from the event loop, on ends 6 and 6, holding one tile.
  void mac1ToPlay(std::string_view holds) {
    GameState position;
    position.PedrasJog = handOf({"12"});
    position.PedrasMac1 = handOf({holds});
    position.PedrasMac2 = handOf({"02"});
    position.PedrasMac3 = handOf({"03"});
    position.PontaA = position.PontaB = 6;
    position.Mesa[1] = tile("46");
    position.QtdMesa = 1;
    position.PrimeiraRodada = false;
    QTimer::singleShot(
        0, [this, position] { window.match().resume(position, ChainGeometry(), kMac1); });
  }
  // The game, started from its first activation, stops once the window closes.
  void runUntilClosed() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return closed_ && !window.isVisible(); }, 20000));
    // Whatever was running has unwound: nothing waits for a player who left.
    EXPECT_TRUE(QTest::qWaitFor([this] { return awaiting() == Match::Awaiting::Finished; }, 5000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QTest::qWait(20);  // anything still queued runs, harmlessly
    QSettings file(dir.filePath(QStringLiteral("Tavolix.conf")), QSettings::IniFormat);
    EXPECT_EQ(file.status(), QSettings::NoError);
    EXPECT_EQ(file.value(QStringLiteral("cpu1")).toString(), QStringLiteral("Zorvan"));
  }

  QTimer watcher_;
  bool closed_ = false;
};

TEST_F(ClosingTest, WithTheNewGameOrTheRulesDialogOpen) {
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { d.Label5_Click(); });
  dialogs.expect<FrmRegra>([this](FrmRegra&) { closeNow(); });
  window.show();
  runUntilClosed();
}

TEST_F(ClosingTest, DuringTheDeal) {
  pacer::setPace(1.0);
  closeWhen([this] { return scene().pileTile(9) != nullptr && scene().pileTile(28) == nullptr; });
  window.show();
  runUntilClosed();
}

TEST_F(ClosingTest, DuringAComputerSlide) {
  startAtThePile();
  pacer::setPace(1.0);
  closeWhen([this] { return scene().movingTile().isVisible(); });
  QTimer::singleShot(0, [this] {
    for (int k = 1; k <= 7; ++k) window.match().takePileTile(k);
  });
  runUntilClosed();
}

TEST_F(ClosingTest, DuringAPassDisplay) {
  startAtThePile();
  QSignalSpy sounds(&window.sounds(), &SoundPlayer::started);
  pacer::setPace(1.0);
  closeWhen([&sounds] {
    return std::any_of(sounds.begin(), sounds.end(),
                       [](const QList<QVariant>& s) { return s[0].toString() == u"passou.wav"; });
  });
  mac1ToPlay("01");  // Mac1 cannot play on 6 and 6, and shows it
  runUntilClosed();
}

// The window closed while a computer seat thinks on its own thread: the
// thinking is waited for, then the game stops where it is.
TEST_F(ClosingTest, WhileAComputerSeatThinks) {
  struct SlowThinker : ComputerSeat {
    bool thinksLong() const override { return true; }
    SeatAnswer think(const GameState& state, const Settings& rules, int seat,
                     const std::vector<HandEvent>&, std::uint64_t) override {
      thinking = true;
      QThread::msleep(200);
      return turn(state, rules, seat);
    }
    std::atomic<bool> thinking = false;
  } slow;
  window.match().setSeat(kMac1, slow);
  startAtThePile();
  closeWhen([&slow] { return slow.thinking.load(); });
  mac1ToPlay("16");
  runUntilClosed();
  EXPECT_TRUE(slow.thinking);
}

// Mac1 goes out with 6:6: the hand's message box comes up, and at a limit
// of 1 after it the end of the match; the window closes under either.
class ClosingAtTheHandsEnd : public ClosingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ClosingAtTheHandsEnd, WithItsWindowOpen) {
  const bool matchEnds = GetParam();
  settings.PontosLimit = matchEnds ? 1 : 50;
  if (matchEnds) {
    dialogs.expect<FrmFimdeJogo>([this](FrmFimdeJogo&) { closeNow(); });
  } else {
    dialogs.expect<QMessageBox>([this](QMessageBox&) { closeNow(); });
  }
  startAtThePile();
  mac1ToPlay("66");
  runUntilClosed();
}

INSTANTIATE_TEST_SUITE_P(MessageBoxAndMatchEnd, ClosingAtTheHandsEnd, ::testing::Bool());

TEST_F(ClosingTest, WithThePreferencesOpenInTheMiddleOfAHand) {
  startAtThePile();
  dialogs.expect<FrmOpc>([this](FrmOpc& d) {
    d.Option1[1]->setChecked(true);  // chosen, not confirmed: nothing is stored
    closeNow();
  });
  QTimer::singleShot(0, [this] { window.Label1_Click(); });
  EXPECT_TRUE(QTest::qWaitFor([this] { return !window.isVisible(); }, 5000));
  EXPECT_EQ(settings.PedraX, 0);
  EXPECT_FALSE(QSettings(dir.filePath(QStringLiteral("Tavolix.conf")), QSettings::IniFormat)
                   .contains(QStringLiteral("PedraX")));
}

// Every file under `folder` with what it holds.
std::map<QString, QByteArray> filesUnder(const QString& folder) {
  std::map<QString, QByteArray> files;
  QDirIterator found(folder, QDir::Files | QDir::Hidden | QDir::System,
                     QDirIterator::Subdirectories);
  while (found.hasNext()) {
    QFile file(found.next());
    files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?");
  }
  return files;
}

// The program itself, stopped by the window system at a moment of its start:
// the splash, the table coming up, the new game dialog open. However early
// the request comes, it either ends the program cleanly (exit code 0, its
// settings file readable, nothing left behind) or, when it comes before the
// program could take it, ends it with nothing on the disk changed.
class ClosingTheProgram : public ::testing::TestWithParam<int> {};

TEST_P(ClosingTheProgram, EndsCleanlyOrBeforeItChangedAnything) {
  QTemporaryDir home;
  const QString file = home.filePath(QStringLiteral("Vantorel/Tavolix.conf"));
  QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("cpu1"), QStringLiteral("Zorvan"));
  const std::map<QString, QByteArray> before = filesUnder(home.path());
  QProcess game;
  ASSERT_TRUE(startGame(game, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("1")));
  QTest::qWait(GetParam());
  game.terminate();  // what a logout or the window system's close sends
  ASSERT_TRUE(game.waitForFinished(30000));
  if (game.exitStatus() == QProcess::CrashExit) {
    EXPECT_EQ(filesUnder(home.path()), before);
    return;
  }
  EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
  EXPECT_EQ(QSettings(file, QSettings::IniFormat).value(QStringLiteral("cpu1")).toString(),
            QStringLiteral("Zorvan"));
  for (const auto& [path, bytes] : filesUnder(home.path()))
    EXPECT_FALSE(path.endsWith(QStringLiteral(".lock"))) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Moments, ClosingTheProgram,
                         ::testing::Values(0, 5, 20, 60, 150, 400, 1000, 2600));

}  // namespace
}  // namespace tavolix
