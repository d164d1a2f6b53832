// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The saved match and the record on the disk: written whole and read back,
// and kept safe when the disk, the folder or the file fight back. A write
// that fails leaves the old file whole and is told once; a file that cannot
// be read is never written over; a match over in a folder that will not let
// it go is never offered again.
#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "settings/match_file.h"
#include "settings/record_file.h"
#include "settings/settings_config.h"
#include "support/hostile_disk.h"
#include "support/keep_playing.h"

namespace tavolix {
namespace {

// The first asks of a match, as the game keeps them.
std::vector<SavedMatch> firstAsks(std::size_t count) {
  struct Asks : MatchKeeper {
    std::vector<SavedMatch> saved;
    void playerAsked(const Match& match) override { saved.push_back(match.saved()); }
    void matchClosed() override {}
  } asks;
  keepPlaying(asks, 11, [&] { return asks.saved.size() < count; });
  return asks.saved;
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a kept file told the window.
struct Told {
  std::vector<JsonFile::Failure> failures;
  QString reason;
  void listen(JsonFile& file) {
    file.onTrouble([this](JsonFile::Failure failure, const QString& why) {
      failures.push_back(failure);
      reason = why;
    });
  }
};

PlayerRecord oneMatchWon() {
  PlayerRecord record;
  Settings rules;
  record.addMatch({}, rules, kJog);
  return record;
}

// Written whole and read back; a damaged file set aside, kept whole; a match
// over removed.
TEST(KeptFiles, WrittenWholeReadBackAndSetAsideWhenDamaged) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("deep/er/match.json"));
  MatchFile file(path);
  EXPECT_FALSE(file.read().match.has_value() || file.read().refused()) << "no file is no fault";

  const SavedMatch saved = firstAsks(3).back();
  const QByteArray json = matchToJson(saved);
  ASSERT_TRUE(file.write(saved));
  const MatchFile::Found found = file.read();
  ASSERT_TRUE(found.match.has_value());
  EXPECT_EQ(matchToJson(*found.match), json);

  // Damaged: refused once, kept whole under another name, and gone from its place.
  QFile damaged(path);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
  damaged.write(json.left(json.size() / 2));
  damaged.close();
  const MatchFile::Found refused = file.read();
  EXPECT_TRUE(refused.refused());
  EXPECT_FALSE(refused.match.has_value());
  EXPECT_TRUE(refused.keptAs.startsWith(path + QStringLiteral(".refused-")));
  QFile kept(refused.keptAs);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), json.left(json.size() / 2));
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(file.read().refused());

  // Over: removed.
  ASSERT_TRUE(file.write(saved));
  file.matchClosed();
  EXPECT_FALSE(QFile::exists(path));
}

// A game killed as it renamed its new file over the old one leaves the new
// one under a passing name: the next start tidies it away, and nothing else.
TEST(KeptFiles, WhatAWriteCutShortLeftBesideTheFileGoesAtTheStart) {
  const std::vector<SavedMatch> asks = firstAsks(2);
  QTemporaryDir dir;
  MatchFile file(dir.filePath(QStringLiteral("match.json")));
  ASSERT_TRUE(file.write(asks[0]));
  const QStringList passing{QStringLiteral("match.json.Xk3pQ9"),
                            QStringLiteral("match.json.aBcdef")};
  const QStringList kept{QStringLiteral("match.json.backup"), QStringLiteral("match.json.Xk3pQ"),
                         QStringLiteral("match.json.refused-20261208-033522-749"),
                         QStringLiteral("record.json.Xk3pQ9")};
  for (const QString& name : passing + kept) {
    QFile other(dir.filePath(name));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(matchToJson(asks[1]));
  }
  EXPECT_TRUE(file.read().match.has_value());
  QStringList left = QDir(dir.path()).entryList(QDir::Files);
  left.removeOne(QStringLiteral("match.json"));
  left.sort();
  QStringList expected = kept;
  expected.sort();
  EXPECT_EQ(left, expected);
}

#ifdef Q_OS_UNIX
constexpr QFileDevice::Permissions kReadOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kOpenFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// A temporary folder an ordinary user may work in, when the tests run as root.
struct SharedDir {
  SharedDir() {
    QFile::setPermissions(dir.path(), kOpenFolder | QFileDevice::ReadOther |
                                          QFileDevice::WriteOther | QFileDevice::ExeOther);
  }
  QString filePath(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

// A full disk: the write fails, the old file stays whole byte for byte, the
// folder holds nothing more, and the window is told once for each file. Once
// there is room again, the next write goes through.
TEST(KeptFiles, AFullDiskLeavesTheOldFileWholeAndIsToldOnce) {
  const std::vector<SavedMatch> asks = firstAsks(4);
  QTemporaryDir dir;
  MatchFile match(dir.filePath(QStringLiteral("match.json")));
  RecordFile record(dir.filePath(QStringLiteral("record.json")));
  Told matchTold;
  Told recordTold;
  matchTold.listen(match.file());
  recordTold.listen(record.file());
  ASSERT_TRUE(match.write(asks[0]));
  ASSERT_TRUE(record.write(PlayerRecord()));
  {
    FullDisk full;
    const std::string said = stderrOf([&] {
      EXPECT_FALSE(match.write(asks[1]));
      EXPECT_FALSE(match.write(asks[2]));
      EXPECT_FALSE(record.write(oneMatchWon()));
    });
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
  }
  EXPECT_EQ(bytesOf(match.path()), matchToJson(asks[0]));
  EXPECT_EQ(bytesOf(record.path()), recordToJson(PlayerRecord()));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  EXPECT_EQ(matchTold.failures, std::vector{JsonFile::Failure::Write});
  EXPECT_EQ(recordTold.failures, std::vector{JsonFile::Failure::Write});
  EXPECT_FALSE(matchTold.reason.isEmpty());

  ASSERT_TRUE(match.write(asks[3]));
  EXPECT_EQ(bytesOf(match.path()), matchToJson(asks[3]));
  EXPECT_EQ(MatchFile(match.path()).read().match.has_value(), true);

  // A disk that fills up halfway through the write: the same, not half a file.
  {
    const QByteArray next = matchToJson(asks[1]);
    FullDisk half(static_cast<rlim_t>(next.size() / 2));
    stderrOf([&] { EXPECT_FALSE(match.write(asks[1])); });
  }
  EXPECT_EQ(bytesOf(match.path()), matchToJson(asks[3]));

  // A disk that fails as the bytes are flushed to it (a stick pulled out): the same.
  RecordFile flushed(dir.filePath(QStringLiteral("flushed.json")));
  ASSERT_TRUE(flushed.write(PlayerRecord()));
  Told flushTold;
  flushTold.listen(flushed.file());
  flushed.file().flushWith([](int) {
    errno = EIO;
    return -1;
  });
  const std::string said = stderrOf([&] { EXPECT_FALSE(flushed.write(oneMatchWon())); });
  EXPECT_NE(said.find("cannot be saved to"), std::string::npos) << said;
  EXPECT_NE(said.find("flushed.json"), std::string::npos) << said;
  EXPECT_EQ(bytesOf(flushed.path()), recordToJson(PlayerRecord()));
  EXPECT_EQ(flushTold.failures, std::vector{JsonFile::Failure::Write});
  EXPECT_EQ(flushTold.reason, QString::fromLocal8Bit(std::strerror(EIO)));
}

// A file the player may not read is set aside when it can be moved, kept whole;
// otherwise it is left alone: neither read, written nor removed while the game
// runs, and nothing more is told of it than what its reading said.
TEST(KeptFiles, AFileThatCannotBeReadIsSetAsideOrLeftAlone) {
  const std::vector<SavedMatch> asks = firstAsks(2);
  const QByteArray theirs = matchToJson(asks[0]);
  SharedDir root;
  const auto spoil = [&](const QString& path, bool anotherUsers) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(theirs);
    file.close();
    if (anotherUsers) {
      // Root's own, readable by nobody else.
      ASSERT_EQ(chown(QFile::encodeName(path).constData(), 0, 0), 0);
      ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    } else {
      ASSERT_TRUE(QFile::setPermissions(path, {}));
    }
  };
  for (const bool anotherUsers : {false, true}) {
    if (anotherUsers && geteuid() != 0) continue;
    SCOPED_TRACE(anotherUsers ? "another user's file" : "a file of mode 000");
    const QString folder =
        root.filePath(anotherUsers ? QStringLiteral("theirs") : QStringLiteral("mine"));
    const QString path = folder + QStringLiteral("/match.json");
    {
      AsOrdinaryUser user;
      ASSERT_TRUE(QDir().mkpath(folder));
      if (!anotherUsers) spoil(path, false);
    }
    if (anotherUsers) spoil(path, true);
    AsOrdinaryUser user;
    MatchFile file(path);
    const MatchFile::Found found = file.read();
    EXPECT_EQ(found.fault, JsonFile::Fault::Unreadable);
    EXPECT_FALSE(found.match.has_value());
    ASSERT_TRUE(found.keptAs.startsWith(path + QStringLiteral(".refused-")));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_TRUE(file.write(asks[1]));  // the new match has the place; the old file is aside
    EXPECT_EQ(bytesOf(path), matchToJson(asks[1]));
  }
  // Unreadable, in a folder it cannot leave.
  const QString folder = root.filePath(QStringLiteral("stuck"));
  const QString path = folder + QStringLiteral("/match.json");
  AsOrdinaryUser user;
  ASSERT_TRUE(QDir().mkpath(folder));
  spoil(path, false);
  ASSERT_TRUE(QFile::setPermissions(folder, kReadOnlyFolder));
  MatchFile file(path);
  Told told;
  told.listen(file.file());
  const MatchFile::Found found = file.read();
  EXPECT_EQ(found.fault, JsonFile::Fault::Unreadable);
  EXPECT_TRUE(found.keptAs.isEmpty());
  EXPECT_TRUE(file.file().leftAlone());
  ASSERT_TRUE(QFile::setPermissions(folder, kOpenFolder));  // even once it could be
  EXPECT_FALSE(file.write(asks[1]));
  file.remove();
  EXPECT_TRUE(told.failures.empty());
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
  EXPECT_EQ(bytesOf(path), theirs);

  // Readable but damaged, in a folder it cannot leave: a match given up then
  // must not take it for the match that is over, which the next start removes.
  const QString kept = root.filePath(QStringLiteral("kept"));
  const QString damaged = kept + QStringLiteral("/match.json");
  ASSERT_TRUE(QDir().mkpath(kept));
  {
    QFile spoilt(damaged);
    ASSERT_TRUE(spoilt.open(QIODevice::WriteOnly));
    spoilt.write(theirs.left(40));
  }
  ASSERT_TRUE(QFile::setPermissions(kept, kReadOnlyFolder));
  SettingsStore notes = SettingsStore::iniFile(root.filePath(QStringLiteral("Tavolix.conf")));
  MatchFile givenUp(damaged, &notes);
  EXPECT_EQ(givenUp.read().fault, JsonFile::Fault::Damaged);
  EXPECT_TRUE(givenUp.file().leftAlone());
  givenUp.remove();
  ASSERT_TRUE(QFile::setPermissions(kept, kOpenFolder));
  const MatchFile::Found later = MatchFile(damaged, &notes).read();
  EXPECT_EQ(later.fault, JsonFile::Fault::Damaged);
  EXPECT_EQ(bytesOf(later.keptAs), theirs.left(40));
}

// A data folder that may not be written: the save fails and is told once; a
// match over, or given up, stays on the disk but is never offered again, and
// goes once the folder lets it. Another match in its place is offered.
TEST(KeptFiles, AMatchOverInAFolderThatKeepsItIsNeverOfferedAgain) {
  const std::vector<SavedMatch> asks = firstAsks(3);
  SharedDir root;
  AsOrdinaryUser user;
  const QString folder = root.filePath(QStringLiteral("data"));
  const QString path = folder + QStringLiteral("/match.json");
  SettingsStore notes = SettingsStore::iniFile(root.filePath(QStringLiteral("Tavolix.conf")));
  MatchFile first(path, &notes);
  ASSERT_TRUE(first.write(asks[0]));
  ASSERT_TRUE(QFile::setPermissions(folder, kReadOnlyFolder));

  Told told;
  told.listen(first.file());
  EXPECT_FALSE(first.write(asks[1]));
  first.matchClosed();  // the match is over
  EXPECT_EQ(told.failures, std::vector{JsonFile::Failure::Write});
  EXPECT_EQ(bytesOf(path), matchToJson(asks[0]));

  MatchFile next(path, &notes);
  const MatchFile::Found found = next.read();
  EXPECT_FALSE(found.refused());
  EXPECT_FALSE(found.match.has_value());
  // Given up with "Nova partida" in a later run: told, as a removal.
  Told toldAgain;
  toldAgain.listen(next.file());
  const std::string removal = stderrOf([&] { next.remove(); });
  EXPECT_NE(removal.find("cannot be removed from"), std::string::npos) << removal;
  EXPECT_EQ(toldAgain.failures, std::vector{JsonFile::Failure::Remove});
  EXPECT_FALSE(MatchFile(path, &notes).read().match.has_value());

  EXPECT_FALSE(readText(notes, stored::kMatchOver, QString()).isEmpty());

  // The folder may be written again: the file goes at the next start, and so
  // does the note, so that a later match that happens to be the same is offered.
  ASSERT_TRUE(QFile::setPermissions(folder, kOpenFolder));
  EXPECT_FALSE(MatchFile(path, &notes).read().match.has_value());
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(readText(notes, stored::kMatchOver, QString()), QString());
  MatchFile later(path, &notes);
  ASSERT_TRUE(later.write(asks[2]));
  EXPECT_TRUE(MatchFile(path, &notes).read().match.has_value());
  // Over again where it must stay; then another match is put in its place (a
  // copy kept by the player): that one is offered.
  ASSERT_TRUE(QFile::setPermissions(folder, kReadOnlyFolder));
  later.matchClosed();
  ASSERT_FALSE(readText(notes, stored::kMatchOver, QString()).isEmpty());
  ASSERT_TRUE(QFile::setPermissions(folder, kOpenFolder));
  const auto putInPlace = [&path](const SavedMatch& match) {
    QFile copy(path);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(copy.write(matchToJson(match)), matchToJson(match).size());
  };
  putInPlace(asks[1]);
  EXPECT_TRUE(MatchFile(path, &notes).read().match.has_value());
  // Read once in its place, the match over is forgotten: put back, it is offered.
  putInPlace(asks[2]);
  EXPECT_TRUE(MatchFile(path, &notes).read().match.has_value());

  RecordFile record(folder + QStringLiteral("/record.json"));
  Told recordTold;
  recordTold.listen(record.file());
  ASSERT_TRUE(QFile::setPermissions(folder, kReadOnlyFolder));
  EXPECT_FALSE(record.write(oneMatchWon()));
  EXPECT_EQ(recordTold.failures, std::vector{JsonFile::Failure::Write});
  ASSERT_TRUE(QFile::setPermissions(folder, kOpenFolder));
}

// A file far larger than the game ever writes is set aside unread, even when
// it holds a match. A new file that cannot be put in place of the old one (a
// folder took its name while it was written) is told, never called saved.
TEST(KeptFiles, AnOversizedFileIsSetAsideAndARenameThatFailsIsTold) {
  const std::vector<SavedMatch> asks = firstAsks(2);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("match.json"));
  // Right at the limit, it is read; a byte more, and it is not.
  const QByteArray json = matchToJson(asks[0]);
  for (const qint64 size : {JsonFile::kMaxBytes, JsonFile::kMaxBytes + 1}) {
    QTemporaryDir edge;
    const QString at = edge.filePath(QStringLiteral("match.json"));
    QFile padded(at);
    ASSERT_TRUE(padded.open(QIODevice::WriteOnly));
    padded.write(json + QByteArray(size - json.size(), ' '));
    padded.close();
    const MatchFile::Found found = MatchFile(at, nullptr).read();
    EXPECT_EQ(found.match.has_value(), size == JsonFile::kMaxBytes) << size;
  }
  {
    QFile padded(path);
    ASSERT_TRUE(padded.open(QIODevice::WriteOnly));
    padded.write(json + QByteArray(JsonFile::kMaxBytes, ' '));
  }
  MatchFile oversized(path, nullptr);
  const MatchFile::Found found = oversized.read();
  EXPECT_TRUE(found.refused());
  EXPECT_FALSE(found.match.has_value());
  EXPECT_FALSE(QFileInfo::exists(path));
  ASSERT_EQ(QDir(dir.path()).entryList({QStringLiteral("match.json.refused-*")}).size(), 1);

  MatchFile file(path, nullptr);
  ASSERT_TRUE(file.write(asks[0]));
  file.file().whenWritten([&path] {
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inside")));
  });
  Told told;
  told.listen(file.file());
  EXPECT_FALSE(file.write(asks[1]));
  EXPECT_EQ(told.failures, std::vector{JsonFile::Failure::Write});
  EXPECT_TRUE(QFileInfo(path).isDir());
}

// A pipe, or a folder, where a kept file should be: never opened (a pipe would
// hold the start up for ever), never written, never removed.
TEST(KeptFiles, APathThatIsNotAFileIsNeverOpenedWrittenOrRemoved) {
  const std::vector<SavedMatch> asks = firstAsks(1);
  QTemporaryDir dir;
  const QString pipe = dir.filePath(QStringLiteral("match.json"));
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  MatchFile match(pipe);
  EXPECT_EQ(match.read().fault, JsonFile::Fault::NotAFile);
  EXPECT_FALSE(match.write(asks[0]));
  match.remove();

  const QString recordPipe = dir.filePath(QStringLiteral("record.json"));
  ASSERT_EQ(mkfifo(QFile::encodeName(recordPipe).constData(), 0600), 0);
  RecordFile record(recordPipe);
  const RecordFile::Found kept = record.read();
  EXPECT_EQ(kept.fault, JsonFile::Fault::NotAFile);
  EXPECT_EQ(kept.record, PlayerRecord());
  EXPECT_FALSE(record.write(oneMatchWon()));

  const QString folder = dir.filePath(QStringLiteral("data/match.json"));
  ASSERT_TRUE(QDir().mkpath(folder));
  MatchFile inFolder(folder);
  EXPECT_EQ(inFolder.read().fault, JsonFile::Fault::NotAFile);
  EXPECT_FALSE(inFolder.write(asks[0]));
  inFolder.remove();

  for (const QString& path : {pipe, recordPipe}) {
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << path.toStdString();
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());

  // A link to nothing, removed before it was ever read (a match given up at
  // once): it goes, and is said to.
  const QString dangling = dir.filePath(QStringLiteral("gone.json"));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere.json")), dangling));
  MatchFile linked(dangling);
  EXPECT_TRUE(linked.file().remove());
  EXPECT_FALSE(QFileInfo(dangling).isSymLink());
}
#endif

}  // namespace
}  // namespace tavolix
