// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// What the table server does with connections: wss:// with a certificate
// made for the test, a player away past the turn timer, and a client that
// sends too much.
#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "game/seat.h"
#include "net_player.h"
#include "protocol/protocol.h"
#include "server_process.h"

namespace tavolix::testing {
namespace {

TEST(Connections, AMatchIsPlayedOverTlsWithASelfSignedCertificate) {
  QTemporaryDir work;
  const QString cert = work.filePath(QStringLiteral("cert.pem"));
  const QString key = work.filePath(QStringLiteral("key.pem"));
  QProcess openssl;
  openssl.start(
      QStringLiteral("openssl"),
      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
       QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
       QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
       QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"),
       QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
  ASSERT_TRUE(openssl.waitForFinished(60000)) << "openssl (./run.sh test installs it)";
  ASSERT_EQ(openssl.exitCode(), 0) << openssl.readAllStandardError().toStdString();

  ServerProcess server({QStringLiteral("--tls-cert"), cert, QStringLiteral("--tls-key"), key,
                        QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
  ASSERT_TRUE(server.url().startsWith(QLatin1String("wss://"))) << server.log().toStdString();
  NetPlayer player(QStringLiteral("Ana"));
  ASSERT_TRUE(player.connectTo(server.url()));
  Settings rules;
  player.create(rules, {false, true, true, true});
  ASSERT_TRUE(waitFor([&] { return !player.code.isEmpty(); }, 30));
  player.start();
  EXPECT_TRUE(waitFor([&] { return player.matchOver; }, 60)) << server.log().toStdString();

  // Plain ws:// to a wss:// server gets nowhere.
  NetPlayer plain(QStringLiteral("Bia"));
  EXPECT_FALSE(
      plain.connectTo(QString(server.url()).replace(QLatin1String("wss:"), QLatin1String("ws:"))));
}

TEST(Connections, AwayPastTheTurnTimerAComputerPlayerMovesForHim) {
  ServerProcess server({QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
  ASSERT_FALSE(server.url().isEmpty());
  NetPlayer host(QStringLiteral("Ana")), away(QStringLiteral("Bia"));
  ASSERT_TRUE(host.connectTo(server.url()));
  ASSERT_TRUE(away.connectTo(server.url()));
  Settings rules;
  rules.TipoJogo = 2;
  host.create(rules, {false, true, false, true}, 1);
  ASSERT_TRUE(waitFor([&] { return !host.code.isEmpty(); }, 30));
  away.join(host.code, kMac2);
  ASSERT_TRUE(waitFor([&] { return away.seat == kMac2; }, 30));
  // He takes no tile: the deal waits for him, the timer running, until he goes.
  away.plays = false;
  host.start();
  ASSERT_TRUE(waitFor([&] { return host.view.value(QLatin1String("turn")).toInt() == kMac2; }, 30));
  EXPECT_TRUE(host.view.value(QLatin1String("secondsLeft")).isNull())
      << "no timer while he is here";
  away.drop();
  ASSERT_TRUE(
      waitFor([&] { return host.view.value(QLatin1String("secondsLeft")).toInt() == 1; }, 30))
      << QJsonDocument(host.view).toJson().toStdString() << server.log().toStdString();
  // Taken for him when the timer runs out: the deal goes on, a tile at a time.
  const auto tookForHim = [&] {
    int took = 0;
    for (const QJsonObject& e : host.events) {
      took += e.value(QLatin1String("event")).toString() == QLatin1String("took") &&
              e.value(QLatin1String("seat")).toInt() == kMac2;
    }
    return took;
  };
  EXPECT_TRUE(waitFor([&] { return tookForHim() >= 2; }, 60)) << server.log().toStdString();
  EXPECT_TRUE(server.log().contains(QLatin1String("a computer player moves for seat 2")));
  EXPECT_TRUE(server.log().contains(QLatin1String("Ana takes seat 0")));
}

TEST(Connections, AClientThatSendsTooMuchIsToldAndThenLetGo) {
  ServerProcess server({});
  ASSERT_FALSE(server.url().isEmpty());
  NetPlayer flood(QStringLiteral("Ana"));
  ASSERT_TRUE(flood.connectTo(server.url()));
  // Far more than 20 a second: the burst is taken, the rest refused, and past
  // twenty refusals the connection is closed.
  for (int k = 0; k < 200; ++k) flood.sendRaw(net::message("pass"));
  ASSERT_TRUE(waitFor([&] { return !flood.isOpen(); }, 30));
  int limited = 0;
  for (const QJsonObject& e : flood.errors)
    limited += e.value(QLatin1String("code")).toString() == QLatin1String("rate-limited");
  EXPECT_GE(limited, 20);
  EXPECT_LT(flood.errors.size(), 200);
  // Another client is not held up by it.
  NetPlayer other(QStringLiteral("Bia"));
  ASSERT_TRUE(other.connectTo(server.url()));
  other.create(Settings(), {false, true, true, true});
  EXPECT_TRUE(waitFor([&] { return !other.code.isEmpty(); }, 30));
}

}  // namespace
}  // namespace tavolix::testing
