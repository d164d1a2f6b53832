// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_marks.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QPen>

#include "game/table_geometry.h"

namespace tavolix {

namespace {

const QColor kGold(255, 214, 64);

// A small gold arrow pointing at the name of the seat to move; three dots
// after the name pulse while the seat thinks.
class TurnMarker : public QGraphicsObject {
 public:
  QRectF boundingRect() const override { return QRectF(-620, -120, 620 + dotsRight_ + 420, 240); }
  void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(QPen(QColor(60, 40, 0), 12));
    p->setBrush(kGold);
    p->drawPolygon(QPolygonF({{-190, -90}, {-40, 0}, {-190, 90}}));
    if (!thinking_) return;
    p->setPen(Qt::NoPen);
    for (int dot = 0; dot < 3; ++dot) {
      QColor c = kGold;
      c.setAlphaF(dot == beat_ % 3 ? 1.0 : 0.35);
      p->setBrush(c);
      const double x = dotsBefore_ ? -520 + dot * 110 : dotsRight_ + 90 + dot * 110;
      p->drawEllipse(QPointF(x, 40), 38, 38);
    }
  }
  // `textWidth`: the name's width, after which the dots come, unless the name
  // ends at the table's edge: then they come before the arrow.
  void set(double textWidth, bool thinking, bool dotsBefore) {
    prepareGeometryChange();
    dotsRight_ = textWidth;
    thinking_ = thinking;
    dotsBefore_ = dotsBefore;
    update();
  }
  void beat() {
    ++beat_;
    update();
  }

 private:
  double dotsRight_ = 0;
  bool thinking_ = false;
  bool dotsBefore_ = false;
  int beat_ = 0;
};

// Half 0 (first) or 1 (second) of a tile lying on the table; -1 the whole tile.
QRectF halfOf(const QRectF& tile, int half) {
  if (half != 0 && half != 1) return tile;
  QRectF h = tile;
  if (tile.height() > tile.width()) {
    h.setHeight(tile.height() / 2);
    if (half == 1) h.moveTop(tile.center().y());
  } else {
    h.setWidth(tile.width() / 2);
    if (half == 1) h.moveLeft(tile.center().x());
  }
  return h;
}

QGraphicsRectItem* markItem(QGraphicsScene& scene, QPen pen, QBrush brush) {
  auto* item = scene.addRect(QRectF(), pen, brush);
  item->setZValue(geometry::kChainMarks);
  item->setAcceptedMouseButtons(Qt::NoButton);
  item->hide();
  return item;
}

}  // namespace

TableMarks::TableMarks(QGraphicsScene& scene, const Settings& settings,
                       const std::array<LabelItem*, 4>& names)
    : settings_(settings), names_(names) {
  auto* marker = new TurnMarker;
  marker_ = marker;
  marker_->setZValue(geometry::kCaptions);
  marker_->setAcceptedMouseButtons(Qt::NoButton);
  marker_->hide();
  scene.addItem(marker_);
  lastMove_ = markItem(scene, QPen(QColor(255, 230, 120, 220), 45), Qt::NoBrush);
  for (QGraphicsRectItem*& end : ends_)
    end = markItem(scene, QPen(QColor(255, 255, 210, 150), 20), QColor(255, 255, 190, 70));
  pulse_.setInterval(250);
  connect(&pulse_, &QTimer::timeout, this, [marker] { marker->beat(); });
}

void TableMarks::showTurn(int seat) {
  if (seat == seat_) return;
  seat_ = seat;
  thinking_ = false;
  place();
}

void TableMarks::showThinking(bool thinking) {
  if (thinking == thinking_) return;
  thinking_ = thinking;
  place();
}

void TableMarks::laid(const PictureItem* view, bool first, bool sideA, int openHalf) {
  lastView_ = view;
  const QRectF tile = view->sceneBoundingRect();
  if (first) {
    // The first tile's first half is end A, its second end B; a double is open all round.
    endRects_[0] = halfOf(tile, openHalf == -1 ? -1 : 0);
    endRects_[1] = halfOf(tile, openHalf == -1 ? -1 : 1);
  } else {
    endRects_[sideA ? 0 : 1] = halfOf(tile, openHalf);
  }
  place();
}

void TableMarks::clear() {
  lastView_ = nullptr;
  endRects_ = {};
  place();
}

void TableMarks::refresh() { place(); }

void TableMarks::place() {
  for (LabelItem* name : names_) name->setHighlighted(false);
  const bool turnShown = settings_.markTurn && seat_ >= 0 && seat_ < 4;
  if (turnShown) {
    LabelItem* name = names_[seat_];
    name->setHighlighted(true);
    const QRectF text = name->mapRectToScene(name->textRect());
    static_cast<TurnMarker*>(marker_)->set(text.width(), thinking_,
                                           geometry::captionEndsRight(seat_));
    marker_->setPos(text.left() - 20, text.center().y());
  }
  marker_->setVisible(turnShown);
  if (turnShown && thinking_) {
    pulse_.start();
  } else {
    pulse_.stop();
  }

  const bool chainShown = settings_.markLastMove && lastView_ != nullptr;
  lastMove_->setVisible(chainShown);
  if (chainShown) lastMove_->setRect(lastView_->sceneBoundingRect().adjusted(-25, -25, 25, 25));
  for (int side = 0; side < 2; ++side) {
    ends_[side]->setVisible(chainShown && !endRects_[side].isEmpty());
    ends_[side]->setRect(endRects_[side]);
  }
}

}  // namespace tavolix
