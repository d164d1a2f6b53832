// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>

#include "game/presentation.h"
#include "game/settings.h"
#include "language.h"
#include "table_pacer.h"
#include "table_scene.h"

class QWidget;

namespace tavolix {

class SettingsStore;

// The game as the table window shows it: the game's every call turned into
// the table's pictures, captions, sounds and dialogs.
class TablePresentation : public Presentation {
 public:
  TablePresentation(QWidget& window, TableScene& scene, TablePacer& pacer, Settings& settings,
                    SettingsStore& store);

  // What the window does when the game ends the program.
  void onEndProgram(std::function<void()> end) { end_ = std::move(end); }
  // How the dialogs' help buttons show the help.
  void onHelp(std::function<void()> help) { help_ = std::move(help); }
  // What the window does when the player chooses online play in the new game dialog.
  void onOnline(std::function<void()> online) { online_ = std::move(online); }

  void pause(int ms) override { pacer_.wait(ms); }
  void letEventsRun() override { pacer_.letEventsRun(); }
  void think(const std::function<void()>& work, int ms) override {
    pacer_.waitWhileWorking(work, ms);
  }

  NewGameAnswer newGameDialog(bool leaveEndsProgram) override;
  void messageBox(const Text& text) override;
  void matchEnd(const MatchEndReport& report) override;
  void endProgram() override;

  // Whether the player's last move of the hand came from the keyboard: then
  // what tells him to click names the key instead.
  void setKeyboardPlay(bool keyboard) { keyboard_ = keyboard; }
  bool keyboardPlay() const { return keyboard_; }

  void message(const Text& text, int ms) override {
    const bool toClick = keyboard_ && text.source == texts::clickPass().source;
    scene_.message(translated(toClick ? texts::pressPToPass() : text), ms);
  }
  void blinkMessage() override { scene_.blinkMessage(); }
  void hideMessage() override { scene_.hideMessage(); }
  void prompt(const Text& text) override { scene_.showPrompt(translated(text)); }

  void showSeats(const std::array<std::string, 4>& names) override { scene_.showSeatNames(names); }
  void showScores(const std::array<Text, 4>& scores, const Text& pairs) override;

  void showTurn(int seat) override { scene_.showTurn(seat); }
  void showThinking(bool thinking) override { scene_.showThinking(thinking); }
  void enableNewGame(bool enabled) override {
    scene_.enableCommand(TableScene::Command::NewGame, enabled);
  }
  void enableHand(bool enabled) override { scene_.enableHand(enabled); }
  void showPassCommand(bool shown) override { scene_.showPassCommand(shown); }

  void clearTable() override { scene_.clearTable(); }
  void newHand() override { scene_.newHand(); }
  void layOutPile() override { scene_.layOutPile(); }
  void enablePile(bool enabled) override { scene_.enablePile(enabled); }
  void takeFromPile(int seat, int slot, int position) override {
    scene_.takeFromPile(seat, slot, position);
  }
  void removePile() override { scene_.removePile(); }
  void layTile(const LaidTile& tile) override { scene_.layTile(tile); }
  void closeUpHand(int seat, int slot) override { scene_.closeUpHand(seat, slot); }
  void computerPasses(int seat) override { scene_.computerPasses(seat); }
  void returnToHand(int slot, TileReturn how) override { scene_.returnToHand(slot, how); }
  void revealComputerHands() override { scene_.MostraPedrasMac(); }
  void showHands() override { scene_.showHands(); }
  void showPile() override { scene_.showPile(); }
  void showChain(const std::vector<LaidTile>& laid) override { scene_.showChain(laid); }

  // A message box's text as the screen shows it: each old line break a new line.
  static QString screenText(const std::string& text);

 private:
  QWidget& window_;
  TableScene& scene_;
  TablePacer& pacer_;
  Settings& settings_;
  SettingsStore& store_;
  std::function<void()> end_;
  std::function<void()> help_;
  std::function<void()> online_;
  bool keyboard_ = false;
};

}  // namespace tavolix
