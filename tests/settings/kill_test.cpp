// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The program killed at any moment: the match file it leaves is the last one
// it wrote, or the one it was writing, whole, and never anything else.
#include <random>

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "settings/match_file.h"
#include "support/keep_playing.h"

namespace tavolix {
namespace {

// What the match file holds after each write or removal, "" when there is none.
class FileStates : public MatchKeeper {
 public:
  std::vector<QByteArray> states{QByteArray()};
  void playerAsked(const Match& match) override { states.push_back(matchToJson(match.saved())); }
  void matchClosed() override { states.emplace_back(); }
};

TEST(KillTest, EveryKillLeavesTheFileLastWrittenOrTheNextWhole) {
  QTemporaryDir dir;
  std::mt19937 draw(2026);
  constexpr int kKills = 300;
  int resumed = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    const QString path = dir.filePath(QStringLiteral("kill-%1/match.json").arg(kill));
    const unsigned seed = draw();
    QProcess program;
    program.start(QStringLiteral(TAVOLIX_KEEP_PLAYING), {path, QString::number(seed)});
    ASSERT_TRUE(program.waitForStarted());
    // Killed anywhere from its first moments to well into its matches. A slow
    // build may take longer to start than the whole span, so most kills are
    // timed from the first file it writes.
    if (kill % 10 != 0) {
      ASSERT_TRUE(program.waitForReadyRead(30000));
    }
    QThread::usleep(draw() % 40000);
    program.kill();
    ASSERT_TRUE(program.waitForFinished());
    ASSERT_EQ(program.exitStatus(), QProcess::CrashExit);
    const QList<QByteArray> told = program.readAllStandardOutput().split('\n');
    // The last whole line is the last thing the program finished doing.
    const std::size_t done = told.size() >= 2 ? told[told.size() - 2].toULong() : 0;

    // The same matches played here, to the step after the last told.
    FileStates expected;
    keepPlaying(expected, seed, [&] { return expected.states.size() <= done + 1; });
    ASSERT_GT(expected.states.size(), done + 1);

    QFile file(path);
    const QByteArray onDisk = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    ASSERT_TRUE(onDisk == expected.states[done] || onDisk == expected.states[done + 1])
        << "after step " << done << " the file holds:\n"
        << onDisk.toStdString();
    // And the next start takes it as it is.
    MatchFile kept(path);
    const MatchFile::Found found = kept.read();
    EXPECT_FALSE(found.refused()) << found.problem.toStdString();
    EXPECT_EQ(found.match.has_value(), !onDisk.isEmpty());
    resumed += found.match.has_value();
  }
  // Most kills came in the middle of a match.
  EXPECT_GT(resumed, kKills / 2);
}

}  // namespace
}  // namespace tavolix
