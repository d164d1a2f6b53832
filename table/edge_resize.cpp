// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "edge_resize.h"

#include <algorithm>

#include <QMouseEvent>
#include <QWindow>

namespace tavolix {

namespace {

// How near the window's edge the pointer resizes it, in pixels.
constexpr int kEdge = 6;

Qt::CursorShape resizeCursor(Qt::Edges edges) {
  const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (horizontal && vertical) {
    const bool falling =
        edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

EdgeResize::EdgeResize(QWidget& surface, QWidget& window, std::function<bool()> allowed)
    : window_(window), surface_(surface), allowed_(std::move(allowed)) {
  window.setMinimumSize(kMinimum);
  surface.installEventFilter(this);
}

Qt::Edges EdgeResize::edgesAt(QPoint at) const {
  Qt::Edges edges;
  if (at.x() < kEdge) edges |= Qt::LeftEdge;
  if (at.x() >= window_.width() - kEdge) edges |= Qt::RightEdge;
  if (at.y() < kEdge) edges |= Qt::TopEdge;
  if (at.y() >= window_.height() - kEdge) edges |= Qt::BottomEdge;
  return edges;
}

bool EdgeResize::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != &surface_ || (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
                               type != QEvent::MouseButtonRelease)) {
    return false;
  }
  if (!allowed_()) return false;
  // Only mouse events are looked at as such.
  const auto mouse = [event] { return static_cast<QMouseEvent*>(event); };
  switch (event->type()) {
    case QEvent::MouseMove: {
      if (resizing_) {
        // Where the window system does not resize the window, it follows the pointer.
        const QPoint moved = mouse()->globalPosition().toPoint() - resizeFrom_;
        QRect r = resizeStart_;
        if (resizing_ & Qt::LeftEdge)
          r.setLeft(std::min(r.left() + moved.x(), r.right() + 1 - kMinimum.width()));
        if (resizing_ & Qt::RightEdge)
          r.setRight(std::max(r.right() + moved.x(), r.left() - 1 + kMinimum.width()));
        if (resizing_ & Qt::TopEdge)
          r.setTop(std::min(r.top() + moved.y(), r.bottom() + 1 - kMinimum.height()));
        if (resizing_ & Qt::BottomEdge)
          r.setBottom(std::max(r.bottom() + moved.y(), r.top() - 1 + kMinimum.height()));
        window_.setGeometry(r);
        return true;
      }
      const Qt::Edges edges = edgesAt(surface_.mapTo(&window_, mouse()->position().toPoint()));
      if (edges) {
        surface_.setCursor(resizeCursor(edges));
        edgeCursor_ = true;
      } else if (edgeCursor_) {
        surface_.unsetCursor();
        edgeCursor_ = false;
      }
      return false;
    }
    case QEvent::MouseButtonPress: {
      const Qt::Edges edges = edgesAt(surface_.mapTo(&window_, mouse()->position().toPoint()));
      if (!edges || mouse()->button() != Qt::LeftButton) return false;
      if (window_.windowHandle() != nullptr && window_.windowHandle()->startSystemResize(edges))
        return true;
      resizing_ = edges;
      resizeFrom_ = mouse()->globalPosition().toPoint();
      resizeStart_ = window_.geometry();
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!resizing_) return false;
      resizing_ = {};
      return true;
    default:
      return false;
  }
}

}  // namespace tavolix
