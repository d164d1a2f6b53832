// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <atomic>
#include <unordered_map>

#include <QAbstractEventDispatcher>

class QSocketNotifier;

namespace tavolix::server {

// The server's event loop on Linux's epoll. Qt's own dispatchers ask poll()
// about every socket at each turn of the loop, so that a server of a
// thousand tables (four thousand connections) spends its core asking; epoll
// tells only of the sockets that are ready. Timers, posted events and
// wake-ups from other threads work as they do in Qt's dispatchers.
class EpollDispatcher final : public QAbstractEventDispatcher {
  Q_OBJECT

 public:
  EpollDispatcher();
  ~EpollDispatcher() override;

  bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
  void registerSocketNotifier(QSocketNotifier* notifier) override;
  void unregisterSocketNotifier(QSocketNotifier* notifier) override;
  void registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                     QObject* object) override;
  bool unregisterTimer(int timerId) override;
  bool unregisterTimers(QObject* object) override;
  QList<TimerInfo> registeredTimers(QObject* object) const override;
  int remainingTime(int timerId) override;
  void wakeUp() override;
  void interrupt() override;

 private:
  // The notifiers on one file, by kind.
  struct Watch {
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
    QSocketNotifier* exception = nullptr;
    unsigned watched = 0;  // the events epoll is asked for
  };
  struct Timer {
    qint64 interval = 0;
    Qt::TimerType type = Qt::CoarseTimer;
    QObject* object = nullptr;
    qint64 due = 0;  // on the monotonic clock, in ms
  };

  void rewatch(int fd, Watch& watch);
  // Tells the notifier of kind `kind` on `fd`, if there still is one.
  bool activate(int fd, QSocketNotifier* Watch::*kind);
  int msToNextTimer() const;
  bool fireTimers();

  int epoll_ = -1;
  int wake_ = -1;  // an eventfd, readable once woken
  std::atomic<bool> interrupted_{false};
  std::unordered_map<int, Watch> watches_;
  std::unordered_map<int, Timer> timers_;
};

}  // namespace tavolix::server
