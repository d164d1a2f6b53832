#include "settings/conversions.h"
#include "settings/settings_config.h"
#include "settings_test_support.h"

namespace tavolix {
namespace {

class ConfigTest : public TemporaryStore {
 protected:
  // What a run starts with: the main key at start-up, then the rules before the first match.
  Settings loaded() {
    Settings settings;
    LeConfig(store(), settings);
    GetConfig(store(), settings);
    return settings;
  }
  Settings atStartUp() {
    Settings settings;
    LeConfig(store(), settings);
    return settings;
  }
  void putMain(const char16_t* name, const QString& text) { put(QString::fromUtf16(name), text); }
  void putRule(const char16_t* name, const QString& text) {
    put(QStringLiteral("Opc/") + QString::fromUtf16(name), text);
  }
};

TEST_F(ConfigTest, TheFirstRunPlaysWithTheDefaults) {
  const Settings s = loaded();
  EXPECT_EQ(s.PedraX, 0);
  EXPECT_EQ(s.PedraBase(), 0);
  EXPECT_EQ(s.Veloc, 15);
  EXPECT_TRUE(s.TocarSom);
  EXPECT_TRUE(s.SentidoHorario);
  EXPECT_TRUE(s.FecharSoNoNatural);
  EXPECT_EQ(s.TipoJogo, 1);
  EXPECT_EQ(s.TipoRegra, 1);
  EXPECT_EQ(s.TipoInicio, 1);
  EXPECT_EQ(s.PontosLimit, 4);
  EXPECT_EQ(s.Nomes, (std::array<std::string, 4>{"", "Zorvan", "Melira", "Astelo"}));
  // Reading writes nothing.
  EXPECT_TRUE(fileContents().isEmpty());
}

TEST_F(ConfigTest, StoredOptionsAreRead) {
  putMain(u"PedraX", QStringLiteral("1"));
  putMain(u"Veloc", QStringLiteral("22"));
  putMain(u"TocarSom", QStringLiteral("False"));
  putMain(u"cpu1", QStringLiteral("Ana"));
  putMain(u"cpu2", QStringLiteral("Bárbara"));
  putMain(u"cpu3", QStringLiteral("Caio"));
  putRule(u"TipoJogo", QStringLiteral("2"));
  putRule(u"TipoRegra", QStringLiteral("2"));
  putRule(u"TipoInicio", QStringLiteral("3"));
  putRule(u"SentidoHorario", QStringLiteral("False"));
  putRule(u"FecharSoNoNatural", QStringLiteral("False"));
  putRule(u"PontosLimit", QStringLiteral("200"));
  const Settings s = loaded();
  EXPECT_EQ(s.PedraX, 1);
  EXPECT_EQ(s.PedraBase(), 7);
  EXPECT_EQ(s.Veloc, 22);
  EXPECT_FALSE(s.TocarSom);
  EXPECT_EQ(s.Nomes[1], "Ana");
  EXPECT_EQ(s.Nomes[2], "Bárbara");
  EXPECT_EQ(s.Nomes[3], "Caio");
  EXPECT_EQ(s.TipoJogo, 2);
  EXPECT_EQ(s.TipoRegra, 2);
  EXPECT_EQ(s.TipoInicio, 3);
  EXPECT_FALSE(s.SentidoHorario);
  EXPECT_FALSE(s.FecharSoNoNatural);
  EXPECT_EQ(s.PontosLimit, 200);
  EXPECT_TRUE(s.pairs());
}

TEST_F(ConfigTest, StartUpBringsTheLimitIntoFourToTenButTheRulesKeyIsTakenAsStored) {
  putMain(u"PontosLimit", QStringLiteral("100"));
  putRule(u"PontosLimit", QStringLiteral("100"));
  EXPECT_EQ(atStartUp().PontosLimit, 10);
  EXPECT_EQ(loaded().PontosLimit, 100);

  for (const auto& [text, limit] : {std::pair{u"0", 4}, {u"abc", 4}, {u"-5", 4}, {u"7", 7}, {u"10.5", 10}}) {
    putMain(u"PontosLimit", QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().PontosLimit, limit) << QString::fromUtf16(text).toStdString();
  }
  putRule(u"PontosLimit", QStringLiteral("-7"));
  EXPECT_EQ(loaded().PontosLimit, -7);
}

TEST_F(ConfigTest, TheRulesLimitDefaultsByTheScoringRule) {
  putRule(u"TipoRegra", QStringLiteral("2"));
  EXPECT_EQ(loaded().PontosLimit, 100);
  putRule(u"TipoRegra", QStringLiteral("1"));
  EXPECT_EQ(loaded().PontosLimit, 4);
  // A limit left from rule 2 stays as stored under rule 1.
  putRule(u"PontosLimit", QStringLiteral("150"));
  EXPECT_EQ(loaded().PontosLimit, 150);
}

TEST_F(ConfigTest, SwitchesReadTheirOwnWays) {
  // The closing rule and the direction accept true, verdadeiro and 1 only.
  putRule(u"FecharSoNoNatural", QStringLiteral("  VERDADEIRO "));
  putRule(u"SentidoHorario", QStringLiteral("-1"));
  Settings s = loaded();
  EXPECT_TRUE(s.FecharSoNoNatural);
  EXPECT_FALSE(s.SentidoHorario);
  putRule(u"SentidoHorario", QStringLiteral("yes"));
  EXPECT_FALSE(loaded().SentidoHorario);

  // Sound reads a word or a number; anything else leaves it on.
  const std::pair<const char16_t*, bool> sounds[] = {
      {u"False", false}, {u"0", false}, {u"true", true}, {u"-1", true}, {u"2", true}, {u"off", true}, {u"", true}};
  for (const auto& [text, on] : sounds) {
    putMain(u"TocarSom", QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().TocarSom, on) << QString::fromUtf16(text).toStdString();
  }
}

TEST_F(ConfigTest, NumbersOutsideWhatTheDialogsAllowAreBroughtBack) {
  const std::pair<const char16_t*, int> speeds[] = {
      {u"fast", 5}, {u"0", 5}, {u"-20", 5}, {u"1", 5}, {u"5", 5}, {u"25", 25}, {u"1000", 25}, {u"1e9", 25}, {u"12.5", 12}};
  for (const auto& [text, veloc] : speeds) {
    putMain(u"Veloc", QString::fromUtf16(text));
    EXPECT_EQ(atStartUp().Veloc, veloc) << QString::fromUtf16(text).toStdString();
  }
  const std::pair<const char16_t*, int> sets[] = {{u"0", 0}, {u"1", 1}, {u"7", 1}, {u"-1", 1}, {u"abc", 0}, {u"", 0}};
  for (const auto& [text, pedraX] : sets) {
    putMain(u"PedraX", QString::fromUtf16(text));
    const Settings s = atStartUp();
    EXPECT_EQ(s.PedraX, pedraX) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(s.PedraBase(), pedraX * 7);
  }
}

TEST_F(ConfigTest, EmptyNamesReadAsTheDefaultNames) {
  putMain(u"cpu1", QString());
  putMain(u"cpu2", QStringLiteral("  "));
  const Settings s = atStartUp();
  EXPECT_EQ(s.Nomes[1], "Zorvan");
  EXPECT_EQ(s.Nomes[2], "  ");
  EXPECT_EQ(s.Nomes[0], "");  // the player's name is asked for by the new game dialog
}

TEST_F(ConfigTest, AGarbledFileStartsWithTheDefaults) {
  static const char garbled[] = "\xff\xfe\x00\x7f\n[General]\nVeloc=\x01\x02\n[Opc]\nTipoJogo==2=\n\x00\x00PontosLimit\n";
  writeFile(QByteArray(garbled, sizeof garbled - 1));
  const Settings s = loaded();
  EXPECT_EQ(s.Veloc, 5);  // "\x01\x02" is no number
  EXPECT_EQ(s.TipoJogo, 0);  // "=2=" is no number; anything but 2 plays individually
  EXPECT_FALSE(s.pairs());
  EXPECT_EQ(s.PontosLimit, 4);
  EXPECT_TRUE(s.TocarSom);
}

TEST_F(ConfigTest, WrittenTextFormsReadBackTheSame) {
  Settings chosen;
  chosen.SentidoHorario = false;
  chosen.PontosLimit = 150;
  chosen.TipoRegra = 2;
  writeText(store(), stored::kSentidoHorario, boolText(chosen.SentidoHorario));
  writeText(store(), stored::kPontosLimit, intText(chosen.PontosLimit));
  writeText(store(), stored::kTipoRegra, intText(chosen.TipoRegra));
  writeText(store(), stored::kTocarSom, boolText(false));
  const Settings s = loaded();
  EXPECT_FALSE(s.SentidoHorario);
  EXPECT_EQ(s.PontosLimit, 150);
  EXPECT_EQ(s.TipoRegra, 2);
  EXPECT_FALSE(s.TocarSom);
  EXPECT_TRUE(fileContents().contains("SentidoHorario=False"));
  EXPECT_TRUE(fileContents().contains("PontosLimit=150"));
}

}  // namespace
}  // namespace tavolix
