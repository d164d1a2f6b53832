// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "artwork.h"

#include <array>
#include <cmath>

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace tavolix::artwork {

namespace {

constexpr int kIvory = 0;
constexpr int kColourful = 1;

enum class Shadow { None, Table, Dark };
enum class Face { Front, Back };

// How one picture of a tile is drawn: where the tile's body lies inside the
// picture (pixels), its shadow, and whether it shows its face (a divider) or
// its back.
struct TileLook {
  QSizeF size;
  QRectF body;
  Shadow shadow;
  Face face;
};

// The bodies are placed so that the half faces, put where the table puts them,
// sit centred in their halves.
TileLook tileLook(Picture picture, int set) {
  const bool ivory = set == kIvory;
  switch (picture) {
    case Picture::ImgFrenteW:
      return ivory ? TileLook{{56, 29}, {1.83, 2.5, 50, 22}, Shadow::Table, Face::Front}
                   : TileLook{{56, 29}, {1.33, 2.5, 48, 22}, Shadow::Table, Face::Front};
    case Picture::ImgFrenteH:
      return ivory ? TileLook{{29, 56}, {1.83, 2.5, 22, 50}, Shadow::Table, Face::Front}
                   : TileLook{{29, 56}, {1.83, 2, 22, 48}, Shadow::Table, Face::Front};
    case Picture::PedraW:
      return ivory ? TileLook{{59, 33}, {2, 2, 52, 26}, Shadow::Dark, Face::Back}
                   : TileLook{{58, 31}, {2, 2, 51, 24}, Shadow::Dark, Face::Back};
    case Picture::PedraH:
      return ivory ? TileLook{{35, 61}, {2, 2, 27, 53}, Shadow::Dark, Face::Back}
                   : TileLook{{32, 58}, {2, 2, 25, 50}, Shadow::Dark, Face::Back};
    case Picture::PedraWR:
      return ivory ? TileLook{{59, 33}, {2, 2.5, 52, 26}, Shadow::Dark, Face::Front}
                   : TileLook{{58, 31}, {1.5, 1.5, 50, 24}, Shadow::Dark, Face::Front};
    case Picture::PedraHR:
      return ivory ? TileLook{{38, 64}, {3, 4, 28, 54}, Shadow::Dark, Face::Front}
                   : TileLook{{30, 57}, {1.7, 2, 24, 50}, Shadow::Dark, Face::Front};
    case Picture::ImgCostasW:
      return {{54, 27}, {0.5, 0.5, 53, 26}, Shadow::None, Face::Back};
    case Picture::ImgCostasH:
      return {{27, 54}, {0.5, 0.5, 26, 53}, Shadow::None, Face::Back};
    case Picture::ImgMontaoX:
      return ivory ? TileLook{{35, 62}, {2, 2, 27, 54}, Shadow::Table, Face::Back}
                   : TileLook{{35, 61}, {2, 2, 27, 53}, Shadow::Table, Face::Back};
    case Picture::ImgMove:
      return {{27, 54}, {0.5, 0.5, 26, 53}, Shadow::None, Face::Front};
    case Picture::ImgW:
    case Picture::imgh:
      break;
  }
  return {};
}

bool isHalfFace(Picture picture) { return picture == Picture::ImgW || picture == Picture::imgh; }

QSizeF halfFaceSize(Picture picture, int element) {
  if (element >= 7) return {17, 17};
  return picture == Picture::ImgW ? QSizeF(20, 17) : QSizeF(17, 20);
}

// --- tiles -----------------------------------------------------------------

struct TileColours {
  QColor light, dark, edge, divider, backMark;
};

TileColours coloursOf(int set) {
  if (set == kIvory)
    return {{255, 251, 238}, {226, 215, 186}, {150, 138, 108}, {128, 118, 94}, {205, 192, 158}};
  return {{46, 46, 48}, {14, 14, 15}, {0, 0, 0}, {120, 120, 120}, {70, 70, 72}};
}

void paintTile(QPainter& p, const TileLook& look, int set) {
  const QRectF body = look.body;
  const qreal radius = std::min(body.width(), body.height()) * 0.16;
  const TileColours c = coloursOf(set);

  if (look.shadow != Shadow::None) {
    const qreal offset = look.shadow == Shadow::Dark ? 3.5 : 2.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, look.shadow == Shadow::Dark ? 150 : 95));
    p.drawRoundedRect(body.translated(offset, offset), radius, radius);
  }

  QLinearGradient fill(body.topLeft(), body.bottomRight());
  fill.setColorAt(0, c.light);
  fill.setColorAt(1, c.dark);
  p.setBrush(fill);
  p.setPen(QPen(c.edge, 0.8));
  p.drawRoundedRect(body, radius, radius);

  // A rim of light along the upper left edge gives the tile its thickness.
  const QRectF rim = body.adjusted(1, 1, -1, -1);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(set == kIvory ? QColor(255, 255, 255, 150) : QColor(120, 120, 125, 120), 0.6));
  p.drawRoundedRect(rim, radius * 0.8, radius * 0.8);

  const bool lying = body.width() > body.height();
  if (look.face == Face::Front) {
    p.setPen(QPen(c.divider, 0.9, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = body.center();
    if (lying) {
      p.drawLine(QPointF(centre.x(), body.top() + body.height() * 0.14),
                 QPointF(centre.x(), body.bottom() - body.height() * 0.14));
    } else {
      p.drawLine(QPointF(body.left() + body.width() * 0.14, centre.y()),
                 QPointF(body.right() - body.width() * 0.14, centre.y()));
    }
    if (set == kColourful) {
      // The pin on the divider of the black tiles.
      QRadialGradient pin(centre - QPointF(0.4, 0.4), 1.8);
      pin.setColorAt(0, QColor(250, 240, 205));
      pin.setColorAt(1, QColor(150, 130, 80));
      p.setPen(QPen(QColor(40, 35, 25), 0.4));
      p.setBrush(pin);
      p.drawEllipse(centre, 1.5, 1.5);
    }
  } else {
    // A back: no divider, a sunken panel.
    const qreal inset = std::min(body.width(), body.height()) * 0.22;
    p.setPen(QPen(c.backMark, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(inset, inset, -inset, -inset), radius * 0.6, radius * 0.6);
  }
}

// --- half faces ------------------------------------------------------------

QColor pipColour(int pip, int set) {
  if (set == kIvory) return {74, 74, 74};
  switch (pip) {
    case 1:
      return {250, 250, 250};
    case 2:
      return {228, 34, 34};
    case 3:
      return {38, 206, 228};
    case 4:
      return {48, 196, 64};
    case 5:
      return {246, 214, 32};
    case 6:
      return {150, 18, 18};
    default:
      return {0, 0, 0, 0};
  }
}

// Where the pips of a half lie, as fractions of the half: the usual patterns,
// the six in two rows of three on a lying tile and two columns on an upright one.
std::vector<QPointF> pipSpots(int pip, bool lying) {
  const double lo = 0.24;
  const double hi = 0.76;
  const QPointF centre(0.5, 0.5);
  switch (pip) {
    case 1:
      return {centre};
    case 2:
      return {{lo, lo}, {hi, hi}};
    case 3:
      return {{lo, lo}, centre, {hi, hi}};
    case 4:
      return {{lo, lo}, {hi, lo}, {lo, hi}, {hi, hi}};
    case 5:
      return {{lo, lo}, {hi, lo}, centre, {lo, hi}, {hi, hi}};
    case 6:
      if (lying)
        return {{0.2, 0.28}, {0.5, 0.28}, {0.8, 0.28}, {0.2, 0.72}, {0.5, 0.72}, {0.8, 0.72}};
      return {{0.28, 0.2}, {0.28, 0.5}, {0.28, 0.8}, {0.72, 0.2}, {0.72, 0.5}, {0.72, 0.8}};
    default:
      return {};
  }
}

void paintHalfFace(QPainter& p, Picture picture, int element, const QRectF& half) {
  const int set = element >= 7 ? kColourful : kIvory;
  const int pip = element % 7;
  const qreal radius = std::min(half.width(), half.height()) * (set == kIvory ? 0.115 : 0.125);
  const QColor colour = pipColour(pip, set);
  for (const QPointF& spot : pipSpots(pip, picture == Picture::ImgW)) {
    const QPointF at(half.left() + spot.x() * half.width(), half.top() + spot.y() * half.height());
    if (set == kIvory) {
      // A drilled pip: darker rim, lighter floor.
      QRadialGradient hollow(at + QPointF(radius * 0.3, radius * 0.3), radius * 1.2);
      hollow.setColorAt(0, colour.lighter(135));
      hollow.setColorAt(1, colour.darker(150));
      p.setBrush(hollow);
      p.setPen(Qt::NoPen);
    } else {
      p.setBrush(colour);
      p.setPen(QPen(colour.darker(170), 0.35));
    }
    p.drawEllipse(at, radius, radius);
  }
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

  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(26);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 5);
  QPainterPath title;
  title.addText(0, 0, font, QStringLiteral("TAVOLIX"));
  const QRectF bounds = title.boundingRect();
  title.translate(400 - bounds.center().x(), strip.center().y() - bounds.center().y());
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
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(static_cast<int>(pixelSize));
  font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.08);
  QPainterPath text;
  text.addText(0, 0, font, caption);
  const QRectF bounds = text.boundingRect();
  text.translate(band.center() - bounds.center());
  return text;
}

}  // namespace

bool holds(Picture picture, int element) {
  if (isHalfFace(picture)) return element >= 0 && element <= 13;
  if (picture == Picture::PedraHR) return element >= 0 && element <= 3;
  return element == kIvory || element == kColourful;
}

QSizeF pictureSize(Picture picture, int element) {
  if (!holds(picture, element)) return {};
  if (isHalfFace(picture)) return halfFaceSize(picture, element);
  if (picture == Picture::PedraHR && element >= 2)
    return element == 2 ? QSizeF(34, 61) : QSizeF(30, 57);
  return tileLook(picture, element).size;
}

void paintPicture(QPainter& painter, Picture picture, int element, const QRectF& target) {
  const QSizeF size = pictureSize(picture, element);
  if (size.isEmpty() || target.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.topLeft());
  painter.scale(target.width() / size.width(), target.height() / size.height());
  if (isHalfFace(picture)) {
    paintHalfFace(painter, picture, element, QRectF(QPointF(0, 0), size));
  } else {
    paintTile(painter, tileLook(picture, element % 2), element % 2);
  }
  painter.restore();
}

void paintTable(QPainter& painter, const QRectF& target) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.topLeft());
  painter.scale(target.width() / 800.0, target.height() / 600.0);
  painter.fillRect(QRectF(0, 0, 800, 600), kSurround);
  paintFelt(painter);
  paintTitleStrip(painter);
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
