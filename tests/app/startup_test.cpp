// Starting the game: its command line and environment, and the program
// starting over a damaged settings file.
#include <QDir>
#include <QProcess>

#include "app/startup_options.h"
#include "table/window_support.h"

namespace tavolix {
namespace {

TEST(StartupOptions, HelpVersionAndRefusals) {
  const StartupOptions help = readStartupOptions({"-h"}, nullptr, nullptr);
  EXPECT_EQ(help.action, StartupOptions::Action::ShowHelp);
  for (const char* mentioned :
       {"--version", "--quit-after-paint", "TAVOLIX_SEED", "TAVOLIX_PACE"}) {
    EXPECT_NE(help.output.find(mentioned), std::string::npos) << mentioned;
  }
  for (const char* bad : {"--bogus", "game.sav", "--seed=4"}) {
    const StartupOptions refused = readStartupOptions({bad}, nullptr, nullptr);
    EXPECT_EQ(refused.action, StartupOptions::Action::Refuse) << bad;
    EXPECT_NE(refused.output.find(bad), std::string::npos);
  }
  // Qt's own options are left to Qt.
  const StartupOptions qt =
      readStartupOptions({"-platform", "offscreen", "--quit-after-paint"}, nullptr, nullptr);
  EXPECT_EQ(qt.action, StartupOptions::Action::Play);
  EXPECT_TRUE(qt.quitAfterPaint);
}

TEST(StartupOptions, SeedAndPaceFromTheEnvironmentOrAWarning) {
  StartupOptions options = readStartupOptions({}, "42", "0.5");
  EXPECT_EQ(options.seed, 42u);
  EXPECT_EQ(options.pace, 0.5);
  EXPECT_TRUE(options.warnings.empty());
  options = readStartupOptions({}, "lucky", "fast");
  EXPECT_FALSE(options.seed.has_value());
  EXPECT_EQ(options.pace, 1.0);
  ASSERT_EQ(options.warnings.size(), 2u);
  EXPECT_NE(options.warnings[0].find("lucky"), std::string::npos);
  EXPECT_EQ(readStartupOptions({}, nullptr, "-1").pace, 1.0);
  EXPECT_EQ(readStartupOptions({}, nullptr, "0").pace, 0.0);
}

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
  game.kill();
  game.waitForFinished(5000);
  EXPECT_TRUE(game.readAllStandardError().contains("TAVOLIX_SEED"));
}

}  // namespace
}  // namespace tavolix
