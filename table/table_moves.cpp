// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// What the table does through a hand, each with the game's own tempo: the
// pile laid out and taken, tiles sliding to the chain, hands closing up, a
// seat showing it passes, a refused tile going back, the hands turned up.
#include <QGraphicsSceneMouseEvent>

#include "game/table_geometry.h"
#include "game/tempo.h"
#include "sound_player.h"
#include "table_pacer.h"
#include "table_scene.h"
#include "twips.h"

namespace tavolix {

namespace {

using namespace geometry;

// A tile taken from the pile steps Int(distance / parts) towards its place.
QPointF stepTowards(QPointF from, QPointF to, int parts) {
  return {tempo::slideStep(to.x() - from.x(), parts), tempo::slideStep(to.y() - from.y(), parts)};
}
// A tile going to the chain or back to the hand steps back Int(distance / parts) from where it is.
QPointF stepBackFrom(QPointF from, QPointF to, int parts) {
  return {-tempo::slideStep(from.x() - to.x(), parts), -tempo::slideStep(from.y() - to.y(), parts)};
}

// A face-down tile of the pile: a left click takes it.
class PileTile : public PictureItem {
 public:
  PileTile(Picture picture, int element, std::function<void()> clicked)
      : PictureItem(picture, element), clicked_(std::move(clicked)) {
    setAcceptedMouseButtons(Qt::LeftButton);
  }

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) clicked_();
  }

 private:
  std::function<void()> clicked_;
};

// Items of the table are let go once the event they may be handling is over.
void letGo(PictureItem*& item) {
  if (item == nullptr) return;
  item->hide();
  item->deleteLater();
  item = nullptr;
}

}  // namespace

PictureItem* TableScene::newView(Picture picture, int layer) {
  auto* view = new PictureItem(picture, settings_.PedraX);
  addItem(view);
  view->setZValue(layer);
  view->hide();
  return view;
}

// Moves `item` by `step`, `steps` times, one every `stepMs`; with motion
// reduced, the whole way at once.
void TableScene::slide(QGraphicsItem* item, QPointF step, int steps, int stepMs) {
  if (motionReduced()) {
    pacer_.letEventsRun();
    item->moveBy(step.x() * steps, step.y() * steps);
    pacer_.letEventsRun();
    return;
  }
  pacer::Cadence beat(stepMs);
  for (int n = 0; n < steps; ++n) {
    pacer_.letEventsRun();
    pacer_.step(beat);
    item->moveBy(step.x(), step.y());
    pacer_.letEventsRun();
  }
}

// --- a hand ------------------------------------------------------------------

void TableScene::newHand() {
  PicMover->hide();
  ImgMontao0->setPicture(Picture::ImgMontaoX, settings_.PedraX);
  hideMessage();
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    for (int seat = kMac1; seat <= kMac3; ++seat) ImgMac[seat][slot]->hide();
    PicJog[slot]->hide();
    PicJog[slot]->setY(kHandTop);
  }
}

void TableScene::clearTable() {
  for (PictureItem*& tile : pile_) letGo(tile);
  for (PictureItem*& view : chain_) letGo(view);
  for (PictureItem*& view : turnedUp_) letGo(view);
  chain_.clear();
  turnedUp_.clear();
  PicMatrisH0->hide();
  marks_->clear();
  lastMove_.clear();
  updateStatus();
}

// --- the pile ----------------------------------------------------------------

void TableScene::layOutPile() {
  for (int position = 1; position <= kTileCount; ++position) {
    // Each row comes with the shuffle's sound.
    if ((position - 1) % 7 == 0) {
      sounds_.TocaWav(QStringLiteral("mistura.wav"));
      pacer_.wait(tempo::kDealRowMs);
    }
    addPileTile(position);
    pacer_.letEventsRun();
    pacer_.wait(tempo::kDealRowMs);
    pacer_.letEventsRun();
  }
}

void TableScene::showPile() {
  for (int position = 1; position <= kTileCount; ++position) {
    if (state_ == nullptr || !state_->pileTaken(position)) addPileTile(position);
  }
}

void TableScene::addPileTile(int position) {
  letGo(pile_[position]);
  auto* tile = new PileTile(Picture::ImgMontaoX, settings_.PedraX,
                            [this, position] { Q_EMIT pileClicked(position); });
  addItem(tile);
  tile->setZValue(kPile);
  tile->setEnabled(false);
  tile->setCursor(ImgMontao0->cursor());
  tile->setPos(toScene(pilePosition(position)));
  pile_[position] = tile;
  tile->show();
}

void TableScene::enablePile(bool enabled) {
  for (PictureItem* tile : pile_) {
    if (tile != nullptr) tile->setEnabled(enabled && tile->isVisible());
  }
}

void TableScene::takeFromPile(int seat, int slot, int position) {
  PictureItem* tile = position >= 1 && position <= kTileCount ? pile_[position] : nullptr;
  if (tile == nullptr) return;
  tile->setEnabled(false);
  tile->setPicture(Picture::ImgCostasH, settings_.PedraX);
  tile->setZValue(kPile + 1);
  const int parts = tempo::pileSlideParts(settings_.Veloc);
  const QPointF place = seat == kJog ? toScene(handSlot(slot)) : toScene(computerSlot(seat, slot));
  slide(tile, stepTowards(tile->pos(), place, parts), tempo::pileSlideSteps(settings_.Veloc),
        tempo::kPileStepMs);
  tile->hide();
  sounds_.TocaWav(QStringLiteral("clic5.wav"));
  tellSummaryChanged();
  if (seat == kJog) {
    ExibeJog(slot);
    PicJog[slot]->setEnabled(false);
    return;
  }
  PictureItem* back = ImgMac[seat][slot];
  back->setPicture(seat == kMac2 ? Picture::PedraH : Picture::PedraW, settings_.PedraX);
  back->show();
  pacer_.wait(tempo::kTakeTileMs);
}

void TableScene::removePile() {
  for (PictureItem*& tile : pile_) letGo(tile);
}

// --- laying a tile -----------------------------------------------------------

void TableScene::layTile(const LaidTile& laid) {
  PictureItem* view = chainView(laid);
  MovePedra(laid.seat, laid.slot, QPointF(laid.placement.left, laid.placement.top));
  view->show();
  sounds_.TocaWav(laid.firstClick ? QStringLiteral("clic1.wav") : QStringLiteral("clic4.wav"));
  markLaid(laid, *view);
}

void TableScene::showChain(const std::vector<LaidTile>& laid) {
  for (const LaidTile& tile : laid) {
    PictureItem* view = chainView(tile);
    view->show();
    markLaid(tile, *view);
  }
}

PictureItem* TableScene::chainView(const LaidTile& laid) {
  const TilePlacement& p = laid.placement;
  const bool first = laid.side == Lado::First;
  PictureItem* view = PicMatrisH0;
  if (!first) {
    view = newView(Picture::ImgFrenteW, kChain);
    view->setPos(p.left, p.top);
    new PictureItem(Picture::ImgW, 0, view);
    new PictureItem(Picture::ImgW, 0, view);
    chain_.push_back(view);
  }
  view->setPicture(p.vertical ? Picture::ImgFrenteH : Picture::ImgFrenteW, settings_.PedraX);
  // The halves are the view's children, in display order.
  const auto halves = view->childItems();
  const Halves where = chainHalves(p.vertical, first);
  const Picture halfPicture = p.vertical ? Picture::imgh : Picture::ImgW;
  auto* h1 = static_cast<PictureItem*>(halves[0]);
  auto* h2 = static_cast<PictureItem*>(halves[1]);
  h1->setPicture(halfPicture, p.shown.first() + settings_.PedraBase());
  h2->setPicture(halfPicture, p.shown.last() + settings_.PedraBase());
  h1->setPos(toScene(where.first));
  h2->setPos(toScene(where.second));
  return view;
}

void TableScene::markLaid(const LaidTile& laid, const PictureItem& view) {
  const TilePlacement& p = laid.placement;
  const bool first = laid.side == Lado::First;
  // The half left open: the one not matching the end it was laid against.
  int open = -1;
  if (!p.shown.isDouble()) open = first ? 0 : (p.shown.first() == laid.joined ? 1 : 0);
  marks_->laid(&view, first, laid.side == Lado::A, open);
  // Said with the end it went on, which a player who cannot see the table needs.
  const QString tile = QStringLiteral("%1:%2").arg(p.shown.first()).arg(p.shown.last());
  if (laid.joined < 0) {
    lastMove_ = laid.seat == kJog ? tr("Você jogou %1").arg(tile)
                                  : tr("%1 jogou %2").arg(LbPlayer[laid.seat]->caption(), tile);
  } else if (laid.seat == kJog) {
    lastMove_ = tr("Você jogou %1 na ponta do %2").arg(tile).arg(laid.joined);
  } else {
    lastMove_ =
        tr("%1 jogou %2 na ponta do %3").arg(LbPlayer[laid.seat]->caption(), tile).arg(laid.joined);
  }
  updateStatus(true);
}

void TableScene::MovePedra(int seat, int slot, QPointF target) {
  const bool player = seat == kJog;
  PictureItem* mover = player ? PicMover : PicMove;
  if (!player) {
    PictureItem* from = ImgMac[seat][slot];
    mover->setPicture(seat == kMac2 ? Picture::ImgCostasH : Picture::ImgCostasW, settings_.PedraX);
    mover->setPos(from->pos());
    mover->show();
    from->hide();
  }
  for (int n = 0; n < 3; ++n) pacer_.letEventsRun();
  if (!player) pacer_.wait(tempo::kComputerThinkMs);
  // The view laid next takes the last step's place.
  const int veloc = settings_.Veloc;
  slide(mover, stepBackFrom(mover->pos(), target, veloc), tempo::chainSlideSteps(veloc),
        tempo::kSlideStepMs);
  mover->hide();
  if (player) {
    PicJog[slot]->hide();
    PicJog[slot]->setPos(toScene(handSlot(slot)));
  } else {
    pacer_.letEventsRun();
  }
}

void TableScene::closeUpHand(int seat, int slot) {
  const int veloc = settings_.Veloc;
  const double step = tempo::closeUpStep(veloc);
  if (seat == kJog) {
    for (int k = slot; k <= kHandSlots - 1; ++k) {
      PictureItem* next = PicJog[k + 1];
      const double orig = next->x();
      pacer::Cadence beat(tempo::kCloseUpStepMs);
      for (int n = 0; n < tempo::closeUpSteps(veloc); ++n) {
        next->setX(next->x() - step);
        pacer_.letEventsRun();
        pacer_.step(beat);
      }
      ExibeJog(k);
      next->hide();
      next->setX(orig);
      pacer_.letEventsRun();
    }
    return;
  }
  // The rows run down the left side, along the top and up the right side.
  const QPointF towardsSlot1 = seat == kMac1   ? QPointF(0, step)
                               : seat == kMac2 ? QPointF(-step, 0)
                                               : QPointF(0, -step);
  auto& images = ImgMac[seat];
  for (int k = slot + 1; k <= kHandSlots; ++k) {
    PictureItem* image = images[k];
    const QPointF orig = image->pos();
    pacer::Cadence beat(tempo::kCloseUpStepMs);
    for (int n = 0; n < tempo::closeUpSteps(veloc); ++n) {
      image->moveBy(towardsSlot1.x(), towardsSlot1.y());
      pacer_.step(beat);
      pacer_.letEventsRun();
    }
    images[k - 1]->setVisible(image->isVisible());
    image->hide();
    image->setPos(orig);
  }
}

// --- passes and refusals -----------------------------------------------------

void TableScene::computerPasses(int seat) {
  PictureItem* o = objeto(seat);
  if (o == nullptr) return;
  const int veloc = settings_.Veloc;
  const double s = tempo::passJumpStep(seat == kMac2 ? o->width() : o->height(), veloc);
  const QPointF out = seat == kMac1   ? QPointF(0, s)
                      : seat == kMac2 ? QPointF(-s, 0)
                                      : QPointF(0, -s);
  const auto jump = [&](QPointF by) {
    pacer::Cadence beat(tempo::kCloseUpStepMs);
    for (int n = 0; n < tempo::passJumpSteps(veloc); ++n) {
      pacer_.letEventsRun();
      o->moveBy(by.x(), by.y());
      pacer_.letEventsRun();
      pacer_.step(beat);
      pacer_.letEventsRun();
    }
  };
  jump(out);
  const Picture flash = seat == kMac2 ? Picture::ImgCostasH : Picture::ImgCostasW;
  const Picture back = seat == kMac2 ? Picture::PedraH : Picture::PedraW;
  for (int n = 0; n < 2; ++n) {
    o->setPicture(flash, settings_.PedraX);
    sounds_.TocaWav(QStringLiteral("passou.wav"));
    pacer_.wait(tempo::kPassFlashMs);
    pacer_.letEventsRun();
    o->setPicture(back, settings_.PedraX);
    pacer_.wait(tempo::kPassFlashMs);
  }
  jump(-out);
}

void TableScene::returnToHand(int slot, TileReturn how) {
  if (how != TileReturn::Quiet) {
    // Back to its slot, or beside it after a refusal.
    QPointF home = toScene(handSlot(slot));
    if (how == TileReturn::Refused) home += toScene(kRefusedOffset);
    const int veloc = settings_.Veloc;
    slide(PicMover, stepBackFrom(PicMover->pos(), home, veloc), tempo::returnSteps(veloc),
          tempo::kCloseUpStepMs);
  }
  ExibeJog(slot);
  PicJog[slot]->show();
  PicMover->hide();
  if (how != TileReturn::Quiet) sounds_.TocaWav(QStringLiteral("clic2.wav"));
}

void TableScene::hideCarriedTile() { PicMover->hide(); }

// --- a change of tile set ----------------------------------------------------

void TableScene::redrawTileSet() {
  for (int slot = 1; slot <= kHandSlots; ++slot) ExibeJog(slot);
  for (int seat = kMac1; seat <= kMac3; ++seat) ExibeMac(seat);
  const int set = settings_.PedraX;
  const int base = settings_.PedraBase();
  ImgMontao0->setPicture(Picture::ImgMontaoX, set);
  // Face-down tiles keep their kind, face down in the pile or on the way to a hand or the chain.
  for (PictureItem* tile : pile_) {
    if (tile != nullptr) tile->setPicture(tile->picture(), set);
  }
  PicMove->setPicture(PicMove->picture(), set);
  const auto redraw = [&](PictureItem* view, TileCode t) {
    const bool upright = view->height() > view->width();
    view->setPicture(upright ? Picture::ImgFrenteH : Picture::ImgFrenteW, set);
    const auto halves = view->childItems();
    const Picture half = upright ? Picture::imgh : Picture::ImgW;
    static_cast<PictureItem*>(halves[0])->setPicture(half, t.first() + base);
    static_cast<PictureItem*>(halves[1])->setPicture(half, t.last() + base);
  };
  if (state_ == nullptr) return;
  if (state_->QtdMesa >= 1) redraw(PicMatrisH0, state_->Mesa[1]);
  for (std::size_t j = 0; j < chain_.size() && static_cast<int>(j) + 2 <= state_->QtdMesa; ++j) {
    redraw(chain_[j], state_->Mesa[j + 2]);
  }
}

// --- the end of a hand -------------------------------------------------------

void TableScene::MostraPedrasMac() {
  if (state_ == nullptr) return;
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    const bool upright = seat == kMac2;
    const Halves where = turnedUpHalves(settings_.PedraX, upright);
    const Picture halves = upright ? Picture::imgh : Picture::ImgW;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      const TileCode t = state_->hand(seat)[slot];
      if (t.empty()) continue;
      PictureItem* view = newView(upright ? Picture::PedraHR : Picture::PedraWR, kTurnedUp);
      auto* h1 = new PictureItem(halves, t.first() + settings_.PedraBase(), view);
      auto* h2 = new PictureItem(halves, t.last() + settings_.PedraBase(), view);
      h1->setPos(toScene(where.first));
      h2->setPos(toScene(where.second));
      view->setPos(ImgMac[seat][slot]->pos());
      view->show();
      turnedUp_.push_back(view);
    }
  }
}

}  // namespace tavolix
