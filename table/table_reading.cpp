// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_reading.h"

#include <QCoreApplication>
#include <QStringList>

namespace tavolix::reading {

namespace {

// Each text is marked where it is written, for lupdate, and translated here.
QString said(const char* text) {
  return QCoreApplication::translate("tavolix::TableReading", text);
}

QString tileText(TileCode t) { return QStringLiteral("%1:%2").arg(t.first()).arg(t.last()); }

// "3", "3 e 5", "0, 3 e 5".
QString pipList(unsigned pips) {
  QStringList each;
  for (int pip = 0; pip <= 6; ++pip) {
    if ((pips >> pip) & 1u) each << QString::number(pip);
  }
  if (each.size() < 2) return each.join(QString());
  const QString last = each.takeLast();
  return said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1 e %2"))
      .arg(each.join(QStringLiteral(", ")), last);
}

}  // namespace

QString handTile(const GameState& state, const Settings& rules, TileCode tile) {
  const QString name = tileText(tile);
  if (state.QtdMesa == 0) {
    const bool doubleSixOpens = state.PrimeiraRodada || rules.TipoInicio == 2;
    return (doubleSixOpens && tile != kDoubleSix
                ? said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1, não abre a mão"))
                : said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1, abre a mão")))
        .arg(name);
  }
  const bool fitsA = tile.holds(state.PontaA);
  const bool fitsB = tile.holds(state.PontaB);
  if (fitsA && fitsB && state.PontaA != state.PontaB)
    return said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1, joga nas pontas %2 e %3"))
        .arg(name)
        .arg(state.PontaA)
        .arg(state.PontaB);
  if (fitsA || fitsB)
    return said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1, joga na ponta %2"))
        .arg(name)
        .arg(fitsA ? state.PontaA : state.PontaB);
  return said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1, não joga")).arg(name);
}

QString hand(const GameState& state, const Settings& rules) {
  QStringList tiles;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (!state.PedrasJog[slot].empty()) tiles << handTile(state, rules, state.PedrasJog[slot]);
  }
  if (tiles.isEmpty())
    return said(QT_TRANSLATE_NOOP("tavolix::TableReading", "Sua mão está vazia"));
  return said(QT_TRANSLATE_NOOP("tavolix::TableReading", "Sua mão: %1"))
      .arg(tiles.join(QStringLiteral("; ")));
}

QString table(const GameState& state, const std::array<std::string, 4>& names) {
  QStringList parts;
  parts << (state.QtdMesa == 0
                ? said(QT_TRANSLATE_NOOP("tavolix::TableReading", "Nenhuma pedra na mesa"))
                : said(QT_TRANSLATE_NOOP("tavolix::TableReading", "Pontas: %1 e %2"))
                      .arg(state.PontaA)
                      .arg(state.PontaB));
  for (int seat = kJog; seat <= kMac3; ++seat) {
    const unsigned passed = state.passedOn(seat);
    if (passed == 0) continue;
    parts << (seat == kJog ? said(QT_TRANSLATE_NOOP("tavolix::TableReading", "Você passou no %1"))
                                 .arg(pipList(passed))
                           : said(QT_TRANSLATE_NOOP("tavolix::TableReading", "%1 passou no %2"))
                                 .arg(QString::fromStdString(names[static_cast<std::size_t>(seat)]),
                                      pipList(passed)));
  }
  QStringList held;
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    held << QStringLiteral("%1 %2")
                .arg(QString::fromStdString(names[static_cast<std::size_t>(seat)]))
                .arg(tileCount(state.hand(seat)));
  }
  parts << said(QT_TRANSLATE_NOOP("tavolix::TableReading", "Pedras nas mãos: %1"))
               .arg(held.join(QStringLiteral(", ")));
  return parts.join(QStringLiteral(". "));
}

}  // namespace tavolix::reading
