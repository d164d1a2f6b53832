#pragma once

#include <functional>
#include <vector>

#include "drag_state.h"
#include "game/game_state.h"
#include "game/presentation.h"
#include "game/settings.h"
#include "sound_player.h"
#include "table_pacer.h"
#include "table_scene.h"

namespace tavolix {

// What the table does for the game, each with the game's own tempo: laying
// out the pile, a seat taking a tile, a tile sliding to the chain, a hand
// closing up, a seat showing it passes, the computer hands turned up.
class TableActions {
 public:
  TableActions(TableScene& scene, const Settings& settings, const GameState& state, const DragState& drag,
               SoundPlayer& sounds, TablePacer& pacer);
  ~TableActions();

  // A click on a face-down pile tile (1..28).
  void onPileClicked(std::function<void(int)> clicked) { pileClicked_ = std::move(clicked); }

  void newHand();
  void clearTable();

  void layOutPile();
  void enablePile(bool enabled);
  void takeFromPile(int seat, int slot, int position);
  void removePile();
  // The pile tile at a position, while the pile is on the table.
  PictureItem* ImgMontao(int position) const;

  void layTile(const LaidTile& tile);
  void closeUpHand(int seat, int slot);
  void computerPasses(int seat);
  void returnToHand(int slot, TileReturn how);
  void MostraPedrasMac();

  // After a change of tile set: every tile shown is drawn again in the new set,
  // each table view keeping its place, its orientation and its pips.
  void redrawTileSet();

  // The chain's views, the first tile's view first; the turned-up computer tiles.
  std::vector<PictureItem*> chainViews() const;
  const std::vector<PictureItem*>& turnedUp() const { return turnedUp_; }

 private:
  void slide(QGraphicsItem* item, QPointF target, int steps, int stepMs);
  void MovePedra(int seat, int slot, QPointF target);
  PictureItem* newView(Picture picture, int layer);

  TableScene& scene_;
  const Settings& settings_;
  const GameState& state_;
  const DragState& drag_;
  SoundPlayer& sounds_;
  TablePacer& pacer_;
  std::function<void(int)> pileClicked_;

  std::array<PictureItem*, kTileCount + 1> pile_{};
  std::vector<PictureItem*> chain_;     // views of tiles 2..28 in the order laid
  std::vector<PictureItem*> turnedUp_;  // the computer tiles shown at the end of a hand
  PictureItem* firstHalf1_ = nullptr;   // the halves of the first tile's view
  PictureItem* firstHalf2_ = nullptr;
};

}  // namespace tavolix
