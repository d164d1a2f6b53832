// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The player's hand in the real window, driven by synthetic mouse events.
#pragma once

#include "window_support.h"

namespace tavolix {

class HandDragTest : public WindowTest {
 protected:
  // The player to move on ends 6 (side "A", its last tile at 4995) and 3 (side
  // "B", at 6675); the computer seats can play on neither.
  void playerHolds(const Hand& hand, int endA = 6, int endB = 3) {
    Position p = endsSixAndThree(hand);
    p.state.PontaA = endA;
    p.state.PontaB = endB;
    playerToMove(p.state, p.chain);
  }
  void send(QEvent::Type type, QPointF twips, Qt::MouseButton button) {
    if (type == QEvent::MouseButtonPress) held_ |= button;
    if (type == QEvent::MouseButtonRelease) held_ &= ~Qt::MouseButtons(button);
    sendMouseAt(window, type, twips, button, held_);
  }
  void hover(QPointF twips) {
    sendMouseAt(window, QEvent::MouseMove, {6000, 3000}, Qt::NoButton, Qt::NoButton);
    sendMouseAt(window, QEvent::MouseMove, twips, Qt::NoButton, Qt::NoButton);
  }
  void press(int slot, Qt::MouseButton button = Qt::LeftButton) {
    hover(slotMiddle(slot));
    send(QEvent::MouseButtonPress, slotMiddle(slot), button);
  }
  void release(Qt::MouseButton button = Qt::LeftButton) {
    send(QEvent::MouseButtonRelease, pointer_, button);
    settle();
  }
  // The pointer to where the carried tile's corner lands at `corner`: on an
  // ivory tile the grab point is 45 twips up and left of where it was pressed.
  void moveCorner(QPointF corner) {
    pointer_ = corner + QPointF(240 - 45, 465 - 45);
    send(QEvent::MouseMove, pointer_, Qt::NoButton);
  }
  void carry(int slot, QPointF corner) {
    press(slot);
    moveCorner(corner);
  }
  const PictureItem& carried() { return scene().carriedTile(); }
  const HandDrag::State& drag() { return window.hand().state(); }

  Qt::MouseButtons held_;
  QPointF pointer_;
};

}  // namespace tavolix
