// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "net_player.h"

#include <QJsonDocument>
#include <QTimer>

#include "protocol/protocol.h"
#include "server_process.h"
#include "settings/json_fields.h"

namespace tavolix::testing {

bool NetPlayer::connectTo(const QString& url) {
  socket_.open(QUrl(url));
  return waitFor([&] { return isOpen() || socket_.state() == QAbstractSocket::UnconnectedState; },
                 30) &&
         isOpen();
}

void NetPlayer::create(const Settings& rules, const std::array<bool, 4>& computers, int turnSeconds,
                       bool watchers, ComputerLevel level) {
  sendRaw(net::createMessage(rules, name_, -1, computers, level, turnSeconds, watchers));
}

void NetPlayer::join(const QString& tableCode, int wanted, const QByteArray& seatToken,
                     bool watch) {
  lastJoin_ = net::joinMessage(tableCode, name_, wanted, seatToken, watch);
  sendRaw(lastJoin_);
}

void NetPlayer::start() { sendRaw(net::message("start")); }

void NetPlayer::receive(const QString& text) {
  messages.append(text);
  const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
  const QString type = m.value(QLatin1String("type")).toString();
  if (type == QLatin1String("joined")) {
    code = m.value(QLatin1String("code")).toString();
    seat = m.value(QLatin1String("seat")).toInt(-1);
    if (m.contains(QLatin1String("token")))
      token = QByteArray::fromHex(m.value(QLatin1String("token")).toString().toLatin1());
  } else if (type == QLatin1String("table")) {
    table = m;
  } else if (type == QLatin1String("event")) {
    events.append(m);
    if (m.value(QLatin1String("event")).toString() == QLatin1String("matchEnded")) matchOver = true;
  } else if (type == QLatin1String("error")) {
    errors.append(m);
    if (m.value(QLatin1String("code")).toString() == QLatin1String("only-natural")) {
      // The same position is answered again, the other end now.
      refused_.append(lastAttempt_);
      actedOn_.clear();
      act();
    }
  } else if (type == QLatin1String("view")) {
    view = m;
    act();
  } else if (type == QLatin1String("redirect")) {
    const QString url = m.value(QLatin1String("url")).toString();
    redirects << url;
    QTimer::singleShot(0, this, [this, url] {
      socket_.abort();
      pendingJoin_ = lastJoin_;
      socket_.open(QUrl(url));
    });
  }
}

void NetPlayer::act() {
  if (!plays || seat < 0 || view.value(QLatin1String("turn")).toInt(-1) != seat) return;
  QJsonObject moment = view;
  moment.remove(QLatin1String("secondsLeft"));
  const QString signature = QString::fromUtf8(QJsonDocument(moment).toJson());
  if (signature == actedOn_) return;
  if (signature != refusedAt_) {
    refused_.clear();
    refusedAt_ = signature;
  }
  const QString asked = view.value(QLatin1String("asked")).toString();
  if (!makesMoves && asked != QLatin1String("pile")) return;
  actedOn_ = signature;
  ++actions;
  if (asked == QLatin1String("pile")) {
    const QJsonArray taken = view.value(QLatin1String("pileTaken")).toArray();
    int position = 1;
    while (taken.contains(position)) ++position;
    sendRaw(net::takeMessage(position));
    return;
  }
  if (!makesMoves) return;
  const QJsonArray hand = view.value(QLatin1String("hand")).toArray();
  const QJsonValue ends = view.value(QLatin1String("ends"));
  if (ends.isNull()) {
    const bool must = view.value(QLatin1String("mustOpenWithDoubleSix")).toBool();
    const QString tile = must ? QStringLiteral("66") : hand.first().toString();
    sendRaw(net::playMessage(*TileCode::fromText(tile.toStdString()), Lado::First));
    return;
  }
  const int a = ends.toArray().at(0).toInt();
  const int b = ends.toArray().at(1).toInt();
  for (const QJsonValue value : hand) {
    const TileCode t = *TileCode::fromText(value.toString().toStdString());
    for (const auto& [end, pip] : {std::pair{Lado::A, a}, std::pair{Lado::B, b}}) {
      const QString attempt = value.toString() + sideName(end);
      if (!t.holds(pip) || refused_.contains(attempt)) continue;
      lastAttempt_ = attempt;
      sendRaw(net::playMessage(t, end));
      return;
    }
  }
  sendRaw(net::message("pass"));
}

}  // namespace tavolix::testing
