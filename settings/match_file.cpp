// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "match_file.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "conversions.h"
#include "json_fields.h"
#include "settings_config.h"

namespace tavolix {

namespace {

constexpr char kMatchFormat[] = "tavolix-match";

QString fingerprint(const QByteArray& bytes) {
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QJsonValue seatOrNull(int seat) { return isSeat(seat) ? QJsonValue(seat) : QJsonValue(); }

Settings readRules(JsonFields& in, const QJsonObject& document) {
  Settings rules = in.rules(in.object(document, "rules"));
  const QJsonArray names = in.array(document, "names", kSeatCount, kSeatCount);
  for (int seat = 0; seat < names.size(); ++seat) {
    if (!names[seat].isString()) in.fail(QStringLiteral("a name is not text"));
    rules.Nomes[seat] = plainName(names[seat].toString()).toStdString();
  }
  return rules;
}

HandResult readHandPlayed(JsonFields& in, const QJsonValue& value) {
  HandResult hand;
  if (!value.isObject()) in.fail(QStringLiteral("a hand played is not an object"));
  const QJsonObject h = value.toObject();
  const QString ending = in.field(h, "ending").toString();
  if (ending != QLatin1String("wentOut") && ending != QLatin1String("blocked"))
    in.fail(QStringLiteral("a hand played ends neither \"wentOut\" nor \"blocked\""));
  hand.ending = ending == QLatin1String("blocked") ? HandResult::Ending::Blocked
                                                   : HandResult::Ending::WentOut;
  hand.winner = in.number(h, "winner", -1, kMac3);
  hand.points = in.number(h, "points", 0, 1000);
  for (const QJsonValue seat : in.array(h, "scorers", 0, 2))
    hand.scorers.push_back(in.number(seat, "a scorer", kJog, kMac3));
  hand.nextOpener = in.seatOrNone(h, "nextOpener", kHolderOfDoubleSix);
  const QString kind = in.field(h, "goingOut").toString();
  int known = 0;
  while (known < static_cast<int>(kGoingOutNames.size()) &&
         kind != QLatin1String(kGoingOutNames[known]))
    ++known;
  if (known == static_cast<int>(kGoingOutNames.size()))
    in.fail(QStringLiteral("a way of going out is unknown"));
  else
    hand.kind = static_cast<GoingOut>(known);
  const QJsonArray pips = in.array(h, "pips", kSeatCount, kSeatCount);
  for (int seat = 0; seat < pips.size(); ++seat)
    hand.totals[seat] = in.number(pips[seat], "a pip count", 0, 168);
  return hand;
}

void readDeal(JsonFields& in, const QJsonObject& deal, SavedMatch& saved) {
  const QJsonArray pile = in.array(deal, "pile", kTileCount, kTileCount);
  for (int k = 0; k < pile.size(); ++k) saved.pile[k] = in.tile(pile[k]);
  for (const QJsonValue position : in.array(deal, "taken", 0, kTileCount)) {
    const int p = in.number(position, "a pile position", 1, kTileCount);
    if (saved.taken[p]) in.fail(QStringLiteral("a pile position is taken twice"));
    saved.taken.set(p);
  }
  const QJsonArray takers = in.array(deal, "takers", kSeatCount, kSeatCount);
  for (int k = 0; k < takers.size(); ++k) saved.takers[k] = in.number(takers[k], "a taker", 0, 3);
  saved.taker = in.number(deal, "taker", 1, kSeatCount);
}

HandEvent readMove(JsonFields& in, const QJsonValue& value) {
  if (!value.isObject()) in.fail(QStringLiteral("a move is not an object"));
  const QJsonObject m = value.toObject();
  const int seat = in.number(m, "seat", kJog, kMac3);
  if (m.contains(QLatin1String("pass"))) {
    if (m.value(QLatin1String("pass")) != QJsonValue(true))
      in.fail(QStringLiteral("a pass is not \"pass\": true"));
    return HandEvent::pass(seat);
  }
  const TileCode t = in.tile(in.field(m, "tile"));
  const QString end = in.field(m, "end").toString();
  if (end != sideName(Lado::First) && end != sideName(Lado::A) && end != sideName(Lado::B))
    in.fail(QStringLiteral("a move's end is not \"first\", \"A\" or \"B\""));
  return HandEvent::play(seat, t,
                         end == sideName(Lado::A)   ? Lado::A
                         : end == sideName(Lado::B) ? Lado::B
                                                    : Lado::First);
}

}  // namespace

QByteArray matchToJson(const SavedMatch& saved) {
  const Settings& r = saved.rules;
  QJsonObject document{
      {QStringLiteral("format"), QLatin1String(kMatchFormat)},
      {QStringLiteral("version"), kMatchFileVersion},
      {QStringLiteral("rules"), rulesObject(r)},
      {QStringLiteral("scores"), numbers(saved.scores)},
      {QStringLiteral("rotation"), saved.rotation},
      {QStringLiteral("opener"), seatOrNull(saved.opener)},
      {QStringLiteral("firstRound"), saved.firstRound},
  };
  QJsonArray names;
  for (const std::string& name : r.Nomes) names.append(QString::fromStdString(name));
  document.insert(QStringLiteral("names"), names);
  // Only a table of players at their own computers waits for a seat but the player's.
  if (saved.asked != kJog) document.insert(QStringLiteral("asked"), saved.asked);
  if (saved.hinted) document.insert(QStringLiteral("hinted"), true);
  QJsonArray played;
  for (const HandResult& hand : saved.handsPlayed) {
    const bool blocked = hand.ending == HandResult::Ending::Blocked;
    played.append(QJsonObject{
        {QStringLiteral("ending"), blocked ? QStringLiteral("blocked") : QStringLiteral("wentOut")},
        {QStringLiteral("winner"), hand.winner},
        {QStringLiteral("points"), hand.points},
        {QStringLiteral("scorers"), numbers(hand.scorers)},
        {QStringLiteral("nextOpener"), seatOrNull(hand.nextOpener)},
        {QStringLiteral("goingOut"), QLatin1String(kGoingOutNames[static_cast<int>(hand.kind)])},
        {QStringLiteral("pips"), numbers(hand.totals)},
    });
  }
  document.insert(QStringLiteral("handsPlayed"), played);
  QJsonArray hands;
  for (const Hand& hand : saved.hands) hands.append(tilesOf(hand));
  document.insert(QStringLiteral("hands"), hands);
  if (saved.dealing) {
    QJsonArray pile;
    QJsonArray taken;
    for (int position = 1; position <= kTileCount; ++position) {
      pile.append(QString::fromStdString(saved.pile[position - 1].text()));
      if (saved.taken[position]) taken.append(position);
    }
    document.insert(QStringLiteral("deal"),
                    QJsonObject{{QStringLiteral("pile"), pile},
                                {QStringLiteral("taken"), taken},
                                {QStringLiteral("takers"), numbers(saved.takers)},
                                {QStringLiteral("taker"), saved.taker}});
  } else {
    QJsonArray moves;
    for (const HandEvent& event : saved.events) {
      if (event.passed) {
        moves.append(
            QJsonObject{{QStringLiteral("seat"), event.seat}, {QStringLiteral("pass"), true}});
      } else {
        moves.append(
            QJsonObject{{QStringLiteral("seat"), event.seat},
                        {QStringLiteral("tile"), QString::fromStdString(event.tile.text())},
                        {QStringLiteral("end"), sideName(event.side)}});
      }
    }
    document.insert(QStringLiteral("moves"), moves);
  }
  return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

std::variant<SavedMatch, QString> matchFromJson(const QByteArray& json) {
  QJsonParseError error;
  const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
  if (parsed.isNull()) return QStringLiteral("it is not JSON (%1)").arg(error.errorString());
  if (!parsed.isObject()) return QStringLiteral("it is not a JSON object");
  const QJsonObject document = parsed.object();
  if (document.value(QLatin1String("format")).toString() != QLatin1String(kMatchFormat))
    return QStringLiteral("it is not a saved match");
  const QJsonValue version = document.value(QLatin1String("version"));
  if (version != QJsonValue(kMatchFileVersion))
    return QStringLiteral("it is of another version (%1)").arg(version.toVariant().toString());

  JsonFields in;
  SavedMatch saved;
  saved.rules = readRules(in, document);
  const QJsonArray scores = in.array(document, "scores", kSeatCount, kSeatCount);
  for (int seat = 0; seat < scores.size(); ++seat)
    saved.scores[seat] = in.number(scores[seat], "a score", 0, 1000);
  saved.rotation = in.number(document, "rotation", kJog, kMac3);
  saved.opener = in.seatOrNone(document, "opener", kHolderOfDoubleSix);
  saved.firstRound = in.boolean(document, "firstRound");
  if (document.contains(QLatin1String("asked")))
    saved.asked = in.number(document, "asked", kJog, kMac3);
  if (document.contains(QLatin1String("hinted"))) saved.hinted = in.boolean(document, "hinted");
  for (const QJsonValue hand : in.array(document, "handsPlayed", 0, 1000))
    saved.handsPlayed.push_back(readHandPlayed(in, hand));
  const QJsonArray hands = in.array(document, "hands", kSeatCount, kSeatCount);
  for (int seat = 0; seat < hands.size(); ++seat) {
    const QJsonArray tiles = in.array(hands[seat], "a hand", 0, kHandSlots);
    for (int k = 0; k < tiles.size(); ++k) saved.hands[seat][k + 1] = in.tile(tiles[k]);
  }
  saved.dealing = document.contains(QLatin1String("deal"));
  if (saved.dealing == document.contains(QLatin1String("moves")))
    in.fail(QStringLiteral("it holds both or neither of \"deal\" and \"moves\""));
  if (saved.dealing) {
    readDeal(in, in.object(document, "deal"), saved);
  } else {
    for (const QJsonValue move : in.array(document, "moves", 0, 4 * kTileCount))
      saved.events.push_back(readMove(in, move));
  }
  if (!in.ok()) return in.problem;
  // Every field is what it should be: the position must also be one the game can reach.
  const auto rebuilt = rebuild(saved);
  if (const auto* problem = std::get_if<std::string>(&rebuilt))
    return QString::fromStdString(*problem);
  return saved;
}

QString MatchFile::defaultPath() { return dataPath(QStringLiteral("match.json")); }

MatchFile::Found MatchFile::read() {
  Found found;
  const QString over =
      notes_ != nullptr ? readText(*notes_, stored::kMatchOver, QString()) : QString();
  if (!over.isEmpty()) {
    const std::optional<QByteArray> bytes = file_.peek();
    if (bytes && fingerprint(*bytes) == over) {
      // A match already over, or given up, in a folder that would not let it
      // go: never offered again, and gone as soon as the folder allows it.
      if (QFile::remove(path())) writeText(*notes_, stored::kMatchOver, QString());
      return found;
    }
    writeText(*notes_, stored::kMatchOver, QString());
  }
  found.match = file_.readAs<SavedMatch>(matchFromJson, found);
  return found;
}

void MatchFile::remove() {
  const std::optional<QByteArray> bytes = file_.peek();
  if (!file_.remove() && notes_ != nullptr && bytes)
    writeText(*notes_, stored::kMatchOver, fingerprint(*bytes));
}

}  // namespace tavolix
