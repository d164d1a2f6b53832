// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// tavolix-bench-takeover: how long a match waits when its server dies. Two
// table servers share their tables through a Redis of the bench's own, all on
// loopback; a pairs table (two scripted players, two computer seats) is made
// on one and played a few moves; that server is killed (SIGKILL). The players'
// games then try the other server every half second, as the game's own first
// pauses go, until it has taken the table over and seated them; the first
// move there ends the measure. Run for the default lease and a short one.
//
//   build/tavolix-bench-takeover [--runs N]
#include <cstdio>
#include <cstring>
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "game/seat.h"
#include "net_player.h"
#include "redis_process.h"
#include "server_process.h"

using namespace tavolix;
using namespace tavolix::testing;

namespace {

struct Measure {
  qint64 held = -1;    // the other server holds the table again
  qint64 seated = -1;  // both players sit at it again
  qint64 moved = -1;   // the first move there
};

std::unique_ptr<ServerProcess> sharing(const RedisProcess& redis, const char* id, int leaseMs) {
  auto server = std::make_unique<ServerProcess>(
      QStringList{QStringLiteral("--redis"), QStringLiteral("127.0.0.1:%1").arg(redis.port()),
                  QStringLiteral("--server-id"), QLatin1String(id), QStringLiteral("--lease"),
                  QString::number(leaseMs), QStringLiteral("--max-messages-per-second"),
                  QStringLiteral("100000")});
  waitFor([&] { return server->log().contains(QLatin1String("sharing the tables")); }, 30);
  return server;
}

// Sits `player` at `url` with `token`; false when that is not done within a second.
bool sitAgain(NetPlayer& player, const QString& url, const QString& code, const QByteArray& token) {
  if (!player.isOpen()) {
    if (!player.connectTo(url)) return false;
    player.join(code, -1, token);
  }
  return waitFor([&] { return player.seat >= 0; }, 1);
}

Measure once(int leaseMs) {
  Measure m;
  RedisProcess redis;
  if (!redis.ready()) return m;
  auto a = sharing(redis, "a", leaseMs);
  auto b = sharing(redis, "b", leaseMs);
  NetPlayer host(QStringLiteral("Ana")), partner(QStringLiteral("Bia"));
  if (!host.connectTo(a->url()) || !partner.connectTo(a->url())) return m;
  Settings rules;
  rules.TipoJogo = 2;
  rules.PontosLimit = Settings::kMinLimitRule1;
  host.create(rules, {false, true, false, true});
  if (!waitFor([&] { return !host.code.isEmpty(); }, 30)) return m;
  partner.join(host.code, kMac2);
  if (!waitFor([&] { return partner.seat == kMac2; }, 30)) return m;
  host.start();
  if (!waitFor([&] { return host.events.size() > 10; }, 60)) return m;

  QElapsedTimer clock;
  a->kill();
  clock.start();
  NetPlayer host2(QStringLiteral("Ana")), partner2(QStringLiteral("Bia"));
  while (clock.elapsed() < 120000 && m.moved < 0) {
    if (m.held < 0 && b->log().contains(QLatin1String("taken over"))) m.held = clock.elapsed();
    if (m.seated < 0) {
      const bool both = sitAgain(host2, b->url(), host.code, host.token) &&
                        sitAgain(partner2, b->url(), host.code, partner.token);
      if (both) {
        m.seated = clock.elapsed();
      } else {
        QThread::msleep(500);
      }
    }
    if (m.seated >= 0 && !host2.events.isEmpty()) m.moved = clock.elapsed();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  if (m.held < 0 && b->log().contains(QLatin1String("taken over"))) m.held = m.seated;
  return m;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  int runs = 3;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
  }
  if (RedisProcess::program().isEmpty()) {
    std::fprintf(stderr,
                 "tavolix-bench-takeover: redis-server is needed (apt-get install redis-server)\n");
    return 2;
  }
  std::printf(
      "lease      held again   seated again   first move   (ms after the server was killed)\n");
  for (const int lease : {6000, 2000}) {
    for (int run = 0; run < runs; ++run) {
      const Measure m = once(lease);
      std::printf("%5d ms   %10lld   %12lld   %10lld\n", lease, m.held, m.seated, m.moved);
      std::fflush(stdout);
    }
  }
  return 0;
}
