#pragma once

namespace tavolix {

// The player's carry of a tile from his hand, as the table keeps it.
struct DragState {
  int TopoMao = 8010;       // the top of the hand row
  double EsqArrastada = 0;  // the left of the slot the carried tile belongs to
  int Arrastando = 0;       // 1 from pick-up to release
  bool Reordenou = false;   // the carry moved tiles along the hand
  double PegaX = 0;         // the grab point inside the floating tile
  double PegaY = 0;
  int PedraArrastada = 0;   // the slot under the pointer or being carried
};

}  // namespace tavolix
