// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// What the table servers share in Redis, against a redis-server of the test's
// own: leases held by one server at a time, taken by another once they run
// out, files written only by the holder and only at a newer version, and a
// Redis that goes away, or stops answering, waited for and taken up again.
#include <gtest/gtest.h>

#include <optional>

#include "redis_process.h"
#include "server/directory.h"
#include "server_process.h"

namespace tavolix::server {
namespace {

using testing::RedisProcess;
using testing::waitFor;

// The codes a directory says it has lost.
struct LostLeases {
  explicit LostLeases(Directory& d) {
    QObject::connect(&d, &Directory::leaseLost, [this](const QString& code) { codes << code; });
  }
  QStringList codes;
};

// How often a directory lost Redis and found it again.
struct Links {
  explicit Links(Directory& d) {
    QObject::connect(&d, &Directory::lost, [this] { ++lost; });
    QObject::connect(&d, &Directory::connected, [this] { ++back; });
  }
  int lost = 0;
  int back = 0;
};

class DirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RedisProcess::program().isEmpty()) GTEST_SKIP() << "redis-server is not installed";
    ASSERT_TRUE(redis.ready()) << redis.log().toStdString();
  }

  std::unique_ptr<Directory> server(const QString& id, int leaseMs = 6000) {
    Directory::Options options;
    options.port = redis.port();
    options.serverId = id;
    options.address = QStringLiteral("ws://127.0.0.1:%1").arg(id == QLatin1String("a") ? 1 : 2);
    options.leaseMs = leaseMs;
    auto directory = std::make_unique<Directory>(options);
    directory->start();
    EXPECT_TRUE(waitFor([&] { return directory->isConnected(); }, 20));
    return directory;
  }

  // Each call's answer, waited for.
  bool claim(Directory& d, const QString& code) {
    std::optional<bool> got;
    d.claim(code, [&](bool ours) { got = ours; });
    EXPECT_TRUE(waitFor([&] { return got.has_value(); }, 20));
    return got.value_or(false);
  }
  Directory::Saved save(Directory& d, const QString& code, qint64 version, const QByteArray& file) {
    std::optional<Directory::Saved> got;
    d.save(code, version, file, [&](Directory::Saved saved) { got = saved; });
    EXPECT_TRUE(waitFor([&] { return got.has_value(); }, 20));
    return got.value_or(Directory::Saved::Unreachable);
  }
  std::optional<Directory::Kept> load(Directory& d, const QString& code) {
    std::optional<std::optional<Directory::Kept>> got;
    d.load(code, [&](std::optional<Directory::Kept> kept) { got = std::move(kept); });
    EXPECT_TRUE(waitFor([&] { return got.has_value(); }, 20));
    return got.value_or(std::nullopt);
  }
  Directory::Location locate(Directory& d, const QString& code) {
    std::optional<Directory::Location> got;
    d.locate(code, [&](Directory::Location where) { got = where; });
    EXPECT_TRUE(waitFor([&] { return got.has_value(); }, 20));
    return got.value_or(Directory::Location{});
  }
  QStringList orphans(Directory& d) {
    std::optional<QStringList> got;
    d.orphans([&](QStringList codes) { got = codes; });
    EXPECT_TRUE(waitFor([&] { return got.has_value(); }, 20));
    return got.value_or(QStringList{});
  }

  RedisProcess redis;
};

TEST_F(DirectoryTest, OneHolderATableAndOnlyItWritesEachVersionOnce) {
  auto a = server(QStringLiteral("a"));
  auto b = server(QStringLiteral("b"));
  const QString code = QStringLiteral("K7QW2M9X");
  EXPECT_FALSE(locate(*b, code).exists);
  EXPECT_TRUE(claim(*a, code));
  EXPECT_TRUE(claim(*a, code));  // already its own
  EXPECT_FALSE(claim(*b, code));

  EXPECT_EQ(save(*a, code, 1, "first"), Directory::Saved::Written);
  EXPECT_EQ(save(*a, code, 1, "again"), Directory::Saved::NotNewer);
  EXPECT_EQ(save(*a, code, 0, "older"), Directory::Saved::NotNewer);
  EXPECT_EQ(save(*b, code, 2, "not b's"), Directory::Saved::NotHolder);
  EXPECT_EQ(save(*a, code, 2, "second"), Directory::Saved::Written);
  const auto kept = load(*b, code);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->version, 2);
  EXPECT_EQ(kept->file, "second");

  // Found from the other server: who holds it and where players reach it.
  const Directory::Location where = locate(*b, code);
  EXPECT_TRUE(where.exists);
  EXPECT_EQ(where.holder, QStringLiteral("a"));
  EXPECT_EQ(where.address, QStringLiteral("ws://127.0.0.1:1"));
  EXPECT_TRUE(orphans(*b).isEmpty());

  // Over: the record goes, but only by its holder's word.
  b->forget(code);
  EXPECT_TRUE(locate(*a, code).exists);
  a->forget(code);
  EXPECT_TRUE(waitFor([&] { return !locate(*b, code).exists; }, 20));
  EXPECT_FALSE(load(*b, code).has_value());
  // And nobody takes it again, not even a server that slept through its end.
  EXPECT_FALSE(claim(*b, code));
  EXPECT_FALSE(claim(*a, code));
}

// A server that dies holds its tables no longer than its lease: another takes
// them, with the file at the last version; the dead one, woken up, can write
// nothing more, and learns it has lost the table.
TEST_F(DirectoryTest, ALeaseNotRenewedIsTakenByAnotherAndTheStaleHolderWritesNothing) {
  const QString code = QStringLiteral("P3HV8RTA");
  auto a = server(QStringLiteral("a"), 2000);
  auto b = server(QStringLiteral("b"), 2000);
  ASSERT_TRUE(claim(*a, code));
  ASSERT_EQ(save(*a, code, 7, "seven"), Directory::Saved::Written);
  // Renewed by its holder: the time left on the lease goes up again.
  LostLeases lostByA(*a);
  const auto timeLeft = [&] {
    std::optional<long long> ms;
    b->link().command({"PTTL", "tavolix:lease:" + code.toUtf8()},
                      [&](const RedisReply& r) { ms = r.integer; });
    waitFor([&] { return ms.has_value(); }, 20);
    return ms.value_or(-1);
  };
  long long before = timeLeft();
  EXPECT_GT(before, 0);
  EXPECT_TRUE(waitFor(
      [&] {
        const long long now = timeLeft();
        return now > before || (before = now, false);
      },
      20));
  EXPECT_FALSE(claim(*b, code));
  EXPECT_TRUE(lostByA.codes.isEmpty());

  // A stale copy of a (the same id, its renewals stopped) stands for a
  // server paused past its lease; the live one goes.
  auto stale = server(QStringLiteral("a"), 2000);
  a.reset();
  ASSERT_TRUE(waitFor([&] { return orphans(*b).contains(code); }, 20));
  ASSERT_TRUE(claim(*b, code));
  const auto kept = load(*b, code);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->version, 7);
  EXPECT_EQ(save(*stale, code, 8, "stale"), Directory::Saved::NotHolder);
  EXPECT_EQ(save(*b, code, 8, "eight"), Directory::Saved::Written);
  EXPECT_EQ(load(*b, code)->file, "eight");
  EXPECT_EQ(locate(*stale, code).holder, QStringLiteral("b"));

  // A holder that finds its lease free when it renews (Redis restarted
  // empty) takes it again; one that finds it another's is told.
  LostLeases lostByB(*b);
  b->link().command({"DEL", "tavolix:lease:" + code.toUtf8()});
  EXPECT_TRUE(waitFor([&] { return locate(*stale, code).holder == QLatin1String("b"); }, 20));
  b->link().command({"SET", "tavolix:lease:" + code.toUtf8(), "c"});
  ASSERT_TRUE(waitFor([&] { return !lostByB.codes.isEmpty(); }, 20));
  EXPECT_EQ(lostByB.codes, QStringList{code});
  EXPECT_EQ(save(*b, code, 9, "nine"), Directory::Saved::NotHolder);
}

// Redis restarted: what was asked meanwhile is answered as unreachable (never
// as done), and the servers carry on once it is back, listed again.
TEST_F(DirectoryTest, ARedisThatGoesAwayOrStopsAnsweringIsWaitedForAndTakenUpAgain) {
  auto a = server(QStringLiteral("a"));
  a->link().setStallMs(1000);
  Links links(*a);
  const QString code = QStringLiteral("Z9M4KC2D");
  ASSERT_TRUE(claim(*a, code));

  redis.stop();
  ASSERT_TRUE(waitFor([&] { return links.lost > 0; }, 20));
  EXPECT_EQ(save(*a, code, 1, "while away"), Directory::Saved::Unreachable);
  EXPECT_FALSE(claim(*a, QStringLiteral("AAAAAAAA")));
  redis.start();  // empty: it kept nothing
  ASSERT_TRUE(redis.ready());
  ASSERT_TRUE(waitFor([&] { return links.back > 0 && a->isConnected(); }, 20));
  EXPECT_TRUE(waitFor([&] { return locate(*a, QStringLiteral("X")).holder.isEmpty(); }, 5));
  EXPECT_TRUE(claim(*a, code));
  EXPECT_EQ(save(*a, code, 1, "back"), Directory::Saved::Written);

  // Paused: the commands waiting are answered Lost after the stall, not held for ever.
  links.lost = 0;
  redis.pause();
  std::optional<Directory::Saved> saved;
  a->save(code, 2, "paused", [&](Directory::Saved s) { saved = s; });
  ASSERT_TRUE(waitFor([&] { return saved.has_value(); }, 20));
  EXPECT_EQ(*saved, Directory::Saved::Unreachable);
  EXPECT_EQ(links.lost, 1);
  redis.resume();
  ASSERT_TRUE(waitFor([&] { return a->isConnected(); }, 20));
  // Unreachable is not "not written": Redis may yet have done what it had
  // read. Versions only go up, so the next one is written over it either way.
  EXPECT_EQ(save(*a, code, 3, "resumed"), Directory::Saved::Written);
  const auto kept = load(*a, code);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->version, 3);
  EXPECT_EQ(kept->file, "resumed");
}

}  // namespace
}  // namespace tavolix::server
