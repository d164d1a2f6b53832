// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QGraphicsView>
#include <QPointer>

#include "label_item.h"
#include "table_scene.h"
#include "table_view.h"

namespace tavolix {

void TableStatus::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  Q_EMIT announced(text_);
}

namespace {

QGraphicsView* viewOf(const QGraphicsItem& item) {
  const QGraphicsScene* scene = item.scene();
  return scene != nullptr && !scene->views().isEmpty() ? scene->views().front() : nullptr;
}

// A caption or command of the table.
class LabelAccessible : public QAccessibleObject, public QAccessibleActionInterface {
 public:
  explicit LabelAccessible(LabelItem* label) : QAccessibleObject(label) {}
  LabelItem* label() const { return static_cast<LabelItem*>(object()); }

  QAccessibleInterface* parent() const override {
    QGraphicsView* view = viewOf(*label());
    return view != nullptr ? QAccessible::queryAccessibleInterface(view) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return label()->accessibleName();
    if (t == QAccessible::Description) return label()->accessibleDescription();
    return {};
  }
  QAccessible::Role role() const override {
    return label()->clickable() ? QAccessible::Button : QAccessible::StaticText;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invisible = !label()->isVisible();
    s.disabled = label()->clickable() && !label()->isEnabled();
    return s;
  }
  QRect rect() const override {
    QGraphicsView* view = viewOf(*label());
    if (view == nullptr) return {};
    const QRect local = view->mapFromScene(label()->sceneBoundingRect()).boundingRect();
    return QRect(view->viewport()->mapToGlobal(local.topLeft()), local.size());
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface && label()->clickable())
      return static_cast<QAccessibleActionInterface*>(this);
    return QAccessibleObject::interface_cast(type);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  // The press is answered at once and worked after it: a command that opens a
  // dialog would otherwise hold the screen reader's call until it closed.
  void doAction(const QString& action) override {
    if (action != pressAction() || !label()->isEnabled()) return;
    QMetaObject::invokeMethod(
        label(),
        [pressed = QPointer<LabelItem>(label())] {
          if (pressed != nullptr && pressed->isEnabled()) Q_EMIT pressed->clicked();
        },
        Qt::QueuedConnection);
  }
};

// The status line: what happens at the table.
class StatusAccessible : public QAccessibleObject {
 public:
  StatusAccessible(TableStatus* status) : QAccessibleObject(status) {}
  TableStatus* status() const { return static_cast<TableStatus*>(object()); }
  QAccessibleInterface* parent() const override {
    for (QObject* o = status()->parent(); o != nullptr; o = o->parent()) {
      if (auto* scene = qobject_cast<QGraphicsScene*>(o); scene && !scene->views().isEmpty())
        return QAccessible::queryAccessibleInterface(scene->views().front());
    }
    return nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      return status()->text().isEmpty()
                 ? QCoreApplication::translate("TableStatus", "Nenhuma mão em jogo")
                 : status()->text();
    }
    if (t == QAccessible::Description)
      return QCoreApplication::translate("TableStatus", "O que acontece na mesa");
    return {};
  }
  QAccessible::Role role() const override { return QAccessible::StatusBar; }
  QAccessible::State state() const override { return {}; }
};

// The table itself: its captions and commands, then its status.
class TableViewAccessible : public QAccessibleWidget {
 public:
  explicit TableViewAccessible(TableView* view) : QAccessibleWidget(view, QAccessible::Client) {}

  std::vector<QObject*> parts() const {
    std::vector<QObject*> parts;
    auto* scene = qobject_cast<TableScene*>(static_cast<TableView*>(widget())->scene());
    if (scene == nullptr) return parts;
    for (LabelItem* label : scene->accessibleCaptions()) parts.push_back(label);
    parts.push_back(&scene->status());
    return parts;
  }
  int childCount() const override { return static_cast<int>(parts().size()); }
  QAccessibleInterface* child(int index) const override {
    const auto all = parts();
    return index >= 0 && index < static_cast<int>(all.size())
               ? QAccessible::queryAccessibleInterface(all[index])
               : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto all = parts();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (child != nullptr && child->object() == all[i]) return static_cast<int>(i);
    }
    return -1;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description) {
      return QCoreApplication::translate(
          "TableView",
          "Setas: escolher uma pedra; Enter ou seta para cima: jogá-la; A ou B: a ponta; "
          "P: passar a vez; Espaço: pegar uma pedra; F1: ajuda");
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* tableFactory(const QString& className, QObject* object) {
  // The game's window is a frame to a screen reader, as any application's.
  if (className == QLatin1String("tavolix::Form1"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  if (className == QLatin1String("tavolix::TableView"))
    return new TableViewAccessible(static_cast<TableView*>(object));
  if (className == QLatin1String("tavolix::LabelItem"))
    return new LabelAccessible(static_cast<LabelItem*>(object));
  if (className == QLatin1String("tavolix::TableStatus"))
    return new StatusAccessible(static_cast<TableStatus*>(object));
  return nullptr;
}

}  // namespace

void installTableAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(tableFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

}  // namespace tavolix
