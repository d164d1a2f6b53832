// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A redis-server of the test's own on a free loopback port, keeping nothing on
// the disk; it can be stopped, paused and started again on the same port.
#pragma once

#include <csignal>

#include <QByteArrayList>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include "server_process.h"

namespace tavolix::testing {

class RedisProcess {
 public:
  RedisProcess() {
    for (int attempt = 0; attempt < 3 && !ready(); ++attempt) {
      QTcpServer probe;  // a port free a moment ago
      if (!probe.listen(QHostAddress::LocalHost, 0)) continue;
      port_ = probe.serverPort();
      probe.close();
      start();
    }
  }
  ~RedisProcess() { stop(); }

  static QString program() {
    return QStandardPaths::findExecutable(QStringLiteral("redis-server"));
  }
  bool ready() const { return process_.state() == QProcess::Running && ready_; }
  quint16 port() const { return port_; }
  const QString& log() const { return log_; }

  void start() {
    ready_ = false;
    log_.clear();
    QObject::disconnect(&process_, nullptr, nullptr, nullptr);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] {
      log_ += QString::fromUtf8(process_.readAllStandardOutput());
      if (log_.contains(QStringLiteral("Ready to accept connections"))) ready_ = true;
    });
    process_.start(program(),
                   {QStringLiteral("--port"), QString::number(port_), QStringLiteral("--bind"),
                    QStringLiteral("127.0.0.1"), QStringLiteral("--save"), QString(),
                    QStringLiteral("--appendonly"), QStringLiteral("no"),
                    QStringLiteral("--daemonize"), QStringLiteral("no")});
    waitFor([this] { return ready_ || process_.state() == QProcess::NotRunning; }, 30);
  }
  // Gone at once, as a machine that died.
  void stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(10000);
  }
  // Redis's answer to a command, as it came (empty when it cannot be asked).
  QByteArray ask(const QByteArrayList& command) const {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port_);
    if (!socket.waitForConnected(5000)) return {};
    QByteArray request = '*' + QByteArray::number(command.size()) + "\r\n";
    for (const QByteArray& part : command)
      request += '$' + QByteArray::number(part.size()) + "\r\n" + part + "\r\n";
    socket.write(request);
    QByteArray answer;
    while (!answer.endsWith("\r\n") && socket.waitForReadyRead(5000)) answer += socket.readAll();
    return answer;
  }
  // Whether Redis holds `key` now (false when it cannot be asked).
  bool exists(const QByteArray& key) const { return ask({"EXISTS", key}) == ":1\r\n"; }
  void pause() { ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP); }
  void resume() { ::kill(static_cast<pid_t>(process_.processId()), SIGCONT); }

 private:
  QProcess process_;
  quint16 port_ = 0;
  bool ready_ = false;
  QString log_;
};

}  // namespace tavolix::testing
