// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// How the stored texts read as numbers, names and switches, and the forms the
// store writes.
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "settings/conversions.h"
#include "support/qt_printers.h"

namespace tavolix {
namespace {

TEST(Conversions, TheLeadingNumberRoundedHalvesToEvenInSixteenBits) {
  const std::pair<const char16_t*, int> cases[] = {
      {u"15", 15},
      {u"0000012", 12},
      {u"  7", 7},
      {u"12abc", 12},
      {u"abc", 0},
      {u"", 0},
      {u"-3", -3},
      {u"+5", 5},
      {u"2.5", 2},
      {u"3.5", 4},
      {u"-2.5", -2},
      {u"4.49", 4},
      {u".5", 0},
      {u".6", 1},
      {u"-.5e1", -5},
      {u"1e3", 1000},
      {u"2E2x", 200},
      {u"1e", 1},
      {u"25e-1", 2},
      {u"0.1111111112e1", 1},
      {u"0x10", 0},
      {u"3,5", 3},
      {u"True", 0},
      {u"٣", 0},
      {u"32768", 32767},
      {u"-40000", -32768},
      {u"1e99999999999999999999", 32767},
      {u"-1e400", -32768},
      {u"1e-400", 0},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(numericValue(QStringView(text)), value) << QString::fromUtf16(text).toStdString();
  }
  EXPECT_EQ(numericValue(QString(5000, u'9')), 32767);
  EXPECT_EQ(numericValue(QStringLiteral("0.") + QString(5000, u'0') + u'1'), 0);
}

// A name keeps its letters, marks and pictures; what would draw it garbled
// goes: control characters, the marks that turn text round, half of a pair.
TEST(Conversions, ANameIsReadPlain) {
  EXPECT_EQ(plainName(QStringLiteral("Astelo 🂡 Ñandú")), QStringLiteral("Astelo 🂡 Ñandú"));
  EXPECT_EQ(plainName(QStringLiteral("A\u202Ena\u0007\n")), QStringLiteral("Ana"));
  EXPECT_EQ(plainName(QStringLiteral("\u2067Mel\u200Fira\u2069")), QStringLiteral("Melira"));
  const QChar high(0xD83C);
  const QChar low(0xDCA1);
  EXPECT_EQ(plainName(QStringLiteral("Zor") + high + QStringLiteral("van") + low),
            QStringLiteral("Zorvan"));
}

TEST(Conversions, SwitchesAndTheFormsTheStoreWrites) {
  for (const char16_t* yes : {u"true", u"TRUE", u"  VERDADEIRO  ", u"1", u" 1\t"}) {
    EXPECT_TRUE(TextoParaBool(yes)) << QString::fromUtf16(yes).toStdString();
  }
  for (const char16_t* no : {u"-1", u"false", u"0", u"", u"yes", u"1.0", u"truex", u"verdade"}) {
    EXPECT_FALSE(TextoParaBool(no)) << QString::fromUtf16(no).toStdString();
  }
  EXPECT_EQ(textToBool(u" false "), false);
  // What the store writes, in any case.
  EXPECT_EQ(textToBool(boolText(true)), true);
  EXPECT_EQ(textToBool(u"TRUE"), true);
  EXPECT_EQ(textToBool(boolText(false)), false);
  EXPECT_EQ(textToBool(u"FALSE"), false);
  EXPECT_EQ(textToBool(u"-1"), true);
  EXPECT_EQ(textToBool(u"0.0"), false);
  EXPECT_EQ(textToBool(QStringView(u"0.05").first(3)), false);  // read no further than it goes
  EXPECT_EQ(textToBool(u"1e-400"), true);
  EXPECT_EQ(textToBool(u".5"), true);
  for (const char16_t* neither : {u"", u"yes", u"1x", u"verdadeiro"})
    EXPECT_EQ(textToBool(neither), std::nullopt);
  EXPECT_EQ(boolText(false), QStringLiteral("False"));
  EXPECT_EQ(intText(-3), QStringLiteral("-3"));
}

}  // namespace
}  // namespace tavolix
