// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringView>

namespace tavolix {

// The number a stored text begins with, as the game reads every numeric option:
// leading blanks skipped, an optional sign, digits with an optional fraction and
// exponent; 0 when the text does not begin with a number. The value is rounded to
// a whole number, halves to the even neighbour, and brought into 16 bits.
std::int16_t numericValue(QStringView text);

// True for "true", "verdadeiro" or "1", in any case and with blanks around;
// False for everything else ("-1", "yes", "").
bool TextoParaBool(QStringView text);

// The words True or False in any case, or a number (zero being False).
// nullopt for a text that is neither.
std::optional<bool> textToBool(QStringView text);

// A seat's name as the table may draw it: without control characters (line
// breaks, escapes) or the marks that turn the direction of the text round
// (which would garble the name and what follows it), nor half a surrogate pair.
QString plainName(const QString& name);

// How the store writes its values.
QString boolText(bool value);
QString intText(int value);

}  // namespace tavolix
