// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <vector>

#include <QDialog>

#include "game/scoring.h"
#include "game/settings.h"
#include "game/texts.h"

class QPushButton;
class QTableWidget;

namespace tavolix {

// The match so far, hand by hand: who won each hand, how, and the points.
class ScoreHistory : public QDialog {
  Q_OBJECT

 public:
  ScoreHistory(const std::vector<HandResult>& hands, const Settings& rules,
               const std::array<int, 4>& scores, const Translator& translate,
               QWidget* parent = nullptr);

  QTableWidget* table = nullptr;
  QPushButton* statistics = nullptr;  // the player's record, over every match
};

}  // namespace tavolix
