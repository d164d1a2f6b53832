#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings_test_support.h"

namespace tavolix {
namespace {

using StoreTest = TemporaryStore;

const QString kVeloc = QStringLiteral("Veloc");

TEST_F(StoreTest, MissingValuesGiveTheDefault) {
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, kVeloc, u"15"), QStringLiteral("15"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("1"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"jog", u""), QString());
}

TEST_F(StoreTest, ADefaultOfTrueInAnyCaseComesBackAsOne) {
  for (const char16_t* yes : {u"true", u"True", u"TRUE", u"tRuE"}) {
    EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"TocarSom", yes), QStringLiteral("1"));
  }
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"TocarSom", u"False"), QStringLiteral("False"));
  put(QStringLiteral("TocarSom"), QStringLiteral("True"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"TocarSom", u"false"), QStringLiteral("True"));
}

TEST_F(StoreTest, AnEmptyStoredTextReadsAsTheDefault) {
  put(kVeloc, QString());
  put(QStringLiteral("cpu1"), QStringLiteral("\0Ana"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, kVeloc, u"15"), QStringLiteral("15"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"cpu1", u"Zorvan"), QStringLiteral("Zorvan"));
}

TEST_F(StoreTest, WritesAreTextsReadBackUnderEitherCase) {
  EXPECT_TRUE(store().GravaRegistro(RegistryKey::Main, u"PedraX", QStringLiteral("1")));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"Pedrax", u"0"), QStringLiteral("1"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"PEDRAX", u"0"), QStringLiteral("1"));
  // A second write under another case replaces the value instead of adding one.
  EXPECT_TRUE(store().GravaRegistro(RegistryKey::Main, u"pedrax", QStringLiteral("0")));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"PedraX", u"1"), QStringLiteral("0"));
  EXPECT_EQ(fileContents().toLower().count("pedrax"), 1);
}

TEST_F(StoreTest, TheRulesKeyIsSeparateFromTheMainKey) {
  store().GravaRegistro(RegistryKey::Main, u"PontosLimit", QStringLiteral("100"));
  store().GravaRegistro(RegistryKey::Opc, u"PontosLimit", QStringLiteral("150"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"PontosLimit", u"4"), QStringLiteral("100"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Opc, u"PontosLimit", u"4"), QStringLiteral("150"));
  EXPECT_TRUE(fileContents().contains("[Opc]"));
}

TEST_F(StoreTest, NamesKeepTheirLettersAndBlanks) {
  const QString name = QStringLiteral("João Ñ, \"the\" = best; #1");
  EXPECT_TRUE(store().GravaRegistro(RegistryKey::Main, u"jog", name));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"jog", u""), name);
}

TEST_F(StoreTest, OtherKindsOfValues) {
  put(kVeloc, 12);                                                   // a number
  put(QStringLiteral("cpu1"), QStringList{QStringLiteral("Ana"), QStringLiteral("Bia")});
  put(QStringLiteral("cpu2"), QByteArray("\x01\x02", 2));            // binary data
  put(QStringLiteral("cpu3"), QVariantMap{{QStringLiteral("a"), 1}});
  put(QStringLiteral("jog"), QStringLiteral("Rui") + QChar(u'\0') + QStringLiteral("junk"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, kVeloc, u"15"), QStringLiteral("12"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"cpu1", u"x"), QStringLiteral("Ana, Bia"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"cpu2", u"Melira"), QStringLiteral("Melira"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"cpu3", u"Astelo"), QStringLiteral("Astelo"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"jog", u""), QStringLiteral("Rui"));
}

TEST_F(StoreTest, AnOverlongValueCountsAsUnreadable) {
  put(QStringLiteral("cpu1"), QString(1023, u'a'));
  put(QStringLiteral("cpu2"), QString(1024, u'b'));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"cpu1", u"Zorvan"), QString(1023, u'a'));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, u"cpu2", u"Melira"), QStringLiteral("Melira"));
}

TEST_F(StoreTest, AGarbledFileGivesDefaultsAndIsStillWritten) {
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919) % 251));
  writeFile(garbage + "\n[Opc\n=\n==\nVeloc\n[]\n");
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, kVeloc, u"15"), QStringLiteral("15"));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("1"));
  EXPECT_TRUE(store().GravaRegistro(RegistryKey::Opc, u"TipoJogo", QStringLiteral("2")));
  EXPECT_EQ(store().LeRegistro(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("2"));
}

TEST_F(StoreTest, AFolderWhereTheFileShouldBeReadsAsDefaults) {
  ASSERT_TRUE(QDir().mkpath(path()));
  testing::internal::CaptureStderr();
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, kVeloc, u"15"), QStringLiteral("15"));
  EXPECT_FALSE(store().GravaRegistro(RegistryKey::Main, kVeloc, QStringLiteral("9")));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot be saved"), std::string::npos);
  EXPECT_EQ(store().LeRegistro(RegistryKey::Main, kVeloc, u"15"), QStringLiteral("9"));
}

// A store under a path that cannot exist (its folder is a file): nothing can be
// written there, whoever runs the test.
class UnwritableStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile blocker(dir_.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  }
  QTemporaryDir dir_;
  SettingsStore store_ = SettingsStore::iniFile(dir_.filePath(QStringLiteral("not-a-folder/Tavolix.conf")));
};

TEST_F(UnwritableStoreTest, KeepsValuesForTheSessionAndSaysSoOnce) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Main, kVeloc, QStringLiteral("20")));
  EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Opc, u"TipoJogo", QStringLiteral("2")));
  EXPECT_FALSE(store_.GravaRegistro(RegistryKey::Main, u"veloc", QStringLiteral("21")));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("not-a-folder/Tavolix.conf"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

  EXPECT_EQ(store_.LeRegistro(RegistryKey::Main, u"VELOC", u"15"), QStringLiteral("21"));
  EXPECT_EQ(store_.LeRegistro(RegistryKey::Opc, u"TipoJogo", u"1"), QStringLiteral("2"));
  // An empty text kept for the session still reads as the default.
  store_.GravaRegistro(RegistryKey::Main, u"cpu1", QString());
  EXPECT_EQ(store_.LeRegistro(RegistryKey::Main, u"cpu1", u"Zorvan"), QStringLiteral("Zorvan"));
}

#ifndef Q_OS_WIN
TEST(UserStore, LivesInThePlayersConfigFolder) {
  // The test main points XDG_CONFIG_HOME at a temporary folder.
  const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_FALSE(configHome.isEmpty());
  SettingsStore store = SettingsStore::userStore();
  EXPECT_EQ(QFileInfo(store.location()).absoluteFilePath(),
            QFileInfo(configHome + QStringLiteral("/Vantorel/Tavolix.conf")).absoluteFilePath());
  EXPECT_TRUE(store.GravaRegistro(RegistryKey::Opc, u"TipoRegra", QStringLiteral("2")));
  EXPECT_EQ(SettingsStore::userStore().LeRegistro(RegistryKey::Opc, u"tiporegra", u"1"), QStringLiteral("2"));
}
#endif

}  // namespace
}  // namespace tavolix
