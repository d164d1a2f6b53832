// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The screens as they were last looked at and approved, kept as pictures
// beside the tests (tests/table/looks).
#pragma once

#include <cstdio>
#include <string>

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QString>

namespace tavolix {

// Nothing when `picture` is, to the pixel, the one kept as `name`.png; else
// how it differs and where this run's picture was put to be looked at. With
// TAVOLIX_KEEP_LOOKS=1 the picture is kept instead: a change of look is then
// seen, and reviewed, as a change of those pictures (docs/developing.md).
// The pictures are drawn with the fonts Debian gives the game by default, which
// `./run.sh test` installs: a desktop with other fonts draws other letters,
// and there nothing is compared (a line says so).
inline std::string unlikeKeptLook(const QImage& picture, const QString& name) {
  if (QFontInfo(QGuiApplication::font()).family() != QLatin1String("DejaVu Sans") ||
      QFontInfo(QFont(QStringLiteral("Arial"))).family() != QLatin1String("Liberation Sans")) {
    std::fprintf(stderr, "%s: not compared, the fonts are not those the pictures were drawn in\n",
                 qPrintable(name));
    return {};
  }
  const QImage now = picture.convertToFormat(QImage::Format_RGB32);
  const QString kept = QStringLiteral(TAVOLIX_LOOKS_DIR "/") + name + QStringLiteral(".png");
  if (qEnvironmentVariable("TAVOLIX_KEEP_LOOKS") == QLatin1String("1"))
    return now.save(kept, "PNG", 0) ? std::string() : "cannot write " + kept.toStdString();
  const QImage before = QImage(kept).convertToFormat(QImage::Format_RGB32);
  std::string unlike;
  if (before.isNull()) {
    unlike = "no picture kept as " + kept.toStdString();
  } else if (before.size() != now.size()) {
    unlike = QStringLiteral("%1 x %2 pixels instead of %3 x %4")
                 .arg(now.width())
                 .arg(now.height())
                 .arg(before.width())
                 .arg(before.height())
                 .toStdString();
  } else {
    int count = 0;
    QRect where;
    for (int y = 0; y < now.height(); ++y) {
      for (int x = 0; x < now.width(); ++x) {
        if (now.pixel(x, y) == before.pixel(x, y)) continue;
        ++count;
        where |= QRect(x, y, 1, 1);
      }
    }
    if (count > 0) {
      unlike = QStringLiteral("%1 pixels differ, from (%2, %3) to (%4, %5)")
                   .arg(count)
                   .arg(where.left())
                   .arg(where.top())
                   .arg(where.right())
                   .arg(where.bottom())
                   .toStdString();
    }
  }
  if (!unlike.empty()) {
    const QString seen = QDir::current().absoluteFilePath(name + QStringLiteral("-seen.png"));
    now.save(seen);
    unlike += "; this run's picture: " + seen.toStdString();
  }
  return unlike;
}

}  // namespace tavolix
