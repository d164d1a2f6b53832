// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "window_button.h"

#include <QGraphicsSceneMouseEvent>

#include "twips.h"

namespace tavolix {

WindowButton::WindowButton(artwork::WindowGlyph glyph, const QSizeF& size, QGraphicsItem* parent)
    : QGraphicsObject(parent), glyph_(glyph), size_(size) {
  setAcceptHoverEvents(true);
  setAcceptedMouseButtons(Qt::LeftButton);
}

QRectF WindowButton::boundingRect() const { return QRectF(QPointF(0, 0), size_); }

void WindowButton::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  if (!lit_) return;  // the glyph itself is on the table picture
  painter->save();
  painter->scale(kTwipsPerPixel, kTwipsPerPixel);
  artwork::paintWindowGlyph(*painter, glyph_, QRectF(QPointF(0, 0), size_ / kTwipsPerPixel), true);
  painter->restore();
}

void WindowButton::hoverEnterEvent(QGraphicsSceneHoverEvent*) {
  lit_ = true;
  update();
}

void WindowButton::hoverLeaveEvent(QGraphicsSceneHoverEvent*) {
  lit_ = false;
  update();
}

void WindowButton::mousePressEvent(QGraphicsSceneMouseEvent* event) { event->accept(); }

void WindowButton::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
  if (event->button() == Qt::LeftButton && boundingRect().contains(event->pos())) Q_EMIT clicked();
}

}  // namespace tavolix
