// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <map>
#include <memory>
#include <optional>

#include <QDeadlineTimer>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QSslConfiguration>
#include <QString>
#include <QTimer>
#include <QWebSocketServer>

#include "game/random_source.h"
#include "table.h"
#ifdef TAVOLIX_WITH_REDIS
#include "directory.h"
#endif

class QWebSocket;

namespace tavolix::server {

class Connection;

// A line of the server's log, on its standard error.
void logLine(const QString& line);

// Many tables in one event loop, played over WebSocket: each connection is
// read message by message, checked, limited, and handed to its table.
class TableServer : public QObject {
  Q_OBJECT

 public:
  struct Options {
    QHostAddress address = QHostAddress::Any;
    quint16 port = 47474;
    QString stateDir;  // empty: tables are not kept
    int maxTables = 1000;
    int maxConnectionsPerAddress = 64;
    int maxTablesPerAddress = 16;
    double messagesPerSecond = 20;
    QString traceFile;
    std::optional<QSslConfiguration> tls;
    std::uint64_t seed = 0;  // the generator the tables' own seeds are drawn from
    // Sharing the tables with other servers through Redis (none: alone).
    QString redisHost;
    quint16 redisPort = 0;
    QString publicUrl;  // where the others send players to this server; empty: url()
    QString serverId;   // empty: drawn at start
    int leaseMs = 6000;
  };

  explicit TableServer(Options options, QObject* parent = nullptr);
  ~TableServer() override;

  // Brings back the tables kept in the state folder, then listens; false with
  // the reason when it cannot.
  bool start(QString& error);
  quint16 port() const;
  QString url() const;
  // Stops taking connections and closes those there are; every table stays kept.
  void stop();
  int tableCount() const { return static_cast<int>(tables_.size()); }

 private:
  friend class Connection;
  void accept();
  void received(Connection* connection, const QByteArray& text);
  void closed(Connection* connection);
  void refuse(Connection* connection, net::Error error);
  void create(Connection* connection, const net::ClientMessage& m);
  void join(Connection* connection, const net::ClientMessage& m);
  // Too many wrong codes or tokens from the connection's address lately.
  bool tooManyTries(const Connection* connection) const;
  void wrongTry(const Connection* connection);
  QString newCode() const;
  void keep(Table& table);
  // A table nobody sits at any more that is over, or was never begun, goes.
  void release(Table* table);
  void writeTrace(const std::string& trace);
  void loadTables();
  Table::Log logger() const;
  // The table's callbacks, for a new table and one brought back alike.
  void hold(std::unique_ptr<Table> table);

  // --- sharing the tables with other servers ---
  void startSharing();
  // A code nobody here holds: the player is sent to the server that holds
  // it, or the table is taken over when nobody does.
  void findElsewhere(Connection* connection, const net::ClientMessage& m);
  // Takes the table over from Redis: `then` with it, or with none.
  void adopt(const QString& code, std::function<void(Table*)> then);
  void adoptOrphans();
  // Another server holds the table now: it is let go of here without a word
  // more, and its players reconnect through any server.
  void lose(const QString& code);

  Options options_;
  QWebSocketServer socketServer_;
  std::map<QString, std::unique_ptr<Table>> tables_;
  QHash<QString, int> connectionsFrom_;
  // Who made each table, and how many tables each address has made that are still held.
  QHash<QString, QString> madeBy_;
  QHash<QString, int> tablesFrom_;
  struct Tries {
    int count = 0;
    QDeadlineTimer window;
  };
  QHash<QString, Tries> tries_;
  RandomSource seeds_;
  QFile trace_;
#ifdef TAVOLIX_WITH_REDIS
  std::unique_ptr<Directory> directory_;
#endif
  QHash<QString, qint64> versions_;  // each table's version last written to Redis
  QSet<QString> adopting_;           // codes being taken over
  QTimer adoption_;                  // looks for tables nobody holds
  bool stopping_ = false;
  bool dying_ = false;
  long messages_ = 0;  // read, for the log at the end
  long refused_ = 0;
};

}  // namespace tavolix::server
