// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "picture_item.h"

#include "twips.h"

namespace tavolix {

PictureItem::PictureItem(Picture picture, int element, QGraphicsItem* parent)
    : QGraphicsObject(parent),
      picture_(picture),
      element_(element),
      size_(twips(artwork::pictureSize(picture, element))) {
  // Painted once at the screen's own resolution, again only when it changes or the table is zoomed.
  setCacheMode(QGraphicsItem::DeviceCoordinateCache);
}

void PictureItem::setPicture(Picture picture, int element) {
  if (picture == picture_ && element == element_) return;
  prepareGeometryChange();
  picture_ = picture;
  element_ = element;
  size_ = twips(artwork::pictureSize(picture, element));
  update();
}

QRectF PictureItem::boundingRect() const { return QRectF(QPointF(0, 0), size_); }

void PictureItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  artwork::paintPicture(*painter, picture_, element_, boundingRect());
}

}  // namespace tavolix
