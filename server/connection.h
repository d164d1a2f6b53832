// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <deque>
#include <utility>

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "table.h"

class QWebSocket;

namespace tavolix::server {

class TableServer;

// One player's connection: its socket, the table it sits at, and what it may
// still send. Each connection pays for its own excesses: too many messages
// are refused, repeated abuse closes it, and a client too slow to read what
// it is sent is let go rather than kept in memory.
class Connection : public QObject, public Client {
  Q_OBJECT

 public:
  // Refused messages that close the connection.
  static constexpr int kStrikesAllowed = 20;
  // Unsent bytes a client may let pile up.
  static constexpr qint64 kMaxBacklog = 1 << 20;

  Connection(QWebSocket* socket, TableServer& server, double messagesPerSecond);
  ~Connection() override;

  void send(const QByteArray& message) override;
  QString peer() const override { return peer_; }
  const QString& address() const { return address_; }

  // Takes one message from the allowance; false when there is none left.
  bool allowMessage();
  // A message refused for being none of the protocol's: true when that was one too many.
  bool strike() { return ++strikes_ > kStrikesAllowed; }
  void close(const QString& reason);

  // What the table sends from now on waits until its version `version` is
  // kept in Redis (kept() says so): a move a player has seen is never lost
  // with its server.
  void holdUntilKept(qint64 version) { holdingFor_ = version; }
  // The table's version `version` is kept: what waited for it goes.
  void kept(qint64 version);

  Table* table = nullptr;

 private:
  QWebSocket* socket_;
  QString address_;
  QString peer_;
  double rate_;
  double burst_;
  double allowance_;
  QElapsedTimer sinceRefill_;
  int strikes_ = 0;
  bool closing_ = false;
  qint64 holdingFor_ = 0;  // 0: nothing waits
  std::deque<std::pair<qint64, QByteArray>> held_;
  qint64 heldBytes_ = 0;
};

}  // namespace tavolix::server
