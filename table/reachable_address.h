// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace tavolix {

// Of a computer's addresses, the one others on the network reach it at: its
// first IPv4 address that is neither the loopback nor link-local; the
// loopback when there is none.
inline QString reachableAddress(const QList<QHostAddress>& addresses) {
  for (const QHostAddress& a : addresses) {
    if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal())
      return a.toString();
  }
  return QStringLiteral("127.0.0.1");
}

}  // namespace tavolix
