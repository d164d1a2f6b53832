// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tavolix {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A decimal number at the start of a text, taken apart without converting it,
// so that no text is too long or too large to read.
struct LeadingNumber {
  bool found = false;
  bool negative = false;
  std::string integerDigits;
  std::string fractionDigits;
  long exponent = 0;
  qsizetype end = 0;  // where the number stops in the text

  explicit LeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
      negative = text[i] == u'-';
      ++i;
    }
    while (i < text.size() && isDigit(text[i]))
      integerDigits += static_cast<char>(text[i++].unicode());
    if (i < text.size() && text[i] == u'.') {
      qsizetype j = i + 1;
      while (j < text.size() && isDigit(text[j]))
        fractionDigits += static_cast<char>(text[j++].unicode());
      if (!integerDigits.empty() || !fractionDigits.empty()) i = j;
    }
    found = !integerDigits.empty() || !fractionDigits.empty();
    if (!found) return;
    end = i;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
      qsizetype j = i + 1;
      bool negativeExponent = false;
      if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
        negativeExponent = text[j++] == u'-';
      if (j < text.size() && isDigit(text[j])) {
        long value = 0;
        // Anything past a few thousand only says "huge" or "tiny"; cap it there.
        for (; j < text.size() && isDigit(text[j]); ++j)
          value = std::min(value * 10 + (text[j].unicode() - u'0'), 100000L);
        exponent = negativeExponent ? -value : value;
        end = j;
      }
    }
  }

  bool nonZero() const {
    return integerDigits.find_first_not_of('0') != std::string::npos ||
           fractionDigits.find_first_not_of('0') != std::string::npos;
  }

  double value() const {
    if (!found || !nonZero()) return 0.0;
    // The decimal order of the first significant digit decides "too large for
    // 16 bits" and "rounds to nothing" before any conversion.
    const auto firstInteger = integerDigits.find_first_not_of('0');
    const long order = firstInteger != std::string::npos
                           ? static_cast<long>(integerDigits.size() - firstInteger) + exponent
                           : exponent - static_cast<long>(fractionDigits.find_first_not_of('0'));
    const double sign = negative ? -1.0 : 1.0;
    if (order > 7) return sign * 1e9;
    if (order < -7) return 0.0;
    const std::string literal = (integerDigits.empty() ? std::string("0") : integerDigits) + "." +
                                fractionDigits + "e" + std::to_string(exponent);
    double magnitude = 0.0;
    std::from_chars(literal.data(), literal.data() + literal.size(), magnitude);
    return sign * magnitude;
  }
};

}  // namespace

std::int16_t numericValue(QStringView text) {
  const double rounded = std::nearbyint(LeadingNumber(text).value());  // halves to even
  constexpr double low = std::numeric_limits<std::int16_t>::min();
  constexpr double high = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(std::clamp(rounded, low, high));
}

bool TextoParaBool(QStringView text) {
  const QString word = text.trimmed().toString().toLower();
  return word == u"true" || word == u"verdadeiro" || word == u"1";
}

std::optional<bool> textToBool(QStringView text) {
  const QStringView word = text.trimmed();
  if (word.compare(u"true", Qt::CaseInsensitive) == 0) return true;
  if (word.compare(u"false", Qt::CaseInsensitive) == 0) return false;
  const LeadingNumber number(word);
  if (!number.found || number.end != word.size()) return std::nullopt;
  return number.nonZero();
}

QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString intText(int value) { return QString::number(value); }

QString plainName(const QString& name) {
  QString plain;
  plain.reserve(name.size());
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar c = name[i];
    if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
      plain.append(c).append(name[++i]);
      continue;
    }
    const char16_t u = c.unicode();
    const bool directional = u == 0x061C || u == 0x200E || u == 0x200F ||
                             (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
    if (c.category() == QChar::Other_Control || c.isSurrogate() || directional) continue;
    plain.append(c);
  }
  return plain;
}

}  // namespace tavolix
