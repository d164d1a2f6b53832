#include <gtest/gtest.h>

#include "settings/conversions.h"
#include "support/qt_printers.h"

namespace tavolix {
namespace {

struct NumberCase {
  const char16_t* text;
  int value;
};

TEST(NumericValue, TakesTheLeadingNumberRoundedHalvesToEven) {
  const NumberCase cases[] = {
      {u"15", 15},       {u"  7", 7},      {u"12abc", 12},   {u"abc", 0},      {u"", 0},
      {u"-3", -3},       {u"+5", 5},       {u"2.5", 2},      {u"3.5", 4},      {u"-2.5", -2},
      {u"0.5", 0},       {u"1.5", 2},      {u"4.49", 4},     {u"5.", 5},       {u".5", 0},
      {u".", 0},         {u"-", 0},        {u"1e3", 1000},   {u"2E2x", 200},   {u"1e", 1},
      {u"1e+", 1},       {u"25e-1", 2},    {u"0x10", 0},     {u"10 pts", 10},  {u"1 2", 1},
      {u"007", 7},       {u"3,5", 3},      {u"\t\n8", 8},    {u"True", 0},     {u"٣", 0},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(numericValue(QStringView(c.text)), c.value) << QString::fromUtf16(c.text).toStdString();
  }
}

TEST(NumericValue, BringsHugeNumbersIntoSixteenBits) {
  EXPECT_EQ(numericValue(u"32767"), 32767);
  EXPECT_EQ(numericValue(u"32767.5"), 32767);
  EXPECT_EQ(numericValue(u"32768"), 32767);
  EXPECT_EQ(numericValue(u"99999999999999999999999999"), 32767);
  EXPECT_EQ(numericValue(u"-32768"), -32768);
  EXPECT_EQ(numericValue(u"-40000"), -32768);
  EXPECT_EQ(numericValue(u"1e308"), 32767);
  EXPECT_EQ(numericValue(u"1e99999999999999999999"), 32767);
  EXPECT_EQ(numericValue(u"-1e400"), -32768);
  EXPECT_EQ(numericValue(u"1e-400"), 0);
  EXPECT_EQ(numericValue(u"0.000000000000000000000000000000001"), 0);
  EXPECT_EQ(numericValue(QString(5000, u'9')), 32767);
  EXPECT_EQ(numericValue(QStringLiteral("0.") + QString(5000, u'0') + u'1'), 0);
}

TEST(TextoParaBool, OnlyTrueVerdadeiroAndOne) {
  for (const char16_t* yes : {u"true", u"True", u"TRUE", u"  VERDADEIRO  ", u"verdadeiro", u"1", u" 1\t"}) {
    EXPECT_TRUE(TextoParaBool(yes)) << QString::fromUtf16(yes).toStdString();
  }
  for (const char16_t* no : {u"-1", u"false", u"0", u"", u"yes", u"2", u"1.0", u"truex", u"verdade"}) {
    EXPECT_FALSE(TextoParaBool(no)) << QString::fromUtf16(no).toStdString();
  }
}

TEST(TextToBool, WordsOrNumbers) {
  EXPECT_EQ(textToBool(u"True"), true);
  EXPECT_EQ(textToBool(u" false "), false);
  EXPECT_EQ(textToBool(u"FALSE"), false);
  EXPECT_EQ(textToBool(u"1"), true);
  EXPECT_EQ(textToBool(u"-1"), true);
  EXPECT_EQ(textToBool(u"0"), false);
  EXPECT_EQ(textToBool(u"0.0"), false);
  EXPECT_EQ(textToBool(u"2.5"), true);
  EXPECT_EQ(textToBool(u"1e-400"), true);
  EXPECT_EQ(textToBool(u""), std::nullopt);
  EXPECT_EQ(textToBool(u"yes"), std::nullopt);
  EXPECT_EQ(textToBool(u"1x"), std::nullopt);
  EXPECT_EQ(textToBool(u"verdadeiro"), std::nullopt);
}

TEST(TextForms, BooleansAsWordsNumbersInDecimal) {
  EXPECT_EQ(boolText(true), QStringLiteral("True"));
  EXPECT_EQ(boolText(false), QStringLiteral("False"));
  EXPECT_EQ(intText(25), QStringLiteral("25"));
  EXPECT_EQ(intText(-3), QStringLiteral("-3"));
  // What the store writes, it reads back as written.
  EXPECT_TRUE(TextoParaBool(boolText(true)));
  EXPECT_FALSE(TextoParaBool(boolText(false)));
  EXPECT_EQ(textToBool(boolText(false)), false);
  EXPECT_EQ(numericValue(intText(250)), 250);
}

}  // namespace
}  // namespace tavolix
