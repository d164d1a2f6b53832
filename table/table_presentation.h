#pragma once

#include <functional>

#include <QTimer>

#include "game/presentation.h"
#include "game/settings.h"
#include "table_actions.h"
#include "table_pacer.h"
#include "table_scene.h"

class QWidget;

namespace tavolix {

class SettingsStore;

// The game as the table window shows it: the game's every call turned into
// the table's pictures, captions, sounds and dialogs.
class TablePresentation : public Presentation {
 public:
  TablePresentation(QWidget& window, TableScene& scene, TableActions& actions, TablePacer& pacer,
                    Settings& settings, SettingsStore& store, const bool& ingles);

  // What the window does when the game ends the program.
  void onEndProgram(std::function<void()> end) { end_ = std::move(end); }
  // How the dialogs' help buttons show the help.
  void onHelp(std::function<void()> help) { help_ = std::move(help); }

  void pause(int ms) override { pacer_.wait(ms); }
  void letEventsRun() override { pacer_.letEventsRun(); }

  NewGameAnswer newGameDialog(bool leaveEndsProgram) override;
  void messageBox(const std::string& text) override;
  void matchEnd(const MatchEndReport& report) override;
  void endProgram() override;

  void message(const std::string& text, int ms) override;
  void blinkMessage() override;
  void hideMessage() override;
  void prompt(const std::string& text) override;

  void showSeats(const std::array<std::string, 4>& names) override;
  void showScores(const std::array<std::string, 4>& scores) override;

  void enableNewGame(bool enabled) override;
  void enableHand(bool enabled) override;
  void showPassCommand(bool shown) override;

  void clearTable() override { actions_.clearTable(); }
  void newHand() override;
  void layOutPile() override { actions_.layOutPile(); }
  void enablePile(bool enabled) override { actions_.enablePile(enabled); }
  void takeFromPile(int seat, int slot, int position) override { actions_.takeFromPile(seat, slot, position); }
  void removePile() override { actions_.removePile(); }
  void layTile(const LaidTile& tile) override { actions_.layTile(tile); }
  void closeUpHand(int seat, int slot) override { actions_.closeUpHand(seat, slot); }
  void computerPasses(int seat) override { actions_.computerPasses(seat); }
  void returnToHand(int slot, TileReturn how) override { actions_.returnToHand(slot, how); }
  void revealComputerHands() override { actions_.MostraPedrasMac(); }

  // Whether the player's hand takes the mouse now.
  bool handEnabled() const { return handEnabled_; }

  // A message box's text as the screen shows it: each old line break a new line.
  static QString screenText(const std::string& text);

 private:
  QWidget& window_;
  TableScene& scene_;
  TableActions& actions_;
  TablePacer& pacer_;
  Settings& settings_;
  SettingsStore& store_;
  const bool& ingles_;
  std::function<void()> end_;
  std::function<void()> help_;
  bool handEnabled_ = false;

  // The message line's two timers: one hides it, the other makes it blink.
  QTimer timerMsg_;
  QTimer timerPisca_;
  int blinks_ = 0;
};

}  // namespace tavolix
