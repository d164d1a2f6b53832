#include "window_parts.h"

#include <algorithm>

#include <QFontMetricsF>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace tavolix {

void WindowMove::press(QWidget& window, QPoint pointer) {
  following_ = window.windowHandle() == nullptr || !window.windowHandle()->startSystemMove();
  grab_ = pointer;
  start_ = window.pos();
}

void WindowMove::follow(QWidget& window, QPoint pointer) const {
  if (following_) window.move(start_ + pointer - grab_);
}

DragStrip::DragStrip(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void DragStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) move_.press(*window(), event->globalPosition().toPoint());
}

void DragStrip::mouseMoveEvent(QMouseEvent* event) {
  move_.follow(*window(), event->globalPosition().toPoint());
}

void DragStrip::mouseReleaseEvent(QMouseEvent*) { move_.release(); }

CommandLabel::CommandLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

void CommandLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled() &&
      rect().contains(event->position().toPoint())) {
    Q_EMIT clicked();
  }
}

QFont fittingFont(QFont font, const QRectF& box, int flags, const QString& text) {
  // A twentieth smaller at a time: small print beats lost words.
  for (int step = 0; step < 40 && font.pixelSize() > 1; ++step) {
    const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
    if (needed.height() <= box.height() && needed.width() <= box.width()) break;
    font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * 0.95)));
  }
  return font;
}

void CentraForm(QWidget& window) {
  const QScreen* screen =
      window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect room = screen->geometry();
  window.move(room.x() + room.width() / 2 - window.width() / 2,
              room.y() + room.height() / 2 - window.height() / 2);
}

}  // namespace tavolix
