// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "hand_drag.h"

#include <algorithm>
#include <cmath>

#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QGuiApplication>
#include <QPen>

#include "game/table_geometry.h"

namespace tavolix {

using namespace geometry;

namespace {

// Drawn only while the tile it rides on stands up: a new hand puts every tile
// back in the row before the choice is forgotten.
class ChoiceRing : public QGraphicsRectItem {
 public:
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override {
    if (parentItem() != nullptr && parentItem()->y() < kHandTop - 1)
      QGraphicsRectItem::paint(painter, option, widget);
  }
};

}  // namespace

HandDrag::HandDrag(TableScene& scene, TableGame& game, const Settings& settings,
                   SoundPlayer& sounds)
    : scene_(scene), game_(&game), settings_(settings), sounds_(sounds) {
  scene.addItem(this);
  // Gold, and wide enough to be seen without its colour; it rides on the tile chosen.
  ring_ = new ChoiceRing;
  ring_->setPen(QPen(QColor(255, 214, 64), 40));
  ring_->setAcceptedMouseButtons(Qt::NoButton);
  ring_->hide();
  scene.addItem(ring_);  // the scene's until it rides on a tile
  ImgMover1 = new PictureItem(Picture::imgh, 0, scene.PicMover);
  ImgMover2 = new PictureItem(Picture::imgh, 0, scene.PicMover);
  scene.PicMover->setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton);
  scene.PicMover->installSceneEventFilter(this);
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    scene.PicJog[slot]->setAcceptHoverEvents(true);
    scene.PicJog[slot]->installSceneEventFilter(this);
  }
}

bool HandDrag::blocked() const { return game_->state().JogBloqueado || waiting_ > 0; }

bool HandDrag::sceneEventFilter(QGraphicsItem* watched, QEvent* event) {
  // The scene asks the filter before it drops the input of a disabled item.
  if (!watched->isEnabled() || !watched->isVisible()) return false;
  if (watched == scene_.PicMover) {
    // The pointer's place inside the copy, from where the copy is now: the
    // scene may not yet have caught up with a move made a moment ago.
    const auto inside = [this](QEvent* e) {
      return static_cast<QGraphicsSceneMouseEvent*>(e)->scenePos() - scene_.PicMover->pos();
    };
    switch (event->type()) {
      case QEvent::GraphicsSceneMousePress:
        PicMover_MouseDown(static_cast<QGraphicsSceneMouseEvent*>(event)->button(),
                           inside(event).x(), inside(event).y());
        return true;
      case QEvent::GraphicsSceneMouseMove:
        PicMover_MouseMove(inside(event).x(), inside(event).y());
        return true;
      case QEvent::GraphicsSceneMouseRelease:
        PicMover_MouseUp(static_cast<QGraphicsSceneMouseEvent*>(event)->button());
        return true;
      case QEvent::UngrabMouse:
        // The mouse was taken away mid-carry (the window lost it): the tile
        // goes back to its place in the hand rather than float on the table.
        // (Later: the scene is still busy with its list of grabbers.)
        if (drag_.Arrastando == 1) {
          drag_.Arrastando = 0;
          afterThisEvent([this] { putBack(); });
        }
        return false;
      default:
        return false;
    }
  }
  if (event->type() == QEvent::GraphicsSceneHoverEnter ||
      event->type() == QEvent::GraphicsSceneHoverMove) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (watched == scene_.PicJog[slot]) PicJog_MouseMove(slot, QGuiApplication::mouseButtons());
    }
  }
  return false;
}

// The pointer over a slot: the copy covers it, looking the same, and takes the mouse from there.
void HandDrag::PicJog_MouseMove(int slot, Qt::MouseButtons buttons) {
  if (buttons & Qt::RightButton || blocked() || drag_.Arrastando == 1) return;
  PictureItem* under = scene_.PicJog[slot];
  PictureItem* mover = scene_.PicMover;
  mover->setPicture(under->picture(), under->element());
  ImgMover1->setPicture(scene_.imgjog1[slot]->picture(), scene_.imgjog1[slot]->element());
  ImgMover2->setPicture(scene_.ImgJog2[slot]->picture(), scene_.ImgJog2[slot]->element());
  ImgMover1->setPos(scene_.imgjog1[slot]->pos());
  ImgMover2->setPos(scene_.ImgJog2[slot]->pos());
  mover->setPos(under->pos());
  mover->show();
  drag_.PedraArrastada = slot;
}

void HandDrag::PicMover_MouseDown(Qt::MouseButton button, double x, double y) {
  const int k = drag_.PedraArrastada;
  if (k < 1 || k > kHandSlots) return;
  // While a tile is carried the right button does nothing.
  if (drag_.Arrastando == 1) return;
  if (settings_.PedraX == 0) {
    x -= kIvoryGrab;
    y -= kIvoryGrab;
  }
  if (button == Qt::RightButton) {
    // Turned over: its halves swap.
    if (!game_->flipTile(k)) return;
    scene_.ExibeJog(k);
    scene_.PicMover->hide();
    sounds_.TocaWav(QStringLiteral("clic5.wav"));
    return;
  }
  if (button != Qt::LeftButton || blocked() || game_->awaiting() != TableGame::Awaiting::Move)
    return;

  // Nothing else runs until the carry is set up: a release handled in between
  // would find no tile carried and leave this one floating.
  forgetChoice();
  pickUp(k);
  drag_.Reordenou = false;
  drag_.Arrastando = 1;
  drag_.PegaX = x;
  drag_.PegaY = y;
}

void HandDrag::pickUp(int k) {
  scene_.PicJog[k]->hide();
  PictureItem* mover = scene_.PicMover;
  mover->setZValue(kCarried);
  drag_.PedraArrastada = k;
  drag_.EsqArrastada = handSlot(k).left;
  mover->setPicture(Picture::ImgMove, settings_.PedraX);
  mover->setPos(drag_.EsqArrastada, scene_.PicJog[k]->y());
  if (settings_.PedraX == 0 || settings_.PedraX == 1) {
    const Halves halves = carriedHalves(settings_.PedraX);
    ImgMover1->setPos(halves.first.left, halves.first.top);
    ImgMover2->setPos(halves.second.left, halves.second.top);
  }
}

void HandDrag::PicMover_MouseMove(double x, double y) {
  if (blocked() || drag_.Arrastando != 1) return;
  PictureItem* mover = scene_.PicMover;
  double top = mover->top() + (y - drag_.PegaY);
  double left = mover->left() + (x - drag_.PegaX);
  // Bounded to the playing surface.
  if (top < 0) top = 0;
  if (left < 0) left = 0;
  if (top > kHeight - mover->height()) top = kHeight - mover->height();
  if (left > kWidth - mover->width()) left = kWidth - mover->width();
  mover->setPos(left, top);

  const bool overHand = mover->top() >= overHandTop() &&
                        mover->left() > scene_.PicJog[1]->left() - kSlotPitch &&
                        mover->left() < scene_.PicJog[7]->left() + kSlotPitch;
  if (overHand) reorder();
}

// Along the hand row the carried tile takes the place of a slot it reaches a
// fifth of the way into; the tiles between move one slot towards where it was.
void HandDrag::reorder() {
  const double left = scene_.PicMover->left();
  for (int j = 1; j <= kHandSlots; ++j) {
    const int k = drag_.PedraArrastada;
    const PictureItem* slot = scene_.PicJog[j];
    if (j == k || !slot->isVisible() || game_->state().PedrasJog[j].empty()) continue;
    const bool reachesLeft = j < k && left + kSlotPitch / 5.0 < slot->left() &&
                             left + scene_.PicMover->width() > slot->left();
    const bool reachesRight =
        j > k && left > slot->left() + kSlotPitch / 5.0 && left < slot->left() + kSlotPitch;
    if (reachesLeft || reachesRight) moveTo(j);
  }
}

void HandDrag::moveTo(int slot) {
  const int k = drag_.PedraArrastada;
  if (!game_->moveTileInHand(k, slot)) return;
  for (int m = std::min(slot, k); m <= std::max(slot, k); ++m) scene_.ExibeJog(m);
  drag_.PedraArrastada = slot;
  scene_.PicJog[slot]->hide();
  drag_.EsqArrastada = std::round(scene_.PicJog[slot]->left());
  drag_.Reordenou = true;
  sounds_.TocaWav(QStringLiteral("clic5.wav"));
}

void HandDrag::putBack() {
  drag_.Arrastando = 0;
  scene_.PicMover->hide();
  for (int slot = 1; slot <= kHandSlots; ++slot) scene_.ExibeJog(slot);
}

void HandDrag::PicMover_MouseUp(Qt::MouseButton button) {
  if (button == Qt::RightButton || drag_.Arrastando != 1) return;
  drag_.Arrastando = 0;
  const int slot = drag_.PedraArrastada;
  const TileCode carried = game_->state().PedrasJog[slot];
  const QPointF at = scene_.PicMover->pos();
  const bool reordered = drag_.Reordenou;
  afterThisEvent([this, slot, carried, at, reordered] {
    // The game may have moved on since the release (a dialog, a new hand):
    // then the tile simply goes back to the hand as it now is.
    if (!game_->takesDrop(slot) || game_->state().PedrasJog[slot] != carried) return putBack();
    game_->drop(slot, at.y(), at.x(), reordered);
  });
}

// --- the keyboard ------------------------------------------------------------

// The chosen tile stands this far above the hand.
constexpr double kRaised = 180;

bool HandDrag::mayPlay() const {
  return !blocked() && drag_.Arrastando == 0 && game_->awaiting() == TableGame::Awaiting::Move;
}

void HandDrag::raise(int slot, bool raised) {
  if (slot < 1 || slot > kHandSlots) return;
  PictureItem* tile = scene_.PicJog[slot];
  tile->setY(kHandTop - (raised ? kRaised : 0));
  if (raised) {
    ring_->setParentItem(tile);
    ring_->setRect(tile->boundingRect().adjusted(-35, -35, 35, 35));
  }
  ring_->setVisible(raised);
}

void HandDrag::forgetChoice() {
  raise(chosen_, false);
  chosen_ = 0;
  scene_.announceChoice({});
}

void HandDrag::announce() {
  scene_.announceChoice(chosen_ == 0 ? TileCode() : game_->state().PedrasJog[chosen_]);
}

void HandDrag::choose(int step) {
  if (!mayPlay()) return;
  const Hand& hand = game_->state().PedrasJog;
  const int held = tileCount(hand);
  if (held == 0) return;
  // A new hand puts every tile back in the row: a choice from before is gone.
  if (chosen_ != 0 && scene_.PicJog[chosen_]->y() == kHandTop) chosen_ = 0;
  int next = chosen_ == 0 ? (step > 0 ? 1 : held) : std::clamp(chosen_ + step, 1, held);
  if (hand[next].empty()) next = held;
  raise(chosen_, false);
  chosen_ = next;
  scene_.PicMover->hide();  // a copy left by the mouse would hide the raised tile
  raise(chosen_, true);
  announce();
}

void HandDrag::chooseSlot(int slot) {
  if (!mayPlay() || slot < 1 || slot > kHandSlots || game_->state().PedrasJog[slot].empty()) return;
  raise(chosen_, false);
  chosen_ = slot;
  scene_.PicMover->hide();
  raise(chosen_, true);
  announce();
}

void HandDrag::moveChosen(int step) {
  if (!mayPlay() || chosen_ == 0) return;
  const int to = chosen_ + step;
  if (!game_->moveTileInHand(chosen_, to)) return;
  for (int m = std::min(to, chosen_); m <= std::max(to, chosen_); ++m) scene_.ExibeJog(m);
  raise(chosen_, false);
  chosen_ = to;
  raise(chosen_, true);
  announce();
  sounds_.TocaWav(QStringLiteral("clic5.wav"));
}

void HandDrag::flipChosen() {
  if (chosen_ == 0 || !game_->flipTile(chosen_)) return;
  scene_.ExibeJog(chosen_);
  announce();
  sounds_.TocaWav(QStringLiteral("clic5.wav"));
}

bool HandDrag::layChosen(std::optional<Lado> end) {
  if (!mayPlay() || chosen_ == 0 || !game_->takesDrop(chosen_)) return true;
  const GameState& state = game_->state();
  const TileCode t = state.PedrasJog[chosen_];
  if (!end && state.QtdMesa > 0 && state.PontaA != state.PontaB && t.holds(state.PontaA) &&
      t.holds(state.PontaB)) {
    return false;
  }
  if (!end && state.QtdMesa > 0)
    end = t.holds(state.PontaA) || !t.holds(state.PontaB) ? Lado::A : Lado::B;
  const int slot = chosen_;
  chosen_ = 0;
  scene_.announceChoice({});
  pickUp(slot);
  scene_.PicMover->show();
  // Laid as if let go in the middle of the table: the end is the one named.
  const int held = tileCount(state.PedrasJog);
  afterThisEvent([this, slot, end, t, held] {
    game_->drop(slot, kFirstTile.top, kFirstTile.left, false, end);
    const Hand& hand = game_->state().PedrasJog;
    if (hand[slot] == t && tileCount(hand) == held) {
      // Refused: the game said why; the tile is still the one chosen.
      chosen_ = slot;
      raise(slot, true);
      announce();
    } else if (scene_.PicJog[slot]->isVisible()) {
      raise(slot, false);  // the tile now in its place stays in the row
    }
  });
  return true;
}

// The game's answer to a release runs once the scene is done with the mouse
// event (it may run a whole round of the computers); no new hover or carry
// until then.
void HandDrag::afterThisEvent(std::function<void()> then) {
  ++waiting_;
  QMetaObject::invokeMethod(
      this,
      [this, then = std::move(then)] {
        --waiting_;
        then();
      },
      Qt::QueuedConnection);
}

void HandDrag::queueGameAction(std::function<void()> action) {
  if (drag_.Arrastando == 1) putBack();
  afterThisEvent(std::move(action));
}

}  // namespace tavolix
