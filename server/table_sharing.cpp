// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Sharing the tables with other servers through Redis: listing this server,
// sending a player to the table's server, taking over the tables of one that
// died, and letting go of a table another server took.
#include <QJsonDocument>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

#include "connection.h"
#include "table_server.h"

namespace tavolix::server {

void TableServer::startSharing() {
#ifdef TAVOLIX_WITH_REDIS
  if (options_.redisPort == 0) return;
  Directory::Options shared;
  shared.host = options_.redisHost;
  shared.port = options_.redisPort;
  shared.leaseMs = options_.leaseMs;
  shared.address = options_.publicUrl.isEmpty() ? url() : options_.publicUrl;
  shared.serverId = options_.serverId;
  if (shared.serverId.isEmpty())
    shared.serverId = QString::number(QRandomGenerator::system()->generate64(), 36);
  directory_ = std::make_unique<Directory>(shared);
  connect(directory_.get(), &Directory::leaseLost, this, &TableServer::lose);
  connect(directory_.get(), &Directory::lost, this, [](const QString& why) {
    logLine(QStringLiteral("Redis lost (%1): waiting for it; the players are told nothing new "
                           "until their table is kept again")
                .arg(why));
  });
  connect(directory_.get(), &Directory::connected, this, [this] {
    logLine(QStringLiteral("sharing the tables as %1 through Redis at %2:%3")
                .arg(directory_->options().serverId, options_.redisHost)
                .arg(options_.redisPort));
    // Redis may have come back empty, or kept what it had: each table here
    // is claimed again and written at its next version; one another server
    // took meanwhile is let go of.
    std::vector<QString> codes;
    for (const auto& [code, table] : tables_) codes.push_back(code);
    for (const QString& code : codes) {
      directory_->claim(code, [this, code](bool ours) {
        const auto found = tables_.find(code);
        if (found == tables_.end()) return;
        if (ours) {
          keep(*found->second);
        } else {
          lose(code);
        }
      });
    }
    adoption_.start();
  });
  directory_->start();
  // A wrong address, or a Redis not up yet: said once, not at every try.
  QTimer::singleShot(5000, this, [this] {
    if (directory_ && !directory_->isConnected())
      logLine(QStringLiteral("Redis at %1:%2 cannot be reached yet; trying on, the players are "
                             "told nothing new until it can")
                  .arg(options_.redisHost)
                  .arg(options_.redisPort));
  });
#endif
}

void TableServer::findElsewhere(Connection* connection, const net::ClientMessage& m) {
#ifdef TAVOLIX_WITH_REDIS
  QPointer<Connection> asking(connection);
  directory_->locate(m.code, [this, asking, m](const Directory::Location& where) {
    if (!asking || dying_) return;
    if (tables_.count(m.code) > 0) return join(asking, m);  // taken over meanwhile
    if (!where.holder.isEmpty() && where.holder != directory_->options().serverId) {
      if (where.address.isEmpty()) {
        // Its server is gone and its lease not yet out: come back in a moment.
        return asking->close(QStringLiteral("table moving"));
      }
      asking->send(net::message("redirect", {{QStringLiteral("url"), where.address}}));
      return;
    }
    if (!where.exists) {
      wrongTry(asking);
      return refuse(asking, net::Error::NoSuchTable);
    }
    adopt(m.code, [this, asking, m](Table* table) {
      if (!asking) return;
      if (table == nullptr) return asking->close(QStringLiteral("table moving"));
      join(asking, m);
    });
  });
#else
  Q_UNUSED(connection);
  Q_UNUSED(m);
#endif
}

void TableServer::adopt(const QString& code, std::function<void(Table*)> then) {
#ifdef TAVOLIX_WITH_REDIS
  if (adopting_.contains(code)) return then(nullptr);
  adopting_.insert(code);
  directory_->claim(code, [this, code, then](bool ours) {
    if (!ours) {
      adopting_.remove(code);
      return then(nullptr);
    }
    directory_->load(code, [this, code, then](std::optional<Directory::Kept> kept) {
      adopting_.remove(code);
      if (dying_) return;
      if (const auto found = tables_.find(code); found != tables_.end())
        return then(found->second.get());
      if (!kept) {
        directory_->letGo(code);
        return then(nullptr);
      }
      Table::Options options;
      options.tracing = trace_.isOpen();
      QString problem;
      auto table =
          Table::fromJson(QJsonDocument::fromJson(kept->file).object(), options, logger(), problem);
      if (!table) {
        logLine(QStringLiteral("table %1: not taken over: %2").arg(code, problem));
        directory_->letGo(code);
        return then(nullptr);
      }
      versions_[code] = kept->version;
      logLine(QStringLiteral("table %1: taken over at version %2").arg(code).arg(kept->version));
      Table* held = table.get();
      hold(std::move(table));
      then(held);
    });
  });
#else
  Q_UNUSED(code);
  then(nullptr);
#endif
}

void TableServer::adoptOrphans() {
#ifdef TAVOLIX_WITH_REDIS
  if (!directory_ || stopping_ || tableCount() >= options_.maxTables) return;
  directory_->orphans([this](const QStringList& codes) {
    for (const QString& code : codes) {
      if (tables_.count(code) == 0 && tableCount() < options_.maxTables) adopt(code, [](Table*) {});
    }
  });
#endif
}

void TableServer::lose(const QString& code) {
  const auto found = tables_.find(code);
  if (found == tables_.end()) return;
  logLine(QStringLiteral("table %1: held by another server now; let go of").arg(code));
  Table* table = found->second.get();
  const auto connections = findChildren<Connection*>();
  for (Connection* connection : connections) {
    if (connection->table != table) continue;
    connection->table = nullptr;
    connection->close(QStringLiteral("table moved"));
  }
  const QString maker = madeBy_.take(code);
  if (!maker.isEmpty() && --tablesFrom_[maker] <= 0) tablesFrom_.remove(maker);
  versions_.remove(code);
  tables_.erase(found);
}

}  // namespace tavolix::server
