// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The online module: connections to table servers over WebSockets, and the
// table server the game runs for a table hosted on this computer.
#include <QHostAddress>
#include <QNetworkInterface>
#include <QObject>
#include <QWebSocket>

#include "online_module.h"
#include "reachable_address.h"
#include "server/table_server.h"

namespace tavolix {
namespace {

class WebSocketLink : public MessageLink {
 public:
  WebSocketLink(Events events, std::int64_t largest) : events_(std::move(events)) {
    socket_.setMaxAllowedIncomingMessageSize(static_cast<quint64>(largest));
    socket_.setMaxAllowedIncomingFrameSize(static_cast<quint64>(largest));
    QObject::connect(&socket_, &QWebSocket::connected, [this] { events_.opened(); });
    QObject::connect(&socket_, &QWebSocket::stateChanged,
                     [this](QAbstractSocket::SocketState state) {
                       if (state == QAbstractSocket::UnconnectedState) events_.closed();
                     });
    QObject::connect(&socket_, &QWebSocket::textMessageReceived,
                     [this](const QString& text) { events_.received(text.toUtf8()); });
  }
  ~WebSocketLink() override {
    // Nothing is told of the end of a link that is gone.
    QObject::disconnect(&socket_, nullptr, nullptr, nullptr);
    socket_.abort();
  }

  void open(const QUrl& url) override { socket_.open(url); }
  void send(const QByteArray& message) override {
    socket_.sendTextMessage(QString::fromUtf8(message));
  }
  void close() override { socket_.close(); }
  void abort() override { socket_.abort(); }
  bool unconnected() const override { return socket_.state() == QAbstractSocket::UnconnectedState; }
  QString errorString() const override { return socket_.errorString(); }

 private:
  Events events_;
  QWebSocket socket_;
};

class HostedTableServer : public HostedTables {
 public:
  explicit HostedTableServer(const server::TableServer::Options& options) : server_(options) {}
  bool start(QString& error) { return server_.start(error); }
  quint16 port() const override { return server_.port(); }

 private:
  server::TableServer server_;
};

class NetworkModule : public QObject, public OnlineModule {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID TAVOLIX_ONLINE_MODULE_IID)
  Q_INTERFACES(tavolix::OnlineModule)

 public:
  std::unique_ptr<MessageLink> newLink(MessageLink::Events events, std::int64_t largest) override {
    return std::make_unique<WebSocketLink>(std::move(events), largest);
  }

  std::unique_ptr<HostedTables> host(const HostOptions& options, QString& error) override {
    server::TableServer::Options serving;
    if (!options.address.isEmpty()) serving.address = QHostAddress(options.address);
    serving.port = options.port;
    serving.stateDir = options.stateDir;
    serving.seed = options.seed;
    auto hosted = std::make_unique<HostedTableServer>(serving);
    if (!hosted->start(error)) return nullptr;
    return hosted;
  }

  QString addressHere() override { return reachableAddress(QNetworkInterface::allAddresses()); }
};

}  // namespace
}  // namespace tavolix

#include "online_network.moc"
