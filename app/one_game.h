// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <vector>

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QLocalSocket;

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

  // Where the lock is, and the name of the socket the running game listens on.
  static QString lockPath(const QString& dataFolder);
  static QString serverName(const QString& dataFolder);

 Q_SIGNALS:
  // A later start asked for the window, once it is up; with the link of a
  // table it was given, or none.
  void anotherStart(const QString& link);

 private:
  void listen();
  void answer(QLocalSocket* socket);

  QString serverName_;
  QLockFile lock_;
  QLocalServer* server_ = nullptr;
  Start start_ = Start::Unguarded;
  bool ready_ = false;
  struct Waiting {
    QPointer<QLocalSocket> socket;
    QString link;
  };
  std::vector<Waiting> waiting_;
};

}  // namespace tavolix
