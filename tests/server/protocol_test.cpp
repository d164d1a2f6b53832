// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The protocol's messages as the server reads them, and what each seat's
// view and events show.
#include <gtest/gtest.h>
#include <QJsonDocument>

#include "protocol/protocol.h"
#include "protocol/views.h"
#include "support/qt_printers.h"
#include "support/tiles.h"

namespace tavolix::net {
namespace {

// The error a message is refused with, or "taken".
QString verdict(const QByteArray& text) {
  const auto read = readClientMessage(text);
  if (const auto* refused = std::get_if<Refused>(&read)) return errorCode(refused->error);
  return QStringLiteral("taken");
}

TEST(Protocol, WhatTheGameWritesTheServerReadsBack) {
  Settings rules;
  rules.TipoJogo = 2;
  rules.TipoRegra = 2;
  rules.TipoInicio = 3;
  rules.SentidoHorario = false;
  rules.FecharSoNoNatural = false;
  rules.PontosLimit = 150;
  const auto create = std::get<ClientMessage>(
      readClientMessage(createMessage(rules, QStringLiteral("Ana"), kMac2,
                                      {true, false, false, true}, ComputerLevel::Strong, 0, true)));
  EXPECT_EQ(create.type, ClientMessage::Type::Create);
  EXPECT_EQ(create.rules.TipoJogo, 2);
  EXPECT_EQ(create.rules.TipoRegra, 2);
  EXPECT_EQ(create.rules.TipoInicio, 3);
  EXPECT_FALSE(create.rules.SentidoHorario);
  EXPECT_FALSE(create.rules.FecharSoNoNatural);
  EXPECT_EQ(create.rules.PontosLimit, 150);
  EXPECT_EQ(create.name, QStringLiteral("Ana"));
  EXPECT_EQ(create.seat, kMac2);
  EXPECT_EQ(create.computers, (std::array<bool, 4>{true, false, false, true}));
  EXPECT_EQ(create.level, ComputerLevel::Strong);
  for (const ComputerLevel level :
       {ComputerLevel::Normal, ComputerLevel::Strong, ComputerLevel::Master})
    EXPECT_EQ(levelNamed(levelName(level)), level);
  EXPECT_EQ(create.turnSeconds, 0);
  EXPECT_TRUE(create.watchers);

  const QByteArray token = QByteArray::fromHex("00112233445566778899aabbccddeeff");
  const auto join = std::get<ClientMessage>(
      readClientMessage(joinMessage(QStringLiteral("acdef-ghj"), QStringLiteral("Bia"), 1, token)));
  EXPECT_EQ(join.code, QStringLiteral("ACDEFGHJ"));  // typed as a player may type it
  EXPECT_EQ(join.token, token);
  EXPECT_EQ(join.seat, 1);

  const auto play = std::get<ClientMessage>(readClientMessage(playMessage(tile("63"), Lado::B)));
  EXPECT_EQ(play.tile, tile("63"));
  EXPECT_EQ(play.side, Lado::B);
  EXPECT_EQ(std::get<ClientMessage>(readClientMessage(takeMessage(28))).position, 28);
  EXPECT_EQ(verdict(message("pass")), QStringLiteral("taken"));
}

TEST(Protocol, EveryMalformedMessageIsRefusedWithItsCode) {
  const auto withV = [](const char* rest) {
    return QByteArray(R"({"v":1,)") + rest + QByteArray("}");
  };
  // Size, shape, version and type.
  EXPECT_EQ(verdict(QByteArray(kMaxMessageBytes + 1, ' ')), QStringLiteral("too-large"));
  EXPECT_EQ(verdict("not json"), QStringLiteral("bad-message"));
  EXPECT_EQ(verdict("[1,2]"), QStringLiteral("bad-message"));
  EXPECT_EQ(verdict(QByteArray(4000, '[') + QByteArray(4000, ']')), QStringLiteral("bad-message"));
  EXPECT_EQ(verdict(R"({"type":"pass"})"), QStringLiteral("wrong-version"));
  EXPECT_EQ(verdict(R"({"type":"pass","v":2})"), QStringLiteral("wrong-version"));
  EXPECT_EQ(verdict(R"({"type":"pass","v":"1"})"), QStringLiteral("wrong-version"));
  EXPECT_EQ(verdict(withV(R"("type":"cheat")")), QStringLiteral("unknown-type"));
  EXPECT_EQ(verdict(withV(R"("type":7)")), QStringLiteral("unknown-type"));
  // Numbers out of range, huge, or not whole.
  for (const char* position : {"0", "29", "-1", "1e308", "9223372036854775808", "2.5", "\"3\""}) {
    SCOPED_TRACE(position);
    EXPECT_EQ(verdict(withV(R"("type":"take","position":)") + position),
              QStringLiteral("bad-message"));
  }
  // Tiles and ends.
  for (const char* play :
       {R"("tile":"77","end":"A")", R"("tile":"3","end":"A")", R"("tile":"36","end":"C")",
        R"("tile":36,"end":"A")", R"("tile":"36")", R"("end":"A")", R"("tile":"","end":"first")"}) {
    SCOPED_TRACE(play);
    EXPECT_EQ(verdict(withV(R"("type":"play",)") + play), QStringLiteral("bad-message"));
  }
  // Two seats to change places: two of 0..3, not the same.
  EXPECT_EQ(verdict(withV(R"("type":"swap","seats":[1,2])")), QStringLiteral("taken"));
  for (const char* swap : {R"("seats":[1,1])", R"("seats":[1])", R"("seats":[0,4])",
                           R"("seats":[0,1,2])", R"("seats":"01")", R"("seat":[0,1])"}) {
    SCOPED_TRACE(swap);
    EXPECT_EQ(verdict(withV(R"("type":"swap",)") + swap), QStringLiteral("bad-message"));
  }
  // Codes with look-alikes or of the wrong length, and tokens that are not 128 bits in hex.
  for (const char* join :
       {R"("code":"ACDEFGH0")", R"("code":"ACDEFGHI")", R"("code":"ACDEFGH")",
        R"("code":"ACDEFGHJK")", R"("code":"ACDEFGH\u0000")", R"("code":"ACDEFGHJ","token":"zz")",
        R"("code":"ACDEFGHJ","token":"00112233445566778899aabbccddeef")",
        R"("code":"ACDEFGHJ","seat":4)", R"("code":"ACDEFGHJ","watch":"yes")"}) {
    SCOPED_TRACE(join);
    EXPECT_EQ(verdict(withV(R"("type":"join",)") + join), QStringLiteral("bad-message"));
  }
  // Rules out of range, and a host's seat given to a computer.
  const QByteArray rules =
      R"("rules":{"pairs":true,"scoring":1,"opening":1,"clockwise":true,"closeOnlyNatural":true,"limit":)";
  EXPECT_EQ(verdict(withV(R"("type":"create","name":"A","computers":[],"level":"normal",)" + rules +
                          "4}")),
            QStringLiteral("taken"));
  EXPECT_EQ(verdict(withV(R"("type":"create","name":"A","computers":[],"level":"normal",)" + rules +
                          "11}")),
            QStringLiteral("bad-message"));
  for (const char* level : {"grandmaster", "Strong", ""}) {
    EXPECT_EQ(verdict(withV(R"("type":"create","name":"A","computers":[],"level":")" +
                            QByteArray(level) + R"(",)" + rules + "4}")),
              QStringLiteral("bad-message"))
        << level;
  }
  EXPECT_EQ(
      verdict(withV(R"("type":"create","name":"A","seat":1,"computers":[1],"level":"normal",)" +
                    rules + "4}")),
      QStringLiteral("bad-message"));
  EXPECT_EQ(
      verdict(withV(R"("type":"create","name":"A","computers":[0,1,2,3,0],"level":"normal",)" +
                    rules + "4}")),
      QStringLiteral("bad-message"));
}

TEST(Protocol, ANameIsShownPlainAndShort) {
  EXPECT_EQ(cleanName(QStringLiteral("  Ana\n\tMaria\u0007 ")), QStringLiteral("Ana Maria"));
  EXPECT_EQ(cleanName(QString(100, QLatin1Char('x'))).size(), kMaxNameLength);
  // However long each character is in UTF-8, the match file keeps it whole.
  const QString wide = cleanName(QString(30, QChar(0x4E2D)));
  EXPECT_LE(wide.toUtf8().size(), 64);
  EXPECT_GT(wide.size(), 10);
}

TEST(Protocol, EachSeatSeesItsOwnHandAndOnlyTheCountsOfTheOthers) {
  GameState state;
  state.PedrasJog = handOf({"00", "01"});
  state.PedrasMac1 = handOf({"26", "33", "34"});
  state.PedrasMac2 = handOf({"45"});
  state.PedrasMac3 = handOf({"55", "56"});
  state.NaoTem[kMac1] = "36";
  Moment moment;
  moment.asked = kMac1;
  for (const int viewer : {kJog, kMac1, kMac2, kMac3, kWatcher}) {
    SCOPED_TRACE(viewer);
    const QJsonObject view = seatView(state, moment, viewer);
    const QByteArray text = QJsonDocument(view).toJson();
    EXPECT_EQ(view.value(QLatin1String("counts")).toArray(), (QJsonArray{2, 3, 1, 2}));
    EXPECT_EQ(view.value(QLatin1String("passes")).toArray()[kMac1], (QJsonArray{3, 6}));
    EXPECT_EQ(view.value(QLatin1String("asked")).toString(), QStringLiteral("move"));
    EXPECT_TRUE(view.value(QLatin1String("ends")).isNull());
    for (int seat = kJog; seat <= kMac3; ++seat) {
      for (int slot = 1; slot <= kHandSlots && !state.hand(seat)[slot].empty(); ++slot) {
        const QByteArray quoted =
            '"' + QByteArray::fromStdString(state.hand(seat)[slot].text()) + '"';
        EXPECT_EQ(text.contains(quoted), seat == viewer) << quoted.constData();
      }
    }
  }
  // A pile tile's face goes to the seat that took it, and to nobody else.
  TableEvent took;
  took.kind = TableEvent::Kind::Took;
  took.seat = kMac3;
  took.position = 12;
  took.tile = tile("56");
  EXPECT_EQ(eventFor(took, kMac3).value(QLatin1String("tile")).toString(), QStringLiteral("56"));
  for (const int viewer : {kJog, kMac1, kMac2, kWatcher}) {
    EXPECT_FALSE(eventFor(took, viewer).contains(QLatin1String("tile")));
    EXPECT_EQ(eventFor(took, viewer).value(QLatin1String("position")).toInt(), 12);
  }
}

}  // namespace
}  // namespace tavolix::net
