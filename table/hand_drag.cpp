#include "hand_drag.h"

#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGuiApplication>


namespace tavolix {

namespace {
enum Layer : int { kCarried = 90 };
}

HandDrag::HandDrag(TableScene& scene, Match& match, const Settings& settings, DragState& drag, SoundPlayer& sounds)
    : scene_(scene), match_(match), settings_(settings), drag_(drag), sounds_(sounds) {
  scene.addItem(this);
  ImgMover1 = new PictureItem(Picture::imgh, 0, scene.PicMover);
  ImgMover2 = new PictureItem(Picture::imgh, 0, scene.PicMover);
  scene.PicMover->setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton);
  scene.PicMover->installSceneEventFilter(this);
  for (int i = 1; i <= kHandSlots; ++i) {
    scene.PicJog[i]->setAcceptHoverEvents(true);
    scene.PicJog[i]->installSceneEventFilter(this);
  }
}

bool HandDrag::blocked() const { return match_.state().JogBloqueado || releasing_; }

bool HandDrag::sceneEventFilter(QGraphicsItem* watched, QEvent* event) {
  // The scene asks the filter before it drops the input of a disabled item.
  if (!watched->isEnabled() || !watched->isVisible()) return false;
  if (watched == scene_.PicMover) {
    switch (event->type()) {
      // The pointer's place inside the copy, from where the copy is now: the
      // scene may not yet have caught up with a move made a moment ago.
      case QEvent::GraphicsSceneMousePress: {
        auto* mouse = static_cast<QGraphicsSceneMouseEvent*>(event);
        const QPointF inside = mouse->scenePos() - scene_.PicMover->pos();
        PicMover_MouseDown(mouse->button(), inside.x(), inside.y());
        return true;
      }
      case QEvent::GraphicsSceneMouseMove: {
        auto* mouse = static_cast<QGraphicsSceneMouseEvent*>(event);
        const QPointF inside = mouse->scenePos() - scene_.PicMover->pos();
        PicMover_MouseMove(inside.x(), inside.y());
        return true;
      }
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
      default: return false;
    }
  }
  if (event->type() == QEvent::GraphicsSceneHoverEnter || event->type() == QEvent::GraphicsSceneHoverMove) {
    for (int i = 1; i <= kHandSlots; ++i) {
      if (watched == scene_.PicJog[i]) PicJog_MouseMove(i, QGuiApplication::mouseButtons());
    }
  }
  return false;
}

// The pointer over a slot: the copy covers it, looking the same, and takes the mouse from there.
void HandDrag::PicJog_MouseMove(int index, Qt::MouseButtons buttons) {
  if (buttons & Qt::RightButton || blocked() || drag_.Arrastando == 1) return;
  PictureItem* slot = scene_.PicJog[index];
  PictureItem* mover = scene_.PicMover;
  mover->setPicture(slot->picture(), slot->element());
  ImgMover1->setPicture(scene_.imgjog1[index]->picture(), scene_.imgjog1[index]->element());
  ImgMover2->setPicture(scene_.ImgJog2[index]->picture(), scene_.ImgJog2[index]->element());
  ImgMover1->setPos(scene_.imgjog1[index]->pos());
  ImgMover2->setPos(scene_.ImgJog2[index]->pos());
  mover->setPos(slot->pos());
  mover->show();
  drag_.PedraArrastada = index;
}

void HandDrag::PicMover_MouseDown(Qt::MouseButton button, double x, double y) {
  const int k = drag_.PedraArrastada;
  if (k < 1 || k > kHandSlots) return;
  // While a tile is carried the right button does nothing.
  if (drag_.Arrastando == 1) return;
  if (settings_.PedraX == 0) {
    x -= 45;
    y -= 45;
  }
  if (button == Qt::RightButton) {
    // Turned over: its halves swap.
    if (!match_.flipTile(k)) return;
    scene_.ExibeJog(k);
    scene_.PicMover->hide();
    sounds_.TocaWav(QStringLiteral("clic5.wav"));
    return;
  }
  if (button != Qt::LeftButton || blocked() || match_.awaiting() != Match::Awaiting::Move) return;

  // Nothing else runs until the carry is set up: a release handled in between
  // would find no tile carried and leave this one floating.
  scene_.PicJog[k]->hide();
  drag_.Reordenou = false;
  drag_.Arrastando = 1;
  PictureItem* mover = scene_.PicMover;
  mover->setZValue(kCarried);
  drag_.PegaX = x;
  drag_.PegaY = y;
  drag_.EsqArrastada = kSlotWidth * k + 3810;
  mover->setPicture(Picture::ImgMove, settings_.PedraX);
  mover->setPos(drag_.EsqArrastada, drag_.TopoMao);
  if (settings_.PedraX == 0) {
    ImgMover1->setPos(70, 75);
    ImgMover2->setPos(70, 450);
  } else if (settings_.PedraX == 1) {
    ImgMover1->setPos(80, 95);
    ImgMover2->setPos(80, 485);
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
  if (top > table::kHeight - mover->height()) top = table::kHeight - mover->height();
  if (left > table::kWidth - mover->width()) left = table::kWidth - mover->width();
  mover->setPos(left, top);

  const bool overHand = mover->top() >= drag_.TopoMao - mover->height() / 1.3 &&
                        mover->left() > scene_.PicJog[1]->left() - kSlotWidth &&
                        mover->left() < scene_.PicJog[7]->left() + kSlotWidth;
  if (overHand) reorder();
}

// Along the hand row the carried tile takes the place of a slot it reaches a
// fifth of the way into; the tiles between move one slot towards where it was.
void HandDrag::reorder() {
  const double left = scene_.PicMover->left();
  for (int j = 1; j <= kHandSlots; ++j) {
    const int k = drag_.PedraArrastada;
    PictureItem* slot = scene_.PicJog[j];
    if (j == k || !slot->isVisible() || match_.state().PedrasJog[j].empty()) continue;
    const bool reachesLeft =
        j < k && left + kSlotWidth / 5 < slot->left() && left + scene_.PicMover->width() > slot->left();
    const bool reachesRight = j > k && left > slot->left() + kSlotWidth / 5 && left < slot->left() + kSlotWidth;
    if (reachesLeft || reachesRight) moveTo(j);
  }
}

void HandDrag::moveTo(int j) {
  const int k = drag_.PedraArrastada;
  if (!match_.moveTileInHand(k, j)) return;
  for (int m = std::min(j, k); m <= std::max(j, k); ++m) scene_.ExibeJog(m);
  drag_.PedraArrastada = j;
  scene_.PicJog[j]->hide();
  drag_.EsqArrastada = std::round(scene_.PicJog[j]->left());
  drag_.Reordenou = true;
  sounds_.TocaWav(QStringLiteral("clic5.wav"));
}

void HandDrag::putBack() {
  drag_.Arrastando = 0;
  scene_.PicMover->hide();
  for (int i = 1; i <= kHandSlots; ++i) scene_.ExibeJog(i);
}

void HandDrag::PicMover_MouseUp(Qt::MouseButton button) {
  if (button == Qt::RightButton || drag_.Arrastando != 1) return;
  drag_.Arrastando = 0;
  const int qual = drag_.PedraArrastada;
  const TileCode carried = match_.state().PedrasJog[qual];
  const QPointF at = scene_.PicMover->pos();
  const bool reordered = drag_.Reordenou;
  afterThisEvent([this, qual, carried, at, reordered] {
    // The game may have moved on since the release (a dialog, a new hand):
    // then the tile simply goes back to the hand as it now is.
    if (!match_.takesDrop(qual) || match_.state().PedrasJog[qual] != carried) return putBack();
    match_.drop(qual, at.y(), at.x(), reordered);
  });
}

// The game's answer to a release runs once the scene is done with the mouse
// event (it may run a whole round of the computers); no new hover or carry
// until then.
void HandDrag::afterThisEvent(std::function<void()> then) {
  releasing_ = true;
  QMetaObject::invokeMethod(
      this,
      [this, then = std::move(then)] {
        releasing_ = false;
        then();
      },
      Qt::QueuedConnection);
}

}  // namespace tavolix
