// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace tavolix {

// A frameless window resized by its edges: the pointer near one shows the
// resize cursor, and a press there lets the window system resize the window
// where it offers to; otherwise the window follows the pointer itself. Never
// smaller than half the table.
class EdgeResize : public QObject {
 public:
  static constexpr QSize kMinimum{400, 300};

  // `surface`: the widget covering the window that receives its mouse;
  // `allowed`: whether the window may be resized now (not in full screen).
  EdgeResize(QWidget& surface, QWidget& window, std::function<bool()> allowed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Qt::Edges edgesAt(QPoint at) const;

  QWidget& window_;
  QWidget& surface_;
  std::function<bool()> allowed_;
  Qt::Edges resizing_;
  QPoint resizeFrom_;
  QRect resizeStart_;
  bool edgeCursor_ = false;
};

}  // namespace tavolix
