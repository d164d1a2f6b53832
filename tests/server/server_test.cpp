// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table server as players meet it: a real server process on a loopback
// port, scripted players that play from their own view, and what each of
// them is sent.
#include <memory>
#include <set>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "game/seat.h"
#include "net_player.h"
#include "online_table.h"
#include "protocol/protocol.h"
#include "server_process.h"
#include "trace_check.h"

namespace tavolix::testing {
namespace {

// The players at the table, as the server tells them: seat, kind, connected.
QString seatsSeen(const NetPlayer& player) {
  QString seen;
  for (const QJsonValue seat : player.table.value(QLatin1String("seats")).toArray()) {
    const QJsonObject s = seat.toObject();
    seen += s.value(QLatin1String("kind")).toString().left(1) +
            (s.value(QLatin1String("connected")).toBool() ? QStringLiteral("+ ")
                                                          : QStringLiteral("- "));
  }
  return seen.trimmed();
}

// Every message `player` was sent during a hand is searched for the tiles
// of the other seats' hands not yet laid: none may be there before the hand
// is over. The hands are known afterwards: what each seat still held when
// they were turned up, and what it laid.
void expectNothingHidden(const NetPlayer& player) {
  SCOPED_TRACE(player.name().toStdString());
  std::vector<int> ends;  // the index of each hand's last message (its end)
  for (int k = 0; k < player.messages.size(); ++k) {
    const QJsonObject m = QJsonDocument::fromJson(player.messages[k].toUtf8()).object();
    const QString event = m.value(QLatin1String("event")).toString();
    if (event == QLatin1String("handEnded") || event == QLatin1String("redeal")) ends.push_back(k);
  }
  ASSERT_FALSE(ends.empty());
  int begin = 0;
  int checked = 0;
  for (const int end : ends) {
    // Each seat's tiles in this hand.
    std::array<std::set<QString>, 4> held;
    const QJsonObject last = QJsonDocument::fromJson(player.messages[end].toUtf8()).object();
    const QJsonArray hands = last.value(QLatin1String("hands")).toArray();
    for (int seat = 0; seat < hands.size(); ++seat) {
      for (const QJsonValue t : hands[seat].toArray()) held[seat].insert(t.toString());
    }
    if (last.contains(QLatin1String("hand"))) {
      for (const QJsonValue t : last.value(QLatin1String("hand")).toArray())
        held[last.value(QLatin1String("seat")).toInt()].insert(t.toString());
    }
    std::vector<QJsonObject> messages;
    for (int k = begin; k < end; ++k)
      messages.push_back(QJsonDocument::fromJson(player.messages[k].toUtf8()).object());
    for (const QJsonObject& m : messages) {
      if (m.value(QLatin1String("event")).toString() == QLatin1String("played")) {
        QString t = m.value(QLatin1String("tile")).toString();
        // Laid tiles are shown as they lie: the hand held them lower pip first.
        if (t[0] > t[1]) std::swap(t[0], t[1]);
        held[m.value(QLatin1String("seat")).toInt()].insert(t);
      }
    }
    std::set<QString> laid;
    for (int k = begin; k < end; ++k) {
      const QString& text = player.messages[k];
      const QJsonObject& m = messages[static_cast<std::size_t>(k - begin)];
      // The message that lays a tile shows it: from then on it is no secret.
      if (m.value(QLatin1String("event")).toString() == QLatin1String("played")) {
        QString t = m.value(QLatin1String("tile")).toString();
        if (t[0] > t[1]) std::swap(t[0], t[1]);
        laid.insert(t);
      }
      for (int seat = kJog; seat <= kMac3; ++seat) {
        if (seat == player.seat) continue;
        for (const QString& t : held[seat]) {
          if (laid.count(t)) continue;
          const QString reversed = QString(t).append(t[0]).mid(1);
          EXPECT_FALSE(text.contains(QLatin1Char('"') + t + QLatin1Char('"')) ||
                       text.contains(QLatin1Char('"') + reversed + QLatin1Char('"')))
              << "seat " << seat << "'s " << t.toStdString() << " in " << text.toStdString();
          ++checked;
        }
      }
    }
    begin = end + 1;
  }
  EXPECT_GT(checked, 1000);
}

TEST(OnlineTable, APairsMatchIsPlayedToItsEndAndNoSeatIsSentAnotherSeatsTiles) {
  QTemporaryDir work;
  const QString trace = work.filePath(QStringLiteral("trace.jsonl"));
  ServerProcess server({QStringLiteral("--trace"), trace,
                        QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
  ASSERT_FALSE(server.url().isEmpty()) << server.log().toStdString();
  PairsTable table(server.url(), true);
  NetPlayer watcher(QStringLiteral("Caio"));
  ASSERT_TRUE(watcher.connectTo(server.url()));
  watcher.join(table.host.code, -1, {}, true);
  ASSERT_TRUE(waitFor([&] { return !watcher.table.isEmpty(); }, 30));
  EXPECT_EQ(watcher.seat, -1);
  EXPECT_TRUE(waitFor([&] { return seatsSeen(table.host) == QStringLiteral("p+ c- p+ c-"); }, 30))
      << seatsSeen(table.host).toStdString();

  // Only the host starts.
  table.friend_.start();
  ASSERT_TRUE(waitFor([&] { return !table.friend_.errors.isEmpty(); }, 30));
  EXPECT_EQ(table.friend_.errors.front().value(QLatin1String("code")).toString(),
            QStringLiteral("not-host"));
  table.host.start();
  ASSERT_TRUE(table.playToTheEnd()) << server.log().toStdString();
  ASSERT_TRUE(waitFor([&] { return watcher.matchOver; }, 30));

  // Both players saw the same hands end with the same scores, partners level.
  const auto hostHands = eventsOf(table.host, "handEnded");
  const auto friendHands = eventsOf(table.friend_, "handEnded");
  ASSERT_GE(hostHands.size(), 2u);
  ASSERT_EQ(hostHands.size(), friendHands.size());
  for (std::size_t k = 0; k < hostHands.size(); ++k)
    EXPECT_EQ(hostHands[k].value(QLatin1String("scores")),
              friendHands[k].value(QLatin1String("scores")));
  const QJsonArray scores =
      eventsOf(table.host, "matchEnded").front().value(QLatin1String("scores")).toArray();
  EXPECT_EQ(scores[0], scores[2]);
  EXPECT_EQ(scores[1], scores[3]);
  EXPECT_GE(std::max(scores[0].toInt(), scores[1].toInt()), Settings::kMinLimitRule1);
  EXPECT_GT(table.host.actions, 10);
  EXPECT_GT(table.friend_.actions, 10);

  expectNothingHidden(table.host);
  expectNothingHidden(table.friend_);
  expectNothingHidden(watcher);
  EXPECT_FALSE(server.log().contains(QLatin1String("RULES BROKEN"))) << server.log().toStdString();

  // The trace holds the match, move for move as the players saw it, and passes the
  // checks of the simulator's traces.
  QFile file(trace);
  ASSERT_TRUE(waitFor([&] { return file.size() > 0; }, 30));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray lines = file.readAll();
  EXPECT_EQ(lines.count(R"({"ev":"play")"),
            static_cast<int>(eventsOf(table.host, "played").size()));
  const sim::TraceCheck check = sim::checkTrace(lines);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  EXPECT_EQ(check.matches, 1);
  EXPECT_EQ(check.hands, static_cast<long>(hostHands.size()));
  EXPECT_EQ(server.terminate(), 0);
}

TEST(OnlineTable, APlayerWhoseConnectionDropsTakesHisSeatBackWithHisTokenOnly) {
  ServerProcess server({QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
  ASSERT_FALSE(server.url().isEmpty()) << server.log().toStdString();
  auto table = std::make_unique<PairsTable>(server.url());
  // The friend drops in the middle of the first hand; with the timer at 60 s the table waits.
  table->friend_.makesMoves = false;
  table->host.start();
  ASSERT_TRUE(waitFor(
      [&] {
        return table->host.view.value(QLatin1String("turn")).toInt() == kMac2 &&
               !table->host.view.value(QLatin1String("dealing")).toBool();
      },
      30));
  const QByteArray token = table->friend_.token;
  const QString code = table->host.code;
  table->friend_.drop();
  ASSERT_TRUE(waitFor([&] { return seatsSeen(table->host) == QStringLiteral("p+ c- p- c-"); }, 30));
  const QJsonArray chainBefore = table->host.view.value(QLatin1String("chain")).toArray();

  // A made-up token, and the token of no seat at another table's code, are refused.
  NetPlayer stranger(QStringLiteral("Eva"));
  ASSERT_TRUE(stranger.connectTo(server.url()));
  stranger.join(code, -1, QByteArray(16, 'x'));
  ASSERT_TRUE(waitFor([&] { return !stranger.errors.isEmpty(); }, 30));
  EXPECT_EQ(stranger.errors.back().value(QLatin1String("code")).toString(),
            QStringLiteral("wrong-token"));
  stranger.join(code, kMac2);  // the seat is still his, match or not
  ASSERT_TRUE(waitFor([&] { return stranger.errors.size() == 2; }, 30));
  EXPECT_EQ(stranger.errors.back().value(QLatin1String("code")).toString(),
            QStringLiteral("already-started"));
  EXPECT_EQ(stranger.seat, -1);

  // Back with his token: the same seat, the table as it stands, his own hand.
  NetPlayer back(QStringLiteral("Bia"));
  ASSERT_TRUE(back.connectTo(server.url()));
  back.join(code, -1, token);
  ASSERT_TRUE(waitFor([&] { return back.matchOver; }, 60)) << server.log().toStdString();
  EXPECT_EQ(back.seat, kMac2);
  EXPECT_TRUE(back.token.isEmpty());  // no new token: the old one still holds
  const QJsonObject firstView = [&] {
    for (const QString& m : back.messages) {
      const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
      if (o.value(QLatin1String("type")).toString() == QLatin1String("view")) return o;
    }
    return QJsonObject();
  }();
  EXPECT_EQ(firstView.value(QLatin1String("chain")).toArray(), chainBefore);
  EXPECT_FALSE(firstView.value(QLatin1String("hand")).toArray().isEmpty());
  EXPECT_TRUE(table->host.matchOver || waitFor([&] { return table->host.matchOver; }, 30));
  EXPECT_FALSE(server.log().contains(QLatin1String("RULES BROKEN")));
}

// The hands of a match as one player saw them end: who took each, for how much.

TEST(OnlineTable, AServerKilledMidHandComesBackAndTheMatchEndsAsIfItHadNotStopped) {
  // The same seed, the same players: first uninterrupted.
  QStringList whole;
  {
    ServerProcess server({QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
    ASSERT_FALSE(server.url().isEmpty());
    PairsTable table(server.url());
    table.host.start();
    ASSERT_TRUE(table.playToTheEnd());
    whole = handsEnded({&table.host});
    ASSERT_GE(whole.size(), 2);
  }
  QTemporaryDir state;
  const QStringList arguments{QStringLiteral("--state"), state.path(),
                              QStringLiteral("--max-messages-per-second"),
                              QStringLiteral("100000")};
  QStringList seen;
  QString code;
  QByteArray hostToken, friendToken;
  {
    ServerProcess server(arguments);
    ASSERT_FALSE(server.url().isEmpty());
    PairsTable table(server.url());
    table.host.start();
    // Killed once the second hand is under way.
    ASSERT_TRUE(waitFor(
        [&] {
          return eventsOf(table.host, "handEnded").size() == 1 &&
                 table.host.view.value(QLatin1String("chain")).toArray().size() >= 3;
        },
        60));
    server.kill();
    seen = handsEnded({&table.host});
    code = table.host.code;
    hostToken = table.host.token;
    friendToken = table.friend_.token;
  }
  ServerProcess server(arguments, QStringLiteral("99"));
  ASSERT_FALSE(server.url().isEmpty());
  EXPECT_TRUE(server.log().contains(QLatin1String("1 tables kept"))) << server.log().toStdString();
  NetPlayer host(QStringLiteral("Ana")), friend_(QStringLiteral("Bia"));
  ASSERT_TRUE(host.connectTo(server.url()));
  ASSERT_TRUE(friend_.connectTo(server.url()));
  host.join(code, -1, hostToken);
  friend_.join(code, -1, friendToken);
  ASSERT_TRUE(waitFor([&] { return host.matchOver && friend_.matchOver; }, 60))
      << server.log().toStdString();
  seen += handsEnded({&host});
  EXPECT_EQ(seen, whole);
  EXPECT_FALSE(server.log().contains(QLatin1String("RULES BROKEN")));
  // Over, the table is kept no more.
  EXPECT_TRUE(waitFor([&] { return QDir(state.path()).entryList(QDir::Files).isEmpty(); }, 30));
}

TEST(OnlineTable, AHostWhoLeavesBeforeTheStartLeavesTheTableToTheNextPlayer) {
  ServerProcess server({QStringLiteral("--max-messages-per-second"), QStringLiteral("100000")});
  ASSERT_FALSE(server.url().isEmpty());
  PairsTable table(server.url());
  table.host.sendRaw(net::message("leave"));
  ASSERT_TRUE(
      waitFor([&] { return seatsSeen(table.friend_) == QStringLiteral("o- c- p+ c-"); }, 30))
      << seatsSeen(table.friend_).toStdString();
  EXPECT_EQ(table.friend_.table.value(QLatin1String("host")).toInt(), kMac2);
  table.friend_.start();
  EXPECT_TRUE(waitFor([&] { return table.friend_.matchOver; }, 60)) << server.log().toStdString();
  EXPECT_TRUE(table.friend_.errors.isEmpty() ||
              table.friend_.errors.front().value(QLatin1String("code")).toString() ==
                  QStringLiteral("only-natural"));
}

// The table kept comes back as it was made, its computer players' level too.
TEST(OnlineTable, SigtermKeepsEveryTableAndEndsWithZero) {
  QTemporaryDir state;
  ServerProcess server({QStringLiteral("--state"), state.path()});
  ASSERT_FALSE(server.url().isEmpty());
  NetPlayer host(QStringLiteral("Ana"));
  ASSERT_TRUE(host.connectTo(server.url()));
  host.create(pairsRules(), {false, true, true, true}, 60, false, ComputerLevel::Master);
  ASSERT_TRUE(waitFor([&] { return !host.code.isEmpty(); }, 30));
  EXPECT_EQ(host.table.value(QLatin1String("level")).toString(), QStringLiteral("master"));
  EXPECT_EQ(server.terminate(), 0);
  EXPECT_TRUE(QFile::exists(state.filePath(host.code + QStringLiteral(".json"))));
  QFile damaged(state.filePath(QStringLiteral("ZZZZZZZZ.json")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("[1, 2]");
  damaged.close();
  ServerProcess again({QStringLiteral("--state"), state.path()});
  EXPECT_TRUE(again.log().contains(QLatin1String("1 tables kept"))) << again.log().toStdString();
  // A file that is no table is left out, and the log says why.
  EXPECT_TRUE(again.log().contains(
      QLatin1String("ZZZZZZZZ.json is not taken: it is not a table of this version")))
      << again.log().toStdString();
  EXPECT_TRUE(again.log().contains(QLatin1String("tavolix-server: a table ")))
      << again.log().toStdString();
  NetPlayer back(QStringLiteral("Ana"));
  ASSERT_TRUE(back.connectTo(again.url()));
  back.join(host.code, host.seat, host.token);
  ASSERT_TRUE(waitFor([&] { return !back.table.isEmpty(); }, 30)) << again.log().toStdString();
  EXPECT_EQ(back.table.value(QLatin1String("level")).toString(), QStringLiteral("master"));
}

}  // namespace
}  // namespace tavolix::testing
