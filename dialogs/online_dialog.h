// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <functional>

#include <QDialog>
#include <QUrl>

#include "game/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tavolix {

class SettingsStore;

// What the player chose in the online dialog.
struct OnlineChoice {
  enum class Kind { HostHere, HostOnServer, Join };
  Kind kind = Kind::HostHere;
  QUrl server;           // HostOnServer and Join
  quint16 port = 47474;  // HostHere: the port the table listens on
  QString code;          // Join, or a seat taken back
  QByteArray token;      // a seat taken back after the game was closed
  QString name;
  Settings rules;                   // HostHere and HostOnServer: the match's rules
  std::array<bool, 4> computers{};  // the seats computer players take, as the server numbers them
  ComputerLevel level = ComputerLevel::Normal;
};

// "Jogar online": host a table, on this computer (the game serves it itself)
// or on a server, with the rules, the kind of game and the seats computer
// players take; or join one with the server's address and the table's code.
class OnlineDialog : public QDialog {
  Q_OBJECT

 public:
  OnlineDialog(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);

  const OnlineChoice& choice() const { return choice_; }
  void setHelp(std::function<void()> help) { help_ = std::move(help); }

  // A server's address as typed: "host", "host:port", "ws://...", "wss://..." or a
  // table's link "tavolix://host:port/CODE" (its code into `code`). Empty when it is none.
  static QUrl serverUrl(const QString& text, QString* code = nullptr);

  // The controls, for the keyboard's and the tests' sake.
  QTabWidget* tabs = nullptr;
  QLineEdit* name = nullptr;
  QRadioButton* here = nullptr;
  QSpinBox* port = nullptr;
  QRadioButton* onServer = nullptr;
  QLineEdit* hostServer = nullptr;
  QComboBox* kind = nullptr;
  std::array<QCheckBox*, 4> computer{};  // 1..3: the seats after the host's
  QComboBox* level = nullptr;
  QLineEdit* joinServer = nullptr;
  QLineEdit* code = nullptr;
  QLabel* problem = nullptr;

  // OK: the choice is checked and kept, or what is wrong is said.
  void confirm();

 private:
  void showRules();

  Settings& settings_;
  SettingsStore& store_;
  QLabel* rulesSummary_ = nullptr;
  OnlineChoice choice_;
  std::function<void()> help_;
};

}  // namespace tavolix
