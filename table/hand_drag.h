// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <optional>

#include <QGraphicsObject>

#include "game/table_game.h"
#include "sound_player.h"
#include "table_scene.h"

namespace tavolix {

// The player's hand under the mouse and the keyboard: the floating copy of the
// tile under the pointer, picking it up, carrying it over the table, moving it
// along the hand, turning it over with the right button, and letting it go on
// the table; from the keyboard, a tile chosen (raised) and moved, turned over
// or laid on an end.
//
// It watches the hand's slots and the copy as an invisible item of the scene,
// and asks the game for every change to the hand.
class HandDrag : public QGraphicsObject {
  Q_OBJECT

 public:
  // The carry, as the hand keeps it.
  struct State {
    int PedraArrastada = 0;   // the slot under the pointer or being carried
    double EsqArrastada = 0;  // the left of the slot the carried tile belongs to
    int Arrastando = 0;       // 1 from pick-up to release
    bool Reordenou = false;   // the carry moved tiles along the hand
    double PegaX = 0;         // the grab point inside the floating tile
    double PegaY = 0;
  };

  HandDrag(TableScene& scene, TableGame& game, const Settings& settings, SoundPlayer& sounds);

  // The game the hand plays in from now on.
  void setGame(TableGame& game) { game_ = &game; }

  QRectF boundingRect() const override { return {}; }
  void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}

  const State& state() const { return drag_; }

  // --- the keyboard ----------------------------------------------------------
  // The slot chosen from the keyboard, raised out of the hand; 0 for none.
  int chosen() const { return chosen_; }
  // The next tile to the left (-1) or right (+1) is chosen.
  void choose(int step);
  // The tile of `slot` is chosen (a hint), as if reached with the arrows.
  void chooseSlot(int slot);
  // The chosen tile moves one place along the hand.
  void moveChosen(int step);
  void flipChosen();
  // The chosen tile laid: on the end it fits, or on `end` when given. False,
  // and nothing done, when it fits both ends and none was named.
  bool layChosen(std::optional<Lado> end);
  // No tile chosen any more (the hand changed under it).
  void forgetChoice();
  // The ring drawn round the chosen tile, as well as its standing up.
  const QGraphicsItem& choiceRing() const { return *ring_; }
  // Whether a tile has been let go, or a command given, and the game has yet
  // to take it.
  bool releasing() const { return waiting_ > 0; }
  // A command of the table (Pass, New Game, a pile tile) for the game once the
  // event that gave it is over: a tile being carried goes back to the hand
  // first, and none can be taken up until the game has run it.
  void queueGameAction(std::function<void()> action);

 protected:
  bool sceneEventFilter(QGraphicsItem* watched, QEvent* event) override;

 private:
  // Whether the player may not pick up a tile now.
  bool blocked() const;
  // The mouse, as the hand's controls receive it (X and Y in the control's twips).
  void PicJog_MouseMove(int slot, Qt::MouseButtons buttons);
  void PicMover_MouseDown(Qt::MouseButton button, double x, double y);
  void PicMover_MouseMove(double x, double y);
  void PicMover_MouseUp(Qt::MouseButton button);

  void reorder();
  // The tile of `slot` lifted out of the hand into the floating copy.
  void pickUp(int slot);
  void raise(int slot, bool raised);
  bool mayPlay() const;
  void announce();  // the chosen tile, for screen readers
  void moveTo(int slot);
  void putBack();  // the carried tile back to the hand, as the hand now is
  void afterThisEvent(std::function<void()> then);

  TableScene& scene_;
  TableGame* game_;
  const Settings& settings_;
  SoundPlayer& sounds_;
  State drag_;
  QGraphicsRectItem* ring_ = nullptr;
  PictureItem* ImgMover1 = nullptr;
  PictureItem* ImgMover2 = nullptr;
  int waiting_ = 0;  // releases and commands waiting for the game
  int chosen_ = 0;
};

}  // namespace tavolix
