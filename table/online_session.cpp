// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "online_session.h"

#include <algorithm>

#include "protocol/protocol.h"

namespace tavolix {

namespace {

// A server's messages are small; anything far larger is no server of ours.
constexpr std::int64_t kLargestMessage = 16 * net::kMaxMessageBytes;
// Servers that send the player on and on are not followed for ever.
constexpr int kMostRedirects = 4;

}  // namespace

OnlineSession::OnlineSession(Presentation& screen, OnlineModule& network, QObject* parent)
    : QObject(parent),
      match_(screen,
             [this](const QByteArray& m) {
               if (connected_) link_->send(m);
             }),
      link_(network.newLink({[this] { opened(); }, [this] { closed(); },
                             [this](const QByteArray& text) { match_.receive(text); }},
                            kLargestMessage)) {
  retry_.setSingleShot(true);
  connect(&retry_, &QTimer::timeout, this, &OnlineSession::open);
  connect(&match_, &net::RemoteMatch::redirected, this, &OnlineSession::follow);
  connect(&match_, &net::RemoteMatch::seatTaken, this, [this] {
    seated_ = true;
    tries_ = 0;
    redirects_ = 0;
    hello_ = net::joinMessage(match_.code(), name_, -1, match_.token());
  });
  connect(&match_, &net::RemoteMatch::refused, this, [this](const QString& reason) {
    wanted_ = false;
    link_->close();
    Q_EMIT failed(reason, true);
  });
  // Taken back elsewhere, or a server that breaks the protocol: no more tries.
  connect(&match_, &net::RemoteMatch::closedElsewhere, this, [this] {
    wanted_ = false;
    link_->close();
  });
  connect(&match_, &net::RemoteMatch::broken, this, [this](const QString& problem) {
    qWarning("tavolix: the server at %s broke the protocol: %s", qPrintable(url_.toDisplayString()),
             qPrintable(problem));
    wanted_ = false;
    link_->close();
  });
}

OnlineSession::~OnlineSession() {
  wanted_ = false;
  link_.reset();  // and with it, everything it would tell
}

void OnlineSession::create(const QUrl& url, const QByteArray& create) {
  home_ = url_ = url;
  redirects_ = 0;
  hello_ = create;
  wanted_ = true;
  open();
}

void OnlineSession::join(const QUrl& url, const QString& code, const QString& name,
                         const QByteArray& token) {
  home_ = url_ = url;
  redirects_ = 0;
  name_ = name;
  hello_ = net::joinMessage(code, name, -1, token);
  match_.setToken(token);
  wanted_ = true;
  open();
}

void OnlineSession::leave() {
  if (connected_) match_.leave();
  wanted_ = false;
  retry_.stop();
  link_->close();
}

void OnlineSession::dropConnection() { link_->abort(); }

void OnlineSession::follow(const QUrl& url) {
  if (++redirects_ > kMostRedirects || !mayFollow(url_, url)) {
    wanted_ = false;
    link_->close();
    Q_EMIT failed(tr("Os servidores de %1 não chegam a um acordo sobre onde está a mesa.")
                      .arg(home_.toDisplayString()),
                  false);
    return;
  }
  url_ = url;
  following_ = true;
  link_->abort();  // closed() opens the connection to `url`
  if (following_ && link_->unconnected()) closed();
}

void OnlineSession::open() {
  if (!wanted_) return;
  ++tries_;
  link_->open(url_);
}

void OnlineSession::opened() {
  connected_ = true;
  tries_ = 0;
  link_->send(hello_);
}

void OnlineSession::closed() {
  const bool was = std::exchange(connected_, false);
  if (std::exchange(following_, false) && wanted_) {
    if (was && seated_) match_.connectionLost();
    retry_.start(0);
    return;
  }
  if (!wanted_) return;
  if (!seated_) {
    // Never at the table: the player is told at once rather than kept waiting.
    wanted_ = false;
    Q_EMIT failed(tr("Não foi possível falar com o servidor %1 (%2).")
                      .arg(url_.toDisplayString(), link_->errorString()),
                  false);
    return;
  }
  if (was) match_.connectionLost();
  // A server the player was sent to and that cannot be reached: the first
  // one asked knows where the table went (it may send him to the dead one
  // again until it learns of its death: a pause between tries is no loop).
  if (!was) url_ = home_;
  redirects_ = 0;
  const std::size_t n = std::min<std::size_t>(std::max(tries_ - 1, 0), pauses_.size() - 1);
  retry_.start(pauses_.empty() ? 1000 : pauses_[n]);
}

bool OnlineSession::mayFollow(const QUrl& from, const QUrl& to) {
  return from.scheme() != QLatin1String("wss") || to.scheme() == QLatin1String("wss");
}

bool OnlineSession::readLink(const QString& link, QUrl& url, QString& code) {
  const QUrl parsed(link.trimmed(), QUrl::StrictMode);
  if (!parsed.isValid() || parsed.scheme() != QLatin1String("tavolix") || parsed.host().isEmpty())
    return false;
  const QString path = parsed.path();
  code = net::cleanCode(path.startsWith(QLatin1Char('/')) ? path.mid(1) : path);
  if (code.isEmpty()) return false;
  url = QUrl();
  url.setScheme(QStringLiteral("ws"));
  url.setHost(parsed.host());
  url.setPort(parsed.port(47474));
  return true;
}

}  // namespace tavolix
