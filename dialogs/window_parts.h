// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QFont>
#include <QLabel>
#include <QPoint>
#include <QWidget>

#include "game/table_geometry.h"

namespace tavolix {

// A window moved by a picture of it: the window system moves it where it
// offers to, otherwise the window follows the pointer from where it was pressed.
class WindowMove {
 public:
  void press(QWidget& window, QPoint pointer);
  void follow(QWidget& window, QPoint pointer) const;
  void release() { following_ = false; }

 private:
  bool following_ = false;
  QPoint grab_;
  QPoint start_;
};

// An invisible strip over a window's picture: pressing the left button on it
// moves the window.
class DragStrip : public QWidget {
  Q_OBJECT

 public:
  explicit DragStrip(QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  WindowMove move_;
};

// A command drawn as a caption on a window's picture: it answers a left click,
// and Space when Tab has brought it the focus (it is underlined then). Screen
// readers see a button.
class CommandLabel : public QLabel {
  Q_OBJECT

 public:
  CommandLabel(const QString& caption, QWidget* parent);

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// Completes what a screen reader needs of a dialog: every control without a
// name gets its visible text (a radio button with no text of its own, the
// caption beside it; a field, the label that is its buddy), and every one a
// person works without a description the title of the group or window it lies
// in (a caption is read as it stands).
void completeAccessibleTexts(QWidget& dialog);

// The twips of a window's design, in its pixels.
inline QRect fromTwips(int left, int top, int width, int height) {
  constexpr double k = geometry::kTwipsPerPixel;
  return QRect(qRound(left / k), qRound(top / k), qRound(width / k), qRound(height / k));
}

// `font`, or a smaller one, with which `text` drawn with `flags` fits `box`
// (a pixel size, in the units of the box). Long texts are set smaller rather
// than cut.
QFont fittingFont(QFont font, const QRectF& box, int flags, const QString& text);

// The name of a player who gave none, in the language in use. A name that is
// that default in either language ("Jogador", "Player") follows the language
// in use until the player writes one of his own.
QString defaultPlayerName();
QString nameInLanguage(const QString& name);

// Puts a window in the middle of its screen.
void CentraForm(QWidget& window);

}  // namespace tavolix
