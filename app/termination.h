// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tavolix {

// Turns the requests to stop that reach the process from outside (SIGTERM,
// SIGINT, SIGHUP on Linux: a logout, Ctrl+C) into a Qt signal, so that the
// game closes its windows as if the player had, and ends with exit code 0.
class TerminationRequests : public QObject {
  Q_OBJECT

 public:
  TerminationRequests();
  ~TerminationRequests() override;

 Q_SIGNALS:
  void requested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tavolix
