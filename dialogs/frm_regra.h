// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <functional>

#include <QDialog>

#include "game/settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QWidget;

namespace tavolix {

class SettingsStore;

// "Definição das Regras": the match rules, in the platform's standard
// controls. OK keeps them and stores them under the rules key; Cancel
// changes nothing.
class FrmRegra : public QDialog {
  Q_OBJECT

 public:
  FrmRegra(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);

  void setHelp(std::function<void()> help) { help_ = std::move(help); }

  void Command1_Click();  // OK
  void Option2_Click();   // the scoring rule chosen: its limit box shows

  // The controls, as the design names them (index 0 unused where the design counts from 1).
  std::array<QRadioButton*, 3> Option1{};  // individual, pairs
  std::array<QRadioButton*, 3> Option2{};  // by the kind of going out, by pips
  std::array<QRadioButton*, 4> Option3{};  // who opens
  std::array<QRadioButton*, 2> Option4{};  // clockwise, anticlockwise
  QCheckBox* Check1 = nullptr;
  QLineEdit* Text2 = nullptr;              // the limit under the first rule
  QLineEdit* Text3 = nullptr;              // and under the second
  std::array<QToolButton*, 2> Command3{};  // "<" ">" for Text2
  std::array<QToolButton*, 2> Command4{};  // "<" ">" for Text3

 private:
  void step(QLineEdit* box, int by, int low, int high);

  Settings& settings_;
  SettingsStore& store_;
  std::function<void()> help_;
  std::array<QWidget*, 5> rule1Limit_{};
  std::array<QWidget*, 5> rule2Limit_{};
};

}  // namespace tavolix
