// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <vector>

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

struct redisAsyncContext;
class QSocketNotifier;

namespace tavolix::server {

// What Redis answered, or that the connection went before it could.
struct RedisReply {
  enum class Kind { Lost, Nil, Status, Error, Integer, Text, Array };
  Kind kind = Kind::Lost;
  QByteArray text;  // a status, an error or a string
  long long integer = 0;
  std::vector<RedisReply> elements;

  bool ok() const { return kind != Kind::Lost && kind != Kind::Error; }
};

// One connection to Redis on Qt's event loop (hiredis's asynchronous API):
// commands are sent without waiting and answered by their callbacks, in
// order. When Redis goes away every command waiting is answered Lost, and the
// link connects again by itself, waiting longer each time up to two seconds;
// a Redis that stops answering for `stallMs` is treated as gone.
class RedisLink : public QObject {
  Q_OBJECT

 public:
  using Answer = std::function<void(const RedisReply&)>;

  RedisLink(QString host, quint16 port, QObject* parent = nullptr);
  ~RedisLink() override;

  void open();
  bool isConnected() const { return connected_; }
  // Sends a command; `answer`, when given, is called with its reply (Lost at
  // once when there is no connection).
  void command(const QByteArrayList& arguments, Answer answer = {});
  void setStallMs(int ms) { stallMs_ = ms; }

 Q_SIGNALS:
  void connected();
  void lost(const QString& why);

 private:
  void connectNow();
  void dropped(const QString& why);
  void retryLater();
  void watch(bool reading, bool on);
  void checkStall();
  static void onConnect(const redisAsyncContext* context, int status);
  static void onDisconnect(const redisAsyncContext* context, int status);
  static void onReply(redisAsyncContext* context, void* reply, void* answer);

  QString host_;
  quint16 port_;
  redisAsyncContext* context_ = nullptr;
  // The connection's socket, watched while hiredis wants to read or write;
  // let go of later, as they may be in the middle of telling.
  QSocketNotifier* reader_ = nullptr;
  QSocketNotifier* writer_ = nullptr;
  bool connected_ = false;
  bool closing_ = false;
  QTimer retry_;
  int retryMs_ = 0;
  QTimer stall_;
  int stallMs_ = 3000;
  int waiting_ = 0;      // commands sent and not yet answered
  QElapsedTimer heard_;  // since Redis last answered
};

}  // namespace tavolix::server
