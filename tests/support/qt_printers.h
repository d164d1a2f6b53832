#pragma once

// Readable Qt values in test failure messages.
#include <ostream>

#include <QString>

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
