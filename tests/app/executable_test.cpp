// The installed program as a player or a script runs it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/game_process.h"
#include "tavolix/version.h"

namespace {

struct ProcessResult {
  int exitCode = -1;
  QString out;
  QString err;
};

ProcessResult runTavolix(const QStringList& arguments, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(TAVOLIX_EXECUTABLE), arguments);
  EXPECT_TRUE(process.waitForFinished(30000));
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(Executable, AnswersVersionAndHelpWithoutADisplay) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));

  const ProcessResult version = runTavolix({QStringLiteral("--version")}, environment);
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.trimmed(), QStringLiteral("tavolix ") + QLatin1StringView(tavolix::version::kText));

  const ProcessResult help = runTavolix({QStringLiteral("--help")}, environment);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains(QStringLiteral("Usage: tavolix")));
}

TEST(Executable, RefusesUnknownOptions) {
  const ProcessResult run = runTavolix({QStringLiteral("--frobnicate")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.err.contains(QStringLiteral("--frobnicate")));
  EXPECT_TRUE(run.out.isEmpty());
}

TEST(Executable, QuitsOnceTheTableIsPaintedWhenMeasuringStartUp) {
  QTemporaryDir home;
  QProcessEnvironment environment = tavolix::gameEnvironment(home.path());
  environment.insert(QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0"));
  const ProcessResult run = runTavolix({QStringLiteral("--quit-after-paint")}, environment);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
}

TEST(Executable, StartsOverADamagedSettingsFileAndKeepsRunning) {
  QTemporaryDir home;
  ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Vantorel")));
  QFile damaged(home.filePath(QStringLiteral("Vantorel/Tavolix.conf")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  static const char kDamaged[] = "\x00\x01[Opc\nVeloc=-99999999\nPedraX=9\nTocarSom=maybe\n";
  damaged.write(kDamaged, sizeof kDamaged - 1);  // the leading NUL included
  damaged.close();

  QProcessEnvironment environment = tavolix::gameEnvironment(home.path());
  environment.insert(QStringLiteral("TAVOLIX_SEED"), QStringLiteral("not a number"));
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(TAVOLIX_EXECUTABLE), {});
  ASSERT_TRUE(process.waitForStarted(10000));
  // Still running after a while means it started and is waiting for the player.
  EXPECT_FALSE(process.waitForFinished(1500)) << process.readAllStandardError().toStdString();
  EXPECT_EQ(process.state(), QProcess::Running);
  process.kill();
  process.waitForFinished(5000);
  EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError()).contains(QStringLiteral("TAVOLIX_SEED")));
}

}  // namespace
