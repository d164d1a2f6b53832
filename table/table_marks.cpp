// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_marks.h"

#include <cmath>

#include <QFont>
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

// "A" or "B" in a dark disc ringed with gold: an end's name.
class EndName : public QGraphicsItem {
 public:
  explicit EndName(QString letter) : letter_(std::move(letter)) {}
  static constexpr double kRadius = 170;
  QRectF boundingRect() const override {
    return QRectF(-kRadius - 10, -kRadius - 10, 2 * kRadius + 20, 2 * kRadius + 20);
  }
  const QString& letter() const { return letter_; }
  void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(QPen(kGold, 20));
    p->setBrush(QColor(25, 25, 25, 230));
    p->drawEllipse(QPointF(0, 0), kRadius, kRadius);
    QFont font = p->font();
    font.setBold(true);
    font.setPixelSize(230);
    p->setFont(font);
    p->setPen(Qt::white);
    p->drawText(boundingRect(), Qt::AlignCenter, letter_);
  }

 private:
  QString letter_;
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
  // An open end: a dashed ring just outside its half, so that its pips stay
  // bare and it differs from the last move's mark by more than its colour.
  for (QGraphicsRectItem*& end : ends_)
    end = markItem(scene, QPen(QColor(255, 255, 225, 235), 24, Qt::DashLine), Qt::NoBrush);
  for (int side = 0; side < 2; ++side) {
    endNames_[side] = new EndName(side == 0 ? QStringLiteral("A") : QStringLiteral("B"));
    endNames_[side]->setZValue(geometry::kCaptions);
    endNames_[side]->setAcceptedMouseButtons(Qt::NoButton);
    endNames_[side]->hide();
    scene.addItem(endNames_[side]);
  }
  pulse_.setInterval(250);
  connect(&pulse_, &QTimer::timeout, this, [marker] { marker->beat(); });
}

QString TableMarks::endNameLetter(int side) const {
  return static_cast<const EndName*>(endNames_[side])->letter();
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
  endNamesShown_ = false;  // the question is answered
  const QRectF tile = view->sceneBoundingRect();
  // Towards the open half; from a double, away from the chain's middle.
  const auto outward = [&tile](const QRectF& half, QPointF otherwise) {
    const QPointF d = half.center() - tile.center();
    const double length = std::hypot(d.x(), d.y());
    return length > 1 ? d / length : otherwise;
  };
  if (first) {
    // The first tile's first half is end A, its second end B; a double is open all round.
    endRects_[0] = halfOf(tile, openHalf == -1 ? -1 : 0);
    endRects_[1] = halfOf(tile, openHalf == -1 ? -1 : 1);
    outward_[0] = outward(endRects_[0], {-1, 0});
    outward_[1] = outward(endRects_[1], {1, 0});
  } else {
    const int side = sideA ? 0 : 1;
    endRects_[side] = halfOf(tile, openHalf);
    outward_[side] = outward(endRects_[side], outward_[side]);
  }
  place();
}

void TableMarks::clear() {
  lastView_ = nullptr;
  endRects_ = {};
  endNamesShown_ = false;
  place();
}

void TableMarks::showEndNames(bool shown) {
  endNamesShown_ = shown;
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
    const QRectF& end = endRects_[side];
    ends_[side]->setVisible(chainShown && !end.isEmpty());
    ends_[side]->setRect(end.adjusted(-30, -30, 30, 30));
    // Beside the end, past the ring, in the direction the chain grows there.
    endNames_[side]->setVisible(endNamesShown_ && !end.isEmpty());
    const QPointF out = outward_[side];
    const double reach = std::abs(out.x()) * end.width() / 2 + std::abs(out.y()) * end.height() / 2;
    endNames_[side]->setPos(end.center() + out * (reach + 60 + EndName::kRadius));
  }
}

}  // namespace tavolix
