// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The program killed while it keeps its match: the file it leaves is the last
// one it wrote, or the one it was writing, whole, and never anything else; and
// the next start takes it as it is.
#include <random>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "settings/match_file.h"
#include "support/keep_playing.h"

namespace tavolix {
namespace {

// What the match file holds after each keeping, "" when there is none: the
// k-th keeping leaves states[k].
class FileStates : public MatchKeeper {
 public:
  std::vector<QByteArray> states{QByteArray()};
  void playerAsked(const Match& match) override { states.push_back(matchToJson(match.saved())); }
  void matchClosed() override { states.emplace_back(); }
};

constexpr unsigned kSeed = 2026;

// The match file after a kill, as the next start finds it; and nothing else
// left beside it once it is read.
void expectWholeAndTaken(const QString& path, const QByteArray& expected) {
  QFile file(path);
  const QByteArray onDisk = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  ASSERT_TRUE(onDisk == expected) << "the file holds:\n" << onDisk.toStdString();
  MatchFile kept(path);
  const MatchFile::Found found = kept.read();
  EXPECT_FALSE(found.refused()) << found.problem.toStdString();
  EXPECT_EQ(found.match.has_value(), !onDisk.isEmpty());
  // A passing name of six small letters stays, as a player's own might (one
  // in about 180 of the names a write passes through).
  QStringList left = QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden);
  left.removeIf([](const QString& name) {
    return QRegularExpression(QStringLiteral("^match\\.json\\.[a-z]{6}$")).match(name).hasMatch();
  });
  EXPECT_LE(left.size(), 1) << left.join(u' ').toStdString();
}

// Killed at chosen steps of chosen keepings: with its new bytes written beside
// the old file but not yet renamed over it, the old file is there whole; once
// a keeping is done, the new one is. The keepings are the first 24 (the
// deal and the first moves), and the end of each match with the first keeping
// of the next.
TEST(KillTest, AtEveryStepOfAKeepingTheFileIsTheOldOneOrTheNewWhole) {
  FileStates expected;
  constexpr std::size_t kKeepings = 400;
  keepPlaying(expected, kSeed, [&] { return expected.states.size() <= kKeepings; });
  const std::vector<QByteArray>& states = expected.states;
  ASSERT_GT(states.size(), kKeepings);
  QTemporaryDir dir;
  int ends = 0;
  for (std::size_t k = 1; k <= kKeepings; ++k) {
    const bool end = states[k].isEmpty() && !states[k - 1].isEmpty();
    ends += end;
    if (k > 24 && !end && !(states[k - 1].isEmpty() && k > 1)) continue;
    for (const char* step : {"written", "done"}) {
      const bool written = step == std::string_view("written");
      if (written && states[k].isEmpty()) continue;  // a removal writes nothing
      SCOPED_TRACE("keeping " + std::to_string(k) + ", " + step);
      const QString stepName = QString::fromLatin1(step);
      const QString path = dir.filePath(QStringLiteral("%1-%2/match.json").arg(k).arg(stepName));
      QProcess program;
      program.start(QStringLiteral(TAVOLIX_KEEP_PLAYING),
                    {path, QString::number(kSeed), QString::number(k), stepName});
      ASSERT_TRUE(program.waitForFinished(60000));
      ASSERT_EQ(program.exitStatus(), QProcess::CrashExit) << "its step never came";
      expectWholeAndTaken(path, written ? states[k - 1] : states[k]);
    }
  }
  EXPECT_GE(ends, 2);  // the kills covered matches' ends too
}

// Killed at any moment: at each, the file is the last one kept, or the one
// being kept, whole.
TEST(KillTest, AtAnyMomentTheFileIsTheLastKeptOrTheNextWhole) {
  QTemporaryDir dir;
  std::mt19937 draw(kSeed);
  for (int kill = 0; kill < 30; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    const QString path = dir.filePath(QStringLiteral("kill-%1/match.json").arg(kill));
    QProcess program;
    program.start(QStringLiteral(TAVOLIX_KEEP_PLAYING), {path, QString::number(kSeed)});
    ASSERT_TRUE(program.waitForStarted());
    if (kill % 5 != 0) {
      ASSERT_TRUE(program.waitForReadyRead(30000));
    }
    QThread::usleep(draw() % 40000);
    program.kill();
    ASSERT_TRUE(program.waitForFinished());
    const QList<QByteArray> told = program.readAllStandardOutput().split('\n');
    // The last whole line is the last keeping it finished.
    const std::size_t done = told.size() >= 2 ? told[told.size() - 2].toULong() : 0;
    FileStates expected;
    keepPlaying(expected, kSeed, [&] { return expected.states.size() <= done + 1; });
    ASSERT_GT(expected.states.size(), done + 1);
    QFile file(path);
    const QByteArray onDisk = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    expectWholeAndTaken(
        path, onDisk == expected.states[done] ? expected.states[done] : expected.states[done + 1]);
  }
}

}  // namespace
}  // namespace tavolix
