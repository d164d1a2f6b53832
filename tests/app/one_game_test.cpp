// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// One game a player: a second start brings the running game's window to the
// front and ends; a lock left by a killed game is taken over; and the game
// started on a full disk closes cleanly.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "app/one_game.h"
#include "table/window_support.h"

namespace tavolix {
namespace {

// The process that holds the lock of `folder`, once one does.
qint64 lockHolder(const QString& folder) {
  qint64 pid = 0;
  QString host;
  QString application;
  return QLockFile(OneGame::lockPath(folder)).getLockInfo(&pid, &host, &application) ? pid : 0;
}

bool heldBy(const QString& folder, qint64 pid) {
  return QTest::qWaitFor([&] { return lockHolder(folder) == pid; }, 20000);
}

// Two guards on one folder: the second finds the first, which answers once
// its window is up; whatever else comes to its socket is turned away without
// harm. Gone, the first leaves the folder as it found it.
TEST(OneGame, TheSecondStartAsksTheFirstAndAnythingElseIsTurnedAway) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("data"));
  const QString socket = QDir(QDir::tempPath()).filePath(OneGame::serverName(folder));
  {
    OneGame first(folder);
    ASSERT_EQ(first.start(), OneGame::Start::First);
    QSignalSpy asked(&first, &OneGame::anotherStart);

    // Strangers: a line that is not the request, and a flood with no line at all.
    for (const QByteArray& junk : {QByteArray("open the door\n"), QByteArray(100000, 'x')}) {
      QLocalSocket stranger;
      stranger.connectToServer(OneGame::serverName(folder));
      ASSERT_TRUE(stranger.waitForConnected(5000));
      stranger.write(junk);
      stranger.flush();
      EXPECT_TRUE(QTest::qWaitFor(
          [&stranger] { return stranger.state() == QLocalSocket::UnconnectedState; }, 20000));
      EXPECT_EQ(stranger.readAll(), QByteArray());
    }
#ifdef Q_OS_UNIX
    // One that knocks and is done without a word is let go too, not listened to for ever.
    const int knock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socket);
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::connect(knock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::shutdown(knock, SHUT_WR);
    char byte = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ::recv(knock, &byte, 1, MSG_DONTWAIT) == 0; }, 20000));
    ::close(knock);
#endif

    std::atomic<bool> done = false;
    OneGame::Start second = OneGame::Start::Unguarded;
    bool woken = false;
    std::thread later([&] {
      OneGame guard(folder);
      second = guard.start();
      woken = guard.wakeRunningGame(60000);
      done = true;
    });
    // Not answered while the first's window is not up.
    QTest::qWait(100);
    EXPECT_FALSE(done);
    first.setReady();
    EXPECT_TRUE(QTest::qWaitFor([&done] { return done.load(); }, 60000));
    later.join();
    EXPECT_EQ(second, OneGame::Start::AnotherRuns);
    EXPECT_TRUE(woken);
    EXPECT_EQ(asked.count(), 1);

    // The request may come in pieces: it is answered once its line is whole.
    QLocalSocket halting;
    halting.connectToServer(OneGame::serverName(folder));
    ASSERT_TRUE(halting.waitForConnected(5000));
    halting.write("sh");
    halting.flush();
    QTest::qWait(50);
    EXPECT_EQ(halting.state(), QLocalSocket::ConnectedState);
    halting.write("ow\n");
    halting.flush();
    EXPECT_TRUE(QTest::qWaitFor([&halting] { return halting.canReadLine(); }, 20000));
    EXPECT_EQ(halting.readLine(), QByteArray("shown\n"));
    EXPECT_EQ(asked.count(), 2);
    // Nobody else may even knock.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(socket) & others, QFile::Permissions());
  }
  EXPECT_FALSE(QFileInfo::exists(socket));
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
}

// A second start believes only the first game's own answer: a stranger that
// listens under its name and says anything else has shown nothing, and one
// that says nothing is given up when the time allowed is out, and none is
// asked where no socket can be named.
TEST(OneGame, OnlyTheGamesOwnAnswerCountsAsShown) {
  for (const char* said : {"hidden\n", ""}) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QLockFile held(OneGame::lockPath(folder));  // as a running game holds it
    ASSERT_TRUE(held.tryLock(0));
    QLocalServer stranger;
    QLocalServer::removeServer(OneGame::serverName(folder));
    ASSERT_TRUE(stranger.listen(OneGame::serverName(folder)));
    QObject::connect(&stranger, &QLocalServer::newConnection, [&stranger, said] {
      QLocalSocket* socket = stranger.nextPendingConnection();
      socket->write(said);
      socket->flush();
    });
    std::atomic<bool> done = false;
    OneGame::Start started = OneGame::Start::Unguarded;
    bool woken = true;
    std::thread second([&] {
      OneGame guard(folder);
      started = guard.start();
      woken = guard.wakeRunningGame(*said != 0 ? 20000 : 500);
      done = true;
    });
    if (!QTest::qWaitFor([&done] { return done.load(); }, 60000)) {
      ADD_FAILURE() << "a second start still waits for \"" << said << "\" a minute on";
      std::_Exit(1);  // it would never be joined
    }
    second.join();
    EXPECT_EQ(started, OneGame::Start::AnotherRuns);
    EXPECT_FALSE(woken);
  }
  // Where the temporary folder's path is too long to name a socket, the
  // running game cannot be asked: it has not been shown either.
  QTemporaryDir dir;
  const QString deep = dir.filePath(QString(120, u'd'));
  ASSERT_TRUE(QDir().mkpath(deep));
  const QByteArray tmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", QFile::encodeName(deep));
  OneGame first(dir.filePath(QStringLiteral("data")));
  const OneGame::Start firstStarted = first.start();
  OneGame second(dir.filePath(QStringLiteral("data")));
  const OneGame::Start secondStarted = second.start();
  const bool woken = second.wakeRunningGame(500);
  tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
  EXPECT_EQ(firstStarted, OneGame::Start::First);
  EXPECT_EQ(secondStarted, OneGame::Start::AnotherRuns);
  EXPECT_FALSE(woken);
}

#ifdef Q_OS_UNIX
// The program started twice on one data folder: the second start brings the
// first to the front and ends with 0. The first, its disk then full, closes
// on a request to stop as it always does: its settings cannot be saved (it
// says so), nothing is left behind, and the file size limit does not kill it.
// A later start given a table's link hands it to the running game, which is
// told it with the request; a link that is no line of plain text, or too long
// for the request, is not sent.
TEST(OneGame, ALinkGivenToASecondStartGoesToTheFirst) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("data"));
  OneGame first(folder);
  ASSERT_EQ(first.start(), OneGame::Start::First);
  first.setReady();
  QStringList links;
  QObject::connect(&first, &OneGame::anotherStart,
                   [&links](const QString& link) { links.append(link); });
  const QString link = QStringLiteral("tavolix://127.0.0.1:47474/N3XPG97X");
  // The longest link a request carries whole, and one a few letters longer.
  const QString longest = QStringLiteral("tavolix://127.0.0.1:47474/") + QString(221, u'N');
  const QString tooLong = longest + QStringLiteral("NNN");
  for (const QString& given :
       {link, QStringLiteral("tavolix://a/b\nshow"), QString(), longest, tooLong}) {
    std::atomic<bool> done = false;
    std::thread later([&] {
      OneGame guard(folder);
      EXPECT_TRUE(guard.wakeRunningGame(60000, given));
      done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&done] { return done.load(); }, 60000));
    later.join();
  }
  EXPECT_EQ(links, (QStringList{link, QString(), QString(), longest, QString()}));
}

TEST(OneGame, ASecondProgramBringsTheFirstToTheFrontAndAFullDiskClosesCleanly) {
  QTemporaryDir home;
  const QString config = home.filePath(QStringLiteral("Vantorel/Tavolix.conf"));
  QSettings(config, QSettings::IniFormat)
      .setValue(QStringLiteral("cpu1"), QStringLiteral("Zorvan"));
  const QByteArray settings = [&config] {
    QFile file(config);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  QProcess first;
  ASSERT_TRUE(startGame(first, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0")));
  ASSERT_TRUE(heldBy(dataFolderIn(home.path()), first.processId()));
  struct rlimit full {};
  ASSERT_EQ(prlimit(static_cast<pid_t>(first.processId()), RLIMIT_FSIZE, nullptr, &full), 0);
  full.rlim_cur = 0;
  ASSERT_EQ(prlimit(static_cast<pid_t>(first.processId()), RLIMIT_FSIZE, &full, nullptr), 0);

  QProcess second;
  ASSERT_TRUE(startGame(second, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0")));
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardError().contains("trazida para a frente"));
  // The network's libraries come with the first step online, not at start.
  const auto mapped = [&first] {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(first.processId()));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray("unreadable");
  };
  EXPECT_FALSE(mapped().contains("libQt6Network")) << mapped().toStdString();
  EXPECT_FALSE(mapped().contains("tavolix-online"));
  // A third, given a table's link, hands it on: the first goes to that server.
  QTcpServer table;
  ASSERT_TRUE(table.listen(QHostAddress::LocalHost, 0));
  QProcess third;
  ASSERT_TRUE(
      startGame(third, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0"),
                {QStringLiteral("tavolix://127.0.0.1:%1/N3XPG97X").arg(table.serverPort())}));
  ASSERT_TRUE(third.waitForFinished(60000));
  EXPECT_EQ(third.exitCode(), 0);
  EXPECT_TRUE(QTest::qWaitFor([&table] { return table.hasPendingConnections(); }, 60000));
  EXPECT_TRUE(mapped().contains("libQt6WebSockets"));

  // Its window is up: the second start was answered.
  first.terminate();
  ASSERT_TRUE(first.waitForFinished(60000));
  const QByteArray said = first.readAllStandardError();
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit) << said.toStdString();
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_TRUE(said.contains("the settings cannot be saved")) << said.toStdString();
  QFile after(config);
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), settings);
  EXPECT_FALSE(QFileInfo::exists(config + QStringLiteral(".lock")));
  EXPECT_FALSE(QFileInfo::exists(OneGame::lockPath(dataFolderIn(home.path()))));
}

// A game killed outright leaves its lock: the next start takes it over and
// plays, and the start after that is answered by it.
TEST(OneGame, ALockLeftByAKilledGameIsTakenOver) {
  QTemporaryDir home;
  const QString folder = dataFolderIn(home.path());
  QProcess killed;
  ASSERT_TRUE(startGame(killed, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0")));
  ASSERT_TRUE(heldBy(folder, killed.processId()));
  killed.kill();
  ASSERT_TRUE(killed.waitForFinished(20000));
  ASSERT_TRUE(QFileInfo::exists(OneGame::lockPath(folder)));

  QProcess next;
  ASSERT_TRUE(startGame(next, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0")));
  ASSERT_TRUE(heldBy(folder, next.processId())) << next.readAllStandardError().toStdString();
  QProcess third;
  ASSERT_TRUE(startGame(third, home.path(), QStringLiteral("TAVOLIX_PACE"), QStringLiteral("0")));
  ASSERT_TRUE(third.waitForFinished(60000));
  EXPECT_EQ(third.exitCode(), 0) << third.readAllStandardError().toStdString();
  EXPECT_EQ(next.state(), QProcess::Running);
  next.terminate();
  ASSERT_TRUE(next.waitForFinished(60000));
  EXPECT_EQ(next.exitCode(), 0);
}
#endif

}  // namespace
}  // namespace tavolix
