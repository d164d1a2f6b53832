// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "one_game.h"

#include <functional>
#include <vector>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#ifdef Q_OS_UNIX
// The local socket is the system's own: Qt Network, with the libraries it
// brings, would cost every start more than the rest of the lock together.
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#else
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#endif

namespace tavolix {

namespace {

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

QByteArray OneGame::request(const QString& link) {
  const QByteArray linkText = link.toLatin1();
  if (!link.isEmpty() && linkText.size() + 8 < kLongestRequest && !linkText.contains('\n') &&
      QString::fromLatin1(linkText) == link) {
    return kJoin + linkText + '\n';
  }
  return kShow;
}

std::optional<QString> OneGame::readRequest(const QByteArray& line) {
  if (line == kShow) return QString();
  if (line.startsWith(kJoin) && line.endsWith('\n') && line.size() <= kLongestRequest)
    return QString::fromLatin1(line.mid(int(sizeof kJoin) - 1).chopped(1));
  return std::nullopt;
}

#ifdef Q_OS_UNIX

namespace {

// Where a local socket of that name is: in the temporary folder, as Qt puts it.
QByteArray socketPath(const QString& name) {
  return QFile::encodeName(QDir(QDir::tempPath()).filePath(name));
}

bool addressOf(const QByteArray& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= qsizetype(sizeof address.sun_path)) return false;
  std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
  return true;
}

// Waits for `events` on `fd` until `deadline`; false when it passed.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int n = ::poll(&p, 1, int(std::max<qint64>(deadline.remainingTime(), 0)));
    if (n > 0) return true;
    if (n == 0 || errno != EINTR) return false;
  }
}

}  // namespace

class OneGame::Listener {
 public:
  using Asked = std::function<void(const QString& link)>;

  Listener(const QString& name, Asked asked) : path_(socketPath(name)), asked_(std::move(asked)) {
    sockaddr_un address;
    if (!addressOf(path_, address)) return;
    // Made in a folder only this user may enter, for this user alone, and
    // only then put in its place, over a socket left by a game that was
    // killed (the lock says it is not running).
    QTemporaryDir aside(QDir(QDir::tempPath()).filePath(QStringLiteral("tavolix-XXXXXX")));
    const QByteArray made = QFile::encodeName(aside.filePath(QStringLiteral("s")));
    sockaddr_un madeAddress;
    if (!aside.isValid() || !addressOf(made, madeAddress)) return;
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) return;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&madeAddress), sizeof madeAddress) != 0 ||
        ::chmod(made.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd_, 16) != 0 ||
        ::rename(made.constData(), path_.constData()) != 0) {
      ::close(std::exchange(fd_, -1));
      return;
    }
    auto* notifier = new QSocketNotifier(fd_, QSocketNotifier::Read, &holder_);
    QObject::connect(notifier, &QSocketNotifier::activated, [this] { accept(); });
  }

  ~Listener() {
    peers_.clear();
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(path_.constData());
  }

  // The window is up: those who asked are answered, and those to come.
  void setReady() {
    ready_ = true;
    std::vector<QString> links;
    for (auto& peer : peers_) {
      if (peer->asked) {
        answer(*peer);
        links.push_back(peer->link);
      }
    }
    std::erase_if(peers_, [](const auto& peer) { return peer->fd < 0; });
    for (const QString& link : links) asked_(link);
  }

  static bool wake(const QString& name, int timeoutMs, const QByteArray& request) {
    sockaddr_un address;
    if (!addressOf(socketPath(name), address)) return false;
    const QDeadlineTimer deadline(timeoutMs);
    // The running game listens a moment after it takes the lock.
    while (!deadline.hasExpired()) {
      const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
      if (fd < 0) return false;
      if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const bool shown = talk(fd, request, deadline);
        ::close(fd);
        return shown;
      }
      ::close(fd);
      QThread::msleep(50);
    }
    return false;
  }

 private:
  struct Peer {
    int fd = -1;
    // Its own signal may be what ends the conversation: deleted later.
    QSocketNotifier* notifier = nullptr;
    QByteArray read;
    bool asked = false;  // a whole request came, not answered yet
    QString link;
    void end() {
      if (notifier != nullptr) {
        notifier->setEnabled(false);
        std::exchange(notifier, nullptr)->deleteLater();
      }
      if (fd >= 0) ::close(std::exchange(fd, -1));
    }
    ~Peer() { end(); }
  };

  static bool talk(int fd, const QByteArray& request, const QDeadlineTimer& deadline) {
    qsizetype sent = 0;
    while (sent < request.size()) {
      const ssize_t n =
          ::send(fd, request.constData() + sent, std::size_t(request.size() - sent), MSG_NOSIGNAL);
      if (n > 0) {
        sent += n;
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        return false;
      } else if (!waitFor(fd, POLLOUT, deadline)) {
        return false;
      }
    }
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < kLongestRequest) {
      char buffer[64];
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n > 0) {
        answer.append(buffer, n);
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        break;
      } else if (!waitFor(fd, POLLIN, deadline)) {
        break;
      }
    }
    return answer == kShown;
  }

  void accept() {
    for (;;) {
      const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (fd < 0) return;
      auto peer = std::make_unique<Peer>();
      peer->fd = fd;
      peer->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &holder_);
      Peer* p = peer.get();
      QObject::connect(p->notifier, &QSocketNotifier::activated, [this, p] { readFrom(p); });
      peers_.push_back(std::move(peer));
    }
  }

  void readFrom(Peer* peer) {
    char buffer[kLongestRequest + 1];
    const ssize_t n = ::recv(peer->fd, buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0 || peer->asked) {
      // Gone, or more after the request: the conversation ends.
      drop(peer);
      return;
    }
    peer->read.append(buffer, n);
    const qsizetype end = peer->read.indexOf('\n');
    // Anything but the one request, or more than it, ends the conversation.
    if (end < 0) {
      if (peer->read.size() > kLongestRequest) drop(peer);
      return;
    }
    const std::optional<QString> link = readRequest(peer->read.left(end + 1));
    if (!link || end + 1 != peer->read.size()) {
      drop(peer);
      return;
    }
    peer->asked = true;
    peer->link = *link;
    if (!ready_) return;
    answer(*peer);
    drop(peer);
    asked_(*link);
  }

  static void answer(Peer& peer) {
    ::send(peer.fd, kShown, sizeof kShown - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    peer.end();
  }

  void drop(Peer* peer) {
    std::erase_if(peers_, [peer](const auto& p) { return p.get() == peer; });
  }

  QObject holder_;  // of the notifiers, the last to go
  QByteArray path_;
  Asked asked_;
  int fd_ = -1;
  std::vector<std::unique_ptr<Peer>> peers_;
  bool ready_ = false;
};

#else

class OneGame::Listener {
 public:
  using Asked = std::function<void(const QString& link)>;

  Listener(const QString& name, Asked asked) : asked_(std::move(asked)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a game that was killed: the lock says it is not running.
    QLocalServer::removeServer(name);
    if (server_.listen(name))
      QObject::connect(&server_, &QLocalServer::newConnection, [this] { accept(); });
  }
  ~Listener() { server_.close(); }

  void setReady() {
    ready_ = true;
    const std::vector<Waiting> waiting = std::exchange(waiting_, {});
    for (const Waiting& w : waiting) {
      if (w.socket == nullptr) continue;
      answer(w.socket);
      asked_(w.link);
    }
  }

  static bool wake(const QString& name, int timeoutMs, const QByteArray& request) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
      QLocalSocket socket;
      socket.connectToServer(name);
      if (socket.waitForConnected(int(deadline.remainingTime()))) {
        socket.write(request);
        if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) return false;
        while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        return socket.canReadLine() && socket.readLine(kLongestRequest) == kShown;
      }
      QThread::msleep(50);
    }
    return false;
  }

 private:
  void accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine()) {
          if (socket->bytesAvailable() > kLongestRequest) socket->abort();
          return;
        }
        const std::optional<QString> link = readRequest(socket->readLine(kLongestRequest));
        if (!link || socket->bytesAvailable() > 0) {
          socket->abort();
          return;
        }
        if (!ready_) {
          waiting_.push_back({socket, *link});
          return;
        }
        answer(socket);
        asked_(*link);
      });
    }
  }

  static void answer(QLocalSocket* socket) {
    socket->write(kShown);
    socket->flush();
    socket->disconnectFromServer();
  }

  struct Waiting {
    QPointer<QLocalSocket> socket;
    QString link;
  };
  QLocalServer server_;
  Asked asked_;
  std::vector<Waiting> waiting_;
  bool ready_ = false;
};

#endif

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
  listener_ = std::make_unique<Listener>(serverName_, [this](const QString& link) { asked(link); });
}

OneGame::~OneGame() = default;

void OneGame::asked(const QString& link) { Q_EMIT anotherStart(link); }

void OneGame::setReady() {
  if (ready_) return;
  ready_ = true;
  if (listener_) listener_->setReady();
}

bool OneGame::wakeRunningGame(int timeoutMs, const QString& link) {
  return Listener::wake(serverName_, timeoutMs, request(link));
}

}  // namespace tavolix
