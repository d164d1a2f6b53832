// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include "redis_link.h"

namespace tavolix::server {

// What several table servers share, kept in Redis: which servers are up and
// where players reach them, which server holds each table, and each table's
// file after every move with its version.
//
// A server is listed under a lease it renews; a table is held by one server
// under a lease set only when nobody holds it, renewed by its holder. A table's
// file is written only by the holder of its lease and only at a version newer
// than the one kept, so that a server that lost a table, or one that woke up
// after others took over, writes nothing more.
//
// A lease found free when it is renewed (Redis restarted empty) is taken
// again; one another server holds is lost.
//
// Keys, under "tavolix:": server:<id> (its address), lease:<code> (the id of
// the server holding the table), table:<code> (a hash: version, file), tables
// (the codes of every table kept), over:<code> (a table over, for a day). The
// scripts read keys they are not given: one Redis, not a cluster.
class Directory : public QObject {
  Q_OBJECT

 public:
  struct Options {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 6379;
    QString serverId;  // unique among the servers
    QString address;   // where players reach this server: "ws://host:port"
    int leaseMs = 6000;
  };
  struct Kept {
    qint64 version = 0;
    QByteArray file;
  };
  // Unreachable: Redis could not be asked, or did not answer; what it had
  // already read may still be written, so a table writes its next version
  // at a higher number whatever the answer.
  enum class Saved { Written, NotHolder, NotNewer, Unreachable };
  // Where a table is: held by the server at `address` (this one's own
  // address when it is held here), or by nobody (empty), or no such table.
  struct Location {
    bool exists = false;
    QString holder;   // the holding server's id
    QString address;  // its address
  };

  explicit Directory(Options options, QObject* parent = nullptr);

  // Connects, and lists this server (again after every reconnection).
  void start();
  bool isConnected() const { return link_.isConnected(); }
  const Options& options() const { return options_; }
  RedisLink& link() { return link_; }

  // Takes the table's lease when nobody holds it: answer(true) when it is
  // this server's now (also when it already was).
  void claim(const QString& code, std::function<void(bool)> answer);
  // Writes the table's file at `version`.
  void save(const QString& code, qint64 version, const QByteArray& file,
            std::function<void(Saved)> answer = {});
  // The table's file as last kept; nullopt when there is none or Redis cannot be reached.
  void load(const QString& code, std::function<void(std::optional<Kept>)> answer);
  void locate(const QString& code, std::function<void(Location)> answer);
  // The codes of the tables kept that nobody holds.
  void orphans(std::function<void(QStringList)> answer);
  // The table is over, or gone: its record and lease go, if this server holds it.
  void forget(const QString& code);
  // Lets go of the lease without forgetting the table, for another server to take it.
  void letGo(const QString& code);

 Q_SIGNALS:
  // The table's lease was found to be another server's, or gone: this server
  // must stop playing it.
  void leaseLost(const QString& code);
  void connected();
  void lost(const QString& why);

 private:
  void renew();
  QByteArray key(const char* kind, const QString& name) const;

  Options options_;
  RedisLink link_;
  QTimer renewal_;
  QSet<QString> held_;  // the codes whose leases this server holds
};

}  // namespace tavolix::server
