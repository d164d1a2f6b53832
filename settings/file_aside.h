// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

namespace tavolix {

// Moves a file the game will not use out of its way, kept whole beside it
// for whoever wants to look into it: "match.json" becomes
// "match.json.refused-20261207-031522-481". Returns the new name, or an empty
// one when it could not be moved.
inline QString setFileAside(const QString& path, const QString& why) {
  const QString stamped =
      path + QLatin1Char('.') + why + QLatin1Char('-') +
      QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
  // Never over one set aside before, however soon after it.
  QString aside = stamped;
  for (int n = 2; QFile::exists(aside); ++n)
    aside = stamped + QLatin1Char('-') + QString::number(n);
  return QFile::rename(path, aside) ? aside : QString();
}

}  // namespace tavolix
