// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>
#include <QUrl>

#include "online_module.h"
#include "protocol/remote_match.h"

namespace tavolix {

// A seat at a table served over the network, as the window plays it: the
// connection to the server, taken up again after a drop with growing pauses
// between tries, and the match it carries. Back at the table, the seat is
// taken again with its token and the server sends the table as it stands.
class OnlineSession : public QObject {
  Q_OBJECT

 public:
  // Connected through the online module `network`.
  OnlineSession(Presentation& screen, OnlineModule& network, QObject* parent = nullptr);
  ~OnlineSession() override;

  // A new table on the server at `url`, made by `create` (a create message).
  void create(const QUrl& url, const QByteArray& create);
  // A seat at the table `code`; with `token`, the seat taken back.
  void join(const QUrl& url, const QString& code, const QString& name,
            const QByteArray& token = {});
  // The seat given up, and the connection closed for good.
  void leave();
  // The connection closed as a drop would close it: for tests of the tries that follow.
  void dropConnection();

  net::RemoteMatch& match() { return match_; }
  const net::RemoteMatch& match() const { return match_; }
  // The server talked to now: the one asked first (`home()`), or the one it
  // sent the player to. A server that cannot be reached after sending the
  // player on is left for the first again, which knows where the table went.
  const QUrl& url() const { return url_; }
  const QUrl& home() const { return home_; }
  const QString& name() const { return name_; }
  bool connected() const { return connected_; }
  // The pauses between tries, in milliseconds, the last repeated.
  void setRetryPauses(std::vector<int> pauses) { pauses_ = std::move(pauses); }
  int tries() const { return tries_; }

  // Whether a server at `from` may send the player on to `to`: never from a
  // secure connection to a plain one.
  static bool mayFollow(const QUrl& from, const QUrl& to);
  // Whether a text is a link to a table, tavolix://HOST:PORT/CODE; the server's
  // address and the code when it is.
  static bool readLink(const QString& link, QUrl& url, QString& code);

 Q_SIGNALS:
  // The server could not be reached at all, or (`refused`) it refused the
  // seat: the reason in the player's words.
  void failed(const QString& reason, bool refused);

 private:
  void open();
  void opened();
  void closed();

  // Sent on to `url` by the server: the same first message goes there.
  void follow(const QUrl& url);

  net::RemoteMatch match_;
  std::unique_ptr<MessageLink> link_;
  QUrl home_;
  QUrl url_;
  int redirects_ = 0;       // in a row, without a seat: a loop ends
  bool following_ = false;  // closing to go where the server sent the player
  QString name_;
  QByteArray hello_;  // the first message on each connection: create, then join with the token
  QTimer retry_;
  std::vector<int> pauses_{500, 1000, 2000, 4000, 8000, 15000};
  int tries_ = 0;
  bool wanted_ = false;
  bool connected_ = false;
  bool seated_ = false;
};

}  // namespace tavolix
