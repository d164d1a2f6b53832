// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "epoll_dispatcher.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tavolix::server {

namespace {

qint64 nowMs() { return QDeadlineTimer::current().deadline(); }

constexpr int kEventsAtOnce = 256;

}  // namespace

EpollDispatcher::EpollDispatcher()
    : epoll_(epoll_create1(EPOLL_CLOEXEC)), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (epoll_ < 0 || wake_ < 0) qFatal("the event loop cannot be made (epoll, eventfd)");
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = wake_;
  epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event);
}

EpollDispatcher::~EpollDispatcher() {
  ::close(wake_);
  ::close(epoll_);
}

void EpollDispatcher::rewatch(int fd, Watch& watch) {
  const unsigned wanted = (watch.read ? unsigned(EPOLLIN) : 0u) |
                          (watch.write ? unsigned(EPOLLOUT) : 0u) |
                          (watch.exception ? unsigned(EPOLLPRI) : 0u);
  if (wanted == watch.watched) return;
  epoll_event event{};
  event.events = wanted;
  event.data.fd = fd;
  if (wanted == 0) {
    epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, &event);
  } else if (watch.watched == 0) {
    // A file closed without a word leaves epoll by itself; its number may come back.
    if (epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event) != 0 && errno == EEXIST)
      epoll_ctl(epoll_, EPOLL_CTL_MOD, fd, &event);
  } else if (epoll_ctl(epoll_, EPOLL_CTL_MOD, fd, &event) != 0 && errno == ENOENT) {
    epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event);
  }
  watch.watched = wanted;
}

void EpollDispatcher::registerSocketNotifier(QSocketNotifier* notifier) {
  const int fd = static_cast<int>(notifier->socket());
  Watch& watch = watches_[fd];
  switch (notifier->type()) {
    case QSocketNotifier::Read:
      watch.read = notifier;
      break;
    case QSocketNotifier::Write:
      watch.write = notifier;
      break;
    case QSocketNotifier::Exception:
      watch.exception = notifier;
      break;
  }
  rewatch(fd, watch);
}

void EpollDispatcher::unregisterSocketNotifier(QSocketNotifier* notifier) {
  const int fd = static_cast<int>(notifier->socket());
  const auto found = watches_.find(fd);
  if (found == watches_.end()) return;
  Watch& watch = found->second;
  for (QSocketNotifier* Watch::*kind : {&Watch::read, &Watch::write, &Watch::exception}) {
    if (watch.*kind == notifier) watch.*kind = nullptr;
  }
  rewatch(fd, watch);
  if (watch.watched == 0) watches_.erase(found);
}

bool EpollDispatcher::activate(int fd, QSocketNotifier* Watch::*kind) {
  // Looked up afresh: what an earlier notifier did may have closed this one.
  const auto found = watches_.find(fd);
  if (found == watches_.end() || !(found->second.*kind)) return false;
  QEvent event(QEvent::SockAct);
  QCoreApplication::sendEvent(found->second.*kind, &event);
  return true;
}

void EpollDispatcher::registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                                    QObject* object) {
  timers_[timerId] = Timer{interval, timerType, object, nowMs() + interval};
}

bool EpollDispatcher::unregisterTimer(int timerId) { return timers_.erase(timerId) > 0; }

bool EpollDispatcher::unregisterTimers(QObject* object) {
  const auto before = timers_.size();
  std::erase_if(timers_, [object](const auto& entry) { return entry.second.object == object; });
  return timers_.size() != before;
}

QList<QAbstractEventDispatcher::TimerInfo> EpollDispatcher::registeredTimers(
    QObject* object) const {
  QList<TimerInfo> found;
  for (const auto& [id, timer] : timers_) {
    if (timer.object == object) found.append(TimerInfo(id, int(timer.interval), timer.type));
  }
  return found;
}

int EpollDispatcher::remainingTime(int timerId) {
  const auto found = timers_.find(timerId);
  if (found == timers_.end()) return -1;
  return int(std::max<qint64>(0, found->second.due - nowMs()));
}

int EpollDispatcher::msToNextTimer() const {
  if (timers_.empty()) return -1;
  qint64 next = timers_.begin()->second.due;
  for (const auto& entry : timers_) next = std::min(next, entry.second.due);
  return int(std::clamp<qint64>(next - nowMs(), 0, 24 * 3600 * 1000));
}

bool EpollDispatcher::fireTimers() {
  const qint64 now = nowMs();
  std::vector<int> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.due <= now) due.push_back(id);
  }
  for (const int id : due) {
    // A timer an earlier one stopped does not fire.
    const auto found = timers_.find(id);
    if (found == timers_.end()) continue;
    Timer& timer = found->second;
    timer.due = now + timer.interval;
    QTimerEvent event(id);
    QCoreApplication::sendEvent(timer.object, &event);
  }
  return !due.empty();
}

bool EpollDispatcher::processEvents(QEventLoop::ProcessEventsFlags flags) {
  interrupted_ = false;
  Q_EMIT awake();
  QCoreApplication::sendPostedEvents();
  bool worked = false;
  const bool wait = (flags & QEventLoop::WaitForMoreEvents) && !interrupted_;
  if (wait) Q_EMIT aboutToBlock();
  epoll_event events[kEventsAtOnce];
  const int ready = epoll_wait(epoll_, events, kEventsAtOnce, wait ? msToNextTimer() : 0);
  Q_EMIT awake();
  for (int k = 0; k < ready && !interrupted_; ++k) {
    const int fd = events[k].data.fd;
    const unsigned what = events[k].events;
    if (fd == wake_) {
      eventfd_t count;
      eventfd_read(wake_, &count);
      continue;
    }
    if (flags & QEventLoop::ExcludeSocketNotifiers) continue;
    if (what & (EPOLLIN | EPOLLHUP | EPOLLERR)) worked |= activate(fd, &Watch::read);
    if (what & (EPOLLOUT | EPOLLHUP | EPOLLERR)) worked |= activate(fd, &Watch::write);
    if (what & EPOLLPRI) worked |= activate(fd, &Watch::exception);
  }
  if (!(flags & QEventLoop::X11ExcludeTimers) && !interrupted_) worked |= fireTimers();
  return worked;
}

void EpollDispatcher::wakeUp() { eventfd_write(wake_, 1); }

void EpollDispatcher::interrupt() {
  interrupted_ = true;
  wakeUp();
}

}  // namespace tavolix::server
