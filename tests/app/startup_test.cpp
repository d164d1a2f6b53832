// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Starting the game: its command line and environment, and the program
// starting over a damaged settings file or from a table's link.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/one_game.h"
#include "app/start_game.h"
#include "app/startup_options.h"
#include "app/termination.h"
#include "dialogs/frm_opc.h"
#include "game/random_source.h"
#include "game/tempo.h"
#include "settings/json_file.h"
#include "settings/settings_store.h"
#include "table/frm_splash.h"
#include "table/language.h"
#include "table/pacer.h"
#include "table/window_support.h"
#include "tavolix/version.h"

namespace tavolix {
namespace {

// The arguments as the application leaves them, Qt's own options taken out.
StartupOptions read(QStringList arguments, const char* seed = nullptr, const char* pace = nullptr) {
  arguments.prepend(QStringLiteral("tavolix"));
  return readStartupOptions(arguments, seed, pace);
}

TEST(StartupOptions, HelpVersionAndRefusals) {
  const StartupOptions help = read({QStringLiteral("-h")});
  EXPECT_EQ(help.action, StartupOptions::Action::ShowHelp);
  for (const char* mentioned :
       {"--version", "--quit-after-paint", "TAVOLIX_SEED", "TAVOLIX_PACE"}) {
    EXPECT_NE(help.output.find(mentioned), std::string::npos) << mentioned;
  }
  EXPECT_EQ(read({QStringLiteral("--version")}).action, StartupOptions::Action::ShowVersion);
  for (const auto& [bad, named] : {std::pair{"--bogus", "--bogus"},
                                   {"game.sav", "game.sav"},
                                   {"--seed=4", "--seed"},
                                   {"-x", "-x"}}) {
    const StartupOptions refused = read({QString::fromLatin1(bad)});
    EXPECT_EQ(refused.action, StartupOptions::Action::Refuse) << bad;
    EXPECT_NE(refused.output.find(named), std::string::npos) << refused.output;
  }
  const StartupOptions noLanguage = read({QStringLiteral("--lang")});  // its value missing
  EXPECT_EQ(noLanguage.action, StartupOptions::Action::Refuse);
  EXPECT_NE(noLanguage.output.find("lang"), std::string::npos) << noLanguage.output;
  EXPECT_TRUE(read({QStringLiteral("--quit-after-paint")}).quitAfterPaint);
  EXPECT_EQ(read({}).action, StartupOptions::Action::Play);
}

// A table's link, as the desktop hands it over: taken when it is one, refused
// with its reason when it is not, and only one.
TEST(StartupOptions, ALinkToATable) {
  const StartupOptions linked = read({QStringLiteral("tavolix://mesa.example.org:5000/N3XP-G97X")});
  EXPECT_EQ(linked.action, StartupOptions::Action::Play);
  EXPECT_EQ(linked.link, QStringLiteral("tavolix://mesa.example.org:5000/N3XP-G97X"));
  EXPECT_TRUE(read({}).link.isEmpty());
  for (const char* bad : {"tavolix://", "tavolix://host:5000/", "tavolix://host:5000/SHORT",
                          "tavolix:nothing", "TAVOLIX://host:99999/N3XPG97X"}) {
    const StartupOptions refused = read({QString::fromLatin1(bad)});
    EXPECT_EQ(refused.action, StartupOptions::Action::Refuse) << bad;
    EXPECT_NE(refused.output.find("tavolix://ENDEREÇO:PORTA/CÓDIGO"), std::string::npos)
        << refused.output;
  }
  EXPECT_EQ(
      read({QStringLiteral("tavolix://a:1/N3XPG97X"), QStringLiteral("tavolix://b:1/N3XPG97X")})
          .action,
      StartupOptions::Action::Refuse);
}

TEST(StartupOptions, SeedAndPaceFromTheEnvironmentOrAWarning) {
  StartupOptions options = read({}, "42", "0.5");
  EXPECT_EQ(options.seed, 42u);
  EXPECT_EQ(options.pace, 0.5);
  EXPECT_TRUE(options.warnings.empty());
  options = read({}, "lucky", "fast");
  EXPECT_FALSE(options.seed.has_value());
  EXPECT_EQ(options.pace, 1.0);
  ASSERT_EQ(options.warnings.size(), 2u);
  EXPECT_NE(options.warnings[0].find("lucky"), std::string::npos);
  EXPECT_EQ(read({}, nullptr, "-1").pace, 1.0);
  EXPECT_EQ(read({}, nullptr, "0").pace, 0.0);
  EXPECT_EQ(read({}, nullptr, "100").pace, 100.0);
  // Spaces around the factor, as a shell line may leave them, are no part of it.
  EXPECT_EQ(read({}, nullptr, "  0.25").pace, 0.25);
  EXPECT_EQ(read({}, nullptr, "0.25  ").pace, 0.25);
  EXPECT_EQ(read({}, nullptr, " 2 ").pace, 2.0);
  EXPECT_EQ(read({}, nullptr, "   ").pace, 1.0);  // nothing at all
  // So slow that a wait in milliseconds would overflow: refused with the same warning.
  for (const char* slow : {"100.5", "1e6", "1e300"}) {
    const StartupOptions refused = read({}, nullptr, slow);
    EXPECT_EQ(refused.pace, 1.0) << slow;
    ASSERT_EQ(refused.warnings.size(), 1u) << slow;
    EXPECT_NE(refused.warnings[0].find("from 0 to 100"), std::string::npos);
  }
  // Whatever the factor set, a wait stays a positive number of milliseconds.
  pacer::setPace(1e12);
  EXPECT_EQ(pacer::scaled(tempo::kSplashMs), 200'000);
  pacer::setPace(0.0);
}

// A second start brings the window back from the taskbar, or from behind another.
TEST_F(WindowTest, ASecondStartBringsTheWindowToTheFront) {
  window.setFirstActivationStartsMatch(false);
  window.showMinimized();
  settle();
  ASSERT_TRUE(window.isMinimized());
  bringToFront(window);
  settle();
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isVisible());
  // Behind another window, it comes to the front with the keyboard.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 20000));
  bringToFront(window);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window, 20000));
}

// The desktop finds the program by its application id, and every window,
// the table and each dialog, shows the game's icon at every size a window's
// frame, task bar or switcher draws it; the 256-pixel icon is the launcher's,
// in the icon theme (on X11 every size a window has is copied to the server).
TEST_F(WindowTest, EveryWindowShowsTheGamesIcon) {
  presentApplication();
  setWindowIcons();
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.vantorel.Tavolix"));
  FrmOpc preferences(settings, store);
  for (const QWidget* shown :
       {static_cast<QWidget*>(&window), static_cast<QWidget*>(&preferences)}) {
    const QIcon icon = shown->windowIcon();
    for (const int size : {16, 22, 32, 48, 64, 128}) {
      EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
      EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
    EXPECT_FALSE(icon.availableSizes().contains(QSize(256, 256)));
  }
  // Each size is the picture the icon theme has at that size (kept in the
  // program as bare pixels; within rounding, as a PNG keeps no premultiplied
  // colours).
  for (const int size : {16, 22, 32, 48, 64, 128}) {
    const QImage theme =
        QImage(QStringLiteral(TAVOLIX_THEME_ICONS "/%1x%1/apps/org.vantorel.Tavolix.png").arg(size))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage shown = QApplication::windowIcon().pixmap(size).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(theme.size(), QSize(size, size)) << size;
    ASSERT_EQ(shown.size(), theme.size()) << size;
    int worst = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const QRgb a = theme.pixel(x, y), b = shown.pixel(x, y);
        worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
      }
    }
    EXPECT_LE(worst, 2) << size;
  }
}

// The game plays in the language asked for on the command line whatever was
// stored, and its options say so (the preferences open on that language);
// the rest comes from the store.
TEST(StartUp, TheOptionsSpeakTheLanguageInUse) {
  const Language before = currentLanguage();
  QTemporaryDir dir;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  ASSERT_TRUE(store.GravaRegistro(RegistryKey::Main, u"Language", QStringLiteral("en")));
  ASSERT_TRUE(store.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
  useLanguage(Language::Portuguese);  // --lang pt
  const Settings portuguese = settingsAtStart(store);
  EXPECT_FALSE(portuguese.Ingles);
  EXPECT_EQ(portuguese.Veloc, 20);
  ASSERT_TRUE(store.GravaRegistro(RegistryKey::Main, u"Language", QStringLiteral("pt")));
  useLanguage(Language::English);  // --lang en
  EXPECT_TRUE(settingsAtStart(store).Ingles);
  useLanguage(before);
}

#ifdef Q_OS_UNIX
// Each request to stop is told once: a logout's SIGTERM does not go on
// closing the window again and again (asking again, where closing asks).
TEST(StartUp, EachRequestToStopIsToldOnce) {
  TerminationRequests stop;
  int told = 0;
  QObject::connect(&stop, &TerminationRequests::requested, [&told] { ++told; });
  for (int request = 1; request <= 2; ++request) {
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return told >= request; }, 10000));
    for (int turn = 0; turn < 50; ++turn) QCoreApplication::processEvents();
    EXPECT_EQ(told, request);
  }
}
#endif

TEST(Program, StartsOverADamagedSettingsFileAndKeepsRunning) {
  QTemporaryDir home;
  ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Vantorel")));
  QFile damaged(home.filePath(QStringLiteral("Vantorel/Tavolix.conf")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  static const char kDamaged[] = "\x00\x01[Opc\nVeloc=-99999999\nPedraX=9\nTocarSom=maybe\n";
  damaged.write(kDamaged, sizeof kDamaged - 1);  // the leading NUL included
  damaged.close();
  QProcess game;
  ASSERT_TRUE(
      startGame(game, home.path(), QStringLiteral("TAVOLIX_SEED"), QStringLiteral("not a number")));
  // Still running after a while: it started and waits for the player.
  EXPECT_FALSE(game.waitForFinished(1500)) << game.readAllStandardError().toStdString();
  // Asked to end as a desktop asks, it leaves nothing behind in the temporary folder.
  game.terminate();
  if (!game.waitForFinished(10000)) game.kill();
  game.waitForFinished(5000);
  EXPECT_TRUE(game.readAllStandardError().contains("TAVOLIX_SEED"));
}

// Started from a table's link, the game goes to that table at once: here a
// listener on the loopback address stands in for the table's server.
TEST(Program, StartedFromATablesLinkGoesToThatTable) {
  QTemporaryDir home;
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  QProcess game;
  ASSERT_TRUE(
      startGame(game, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0"),
                {QStringLiteral("tavolix://127.0.0.1:%1/N3XPG97X").arg(server.serverPort())}));
  const bool reached = server.waitForNewConnection(30000);
  game.terminate();
  if (!game.waitForFinished(10000)) game.kill();
  game.waitForFinished(5000);
  EXPECT_TRUE(reached) << game.readAllStandardError().toStdString();
}

// --quit-after-paint measures the start alone: the splash, then the table
// painted, and the program ends with no dialog opened and no match begun. The
// table has the game's icon and keeps the match, the record and the seat
// online; the splash, shown before the icon is loaded, has none.
TEST(StartUp, AScreenUnder600PixelsHighIsRefusedAndTheSplashShowsTheVersion) {
  EXPECT_EQ(screenRefusal(QSize(1024, 599)),
            QStringLiteral("É necessário resolução minima de 800 x 600"));
  EXPECT_EQ(screenRefusal(QSize(640, 600)), std::nullopt);  // the width is not tested
  EXPECT_EQ(FrmSplash::versionText(1, 0, 0), QStringLiteral("v 1.0"));
  EXPECT_EQ(FrmSplash::versionText(2, 3, 4), QStringLiteral("v 2.3.4"));
  FrmSplash splash;
  EXPECT_EQ(splash.Label3(),
            FrmSplash::versionText(version::kMajor, version::kMinor, version::kRevision));
  EXPECT_TRUE(splash.run());  // at pace 0 it closes at once
  pacer::setPace(1.0);
  FrmSplash closed;
  QTimer::singleShot(50, &closed, &QWidget::close);
  EXPECT_FALSE(closed.run());  // closed before its time: the player leaves
  pacer::setPace(0.0);
}

// Starts the game on a screen of `screen` with `watch` seeing every event,
// prints its exit status and what `seen` says, and ends this process at once:
// the application is left as the game left it, which the leak checker of a
// sanitizer build would otherwise report.
[[noreturn]] void startWatched(QObject& watch, QSize screen, bool quitAfterPaint,
                               const std::function<QString()>& seen) {
  QTemporaryDir dir;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  RandomSource random(7);
  qApp->installEventFilter(&watch);
  const int status = startGame(*qApp, store, random, screen, quitAfterPaint);
  std::fprintf(stderr, "exit %d, %s\n", status, qPrintable(seen()));
  std::fflush(stderr);
  std::_Exit(0);
}

// The game runs its own event loop to the end, after which this process's
// application is closing: it runs in a process of its own.
TEST(StartUp, QuitAfterPaintEndsOnceTheTableIsPaintedBeforeAnyDialog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto start = [] {
    struct Shown : QObject {
      QStringList windows;
      bool eventFilter(QObject* object, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(object);
        if (event->type() != QEvent::Show || window == nullptr || !window->isWindow()) return false;
        QString seen = QString::fromLatin1(object->metaObject()->className());
        if (!window->windowIcon().isNull()) seen += QStringLiteral(" with the icon");
        if (auto* table = qobject_cast<Form1*>(window); table && table->keepsFiles())
          seen += QStringLiteral(" and its kept files");
        windows << seen;
        return false;
      }
    } shown;
    startWatched(shown, QSize(1920, 1080), true,
                 [&shown] { return QStringLiteral("windows: ") + shown.windows.join(u", "); });
  };
  EXPECT_EXIT(
      start(), ::testing::ExitedWithCode(0),
      "exit 0, windows: tavolix::FrmSplash, tavolix::Form1 with the icon and its kept files\n");
}

// On a screen less than 600 pixels high the game says why in a box of the
// table's colours, and ends with 1 once it is closed.
TEST(StartUp, OnAScreenTooSmallTheGameSaysWhyInTheTablesColours) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto start = [] {
    struct Shown : QObject {
      QString seen = QStringLiteral("nothing");
      bool eventFilter(QObject* object, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(object);
        if (event->type() != QEvent::Show || box == nullptr) return false;
        QTimer::singleShot(0, box, [this, box] {
          seen = (box->text() == screenRefusal(QSize(800, 599)) ? QStringLiteral("the refusal")
                                                                : box->text()) +
                 (onNavy(*box) ? QStringLiteral(" on navy") : QStringLiteral(" on grey"));
          box->accept();
        });
        return false;
      }
    } shown;
    startWatched(shown, QSize(1024, 599), false, [&shown] { return shown.seen; });
  };
  EXPECT_EXIT(start(), ::testing::ExitedWithCode(0), "exit 1, the refusal on navy\n");
}

// A second start brings the game's window back from the task bar.
TEST(StartUp, ASecondStartBringsTheWindowBack) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto start = [] {
    struct Brought : QObject {
      QString seen = QStringLiteral("no window");
      bool eventFilter(QObject* object, QEvent* event) override {
        auto* table = qobject_cast<Form1*>(object);
        if (table == nullptr) return false;
        if (event->type() == QEvent::Show && seen == QStringLiteral("no window")) {
          seen = QStringLiteral("left minimised");
          QTimer::singleShot(0, table, [table] {
            table->showMinimized();
            std::thread([] { OneGame(dataFolder()).wakeRunningGame(60000); }).detach();
            QTimer::singleShot(60000, table, &QWidget::close);
          });
        } else if (event->type() == QEvent::WindowStateChange && !table->isMinimized() &&
                   seen == QStringLiteral("left minimised")) {
          seen = QStringLiteral("brought back");
          QTimer::singleShot(0, table, &QWidget::close);
        }
        return false;
      }
    } brought;
    startWatched(brought, QSize(1920, 1080), false, [&brought] { return brought.seen; });
  };
  EXPECT_EXIT(start(), ::testing::ExitedWithCode(0), "exit 0, brought back\n");
}

}  // namespace
}  // namespace tavolix
