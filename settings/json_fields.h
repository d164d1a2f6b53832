// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cmath>

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "game/game_state.h"
#include "game/seat.h"
#include "game/settings.h"
#include "game/tile.h"

namespace tavolix {

// The ways of going out as the game's files write them (GoingOut's order).
inline constexpr std::array<const char*, 5> kGoingOutNames{"none", "simples", "laELo", "carrocao",
                                                           "cruzada"};

// Reads the document's fields, each checked for its kind and range; the first
// thing wrong is kept, and everything read after it is ignored.
class JsonFields {
 public:
  QString problem;

  bool ok() const { return problem.isEmpty(); }
  void fail(const QString& what) {
    if (ok()) problem = what;
  }

  QJsonValue field(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) fail(QStringLiteral("\"%1\" is missing").arg(QLatin1String(key)));
    return value;
  }
  int number(const QJsonValue& value, const char* what, int low, int high) {
    const double d = value.toDouble(std::nan(""));
    if (!value.isDouble() || d != std::floor(d) || d < low || d > high) {
      fail(QStringLiteral("%1 is not a whole number from %2 to %3")
               .arg(QLatin1String(what))
               .arg(low)
               .arg(high));
      return low;
    }
    return static_cast<int>(d);
  }
  int number(const QJsonObject& object, const char* key, int low, int high) {
    return number(field(object, key), key, low, high);
  }
  // A seat, or null for none (`none` is what the game keeps for it).
  int seatOrNone(const QJsonObject& object, const char* key, int none) {
    const QJsonValue value = field(object, key);
    return value.isNull() ? none : number(value, key, kJog, kMac3);
  }
  bool boolean(const QJsonObject& object, const char* key) {
    const QJsonValue value = field(object, key);
    if (!value.isBool())
      fail(QStringLiteral("\"%1\" is not true or false").arg(QLatin1String(key)));
    return value.toBool();
  }
  QJsonObject object(const QJsonObject& object, const char* key) {
    const QJsonValue value = field(object, key);
    if (!value.isObject()) fail(QStringLiteral("\"%1\" is not an object").arg(QLatin1String(key)));
    return value.toObject();
  }
  QJsonArray array(const QJsonValue& value, const char* what, int least, int most) {
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() < least || array.size() > most) {
      fail(QStringLiteral("%1 is not a list of %2 to %3 entries")
               .arg(QLatin1String(what))
               .arg(least)
               .arg(most));
      return {};
    }
    return array;
  }
  QJsonArray array(const QJsonObject& object, const char* key, int least, int most) {
    return array(field(object, key), key, least, most);
  }
  // The rules of a match, as rulesObject() writes them.
  Settings rules(const QJsonObject& r) {
    Settings rules;
    rules.TipoJogo = boolean(r, "pairs") ? 2 : 1;
    rules.TipoRegra = static_cast<std::int16_t>(number(r, "scoring", 1, 2));
    rules.TipoInicio = static_cast<std::int16_t>(number(r, "opening", 1, 3));
    rules.SentidoHorario = boolean(r, "clockwise");
    rules.FecharSoNoNatural = boolean(r, "closeOnlyNatural");
    rules.PontosLimit = static_cast<std::int16_t>(number(r, "limit", 1, 1000));
    return rules;
  }
  TileCode tile(const QJsonValue& value) {
    const auto t = TileCode::fromText(value.toString().toStdString());
    if (!value.isString() || !t || t->empty()) {
      fail(QStringLiteral("\"%1\" is not a tile").arg(value.toVariant().toString()));
      return TileCode();
    }
    return *t;
  }
};

// The words the game's files and the table server's messages share: a hand's
// tiles in slot order ("36", as held), a list of numbers, an end of the chain.
inline QJsonArray tilesOf(const Hand& hand) {
  QJsonArray tiles;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (!hand[slot].empty()) tiles.append(QString::fromStdString(hand[slot].text()));
  }
  return tiles;
}

template <class Numbers>
QJsonArray numbers(const Numbers& values) {
  QJsonArray array;
  for (const int v : values) array.append(v);
  return array;
}

inline QString sideName(Lado side) {
  return side == Lado::A   ? QStringLiteral("A")
         : side == Lado::B ? QStringLiteral("B")
                           : QStringLiteral("first");
}

// The rules of a match, as the match file and the table server's messages write them.
inline QJsonObject rulesObject(const Settings& r) {
  return QJsonObject{{QStringLiteral("pairs"), r.pairs()},
                     {QStringLiteral("scoring"), r.TipoRegra},
                     {QStringLiteral("opening"), r.TipoInicio},
                     {QStringLiteral("clockwise"), r.SentidoHorario},
                     {QStringLiteral("closeOnlyNatural"), r.FecharSoNoNatural},
                     {QStringLiteral("limit"), r.PontosLimit}};
}

}  // namespace tavolix
