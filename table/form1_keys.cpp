// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The window from the keyboard: everything the mouse does.
#include <algorithm>
#include <iterator>

#include <QKeyEvent>

#include "form1.h"
#include "game/seat_player.h"
#include "language.h"

namespace tavolix {

void Form1::keyPressEvent(QKeyEvent* event) {
  if (!keyAction(*event)) QWidget::keyPressEvent(event);
}

// A press of the mouse on the table: what is said from now on speaks of clicks.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport() && event->type() == QEvent::MouseButtonPress)
    presentation_.setKeyboardPlay(false);
  return QWidget::eventFilter(watched, event);
}

bool Form1::keyAction(const QKeyEvent& event) {
  const int key = event.key();
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::ControlModifier) {
    switch (key) {
      case Qt::Key_N:
        Label2_Click();
        return true;
      case Qt::Key_Comma:
        Label1_Click();
        return true;
      case Qt::Key_H:
        showHistory();
        return true;
      case Qt::Key_O:
        playOnline();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (online_ && online_->match().isHost() && online_->match().inLobby()) startOnlineMatch();
        return true;
      case Qt::Key_E:
        showStatistics();
        return true;
      case Qt::Key_M:
        Image4_Click();
        return true;
      case Qt::Key_Q:
        Image1_Click();
        return true;
      default:
        return false;
    }
  }
  if (key == Qt::Key_F1) {
    Label4_Click();
    return true;
  }
  if (key == Qt::Key_F11) {
    Image2_Click();
    return true;
  }
  const bool shift = mods == Qt::ShiftModifier;
  if (mods != Qt::NoModifier && !shift) return false;
  // The moves of the hand so far, to count the tiles by; a hint.
  if (key == Qt::Key_L && !shift) {
    showHistory(true);
    return true;
  }
  if (key == Qt::Key_D && !shift) {
    askHint();
    return true;
  }
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  // A key of play: what is said from now on names keys, and the ends' names
  // shown for the last question go.
  static constexpr int kPlayKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_F,      Qt::Key_P,
                                      Qt::Key_Up,   Qt::Key_A,     Qt::Key_Home,   Qt::Key_B,
                                      Qt::Key_End,  Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
  if (std::find(std::begin(kPlayKeys), std::end(kPlayKeys), key) != std::end(kPlayKeys)) {
    presentation_.setKeyboardPlay(true);
    scene_->showEndNames(false);
  }
  // Taking tiles: a face-down tile at random.
  if (game().awaiting() == TableGame::Awaiting::PileTile && (key == Qt::Key_Space || enter)) {
    const int position = drawFreePosition(game().state(), random_);
    later([this, position] { game().takePileTile(position); });
    return true;
  }
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const int step = key == Qt::Key_Left ? -1 : 1;
      shift ? hand_->moveChosen(step) : hand_->choose(step);
      return true;
    }
    case Qt::Key_F:
      hand_->flipChosen();
      return true;
    case Qt::Key_P:
      if (game().passOffered()) Label3_Click();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      layChosen(std::nullopt);
      return true;
    case Qt::Key_A:
    case Qt::Key_Home:
      layChosen(Lado::A);
      return true;
    case Qt::Key_B:
    case Qt::Key_End:
      layChosen(Lado::B);
      return true;
    // The hand, and the table, in words in the status line.
    case Qt::Key_H:
      scene_->say(scene_->handReading());
      return true;
    case Qt::Key_E:
      scene_->say(scene_->tableReading());
      return true;
    default:
      return false;
  }
}

void Form1::layChosen(std::optional<Lado> end) {
  if (end) {
    hand_->layChosen(end);
    return;
  }
  if (!hand_->layChosen(std::nullopt)) {
    scene_->message(translated(texts::chooseEnd()), 0);
    scene_->showEndNames(true);
  }
}

}  // namespace tavolix
