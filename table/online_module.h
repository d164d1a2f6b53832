// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QtPlugin>

namespace tavolix {

// What online play needs of the network. It lives in a module of its own
// (tavolix-online), loaded when the player first goes online, so that the
// network libraries cost nothing at start-up, nor in a game played here.

// A connection to a table server, carrying the protocol's messages.
class MessageLink {
 public:
  // Called on the window's thread. A connection that fails to open ends as
  // one that drops: `closed`.
  struct Events {
    std::function<void()> opened;
    std::function<void()> closed;
    std::function<void(const QByteArray&)> received;
  };
  virtual ~MessageLink() = default;
  virtual void open(const QUrl& url) = 0;
  virtual void send(const QByteArray& message) = 0;
  // Closed politely, or (`abort`) at once, as a drop would close it.
  virtual void close() = 0;
  virtual void abort() = 0;
  virtual bool unconnected() const = 0;
  // Why the last connection failed, in the player's words.
  virtual QString errorString() const = 0;
};

// A table server run by the game for a table hosted on this computer.
class HostedTables {
 public:
  virtual ~HostedTables() = default;
  virtual quint16 port() const = 0;
};

struct HostOptions {
  QString address;   // where it listens: empty, every address of the computer
  quint16 port = 0;  // 0: any free port
  QString stateDir;  // where its tables are kept
  std::uint64_t seed = 0;
};

class OnlineModule {
 public:
  virtual ~OnlineModule() = default;
  // A connection refusing messages longer than `largest` bytes.
  virtual std::unique_ptr<MessageLink> newLink(MessageLink::Events events,
                                               std::int64_t largest) = 0;
  // A server listening already, or none with the reason in `error`.
  virtual std::unique_ptr<HostedTables> host(const HostOptions& options, QString& error) = 0;
  // The address others on the network reach this computer at.
  virtual QString addressHere() = 0;
};

// The module, loaded at the first call; null when it cannot be (the reason
// is written once to the standard error).
OnlineModule* onlineModule();
// Where the module is looked for: beside the program, then where it is
// installed; the tests, which run from a folder of their own, set it.
QStringList onlineModuleFolders();
void setOnlineModuleFolders(const QStringList& folders);

}  // namespace tavolix

#define TAVOLIX_ONLINE_MODULE_IID "org.vantorel.Tavolix.OnlineModule/1"
Q_DECLARE_INTERFACE(tavolix::OnlineModule, TAVOLIX_ONLINE_MODULE_IID)
