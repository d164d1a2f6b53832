// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "artwork.h"

#include <array>
#include <cmath>

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include "tile_sets.h"

namespace tavolix::artwork {

namespace {

// The outline of a title in bold Arial, its letters `spacing` apart, cut at
// kTextPixels and scaled.
QPainterPath titleOutline(const QString& caption, qreal pixelSize, qreal spacing) {
  const qreal scale = pixelSize / kTextPixels;
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(kTextPixels);
  font.setLetterSpacing(QFont::AbsoluteSpacing, spacing / scale);
  QPainterPath outline;
  outline.addText(0, 0, font, caption);
  return QTransform::fromScale(scale, scale).map(outline);
}

// --- the table -------------------------------------------------------------

void strokeBevel(QPainter& p, const QPolygonF& shape, const QColor& lit, const QColor& shaded,
                 qreal width) {
  // Each edge is lit when it faces up or left, shaded when it faces down or right.
  for (int i = 0; i < shape.size(); ++i) {
    const QPointF a = shape[i];
    const QPointF b = shape[(i + 1) % shape.size()];
    const QPointF along = b - a;
    const QPointF outward(along.y(), -along.x());  // clockwise polygons: left of travel is outside
    p.setPen(QPen(outward.y() < 0 || outward.x() < 0 ? lit : shaded, width, Qt::SolidLine,
                  Qt::SquareCap));
    p.drawLine(a, b);
  }
}

// The felt's outline: its top and bottom edges step inwards over their middle
// third, where the top seat's tiles and the player's hand lie outside it.
QPolygonF feltOutline(qreal inset) {
  // The commands and the top seat's name and score stay on the dark band above it.
  const qreal left = 3 + inset, right = 797 - inset;
  const qreal top = 114 + inset, bottom = 597 - inset;
  const qreal notchLeft = 267 - inset, notchRight = 533 + inset;
  const qreal notchTop = 139 + inset, notchBottom = 526 - inset;
  return QPolygonF({{left, top},
                    {notchLeft, top},
                    {notchLeft, notchTop},
                    {notchRight, notchTop},
                    {notchRight, top},
                    {right, top},
                    {right, bottom},
                    {notchRight, bottom},
                    {notchRight, notchBottom},
                    {notchLeft, notchBottom},
                    {notchLeft, bottom},
                    {left, bottom}});
}

void paintTitleStrip(QPainter& p) {
  const QRectF strip(3, 21, 794, 39);
  QLinearGradient grey(strip.topLeft(), strip.bottomLeft());
  grey.setColorAt(0, QColor(222, 224, 226));
  grey.setColorAt(1, QColor(176, 180, 184));
  p.setPen(Qt::NoPen);
  p.setBrush(grey);
  p.drawRect(strip);
  strokeBevel(p, QPolygonF(strip), QColor(246, 246, 246), QColor(104, 108, 112), 1.2);

  // The same at every paint (the table is painted again under every tile that
  // moves): laid out once.
  static const QPainterPath title = [&strip] {
    QPainterPath outline = titleOutline(QStringLiteral("TAVOLIX"), 26, 5);
    const QRectF bounds = outline.boundingRect();
    outline.translate(400 - bounds.center().x(), strip.center().y() - bounds.center().y());
    return outline;
  }();
  p.setPen(QPen(QColor(70, 74, 80), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(title);

  paintWindowGlyph(p, WindowGlyph::Minimise, QRectF(690, 27, 25, 25), false);
  paintWindowGlyph(p, WindowGlyph::FullScreen, QRectF(716, 25, 30, 31), false);
  paintWindowGlyph(p, WindowGlyph::Close, QRectF(745, 26, 30, 29), false);
}

constexpr qreal kFrameWidth = 7;

void paintFelt(QPainter& p) {
  const QPolygonF frame = feltOutline(0);
  const QPolygonF felt = feltOutline(kFrameWidth);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(138, 142, 140));
  p.drawPolygon(frame);
  strokeBevel(p, frame, QColor(214, 216, 214), QColor(62, 64, 64), 2);
  p.setBrush(kFelt);
  p.drawPolygon(felt);
  // The felt lies below the frame: its inner edge is shaded where the frame is lit.
  strokeBevel(p, felt, QColor(70, 72, 72), QColor(200, 202, 200), 1.6);
}

QPainterPath metallicTitle(const QRectF& band, qreal pixelSize, const QString& caption) {
  QPainterPath text = titleOutline(caption, std::floor(pixelSize), pixelSize * 0.08);
  const QRectF bounds = text.boundingRect();
  text.translate(band.center() - bounds.center());
  return text;
}

}  // namespace

void paintTable(QPainter& painter, const QRectF& target, const QRectF& exposed) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.topLeft());
  painter.scale(target.width() / 800.0, target.height() / 600.0);
  const QRectF shown = exposed.isNull() ? QRectF(0, 0, 800, 600)
                                        : painter.worldTransform().inverted().mapRect(exposed);
  painter.fillRect(QRectF(0, 0, 800, 600), kSurround);
  paintFelt(painter);
  // A tile moving over the felt uncovers none of the title strip: its title
  // and glyphs, the dearest part of the picture, are left alone.
  if (shown.intersects(QRectF(0, 18, 800, 45))) paintTitleStrip(painter);
  painter.restore();
}

void paintWindowGlyph(QPainter& p, WindowGlyph glyph, const QRectF& target, bool highlighted) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (highlighted) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRoundedRect(target.adjusted(1, 1, -1, -1), 3, 3);
  }
  const QColor ink(48, 50, 54);
  const QPointF c = target.center();
  const qreal s = std::min(target.width(), target.height()) * 0.26;
  switch (glyph) {
    case WindowGlyph::Minimise: {
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      p.drawPolygon(QPolygonF(
          {c + QPointF(-s, -s * 0.6), c + QPointF(s, -s * 0.6), c + QPointF(0, s * 0.9)}));
      break;
    }
    case WindowGlyph::FullScreen: {
      p.setPen(QPen(ink, 1.6));
      p.setBrush(Qt::NoBrush);
      const QRectF back(c + QPointF(-s * 0.55, -s * 1.05), QSizeF(s * 1.6, s * 1.35));
      const QRectF front(c + QPointF(-s * 1.05, -s * 0.35), QSizeF(s * 1.6, s * 1.35));
      p.drawRect(back);
      p.setBrush(QColor(205, 208, 211));
      p.drawRect(front);
      break;
    }
    case WindowGlyph::Close: {
      p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(c + QPointF(-s, -s), c + QPointF(s, s));
      p.drawLine(c + QPointF(-s, s), c + QPointF(s, -s));
      break;
    }
  }
  p.restore();
}

void paintSplashBanner(QPainter& painter, const QRectF& target) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.topLeft());
  painter.scale(target.width() / 500.0, target.height() / 160.0);

  painter.fillRect(QRectF(0, 0, 500, 160), kFelt);
  const QRectF inner(6, 6, 488, 148);
  const auto bar = [&](const QRectF& r) {
    QLinearGradient grey(r.topLeft(), r.bottomLeft());
    grey.setColorAt(0, QColor(226, 228, 230));
    grey.setColorAt(1, QColor(168, 172, 176));
    painter.fillRect(r, grey);
    strokeBevel(painter, QPolygonF(r), QColor(250, 250, 250), QColor(96, 100, 104), 1.5);
  };
  bar(QRectF(inner.left(), inner.top(), inner.width(), 20));
  bar(QRectF(inner.left(), inner.bottom() - 20, inner.width(), 20));
  const QRectF band(inner.left(), inner.top() + 20, inner.width(), inner.height() - 40);
  QLinearGradient navy(band.topLeft(), band.bottomLeft());
  navy.setColorAt(0, QColor(14, 30, 74));
  navy.setColorAt(0.5, QColor(8, 20, 54));
  navy.setColorAt(1, QColor(14, 30, 74));
  painter.fillRect(band, navy);

  const QPainterPath title =
      metallicTitle(band.adjusted(0, -4, 0, -4), 66, QStringLiteral("TAVOLIX"));
  QLinearGradient metal(title.boundingRect().topLeft(), title.boundingRect().bottomLeft());
  metal.setColorAt(0, QColor(250, 250, 252));
  metal.setColorAt(0.45, QColor(176, 184, 196));
  metal.setColorAt(0.55, QColor(120, 128, 142));
  metal.setColorAt(1, QColor(226, 230, 236));
  painter.setPen(QPen(QColor(20, 24, 32), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(metal);
  painter.drawPath(title);
  painter.setPen(QPen(QColor(255, 255, 255, 110), 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(title.translated(-0.8, -0.8));
  painter.restore();
}

QSizeF dialogPictureSize(DialogPicture picture) {
  return picture == DialogPicture::NovoJogo ? QSizeF(479, 298) : QSizeF(384, 256);
}

void paintDialogPicture(QPainter& painter, DialogPicture picture, const QRectF& target,
                        const QString& title) {
  const QSizeF size = dialogPictureSize(picture);
  const bool novoJogo = picture == DialogPicture::NovoJogo;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.topLeft());
  painter.scale(target.width() / size.width(), target.height() / size.height());

  const QRectF whole(QPointF(0, 0), size);
  painter.fillRect(whole, kFelt);
  strokeBevel(painter, QPolygonF(whole.adjusted(1, 1, -1, -1)), QColor(120, 200, 120),
              QColor(4, 60, 8), 2);

  // The navy panel, sunk into the frame.
  const QRectF panel = novoJogo ? QRectF(8, 52, 463, 203) : QRectF(8, 52, 368, 160);
  QLinearGradient navy(panel.topLeft(), panel.bottomLeft());
  navy.setColorAt(0, QColor(12, 26, 66));
  navy.setColorAt(1, QColor(6, 16, 44));
  painter.fillRect(panel, navy);
  strokeBevel(painter, QPolygonF(panel), QColor(2, 40, 6), QColor(140, 210, 140), 1.5);

  // The title in its raised tab.
  const QRectF tab = novoJogo ? QRectF(132, 6, 215, 40) : QRectF(88, 6, 208, 40);
  QLinearGradient plate(tab.topLeft(), tab.bottomLeft());
  plate.setColorAt(0, QColor(18, 150, 28));
  plate.setColorAt(1, QColor(8, 96, 14));
  painter.setBrush(plate);
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(tab, 6, 6);
  strokeBevel(painter, QPolygonF(tab), QColor(150, 230, 150), QColor(2, 50, 6), 1.5);
  const QPainterPath text = metallicTitle(tab, 22, title.toUpper());
  QLinearGradient metal(text.boundingRect().topLeft(), text.boundingRect().bottomLeft());
  metal.setColorAt(0, QColor(252, 252, 254));
  metal.setColorAt(0.5, QColor(150, 158, 172));
  metal.setColorAt(1, QColor(230, 234, 240));
  painter.setPen(QPen(QColor(10, 30, 12), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(metal);
  painter.drawPath(text);

  // Dark plates under the commands.
  const auto buttonPlate = [&](const QRectF& r) {
    QLinearGradient dark(r.topLeft(), r.bottomLeft());
    dark.setColorAt(0, QColor(44, 50, 58));
    dark.setColorAt(1, QColor(16, 20, 26));
    painter.setPen(Qt::NoPen);
    painter.setBrush(dark);
    painter.drawRoundedRect(r, 5, 5);
    strokeBevel(painter, QPolygonF(r), QColor(110, 118, 130), QColor(0, 0, 0), 1.2);
  };
  if (novoJogo) {
    buttonPlate(QRectF(8, 262, 184, 28));
    buttonPlate(QRectF(225, 262, 124, 28));
    buttonPlate(QRectF(346, 262, 125, 28));
  } else {
    buttonPlate(QRectF(272, 219, 100, 29));
  }
  painter.restore();
}

QCursor handPointer(qreal devicePixelRatio) {
  const int side = 32;
  QPixmap pixmap(QSize(side, side) * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);

  // A gloved hand pointing up with its index finger, the tip at (11, 1).
  QPainterPath hand;
  hand.moveTo(9, 3);
  hand.cubicTo(9, 0.5, 13, 0.5, 13, 3);  // index tip
  hand.lineTo(13, 12);
  hand.cubicTo(13, 10, 17, 10, 17, 12.5);    // middle finger
  hand.cubicTo(17, 10.5, 21, 10.5, 21, 13);  // ring finger
  hand.cubicTo(21, 11.5, 25, 11.5, 25, 14);  // little finger
  hand.lineTo(25, 21);
  hand.cubicTo(25, 26, 22, 29, 17, 29);
  hand.lineTo(13, 29);
  hand.cubicTo(10, 29, 8.5, 27, 7, 24.5);
  hand.lineTo(3, 17.5);
  hand.cubicTo(2, 15.5, 4.5, 14, 6.5, 15.5);  // thumb
  hand.lineTo(9, 18);
  hand.closeSubpath();
  p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(hand);
  p.setPen(QPen(QColor(90, 90, 90), 0.8));
  p.drawLine(QPointF(17, 14), QPointF(17, 19));
  p.drawLine(QPointF(21, 14.5), QPointF(21, 19));
  p.end();
  return QCursor(pixmap, 11, 1);
}

QPainterPath feltFrame() {
  QPainterPath outer;
  outer.addPolygon(feltOutline(0));
  QPainterPath inner;
  inner.addPolygon(feltOutline(kFrameWidth));
  return outer.subtracted(inner);
}

}  // namespace tavolix::artwork
