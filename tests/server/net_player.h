// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A scripted player at a table server: it joins by the protocol, keeps
// everything it is sent, and plays from its own seat's view only: the
// lowest free pile tile, then the first tile of its hand that joins an end
// (end A before end B), or a pass.
#pragma once

#include <array>
#include <utility>

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWebSocket>

#include "game/settings.h"

namespace tavolix::testing {

class NetPlayer : public QObject {
 public:
  explicit NetPlayer(QString name) : name_(std::move(name)) {
    connect(&socket_, &QWebSocket::textMessageReceived, this, &NetPlayer::receive);
    // Sent on to another server: the join goes there, as the game's own client does.
    connect(&socket_, &QWebSocket::connected, this, [this] {
      if (!pendingJoin_.isEmpty()) sendRaw(std::exchange(pendingJoin_, {}));
    });
    connect(&socket_, &QWebSocket::sslErrors, this,
            [this](const QList<QSslError>&) { socket_.ignoreSslErrors(); });
  }

  // Opens the connection; true once it is open (bounded wait).
  bool connectTo(const QString& url);
  bool isOpen() const { return socket_.state() == QAbstractSocket::ConnectedState; }
  void sendRaw(const QByteArray& text) { socket_.sendTextMessage(QString::fromUtf8(text)); }
  // The connection cut without a word, as a lost network does.
  void drop() { socket_.abort(); }

  void create(const Settings& rules, const std::array<bool, 4>& computers, int turnSeconds = 60,
              bool watchers = false, ComputerLevel level = ComputerLevel::Normal);
  void join(const QString& code, int seat = -1, const QByteArray& token = {}, bool watch = false);
  void start();
  // One move now, if its seat is asked, whether it plays by itself or not.
  void actNow() {
    const bool playing = std::exchange(plays, true);
    act();
    plays = playing;
  }

  // Whether it plays when its seat is asked (otherwise it only listens), and
  // whether it makes its moves or only takes its tiles.
  bool plays = true;
  bool makesMoves = true;

  const QString& name() const { return name_; }
  QString code;
  int seat = -1;
  QByteArray token;
  QJsonObject view;   // the last view
  QJsonObject table;  // the last table message
  QList<QJsonObject> events;
  QList<QJsonObject> errors;
  QStringList messages;   // every message received, in order, as sent
  QStringList redirects;  // where it was sent on to
  int actions = 0;
  bool matchOver = false;

 private:
  void receive(const QString& text);
  void act();

  QString name_;
  QWebSocket socket_;
  QString actedOn_;  // the view last answered
  // Moves ("36A") refused for "no natural" in the position `refusedAt_`.
  QStringList refused_;
  QString refusedAt_;
  QString lastAttempt_;
  QByteArray lastJoin_;     // the join last sent
  QByteArray pendingJoin_;  // sent once the connection to the next server is open
};

}  // namespace tavolix::testing
