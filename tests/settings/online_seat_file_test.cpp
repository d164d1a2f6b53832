// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The seat online kept between runs: whole, the player's alone, and refused
// when it is not one; and a record kept before online play still read.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "settings/online_seat_file.h"
#include "settings/record_file.h"

namespace tavolix {
namespace {

OnlineSeat aSeat() {
  OnlineSeat seat;
  seat.server = QUrl(QStringLiteral("wss://mesa.example.org:5000"));
  seat.code = QStringLiteral("N3XPG97X");
  seat.token = QByteArray::fromHex("00112233445566778899aabbccddeeff");
  seat.name = QStringLiteral("Bartolomeu");
  seat.hostedHere = false;
  return seat;
}

TEST(OnlineSeatFile, KeptWholeForThePlayerAloneAndRefusedWhenItIsNoSeat) {
  QTemporaryDir dir;
  OnlineSeatFile file(dir.filePath(QStringLiteral("data/online-seat.json")));
  EXPECT_FALSE(file.read().seat.has_value());
  EXPECT_FALSE(file.read().refused());
  ASSERT_TRUE(file.write(aSeat()));
  EXPECT_EQ(QFile::permissions(file.path()), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser);
  const OnlineSeatFile::Found found = file.read();
  ASSERT_TRUE(found.seat.has_value());
  EXPECT_EQ(*found.seat, aSeat());

  const QJsonObject good = QJsonDocument::fromJson(seatToJson(aSeat())).object();
  const auto with = [&](const char* key, const QJsonValue& value) {
    QJsonObject document = good;
    document.insert(QLatin1String(key), value);
    return QJsonDocument(document).toJson();
  };
  QJsonObject noVersion = good;
  noVersion.remove(QStringLiteral("version"));
  for (const QByteArray& json :
       {with("server", QStringLiteral("http://mesa.example.org")),
        with("server", QStringLiteral("ws://")), with("code", QStringLiteral("N3XPG97")),
        with("code", QStringLiteral("N3XPG97O")), with("token", QStringLiteral("00112233")),
        with("token", QStringLiteral("00112233445566778899aabb")),
        with("token", QStringLiteral("zz112233445566778899aabbccddeeff")), with("port", 70000),
        with("version", 2), with("version", 0), with("version", QStringLiteral("1")),
        QJsonDocument(noVersion).toJson(), with("format", QStringLiteral("tavolix-match")),
        seatToJson(aSeat()).left(30)}) {
    SCOPED_TRACE(json.toStdString());
    EXPECT_EQ(seatFromJson(json).index(), 1u);
    QFile out(file.path());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(json);
    out.close();
    const OnlineSeatFile::Found refused = file.read();
    EXPECT_TRUE(refused.refused());
    EXPECT_FALSE(refused.seat.has_value());
    // Set aside, not lost: the next start finds none.
    EXPECT_TRUE(QFile::exists(refused.keptAs));
    EXPECT_FALSE(QFile::exists(file.path()));
  }
  // The highest port there is is a port.
  const auto highest = seatFromJson(with("port", 65535));
  ASSERT_EQ(highest.index(), 0u);
  EXPECT_EQ(std::get<OnlineSeat>(highest).port, 65535);
  // A name longer than any the game gives is read cut short, not refused.
  const auto longName = seatFromJson(with("name", QString(100, u'x')));
  ASSERT_EQ(longName.index(), 0u);
  EXPECT_EQ(std::get<OnlineSeat>(longName).name, QString(24, u'x'));
  ASSERT_TRUE(file.write(aSeat()));
  file.remove();
  EXPECT_FALSE(QFile::exists(file.path()));
  // Where no file can be made (its folder's name is a file's), the seat is
  // not called kept.
  QFile blocker(dir.filePath(QStringLiteral("data/blocker")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  OnlineSeatFile nowhere(blocker.fileName() + QStringLiteral("/online-seat.json"));
  EXPECT_FALSE(nowhere.write(aSeat()));
}

TEST(RecordFileTest, ARecordKeptBeforeOnlinePlayIsReadWithNoOnlineMatches) {
  PlayerRecord record;
  record.addOnlineMatch(true);
  QJsonObject document = QJsonDocument::fromJson(recordToJson(record)).object();
  document.remove(QStringLiteral("online"));
  const auto read = recordFromJson(QJsonDocument(document).toJson());
  ASSERT_EQ(read.index(), 0u);
  EXPECT_EQ(std::get<PlayerRecord>(read), PlayerRecord());
}

}  // namespace
}  // namespace tavolix
