// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "server_messages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include "settings/json_fields.h"

namespace tavolix::net {

namespace {

class Reader : public JsonFields {
 public:
  int seat(const QJsonObject& object, const char* key) { return seatOrNone(object, key, -1); }
  // A seat that may be missing (a watcher's view) or null.
  int optionalSeat(const QJsonObject& object, const char* key) {
    return object.contains(QLatin1String(key)) ? seat(object, key) : -1;
  }
  std::array<int, 4> four(const QJsonObject& object, const char* key, int low, int high) {
    std::array<int, 4> out{};
    const QJsonArray a = array(object, key, 4, 4);
    for (int i = 0; i < static_cast<int>(a.size()) && ok(); ++i)
      out[i] = number(a[i], key, low, high);
    return out;
  }
  std::vector<int> list(const QJsonValue& value, const char* what, int most, int low, int high) {
    std::vector<int> out;
    for (const QJsonValue& v : array(value, what, 0, most))
      out.push_back(number(v, what, low, high));
    return out;
  }
  std::vector<TileCode> tiles(const QJsonValue& value, const char* what) {
    std::vector<TileCode> out;
    for (const QJsonValue& v : array(value, what, 0, kHandSlots)) out.push_back(tile(v));
    return out;
  }
  Lado end(const QJsonObject& object) {
    const QString e = field(object, "end").toString();
    if (e == QLatin1String("A")) return Lado::A;
    if (e == QLatin1String("B")) return Lado::B;
    if (e != QLatin1String("first")) fail(QStringLiteral("\"end\" is not first, A or B"));
    return Lado::First;
  }
  // A point of the table: twips, whole or not, on the table or near it.
  double twips(const QJsonObject& object, const char* key) {
    const QJsonValue value = field(object, key);
    const double d = value.toDouble(-2.0 * kTableTwips);
    if (!value.isDouble() || d < -kTableTwips || d > 2 * kTableTwips)
      fail(QStringLiteral("\"%1\" is not a point of the table").arg(QLatin1String(key)));
    return d;
  }
  ChainTile chainTile(const QJsonObject& o) {
    ChainTile t;
    t.seat = seatOrNone(o, "seat", 0);
    t.tile = tile(field(o, "tile"));
    t.end = end(o);
    t.left = twips(o, "left");
    t.top = twips(o, "top");
    t.vertical = boolean(o, "vertical");
    return t;
  }
  QString text(const QJsonObject& object, const char* key) {
    const QJsonValue value = field(object, key);
    if (!value.isString()) fail(QStringLiteral("\"%1\" is not a text").arg(QLatin1String(key)));
    return value.toString();
  }

  static constexpr int kTableTwips = 12000;
};

Joined joined(Reader& in, const QJsonObject& m) {
  Joined j;
  j.code = cleanCode(in.text(m, "code"));
  if (j.code.isEmpty()) in.fail(QStringLiteral("\"code\" is no table's code"));
  j.seat = in.seat(m, "seat");
  j.host = in.boolean(m, "host");
  if (m.contains(QLatin1String("token"))) {
    const QString hex = in.text(m, "token");
    j.token = QByteArray::fromHex(hex.toLatin1());
    if (j.token.size() != 16 || QString::fromLatin1(j.token.toHex()) != hex.toLower())
      in.fail(QStringLiteral("the token is not 32 hexadecimal digits"));
  }
  return j;
}

TableInfo table(Reader& in, const QJsonObject& m) {
  TableInfo t;
  t.code = cleanCode(in.text(m, "code"));
  const QString phase = in.text(m, "phase");
  if (phase == QLatin1String("playing")) {
    t.phase = TableInfo::Phase::Playing;
  } else if (phase == QLatin1String("over")) {
    t.phase = TableInfo::Phase::Over;
  } else if (phase != QLatin1String("lobby")) {
    in.fail(QStringLiteral("\"phase\" is not lobby, playing or over"));
  }
  t.rules = in.rules(in.object(m, "rules"));
  const QJsonArray seats = in.array(m, "seats", 4, 4);
  for (int s = 0; s < static_cast<int>(seats.size()) && in.ok(); ++s) {
    const QJsonObject o = seats[s].toObject();
    TableInfo::Seat& seat = t.seats[s];
    seat.name = cleanName(in.text(o, "name"));
    const QString kind = in.text(o, "kind");
    if (kind == QLatin1String("person")) {
      seat.kind = TableInfo::Seat::Kind::Person;
    } else if (kind == QLatin1String("computer")) {
      seat.kind = TableInfo::Seat::Kind::Computer;
    } else if (kind != QLatin1String("open")) {
      in.fail(QStringLiteral("a seat's \"kind\" is not person, computer or open"));
    }
    seat.connected = in.boolean(o, "connected");
  }
  t.host = in.seatOrNone(m, "host", 0);
  t.level = levelNamed(in.text(m, "level")).value_or(ComputerLevel::Normal);
  t.turnSeconds = in.number(m, "turnSeconds", 0, kMaxTurnSeconds);
  return t;
}

SeatView view(Reader& in, const QJsonObject& m) {
  SeatView v;
  v.seat = in.optionalSeat(m, "seat");
  if (isSeat(v.seat)) v.hand = in.tiles(in.field(m, "hand"), "hand");
  v.counts = in.four(m, "counts", 0, kHandSlots);
  for (const QJsonValue& laid : in.array(m, "chain", 0, kTileCount))
    v.chain.push_back(in.chainTile(laid.toObject()));
  const QJsonValue ends = in.field(m, "ends");
  if (!ends.isNull()) {
    const std::vector<int> e = in.list(ends, "ends", 2, 0, 6);
    if (e.size() == 2) {
      v.ends = std::array{e[0], e[1]};
    } else {
      in.fail(QStringLiteral("\"ends\" is not two pips"));
    }
  }
  const QJsonArray passes = in.array(m, "passes", 4, 4);
  for (int s = 0; s < static_cast<int>(passes.size()) && in.ok(); ++s)
    v.passes[s] = in.list(passes[s], "passes", 2 * kTileCount, 0, 6);
  v.scores = in.four(m, "scores", 0, 10000);
  v.opener = in.seat(m, "opener");
  v.mustOpenWithDoubleSix = in.boolean(m, "mustOpenWithDoubleSix");
  v.dealing = in.boolean(m, "dealing");
  if (v.dealing)
    v.pileTaken = in.list(in.field(m, "pileTaken"), "pileTaken", kTileCount, 1, kTileCount);
  v.turn = in.seat(m, "turn");
  const QJsonValue asked = in.field(m, "asked");
  if (asked == QLatin1String("pile")) {
    v.asked = SeatView::Asked::PileTile;
  } else if (asked == QLatin1String("move")) {
    v.asked = SeatView::Asked::Move;
  } else if (!asked.isNull()) {
    in.fail(QStringLiteral("\"asked\" is not pile, move or null"));
  }
  const QJsonValue left = in.field(m, "secondsLeft");
  v.secondsLeft = left.isNull() ? -1 : in.number(left, "secondsLeft", 0, kMaxTurnSeconds);
  v.handNumber = in.number(m, "handNumber", 0, 100000);
  return v;
}

ServerEvent event(Reader& in, const QJsonObject& m) {
  ServerEvent e;
  const QString kind = in.text(m, "event");
  e.seat = in.seat(m, "seat");
  if (kind == QLatin1String("deal")) {
    e.kind = ServerEvent::Kind::Deal;
  } else if (kind == QLatin1String("took")) {
    e.kind = ServerEvent::Kind::Took;
    e.position = in.number(m, "position", 1, kTileCount);
    if (m.contains(QLatin1String("tile"))) e.tile = in.tile(m.value(QLatin1String("tile")));
  } else if (kind == QLatin1String("played")) {
    e.kind = ServerEvent::Kind::Played;
    e.laid = in.chainTile(m);
    e.tile = e.laid.tile;
  } else if (kind == QLatin1String("passed")) {
    e.kind = ServerEvent::Kind::Passed;
  } else if (kind == QLatin1String("redeal")) {
    e.kind = ServerEvent::Kind::Redeal;
    e.doubles = in.number(m, "doubles", 0, kHandSlots);
    e.hand = in.tiles(in.field(m, "hand"), "hand");
  } else if (kind == QLatin1String("handEnded")) {
    e.kind = ServerEvent::Kind::HandEnded;
    HandResult& r = e.result;
    r.winner = e.seat;
    r.ending = in.text(m, "ending") == QLatin1String("blocked") ? HandResult::Ending::Blocked
                                                                : HandResult::Ending::WentOut;
    const QString how = in.text(m, "goingOut");
    bool known = false;
    for (std::size_t k = 0; k < kGoingOutNames.size(); ++k) {
      if (how == QLatin1String(kGoingOutNames[k])) {
        r.kind = static_cast<GoingOut>(k);
        known = true;
      }
    }
    if (!known) in.fail(QStringLiteral("\"goingOut\" is no way of going out"));
    r.points = in.number(m, "points", 0, 1000);
    r.scorers = in.list(in.field(m, "scorers"), "scorers", 2, 0, 3);
    r.totals = in.four(m, "pips", 0, 200);
    r.nextOpener = in.seatOrNone(m, "nextOpener", kHolderOfDoubleSix);
    const QJsonArray hands = in.array(m, "hands", 4, 4);
    for (int s = 0; s < static_cast<int>(hands.size()) && in.ok(); ++s)
      e.hands[s] = in.tiles(hands[s], "hands");
    e.scores = in.four(m, "scores", 0, 10000);
  } else if (kind == QLatin1String("matchEnded")) {
    e.kind = ServerEvent::Kind::MatchEnded;
    e.standings = in.four(m, "standings", 0, 3);
    e.scores = in.four(m, "scores", 0, 10000);
    if (!isSeat(e.seat)) in.fail(QStringLiteral("a match won by nobody"));
  } else {
    in.fail(QStringLiteral("\"%1\" is no event").arg(kind));
  }
  return e;
}

}  // namespace

std::optional<Error> errorFromCode(const QString& code) {
  for (int e = 0; e <= static_cast<int>(Error::PileTaken); ++e) {
    if (errorCode(static_cast<Error>(e)) == code) return static_cast<Error>(e);
  }
  return std::nullopt;
}

std::optional<ServerMessage> readServerMessage(const QByteArray& text, QString& problem) {
  if (text.size() > kMaxMessageBytes) {
    problem = QStringLiteral("a message over %1 bytes").arg(kMaxMessageBytes);
    return std::nullopt;
  }
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(text, &error);
  if (!document.isObject()) {
    problem = QStringLiteral("not a JSON object");
    return std::nullopt;
  }
  const QJsonObject m = document.object();
  Reader in;
  if (in.number(m, "v", 0, 1000) != kProtocolVersion && in.ok()) {
    problem = QStringLiteral("another version of the protocol");
    return std::nullopt;
  }
  const QString type = in.text(m, "type");
  std::optional<ServerMessage> out;
  if (type == QLatin1String("joined")) {
    out = joined(in, m);
  } else if (type == QLatin1String("table")) {
    out = table(in, m);
  } else if (type == QLatin1String("view")) {
    out = view(in, m);
  } else if (type == QLatin1String("event")) {
    out = event(in, m);
  } else if (type == QLatin1String("error")) {
    ServerError e;
    e.code = in.text(m, "code");
    e.text = m.value(QLatin1String("text")).toString();
    e.error = errorFromCode(e.code);
    out = e;
  } else if (type == QLatin1String("closed")) {
    out = Closed{m.value(QLatin1String("reason")).toString()};
  } else if (type == QLatin1String("redirect")) {
    const QUrl url(in.text(m, "url"), QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("ws") && scheme != QLatin1String("wss")))
      in.fail(QStringLiteral("\"url\" is not a ws:// or wss:// address"));
    out = Redirect{url};
  } else {
    in.fail(QStringLiteral("\"%1\" is no message type").arg(type));
  }
  if (!in.ok()) {
    problem = in.problem;
    return std::nullopt;
  }
  return out;
}

}  // namespace tavolix::net
