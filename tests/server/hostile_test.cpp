// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table server against clients that mean it harm: whatever they send,
// the server stays up and the other tables play on.
#include <random>

#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QWebSocket>

#include "net_player.h"
#include "protocol/protocol.h"
#include "server_process.h"

namespace tavolix::testing {
namespace {

// Hostile messages of every kind, drawn from a fixed seed so that a failure
// can be replayed; what is asserted holds whatever they are.
class Hostile {
 public:
  explicit Hostile(const QString& code) : code_(code.toUtf8()) {}

  QByteArray next() {
    switch (pick(8)) {
      case 0: {  // random bytes
        QByteArray bytes(pick(300), '\0');
        for (char& c : bytes) c = static_cast<char>(pick(256));
        return bytes;
      }
      case 1:
      case 2: {  // a valid message, mutated
        QByteArray m = valid();
        for (int k = 1 + pick(4); k > 0 && !m.isEmpty(); --k) {
          const int at = pick(m.size());
          switch (pick(3)) {
            case 0:
              m[at] = static_cast<char>(pick(128));
              break;
            case 1:
              m.remove(at, 1 + pick(5));
              break;
            default:
              m.insert(at, kPieces[pick(std::size(kPieces))]);
          }
        }
        return m;
      }
      case 3:  // a valid message out of place: no seat, wrong code, wrong turn
        return valid();
      case 4:  // a type or a version the server does not know
        return pick(2) ? R"({"type":"deal","v":1})"
                       : R"({"type":"play","v":99,"tile":"66","end":"A"})";
      case 5: {  // huge numbers where small ones belong
        static const char* huge[] = {"1e308", "-1e308", "18446744073709551616",
                                     "-0",    "1.5",    "9007199254740993",
                                     "null",  "[]",     "{}",
                                     "\"28\""};
        return QByteArray(R"({"type":"take","v":1,"position":)") + huge[pick(std::size(huge))] +
               "}";
      }
      case 6: {  // deep nesting
        const int depth = 1 + pick(3000);
        return QByteArray(R"({"type":"create","v":1,"rules":)") + QByteArray(depth, '[') +
               QByteArray(depth, ']') + "}";
      }
      case 7:  // names and codes built to hurt
        return net::joinMessage(QString::fromUtf8(QByteArray(pick(40), '\xff')),
                                QString(300, QChar(0x202E)), pick(6) - 1,
                                QByteArray(16, static_cast<char>(pick(256))));
      default:  // names and tokens built to hurt, with a real code
        return net::joinMessage(QString::fromUtf8(code_), QString(300, QChar(0x202E)), -1,
                                QByteArray(16, static_cast<char>(pick(256))));
    }
  }
  // A valid message out of place: refused without counting against the connection.
  QByteArray outOfPlace() { return valid(); }
  // Over the size allowed: the connection goes with it, so it comes last.
  QByteArray oversized() {
    return QByteArray(R"({"type":"join","v":1,"name":")") +
           QByteArray(net::kMaxMessageBytes + pick(1000), 'x') + "\"}";
  }

 private:
  static constexpr const char* kPieces[] = {"\"",      "{",     "}",    "[",    "]",  ",",   ":",
                                            "\\u0000", "1e999", "true", "null", "\\", "\xc3"};
  int pick(qsizetype n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  QByteArray valid() {
    Settings rules;
    switch (pick(7)) {
      case 0:
        return net::createMessage(rules, QStringLiteral("X"), -1, {false, true, true, true},
                                  ComputerLevel::Normal, 60, false);
      case 1:
        return net::joinMessage(QString::fromUtf8(code_), QStringLiteral("X"), pick(4));
      case 2:
        return net::takeMessage(1 + pick(28));
      case 3:
        return net::playMessage(TileCode(pick(7), pick(7)), static_cast<Lado>(pick(3)));
      case 4:
        return net::message("pass");
      case 5:
        return net::message("start");
      default:
        return net::message("leave");
    }
  }

  QByteArray code_;
  std::mt19937 random_{20261208};
};

TEST(HostileClients, AHundredThousandBadMessagesBreakNothingAndTheTablePlaysOn) {
  ServerProcess server({QStringLiteral("--max-messages-per-second"), QStringLiteral("1000000")});
  ASSERT_FALSE(server.url().isEmpty()) << server.log().toStdString();
  NetPlayer host(QStringLiteral("Ana")), friend_(QStringLiteral("Bia"));
  ASSERT_TRUE(host.connectTo(server.url()));
  ASSERT_TRUE(friend_.connectTo(server.url()));
  Settings rules;
  rules.TipoJogo = 2;
  rules.TipoRegra = 2;
  rules.PontosLimit = Settings::kMinLimitRule2;
  host.create(rules, {false, true, false, true});
  ASSERT_TRUE(waitFor([&] { return !host.code.isEmpty(); }, 30));
  friend_.join(host.code, 2);
  ASSERT_TRUE(waitFor([&] { return friend_.seat == 2; }, 30));
  // The players move one move each round of the attack, so that it runs through the match.
  host.plays = friend_.plays = false;
  host.start();

  Hostile hostile(host.code);
  constexpr int kMessages = 100000;
  constexpr int kAttackers = 8;
  // Each attacker sends a batch on a connection of its own, then opens a new one:
  // a third of it malformed (twenty at most, under the count that closes a
  // connection), the rest valid messages out of place, the last one oversized.
  constexpr int kBatch = 60;
  std::vector<std::unique_ptr<QWebSocket>> attackers;
  for (int k = 0; k < kAttackers; ++k) attackers.push_back(std::make_unique<QWebSocket>());
  int sent = 0;
  int connections = 0;
  int rounds = 0;
  const QDeadlineTimer deadline(150 * 1000);
  while (sent < kMessages && !deadline.hasExpired()) {
    for (auto& socket : attackers) {
      if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->open(QUrl(server.url()));
        ++connections;
      } else if (socket->state() == QAbstractSocket::ConnectedState) {
        for (int m = 0; m < kBatch && sent < kMessages; ++m, ++sent) {
          const QByteArray text = m == kBatch - 1 ? hostile.oversized()
                                  : m % 3 == 0    ? hostile.next()
                                                  : hostile.outOfPlace();
          if (m % 7 == 6) {
            socket->sendBinaryMessage(text);
          } else {
            socket->sendTextMessage(QString::fromUtf8(text));
          }
        }
        socket->close();
      }
    }
    if (++rounds % 4 == 0) {
      host.actNow();
      friend_.actNow();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  EXPECT_EQ(sent, kMessages) << "sent in the time given";
  EXPECT_GT(connections, kMessages / kBatch / 2);
  // A 1 MiB frame: the connection that sends it is closed, nothing else.
  QWebSocket big;
  big.open(QUrl(server.url()));
  ASSERT_TRUE(waitFor([&] { return big.state() == QAbstractSocket::ConnectedState; }, 30));
  big.sendTextMessage(QString(1 << 20, QLatin1Char('x')));
  EXPECT_TRUE(waitFor([&] { return big.state() == QAbstractSocket::UnconnectedState; }, 30));

  // The match goes on to its end, nothing the attackers sent touching it.
  host.plays = friend_.plays = true;
  host.actNow();
  friend_.actNow();
  ASSERT_TRUE(waitFor([&] { return host.matchOver && friend_.matchOver; }, 60))
      << server.log().right(2000).toStdString();
  ASSERT_TRUE(server.running());
  for (const QJsonObject& error : host.errors + friend_.errors)
    EXPECT_EQ(error.value(QLatin1String("code")).toString(), QStringLiteral("only-natural"));
  EXPECT_FALSE(server.log().contains(QLatin1String("RULES BROKEN")));
  // The server still answers at once; the attackers' address has made all the tables it may.
  NetPlayer late(QStringLiteral("Caio"));
  ASSERT_TRUE(late.connectTo(server.url()));
  late.create(rules, {false, true, true, true});
  ASSERT_TRUE(waitFor([&] { return !late.errors.isEmpty() || !late.code.isEmpty(); }, 30));
  ASSERT_FALSE(late.errors.isEmpty());
  EXPECT_EQ(late.errors.front().value(QLatin1String("code")).toString(),
            QStringLiteral("too-many-tables"));
  EXPECT_EQ(server.terminate(), 0);
  // Most of the attack was read (a batch cut short by its connection's close is not).
  const QRegularExpression counts(QStringLiteral("(\\d+) messages read, (\\d+) refused"));
  const auto found = counts.match(server.log());
  ASSERT_TRUE(found.hasMatch()) << server.log().right(500).toStdString();
  EXPECT_GT(found.captured(2).toInt(), kMessages * 8 / 10);
}

}  // namespace
}  // namespace tavolix::testing
