// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table_scene.h"

#include <functional>

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include "artwork/artwork.h"
#include "game/table_geometry.h"
#include "game/tempo.h"
#include "game/texts.h"
#include "language.h"
#include "pacer.h"
#include "twips.h"
#include "window_button.h"

namespace tavolix {

namespace {

using namespace geometry;

// The table picture: it is drawn 12000 x 9000 twips, one pixel left of the
// window's edge. Not cached: a window-sized copy would cost as much memory as
// the window, and on a large screen a moving tile repaints the bit of felt
// under it faster than it is copied from a cache.
class TablePicture : public QGraphicsItem {
 public:
  // Told what is uncovered: a moving tile uncovers only a little of it.
  TablePicture() { setFlag(ItemUsesExtendedStyleOption); }
  QRectF boundingRect() const override { return QRectF(0, 0, kWidth, kHeight); }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override {
    artwork::paintTable(*painter, boundingRect(), option->exposedRect);
  }
};

// The invisible title strip: pressing the left button on it moves the window.
class TitleStrip : public QGraphicsItem {
 public:
  TitleStrip(QSizeF size, std::function<void(QPointF)> pressed,
             std::function<void(QPointF)> dragged, std::function<void()> doubleClicked)
      : size_(size),
        pressed_(std::move(pressed)),
        dragged_(std::move(dragged)),
        doubleClicked_(std::move(doubleClicked)) {
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
  void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override {
    event->accept();
    doubleClicked_();
  }

 private:
  QSizeF size_;
  std::function<void(QPointF)> pressed_;
  std::function<void(QPointF)> dragged_;
  std::function<void()> doubleClicked_;
};

QSizeF size(Box box) { return {box.width, box.height}; }

template <class Item>
Item* place(QGraphicsScene& scene, Item* item, QPointF at, int layer, bool visible = true) {
  scene.addItem(item);
  item->setPos(at);
  item->setZValue(layer);
  item->setVisible(visible);
  return item;
}

const QColor kLight(224, 224, 224);
const QColor kGreen(120, 255, 90);
const QColor kPairGold(255, 214, 64);
const LabelItem::Style kCommandStyle{8.25, true, kLight, Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kCommandShadowStyle{8.25, true, Qt::black, Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kPass{9, true, kLight, Qt::AlignLeft | Qt::AlignTop};
const LabelItem::Style kPassShadow{9, true, Qt::black, Qt::AlignLeft | Qt::AlignTop};
using Fit = LabelItem::Style::Fit;
const LabelItem::Style kSeat{9, true, kLight, Qt::AlignLeft | Qt::AlignTop, Fit::Shrinks};
const LabelItem::Style kSeatEndingRight{9, true, kLight, Qt::AlignRight | Qt::AlignTop,
                                        Fit::Shrinks};
const LabelItem::Style kPairScoresStyle{9, true, kPairGold, Qt::AlignLeft | Qt::AlignTop,
                                        Fit::Shrinks};
const LabelItem::Style kPromptStyle{12, true, kGreen, Qt::AlignHCenter | Qt::AlignTop};
const LabelItem::Style kPromptShadowStyle{12, true, Qt::black, Qt::AlignHCenter | Qt::AlignTop};
// The message line has room for two lines; one line sits in the middle.
const LabelItem::Style kMessageStyle{12, true, kGreen, Qt::AlignCenter, Fit::Wraps};
const LabelItem::Style kMessageShadowStyle{12, true, Qt::black, Qt::AlignCenter, Fit::Wraps};

}  // namespace

TableScene::TableScene(const Settings& settings, SoundPlayer& sounds, TablePacer& pacer,
                       QObject* parent)
    : QGraphicsScene(parent), settings_(settings), sounds_(sounds), pacer_(pacer) {
  setSceneRect(0, 0, kWidth, kHeight);
  setItemIndexMethod(QGraphicsScene::NoIndex);  // a few dozen items, most of them moving
  const int set = settings.PedraX;

  place(*this, new TablePicture, toScene(kTablePicture), kBackground);
  Image3 = place(*this,
                 new TitleStrip(
                     size(kTitleStrip), [this](QPointF to) { Q_EMIT titleStripPressed(to); },
                     [this](QPointF to) { Q_EMIT titleStripDragged(to); },
                     [this] { Q_EMIT titleStripDoubleClicked(); }),
                 toScene(kTitleStrip.at), kCaptions);
  const auto button = [this](artwork::WindowGlyph glyph, Box box) {
    return place(*this, new WindowButton(glyph, size(box)), toScene(box.at), kCaptions);
  };
  Image4 = button(artwork::WindowGlyph::Minimise, kMinimiseButton);
  Image2 = button(artwork::WindowGlyph::FullScreen, kFullScreenButton);
  Image1 = button(artwork::WindowGlyph::Close, kCloseButton);
  connect(Image4, &WindowButton::clicked, this, &TableScene::minimiseClicked);
  connect(Image2, &WindowButton::clicked, this, &TableScene::fullScreenClicked);
  connect(Image1, &WindowButton::clicked, this, &TableScene::closeClicked);

  // The commands, each over a black copy of itself.
  const auto commandPair = [this](const QString& caption, Box box, const LabelItem::Style& style,
                                  const LabelItem::Style& shadowStyle, LabelItem*& label,
                                  LabelItem*& shadow, bool visible) {
    shadow = place(*this, new LabelItem(caption, size(box), shadowStyle),
                   toScene(box.at) + toScene(kCommandShadow), kCaptions, visible);
    label = place(*this, new LabelItem(caption, size(box), style), toScene(box.at), kCaptions + 1,
                  visible);
    label->setClickable(true);
  };
  commandPair(QString(), kNewGameCommand, kCommandStyle, kCommandShadowStyle, Label2, Label7, true);
  commandPair(QString(), kSettingsCommand, kCommandStyle, kCommandShadowStyle, Label1, Label6,
              true);
  commandPair(QString(), kHelpCommand, kCommandStyle, kCommandShadowStyle, Label4, Label5, true);
  commandPair(QString(), kPassCommand, kPass, kPassShadow, Label3[0], Label3[1], false);
  commandPair(QString(), kHistoryCommand, kCommandStyle, kCommandShadowStyle, history_[0],
              history_[1], true);
  commandPair(QString(), kHintCommand, kCommandStyle, kCommandShadowStyle, hint_[0], hint_[1],
              true);
  commandPair(QString(), kOnlineCommand, kCommandStyle, kCommandShadowStyle, online_[0], online_[1],
              true);
  commandPair(QString(), kStartCommand, kPass, kPassShadow, start_[0], start_[1], false);
  for (const Command c : {Command::NewGame, Command::Settings, Command::Help, Command::Pass,
                          Command::History, Command::Online, Command::Start, Command::Hint}) {
    connect(commandLabel(c), &LabelItem::clicked, this, [this, c] { Q_EMIT commandClicked(c); });
  }

  for (int seat = 0; seat < kSeatCount; ++seat) {
    const QString name = QString::fromStdString(settings.Nomes[seat]);
    const LabelItem::Style& style = captionEndsRight(seat) ? kSeatEndingRight : kSeat;
    LbPlayer[seat] = place(*this, new LabelItem(name, size(nameLabel(seat)), style),
                           toScene(nameLabel(seat).at), kCaptions);
    LbPontos[seat] =
        place(*this, new LabelItem(translated(texts::scoreText(0)), size(scoreLabel(seat)), style),
              toScene(scoreLabel(seat).at), kCaptions);
    connect(LbPlayer[seat], &LabelItem::clicked, this,
            [this, seat] { Q_EMIT seatNameClicked(seat); });
  }

  pairScores_ = place(*this, new LabelItem(QString(), size(kPairScores), kPairScoresStyle),
                      toScene(kPairScores.at), kCaptions, false);

  marks_ = std::make_unique<TableMarks>(*this, settings, LbPlayer);

  // The prompt and the message line: a green caption over a black one.
  Label8 = place(*this, new LabelItem(QString(), size(kPrompt), kPromptShadowStyle),
                 toScene(kPromptShadow), kCaptions, false);
  Label11 = place(*this, new LabelItem(QString(), size(kPrompt), kPromptStyle), toScene(kPrompt.at),
                  kCaptions + 1, false);
  Label9 = place(*this, new LabelItem(QString(), size(kMessageLine), kMessageShadowStyle),
                 toScene(kMessageShadow), kCaptions, false);
  Label10 = place(*this, new LabelItem(QString(), size(kMessageLine), kMessageStyle),
                  toScene(kMessageLine.at), kCaptions + 1, false);

  ImgMontao0 =
      place(*this, new PictureItem(Picture::ImgMontaoX, set), toScene(kPileOrigin), kPile, false);
  PicMatrisH0 =
      place(*this, new PictureItem(Picture::ImgFrenteH, set), toScene(kFirstTile), kChain, false);
  // Its two half faces, drawn again for each hand's first tile.
  new PictureItem(Picture::ImgW, 0, PicMatrisH0);
  new PictureItem(Picture::ImgW, 0, PicMatrisH0);
  PicMove = place(*this, new PictureItem(Picture::ImgCostasW, set), toScene(kMovingTileRest),
                  kMoving, false);
  PicMover = place(*this, new PictureItem(Picture::ImgMove, set), toScene(kCarriedTileRest),
                   kCarried, false);

  for (int slot = 1; slot <= kHandSlots; ++slot) {
    PicJog[slot] = place(*this, new PictureItem(Picture::PedraHR, set),
                         {handSlot(slot).left, kHandSlotDesignTop}, kPlayersHand, false);
    imgjog1[slot] = new PictureItem(Picture::imgh, 0, PicJog[slot]);
    ImgJog2[slot] = new PictureItem(Picture::imgh, 0, PicJog[slot]);
    for (int seat = kMac1; seat <= kMac3; ++seat) {
      const Picture back = seat == kMac2 ? Picture::PedraH : Picture::PedraW;
      ImgMac[seat][slot] = place(*this, new PictureItem(back, set),
                                 toScene(computerSlot(seat, slot)), kComputerHands, false);
    }
  }

  timerMsg_.setSingleShot(true);
  connect(&timerMsg_, &QTimer::timeout, this, &TableScene::hideMessage);
  connect(&timerPisca_, &QTimer::timeout, this, [this] {
    // Twice on and off in a second, then it stays.
    ++blinks_;
    Label9->setVisible(!Label9->isVisible());
    Label10->setVisible(!Label10->isVisible());
    if (blinks_ == 4) {
      timerPisca_.stop();
      blinks_ = 0;
      Label9->show();
      Label10->show();
    }
  });
  retranslate();
}

void TableScene::setCommandPointer(const QCursor& pointer) {
  for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{
           Label1, Label2, Label4, Label3[0], history_[0], hint_[0], online_[0], start_[0], Image1,
           Image2, Image4, ImgMontao0}) {
    item->setCursor(pointer);
  }
}

LabelItem* TableScene::commandLabel(Command command) const {
  switch (command) {
    case Command::NewGame:
      return Label2;
    case Command::Settings:
      return Label1;
    case Command::Help:
      return Label4;
    case Command::History:
      return history_[0];
    case Command::Hint:
      return hint_[0];
    case Command::Online:
      return online_[0];
    case Command::Start:
      return start_[0];
    case Command::Pass:
      break;
  }
  return Label3[0];
}

const LabelItem& TableScene::command(Command command) const { return *commandLabel(command); }

QRectF TableScene::minimiseButton() const { return Image4->sceneBoundingRect(); }
QRectF TableScene::fullScreenButton() const { return Image2->sceneBoundingRect(); }
QRectF TableScene::closeButton() const { return Image1->sceneBoundingRect(); }

// --- captions ----------------------------------------------------------------

void TableScene::message(const QString& text, int ms) {
  for (LabelItem* line : {Label9, Label10}) {
    line->setCaption(text);
    line->show();
  }
  // With no time given the message stays, and a timer already running is left running.
  if (ms > 0) timerMsg_.start(pacer::scaled(ms));
}

void TableScene::blinkMessage() {
  blinks_ = 0;
  timerPisca_.start(pacer::scaled(tempo::kBlinkMs));
}

void TableScene::hideMessage() {
  for (LabelItem* line : {Label9, Label10}) {
    line->hide();
    line->setCaption(QString());
  }
  timerMsg_.stop();
}

void TableScene::showPrompt(const QString& text) {
  for (LabelItem* prompt : {Label8, Label11}) {
    prompt->setCaption(text);
    prompt->setVisible(!text.isEmpty());
  }
}

void TableScene::showPassCommand(bool shown) {
  Label3[0]->setVisible(shown);
  Label3[1]->setVisible(shown);
}

void TableScene::setSeatNamesClickable(bool clickable) {
  for (LabelItem* name : LbPlayer) name->setClickable(clickable);
}

void TableScene::showStartCommand(bool shown) {
  start_[0]->setVisible(shown);
  start_[1]->setVisible(shown);
}

// --- the status, for screen readers --------------------------------------------

void TableScene::showTurn(int seat) {
  marks_->showTurn(seat);
  updateStatus();
}

void TableScene::showThinking(bool thinking) {
  marks_->showThinking(thinking);
  updateStatus();
}

void TableScene::announceChoice(TileCode tile) {
  choice_ =
      tile.empty() ? QString() : tr("Pedra escolhida: %1:%2").arg(tile.first()).arg(tile.last());
  updateStatus();
}

void TableScene::updateStatus(bool move) {
  QStringList parts;
  const int seat = marks_->turn();
  if (seat == kJog) {
    parts << tr("Sua vez");
  } else if (seat > 0 && seat < kSeatCount) {
    parts << (marks_->thinking() ? tr("Vez de %1, pensando") : tr("Vez de %1"))
                 .arg(LbPlayer[seat]->caption());
  }
  if (!lastMove_.isEmpty()) parts << lastMove_;
  if (!choice_.isEmpty()) parts << choice_;
  status_.setText(parts.join(QStringLiteral(". ")), move);
  tellSummaryChanged();
}

std::vector<LabelItem*> TableScene::accessibleCaptions() const {
  std::vector<LabelItem*> captions{Label2,   Label1,     Label4,    history_[0],
                                   hint_[0], online_[0], Label3[0], start_[0]};
  for (int seat = 0; seat < kSeatCount; ++seat) {
    captions.push_back(LbPlayer[seat]);
    captions.push_back(LbPontos[seat]);
  }
  captions.push_back(pairScores_);
  captions.push_back(Label11);
  captions.push_back(Label10);
  return captions;
}

void TableScene::showSeatNames(const std::array<std::string, 4>& names) {
  for (int seat = 0; seat < kSeatCount; ++seat) {
    LbPlayer[seat]->setCaption(QString::fromStdString(names[seat]));
    LbPontos[seat]->show();
  }
  marks_->refresh();
}

void TableScene::showScore(int seat, const QString& text) { LbPontos[seat]->setCaption(text); }

void TableScene::showPairScores(const Text& text) {
  pairScoresText_ = text;
  pairScores_->setCaption(text.empty() ? QString() : translated(text));
  pairScores_->setVisible(!text.empty());
}

void TableScene::enableCommand(Command command, bool enabled) {
  commandLabel(command)->setEnabled(enabled);
}

void TableScene::enableHand(bool enabled) {
  for (int slot = 1; slot <= kHandSlots; ++slot) PicJog[slot]->setEnabled(enabled);
}

void TableScene::retranslate() {
  const auto caption = [](LabelItem* label, LabelItem* shadow, const QString& text) {
    label->setCaption(text);
    shadow->setCaption(text);
  };
  caption(Label2, Label7, tr("Novo Jogo |"));
  caption(Label1, Label6, tr("Opções |"));
  caption(Label4, Label5, tr("Ajuda"));
  caption(Label3[0], Label3[1], tr("Passar a vez"));
  caption(history_[0], history_[1], tr("Placar"));
  caption(hint_[0], hint_[1], tr("Dica"));
  caption(online_[0], online_[1], tr("Jogar online"));
  caption(start_[0], start_[1], tr("Começar"));
  caption(Label11, Label8, translated(texts::takeYourTiles()));
  for (LabelItem* score : LbPontos) {
    if (score->caption().isEmpty()) score->setCaption(translated(texts::scoreText(0)));
  }
  showPairScores(pairScoresText_);
  // What a screen reader says the table's captions are for.
  Label2->setAccessibleTexts({}, tr("Começa uma nova partida (Ctrl+N)"));
  Label1->setAccessibleTexts({}, tr("As pedras, a velocidade, os nomes e o som (Ctrl+,)"));
  Label4->setAccessibleTexts({}, tr("Abre a ajuda (F1)"));
  history_[0]->setAccessibleTexts({}, tr("As mãos da partida até aqui (Ctrl+H)"));
  hint_[0]->setAccessibleTexts(
      {}, tr("Mostra a pedra que o jogador Forte jogaria; a partida conta à parte (D)"));
  Label3[0]->setAccessibleTexts({}, tr("Passa a vez quando nenhuma pedra serve (P)"));
  online_[0]->setAccessibleTexts({}, tr("Abre ou entra numa mesa pela rede (Ctrl+O)"));
  start_[0]->setAccessibleTexts({}, tr("Começa a partida com quem está à mesa (Ctrl+Enter)"));
  static const char* const kWhere[] = {
      QT_TR_NOOP("Nome: você"), QT_TR_NOOP("Nome: o jogador à esquerda"),
      QT_TR_NOOP("Nome: o jogador à frente"), QT_TR_NOOP("Nome: o jogador à direita")};
  static const char* const kScoreOf[] = {
      QT_TR_NOOP("Pontos: você"), QT_TR_NOOP("Pontos: o jogador à esquerda"),
      QT_TR_NOOP("Pontos: o jogador à frente"), QT_TR_NOOP("Pontos: o jogador à direita")};
  for (int seat = 0; seat < kSeatCount; ++seat) {
    LbPlayer[seat]->setAccessibleTexts({}, tr(kWhere[seat]));
    LbPontos[seat]->setAccessibleTexts({}, tr(kScoreOf[seat]));
  }
  pairScores_->setAccessibleTexts({}, tr("Pontos da sua dupla e da outra"));
  Label11->setAccessibleTexts({}, tr("O que fazer ao pegar as pedras"));
  Label10->setAccessibleTexts({}, tr("Mensagem do jogo"));
  updateStatus();
}

// --- the hands ---------------------------------------------------------------

void TableScene::ExibeJog(int slot) {
  if (slot < 1 || slot > kHandSlots || state_ == nullptr) return;
  const TileCode t = state_->PedrasJog[slot];
  if (t.empty()) {
    PicJog[slot]->hide();
    return;
  }
  PicJog[slot]->setPicture(Picture::PedraHR, settings_.PedraX);
  // The first pip on top: the lower one, unless the player turned the tile over.
  imgjog1[slot]->setPicture(Picture::imgh, t.first() + settings_.PedraBase());
  ImgJog2[slot]->setPicture(Picture::imgh, t.last() + settings_.PedraBase());
  if (settings_.PedraX == 0 || settings_.PedraX == 1) {
    const Halves halves = handHalves(settings_.PedraX);
    imgjog1[slot]->setPos(toScene(halves.first));
    ImgJog2[slot]->setPos(toScene(halves.second));
  }
  imgjog1[slot]->show();
  ImgJog2[slot]->show();
  PicJog[slot]->show();
}

void TableScene::ExibeMac(int seat) {
  if (!isComputerSeat(seat) || state_ == nullptr) return;
  // Every place, held or not: the one a tile is leaving is filled again as the hand closes up.
  const Picture back = seat == kMac2 ? Picture::PedraH : Picture::PedraW;
  for (int slot = 1; slot <= kHandSlots; ++slot)
    ImgMac[seat][slot]->setPicture(back, settings_.PedraX);
}

void TableScene::showHands() {
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    PicJog[slot]->setPos(toScene(handSlot(slot)));
    ExibeJog(slot);
  }
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      ImgMac[seat][slot]->setVisible(state_ != nullptr && !state_->hand(seat)[slot].empty());
    }
    ExibeMac(seat);
  }
}

PictureItem* TableScene::objeto(int seat) const {
  if (!isComputerSeat(seat) || state_ == nullptr) return nullptr;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (!state_->hand(seat)[slot].empty()) return ImgMac[seat][slot];
  }
  return nullptr;
}

// --- looking at the table ----------------------------------------------------

const PictureItem* TableScene::pileTile(int position) const {
  return position >= 1 && position <= kTileCount ? pile_[position] : nullptr;
}

std::vector<const PictureItem*> TableScene::chainViews() const {
  std::vector<const PictureItem*> views;
  if (PicMatrisH0->isVisible()) views.push_back(PicMatrisH0);
  views.insert(views.end(), chain_.begin(), chain_.end());
  return views;
}

std::vector<const PictureItem*> TableScene::turnedUp() const {
  return {turnedUp_.begin(), turnedUp_.end()};
}

}  // namespace tavolix
