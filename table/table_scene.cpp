#include "table_scene.h"

#include <functional>

#include <QGraphicsSceneMouseEvent>
#include <QPainter>

#include "game/chain_layout.h"
#include "twips.h"
#include "window_button.h"

namespace tavolix {

namespace {

// Stacking, bottom to top.
enum Layer : int {
  kBackground = 0,
  kComputerHands = 10,
  kChain = 20,
  kPile = 30,
  kTurnedUp = 40,
  kPlayersHand = 50,
  kCaptions = 60,
  kMoving = 80,
  kCarried = 90,
};

// The table picture: it is drawn 12000 x 9000 twips, one pixel left of the window's edge.
class TablePicture : public QGraphicsItem {
 public:
  TablePicture() { setCacheMode(QGraphicsItem::DeviceCoordinateCache); }
  QRectF boundingRect() const override { return QRectF(0, 0, table::kWidth, table::kHeight); }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    artwork::paintTable(*painter, boundingRect());
  }
};

// The invisible title strip: pressing the left button on it moves the window.
class TitleStrip : public QGraphicsItem {
 public:
  TitleStrip(QSizeF size, std::function<void(QPointF)> pressed, std::function<void(QPointF)> dragged)
      : size_(size), pressed_(std::move(pressed)), dragged_(std::move(dragged)) {
    setAcceptedMouseButtons(Qt::LeftButton);
  }
  QRectF boundingRect() const override { return QRectF(QPointF(0, 0), size_); }
  void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override {
    event->accept();
    pressed_(event->screenPos());
  }
  void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override { dragged_(event->screenPos()); }

 private:
  QSizeF size_;
  std::function<void(QPointF)> pressed_;
  std::function<void(QPointF)> dragged_;
};

template <class Item>
Item* place(QGraphicsScene& scene, Item* item, double left, double top, int layer, bool visible = true) {
  scene.addItem(item);
  item->setPos(left, top);
  item->setZValue(layer);
  item->setVisible(visible);
  return item;
}

const LabelItem::Style kCommand{8.25, true, QColor(224, 224, 224), Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kCommandShadow{8.25, true, Qt::black, Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kPass{9, true, QColor(224, 224, 224), Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kPassShadow{9, true, Qt::black, Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kSeat{9, true, QColor(224, 224, 224), Qt::AlignLeft | Qt::AlignTop};
// The player's name would lie under his hand: it ends where the hand begins instead.
const LabelItem::Style kPlayersName{9, true, QColor(224, 224, 224), Qt::AlignRight | Qt::AlignTop};
const LabelItem::Style kPrompt{12, true, QColor(120, 255, 90), Qt::AlignHCenter | Qt::AlignTop};
const LabelItem::Style kPromptShadow{12, true, Qt::black, Qt::AlignHCenter | Qt::AlignTop};

}  // namespace

TableScene::TableScene(const Settings& settings, QObject* parent) : QGraphicsScene(parent), settings_(settings) {
  setSceneRect(0, 0, table::kWidth, table::kHeight);
  setItemIndexMethod(QGraphicsScene::NoIndex);  // a few dozen items, most of them moving
  const int set = settings.PedraX;

  Picture2 = place(*this, new TablePicture, -15, 0, kBackground);
  Image3 = place(*this,
                 new TitleStrip(QSizeF(10230, 900), [this](QPointF at) { Q_EMIT titleStripPressed(at); },
                                [this](QPointF at) { Q_EMIT titleStripDragged(at); }),
                 -45, -15, kCaptions);
  Image4 = place(*this, new WindowButton(artwork::WindowGlyph::Minimise, QSizeF(375, 375)), 10350, 405, kCaptions);
  Image2 = place(*this, new WindowButton(artwork::WindowGlyph::FullScreen, QSizeF(450, 465)), 10740, 375, kCaptions);
  Image1 = place(*this, new WindowButton(artwork::WindowGlyph::Close, QSizeF(450, 435)), 11175, 390, kCaptions);

  // The commands, each over a black copy of itself 15 twips right and below.
  Label7 = place(*this, new LabelItem(QStringLiteral("Novo Jogo |"), {1035, 195}, kCommandShadow), 435, 1095, kCaptions);
  Label6 = place(*this, new LabelItem(QStringLiteral("Opções |"), {840, 195}, kCommandShadow), 1470, 1095, kCaptions);
  Label5 = place(*this, new LabelItem(QStringLiteral("Ajuda"), {660, 195}, kCommandShadow), 2355, 1095, kCaptions);
  Label2 = place(*this, new LabelItem(QStringLiteral("Novo Jogo |"), {1035, 195}, kCommand), 420, 1080, kCaptions + 1);
  Label1 = place(*this, new LabelItem(QStringLiteral("Opções |"), {840, 195}, kCommand), 1455, 1080, kCaptions + 1);
  Label4 = place(*this, new LabelItem(QStringLiteral("Ajuda"), {660, 195}, kCommand), 2340, 1080, kCaptions + 1);
  for (LabelItem* command : {Label2, Label1, Label4}) command->setClickable(true);

  Label3[1] = place(*this, new LabelItem(QStringLiteral("Passar a vez"), {810, 495}, kPassShadow), 7935, 8175,
                    kCaptions, false);
  Label3[0] = place(*this, new LabelItem(QStringLiteral("Passar a vez"), {810, 495}, kPass), 7920, 8160,
                    kCaptions + 1, false);
  Label3[0]->setClickable(true);

  const std::array<QPointF, 4> players{{{4155, 8340}, {150, 2790}, {7980, 1155}, {11070, 6765}}};
  const std::array<QPointF, 4> scores{{{3510, 8070}, {150, 2535}, {7995, 1410}, {11100, 7035}}};
  for (int seat = 0; seat < kSeatCount; ++seat) {
    LbPlayer[seat] = place(*this,
                           seat == kJog ? new LabelItem(QString::fromStdString(settings.Nomes[seat]), {120, 240},
                                                        kPlayersName)
                                        : new LabelItem(QString::fromStdString(settings.Nomes[seat]), {1200, 240}, kSeat),
                           players[seat].x(), players[seat].y(), kCaptions);
    LbPontos[seat] = place(*this, new LabelItem(QStringLiteral("0 pts"), {900, 240}, kSeat), scores[seat].x(),
                           scores[seat].y(), kCaptions);
  }

  // The prompt and the message line: a green caption over a black one.
  Label8 = place(*this, new LabelItem(QStringLiteral("Escolha as suas peças"), {9870, 285}, kPromptShadow), 1080,
                 7185, kCaptions, false);
  Label11 = place(*this, new LabelItem(QStringLiteral("Escolha as suas peças"), {9870, 285}, kPrompt), 1065, 7200,
                  kCaptions + 1, false);
  Label9 = place(*this, new LabelItem(QString(), {5910, 570}, kPromptShadow), 3345, 5910, kCaptions, false);
  Label10 = place(*this, new LabelItem(QString(), {5910, 570}, kPrompt), 3345, 5925, kCaptions + 1, false);

  ImgMontao0 = place(*this, new PictureItem(Picture::ImgMontaoX, set), 3690, 2535, kPile, false);
  // The first tile's view is centred in the play area at load.
  PicMatrisH0 = place(*this, new PictureItem(Picture::ImgFrenteH, set), table::kFirstLeft, table::kFirstTop,
                      kChain, false);
  PicM0 = place(*this, new PictureItem(Picture::PedraHR, set), 1305, 7905, kTurnedUp, false);
  PicMove = place(*this, new PictureItem(Picture::ImgCostasW, set), 225, 7905, kMoving, false);
  PicMover = place(*this, new PictureItem(Picture::ImgMove, set), 11430, 7995, kCarried, false);

  for (int i = 1; i <= kHandSlots; ++i) {
    PicJog[i] = place(*this, new PictureItem(Picture::PedraHR, set), jogSlot(i).x(), jogSlot(i).y(), kPlayersHand,
                      false);
    imgjog1[i] = new PictureItem(Picture::imgh, 0, PicJog[i]);
    ImgJog2[i] = new PictureItem(Picture::imgh, 0, PicJog[i]);
    for (int seat = kMac1; seat <= kMac3; ++seat) {
      const Picture back = seat == kMac2 ? Picture::PedraH : Picture::PedraW;
      ImgMac[seat][i] = place(*this, new PictureItem(back, set), macSlot(seat, i).x(), macSlot(seat, i).y(),
                              kComputerHands, false);
    }
  }
}

QPointF TableScene::jogSlot(int i) { return {4305.0 + 495 * (i - 1), 7995}; }

QPointF TableScene::macSlot(int seat, int i) {
  switch (seat) {
    case kMac1: return {105, 6135.0 - 495 * (i - 1)};
    case kMac2: return {4215.0 + 510 * (i - 1), 1095};
    default: return {11070, 3255.0 + 495 * (i - 1)};
  }
}

void TableScene::ExibeJog(int i) {
  if (i < 1 || i > kHandSlots || state_ == nullptr) return;
  const TileCode t = state_->PedrasJog[i];
  if (t.empty()) {
    PicJog[i]->hide();
    return;
  }
  PicJog[i]->setPicture(Picture::PedraHR, settings_.PedraX);
  // The first pip on top: the lower one, unless the player turned the tile over.
  imgjog1[i]->setPicture(Picture::imgh, t.first() + settings_.PedraBase());
  ImgJog2[i]->setPicture(Picture::imgh, t.last() + settings_.PedraBase());
  if (settings_.PedraX == 0) {
    imgjog1[i]->setPos(140, 130);
    ImgJog2[i]->setPos(140, 510);
  } else if (settings_.PedraX == 1) {
    imgjog1[i]->setPos(80, 95);
    ImgJog2[i]->setPos(80, 485);
  }
  imgjog1[i]->show();
  ImgJog2[i]->show();
  PicJog[i]->show();
}

void TableScene::ExibeMac(int quem) {
  if (!isComputerSeat(quem) || state_ == nullptr) return;
  const Picture back = quem == kMac2 ? Picture::PedraH : Picture::PedraW;
  for (int i = 1; i <= kHandSlots; ++i) {
    if (!state_->hand(quem)[i].empty()) ImgMac[quem][i]->setPicture(back, settings_.PedraX);
  }
}

PictureItem* TableScene::objeto(int quem) const {
  if (!isComputerSeat(quem) || state_ == nullptr) return nullptr;
  for (int i = 1; i <= kHandSlots; ++i) {
    if (!state_->hand(quem)[i].empty()) return ImgMac[quem][i];
  }
  return nullptr;
}

void TableScene::showMessage(const QString& text) {
  for (LabelItem* line : {Label9, Label10}) {
    line->setCaption(text);
    line->show();
  }
}

void TableScene::hideMessage() {
  for (LabelItem* line : {Label9, Label10}) {
    line->hide();
    line->setCaption(QString());
  }
}

void TableScene::showPrompt(const QString& text) {
  for (LabelItem* prompt : {Label8, Label11}) {
    prompt->setCaption(text);
    prompt->setVisible(!text.isEmpty());
  }
}

void TableScene::setPassShown(bool shown) {
  Label3[0]->setVisible(shown);
  Label3[1]->setVisible(shown);
}

void TableScene::useEnglishCaptions() {
  for (LabelItem* pass : Label3) pass->setCaption(QStringLiteral("Cannot move"));
  Label2->setCaption(QStringLiteral("New Game |"));
  Label7->setCaption(QStringLiteral("New Game |"));
  Label1->setCaption(QStringLiteral("Settings |"));
  Label6->setCaption(QStringLiteral("Settings |"));
  Label4->setCaption(QStringLiteral("Help"));
  Label5->setCaption(QStringLiteral("Help"));
  Label8->setCaption(QStringLiteral("select your first domino"));
  Label11->setCaption(QStringLiteral("select your first domino"));
}

}  // namespace tavolix
