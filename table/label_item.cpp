// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "label_item.h"

#include <QAccessible>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

#include "artwork/artwork.h"
#include "twips.h"

namespace tavolix {

LabelItem::LabelItem(const QString& caption, const QSizeF& box, const Style& style,
                     QGraphicsItem* parent)
    : QGraphicsObject(parent),
      caption_(caption),
      box_(box),
      style_(style),
      font_(QStringLiteral("Arial")),
      scale_(static_cast<int>(pointsToTwips(style.points)) / double(artwork::kTextPixels)) {
  font_.setBold(style.bold);
  font_.setPixelSize(artwork::kTextPixels);
  setAcceptedMouseButtons(Qt::NoButton);
  setCacheMode(QGraphicsItem::DeviceCoordinateCache);
  fit();
}

int LabelItem::drawFlags() const {
  return static_cast<int>(style_.alignment) |
         (style_.fit == Style::Fit::Wraps ? Qt::TextWordWrap : 0);
}

// A twentieth smaller at a time until the caption fits its box: small print
// beats lost words.
void LabelItem::fit() {
  fitted_ = scale_;
  if (style_.fit == Style::Fit::RunsOn) return;
  const QFontMetricsF metrics(font_);
  for (int step = 0; step < 40 && fitted_ * artwork::kTextPixels > 1; ++step) {
    const QRectF box(QPointF(0, 0), box_ / fitted_);
    const QRectF needed = metrics.boundingRect(box, drawFlags(), caption_);
    if (needed.height() <= box.height() && needed.width() <= box.width()) break;
    fitted_ *= 0.95;
  }
}

void LabelItem::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  fit();
  update();
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

void LabelItem::setClickable(bool clickable) {
  clickable_ = clickable;
  setAcceptedMouseButtons(clickable ? Qt::LeftButton : Qt::NoButton);
}

void LabelItem::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  update();
}

// Where the text is laid out: a caption running on past its box to the left or
// right has its whole width; a centred or fitted one, its box.
QRectF LabelItem::drawArea() const {
  const bool runsOn =
      style_.fit == Style::Fit::RunsOn && style_.alignment & (Qt::AlignLeft | Qt::AlignRight);
  return runsOn ? boundingRect() : QRectF(QPointF(0, 0), box_);
}

// The same, in the units of the font the caption is scaled from.
QRectF LabelItem::fontArea() const {
  const QRectF area = drawArea();
  return QRectF(area.topLeft() / fitted_, area.size() / fitted_);
}

void LabelItem::setAccessibleTexts(const QString& name, const QString& description) {
  name_ = name;
  description_ = description;
}

QString LabelItem::accessibleName() const {
  if (!name_.isEmpty()) return name_;
  QString name = caption_;
  if (name.endsWith(QStringLiteral(" |"))) name.chop(2);
  // Empty for now (the player's name before he gives it, no message): named
  // by what it is for rather than by nothing.
  return name.isEmpty() ? description_ : name;
}

QRectF LabelItem::textRect() const {
  const QRectF text = QFontMetricsF(font_).boundingRect(fontArea(), drawFlags(), caption_);
  return QRectF(text.topLeft() * fitted_, text.size() * fitted_);
}

QRectF LabelItem::boundingRect() const {
  if (style_.fit != Style::Fit::RunsOn) return QRectF(QPointF(0, 0), box_);
  // Captions may run past their box, as a label's text does when it is longer:
  // to the right, or to the left when they end at the box's right edge.
  const QFontMetricsF metrics(font_);
  const double width = std::max(box_.width(), metrics.horizontalAdvance(caption_) * scale_ + 30);
  const double left = style_.alignment & Qt::AlignRight ? box_.width() - width : 0;
  return QRectF(left, 0, width, std::max(box_.height(), metrics.height() * scale_));
}

void LabelItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  if (caption_.isEmpty()) return;
  QColor colour = style_.colour;
  if (clickable_ && !isEnabled()) colour = QColor(128, 128, 128);
  if (highlighted_) colour = QColor(255, 214, 64);
  painter->setPen(colour);
  painter->setFont(font_);
  painter->save();
  painter->scale(fitted_, fitted_);
  painter->drawText(fontArea(), drawFlags(), caption_);
  painter->restore();
}

void LabelItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  if (event->button() == Qt::LeftButton) event->accept();
}

void LabelItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled() && boundingRect().contains(event->pos()))
    Q_EMIT clicked();
}

}  // namespace tavolix
