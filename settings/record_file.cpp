// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "record_file.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "json_fields.h"

namespace tavolix {

namespace {

constexpr char kRecordFormat[] = "tavolix-record";
constexpr int kMost = 1000000000;
constexpr const char* kKinds[] = {"individual", "pairs"};
constexpr const char* kRules[] = {"rule1", "pipRule"};

QString key(const char* name) { return QString::fromLatin1(name); }

}  // namespace

QByteArray recordToJson(const PlayerRecord& record) {
  QJsonObject matches;
  for (int kind = 0; kind < 2; ++kind) {
    QJsonObject rules;
    for (int rule = 0; rule < 2; ++rule) {
      rules.insert(key(kRules[rule]), QJsonObject{{key("played"), record.played[kind][rule]},
                                                  {key("won"), record.won[kind][rule]}});
    }
    matches.insert(key(kKinds[kind]), rules);
  }
  QJsonObject hands{{key("pipRule"), record.wentOutPipRule}, {key("blocked"), record.blockedWon}};
  for (int k = 0; k < 4; ++k) hands.insert(key(kGoingOutNames[k + 1]), record.wentOut[k]);
  const QJsonObject document{
      {key("format"), key(kRecordFormat)},
      {key("version"), kRecordFileVersion},
      {key("matches"), matches},
      {key("handsWon"), hands},
      {key("streak"),
       QJsonObject{{key("current"), record.streak}, {key("longest"), record.longestStreak}}},
      {key("online"),
       QJsonObject{{key("played"), record.onlinePlayed}, {key("won"), record.onlineWon}}},
      {key("hinted"),
       QJsonObject{{key("played"), record.hintedPlayed}, {key("won"), record.hintedWon}}},
  };
  return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

std::variant<PlayerRecord, QString> recordFromJson(const QByteArray& json) {
  QJsonParseError error;
  const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
  if (!parsed.isObject())
    return QStringLiteral("it is not a JSON object (%1)").arg(error.errorString());
  const QJsonObject document = parsed.object();
  if (document.value(key("format")).toString() != key(kRecordFormat))
    return QStringLiteral("it is not a player's record");
  const QJsonValue version = document.value(key("version"));
  if (version != QJsonValue(kRecordFileVersion))
    return QStringLiteral("it is of another version (%1)").arg(version.toVariant().toString());

  JsonFields in;
  PlayerRecord record;
  const QJsonObject matches = in.object(document, "matches");
  for (int kind = 0; kind < 2; ++kind) {
    const QJsonObject rules = in.object(matches, kKinds[kind]);
    for (int rule = 0; rule < 2; ++rule) {
      const QJsonObject counts = in.object(rules, kRules[rule]);
      record.played[kind][rule] = in.number(counts, "played", 0, kMost);
      record.won[kind][rule] = in.number(counts, "won", 0, record.played[kind][rule]);
    }
  }
  const QJsonObject hands = in.object(document, "handsWon");
  for (int k = 0; k < 4; ++k) record.wentOut[k] = in.number(hands, kGoingOutNames[k + 1], 0, kMost);
  record.wentOutPipRule = in.number(hands, "pipRule", 0, kMost);
  record.blockedWon = in.number(hands, "blocked", 0, kMost);
  const QJsonObject streak = in.object(document, "streak");
  record.longestStreak = in.number(streak, "longest", 0, record.matchesWon());
  record.streak = in.number(streak, "current", 0, record.longestStreak);
  // Records kept before online play have no count of it.
  if (document.contains(key("online"))) {
    const QJsonObject online = in.object(document, "online");
    record.onlinePlayed = in.number(online, "played", 0, kMost);
    record.onlineWon = in.number(online, "won", 0, record.onlinePlayed);
  }
  // Nor those kept before hints of one with them.
  if (document.contains(key("hinted"))) {
    const QJsonObject hinted = in.object(document, "hinted");
    record.hintedPlayed = in.number(hinted, "played", 0, kMost);
    record.hintedWon = in.number(hinted, "won", 0, record.hintedPlayed);
  }
  if (!in.ok()) return in.problem;
  return record;
}

QString RecordFile::defaultPath() { return dataPath(QStringLiteral("record.json")); }

}  // namespace tavolix
