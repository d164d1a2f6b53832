// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "protocol.h"

#include <cmath>
#include <cstring>

#include <QJsonDocument>
#include <QJsonValue>

#include "settings/json_fields.h"

namespace tavolix::net {

namespace {

struct ErrorWords {
  const char* code;
  const char* text;
};

// In the order of Error.
constexpr ErrorWords kErrors[] = {
    {"bad-message", "The message is not one of the protocol's."},
    {"too-large", "The message is too large."},
    {"wrong-version", "The message is of another version of the protocol."},
    {"unknown-type", "The message is of a type the server does not know."},
    {"rate-limited", "Too many messages: wait a moment."},
    {"too-many-tables", "The server holds as many tables as it may."},
    {"no-such-table", "No table has that code."},
    {"too-many-tries", "Too many wrong codes or tokens: wait a minute."},
    {"wrong-token", "That token is not one of the table's seats."},
    {"seat-taken", "That seat is taken."},
    {"table-full", "The table is full."},
    {"not-seated", "Join a table first."},
    {"not-host", "Only the host may do that."},
    {"already-started", "The match has begun."},
    {"not-started", "The match is not being played."},
    {"not-your-turn", "It is not your turn."},
    {"no-such-tile", "You do not hold that tile."},
    {"wrong-opening", "The hand must be opened with 6:6."},
    {"wrong-end", "That tile does not join that end."},
    {"only-natural", "There it would close the game other than \"no natural\"."},
    {"must-play", "A tile of yours fits: you may not pass."},
    {"pile-taken", "That pile tile is not there to take."},
};

// A text of at most `longest` characters.
QString textField(JsonFields& in, const QJsonObject& object, const char* key, qsizetype longest) {
  const QJsonValue value = in.field(object, key);
  if (!value.isString() || value.toString().size() > longest)
    in.fail(QStringLiteral("\"%1\" is not a text of at most %2 characters")
                .arg(QLatin1String(key))
                .arg(longest));
  return value.toString();
}

bool has(const QJsonObject& object, const char* key) { return object.contains(QLatin1String(key)); }

std::optional<Lado> sideFrom(const QString& name) {
  if (name == QLatin1String("first")) return Lado::First;
  if (name == QLatin1String("A")) return Lado::A;
  if (name == QLatin1String("B")) return Lado::B;
  return std::nullopt;
}

void readCreate(JsonFields& in, const QJsonObject& object, ClientMessage& m) {
  m.rules = in.rules(in.object(object, "rules"));
  const bool pip = m.rules.pipRule();
  const int low = pip ? Settings::kMinLimitRule2 : Settings::kMinLimitRule1;
  const int high = pip ? Settings::kMaxLimitRule2 : Settings::kMaxLimitRule1;
  if (m.rules.PontosLimit < low || m.rules.PontosLimit > high)
    in.fail(QStringLiteral("the limit is not from %1 to %2").arg(low).arg(high));
  m.name = cleanName(textField(in, object, "name", 256));
  if (has(object, "seat")) m.seat = in.number(object, "seat", kJog, kMac3);
  for (const QJsonValue seat : in.array(object, "computers", 0, kSeatCount))
    m.computers[in.number(seat, "a computer seat", kJog, kMac3)] = true;
  const auto level = levelNamed(textField(in, object, "level", 16));
  if (!level) in.fail(QStringLiteral("the level is not normal, strong or master"));
  m.level = level.value_or(ComputerLevel::Normal);
  if (has(object, "turnSeconds"))
    m.turnSeconds = in.number(object, "turnSeconds", 0, kMaxTurnSeconds);
  if (has(object, "watchers")) m.watchers = in.boolean(object, "watchers");
  if (m.seat >= 0 && m.computers[m.seat])
    in.fail(QStringLiteral("the host's seat is a computer's"));
}

void readJoin(JsonFields& in, const QJsonObject& object, ClientMessage& m) {
  m.code = cleanCode(textField(in, object, "code", 32));
  if (m.code.isEmpty()) in.fail(QStringLiteral("the code is no table's code"));
  if (has(object, "name")) m.name = cleanName(textField(in, object, "name", 256));
  if (has(object, "seat")) m.seat = in.number(object, "seat", kJog, kMac3);
  if (has(object, "watch")) m.watch = in.boolean(object, "watch");
  if (has(object, "token")) {
    const QString token = textField(in, object, "token", 32);
    m.token = QByteArray::fromHex(token.toLatin1());
    if (m.token.size() != 16 || QString::fromLatin1(m.token.toHex()) != token.toLower())
      in.fail(QStringLiteral("the token is not 32 hexadecimal digits"));
  }
}

}  // namespace

QString errorCode(Error error) { return QLatin1String(kErrors[static_cast<int>(error)].code); }

QString errorText(Error error) { return QLatin1String(kErrors[static_cast<int>(error)].text); }

std::variant<ClientMessage, Refused> readClientMessage(const QByteArray& text) {
  if (text.size() > kMaxMessageBytes) return Refused{Error::TooLarge, {}};
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
  if (!document.isObject()) return Refused{Error::BadMessage, parseError.errorString()};
  const QJsonObject object = document.object();
  if (object.value(QLatin1String("v")) != QJsonValue(kProtocolVersion))
    return Refused{Error::WrongVersion, {}};
  const QString type = object.value(QLatin1String("type")).toString();
  static const std::pair<const char*, ClientMessage::Type> kTypes[] = {
      {"create", ClientMessage::Type::Create}, {"join", ClientMessage::Type::Join},
      {"start", ClientMessage::Type::Start},   {"take", ClientMessage::Type::Take},
      {"play", ClientMessage::Type::Play},     {"pass", ClientMessage::Type::Pass},
      {"leave", ClientMessage::Type::Leave},   {"swap", ClientMessage::Type::Swap},
  };
  ClientMessage m;
  bool known = false;
  for (const auto& [name, kind] : kTypes) {
    if (type == QLatin1String(name)) {
      m.type = kind;
      known = true;
    }
  }
  if (!known) return Refused{Error::UnknownType, type.left(32)};

  JsonFields in;
  switch (m.type) {
    case ClientMessage::Type::Create:
      readCreate(in, object, m);
      break;
    case ClientMessage::Type::Join:
      readJoin(in, object, m);
      break;
    case ClientMessage::Type::Take:
      m.position = in.number(object, "position", 1, kTileCount);
      break;
    case ClientMessage::Type::Play: {
      m.tile = in.tile(in.field(object, "tile"));
      const auto side = sideFrom(textField(in, object, "end", 8));
      if (!side) in.fail(QStringLiteral("the end is none of first, A and B"));
      if (side) m.side = *side;
      break;
    }
    case ClientMessage::Type::Swap: {
      const QJsonArray seats = in.array(object, "seats", 2, 2);
      for (int k = 0; k < static_cast<int>(seats.size()) && in.ok(); ++k)
        m.swapped[k] = in.number(seats[k], "seats", kJog, kMac3);
      if (in.ok() && m.swapped[0] == m.swapped[1]) in.fail(QStringLiteral("the same seat twice"));
      break;
    }
    case ClientMessage::Type::Start:
    case ClientMessage::Type::Pass:
    case ClientMessage::Type::Leave:
      break;
  }
  if (!in.ok()) return Refused{Error::BadMessage, in.problem};
  return m;
}

QByteArray message(const char* type, QJsonObject fields) {
  fields.insert(QStringLiteral("type"), QLatin1String(type));
  fields.insert(QStringLiteral("v"), kProtocolVersion);
  return QJsonDocument(fields).toJson(QJsonDocument::Compact);
}

QByteArray errorMessage(Error error) {
  return message("error", {{QStringLiteral("code"), errorCode(error)},
                           {QStringLiteral("text"), errorText(error)}});
}

QByteArray createMessage(const Settings& rules, const QString& name, int seat,
                         const std::array<bool, 4>& computers, ComputerLevel level, int turnSeconds,
                         bool watchers) {
  QJsonArray computerSeats;
  for (int s = 0; s < kSeatCount; ++s) {
    if (computers[s]) computerSeats.append(s);
  }
  QJsonObject fields{
      {QStringLiteral("rules"), rulesObject(rules)}, {QStringLiteral("name"), name},
      {QStringLiteral("computers"), computerSeats},  {QStringLiteral("level"), levelName(level)},
      {QStringLiteral("turnSeconds"), turnSeconds},  {QStringLiteral("watchers"), watchers},
  };
  if (seat >= 0) fields.insert(QStringLiteral("seat"), seat);
  return message("create", fields);
}

QByteArray joinMessage(const QString& code, const QString& name, int seat, const QByteArray& token,
                       bool watch) {
  QJsonObject fields{{QStringLiteral("code"), code}, {QStringLiteral("name"), name}};
  if (seat >= 0) fields.insert(QStringLiteral("seat"), seat);
  if (!token.isEmpty()) fields.insert(QStringLiteral("token"), QString::fromLatin1(token.toHex()));
  if (watch) fields.insert(QStringLiteral("watch"), true);
  return message("join", fields);
}

QByteArray takeMessage(int position) {
  return message("take", {{QStringLiteral("position"), position}});
}

QByteArray playMessage(TileCode tile, Lado side) {
  return message(
      "play", {{QStringLiteral("tile"), tileText(tile)}, {QStringLiteral("end"), sideName(side)}});
}

QByteArray swapMessage(int seat, int other) {
  return message("swap", {{QStringLiteral("seats"), QJsonArray{seat, other}}});
}

QString levelName(ComputerLevel level) {
  switch (level) {
    case ComputerLevel::Strong:
      return QStringLiteral("strong");
    case ComputerLevel::Master:
      return QStringLiteral("master");
    case ComputerLevel::Normal:
      break;
  }
  return QStringLiteral("normal");
}

std::optional<ComputerLevel> levelNamed(const QString& name) {
  for (const ComputerLevel l :
       {ComputerLevel::Normal, ComputerLevel::Strong, ComputerLevel::Master}) {
    if (name == levelName(l)) return l;
  }
  return std::nullopt;
}

QString tileText(TileCode tile) { return QString::fromStdString(tile.text()); }

QString cleanName(const QString& name) {
  QString clean;
  for (const char32_t c : name.toUcs4()) {
    if (QChar::isPrint(c)) {
      clean += QString::fromUcs4(&c, 1);
    } else {
      clean += QLatin1Char(' ');
    }
  }
  clean = clean.simplified().left(kMaxNameLength);
  // A name is kept in the match file in at most 64 bytes of UTF-8.
  while (clean.toUtf8().size() > 64) clean.chop(1);
  if (!clean.isEmpty() && clean.back().isHighSurrogate()) clean.chop(1);
  return clean;
}

QString cleanCode(const QString& code) {
  QString clean;
  for (const QChar c : code) {
    if (c == QLatin1Char(' ') || c == QLatin1Char('-')) continue;
    clean += c.toUpper();
  }
  if (clean.size() != kCodeLength) return {};
  for (const QChar c : clean) {
    if (c.unicode() == 0 || c.unicode() > 127 || !std::strchr(kCodeAlphabet, c.toLatin1()))
      return {};
  }
  return clean;
}

}  // namespace tavolix::net
