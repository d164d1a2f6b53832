// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QDialog>

#include "game/player_record.h"
#include "game/texts.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavolix {

// The player's record: matches played and won by kind of game and rule, the
// hands won by each way, and his winning streaks; with a reset, asked twice.
class Statistics : public QDialog {
  Q_OBJECT

 public:
  Statistics(const PlayerRecord& record, const Translator& translate, QWidget* parent = nullptr);

  QTableWidget* matches = nullptr;
  QTableWidget* hands = nullptr;
  QLabel* streaks = nullptr;
  QPushButton* reset = nullptr;

 Q_SIGNALS:
  // The player confirmed the reset: the record is empty now.
  void recordReset();

 private:
  void fill(const PlayerRecord& record);
  void askReset();

  Translator translate_;
};

}  // namespace tavolix
