#include "table_actions.h"

#include <cmath>

#include <QGraphicsSceneMouseEvent>

#include "game/tempo.h"

namespace tavolix {

namespace {

enum Layer : int { kChain = 20, kPile = 30, kTurnedUp = 40 };

// VB's Int: the next whole number downwards.
double floorDiv(double distance, double parts) { return std::floor(distance / parts); }

// A face-down tile of the pile: a left click takes it.
class PileTile : public PictureItem {
 public:
  PileTile(Picture picture, int element, int position, std::function<void(int)>& clicked)
      : PictureItem(picture, element), position_(position), clicked_(clicked) {
    setAcceptedMouseButtons(Qt::LeftButton);
  }

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && clicked_) clicked_(position_);
  }

 private:
  int position_;
  std::function<void(int)>& clicked_;
};

// Items of the table are let go once the event they may be handling is over.
void letGo(PictureItem*& item) {
  if (item == nullptr) return;
  item->hide();
  item->deleteLater();
  item = nullptr;
}

}  // namespace

TableActions::TableActions(TableScene& scene, const Settings& settings, const GameState& state, const DragState& drag,
                           SoundPlayer& sounds, TablePacer& pacer)
    : scene_(scene), settings_(settings), state_(state), drag_(drag), sounds_(sounds), pacer_(pacer) {
  firstHalf1_ = new PictureItem(Picture::ImgW, 0, scene_.PicMatrisH0);
  firstHalf2_ = new PictureItem(Picture::ImgW, 0, scene_.PicMatrisH0);
}

TableActions::~TableActions() = default;

PictureItem* TableActions::newView(Picture picture, int layer) {
  auto* view = new PictureItem(picture, settings_.PedraX);
  scene_.addItem(view);
  view->setZValue(layer);
  view->hide();
  return view;
}

std::vector<PictureItem*> TableActions::chainViews() const {
  std::vector<PictureItem*> views;
  if (scene_.PicMatrisH0->isVisible()) views.push_back(scene_.PicMatrisH0);
  views.insert(views.end(), chain_.begin(), chain_.end());
  return views;
}

// --- a hand ------------------------------------------------------------------

void TableActions::newHand() {
  scene_.PicMover->hide();
  scene_.ImgMontao0->setPicture(Picture::ImgMontaoX, settings_.PedraX);
  scene_.hideMessage();
  for (int i = 1; i <= kHandSlots; ++i) {
    for (int seat = kMac1; seat <= kMac3; ++seat) scene_.ImgMac[seat][i]->hide();
    scene_.PicJog[i]->hide();
    scene_.PicJog[i]->setY(drag_.TopoMao);
  }
}

void TableActions::clearTable() {
  for (PictureItem*& tile : pile_) letGo(tile);
  for (PictureItem*& view : chain_) letGo(view);
  for (PictureItem*& view : turnedUp_) letGo(view);
  chain_.clear();
  turnedUp_.clear();
  scene_.PicMatrisH0->hide();
}

// --- the pile ----------------------------------------------------------------

void TableActions::layOutPile() {
  const QPointF model = scene_.ImgMontao0->pos();
  for (int i = 1; i <= kTileCount; ++i) {
    auto* tile = new PileTile(Picture::ImgMontaoX, settings_.PedraX, i, pileClicked_);
    scene_.addItem(tile);
    tile->setZValue(kPile);
    tile->setEnabled(false);
    tile->setCursor(scene_.ImgMontao0->cursor());
    const int row = (i - 1) / 7;
    const int column = (i - 1) % 7;
    // Left 3690 + 700 per column, Top 2535 + 1000 per row; each row comes with the shuffle's sound.
    tile->setPos(model.x() + 700 * column, model.y() + 1000 * row);
    pile_[i] = tile;
    if (column == 0) {
      sounds_.TocaWav(QStringLiteral("mistura.wav"));
      pacer_.wait(tempo::kDealRowMs);
    }
    tile->show();
    pacer_.letEventsRun();
    pacer_.wait(tempo::kDealRowMs);
    pacer_.letEventsRun();
  }
}

PictureItem* TableActions::ImgMontao(int position) const {
  return position >= 1 && position <= kTileCount ? pile_[position] : nullptr;
}

void TableActions::enablePile(bool enabled) {
  for (int i = 1; i <= kTileCount; ++i) {
    if (pile_[i] != nullptr) pile_[i]->setEnabled(enabled && pile_[i]->isVisible());
  }
}

void TableActions::slide(QGraphicsItem* item, QPointF target, int steps, int stepMs) {
  const int parts = steps + 1;
  const double dx = floorDiv(target.x() - item->x(), parts);
  const double dy = floorDiv(target.y() - item->y(), parts);
  pacer::Cadence beat(stepMs);
  for (int n = 0; n < steps; ++n) {
    pacer_.step(beat);
    item->moveBy(dx, dy);
  }
}

void TableActions::takeFromPile(int seat, int slot, int position) {
  PictureItem* tile = ImgMontao(position);
  if (tile == nullptr) return;
  tile->setEnabled(false);
  tile->setPicture(Picture::ImgCostasH, settings_.PedraX);
  tile->setZValue(kPile + 1);
  // Int(Veloc / 2) parts, Int(distance / parts) a step, one step fewer than parts, 10 ms apart.
  const int parts = std::max(1, settings_.Veloc / 2);
  const QPointF place = seat == kJog ? QPointF(TableScene::jogSlot(slot).x(), drag_.TopoMao)
                                     : TableScene::macSlot(seat, slot);
  slide(tile, place, parts - 1, tempo::kPileStepMs);
  tile->hide();
  if (seat == kJog) {
    sounds_.TocaWav(QStringLiteral("clic5.wav"));
    scene_.ExibeJog(slot);
    scene_.PicJog[slot]->setEnabled(false);
    return;
  }
  PictureItem* place0 = scene_.ImgMac[seat][slot];
  place0->setPicture(seat == kMac2 ? Picture::PedraH : Picture::PedraW, settings_.PedraX);
  place0->show();
  sounds_.TocaWav(QStringLiteral("clic5.wav"));
  pacer_.wait(tempo::kTakeTileMs);
}

void TableActions::removePile() {
  for (PictureItem*& tile : pile_) letGo(tile);
}

// --- laying a tile -----------------------------------------------------------

void TableActions::layTile(const LaidTile& laid) {
  const TilePlacement& p = laid.placement;
  const int base = settings_.PedraBase();
  PictureItem* view = nullptr;
  QPointF half1;
  QPointF half2;
  if (laid.lado == Lado::First) {
    view = scene_.PicMatrisH0;
    half1 = {75, 75};
    half2 = p.vertical ? QPointF(75, 450) : QPointF(450, 75);
  } else {
    view = newView(Picture::ImgFrenteW, kChain);
    view->setPos(p.left, p.top);
    half1 = {65, 75};
    half2 = p.vertical ? QPointF(65, 450) : QPointF(440, 75);
    chain_.push_back(view);
  }
  view->setPicture(p.vertical ? Picture::ImgFrenteH : Picture::ImgFrenteW, settings_.PedraX);
  // The halves are the view's children; the first tile's view keeps its own two.
  PictureItem* h1 = laid.lado == Lado::First ? firstHalf1_ : new PictureItem(Picture::ImgW, 0, view);
  PictureItem* h2 = laid.lado == Lado::First ? firstHalf2_ : new PictureItem(Picture::ImgW, 0, view);
  const Picture halfPicture = p.vertical ? Picture::imgh : Picture::ImgW;
  h1->setPicture(halfPicture, p.shown.first() + base);
  h2->setPicture(halfPicture, p.shown.last() + base);
  h1->setPos(half1);
  h2->setPos(half2);

  MovePedra(laid.seat, laid.slot, QPointF(p.left, p.top));
  view->show();
  sounds_.TocaWav(laid.firstClick ? QStringLiteral("clic1.wav") : QStringLiteral("clic4.wav"));
}

void TableActions::MovePedra(int seat, int slot, QPointF target) {
  const bool player = seat == kJog;
  PictureItem* mover = player ? scene_.PicMover : scene_.PicMove;
  if (!player) {
    PictureItem* from = scene_.ImgMac[seat][slot];
    mover->setPicture(seat == kMac2 ? Picture::ImgCostasH : Picture::ImgCostasW, settings_.PedraX);
    mover->setPos(from->pos());
    mover->show();
    from->hide();
  }
  for (int n = 0; n < 3; ++n) pacer_.letEventsRun();
  if (!player) pacer_.wait(tempo::kComputerThinkMs);

  // Veloc - 1 steps of Int(distance / Veloc): the view laid next takes the last step's place.
  const int veloc = settings_.Veloc;
  const double stepX = floorDiv(mover->x() - target.x(), veloc);
  const double stepY = floorDiv(mover->y() - target.y(), veloc);
  pacer::Cadence beat(tempo::kSlideStepMs);
  for (int n = 0; n < veloc - 1; ++n) {
    pacer_.letEventsRun();
    pacer_.step(beat);
    if (player) pacer_.letEventsRun();
    mover->moveBy(-stepX, -stepY);
    pacer_.letEventsRun();
  }
  mover->hide();
  if (player) {
    scene_.PicJog[slot]->hide();
    scene_.PicJog[slot]->setPos(drag_.EsqArrastada, drag_.TopoMao);
  } else {
    pacer_.letEventsRun();
  }
}

void TableActions::closeUpHand(int seat, int slot) {
  const int veloc = settings_.Veloc;
  const double step = 495.0 / veloc;
  if (seat == kJog) {
    for (int k = slot; k <= kHandSlots - 1; ++k) {
      PictureItem* next = scene_.PicJog[k + 1];
      const double orig = next->x();
      pacer::Cadence beat(tempo::kCloseUpStepMs);
      for (int n = 0; n < veloc; ++n) {
        next->setX(next->x() - step);
        pacer_.letEventsRun();
        pacer_.step(beat);
      }
      scene_.ExibeJog(k);
      next->hide();
      next->setX(orig);
      pacer_.letEventsRun();
    }
    return;
  }
  auto& images = scene_.ImgMac[seat];
  for (int k = slot + 1; k <= kHandSlots; ++k) {
    PictureItem* image = images[k];
    const QPointF orig = image->pos();
    pacer::Cadence beat(tempo::kCloseUpStepMs);
    for (int n = 0; n < veloc; ++n) {
      if (seat == kMac1) image->moveBy(0, step);
      if (seat == kMac2) image->moveBy(-step, 0);
      if (seat == kMac3) image->moveBy(0, -step);
      pacer_.step(beat);
      pacer_.letEventsRun();
    }
    images[k - 1]->setVisible(image->isVisible());
    image->hide();
    image->setPos(orig);
  }
}

// --- passes and refusals -----------------------------------------------------

void TableActions::computerPasses(int seat) {
  PictureItem* o = scene_.objeto(seat);
  if (o == nullptr) return;
  const int veloc = settings_.Veloc;
  const double s = std::floor(1.4 * (seat == kMac2 ? o->width() : o->height()) / veloc);
  const QPointF step = seat == kMac1 ? QPointF(0, s) : seat == kMac2 ? QPointF(-s, 0) : QPointF(0, -s);
  const auto jump = [&](QPointF by) {
    pacer::Cadence beat(tempo::kCloseUpStepMs);
    for (int n = 0; n < veloc - 1; ++n) {
      pacer_.letEventsRun();
      o->moveBy(by.x(), by.y());
      pacer_.letEventsRun();
      pacer_.step(beat);
      pacer_.letEventsRun();
    }
  };
  jump(step);
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
  jump(-step);
}

void TableActions::returnToHand(int slot, TileReturn how) {
  PictureItem* mover = scene_.PicMover;
  if (how != TileReturn::Quiet) {
    // Back to the slot, or beside it after a refusal, in Veloc steps of 5 ms.
    const QPointF home = how == TileReturn::WrongOpening ? QPointF(drag_.EsqArrastada, drag_.TopoMao)
                                                         : QPointF(drag_.EsqArrastada + 30, drag_.TopoMao + 25);
    const int n = settings_.Veloc;
    const double dx = floorDiv(mover->x() - home.x(), n);
    const double dy = floorDiv(mover->y() - home.y(), n);
    pacer::Cadence beat(tempo::kCloseUpStepMs);
    for (int i = 0; i < n; ++i) {
      pacer_.letEventsRun();
      mover->moveBy(-dx, -dy);
      pacer_.letEventsRun();
      pacer_.step(beat);
      pacer_.letEventsRun();
    }
  }
  scene_.ExibeJog(slot);
  scene_.PicJog[slot]->show();
  mover->hide();
  if (how != TileReturn::Quiet) sounds_.TocaWav(QStringLiteral("clic2.wav"));
}

// --- a change of tile set ----------------------------------------------------

void TableActions::redrawTileSet() {
  for (int i = 1; i <= kHandSlots; ++i) scene_.ExibeJog(i);
  for (int seat = kMac1; seat <= kMac3; ++seat) scene_.ExibeMac(seat);
  const int set = settings_.PedraX;
  const int base = settings_.PedraBase();
  scene_.ImgMontao0->setPicture(Picture::ImgMontaoX, set);
  for (PictureItem* tile : pile_) {
    if (tile != nullptr && tile->isVisible()) tile->setPicture(Picture::ImgMontaoX, set);
  }
  const auto redraw = [&](PictureItem* view, TileCode t) {
    const bool upright = view->height() > view->width();
    view->setPicture(upright ? Picture::ImgFrenteH : Picture::ImgFrenteW, set);
    const auto halves = view->childItems();
    const Picture half = upright ? Picture::imgh : Picture::ImgW;
    static_cast<PictureItem*>(halves[0])->setPicture(half, t.first() + base);
    static_cast<PictureItem*>(halves[1])->setPicture(half, t.last() + base);
  };
  if (state_.QtdMesa >= 1) redraw(scene_.PicMatrisH0, state_.Mesa[1]);
  for (std::size_t j = 0; j < chain_.size() && static_cast<int>(j) + 2 <= state_.QtdMesa; ++j) {
    redraw(chain_[j], state_.Mesa[j + 2]);
  }
}

// --- the end of a hand -------------------------------------------------------

void TableActions::MostraPedrasMac() {
  const int base = settings_.PedraBase();
  const bool ivory = settings_.PedraX == 0;
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    const bool upright = seat == kMac2;
    for (int i = 1; i <= kHandSlots; ++i) {
      const TileCode t = state_.hand(seat)[i];
      if (t.empty()) continue;
      PictureItem* view = newView(upright ? Picture::PedraHR : Picture::PedraWR, kTurnedUp);
      const Picture halves = upright ? Picture::imgh : Picture::ImgW;
      auto* h1 = new PictureItem(halves, t.first() + base, view);
      auto* h2 = new PictureItem(halves, t.last() + base, view);
      if (upright) {
        h1->setPos(ivory ? QPointF(105, 105) : QPointF(75, 75));
        h2->setPos(ivory ? QPointF(105, 480) : QPointF(75, 450));
      } else {
        h1->setPos(ivory ? QPointF(75, 105) : QPointF(75, 75));
        h2->setPos(ivory ? QPointF(465, 105) : QPointF(465, 75));
      }
      view->setPos(scene_.ImgMac[seat][i]->pos());
      view->show();
      turnedUp_.push_back(view);
    }
  }
}

}  // namespace tavolix
