// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "connection.h"

#include <algorithm>

#include <QWebSocket>

#include "table_server.h"

namespace tavolix::server {

Connection::Connection(QWebSocket* socket, TableServer& server, double messagesPerSecond)
    : QObject(&server),
      socket_(socket),
      address_(socket->peerAddress().toString()),
      peer_(QStringLiteral("%1:%2").arg(address_).arg(socket->peerPort())),
      rate_(messagesPerSecond),
      burst_(2 * messagesPerSecond),
      allowance_(burst_) {
  socket_->setParent(this);
  socket_->setMaxAllowedIncomingMessageSize(net::kMaxMessageBytes);
  socket_->setMaxAllowedIncomingFrameSize(net::kMaxMessageBytes);
  sinceRefill_.start();
  connect(socket_, &QWebSocket::textMessageReceived, this,
          [this, &server](const QString& text) { server.received(this, text.toUtf8()); });
  connect(socket_, &QWebSocket::binaryMessageReceived, this,
          [this, &server](const QByteArray&) { server.received(this, QByteArray("binary")); });
  connect(socket_, &QWebSocket::disconnected, this, [this, &server] { server.closed(this); });
}

Connection::~Connection() = default;

void Connection::send(const QByteArray& message) {
  if (closing_) return;
  if (holdingFor_ > 0) {
    heldBytes_ += message.size();
    if (heldBytes_ > kMaxBacklog) {
      // Redis has been away for long: the player takes the table as it stands when he is back.
      held_.clear();
      close(QStringLiteral("the table could not be kept"));
      return;
    }
    held_.emplace_back(holdingFor_, message);
    return;
  }
  if (socket_->bytesToWrite() > kMaxBacklog) {
    close(QStringLiteral("too slow to read what it is sent"));
    return;
  }
  socket_->sendTextMessage(QString::fromUtf8(message));
}

void Connection::kept(qint64 version) {
  if (holdingFor_ > 0 && holdingFor_ <= version) holdingFor_ = 0;
  while (!held_.empty() && held_.front().first <= version) {
    const QByteArray message = std::move(held_.front().second);
    held_.pop_front();
    heldBytes_ -= message.size();
    const qint64 holding = std::exchange(holdingFor_, 0);
    send(message);
    holdingFor_ = holding;
  }
}

bool Connection::allowMessage() {
  const double seconds = sinceRefill_.restart() / 1000.0;
  allowance_ = std::min(burst_, allowance_ + seconds * rate_);
  if (allowance_ < 1) return false;
  allowance_ -= 1;
  return true;
}

void Connection::close(const QString& reason) {
  if (closing_) return;
  closing_ = true;
  socket_->close(QWebSocketProtocol::CloseCodePolicyViolated, reason);
}

}  // namespace tavolix::server
