// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QGraphicsScene>
#include <QTimer>

#include "game/game_state.h"
#include "game/presentation.h"
#include "game/settings.h"
#include "label_item.h"
#include "picture_item.h"
#include "table_accessibility.h"
#include "table_marks.h"

namespace tavolix {

class SoundPlayer;
class TablePacer;
class WindowButton;

// The table in twips (12000 x 9000), holding every control of the window in
// the place the table has always had it. It offers what the game shows, as
// actions with the game's own tempo: lay out the pile, take a tile from it,
// lay a tile in the chain, close up a hand, show a seat passing, send a tile
// back to the hand, turn the computer hands up. It draws the hands from the
// game state it is shown and changes nothing in the game.
class TableScene : public QGraphicsScene {
  Q_OBJECT

 public:
  // The commands along the top, and the Pass command.
  enum class Command { NewGame, Settings, Help, Pass, History, Online, Start, Hint };

  TableScene(const Settings& settings, SoundPlayer& sounds, TablePacer& pacer,
             QObject* parent = nullptr);

  // The hands drawn are those of `state`.
  void bindState(const GameState* state) { state_ = state; }
  // The pointer over the commands, the window's buttons and the pile.
  void setCommandPointer(const QCursor& pointer);

  // --- captions ---------------------------------------------------------------
  // The message line: `ms` 0 keeps it until replaced.
  void message(const QString& text, int ms);
  void blinkMessage();
  void hideMessage();
  // The prompt while the player takes his tiles; empty hides it.
  void showPrompt(const QString& text);
  void showPassCommand(bool shown);
  // The host's Start command at a table online that has not begun.
  void showStartCommand(bool shown);
  // Whether a click on a seat's name is a command (the host choosing his partner).
  void setSeatNamesClickable(bool clickable);
  void showSeatNames(const std::array<std::string, 4>& names);
  void showScore(int seat, const QString& text);
  // Both pairs' points, or none (an empty text).
  void showPairScores(const Text& text);
  void enableCommand(Command command, bool enabled);
  void enableHand(bool enabled);
  // Whose turn it is (-1 nobody's) and whether that computer seat is thinking.
  void showTurn(int seat);
  void showThinking(bool thinking);
  // The tile chosen from the keyboard, for the status line; an empty tile for none.
  void announceChoice(TileCode tile);
  // The marks follow a change of the preferences.
  void refreshMarks() { marks_->refresh(); }
  // The desktop asks for no animations: tiles go to their places at once, as
  // when the player asks for it.
  void setDesktopReducesMotion(bool reduced) { desktopReducesMotion_ = reduced; }
  bool motionReduced() const { return settings_.reducedMotion || desktopReducesMotion_; }
  void showEndNames(bool shown) { marks_->showEndNames(shown); }
  const TableMarks& marks() const { return *marks_; }
  // What a screen reader reads of the table: the captions and commands, and the status.
  std::vector<LabelItem*> accessibleCaptions() const;
  TableStatus& status() { return status_; }
  HandList& handList() { return handList_; }
  TableSummary& summary() { return summary_; }
  // The table in words (see table_reading.h): the whole hand, one tile of it,
  // the ends, passes and tiles held. Each is also said in the status line by
  // say(), on the player's asking.
  QString handReading() const;
  QString handTileReading(int slot) const;
  QString tableReading() const;
  void say(const QString& text) { status_.sayNow(text); }
  // The picture of hand slot `slot` (1..7), for a screen reader; the slot of a
  // picture that is one of the hand's, else 0.
  PictureItem* handPicture(int slot) { return PicJog[slot]; }
  int handSlotOf(const QObject* picture) const;
  // Every caption of the table in the language now chosen.
  void retranslate();

  // --- the hands --------------------------------------------------------------
  // Draws slot `slot` of the player's hand from the game state, or hides it when empty.
  void ExibeJog(int slot);
  // Gives every occupied slot of a computer seat the back of the current tile set.
  void ExibeMac(int seat);
  // All four hands as the game state holds them, each tile in its place.
  void showHands();

  // --- a hand on the table, each with its tempo ---------------------------------
  void newHand();     // hands hidden, messages cleared, for the deal
  void clearTable();  // the chain, the pile and the turned-up tiles go
  void layOutPile();
  void enablePile(bool enabled);
  // Pile `position` slides to `seat`'s `slot` (the player's shows face up).
  void takeFromPile(int seat, int slot, int position);
  void removePile();
  void layTile(const LaidTile& tile);
  // A match picked up where it stood: the pile tiles not yet taken, and the
  // chain as laid, drawn at once.
  void showPile();
  void showChain(const std::vector<LaidTile>& laid);
  void closeUpHand(int seat, int slot);
  void computerPasses(int seat);
  void returnToHand(int slot, TileReturn how);
  void MostraPedrasMac();
  // The floating copy of a hand tile put away.
  void hideCarriedTile();
  // After a change of tile set: every tile shown is drawn again in the new set,
  // each table view keeping its place, its orientation and its pips.
  void redrawTileSet();

  // --- what the table shows, for looking at it ---------------------------------
  const PictureItem& handTile(int slot) const { return *PicJog[slot]; }
  // The first (top) or the second half face shown in a hand slot.
  const PictureItem& handHalf(int slot, int half) const {
    return *(half == 1 ? imgjog1 : ImgJog2)[slot];
  }
  const PictureItem& computerTile(int seat, int slot) const { return *ImgMac[seat][slot]; }
  const PictureItem& carriedTile() const { return *PicMover; }
  const PictureItem& movingTile() const { return *PicMove; }
  // A face-down pile tile; none once it has been taken away.
  const PictureItem* pileTile(int position) const;
  // The chain's views in the order laid, the first tile's first; then the
  // computer tiles turned up at the end of a hand.
  std::vector<const PictureItem*> chainViews() const;
  std::vector<const PictureItem*> turnedUp() const;
  const LabelItem& messageLine() const { return *Label10; }
  const LabelItem& prompt() const { return *Label11; }
  const LabelItem& command(Command command) const;
  const LabelItem& seatName(int seat) const { return *LbPlayer[seat]; }
  const LabelItem& score(int seat) const { return *LbPontos[seat]; }
  const LabelItem& pairScores() const { return *pairScores_; }
  // Where the window's buttons are: minimise, full screen, close.
  QRectF minimiseButton() const;
  QRectF fullScreenButton() const;
  QRectF closeButton() const;

 Q_SIGNALS:
  void commandClicked(TableScene::Command command);
  void pileClicked(int position);
  void seatNameClicked(int seat);
  void minimiseClicked();
  void fullScreenClicked();
  void closeClicked();
  void titleStripPressed(QPointF screenPos);
  void titleStripDragged(QPointF screenPos);
  void titleStripDoubleClicked();

 private:
  friend class HandDrag;  // the player's hand under the mouse works on the hand's own pictures

  // The face-down tile of a computer seat's lowest occupied slot; none when its hand is empty.
  PictureItem* objeto(int seat) const;
  void slide(QGraphicsItem* item, QPointF step, int steps, int stepMs);
  void MovePedra(int seat, int slot, QPointF target);
  // A face-down tile at pile `position`, shown and not yet clickable.
  void addPileTile(int position);
  // A laid tile's view in the chain, not yet shown; then the marks and words
  // that tell it was the last laid.
  PictureItem* chainView(const LaidTile& laid);
  void markLaid(const LaidTile& laid, const PictureItem& view);
  PictureItem* newView(Picture picture, int layer);
  LabelItem* commandLabel(Command command) const;

  const Settings& settings_;
  bool desktopReducesMotion_ = false;
  SoundPlayer& sounds_;
  TablePacer& pacer_;
  const GameState* state_ = nullptr;

  // The controls, named as the table's design names them.
  QGraphicsItem* Image3 = nullptr;  // the title strip, by which the window is moved
  WindowButton* Image4 = nullptr;   // minimise
  WindowButton* Image2 = nullptr;   // full-screen toggle
  WindowButton* Image1 = nullptr;   // close
  LabelItem* Label2 = nullptr;      // New Game, with its shadow Label7
  LabelItem* Label1 = nullptr;      // Settings, shadow Label6
  LabelItem* Label4 = nullptr;      // Help, shadow Label5
  LabelItem* Label7 = nullptr;
  LabelItem* Label6 = nullptr;
  LabelItem* Label5 = nullptr;
  std::array<LabelItem*, 2> Label3{};    // Pass, and its shadow
  std::array<LabelItem*, 2> history_{};  // the score history, and its shadow
  std::array<LabelItem*, 2> hint_{};     // a hint, and its shadow
  std::array<LabelItem*, 2> online_{};   // online play, and its shadow
  std::array<LabelItem*, 2> start_{};    // the host's Start, and its shadow
  std::array<LabelItem*, 4> LbPlayer{};
  std::array<LabelItem*, 4> LbPontos{};
  LabelItem* pairScores_ = nullptr;
  Text pairScoresText_;          // kept to be said again in another language
  LabelItem* Label11 = nullptr;  // the prompt while taking tiles, and its shadow Label8
  LabelItem* Label8 = nullptr;
  LabelItem* Label10 = nullptr;  // the message line, and its shadow Label9
  LabelItem* Label9 = nullptr;
  PictureItem* ImgMontao0 = nullptr;   // the model of a face-down pile tile
  PictureItem* PicMatrisH0 = nullptr;  // the first tile of a hand
  PictureItem* PicMove = nullptr;      // a computer tile on its way to the chain
  PictureItem* PicMover = nullptr;     // the tile the player carries
  // Slots 1..7 of the player's hand with their half faces, and of the computer seats.
  std::array<PictureItem*, 8> PicJog{};
  std::array<PictureItem*, 8> imgjog1{};
  std::array<PictureItem*, 8> ImgJog2{};
  std::array<std::array<PictureItem*, 8>, 4> ImgMac{};  // [seat 1..3][slot 1..7]

  std::array<PictureItem*, kTileCount + 1>
      pile_{};                          // positions 1..28 while the pile is on the table
  std::vector<PictureItem*> chain_;     // views of tiles 2..28 in the order laid
  std::vector<PictureItem*> turnedUp_;  // the computer tiles shown at the end of a hand

  // The message line's two timers: one hides it, the other makes it blink.
  QTimer timerMsg_;
  QTimer timerPisca_;
  int blinks_ = 0;

  std::unique_ptr<TableMarks> marks_;
  TableStatus status_{this};
  HandList handList_{this};
  TableSummary summary_{this};
  QString lastMove_;     // "Zorvan jogou 6:4"
  QString choice_;       // "Pedra escolhida: 6:4"
  QString summarySaid_;  // the table in words, as a screen reader last heard it
  // `move`: a move was just laid, which the status must not pass over.
  void updateStatus(bool move = false);
  // Tells a screen reader that the table in words has changed, when it has.
  void tellSummaryChanged();
};

}  // namespace tavolix
