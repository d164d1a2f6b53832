// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "one_game.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace tavolix {

namespace {

// What a later start says ("show", or "join" and a table's link), and what
// the running game answers.
constexpr char kShow[] = "show\n";
constexpr char kJoin[] = "join ";
constexpr char kShown[] = "shown\n";
constexpr qint64 kLongestRequest = 256;

}  // namespace

// One socket per data folder, named after its path (the path itself may be
// too long for a socket's name).
QString OneGame::serverName(const QString& dataFolder) {
  const QByteArray path = QFileInfo(dataFolder).absoluteFilePath().toUtf8();
  return QStringLiteral("tavolix-") +
         QString::fromLatin1(
             QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(24));
}

QString OneGame::lockPath(const QString& dataFolder) {
  return QDir(dataFolder).filePath(QStringLiteral("game.lock"));
}

OneGame::OneGame(const QString& dataFolder)
    : serverName_(serverName(dataFolder)), lock_(lockPath(dataFolder)) {
  // Only a game that is no longer running gives its lock up, however long
  // it has been playing.
  lock_.setStaleLockTime(0);
  if (!QDir().mkpath(dataFolder)) return;
  if (!lock_.tryLock(0)) {
    if (lock_.error() == QLockFile::LockFailedError) start_ = Start::AnotherRuns;
    return;
  }
  start_ = Start::First;
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by a game that was killed: the lock says it is not running.
  QLocalServer::removeServer(serverName_);
  if (server_->listen(serverName_))
    connect(server_, &QLocalServer::newConnection, this, &OneGame::listen);
}

OneGame::~OneGame() {
  if (server_ != nullptr) server_->close();
}

void OneGame::listen() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // Anything but the one request, or more than it, ends the conversation.
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest) socket->abort();
        return;
      }
      const QByteArray request = socket->readLine(kLongestRequest);
      QString link;
      if (request.startsWith(kJoin) && request.endsWith('\n')) {
        link = QString::fromLatin1(request.mid(int(sizeof kJoin) - 1).chopped(1));
      } else if (request != kShow) {
        socket->abort();
        return;
      }
      if (ready_) {
        answer(socket);
        Q_EMIT anotherStart(link);
      } else {
        waiting_.push_back({socket, link});
      }
    });
  }
}

void OneGame::answer(QLocalSocket* socket) {
  socket->write(kShown);
  socket->flush();
  socket->disconnectFromServer();
}

void OneGame::setReady() {
  if (ready_) return;
  ready_ = true;
  const std::vector<Waiting> waiting = std::exchange(waiting_, {});
  for (const Waiting& w : waiting) {
    if (w.socket == nullptr) continue;
    answer(w.socket);
    Q_EMIT anotherStart(w.link);
  }
}

bool OneGame::wakeRunningGame(int timeoutMs, const QString& link) {
  // A link is plain text of a line, or none.
  QByteArray request = kShow;
  const QByteArray linkText = link.toLatin1();
  if (!link.isEmpty() && linkText.size() + 8 < kLongestRequest && !linkText.contains('\n') &&
      QString::fromLatin1(linkText) == link) {
    request = kJoin + linkText + '\n';
  }
  const QDeadlineTimer deadline(timeoutMs);
  // The running game listens a moment after it takes the lock.
  while (!deadline.hasExpired()) {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
      socket.write(request);
      if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
      while (!socket.canReadLine() &&
             socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      }
      return socket.canReadLine() && socket.readLine(kLongestRequest) == kShown;
    }
    QThread::msleep(50);
  }
  return false;
}

}  // namespace tavolix
