// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QGraphicsView>
#include <QPointer>
#include <QTextBoundaryFinder>

#include <algorithm>

#include "label_item.h"
#include "pacer.h"
#include "picture_item.h"
#include "table_reading.h"
#include "table_scene.h"
#include "table_view.h"

namespace tavolix {

TableStatus::TableStatus(QObject* parent) : QObject(parent) {
  hold_.setSingleShot(true);
  connect(&hold_, &QTimer::timeout, this, [this] {
    if (waiting_.empty()) return;
    const QString next = waiting_.front().text;
    waiting_.erase(waiting_.begin());
    show(next);
    if (!waiting_.empty() && !hold_.isActive()) hold_.start(0);  // the pace went to 0
  });
}

void TableStatus::setText(const QString& text, bool move) {
  if (!hold_.isActive() && waiting_.empty()) {
    show(text);
    return;
  }
  // Read for a while yet: the text waits its turn, in place of a newer-dated
  // one that tells no move.
  if (!waiting_.empty() && !waiting_.back().move) {
    waiting_.back() = {text, move};
  } else {
    waiting_.push_back({text, move});
  }
  if (!hold_.isActive()) hold_.start(0);
}

void TableStatus::sayNow(const QString& text) {
  hold_.stop();
  waiting_.clear();
  text_.clear();
  show(text);
}

void TableStatus::show(const QString& text) {
  if (text == text_) return;
  text_ = text;
  if (!text.isEmpty()) {
    recent_.append(text);
    while (recent_.size() > kRecent) recent_.removeFirst();
  }
  if (const int ms = pacer::scaled(kReadMs); ms > 0) hold_.start(ms);
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

// The children of a part of the table that lists others: the one at `index`,
// and the index of one.
template <class Part>
QAccessibleInterface* partAt(const std::vector<Part*>& all, int index) {
  return index >= 0 && index < static_cast<int>(all.size())
             ? QAccessible::queryAccessibleInterface(all[static_cast<std::size_t>(index)])
             : nullptr;
}
template <class Part>
int partIndex(const std::vector<Part*>& all, const QAccessibleInterface* child) {
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (child != nullptr && child->object() == all[i]) return static_cast<int>(i);
  }
  return -1;
}

// Where a scene item is on the screen.
QRect screenRect(const QGraphicsItem& item) {
  QGraphicsView* view = viewOf(item);
  if (view == nullptr) return {};
  const QRect local = view->mapFromScene(item.sceneBoundingRect()).boundingRect();
  return QRect(view->viewport()->mapToGlobal(local.topLeft()), local.size());
}

// A read-only text for review modes and braille: `whole()` read by
// characters, words, lines or all at once.
class ReadOnlyText : public QAccessibleTextInterface {
 public:
  virtual QString whole() const = 0;

  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override {
    const QString all = whole();
    start = std::clamp(start, 0, static_cast<int>(all.size()));
    end = end < 0 ? static_cast<int>(all.size())
                  : std::clamp(end, start, static_cast<int>(all.size()));
    return all.mid(start, end - start);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                           int* end) const override {
    int s = 0;
    int e = 0;
    bounds(offset, type, &s, &e);
    return s > 0 ? textAtOffset(s - 1, type, start, end) : (*start = *end = 0, QString());
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                          int* end) const override {
    int s = 0;
    int e = 0;
    bounds(offset, type, &s, &e);
    return e < static_cast<int>(whole().size()) ? textAtOffset(e, type, start, end)
                                                : (*start = *end = e, QString());
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                       int* end) const override {
    bounds(offset, type, start, end);
    return text(*start, *end);
  }
  int characterCount() const override { return static_cast<int>(whole().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  // The piece of the text holding `offset`: a character, a word, a sentence, a line, or all.
  void bounds(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const {
    const QString all = whole();
    const int size = static_cast<int>(all.size());
    offset = std::clamp(offset, 0, size);
    if (type == QAccessible::NoBoundary || size == 0) {
      *start = 0;
      *end = size;
      return;
    }
    if (type == QAccessible::CharBoundary) {
      *start = std::min(offset, size - 1);
      *end = *start + 1;
      return;
    }
    if (type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary) {
      *start = offset > 0 ? static_cast<int>(all.lastIndexOf(u'\n', offset - 1)) + 1 : 0;
      const int next = static_cast<int>(all.indexOf(u'\n', offset));
      *end = next < 0 ? size : next + 1;
      return;
    }
    QTextBoundaryFinder finder(type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                 : QTextBoundaryFinder::Sentence,
                               all);
    finder.setPosition(offset);
    *start = finder.isAtBoundary() ? offset : static_cast<int>(finder.toPreviousBoundary());
    if (*start < 0) *start = 0;
    finder.setPosition(offset);
    const qsizetype next = finder.toNextBoundary();
    *end = next < 0 ? size : static_cast<int>(next);
  }
};

// A caption or command of the table.
class LabelAccessible : public QAccessibleObject,
                        public QAccessibleActionInterface,
                        public ReadOnlyText {
 public:
  explicit LabelAccessible(LabelItem* label) : QAccessibleObject(label) {}
  LabelItem* label() const { return static_cast<LabelItem*>(object()); }
  // A caption's text, the message line's too, for review modes and braille.
  QString whole() const override { return label()->clickable() ? QString() : label()->caption(); }

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
  QRect rect() const override { return screenRect(*label()); }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface && label()->clickable())
      return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::TextInterface && !label()->clickable())
      return static_cast<QAccessibleTextInterface*>(this);
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

// The status line: what happens at the table; its text the last few said,
// one a line, the newest last.
class StatusAccessible : public QAccessibleObject, public ReadOnlyText {
 public:
  StatusAccessible(TableStatus* status) : QAccessibleObject(status) {}
  QString whole() const override { return status()->recent().join(u'\n'); }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleObject::interface_cast(type);
  }
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

TableScene* sceneOf(const QObject* part) {
  for (QObject* o = part->parent(); o != nullptr; o = o->parent()) {
    if (auto* scene = qobject_cast<TableScene*>(o)) return scene;
  }
  return nullptr;
}

QAccessibleInterface* viewInterface(const QGraphicsScene* scene) {
  return scene != nullptr && !scene->views().isEmpty()
             ? QAccessible::queryAccessibleInterface(scene->views().front())
             : nullptr;
}

QString layOnA() { return QCoreApplication::translate("HandList", "Jogar na ponta A"); }
QString layOnB() { return QCoreApplication::translate("HandList", "Jogar na ponta B"); }

// A tile of the player's hand: its pips and where it goes; pressed, it is laid.
class HandTileAccessible : public QAccessibleObject, public QAccessibleActionInterface {
 public:
  HandTileAccessible(PictureItem* picture, TableScene* scene)
      : QAccessibleObject(picture), scene_(scene) {}
  PictureItem* picture() const { return static_cast<PictureItem*>(object()); }
  int slot() const { return scene_ != nullptr ? scene_->handSlotOf(picture()) : 0; }

  QAccessibleInterface* parent() const override {
    return scene_ != nullptr ? QAccessible::queryAccessibleInterface(&scene_->handList()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && scene_ != nullptr) return scene_->handTileReading(slot());
    if (t == QAccessible::Description)
      return QCoreApplication::translate("HandList", "Uma pedra da sua mão");
    return {};
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invisible = !picture()->isVisible();
    return s;
  }
  QRect rect() const override { return screenRect(*picture()); }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return QAccessibleObject::interface_cast(type);
  }
  QStringList actionNames() const override { return {pressAction(), layOnA(), layOnB()}; }
  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == pressAction()) return {QStringLiteral("Return")};
    if (action == layOnA()) return {QStringLiteral("A")};
    if (action == layOnB()) return {QStringLiteral("B")};
    return {};
  }
  // Answered at once, worked after, as the table's commands.
  void doAction(const QString& action) override {
    const int end = action == layOnA() ? 0 : action == layOnB() ? 1 : -1;
    if (scene_ == nullptr || (end < 0 && action != pressAction())) return;
    QMetaObject::invokeMethod(
        &scene_->handList(),
        [list = QPointer<HandList>(&scene_->handList()), slot = slot(), end] {
          if (list != nullptr && slot > 0) Q_EMIT list->tilePressed(slot, end);
        },
        Qt::QueuedConnection);
  }

 private:
  TableScene* scene_;
};

// The hand: a list of its tiles, in their order.
class HandListAccessible : public QAccessibleObject {
 public:
  explicit HandListAccessible(HandList* list) : QAccessibleObject(list) {}
  TableScene* scene() const { return sceneOf(object()); }
  std::vector<PictureItem*> tiles() const {
    std::vector<PictureItem*> shown;
    TableScene* table = scene();
    if (table == nullptr) return shown;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (!table->handTileReading(slot).isEmpty()) shown.push_back(table->handPicture(slot));
    }
    return shown;
  }
  QAccessibleInterface* parent() const override { return viewInterface(scene()); }
  int childCount() const override { return static_cast<int>(tiles().size()); }
  QAccessibleInterface* child(int index) const override { return partAt(tiles(), index); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return partIndex(tiles(), child);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return QCoreApplication::translate("HandList", "Sua mão");
    if (t == QAccessible::Description) {
      return QCoreApplication::translate(
          "HandList", "Suas pedras, cada uma com onde joga; H lê a mão, E lê a mesa");
    }
    return {};
  }
  QAccessible::Role role() const override { return QAccessible::List; }
  QAccessible::State state() const override { return {}; }
};

// The table in words.
class SummaryAccessible : public QAccessibleObject {
 public:
  explicit SummaryAccessible(TableSummary* summary) : QAccessibleObject(summary) {}
  TableScene* scene() const { return sceneOf(object()); }
  QAccessibleInterface* parent() const override { return viewInterface(scene()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && scene() != nullptr) return scene()->tableReading();
    if (t == QAccessible::Description) {
      return QCoreApplication::translate("HandList",
                                         "A mesa: as pontas, os passes e as pedras nas mãos");
    }
    return {};
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override { return {}; }
};

// The table itself: its captions and commands, the hand, the table in words,
// then its status.
class TableViewAccessible : public QAccessibleWidget {
 public:
  explicit TableViewAccessible(TableView* view) : QAccessibleWidget(view, QAccessible::Client) {}

  std::vector<QObject*> parts() const {
    std::vector<QObject*> parts;
    auto* scene = qobject_cast<TableScene*>(static_cast<TableView*>(widget())->scene());
    if (scene == nullptr) return parts;
    for (LabelItem* label : scene->accessibleCaptions()) parts.push_back(label);
    parts.push_back(&scene->handList());
    parts.push_back(&scene->summary());
    parts.push_back(&scene->status());
    return parts;
  }
  int childCount() const override { return static_cast<int>(parts().size()); }
  QAccessibleInterface* child(int index) const override { return partAt(parts(), index); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return partIndex(parts(), child);
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
  if (className == QLatin1String("tavolix::HandList"))
    return new HandListAccessible(static_cast<HandList*>(object));
  if (className == QLatin1String("tavolix::TableSummary"))
    return new SummaryAccessible(static_cast<TableSummary*>(object));
  // Of the table's pictures, only the hand's tiles are read.
  if (className == QLatin1String("tavolix::PictureItem")) {
    auto* picture = static_cast<PictureItem*>(object);
    auto* scene = qobject_cast<TableScene*>(picture->scene());
    if (scene != nullptr && scene->handSlotOf(picture) > 0)
      return new HandTileAccessible(picture, scene);
  }
  return nullptr;
}

}  // namespace

// --- the table in words, as the scene reads it ------------------------------

QString TableScene::handReading() const {
  if (state_ == nullptr) return reading::hand(GameState(), settings_);
  return reading::hand(*state_, settings_);
}

QString TableScene::handTileReading(int slot) const {
  if (state_ == nullptr || slot < 1 || slot > kHandSlots || state_->PedrasJog[slot].empty())
    return {};
  return reading::handTile(*state_, settings_, state_->PedrasJog[slot]);
}

QString TableScene::tableReading() const {
  std::array<std::string, 4> names;
  for (int seat = 0; seat < kSeatCount; ++seat)
    names[static_cast<std::size_t>(seat)] = LbPlayer[seat]->caption().toStdString();
  return reading::table(state_ != nullptr ? *state_ : GameState(), names);
}

void TableScene::tellSummaryChanged() {
  QString now = tableReading();
  if (now == summarySaid_) return;
  summarySaid_ = std::move(now);
  QAccessibleEvent changed(&summary_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
  Q_EMIT summary_.changed(summarySaid_);
}

int TableScene::handSlotOf(const QObject* picture) const {
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (PicJog[slot] == picture) return slot;
  }
  return 0;
}

void installTableAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(tableFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

}  // namespace tavolix
