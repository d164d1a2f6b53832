// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_view.h"

#include <QKeyEvent>

#include "artwork/artwork.h"
#include "dialogs/table_style.h"
#include "game/table_geometry.h"

namespace tavolix {

TableView::TableView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                 QPainter::SmoothPixmapTransform);
  setBackgroundBrush(artwork::kSurround);
  // A window taller than the table keeps the table, and its title strip, at the top.
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
  setMouseTracking(true);
  fit();
}

void TableView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  fit();
}

void TableView::keyPressEvent(QKeyEvent* event) { event->ignore(); }

void TableView::fit() {
  const QSize room = viewport()->size();
  const double factor =
      std::min(room.width() / double(geometry::kWidth), room.height() / double(geometry::kHeight));
  setTransform(QTransform::fromScale(factor, factor));
  setTableScale(*window(), factor * geometry::kTwipsPerPixel);
  centerOn(geometry::kWidth / 2.0, geometry::kHeight / 2.0);
}

}  // namespace tavolix
