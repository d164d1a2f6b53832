#pragma once

#include <functional>

#include <QGraphicsObject>

#include "drag_state.h"
#include "game/match.h"
#include "sound_player.h"
#include "table_scene.h"

namespace tavolix {

// The player's hand under the mouse: the floating copy of the tile under the
// pointer, picking it up, carrying it over the table, moving it along the hand,
// turning it over with the right button, and letting it go on the table.
//
// It watches the hand's slots and the copy as an invisible item of the scene,
// and asks the game for every change to the hand.
class HandDrag : public QGraphicsObject {
  Q_OBJECT

 public:
  static constexpr double kSlotWidth = 495;  // hand slots touch: one every 495 twips

  HandDrag(TableScene& scene, Match& match, const Settings& settings, DragState& drag, SoundPlayer& sounds);

  QRectF boundingRect() const override { return {}; }
  void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}

  // Whether the player may pick up a tile now.
  bool blocked() const;
  // Whether a tile has been let go and the game has yet to take it.
  bool releasing() const { return releasing_; }

  // The mouse, as the hand's controls receive it (X and Y in the control's twips).
  void PicJog_MouseMove(int index, Qt::MouseButtons buttons);
  void PicMover_MouseDown(Qt::MouseButton button, double x, double y);
  void PicMover_MouseMove(double x, double y);
  void PicMover_MouseUp(Qt::MouseButton button);

 protected:
  bool sceneEventFilter(QGraphicsItem* watched, QEvent* event) override;

 private:
  void reorder();
  void moveTo(int j);
  void putBack();  // the carried tile back to the hand, as the hand now is
  void afterThisEvent(std::function<void()> then);

  TableScene& scene_;
  Match& match_;
  const Settings& settings_;
  DragState& drag_;
  SoundPlayer& sounds_;
  PictureItem* ImgMover1 = nullptr;
  PictureItem* ImgMover2 = nullptr;
  bool releasing_ = false;  // a release is waiting for the game
};

}  // namespace tavolix
