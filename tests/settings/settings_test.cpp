// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The options store: its keys and its failures, and what a run starts with.
#include <cstdio>
#include <functional>
#include <optional>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "settings/settings_config.h"
#include "support/hostile_disk.h"
#include "support/qt_printers.h"

namespace tavolix {
namespace {

// A store in a temporary folder of its own, and the file as another program
// (or a player with an editor) would leave it.
class StoreTest : public ::testing::Test {
 protected:
  QString path() const { return dir_.filePath(QStringLiteral("Tavolix.conf")); }
  void put(const QString& key, const QVariant& value) {
    QSettings(path(), QSettings::IniFormat).setValue(key, value);
  }
  void putRule(const QString& key, const QString& value) {
    put(QStringLiteral("Opc/") + key, value);
  }
  QByteArray file() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QString read(RegistryKey key, const char16_t* name, const char16_t* byDefault) const {
    return store_.LeRegistro(key, name, byDefault);
  }
  Settings atStartUp() const {
    Settings settings;
    LeConfig(store_, settings);
    return settings;
  }
  Settings beforeAMatch() const {
    Settings settings = atStartUp();
    GetConfig(store_, settings);
    return settings;
  }

  QTemporaryDir dir_;
  SettingsStore store_ = SettingsStore::iniFile(path());
};

TEST_F(StoreTest, MissingEmptyOrUnreadableValuesGiveTheDefault) {
  EXPECT_EQ(read(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("15"));
  EXPECT_EQ(read(RegistryKey::Main, u"TocarSom", u"tRuE"),
            QStringLiteral("1"));    // a default of true reads "1"
  put(QStringLiteral("Veloc"), 12);  // a number
  put(QStringLiteral("cpu1"), QStringList{QStringLiteral("Ana"), QStringLiteral("Bia")});
  put(QStringLiteral("cpu2"), QByteArray("\x01\x02", 2));  // binary data
  put(QStringLiteral("cpu3"), QString(1024, u'b'));        // longer than a value may be
  put(QStringLiteral("jog"), QString());
  EXPECT_EQ(read(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("12"));
  EXPECT_EQ(read(RegistryKey::Main, u"cpu1", u"x"), QStringLiteral("Ana, Bia"));
  EXPECT_EQ(read(RegistryKey::Main, u"cpu2", u"Melira"), QStringLiteral("Melira"));
  EXPECT_EQ(read(RegistryKey::Main, u"cpu3", u"Astelo"), QStringLiteral("Astelo"));
  EXPECT_EQ(read(RegistryKey::Main, u"jog", u"Ana"), QStringLiteral("Ana"));
  // A text with a NUL in it, as the old program's fixed-length strings kept it: up to the NUL.
  put(QStringLiteral("jog"), QStringLiteral("Bia") + QChar(u'\0') + QStringLiteral("xyz"));
  EXPECT_EQ(read(RegistryKey::Main, u"jog", u"Ana"), QStringLiteral("Bia"));
  // A NUL first: nothing before it, so nothing kept.
  put(QStringLiteral("jog"), QChar(u'\0') + QStringLiteral("xyz"));
  EXPECT_EQ(read(RegistryKey::Main, u"jog", u"Ana"), QStringLiteral("Ana"));
}

TEST_F(StoreTest, NamesMatchInAnyCaseAndTheRulesKeyIsItsOwn) {
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"PedraX", QStringLiteral("1")));
  EXPECT_EQ(read(RegistryKey::Main, u"Pedrax", u"0"), QStringLiteral("1"));
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"pedrax",
                                   QStringLiteral("0")));  // replaces, adds nothing
  EXPECT_EQ(file().toLower().count("pedrax"), 1);
  store_.GravaRegistro(RegistryKey::Main, u"PontosLimit", QStringLiteral("100"));
  store_.GravaRegistro(RegistryKey::Opc, u"PontosLimit", QStringLiteral("150"));
  EXPECT_EQ(read(RegistryKey::Main, u"PontosLimit", u"4"), QStringLiteral("100"));
  EXPECT_EQ(read(RegistryKey::Opc, u"PontosLimit", u"4"), QStringLiteral("150"));
  const QString name = QStringLiteral("João Ñ, \"the\" = best; #1");
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"jog", name));
  EXPECT_EQ(read(RegistryKey::Main, u"jog", u""), name);
}

TEST_F(StoreTest, AGarbledFileGivesDefaultsAndIsStillWritten) {
  QFile garbled(path());
  ASSERT_TRUE(garbled.open(QIODevice::WriteOnly));
  for (int i = 0; i < 4096; ++i) garbled.putChar(static_cast<char>((i * 7919) % 251));
  garbled.write("\n[Opc\n=\n==\nVeloc\n[]\n");
  garbled.close();
  EXPECT_EQ(beforeAMatch().Veloc, 15);
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Opc, u"TipoJogo", QStringLiteral("2")));
  EXPECT_EQ(read(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("2"));
}

TEST_F(StoreTest, WhatCannotBeSavedIsKeptForTheSessionWithOneWarning) {
  ASSERT_TRUE(QDir().mkpath(path()));  // a folder where the file should be
  testing::internal::CaptureStderr();
  EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
  EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Opc, u"TipoJogo", QStringLiteral("2")));
  EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Main, u"veloc", QStringLiteral("21")));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cannot be saved"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(read(RegistryKey::Main, u"VELOC", u"15"), QStringLiteral("21"));
  EXPECT_EQ(read(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("2"));
}

// A settings file far larger than the game ever writes (tens of megabytes of
// garbage, or thousands of keys) is set aside unread, with one warning, and the
// game starts with its defaults; a file within the bound keeps every value.
TEST_F(StoreTest, AnOversizedFileIsSetAsideAndTheDefaultsUsed) {
  const auto writeFile = [this](const QByteArray& head, qint64 bytes) {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(head);
    QByteArray line("k0000000=aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\n");
    for (qint64 n = head.size(); n < bytes; n += line.size()) {
      std::memcpy(line.data() + 1, QByteArray::number(n % 9999999).rightJustified(7, '0').data(),
                  7);
      f.write(line);
    }
  };
  const QByteArray players("[General]\nVeloc=9\njog=Ana\n[Opc]\nTipoJogo=2\n");
  // Just within the bound of a mebibyte: read as it is.
  writeFile(players, 1024 * 1024 - 100);
  {
    const SettingsStore within = SettingsStore::iniFile(path());
    EXPECT_TRUE(within.setAside().isEmpty());
    EXPECT_EQ(within.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("9"));
    EXPECT_EQ(within.LeRegistro(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("2"));
  }
  for (const qint64 bytes : {qint64{1024} * 1024 + 100, qint64{50} * 1024 * 1024}) {
    writeFile(players, bytes);
    const qint64 size = QFileInfo(path()).size();
    testing::internal::CaptureStderr();
    SettingsStore oversized = SettingsStore::iniFile(path());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("set aside"), std::string::npos) << said;
    ASSERT_FALSE(oversized.setAside().isEmpty());
    EXPECT_EQ(QFileInfo(oversized.setAside()).size(), size);  // kept whole, for the player
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_EQ(oversized.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("15"));
    EXPECT_TRUE(oversized.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
    EXPECT_LT(QFileInfo(path()).size(), 100);  // a fresh file with what is saved from now on
    QFile::remove(oversized.setAside());
  }
}

#ifdef Q_OS_UNIX
// Far too large, in a folder where it cannot be moved aside: the file is not
// read and not written over, the player is told once, and what is chosen lasts
// for the session.
TEST(Unsaveable, AnOversizedFileThatCannotBeMovedAsideIsLeftAsItIs) {
  QTemporaryDir root;
  ASSERT_TRUE(QFile::setPermissions(
      root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                       QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
  AsOrdinaryUser user;
  const QString folder = root.filePath(QStringLiteral("locked"));
  const QString file = folder + QStringLiteral("/Tavolix.conf");
  ASSERT_TRUE(QDir().mkpath(folder));
  {
    QFile big(file);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("[General]\nVeloc=9\n");
    big.write(QByteArray(2 * 1024 * 1024, ';'));
  }
  const qint64 size = QFileInfo(file).size();
  ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  testing::internal::CaptureStderr();
  {
    SettingsStore store = SettingsStore::iniFile(file);
    EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("15"));
    EXPECT_FALSE(store.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
    EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("20"));
  }
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cannot be moved aside"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(QFileInfo(file).size(), size);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Every way a save can fail without the store being told at once: a read-only
// file, a read-only folder (no room for the lock and the new copy), a file of
// another user, a full disk. Each time the save is reported as failed, the
// player is told once, and the value lasts for the session.
TEST(Unsaveable, EveryFailureToSaveIsToldAndTheValueKept) {
  QTemporaryDir root;
  ASSERT_TRUE(QFile::setPermissions(
      root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                       QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
  const bool asRoot = geteuid() == 0;
  const auto check = [&root](const char* name, const std::function<void(const QString&)>& spoil) {
    SCOPED_TRACE(name);
    const QString folder = root.filePath(QString::fromLatin1(name));
    const QString file = folder + QStringLiteral("/Tavolix.conf");
    {
      AsOrdinaryUser user;
      ASSERT_TRUE(QDir().mkpath(folder));
      QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Veloc"), QStringLiteral("9"));
      SettingsStore store = SettingsStore::iniFile(file);
      ASSERT_EQ(store.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("9"));
      spoil(file);
      const std::string said = stderrOf([&store] {
        EXPECT_FALSE(store.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
        EXPECT_FALSE(store.GravaRegistro(RegistryKey::Opc, u"TipoJogo", QStringLiteral("2")));
      });
      EXPECT_NE(said.find("cannot be saved in " + file.toStdString()), std::string::npos) << said;
      EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
      EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("20"));
      EXPECT_EQ(store.LeRegistro(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("2"));
    }
    // What is on disk is what was there before.
    QFile stored(file);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll().contains("Veloc=9"));
  };
  check("read-only-file", [](const QString& file) {
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadOther));
  });
  check("read-only-folder", [](const QString& file) {
    ASSERT_TRUE(QFile::setPermissions(QFileInfo(file).path(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  });
  // The lock QSettings writes under can never be had: the save gives up at once.
  check("lock-is-a-folder",
        [](const QString& file) { ASSERT_TRUE(QDir().mkpath(file + QStringLiteral(".lock"))); });
  if (asRoot) {
    check("another-users-file", [](const QString& file) {
      // Root's own, readable by all: nobody may not write it, nor replace it.
      [[maybe_unused]] const int back = seteuid(0);
      ASSERT_EQ(chown(QFile::encodeName(file).constData(), 0, 0), 0);
      [[maybe_unused]] const int again = seteuid(AsOrdinaryUser::kNobody);
    });
  }
  // A full disk: no file may grow at all.
  std::optional<FullDisk> full;
  check("full-disk", [&full](const QString&) { full.emplace(); });
}
#endif

// Another program holding the lock QSettings writes under: the first save
// waits a moment for it, the next saves of the dialog give up at once (rather
// than freeze it once per value), and a save that goes through makes the
// store wait again the next time.
TEST_F(StoreTest, ALockHeldElsewhereIsWaitedForOnceUntilASaveGoesThrough) {
  SettingsStore store = SettingsStore::iniFile(path());
  std::vector<int> waits;
  store.setLockTrier([&waits](QLockFile& lock, int ms) {
    waits.push_back(ms);
    return lock.tryLock(ms);
  });
  const auto saveAll = [&store](const QString& speed) {
    int saved = 0;
    stderrOf([&] {
      saved += store.GravaRegistro(RegistryKey::Main, u"Veloc", speed);
      saved += store.GravaRegistro(RegistryKey::Opc, u"TipoJogo", speed);
      saved += store.GravaRegistro(RegistryKey::Opc, u"PontosLimit", speed);
    });
    return saved;
  };
  {
    QLockFile elsewhere(path() + QStringLiteral(".lock"));
    ASSERT_TRUE(elsewhere.tryLock(0));
    EXPECT_EQ(saveAll(QStringLiteral("20")), 0);
    ASSERT_EQ(waits.size(), 3u);
    EXPECT_GT(waits[0], 0);
    EXPECT_EQ(waits[1], 0);
    EXPECT_EQ(waits[2], 0);
  }
  waits.clear();
  EXPECT_EQ(saveAll(QStringLiteral("21")), 3);
  EXPECT_TRUE(file().contains("Veloc=21"));
  ASSERT_EQ(waits.size(), 3u);
  EXPECT_EQ(waits[0], 0);  // the lock is free: no wait needed
  EXPECT_GT(waits[1], 0);
  EXPECT_EQ(waits[2], waits[1]);

  QLockFile again(path() + QStringLiteral(".lock"));
  ASSERT_TRUE(again.tryLock(0));
  waits.clear();
  EXPECT_EQ(saveAll(QStringLiteral("22")), 0);
  ASSERT_FALSE(waits.empty());
  EXPECT_GT(waits[0], 0);
}

// Closing the window saves its size, and a dialog confirmed saves each of its
// options: a value the store already holds is not written again, so that the
// file is not replaced (nor its lock waited for) when nothing changed. A value
// held only for the session, or under another spelling, is still written.
TEST_F(StoreTest, AValueTheStoreHoldsIsNotWrittenAgain) {
  int tries = 0;
  store_.setLockTrier([&tries](QLockFile& lock, int ms) {
    ++tries;
    return lock.tryLock(ms);
  });
  ASSERT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
  ASSERT_EQ(tries, 1);
  {
    QLockFile elsewhere(path() + QStringLiteral(".lock"));
    ASSERT_TRUE(elsewhere.tryLock(0));
    const std::string said = stderrOf([this] {
      EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
      // The same text under the other key is another value.
      EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Opc, u"Veloc", QStringLiteral("20")));
      EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("21")));
    });
    EXPECT_EQ(tries, 3);  // only the two that had to be written
    EXPECT_NE(said.find("cannot be saved"), std::string::npos) << said;
    EXPECT_TRUE(file().contains("Veloc=20"));
  }
  // 21 is held for the session; the file still says 20, and going back to 20
  // must reach the session too.
  ASSERT_EQ(read(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("21"));
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
  EXPECT_EQ(read(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("20"));
  EXPECT_EQ(tries, 4);

  // The same text under another spelling of the name is put under this one,
  // even beside this spelling, and the other goes.
  put(QStringLiteral("TocarSom"), QStringLiteral("1"));
  put(QStringLiteral("Tocarsom"), QStringLiteral("1"));
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"Tocarsom", QStringLiteral("1")));
  EXPECT_EQ(tries, 5);
  EXPECT_TRUE(file().contains("Tocarsom=1"));
  EXPECT_FALSE(file().contains("TocarSom"));
  EXPECT_TRUE(store_.GravaRegistro(RegistryKey::Main, u"Tocarsom", QStringLiteral("1")));
  EXPECT_EQ(tries, 5);
}

#ifdef Q_OS_UNIX
// A pipe where the settings file should be is never opened (that would block
// the start): the game says so once and plays with its defaults.
TEST_F(StoreTest, ASettingsPathThatIsNotAFileIsNeverRead) {
  ASSERT_EQ(mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
  std::optional<SettingsStore> opened;
  const std::string said = stderrOf([&opened, this] { opened = SettingsStore::iniFile(path()); });
  SettingsStore& store = *opened;
  EXPECT_NE(said.find("not a regular file"), std::string::npos) << said;
  EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("15"));
  const std::string again = stderrOf([&store] {
    EXPECT_FALSE(store.GravaRegistro(RegistryKey::Main, u"Veloc", QStringLiteral("20")));
  });
  EXPECT_EQ(again, "");  // told once
  EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"Veloc", u"15"), QStringLiteral("20"));
  EXPECT_TRUE(QFileInfo(path()).exists() && !QFileInfo(path()).isFile());
}
#endif

TEST_F(StoreTest, TheFirstRunPlaysWithTheDefaultsAndReadsNothingIn) {
  const Settings s = beforeAMatch();
  EXPECT_EQ(std::make_tuple(s.PedraX, s.Veloc, s.TocarSom, s.SentidoHorario, s.FecharSoNoNatural),
            std::make_tuple(std::int16_t{0}, std::int16_t{15}, true, true, true));
  EXPECT_EQ(std::make_tuple(s.TipoJogo, s.TipoRegra, s.TipoInicio, s.PontosLimit),
            std::make_tuple(std::int16_t{1}, std::int16_t{1}, std::int16_t{1}, std::int16_t{4}));
  EXPECT_EQ(s.Nomes, (std::array<std::string, 4>{"", "Zorvan", "Melira", "Astelo"}));
  // The table's marks on, tiles sliding, the usual computer level, in Portuguese.
  EXPECT_EQ(std::make_tuple(s.markTurn, s.markLastMove, s.reducedMotion, s.Ingles),
            std::make_tuple(true, true, false, false));
  EXPECT_EQ(s.opponents, ComputerLevel::Normal);
  EXPECT_TRUE(file().isEmpty());
}

TEST_F(StoreTest, StoredOptionsAreReadAsTheDialogsWriteThem) {
  put(QStringLiteral("PedraX"), QStringLiteral("1"));
  put(QStringLiteral("cpu2"), QStringLiteral("Bárbara"));
  put(QStringLiteral("cpu1"), QString());  // reads as the default name
  // Without what would garble it on the table.
  put(QStringLiteral("cpu3"), QStringLiteral("\u202EAs\ttelo\u2066"));
  Settings chosen;
  chosen.TipoJogo = 2;
  chosen.TipoRegra = 2;
  chosen.TipoInicio = 3;
  chosen.SentidoHorario = false;
  chosen.FecharSoNoNatural = false;
  chosen.PontosLimit = 200;
  writeRules(store_, chosen);
  const Settings s = beforeAMatch();
  EXPECT_EQ(std::make_tuple(s.TipoJogo, s.TipoRegra, s.TipoInicio, s.SentidoHorario,
                            s.FecharSoNoNatural, s.PontosLimit),
            std::make_tuple(chosen.TipoJogo, chosen.TipoRegra, chosen.TipoInicio, false, false,
                            chosen.PontosLimit));
  EXPECT_EQ(s.PedraBase(), 7);
  EXPECT_EQ(s.Nomes[1], "Zorvan");
  EXPECT_EQ(s.Nomes[2], "Bárbara");
  EXPECT_EQ(s.Nomes[3], "Astelo");
  EXPECT_TRUE(file().contains("SentidoHorario=False"));
}

TEST_F(StoreTest, StartUpBringsNumbersIntoWhatTheDialogsAllow) {
  // The main key's limit into 4..10; the rules key's as stored when the rules
  // dialog could have set it, otherwise (and by default) the scoring rule's own.
  const std::pair<const char16_t*, int> limits[] = {
      {u"0", 4}, {u"abc", 4}, {u"7", 7}, {u"10.5", 10}, {u"100", 10}};
  for (const auto& [text, limit] : limits) {
    put(QStringLiteral("PontosLimit"), QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().PontosLimit, limit) << QString::fromUtf16(text).toStdString();
  }
  putRule(QStringLiteral("TipoRegra"), QStringLiteral("2"));
  EXPECT_EQ(beforeAMatch().PontosLimit, 100);
  const std::pair<const char16_t*, int> rule2[] = {{u"-7", 100}, {u"0", 100},   {u"49", 100},
                                                   {u"50", 50},  {u"250", 250}, {u"251", 100}};
  for (const auto& [text, limit] : rule2) {
    putRule(QStringLiteral("PontosLimit"), QString::fromUtf16(text));
    EXPECT_EQ(beforeAMatch().PontosLimit, limit) << QString::fromUtf16(text).toStdString();
  }
  putRule(QStringLiteral("TipoRegra"), QStringLiteral("1"));
  const std::pair<const char16_t*, int> rule1[] = {{u"0", 4}, {u"3", 4}, {u"10", 10}, {u"11", 4}};
  for (const auto& [text, limit] : rule1) {
    putRule(QStringLiteral("PontosLimit"), QString::fromUtf16(text));
    EXPECT_EQ(beforeAMatch().PontosLimit, limit) << QString::fromUtf16(text).toStdString();
  }
  const std::pair<const char16_t*, int> speeds[] = {
      {u"fast", 5}, {u"-20", 5}, {u"25", 25}, {u"1e9", 25}, {u"12.5", 12}};
  for (const auto& [text, veloc] : speeds) {
    put(QStringLiteral("Veloc"), QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().Veloc, veloc) << QString::fromUtf16(text).toStdString();
  }
  for (const auto& [text, pedraX] : {std::pair{u"7", 1}, {u"-1", 1}, {u"abc", 0}}) {
    put(QStringLiteral("PedraX"), QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().PedraX, pedraX) << QString::fromUtf16(text).toStdString();
  }
  // Sound reads a word or a number, anything else leaves it on; the switches of
  // the rules take true, verdadeiro and 1 only.
  for (const auto& [text, on] :
       {std::pair{u"False", false}, {u"0", false}, {u"-1", true}, {u"off", true}}) {
    put(QStringLiteral("TocarSom"), QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().TocarSom, on) << QString::fromUtf16(text).toStdString();
  }
  putRule(QStringLiteral("SentidoHorario"), QStringLiteral("-1"));
  putRule(QStringLiteral("FecharSoNoNatural"), QStringLiteral("  VERDADEIRO "));
  EXPECT_FALSE(beforeAMatch().SentidoHorario);
  EXPECT_TRUE(beforeAMatch().FecharSoNoNatural);
}

#ifndef Q_OS_WIN
TEST(UserStore, LivesInThePlayersConfigFolder) {
  // The tests' main points XDG_CONFIG_HOME at a temporary folder.
  const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_FALSE(home.isEmpty());
  SettingsStore store = SettingsStore::userStore();
  EXPECT_EQ(QFileInfo(store.location()).absoluteFilePath(),
            QFileInfo(home + QStringLiteral("/Vantorel/Tavolix.conf")).absoluteFilePath());
  EXPECT_TRUE(store.GravaRegistro(RegistryKey::Opc, u"TipoRegra", QStringLiteral("2")));
  EXPECT_EQ(SettingsStore::userStore().LeRegistro(RegistryKey::Opc, u"tiporegra", u"1"),
            QStringLiteral("2"));
}
#endif

}  // namespace
}  // namespace tavolix
