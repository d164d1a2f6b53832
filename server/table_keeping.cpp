// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A table as it is kept in the server's state folder after every move, and
// brought back from there at the next start.
#include <QJsonArray>
#include <QJsonDocument>

#include "settings/json_fields.h"
#include "settings/match_file.h"
#include "table.h"
#include "table_recorder.h"

namespace tavolix::server {

namespace {

constexpr char kTableFormat[] = "tavolix-table";
constexpr int kTableVersion = 1;
constexpr const char* kKinds[] = {"open", "person", "computer"};
constexpr const char* kPhases[] = {"lobby", "playing", "over"};

int indexOf(const QString& word, const char* const* words, int count) {
  for (int k = 0; k < count; ++k) {
    if (word == QLatin1String(words[k])) return k;
  }
  return -1;
}

}  // namespace

// {"format": "tavolix-table", "version": 1, "code", "phase": "lobby" | "playing",
//  "host": seat, "level": "normal" | "strong" | "master", "turnSeconds", "watchers",
//  "seed": the table generator's seed (decimal text), "rules": {...},
//  "seats": [{"kind": "open" | "person" | "computer", "name", "tokenHash": hex}],
//  while playing: "match": the match file's document, "drawn": numbers the
//  generator has drawn, and "trace" when the server writes one.
QJsonObject Table::toJson() const {
  QJsonArray seats;
  for (const Seat& s : seats_) {
    seats.append(
        QJsonObject{{QStringLiteral("kind"), QLatin1String(kKinds[int(s.kind)])},
                    {QStringLiteral("name"), s.name},
                    {QStringLiteral("tokenHash"), QString::fromLatin1(s.tokenHash.toHex())}});
  }
  QJsonObject kept{
      {QStringLiteral("format"), QLatin1String(kTableFormat)},
      {QStringLiteral("version"), kTableVersion},
      {QStringLiteral("code"), code_},
      {QStringLiteral("phase"), QLatin1String(kPhases[int(phase_)])},
      {QStringLiteral("host"), host_},
      {QStringLiteral("level"), net::levelName(level_)},
      {QStringLiteral("turnSeconds"), turnSeconds_},
      {QStringLiteral("watchers"), watchersAllowed_},
      {QStringLiteral("seed"), QString::number(options_.seed)},
      {QStringLiteral("rules"), rulesObject(settings_)},
      {QStringLiteral("seats"), seats},
  };
  if (match_ && isSeat(match_->asked())) {
    kept.insert(QStringLiteral("match"),
                QJsonDocument::fromJson(matchToJson(match_->saved())).object());
    kept.insert(QStringLiteral("drawn"), static_cast<double>(random_->drawn()));
    if (options_.tracing)
      kept.insert(QStringLiteral("trace"), QString::fromStdString(trace_.str()));
  }
  return kept;
}

std::unique_ptr<Table> Table::fromJson(const QJsonObject& kept, const Options& options, Log log,
                                       QString& problem) {
  if (kept.value(QLatin1String("format")).toString() != QLatin1String(kTableFormat) ||
      kept.value(QLatin1String("version")) != QJsonValue(kTableVersion)) {
    problem = QStringLiteral("it is not a table of this version");
    return nullptr;
  }
  JsonFields in;
  net::ClientMessage create;
  create.rules = in.rules(in.object(kept, "rules"));
  create.turnSeconds = in.number(kept, "turnSeconds", 0, net::kMaxTurnSeconds);
  create.watchers = in.boolean(kept, "watchers");
  create.level =
      net::levelNamed(in.field(kept, "level").toString()).value_or(ComputerLevel::Normal);
  const QString code = net::cleanCode(in.field(kept, "code").toString());
  if (code.isEmpty()) in.fail(QStringLiteral("the code is no table's code"));
  bool seedOk = false;
  Options own = options;
  own.seed = in.field(kept, "seed").toString().toULongLong(&seedOk);
  if (!seedOk) in.fail(QStringLiteral("the seed is not a number"));
  const int phase = indexOf(in.field(kept, "phase").toString(), kPhases, 2);
  if (phase < 0) in.fail(QStringLiteral("the phase is neither lobby nor playing"));
  const int host = in.number(kept, "host", -1, kMac3);
  const QJsonArray seats = in.array(kept, "seats", kSeatCount, kSeatCount);
  if (!in.ok()) {
    problem = in.problem;
    return nullptr;
  }
  auto table = std::make_unique<Table>(code, create, own, std::move(log));
  table->host_ = host;
  for (int seat = 0; seat < kSeatCount; ++seat) {
    const QJsonObject s = seats[seat].toObject();
    Seat& into = table->seats_[seat];
    const int kind = indexOf(s.value(QLatin1String("kind")).toString(), kKinds, 3);
    into.kind = kind < 0 ? Seat::Kind::Computer : static_cast<Seat::Kind>(kind);
    into.name = net::cleanName(s.value(QLatin1String("name")).toString());
    into.tokenHash = QByteArray::fromHex(s.value(QLatin1String("tokenHash")).toString().toLatin1());
  }
  if (phase == int(Phase::Playing)) {
    const auto saved =
        matchFromJson(QJsonDocument(kept.value(QLatin1String("match")).toObject()).toJson());
    if (const auto* why = std::get_if<QString>(&saved)) {
      problem = QStringLiteral("its match: ") + *why;
      return nullptr;
    }
    table->startMatch(kept);
  }
  return table;
}

}  // namespace tavolix::server
