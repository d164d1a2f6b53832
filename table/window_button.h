// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QGraphicsObject>

#include "artwork/artwork.h"

namespace tavolix {

// One of the window's buttons on the title strip: its glyph is part of the
// table picture; the button lights it up under the pointer and answers clicks.
class WindowButton : public QGraphicsObject {
  Q_OBJECT

 public:
  WindowButton(artwork::WindowGlyph glyph, const QSizeF& size, QGraphicsItem* parent = nullptr);

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 Q_SIGNALS:
  void clicked();

 protected:
  void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
  void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

 private:
  artwork::WindowGlyph glyph_;
  QSizeF size_;
  bool lit_ = false;
};

}  // namespace tavolix
