// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The tiles: their bodies, backs and half faces in both sets.
#include "artwork.h"

#include <array>
#include <cmath>

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include "tile_sets.h"

namespace tavolix::artwork {

namespace {

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

}  // namespace tavolix::artwork
