// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>

#include <QDialog>

#include "game/presentation.h"

class QLabel;

namespace tavolix {

class CommandLabel;

// The end-of-match window: who won, and the four seats by their final scores.
class FrmFimdeJogo : public QDialog {
  Q_OBJECT

 public:
  // `translate` puts the report's texts in the player's language.
  FrmFimdeJogo(const MatchEndReport& report, const Translator& translate,
               QWidget* parent = nullptr);

  QLabel* Label2 = nullptr;            // the winner line
  std::array<QLabel*, 4> Label1{};     // names, first to fourth
  std::array<QLabel*, 4> Label4{};     // their scores
  std::array<QLabel*, 4> Label3{};     // the scores' dark shadows
  CommandLabel* Lbcaption2 = nullptr;  // "OK"

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavolix
