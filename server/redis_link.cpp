// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "redis_link.h"

#include <hiredis/async.h>
#include <hiredis/hiredis.h>

#include <utility>

#include <QSocketNotifier>

namespace tavolix::server {

namespace {

constexpr int kFirstRetryMs = 100;
constexpr int kLongestRetryMs = 2000;

RedisReply readReply(const redisReply* r) {
  RedisReply out;
  if (r == nullptr) return out;
  switch (r->type) {
    case REDIS_REPLY_NIL:
      out.kind = RedisReply::Kind::Nil;
      break;
    case REDIS_REPLY_STATUS:
      out.kind = RedisReply::Kind::Status;
      out.text = QByteArray(r->str, static_cast<qsizetype>(r->len));
      break;
    case REDIS_REPLY_ERROR:
      out.kind = RedisReply::Kind::Error;
      out.text = QByteArray(r->str, static_cast<qsizetype>(r->len));
      break;
    case REDIS_REPLY_INTEGER:
      out.kind = RedisReply::Kind::Integer;
      out.integer = r->integer;
      break;
    case REDIS_REPLY_STRING:
      out.kind = RedisReply::Kind::Text;
      out.text = QByteArray(r->str, static_cast<qsizetype>(r->len));
      break;
    case REDIS_REPLY_ARRAY:
      out.kind = RedisReply::Kind::Array;
      for (std::size_t k = 0; k < r->elements; ++k)
        out.elements.push_back(readReply(r->element[k]));
      break;
    default:
      out.kind = RedisReply::Kind::Error;
      out.text = "an answer of an unknown kind";
  }
  return out;
}

RedisLink* linkOf(const redisAsyncContext* context) {
  return static_cast<RedisLink*>(context->data);
}

}  // namespace

RedisLink::RedisLink(QString host, quint16 port, QObject* parent)
    : QObject(parent), host_(std::move(host)), port_(port) {
  retry_.setSingleShot(true);
  connect(&retry_, &QTimer::timeout, this, &RedisLink::connectNow);
  stall_.setInterval(250);
  connect(&stall_, &QTimer::timeout, this, &RedisLink::checkStall);
}

RedisLink::~RedisLink() {
  closing_ = true;
  if (context_ != nullptr) {
    // Every command still waiting is answered Lost, then the context goes.
    redisAsyncContext* context = std::exchange(context_, nullptr);
    context->data = nullptr;
    redisAsyncFree(context);
  }
  delete reader_;
  delete writer_;
}

void RedisLink::open() {
  if (context_ == nullptr && !retry_.isActive()) connectNow();
}

void RedisLink::connectNow() {
  redisAsyncContext* context = redisAsyncConnect(host_.toUtf8().constData(), port_);
  if (context == nullptr) return retryLater();
  if (context->err != 0) {
    redisAsyncFree(context);
    return retryLater();
  }
  context_ = context;
  context->data = this;
  context->ev.data = this;
  context->ev.addRead = [](void* link) { static_cast<RedisLink*>(link)->watch(true, true); };
  context->ev.delRead = [](void* link) { static_cast<RedisLink*>(link)->watch(true, false); };
  context->ev.addWrite = [](void* link) { static_cast<RedisLink*>(link)->watch(false, true); };
  context->ev.delWrite = [](void* link) { static_cast<RedisLink*>(link)->watch(false, false); };
  context->ev.cleanup = [](void* link) {
    auto* self = static_cast<RedisLink*>(link);
    self->watch(true, false);
    self->watch(false, false);
  };
  redisAsyncSetConnectCallback(context, &RedisLink::onConnect);
  redisAsyncSetDisconnectCallback(context, &RedisLink::onDisconnect);
  // Connecting is finished when the socket can be written to.
  watch(false, true);
}

void RedisLink::watch(bool reading, bool on) {
  QSocketNotifier*& notifier = reading ? reader_ : writer_;
  if (!on) {
    if (notifier != nullptr) notifier->setEnabled(false);
    return;
  }
  if (context_ == nullptr) return;
  const auto fd = static_cast<qintptr>(context_->c.fd);
  if (notifier != nullptr && notifier->socket() != fd) {
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
  }
  if (notifier == nullptr) {
    notifier =
        new QSocketNotifier(fd, reading ? QSocketNotifier::Read : QSocketNotifier::Write, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, reading] {
      if (context_ == nullptr) return;
      if (reading) {
        redisAsyncHandleRead(context_);
      } else {
        redisAsyncHandleWrite(context_);
      }
    });
  }
  notifier->setEnabled(true);
}

void RedisLink::onConnect(const redisAsyncContext* context, int status) {
  RedisLink* self = linkOf(context);
  if (self == nullptr) return;
  if (status != REDIS_OK) {
    // hiredis frees the context itself after this.
    self->context_ = nullptr;
    self->watch(true, false);
    self->watch(false, false);
    return self->retryLater();
  }
  self->connected_ = true;
  self->retryMs_ = 0;
  self->heard_.start();
  self->stall_.start();
  Q_EMIT self->connected();
}

void RedisLink::onDisconnect(const redisAsyncContext* context, int status) {
  RedisLink* self = linkOf(context);
  if (self == nullptr) return;
  self->context_ = nullptr;  // hiredis frees it after this
  self->dropped(status == REDIS_OK ? QStringLiteral("closed") : QString::fromUtf8(context->errstr));
}

void RedisLink::dropped(const QString& why) {
  watch(true, false);
  watch(false, false);
  stall_.stop();
  const bool was = connected_;
  connected_ = false;
  if (closing_) return;
  if (was) Q_EMIT lost(why);
  retryLater();
}

void RedisLink::retryLater() {
  if (closing_) return;
  retryMs_ = retryMs_ == 0 ? kFirstRetryMs : std::min(retryMs_ * 2, kLongestRetryMs);
  retry_.start(retryMs_);
}

void RedisLink::checkStall() {
  if (context_ == nullptr || waiting_ == 0) {
    heard_.restart();
    return;
  }
  if (heard_.elapsed() < stallMs_) return;
  // Whatever came while this program was kept from running is read first: a
  // busy machine is not a silent Redis.
  redisAsyncHandleRead(context_);
  if (context_ == nullptr || waiting_ == 0 || heard_.elapsed() < stallMs_) return;
  // Redis holds the commands and says nothing: as good as gone.
  const QString why = QStringLiteral("no answer for %1 ms").arg(stallMs_);
  redisAsyncContext* context = std::exchange(context_, nullptr);
  context->data = nullptr;
  redisAsyncFree(context);  // answers every waiting command Lost
  dropped(why);
}

void RedisLink::command(const QByteArrayList& arguments, Answer answer) {
  if (context_ == nullptr || !connected_) {
    if (answer) answer(RedisReply{});
    return;
  }
  std::vector<const char*> argv;
  std::vector<std::size_t> lengths;
  for (const QByteArray& a : arguments) {
    argv.push_back(a.constData());
    lengths.push_back(static_cast<std::size_t>(a.size()));
  }
  if (waiting_ == 0) heard_.restart();
  auto* held = new std::pair<RedisLink*, Answer>(this, std::move(answer));
  if (redisAsyncCommandArgv(context_, &RedisLink::onReply, held, static_cast<int>(argv.size()),
                            argv.data(), lengths.data()) != REDIS_OK) {
    RedisLink::Answer failed = std::move(held->second);
    delete held;
    if (failed) failed(RedisReply{});
    return;
  }
  ++waiting_;
}

void RedisLink::onReply(redisAsyncContext*, void* reply, void* held) {
  auto* pair = static_cast<std::pair<RedisLink*, Answer>*>(held);
  RedisLink* self = pair->first;
  Answer answer = std::move(pair->second);
  delete pair;
  if (self != nullptr) {
    --self->waiting_;
    self->heard_.restart();
  }
  if (answer) answer(readReply(static_cast<redisReply*>(reply)));
}

}  // namespace tavolix::server
