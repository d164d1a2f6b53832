// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table server as a real process on a loopback port, and a way to wait
// on the event loop for something, bounded in time.
#pragma once

#include <csignal>
#include <functional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>

namespace tavolix::testing {

// Runs the event loop until `done` or `seconds` have passed; whether it is done.
inline bool waitFor(const std::function<bool()>& done, int seconds = 60) {
  const QDeadlineTimer deadline(seconds * 1000);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!done()) QThread::usleep(500);
  }
  return true;
}

class ServerProcess {
 public:
  // Started on a free loopback port with `arguments` besides; the test's
  // seed makes the tables' deals the same from run to run.
  explicit ServerProcess(const QStringList& arguments, const QString& seed = QStringLiteral("5")) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TAVOLIX_SEED"), seed);
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&process_, &QProcess::readyReadStandardError,
                     [this] { log_ += QString::fromUtf8(process_.readAllStandardError()); });
    process_.start(QStringLiteral(TAVOLIX_SERVER),
                   QStringList{QStringLiteral("--address"), QStringLiteral("127.0.0.1"),
                               QStringLiteral("--port"), QStringLiteral("0")} +
                       arguments);
    static const QRegularExpression listening(QStringLiteral("listening on (wss?://[^,]+),"));
    waitFor(
        [&] {
          const auto match = listening.match(log_);
          if (match.hasMatch()) url_ = match.captured(1);
          return !url_.isEmpty() || process_.state() == QProcess::NotRunning;
        },
        30);
  }
  ~ServerProcess() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(10000);
    }
  }

  const QString& url() const { return url_; }
  const QString& log() {
    QCoreApplication::processEvents();
    return log_;
  }
  // SIGTERM, and the exit code once it has gone (-1 if it did not go in time).
  int terminate() {
    process_.terminate();
    if (!waitFor([&] { return process_.state() == QProcess::NotRunning; }, 30)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  void kill() {
    process_.kill();
    process_.waitForFinished(10000);
  }
  bool running() const { return process_.state() != QProcess::NotRunning; }
  // Stopped where it stands, as a machine that hangs, and let go on again.
  void pause() { ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP); }
  void resume() { ::kill(static_cast<pid_t>(process_.processId()), SIGCONT); }

 private:
  QProcess process_;
  QString log_;
  QString url_;
};

}  // namespace tavolix::testing
