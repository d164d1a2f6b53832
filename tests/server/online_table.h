// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A pairs table of two scripted players against two computer players on a
// table server, and what they were sent.
#pragma once

#include <vector>

#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "game/seat.h"
#include "game/settings.h"
#include "net_player.h"
#include "server_process.h"

namespace tavolix::testing {

inline Settings pairsRules() {
  Settings rules;
  rules.TipoJogo = 2;
  rules.PontosLimit = Settings::kMinLimitRule1;
  return rules;
}

inline std::vector<QJsonObject> eventsOf(const NetPlayer& player, const char* kind) {
  std::vector<QJsonObject> found;
  for (const QJsonObject& e : player.events) {
    if (e.value(QLatin1String("event")).toString() == QLatin1String(kind)) found.push_back(e);
  }
  return found;
}

// Each hand's end as the player was told it, one line each.
inline QStringList handsEnded(const std::vector<const NetPlayer*>& players) {
  QStringList hands;
  for (const NetPlayer* p : players) {
    for (const QJsonObject& e : eventsOf(*p, "handEnded"))
      hands << QString::fromUtf8(QJsonDocument(e).toJson(QJsonDocument::Compact));
  }
  return hands;
}

// A host at seat 0 and a friend at seat 2 against two computer players, in
// pairs, on `server`; the match started.
struct PairsTable {
  explicit PairsTable(const QString& url, bool watchers = false) {
    EXPECT_TRUE(host.connectTo(url));
    EXPECT_TRUE(friend_.connectTo(url));
    host.create(pairsRules(), {false, true, false, true}, 60, watchers);
    EXPECT_TRUE(waitFor([&] { return !host.code.isEmpty(); }, 30));
    friend_.join(host.code, kMac2);
    EXPECT_TRUE(waitFor([&] { return friend_.seat == kMac2; }, 30));
  }
  bool playToTheEnd(int seconds = 60) {
    return waitFor([&] { return host.matchOver && friend_.matchOver; }, seconds);
  }
  NetPlayer host{QStringLiteral("Ana")};
  NetPlayer friend_{QStringLiteral("Bia")};
};

}  // namespace tavolix::testing
