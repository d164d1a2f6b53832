// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>

#include <QDialog>

#include "game/settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace tavolix {

class SettingsStore;

// "Opções": the preferences that leave the rules alone: the tile set, the
// animation speed, the four names, sound, the table's marks and the language. OK applies them at
// once and stores them under the main key; Cancel changes nothing.
class FrmOpc : public QDialog {
  Q_OBJECT

 public:
  FrmOpc(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);

  void Command1_Click();  // OK
  void Option1_Click();   // a tile set chosen: its sample shows

  // The speed bar runs the other way from Veloc: left is slow (25), right fast (5).
  static int velocFromBar(int position, int maximum) { return maximum - position + 5; }

  std::array<QRadioButton*, 2> Option1{};  // ivory, colourful
  QWidget* Image2 = nullptr;               // the sample of the chosen set
  std::array<QLineEdit*, 4> Text1{};       // the player's name, then the computer players'
  QScrollBar* HScroll1 = nullptr;
  QCheckBox* Check1 = nullptr;
  QCheckBox* markTurn = nullptr;             // the seat to move marked on the table
  QCheckBox* markLastMove = nullptr;         // the tile laid last outlined
  QCheckBox* reducedMotion = nullptr;        // tiles put in their places at once
  std::array<QRadioButton*, 2> languages{};  // Português, English
  std::array<QRadioButton*, 3> opponents{};  // Normal, Forte, Mestre (as ComputerLevel)

 private:
  Settings& settings_;
  SettingsStore& store_;
};

}  // namespace tavolix
