#pragma once

#include <array>

#include <QGraphicsScene>

#include "game/game_state.h"
#include "game/settings.h"
#include "label_item.h"
#include "picture_item.h"

namespace tavolix {

class WindowButton;

// The table in twips (12000 x 9000), holding every control of the window in
// the place the table has always had it. It draws the hands from the game
// state it is shown; it changes nothing in the game.
class TableScene : public QGraphicsScene {
  Q_OBJECT

 public:
  static constexpr int kTopoMao = 8010;  // the top of the player's hand row once the window is up

  explicit TableScene(const Settings& settings, QObject* parent = nullptr);

  // The hands drawn are those of `state`.
  void bindState(const GameState* state) { state_ = state; }

  // --- controls ---------------------------------------------------------------
  QGraphicsItem* Picture2 = nullptr;   // the table picture behind everything
  QGraphicsItem* Image3 = nullptr;     // the title strip, by which the window is moved
  WindowButton* Image4 = nullptr;      // minimise
  WindowButton* Image2 = nullptr;      // full-screen toggle
  WindowButton* Image1 = nullptr;      // close
  LabelItem* Label2 = nullptr;         // New Game, with its shadow Label7
  LabelItem* Label1 = nullptr;         // Settings, shadow Label6
  LabelItem* Label4 = nullptr;         // Help, shadow Label5
  LabelItem* Label7 = nullptr;
  LabelItem* Label6 = nullptr;
  LabelItem* Label5 = nullptr;
  std::array<LabelItem*, 2> Label3{};  // Pass, and its shadow
  std::array<LabelItem*, 4> LbPlayer{};
  std::array<LabelItem*, 4> LbPontos{};
  LabelItem* Label11 = nullptr;  // the prompt while taking tiles, and its shadow Label8
  LabelItem* Label8 = nullptr;
  LabelItem* Label10 = nullptr;  // the message line, and its shadow Label9
  LabelItem* Label9 = nullptr;
  PictureItem* ImgMontao0 = nullptr;  // the model of a face-down pile tile
  PictureItem* PicMatrisH0 = nullptr; // the first tile of a hand
  PictureItem* PicM0 = nullptr;       // the model of a turned-up computer tile
  PictureItem* PicMove = nullptr;     // a computer tile on its way to the chain
  PictureItem* PicMover = nullptr;    // the tile the player carries
  // Slots 1..7 of the player's hand with their half faces, and of the computer seats.
  std::array<PictureItem*, 8> PicJog{};
  std::array<PictureItem*, 8> imgjog1{};
  std::array<PictureItem*, 8> ImgJog2{};
  std::array<std::array<PictureItem*, 8>, 4> ImgMac{};  // [seat 1..3][slot 1..7]

  // --- the hands --------------------------------------------------------------
  // Draws slot i of the player's hand from the game state, or hides it when empty.
  void ExibeJog(int i);
  // Gives every occupied slot of a computer seat the back of the current tile set.
  void ExibeMac(int quem);
  // The face-down tile of a computer seat's lowest occupied slot; none when its hand is empty.
  PictureItem* objeto(int quem) const;

  // Where slot i of each hand lies.
  static QPointF jogSlot(int i);
  static QPointF macSlot(int seat, int i);

  // The message line and the prompt: both copies of a caption show the same text.
  void showMessage(const QString& text);
  void hideMessage();
  void showPrompt(const QString& text);
  void setPassShown(bool shown);

  // The English captions, when the game speaks English.
  void useEnglishCaptions();

 Q_SIGNALS:
  void titleStripPressed(QPointF screenPos);
  void titleStripDragged(QPointF screenPos);

 private:
  const Settings& settings_;
  const GameState* state_ = nullptr;
};

}  // namespace tavolix
