// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QGraphicsObject>

#include "artwork/artwork.h"

namespace tavolix {

// One picture on the table, the size of its picture (in twips), the way the
// table's picture boxes and images show theirs. Children are placed relative
// to it, as the half faces inside a tile.
class PictureItem : public QGraphicsObject {
  Q_OBJECT

 public:
  explicit PictureItem(Picture picture = Picture::ImgFrenteW, int element = 0,
                       QGraphicsItem* parent = nullptr);

  Picture picture() const { return picture_; }
  int element() const { return element_; }
  void setPicture(Picture picture, int element);

  // Left and Top, as the table calls them.
  double left() const { return x(); }
  double top() const { return y(); }
  double width() const { return size_.width(); }
  double height() const { return size_.height(); }

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  Picture picture_;
  int element_;
  QSizeF size_;
};

}  // namespace tavolix
