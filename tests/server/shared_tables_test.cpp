// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Two table servers sharing their tables through a Redis of the test's own,
// all on loopback: a table made on one is reached through the other; a server
// killed in the middle of a hand has its table taken over by the other, which
// plays it to the same end as a match never interrupted, no move its players
// saw lost; a Redis restarted mid-match is waited for; a server that hung past
// its lease writes nothing when it wakes.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "net_player.h"
#include "online_table.h"
#include "redis_process.h"
#include "server_process.h"

namespace tavolix::testing {
namespace {

// Long enough that a busy machine never lets a live server's lease run out.
constexpr int kLeaseMs = 4000;

class SharedTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RedisProcess::program().isEmpty()) GTEST_SKIP() << "redis-server is not installed";
    ASSERT_TRUE(redis.ready()) << redis.log().toStdString();
  }

  // A server sharing its tables; `seed` draws its tables' deals.
  std::unique_ptr<ServerProcess> server(const char* id, const QString& seed = QStringLiteral("5")) {
    auto process = std::make_unique<ServerProcess>(
        QStringList{QStringLiteral("--redis"), QStringLiteral("127.0.0.1:%1").arg(redis.port()),
                    QStringLiteral("--server-id"), QLatin1String(id), QStringLiteral("--lease"),
                    QString::number(kLeaseMs), QStringLiteral("--max-messages-per-second"),
                    QStringLiteral("100000")},
        seed);
    EXPECT_FALSE(process->url().isEmpty()) << process->log().toStdString();
    EXPECT_TRUE(
        waitFor([&] { return process->log().contains(QLatin1String("sharing the tables")); }, 30))
        << process->log().toStdString();
    return process;
  }

  // The match on one server alone, never interrupted: each hand's end.
  static QStringList uninterrupted() {
    ServerProcess alone({QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
    PairsTable table(alone.url());
    table.host.start();
    EXPECT_TRUE(table.playToTheEnd());
    return handsEnded({&table.host});
  }

  // The two players sit again at `url` with their tokens, and play on.
  static void sitAgain(NetPlayer& host, NetPlayer& friend_, const QString& url, const QString& code,
                       const QByteArray& hostToken, const QByteArray& friendToken) {
    ASSERT_TRUE(host.connectTo(url));
    ASSERT_TRUE(friend_.connectTo(url));
    host.join(code, -1, hostToken);
    friend_.join(code, -1, friendToken);
  }

  static bool inSecondHand(const NetPlayer& player) {
    return eventsOf(player, "handEnded").size() == 1 &&
           player.view.value(QLatin1String("chain")).toArray().size() >= 3;
  }

  RedisProcess redis;
};

TEST_F(SharedTablesTest, ATableIsReachedThroughEitherServerAndTakenOverWhenItsServerDies) {
  const QStringList whole = uninterrupted();
  ASSERT_GE(whole.size(), 2);

  auto a = server("a");
  auto b = server("b", QStringLiteral("77"));
  NetPlayer host(QStringLiteral("Ana")), friend_(QStringLiteral("Bia"));
  ASSERT_TRUE(host.connectTo(a->url()));
  host.create(pairsRules(), {false, true, false, true}, 60);
  ASSERT_TRUE(waitFor([&] { return !host.code.isEmpty(); }, 30));
  // Through the other server: sent on to the one holding the table.
  ASSERT_TRUE(friend_.connectTo(b->url()));
  friend_.join(host.code, kMac2);
  ASSERT_TRUE(waitFor([&] { return friend_.seat == kMac2; }, 30)) << b->log().toStdString();
  EXPECT_EQ(friend_.redirects, QStringList{a->url()});

  host.start();
  ASSERT_TRUE(waitFor([&] { return inSecondHand(host); }, 60));
  a->kill();
  QStringList seen = handsEnded({&host});
  // The other server takes the table once the dead one's lease has run out.
  ASSERT_TRUE(waitFor([&] { return b->log().contains(QLatin1String("taken over")); }, 30))
      << b->log().toStdString();
  NetPlayer host2(QStringLiteral("Ana")), friend2(QStringLiteral("Bia"));
  sitAgain(host2, friend2, b->url(), host.code, host.token, friend_.token);
  ASSERT_TRUE(waitFor([&] { return host2.matchOver && friend2.matchOver; }, 60))
      << b->log().toStdString();
  seen += handsEnded({&host2});
  EXPECT_EQ(seen, whole);
  EXPECT_FALSE(b->log().contains(QLatin1String("RULES BROKEN")));
}

TEST_F(SharedTablesTest, ARedisRestartedMidMatchIsWaitedForAndTheTableIsKeptAgain) {
  const QStringList whole = uninterrupted();
  auto a = server("a");
  PairsTable table(a->url());
  table.host.start();
  ASSERT_TRUE(waitFor([&] { return eventsOf(table.host, "handEnded").size() == 1; }, 60));
  redis.stop();
  ASSERT_TRUE(waitFor([&] { return a->log().contains(QLatin1String("Redis lost")); }, 30));
  redis.start();  // empty: what it held is gone
  ASSERT_TRUE(redis.ready());
  // Back: the table is held and written again, so that another server can take it.
  ASSERT_TRUE(
      waitFor([&] { return redis.exists("tavolix:table:" + table.host.code.toUtf8()); }, 30))
      << a->log().toStdString();
  auto b = server("b", QStringLiteral("77"));
  ASSERT_TRUE(waitFor([&] { return inSecondHand(table.host); }, 60));
  a->kill();
  QStringList seen = handsEnded({&table.host});
  ASSERT_TRUE(waitFor([&] { return b->log().contains(QLatin1String("taken over")); }, 30))
      << a->log().toStdString() << b->log().toStdString();
  NetPlayer host(QStringLiteral("Ana")), friend_(QStringLiteral("Bia"));
  sitAgain(host, friend_, b->url(), table.host.code, table.host.token, table.friend_.token);
  ASSERT_TRUE(waitFor([&] { return host.matchOver && friend_.matchOver; }, 60));
  seen += handsEnded({&host});
  EXPECT_EQ(seen, whole);
}

// The players are told of a move only once Redis has kept it: a server that
// dies while Redis holds its writes back takes no move its players saw with it.
TEST_F(SharedTablesTest, NoMoveAPlayerSawDiesWithItsServer) {
  auto a = server("a");
  auto b = server("b", QStringLiteral("77"));
  PairsTable table(a->url());
  table.host.start();
  ASSERT_TRUE(waitFor([&] { return table.host.events.size() > 8; }, 60));
  // Redis takes no more writes (the scripted players play on at once), then
  // the server dies; what it had not written is gone with it.
  ASSERT_EQ(redis.ask({"CLIENT", "PAUSE", "600000", "WRITE"}), "+OK\r\n");
  waitFor([] { return false; }, 1);
  const auto seen = [](const NetPlayer& p) {
    return std::make_pair(p.view.value(QLatin1String("handNumber")).toInt(),
                          p.view.value(QLatin1String("chain")).toArray().size());
  };
  const auto hostSaw = seen(table.host);
  const auto friendSaw = seen(table.friend_);
  a->kill();
  ASSERT_EQ(redis.ask({"CLIENT", "UNPAUSE"}), "+OK\r\n");
  ASSERT_TRUE(waitFor([&] { return b->log().contains(QLatin1String("taken over")); }, 30))
      << b->log().toStdString();
  NetPlayer host(QStringLiteral("Ana")), friend_(QStringLiteral("Bia"));
  host.plays = friend_.plays = false;  // only looking
  sitAgain(host, friend_, b->url(), table.host.code, table.host.token, table.friend_.token);
  ASSERT_TRUE(waitFor([&] { return !host.view.isEmpty() && !friend_.view.isEmpty(); }, 30));
  // The table as taken over is no older than what either player was shown.
  EXPECT_GE(seen(host), hostSaw);
  EXPECT_GE(seen(friend_), friendSaw);
}

// A server stopped past its lease (a hung machine) finds, when it runs again,
// that the other took its table: it lets go of it and writes nothing more.
TEST_F(SharedTablesTest, AServerThatHungPastItsLeaseWritesNothingWhenItWakes) {
  auto a = server("a");
  auto b = server("b", QStringLiteral("77"));
  PairsTable table(a->url());
  table.host.start();
  ASSERT_TRUE(waitFor([&] { return table.host.events.size() > 6; }, 60));
  a->pause();
  ASSERT_TRUE(waitFor([&] { return b->log().contains(QLatin1String("taken over")); }, 30))
      << b->log().toStdString();
  table.host.drop();
  table.friend_.drop();
  NetPlayer host(QStringLiteral("Ana")), friend_(QStringLiteral("Bia"));
  sitAgain(host, friend_, b->url(), table.host.code, table.host.token, table.friend_.token);
  ASSERT_TRUE(waitFor([&] { return host.events.size() > 3; }, 60));
  a->resume();
  ASSERT_TRUE(waitFor([&] { return a->log().contains(QLatin1String("let go of")); }, 30))
      << a->log().toStdString();
  ASSERT_TRUE(waitFor([&] { return host.matchOver && friend_.matchOver; }, 60));
  EXPECT_FALSE(b->log().contains(QLatin1String("let go of")));
  EXPECT_FALSE(b->log().contains(QLatin1String("RULES BROKEN")));
}

}  // namespace
}  // namespace tavolix::testing
