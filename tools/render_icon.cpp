// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Renders the game's icon from its SVG into a square PNG, at build time:
//   tavolix-render-icon ICON.svg SIZE OUT.png
#include <cstdio>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fputs("usage: tavolix-render-icon ICON.svg SIZE OUT.png\n", stderr);
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
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "tavolix-render-icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
