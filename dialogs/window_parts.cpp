#include "window_parts.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace tavolix {

DragStrip::DragStrip(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void DragStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QWidget* top = window();
  if (top->windowHandle() != nullptr && top->windowHandle()->startSystemMove()) return;
  following_ = true;
  grab_ = event->globalPosition().toPoint();
  start_ = top->pos();
}

void DragStrip::mouseMoveEvent(QMouseEvent* event) {
  if (following_) window()->move(start_ + event->globalPosition().toPoint() - grab_);
}

void DragStrip::mouseReleaseEvent(QMouseEvent*) { following_ = false; }

CommandLabel::CommandLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

void CommandLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->position().toPoint())) {
    Q_EMIT clicked();
  }
}

void CentraForm(QWidget& window) {
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect room = screen->geometry();
  window.move(room.x() + room.width() / 2 - window.width() / 2, room.y() + room.height() / 2 - window.height() / 2);
}

}  // namespace tavolix
