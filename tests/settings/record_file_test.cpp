// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "settings/record_file.h"

#include "game/match.h"
#include "settings/match_file.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace tavolix {
namespace {

HandResult wentOut(std::vector<int> scorers, GoingOut kind) {
  HandResult hand;
  hand.winner = scorers.empty() ? -1 : scorers.front();
  hand.scorers = std::move(scorers);
  hand.kind = kind;
  hand.points = 1;
  return hand;
}

HandResult blocked(std::vector<int> scorers) {
  HandResult hand = wentOut(std::move(scorers), GoingOut::None);
  hand.ending = HandResult::Ending::Blocked;
  return hand;
}

Settings rules(bool pairs, bool pipRule) {
  Settings settings;
  settings.TipoJogo = pairs ? 2 : 1;
  settings.TipoRegra = pipRule ? 2 : 1;
  return settings;
}

TEST(PlayerRecordTest, CountsHisSidesMatchesHandsAndStreaks) {
  PlayerRecord record;
  // Individual, first rule: his own hands count, nobody else's, not a tie.
  record.addMatch({wentOut({0}, GoingOut::Cruzada), wentOut({1}, GoingOut::Simples),
                   wentOut({0}, GoingOut::LaELo), blocked({0}), blocked({})},
                  rules(false, false), kJog);
  // Pairs under the pip rule, won by his partner: his side's hands and match.
  record.addMatch({wentOut({2, 0}, GoingOut::None), wentOut({1, 3}, GoingOut::None)},
                  rules(true, true), kMac2);
  EXPECT_EQ(record.wentOut, (std::array<int, 4>{0, 1, 0, 1}));
  EXPECT_EQ(record.wentOutPipRule, 1);
  EXPECT_EQ(record.blockedWon, 1);
  EXPECT_EQ(record.played, (std::array<std::array<int, 2>, 2>{{{1, 0}, {0, 1}}}));
  EXPECT_EQ(record.won, record.played);
  EXPECT_EQ(record.streak, 2);
  // Lost in pairs (Mac3 and Mac1 won), then won again: the streak starts over.
  record.addMatch({}, rules(true, false), kMac3);
  record.addMatch({}, rules(false, true), kJog);
  EXPECT_EQ(record.matchesPlayed(), 4);
  EXPECT_EQ(record.matchesWon(), 3);
  EXPECT_EQ(record.streak, 1);
  EXPECT_EQ(record.longestStreak, 2);
}

TEST(RecordFileTest, KeptWholeAndADamagedOneSetAsideNeverZeroedQuietly) {
  QTemporaryDir dir;
  RecordFile file(dir.filePath(QStringLiteral("data/record.json")));
  RecordFile::Found none = file.read();
  EXPECT_FALSE(none.refused());
  EXPECT_EQ(none.record, PlayerRecord());

  PlayerRecord record;
  // Every count of the record different from the others, and none zero.
  record.addMatch({wentOut({0}, GoingOut::Simples), wentOut({0}, GoingOut::LaELo),
                   wentOut({0}, GoingOut::LaELo), wentOut({0}, GoingOut::Carrocao),
                   wentOut({0}, GoingOut::Carrocao), wentOut({0}, GoingOut::Carrocao),
                   wentOut({0}, GoingOut::Cruzada), wentOut({0}, GoingOut::Cruzada),
                   wentOut({0}, GoingOut::Cruzada), wentOut({0}, GoingOut::Cruzada), blocked({0})},
                  rules(false, false), kJog);
  record.addMatch({}, rules(true, true), kMac1);
  record.addOnlineMatch(true);
  record.addOnlineMatch(false);
  record.addOnlineMatch(true);
  ASSERT_EQ(record.onlinePlayed, 3);
  ASSERT_EQ(record.onlineWon, 2);
  record.addHintedMatch(true);
  record.addHintedMatch(false);
  record.addHintedMatch(false);
  record.addHintedMatch(true);
  record.addHintedMatch(true);
  ASSERT_EQ(record.hintedPlayed, 5);
  ASSERT_EQ(record.hintedWon, 3);
  ASSERT_EQ(record.matchesPlayed(), 2);  // online matches, and hinted ones, are counted apart
  for (int k = 0; k < 4; ++k) ASSERT_EQ(record.wentOut[k], k + 1);
  ASSERT_TRUE(file.write(record));
  const RecordFile::Found found = file.read();
  EXPECT_FALSE(found.refused());
  EXPECT_EQ(found.record, record);

  // More won than played, a count gone, a streak longer than the wins, cut short: refused.
  const QJsonObject good = QJsonDocument::fromJson(recordToJson(record)).object();
  const auto damaged = [&](const char* group, const char* key, const QJsonValue& value) {
    QJsonObject document = good;
    QJsonObject inner = document.value(QLatin1String(group)).toObject();
    if (value.isUndefined()) {
      inner.remove(QLatin1String(key));
    } else {
      inner.insert(QLatin1String(key), value);
    }
    document.insert(QLatin1String(group), inner);
    return QJsonDocument(document).toJson();
  };
  QJsonObject individual{{QStringLiteral("rule1"),
                          QJsonObject{{QStringLiteral("played"), 1}, {QStringLiteral("won"), 2}}},
                         {QStringLiteral("pipRule"),
                          QJsonObject{{QStringLiteral("played"), 0}, {QStringLiteral("won"), 0}}}};
  for (const QByteArray& json :
       {damaged("matches", "individual", individual), damaged("handsWon", "laELo", QJsonValue()),
        damaged("streak", "longest", 5), damaged("handsWon", "blocked", -1),
        damaged("online", "won", 4), damaged("hinted", "won", 6), recordToJson(record).left(40),
        [&good] {  // a file of another kind
          QJsonObject other = good;
          other.insert(QStringLiteral("format"), QStringLiteral("tavolix-match"));
          return QJsonDocument(other).toJson();
        }(),
        [&good] {  // of a later version
          QJsonObject later = good;
          later.insert(QStringLiteral("version"),
                       later.value(QLatin1String("version")).toInt() + 1);
          return QJsonDocument(later).toJson();
        }()}) {
    SCOPED_TRACE(json.toStdString());
    EXPECT_EQ(recordFromJson(json).index(), 1u);
    QFile out(file.path());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(json);
    out.close();
    const RecordFile::Found refused = file.read();
    EXPECT_TRUE(refused.refused());
    EXPECT_EQ(refused.record, PlayerRecord());
    // The damaged file is kept whole under another name.
    QFile kept(refused.keptAs);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), json);
    EXPECT_FALSE(QFile::exists(file.path()));
  }
  // A record as the first release kept it, before online play and hints: still read.
  const auto first = recordFromJson(R"({"format": "tavolix-record", "version": 1,
    "matches": {"individual": {"rule1": {"played": 5, "won": 3}, "pipRule": {"played": 1, "won": 0}},
                "pairs": {"rule1": {"played": 2, "won": 2}, "pipRule": {"played": 4, "won": 1}}},
    "handsWon": {"simples": 9, "laELo": 2, "carrocao": 3, "cruzada": 1, "pipRule": 4, "blocked": 6},
    "streak": {"current": 1, "longest": 3}})");
  ASSERT_EQ(first.index(), 0u);
  const PlayerRecord& kept = std::get<PlayerRecord>(first);
  EXPECT_EQ(kept.played, (std::array<std::array<int, 2>, 2>{{{5, 1}, {2, 4}}}));
  EXPECT_EQ(kept.won, (std::array<std::array<int, 2>, 2>{{{3, 0}, {2, 1}}}));
  EXPECT_EQ(kept.wentOut, (std::array<int, 4>{9, 2, 3, 1}));
  EXPECT_EQ(kept.wentOutPipRule, 4);
  EXPECT_EQ(kept.blockedWon, 6);
  EXPECT_EQ(kept.streak, 1);
  EXPECT_EQ(kept.longestStreak, 3);
  EXPECT_EQ(kept.onlinePlayed, 0);

  // A record kept before hints: none asked.
  QJsonObject older = good;
  older.remove(QStringLiteral("hinted"));
  const auto read = recordFromJson(QJsonDocument(older).toJson());
  ASSERT_EQ(read.index(), 0u);
  EXPECT_EQ(std::get<PlayerRecord>(read).hintedPlayed, 0);
  EXPECT_EQ(std::get<PlayerRecord>(read).onlinePlayed, 3);
}

// A hint asked is kept with the match, through its file, into the match picked
// up: it is to count apart in the record whenever the match ends.
TEST(RecordFileTest, AHintAskedStaysWithTheMatch) {
  const Settings settings;
  SilentPresentation table;
  RandomSource random(1);
  Match match(settings, table, random);
  match.start();
  ASSERT_EQ(match.awaiting(), Match::Awaiting::PileTile);
  EXPECT_FALSE(matchToJson(match.saved()).contains("hinted"));
  match.noteHint();
  const QByteArray json = matchToJson(match.saved());
  const auto read = matchFromJson(json);
  ASSERT_TRUE(std::holds_alternative<SavedMatch>(read)) << json.toStdString();
  EXPECT_TRUE(std::get<SavedMatch>(read).hinted);
  Match again(settings, table, random);
  ASSERT_TRUE(again.restore(std::get<SavedMatch>(read)));
  EXPECT_TRUE(again.hinted());
}

}  // namespace
}  // namespace tavolix
