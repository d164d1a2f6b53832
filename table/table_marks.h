// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>

#include <QGraphicsObject>
#include <QTimer>

#include "game/settings.h"
#include "label_item.h"
#include "picture_item.h"

namespace tavolix {

// The marks that help a player follow the table: whose turn it is (a gold
// marker beside the seat's name, with dots that pulse while a computer seat
// thinks), the tile laid last (a soft outline) and the chain's open ends (a glow
// on the half to match). Each can be turned off in the preferences.
class TableMarks : public QObject {
  Q_OBJECT

 public:
  TableMarks(QGraphicsScene& scene, const Settings& settings,
             const std::array<LabelItem*, 4>& names);

  // -1: nobody's turn.
  void showTurn(int seat);
  void showThinking(bool thinking);
  int turn() const { return seat_; }
  bool thinking() const { return thinking_; }
  // Whether the marker beats (a timer waking the game four times a second).
  bool beating() const { return pulse_.isActive(); }

  // A tile laid in `view`: the first of the chain (both ends), or at side A or B,
  // its open half the one given (0 first, 1 second, -1 both: a double).
  void laid(const PictureItem* view, bool first, bool sideA, int openHalf);
  void clear();
  // The settings may have changed: marks shown or hidden to match.
  void refresh();

  const QGraphicsItem& turnMarker() const { return *marker_; }
  const QGraphicsItem& lastMoveMark() const { return *lastMove_; }
  const QGraphicsItem& endMark(int side) const { return *ends_[side]; }

  // The letters A and B beside the two open ends, while the player is asked
  // which end a tile goes to.
  void showEndNames(bool shown);
  const QGraphicsItem& endName(int side) const { return *endNames_[side]; }
  QString endNameLetter(int side) const;  // the letter drawn in it

 private:
  void place();

  const Settings& settings_;
  std::array<LabelItem*, 4> names_;
  QGraphicsObject* marker_ = nullptr;
  QGraphicsRectItem* lastMove_ = nullptr;
  std::array<QGraphicsRectItem*, 2> ends_{};
  const PictureItem* lastView_ = nullptr;
  std::array<QRectF, 2> endRects_;  // scene rectangles of the open halves
  std::array<QPointF, 2> outward_;  // from each end's tile towards its open half
  std::array<QGraphicsItem*, 2> endNames_{};
  bool endNamesShown_ = false;
  int seat_ = -1;
  bool thinking_ = false;
  QTimer pulse_;
};

}  // namespace tavolix
