// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "termination.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

#include <QSocketNotifier>
#endif

namespace tavolix {

#ifdef Q_OS_UNIX
namespace {

// A signal handler may only write to a descriptor; the event loop reads the
// other end. Both stay open until the program ends: a request that comes
// while it closes is harmless there.
int wakeUp[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(wakeUp[0], &byte, 1);
}

}  // namespace

void catchSignals() {
  if (wakeUp[0] >= 0) return;
  std::signal(SIGXFSZ, SIG_IGN);
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) != 0) return;
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

TerminationRequests::TerminationRequests() {
  catchSignals();
  if (wakeUp[1] < 0) return;
  notifier_ = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(wakeUp[1], &byte, 1);
    Q_EMIT requested();
  });
}
#else
void catchSignals() {}
TerminationRequests::TerminationRequests() = default;
#endif

}  // namespace tavolix
