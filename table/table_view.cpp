#include "table_view.h"

#include "artwork.h"
#include "game/chain_layout.h"

namespace tavolix {

TableView::TableView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
  setBackgroundBrush(artwork::kSurround);
  setAlignment(Qt::AlignCenter);
  setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
  setMouseTracking(true);
  fit();
}

void TableView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  fit();
}

void TableView::fit() {
  const QSize room = viewport()->size();
  const double factor = std::min(room.width() / double(table::kWidth), room.height() / double(table::kHeight));
  setTransform(QTransform::fromScale(factor, factor));
  centerOn(table::kWidth / 2.0, table::kHeight / 2.0);
}

}  // namespace tavolix
