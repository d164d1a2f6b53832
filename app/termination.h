// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tavolix {

// The signals the game takes care of, from the first thing main does until
// the program ends: a request to stop (SIGTERM, SIGINT, SIGHUP on Linux: a
// logout, Ctrl+C) is kept until TerminationRequests can act on it, however
// early it comes; a write past the file size limit (SIGXFSZ) fails like any
// other failed write instead of ending the game.
void catchSignals();

// Turns the requests to stop that reach the process from outside into a Qt
// signal, so that the game closes its windows as if the player had, and ends
// with exit code 0. A request that came before it was made is told at the
// first turn of the event loop.
class TerminationRequests : public QObject {
  Q_OBJECT

 public:
  TerminationRequests();

 Q_SIGNALS:
  void requested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tavolix
