// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsObject>

namespace tavolix {

// A caption on the table, in a box of its own (twips), as the table's labels:
// the commands, the seat names and scores, the prompt and the message line.
// Commands are clickable; a disabled command is drawn dimmed and takes no clicks.
class LabelItem : public QGraphicsObject {
  Q_OBJECT

 public:
  struct Style {
    double points = 8.25;
    bool bold = true;
    QColor colour{224, 224, 224};
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // How a caption longer than its box is shown: running on past it (as the
    // commands do), set smaller to fit, or broken into lines and set smaller
    // only when the lines still do not fit.
    enum class Fit { RunsOn, Shrinks, Wraps };
    Fit fit = Fit::RunsOn;
  };

  LabelItem(const QString& caption, const QSizeF& box, const Style& style,
            QGraphicsItem* parent = nullptr);

  QString caption() const { return caption_; }
  const Style& style() const { return style_; }
  const QSizeF& box() const { return box_; }
  void setCaption(const QString& caption);
  // A command answers clicks of the left button.
  void setClickable(bool clickable);
  // Drawn in gold: the seat whose turn it is.
  void setHighlighted(bool highlighted);
  bool highlighted() const { return highlighted_; }
  // Where the caption's text lies, in the item's own twips.
  QRectF textRect() const;
  // What a screen reader says of it: a name (the caption by default, without
  // the commands' separator; what it is for while it has no caption) and what
  // it is for.
  void setAccessibleTexts(const QString& name, const QString& description);
  QString accessibleName() const;
  QString accessibleDescription() const { return description_; }
  bool clickable() const { return clickable_; }

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 Q_SIGNALS:
  void clicked();

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

 private:
  QString caption_;
  QSizeF box_;
  Style style_;
  QFont font_;     // at artwork::kTextPixels, scaled to the style's size
  double scale_;   // the style's size
  double fitted_;  // the size that fits the box
  bool clickable_ = false;
  bool highlighted_ = false;
  QString name_;
  QString description_;

  void fit();
  int drawFlags() const;
  QRectF drawArea() const;
  QRectF fontArea() const;
};

}  // namespace tavolix
