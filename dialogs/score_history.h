// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <vector>

#include <QDialog>

#include "game/hand_log.h"
#include "game/scoring.h"
#include "game/settings.h"
#include "game/texts.h"

class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tavolix {

// The match so far, hand by hand: who won each hand, how, and the points; and
// on a page of its own the moves of the hand under way, for counting tiles.
class ScoreHistory : public QDialog {
  Q_OBJECT

 public:
  ScoreHistory(const std::vector<HandResult>& hands, const Settings& rules,
               const std::array<int, 4>& scores, const Translator& translate,
               QWidget* parent = nullptr);

  // The hand under way: each move with its seat's name; `opened` shows its page first.
  void showHandMoves(const std::vector<LoggedMove>& moves, const std::array<std::string, 4>& names,
                     const Translator& translate, bool opened);

  QTableWidget* table = nullptr;
  QTableWidget* moves = nullptr;      // the hand under way, move by move
  QTabWidget* pages = nullptr;        // the hands, and the moves of this one
  QPushButton* statistics = nullptr;  // the player's record, over every match
};

}  // namespace tavolix
