// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>

#include <QDialog>

#include "game/presentation.h"
#include "game/settings.h"

class QLabel;
class QLineEdit;

namespace tavolix {

class CommandLabel;
class SettingsStore;

// The dialog that opens every match: the player's name, a summary of the
// rules in force, and three commands: play, change the rules, leave. Leaving
// ends the program or only cancels the new match, as the caller says.
class FrmNovoJogo : public QDialog {
  Q_OBJECT

 public:
  FrmNovoJogo(Settings& settings, SettingsStore& store, bool leaveEndsProgram,
              QWidget* mainWindow = nullptr);

  // What the player chose; Exit and Cancel both close without playing.
  NewGameAnswer answer() const { return answer_; }
  // Shows the rules dialog's help, when given.
  void setHelp(std::function<void()> help) { help_ = std::move(help); }

  // The summary of the rules; with `withName`, the name box too, from the store.
  void ExibirRegras(bool withName);

  void Label1_Click();  // play
  void Label4_Click();  // leave
  void Label5_Click();  // the rules
  void playOnline();    // a table on the network instead

  // The controls, named as the dialog's design names them.
  QLineEdit* Text1 = nullptr;
  QLabel* Label8 = nullptr;   // game type
  QLabel* Label6 = nullptr;   // direction
  QLabel* Label9 = nullptr;   // scoring rule
  QLabel* Label12 = nullptr;  // points limit
  QLabel* Label10 = nullptr;  // who opens
  QLabel* Label11 = nullptr;  // closing rule
  CommandLabel* Label1 = nullptr;
  CommandLabel* Label4 = nullptr;
  CommandLabel* Label5 = nullptr;
  CommandLabel* online = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Settings& settings_;
  SettingsStore& store_;
  QString leaveCaption_;
  NewGameAnswer answer_ = NewGameAnswer::Cancel;
  std::function<void()> help_;
};

}  // namespace tavolix
