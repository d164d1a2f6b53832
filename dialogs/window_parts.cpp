// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "window_parts.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
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
  setAccessibleName(QCoreApplication::translate("window_parts", "Faixa do título"));
  setAccessibleDescription(
      QCoreApplication::translate("window_parts", "Arraste para mover a janela"));
}

void DragStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) move_.press(*window(), event->globalPosition().toPoint());
}

void DragStrip::mouseMoveEvent(QMouseEvent* event) {
  move_.follow(*window(), event->globalPosition().toPoint());
}

void DragStrip::mouseReleaseEvent(QMouseEvent*) { move_.release(); }

namespace {

// A command label as a screen reader sees it: a button that can be pressed.
class CommandAccessible : public QAccessibleWidget {
 public:
  explicit CommandAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<QLabel*>(widget())->text().remove(u'&');
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QAccessibleWidget::actionNames() << pressAction();
  }
  // Answered at once, worked after: see the table's commands.
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      if (!widget()->isEnabled()) return;
      QMetaObject::invokeMethod(
          widget(),
          [pressed = QPointer<CommandLabel>(static_cast<CommandLabel*>(widget()))] {
            if (pressed != nullptr && pressed->isEnabled()) Q_EMIT pressed->clicked();
          },
          Qt::QueuedConnection);
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* commandFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("tavolix::CommandLabel") && object->isWidgetType())
    return new CommandAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

CommandLabel::CommandLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  static const bool installed = (QAccessible::installFactory(commandFactory), true);
  Q_UNUSED(installed);
  setFocusPolicy(Qt::TabFocus);
}

void CommandLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && isEnabled()) {
    Q_EMIT clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

void CommandLabel::focusInEvent(QFocusEvent* event) {
  QLabel::focusInEvent(event);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
}

void CommandLabel::focusOutEvent(QFocusEvent* event) {
  QLabel::focusOutEvent(event);
  QFont f = font();
  f.setUnderline(false);
  setFont(f);
}

void completeAccessibleTexts(QWidget& dialog) {
  // Fields named by the labels that are their buddies.
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    QWidget* field = label->buddy();
    if (field != nullptr && field->accessibleName().isEmpty())
      field->setAccessibleName(label->text().remove(u'&').remove(u':').trimmed());
  }
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (w->accessibleName().isEmpty()) {
      QString name;
      if (auto* button = qobject_cast<QAbstractButton*>(w)) name = button->text();
      if (auto* label = qobject_cast<QLabel*>(w)) name = label->text();
      if (auto* group = qobject_cast<QGroupBox*>(w)) name = group->title();
      name = name.remove(u'&').trimmed();
      if (!name.isEmpty()) w->setAccessibleName(name);
    }
    // A caption says what it says: only what is worked gets the group or
    // window it lies in as its description.
    const bool caption =
        qobject_cast<QLabel*>(w) != nullptr && !w->inherits("tavolix::CommandLabel");
    if (w->accessibleDescription().isEmpty() && !caption) {
      QString context = dialog.windowTitle();
      for (QWidget* up = w->parentWidget(); up != nullptr && up != &dialog;
           up = up->parentWidget()) {
        if (auto* group = qobject_cast<QGroupBox*>(up)) {
          context = group->title().remove(u':').trimmed();
          break;
        }
      }
      w->setAccessibleDescription(context);
    }
  }
}

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

QString defaultPlayerName() {
  return QCoreApplication::translate("tavolix::FrmNovoJogo", "Jogador");
}

QString nameInLanguage(const QString& name) {
  // The two defaults: the game's own and its English translation.
  const bool isDefault = name == QLatin1String("Jogador") || name == QLatin1String("Player");
  return isDefault ? defaultPlayerName() : name;
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
