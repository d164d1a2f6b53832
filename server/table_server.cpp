// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_server.h"

#include <cstdio>

#include <QDir>
#include <QJsonDocument>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QWebSocket>

#include "connection.h"
#include "settings/json_file.h"

namespace tavolix::server {

namespace {

// Wrong codes or tokens an address may send in a minute.
constexpr int kTriesAMinute = 20;
// How long a table not yet begun waits for its players once they are all gone.
constexpr int kLobbyGraceMs = 5 * 60 * 1000;

}  // namespace

void logLine(const QString& line) {
  std::fprintf(stderr, "tavolix-server: %s\n", qUtf8Printable(line));
  std::fflush(stderr);
}

TableServer::TableServer(Options options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      socketServer_(QStringLiteral("tavolix-server"),
                    options_.tls ? QWebSocketServer::SecureMode : QWebSocketServer::NonSecureMode),
      seeds_(options_.seed) {
#ifndef QT_NO_SSL
  if (options_.tls) socketServer_.setSslConfiguration(*options_.tls);
#endif
  connect(&socketServer_, &QWebSocketServer::newConnection, this, &TableServer::accept);
  adoption_.setInterval(std::max(200, options_.leaseMs / 2));
  connect(&adoption_, &QTimer::timeout, this, &TableServer::adoptOrphans);
}

TableServer::~TableServer() {
  // The sockets still open close as the server is taken apart, and say so to
  // members already gone: nothing they say is heard from now on.
  dying_ = true;
  // The tables go first: they hold the connections as clients.
  tables_.clear();
}

bool TableServer::start(QString& error) {
  if (!options_.stateDir.isEmpty()) {
    if (!QDir().mkpath(options_.stateDir)) {
      error = QStringLiteral("the state folder %1 cannot be made").arg(options_.stateDir);
      return false;
    }
    loadTables();
  }
  if (!options_.traceFile.isEmpty()) {
    trace_.setFileName(options_.traceFile);
    if (!trace_.open(QIODevice::WriteOnly | QIODevice::Append)) {
      error = QStringLiteral("the trace %1 cannot be written: %2")
                  .arg(options_.traceFile, trace_.errorString());
      return false;
    }
  }
  if (!socketServer_.listen(options_.address, options_.port)) {
    error = socketServer_.errorString();
    return false;
  }
  logLine(QStringLiteral("listening on %1, %2 tables kept").arg(url()).arg(tables_.size()));
  startSharing();
  return true;
}

quint16 TableServer::port() const { return socketServer_.serverPort(); }

QString TableServer::url() const {
  QString host = socketServer_.serverAddress().toString();
  if (socketServer_.serverAddress().protocol() == QAbstractSocket::IPv6Protocol)
    host = QLatin1Char('[') + host + QLatin1Char(']');
  return QStringLiteral("%1://%2:%3")
      .arg(options_.tls ? QStringLiteral("wss") : QStringLiteral("ws"), host)
      .arg(port());
}

void TableServer::stop() {
  stopping_ = true;
  socketServer_.close();
  for (auto& [code, table] : tables_) keep(*table);
  const auto connections = findChildren<Connection*>();
  for (Connection* connection : connections) connection->close(QStringLiteral("server stopping"));
  logLine(QStringLiteral("stopped, %1 tables kept; %2 messages read, %3 refused")
              .arg(tables_.size())
              .arg(messages_)
              .arg(refused_));
}

Table::Log TableServer::logger() const { return logLine; }

void TableServer::accept() {
  while (QWebSocket* socket = socketServer_.nextPendingConnection()) {
    const QString address = socket->peerAddress().toString();
    if (stopping_ || connectionsFrom_.value(address) >= options_.maxConnectionsPerAddress) {
      socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                    QStringLiteral("too many connections"));
      socket->deleteLater();
      continue;
    }
    ++connectionsFrom_[address];
    new Connection(socket, *this, options_.messagesPerSecond);
  }
}

void TableServer::closed(Connection* connection) {
  if (dying_) return;
  if (--connectionsFrom_[connection->address()] <= 0)
    connectionsFrom_.remove(connection->address());
  if (Table* table = connection->table) {
    table->disconnected(connection);
    connection->table = nullptr;
    // A table in its lobby waits a while for its players to come back; one that is over goes.
    if (table->phase() == Table::Phase::Over) {
      release(table);
    } else if (table->phase() == Table::Phase::Lobby && table->empty()) {
      QTimer::singleShot(kLobbyGraceMs, this, [this, code = table->code()] {
        const auto found = tables_.find(code);
        if (found != tables_.end() && found->second->phase() == Table::Phase::Lobby)
          release(found->second.get());
      });
    }
  }
  connection->deleteLater();
}

void TableServer::refuse(Connection* connection, net::Error error) {
  ++refused_;
  connection->send(net::errorMessage(error));
  const bool abuse = error == net::Error::BadMessage || error == net::Error::TooLarge ||
                     error == net::Error::WrongVersion || error == net::Error::UnknownType ||
                     error == net::Error::RateLimited;
  if (abuse && connection->strike()) connection->close(QStringLiteral("too many bad messages"));
}

void TableServer::received(Connection* connection, const QByteArray& text) {
  if (dying_) return;
  ++messages_;
  if (!connection->allowMessage()) return refuse(connection, net::Error::RateLimited);
  const auto read = net::readClientMessage(text);
  if (const auto* refused = std::get_if<net::Refused>(&read))
    return refuse(connection, refused->error);
  const auto& m = std::get<net::ClientMessage>(read);
  using Type = net::ClientMessage::Type;
  if (m.type == Type::Create) return create(connection, m);
  if (m.type == Type::Join) return join(connection, m);
  Table* table = connection->table;
  if (!table) return refuse(connection, net::Error::NotSeated);
  std::optional<net::Error> error;
  switch (m.type) {
    case Type::Start:
      error = table->start(connection);
      break;
    case Type::Swap:
      error = table->swap(connection, m.swapped[0], m.swapped[1]);
      break;
    case Type::Take:
      error = table->take(connection, m.position);
      break;
    case Type::Play:
      error = table->play(connection, m.tile, m.side);
      break;
    case Type::Pass:
      error = table->pass(connection);
      break;
    case Type::Leave:
      table->leave(connection);
      connection->table = nullptr;
      release(table);
      break;
    case Type::Create:
    case Type::Join:
      break;
  }
  if (error) refuse(connection, *error);
}

void TableServer::create(Connection* connection, const net::ClientMessage& m) {
  if (connection->table) return refuse(connection, net::Error::AlreadyStarted);
  if (tableCount() >= options_.maxTables ||
      tablesFrom_.value(connection->address()) >= options_.maxTablesPerAddress)
    return refuse(connection, net::Error::TooManyTables);
  Table::Options options;
  options.seed = seeds_.bits();
  options.tracing = trace_.isOpen();
  const QString code = newCode();
  auto table = std::make_unique<Table>(code, m, options, logger());
  const Table::Joined joined = table->seatHost(connection, m.seat, m.name);
  if (joined.error) return refuse(connection, *joined.error);
  logLine(QStringLiteral("table %1: made by %2 from %3 (%4, %5 tables)")
              .arg(code, m.name, connection->peer(),
                   m.rules.pairs() ? QStringLiteral("pairs") : QStringLiteral("individual"))
              .arg(tables_.size() + 1));
  connection->table = table.get();
#ifdef TAVOLIX_WITH_REDIS
  // Held here from the start; asked before the first version is written, as
  // Redis answers in order.
  if (directory_) directory_->claim(code, [](bool) {});
#endif
  Table& made = *table;
  hold(std::move(table));
  keep(made);
  madeBy_.insert(code, connection->address());
  ++tablesFrom_[connection->address()];
}

void TableServer::join(Connection* connection, const net::ClientMessage& m) {
  if (connection->table) return refuse(connection, net::Error::AlreadyStarted);
  if (tooManyTries(connection)) return refuse(connection, net::Error::TooManyTries);
  const auto found = tables_.find(m.code);
  if (found == tables_.end()) {
#ifdef TAVOLIX_WITH_REDIS
    if (directory_) return findElsewhere(connection, m);
#endif
    wrongTry(connection);
    return refuse(connection, net::Error::NoSuchTable);
  }
  Table& table = *found->second;
  const Table::Joined joined = table.join(connection, m);
  if (joined.error) {
    if (*joined.error == net::Error::WrongToken) wrongTry(connection);
    return refuse(connection, *joined.error);
  }
  connection->table = &table;
  keep(table);
}

bool TableServer::tooManyTries(const Connection* connection) const {
  const auto tries = tries_.constFind(connection->address());
  return tries != tries_.constEnd() && !tries->window.hasExpired() && tries->count >= kTriesAMinute;
}

void TableServer::wrongTry(const Connection* connection) {
  Tries& tries = tries_[connection->address()];
  if (tries.window.hasExpired()) tries = {0, QDeadlineTimer(60 * 1000)};
  ++tries.count;
}

// Eight characters drawn from the system's cryptographic source, so that a
// code cannot be guessed from the codes seen before it.
QString TableServer::newCode() const {
  constexpr int kLetters = sizeof net::kCodeAlphabet - 1;
  QString code;
  do {
    code.clear();
    for (int k = 0; k < net::kCodeLength; ++k)
      code += QLatin1Char(net::kCodeAlphabet[QRandomGenerator::system()->bounded(kLetters)]);
  } while (tables_.count(code) > 0);
  return code;
}

void TableServer::keep(Table& table) {
#ifdef TAVOLIX_WITH_REDIS
  if (directory_) {
    if (table.phase() == Table::Phase::Over) {
      directory_->forget(table.code());
      versions_.remove(table.code());
    } else {
      // A version for every change, written or not: one Redis may have
      // taken without answering is written over by the next. The players are
      // told of the change once it is kept: until then what the table sends
      // them waits, so that no move they have seen dies with this server.
      const qint64 version = ++versions_[table.code()];
      std::vector<QPointer<Connection>> told;
      for (Client* client : table.clients()) {
        auto* connection = static_cast<Connection*>(client);
        connection->holdUntilKept(version);
        told.emplace_back(connection);
      }
      directory_->save(
          table.code(), version, QJsonDocument(table.toJson()).toJson(QJsonDocument::Compact),
          [told = std::move(told), version](Directory::Saved saved) {
            // Not written (Redis away): it waits for a later version,
            // written once Redis is back.
            if (saved != Directory::Saved::Written && saved != Directory::Saved::NotNewer) return;
            for (const QPointer<Connection>& connection : told) {
              if (connection) connection->kept(version);
            }
          });
    }
  }
#endif
  if (options_.stateDir.isEmpty()) return;
  JsonFile file(QDir(options_.stateDir).filePath(table.code() + QStringLiteral(".json")),
                "a table");
  if (table.phase() == Table::Phase::Over) {
    file.remove();
    return;
  }
  if (!file.write(QJsonDocument(table.toJson()).toJson(QJsonDocument::Compact)))
    logLine(QStringLiteral("table %1: could not be kept in %2").arg(table.code(), file.path()));
}

void TableServer::release(Table* table) {
  if (stopping_ || !table->empty() || table->phase() == Table::Phase::Playing) return;
  if (table->phase() == Table::Phase::Lobby) {
    logLine(QStringLiteral("table %1: left by everyone before it began").arg(table->code()));
    if (!options_.stateDir.isEmpty())
      JsonFile(QDir(options_.stateDir).filePath(table->code() + QStringLiteral(".json")), "a table")
          .remove();
  }
  const QString maker = madeBy_.take(table->code());
  if (!maker.isEmpty() && --tablesFrom_[maker] <= 0) tablesFrom_.remove(maker);
#ifdef TAVOLIX_WITH_REDIS
  if (directory_) directory_->forget(table->code());
#endif
  versions_.remove(table->code());
  tables_.erase(table->code());
}

void TableServer::writeTrace(const std::string& trace) {
  trace_.write(trace.data(), static_cast<qint64>(trace.size()));
  trace_.flush();
}

void TableServer::loadTables() {
  const QDir dir(options_.stateDir);
  const auto names = dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    JsonFile file(dir.filePath(name), "a table");
    JsonFile::Refusal refusal;
    QString problem;
    auto table = file.readAs<std::unique_ptr<Table>>(
        [&](const QByteArray& bytes) -> std::variant<std::unique_ptr<Table>, QString> {
          const QJsonDocument document = QJsonDocument::fromJson(bytes);
          Table::Options options;
          options.tracing = !options_.traceFile.isEmpty();
          auto t = Table::fromJson(document.object(), options, logger(), problem);
          if (!t) return problem;
          return t;
        },
        refusal);
    if (!table || !*table) {
      logLine(QStringLiteral("%1 is not taken: %2").arg(name, refusal.problem));
      continue;
    }
    hold(std::move(*table));
  }
}

void TableServer::hold(std::unique_ptr<Table> table) {
  table->onChanged = [this](Table& t) { keep(t); };
  table->onTraceDone = [this](const std::string& trace) { writeTrace(trace); };
  const QString code = table->code();
  tables_.emplace(code, std::move(table));
}

}  // namespace tavolix::server
