// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Renders the game's icon from its SVG into a square PNG, at build time:
//   tavolix-render-icon ICON.svg SIZE OUT.png
// or into OUT.rgba: the bare pixels, a row after another, four bytes each
// (red, green, blue, alpha, premultiplied), which a window takes as they are
// where a PNG would first have to be decoded.
#include <cstdio>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fputs("usage: tavolix-render-icon ICON.svg SIZE OUT.png|OUT.rgba\n", stderr);
    return 2;
  }
  // No application and no display: the icon is drawn into an image.
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  const int size = QString::fromLocal8Bit(argv[2]).toInt();
  if (!svg.isValid() || size < 1) {
    std::fprintf(stderr, "tavolix-render-icon: cannot render %s at %s px\n", argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter, QRectF(0, 0, size, size));
  painter.end();
  const QString out = QString::fromLocal8Bit(argv[3]);
  bool written = false;
  if (out.endsWith(QStringLiteral(".rgba"))) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile file(out);
    written = file.open(QIODevice::WriteOnly);
    for (int y = 0; written && y < size; ++y) {
      const auto row = reinterpret_cast<const char*>(pixels.constScanLine(y));
      written = file.write(row, qint64(size) * 4) == qint64(size) * 4;
    }
    written = written && file.flush();
  } else {
    written = image.save(out, "PNG");
  }
  if (!written) {
    std::fprintf(stderr, "tavolix-render-icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
