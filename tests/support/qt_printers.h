// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

// Readable Qt values in test failure messages.
#include <ostream>

#include <QString>

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

#include <QRectF>

inline std::ostream& operator<<(std::ostream& os, const QRectF& r) {
  return os << '(' << r.left() << ", " << r.top() << ", " << r.width() << " x " << r.height()
            << ')';
}
