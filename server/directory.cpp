// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "directory.h"

namespace tavolix::server {

namespace {

// KEYS: the leases; ARGV: this server's id, the lease in ms, the prefix, then
// the codes. For each lease, 1 when it is this server's and was renewed, or
// nobody's (Redis restarted empty, or this server was slow) and taken again;
// 0 when another server holds it, or the table is over.
constexpr char kRenew[] = R"lua(
local renewed = {}
for k = 1, #KEYS do
  local holder = redis.call('GET', KEYS[k])
  if holder == ARGV[1] then
    redis.call('PEXPIRE', KEYS[k], ARGV[2])
    renewed[k] = 1
  elseif not holder and redis.call('EXISTS', ARGV[3] .. 'over:' .. ARGV[3 + k]) == 0 then
    redis.call('SET', KEYS[k], ARGV[1], 'PX', ARGV[2])
    renewed[k] = 1
  else
    renewed[k] = 0
  end
end
return renewed
)lua";

// KEYS: the lease, the table, the list of tables; ARGV: this server's id, the
// version, the file, the code. 1 written, -1 not the holder, -2 not newer.
constexpr char kSave[] = R"lua(
if redis.call('GET', KEYS[1]) ~= ARGV[1] then return -1 end
local kept = tonumber(redis.call('HGET', KEYS[2], 'version') or '0')
if tonumber(ARGV[2]) <= kept then return -2 end
redis.call('HSET', KEYS[2], 'version', ARGV[2], 'file', ARGV[3])
redis.call('SADD', KEYS[3], ARGV[4])
return 1
)lua";

// KEYS: the lease, the table's end; ARGV: this server's id, the lease in ms.
// 1 when the lease is this server's now; 0 when another's, or the table is over.
constexpr char kClaim[] = R"lua(
if redis.call('EXISTS', KEYS[2]) == 1 then return 0 end
if redis.call('SET', KEYS[1], ARGV[1], 'NX', 'PX', ARGV[2]) then return 1 end
if redis.call('GET', KEYS[1]) == ARGV[1] then
  redis.call('PEXPIRE', KEYS[1], ARGV[2])
  return 1
end
return 0
)lua";

// KEYS: the lease, the table, the list of tables, the table's end; ARGV: this
// server's id, the code, whether the record goes too. A table that is over is
// marked so for a day, so that no server that slept through its end takes it again.
constexpr char kRelease[] = R"lua(
if redis.call('GET', KEYS[1]) ~= ARGV[1] then return 0 end
redis.call('DEL', KEYS[1])
if ARGV[3] == '1' then
  redis.call('DEL', KEYS[2])
  redis.call('SREM', KEYS[3], ARGV[2])
  redis.call('SET', KEYS[4], '1', 'EX', 86400)
end
return 1
)lua";

// ARGV: the prefix. The codes in the list of tables whose lease nobody holds.
constexpr char kOrphans[] = R"lua(
local found = {}
for _, code in ipairs(redis.call('SMEMBERS', ARGV[1] .. 'tables')) do
  if redis.call('EXISTS', ARGV[1] .. 'lease:' .. code) == 0 then
    table.insert(found, code)
  end
end
return found
)lua";

constexpr char kPrefix[] = "tavolix:";

QByteArray number(qint64 n) { return QByteArray::number(n); }

}  // namespace

Directory::Directory(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)), link_(options_.host, options_.port, this) {
  renewal_.setInterval(std::max(100, options_.leaseMs / 3));
  connect(&renewal_, &QTimer::timeout, this, &Directory::renew);
  connect(&link_, &RedisLink::connected, this, [this] {
    renew();
    renewal_.start();
    Q_EMIT connected();
  });
  connect(&link_, &RedisLink::lost, this, [this](const QString& why) {
    renewal_.stop();
    Q_EMIT lost(why);
  });
}

QByteArray Directory::key(const char* kind, const QString& name) const {
  return QByteArray(kPrefix) + kind + ':' + name.toUtf8();
}

void Directory::start() { link_.open(); }

void Directory::renew() {
  link_.command({"SET", key("server", options_.serverId), options_.address.toUtf8(), "PX",
                 number(options_.leaseMs)});
  if (held_.isEmpty()) return;
  const QStringList codes(held_.begin(), held_.end());
  QByteArrayList command{"EVAL", kRenew, number(codes.size())};
  for (const QString& code : codes) command << key("lease", code);
  command << options_.serverId.toUtf8() << number(options_.leaseMs) << kPrefix;
  for (const QString& code : codes) command << code.toUtf8();
  link_.command(command, [this, codes](const RedisReply& reply) {
    if (reply.kind != RedisReply::Kind::Array) return;  // tried again at the next renewal
    for (int k = 0; k < codes.size() && k < static_cast<int>(reply.elements.size()); ++k) {
      if (reply.elements[static_cast<std::size_t>(k)].integer == 1) continue;
      held_.remove(codes[k]);
      Q_EMIT leaseLost(codes[k]);
    }
  });
}

void Directory::claim(const QString& code, std::function<void(bool)> answer) {
  link_.command({"EVAL", kClaim, "2", key("lease", code), key("over", code),
                 options_.serverId.toUtf8(), number(options_.leaseMs)},
                [this, code, answer = std::move(answer)](const RedisReply& reply) {
                  const bool ours = reply.kind == RedisReply::Kind::Integer && reply.integer == 1;
                  if (ours) held_.insert(code);
                  if (answer) answer(ours);
                });
}

void Directory::save(const QString& code, qint64 version, const QByteArray& file,
                     std::function<void(Saved)> answer) {
  link_.command(
      {"EVAL", kSave, "3", key("lease", code), key("table", code), QByteArray(kPrefix) + "tables",
       options_.serverId.toUtf8(), number(version), file, code.toUtf8()},
      [this, code, answer = std::move(answer)](const RedisReply& reply) {
        Saved saved = Saved::Unreachable;
        if (reply.kind == RedisReply::Kind::Integer) {
          saved = reply.integer == 1    ? Saved::Written
                  : reply.integer == -1 ? Saved::NotHolder
                                        : Saved::NotNewer;
        }
        if (saved == Saved::NotHolder && held_.remove(code)) Q_EMIT leaseLost(code);
        if (answer) answer(saved);
      });
}

void Directory::load(const QString& code, std::function<void(std::optional<Kept>)> answer) {
  link_.command({"HMGET", key("table", code), "version", "file"},
                [answer = std::move(answer)](const RedisReply& reply) {
                  if (reply.kind != RedisReply::Kind::Array || reply.elements.size() != 2 ||
                      reply.elements[1].kind != RedisReply::Kind::Text)
                    return answer(std::nullopt);
                  bool ok = false;
                  const qint64 version = reply.elements[0].text.toLongLong(&ok);
                  if (!ok) return answer(std::nullopt);
                  answer(Kept{version, reply.elements[1].text});
                });
}

void Directory::locate(const QString& code, std::function<void(Location)> answer) {
  // The holder, whether the table is kept, and the holder's address, in turn.
  link_.command({"GET", key("lease", code)}, [this, code,
                                              answer = std::move(answer)](const RedisReply& held) {
    if (!held.ok()) return answer(Location{});
    const QString holder =
        held.kind == RedisReply::Kind::Text ? QString::fromUtf8(held.text) : QString();
    link_.command({"SISMEMBER", QByteArray(kPrefix) + "tables", code.toUtf8()},
                  [this, holder, answer](const RedisReply& kept) {
                    Location where;
                    where.exists = kept.kind == RedisReply::Kind::Integer && kept.integer == 1;
                    where.holder = holder;
                    if (holder.isEmpty()) return answer(where);
                    where.exists = true;
                    link_.command({"GET", key("server", holder)},
                                  [where, answer](const RedisReply& address) mutable {
                                    if (address.kind == RedisReply::Kind::Text)
                                      where.address = QString::fromUtf8(address.text);
                                    answer(where);
                                  });
                  });
  });
}

void Directory::orphans(std::function<void(QStringList)> answer) {
  link_.command({"EVAL", kOrphans, "0", kPrefix},
                [answer = std::move(answer)](const RedisReply& r) {
                  QStringList codes;
                  for (const RedisReply& e : r.elements) codes << QString::fromUtf8(e.text);
                  answer(codes);
                });
}

void Directory::forget(const QString& code) {
  held_.remove(code);
  link_.command({"EVAL", kRelease, "4", key("lease", code), key("table", code),
                 QByteArray(kPrefix) + "tables", key("over", code), options_.serverId.toUtf8(),
                 code.toUtf8(), "1"});
}

void Directory::letGo(const QString& code) {
  held_.remove(code);
  link_.command({"EVAL", kRelease, "4", key("lease", code), key("table", code),
                 QByteArray(kPrefix) + "tables", key("over", code), options_.serverId.toUtf8(),
                 code.toUtf8(), "0"});
}

}  // namespace tavolix::server
