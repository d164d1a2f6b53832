// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <memory>
#include <optional>

#include <QLockFile>
#include <QObject>
#include <QString>

namespace tavolix {

// One game a player: two games on the same data folder would each offer the
// other's match, remove the other's file and count the record twice as one.
// The first start holds a lock in the data folder and listens for the
// starts after it; a later start finds the lock held, asks the running game
// to bring its window to the front, and ends. A lock left by a game that was
// killed is taken over. Where no lock can be made at all (a folder that may
// not be written, a full disk), the game runs unguarded: it can keep nothing
// there either.
class OneGame : public QObject {
  Q_OBJECT

 public:
  explicit OneGame(const QString& dataFolder);
  ~OneGame() override;

  enum class Start { First, AnotherRuns, Unguarded };
  Start start() const { return start_; }
  // Asks the running game to come to the front, and to join the table of
  // `link` when one is given: true once it said it came, false when it did
  // not answer within `timeoutMs`.
  bool wakeRunningGame(int timeoutMs, const QString& link = {});
  // The window is up: the starts that asked for it so far, and those to
  // come, are answered.
  void setReady();

  // Where the lock is, and the name of the socket the running game listens on
  // (a local socket of that name, as Qt's QLocalServer names them).
  static QString lockPath(const QString& dataFolder);
  static QString serverName(const QString& dataFolder);

  // What a later start says: "show", or "join" and a table's link (none when
  // the link is no single line of plain text short enough); and what it
  // means: the link, empty for "show", or nothing for anything else.
  static QByteArray request(const QString& link);
  static std::optional<QString> readRequest(const QByteArray& line);

 Q_SIGNALS:
  // A later start asked for the window, once it is up; with the link of a
  // table it was given, or none.
  void anotherStart(const QString& link);

 private:
  // The socket the later starts talk to, and the conversations with them.
  class Listener;
  // A later start asked with a whole request: answered now or once ready.
  void asked(const QString& link);

  QString serverName_;
  QLockFile lock_;
  std::unique_ptr<Listener> listener_;
  Start start_ = Start::Unguarded;
  bool ready_ = false;
};

}  // namespace tavolix
