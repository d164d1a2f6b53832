// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "settings_config.h"

#include <algorithm>

#include "conversions.h"

namespace tavolix {

namespace {

const Settings kDefaults;

std::int16_t readNumber(const SettingsStore& store, StoredValue value, int defaultValue) {
  return numericValue(readText(store, value, intText(defaultValue)));
}

bool readFlag(const SettingsStore& store, StoredValue value, bool defaultValue) {
  return TextoParaBool(readText(store, value, boolText(defaultValue)));
}

}  // namespace

QString readText(const SettingsStore& store, StoredValue value, const QString& defaultText) {
  return store.LeRegistro(value.key, value.name, defaultText);
}

bool writeText(SettingsStore& store, StoredValue value, const QString& text) {
  return store.GravaRegistro(value.key, value.name, text);
}

void readComputerNames(const SettingsStore& store, Settings& settings) {
  for (int seat = 1; seat <= 3; ++seat) {
    const QString name = plainName(readText(store, stored::kCpuNames[seat - 1],
                                            QString::fromStdString(kDefaults.Nomes[seat])));
    settings.Nomes[seat] = name.toStdString();
  }
}

void LeConfig(const SettingsStore& store, Settings& settings) {
  // Only two tile sets exist; any other stored number draws the colourful one,
  // whose half faces a non-zero set selects.
  settings.PedraX = readNumber(store, stored::kPedraX, kDefaults.PedraX) == 0 ? 0 : 1;
  readComputerNames(store, settings);
  // The speed is a step count the animations divide by: keep it in the speed bar's range.
  settings.Veloc = std::clamp(readNumber(store, stored::kVeloc, kDefaults.Veloc),
                              Settings::kMinVeloc, Settings::kMaxVeloc);
  settings.FecharSoNoNatural =
      readFlag(store, stored::kMainFecharSoNoNatural, kDefaults.FecharSoNoNatural);
  settings.SentidoHorario = readFlag(store, stored::kMainSentidoHorario, kDefaults.SentidoHorario);
  settings.PontosLimit =
      std::clamp(readNumber(store, stored::kMainPontosLimit, kDefaults.PontosLimit),
                 Settings::kMinLimitRule1, Settings::kMaxLimitRule1);
  settings.TocarSom = textToBool(readText(store, stored::kTocarSom, boolText(kDefaults.TocarSom)))
                          .value_or(kDefaults.TocarSom);
  // Any language but English is Portuguese.
  settings.Ingles = readText(store, stored::kLanguage, QString()) == QLatin1String("en");
  // The table's helps: anything but a stored "False" leaves them on.
  settings.markTurn = textToBool(readText(store, stored::kMarkTurn, QString())).value_or(true);
  settings.markLastMove =
      textToBool(readText(store, stored::kMarkLastMove, QString())).value_or(true);
  settings.reducedMotion =
      textToBool(readText(store, stored::kReducedMotion, QString())).value_or(false);
  const QString level = readText(store, stored::kOpponents, QString());
  settings.opponents = ComputerLevel::Normal;
  for (const ComputerLevel l : {ComputerLevel::Strong, ComputerLevel::Master}) {
    if (level == opponentsText(l)) settings.opponents = l;
  }
}

QString opponentsText(ComputerLevel level) {
  switch (level) {
    case ComputerLevel::Strong:
      return QStringLiteral("Forte");
    case ComputerLevel::Master:
      return QStringLiteral("Mestre");
    case ComputerLevel::Normal:
      break;
  }
  return QStringLiteral("Normal");
}

void GetConfig(const SettingsStore& store, Settings& settings) {
  settings.FecharSoNoNatural =
      readFlag(store, stored::kFecharSoNoNatural, kDefaults.FecharSoNoNatural);
  settings.SentidoHorario = readFlag(store, stored::kSentidoHorario, kDefaults.SentidoHorario);
  settings.TipoRegra = readNumber(store, stored::kTipoRegra, kDefaults.TipoRegra);
  settings.PontosLimit = readNumber(
      store, stored::kPontosLimit,
      settings.TipoRegra == 1 ? Settings::kDefaultLimitRule1 : Settings::kDefaultLimitRule2);
  // A limit the rules dialog would not take (0 or below ends a match after
  // one hand, whoever won it) is the rule's own default.
  const bool pips = settings.pipRule();
  const std::int16_t low = pips ? Settings::kMinLimitRule2 : Settings::kMinLimitRule1;
  const std::int16_t high = pips ? Settings::kMaxLimitRule2 : Settings::kMaxLimitRule1;
  if (settings.PontosLimit < low || settings.PontosLimit > high)
    settings.PontosLimit = pips ? Settings::kDefaultLimitRule2 : Settings::kDefaultLimitRule1;
  settings.TipoJogo = readNumber(store, stored::kTipoJogo, kDefaults.TipoJogo);
  settings.TipoInicio = readNumber(store, stored::kTipoInicio, kDefaults.TipoInicio);
}

void writeRules(SettingsStore& store, const Settings& settings) {
  writeText(store, stored::kFecharSoNoNatural, boolText(settings.FecharSoNoNatural));
  writeText(store, stored::kSentidoHorario, boolText(settings.SentidoHorario));
  writeText(store, stored::kTipoRegra, intText(settings.TipoRegra));
  writeText(store, stored::kPontosLimit, intText(settings.PontosLimit));
  writeText(store, stored::kTipoJogo, intText(settings.TipoJogo));
  writeText(store, stored::kTipoInicio, intText(settings.TipoInicio));
}

}  // namespace tavolix
