// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QWidget>

#include "dialogs/window_parts.h"
#include "edge_resize.h"
#include "game/match.h"
#include "hand_drag.h"
#include "help_launcher.h"
#include "online_session.h"
#include "settings/match_file.h"
#include "settings/online_seat_file.h"
#include "settings/record_file.h"
#include "sound_player.h"
#include "table_pacer.h"
#include "table_presentation.h"
#include "table_scene.h"
#include "table_view.h"

namespace tavolix {

struct OnlineChoice;
class RandomSource;
class SettingsStore;
struct Settings;

// The game's one permanent window: a frameless 800 x 600 table with its own
// title strip and window buttons, and the commands along its top.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  // The size of the screen in pixels, asked each time it matters.
  using ScreenSize = std::function<QSize()>;

  Form1(Settings& settings, SettingsStore& store, RandomSource& random, QWidget* parent = nullptr);
  ~Form1() override;

  TableScene& scene() { return *scene_; }
  TablePacer& pacer() { return pacer_; }
  TableView& view() { return *view_; }
  SoundPlayer& sounds() { return sounds_; }
  // The match against the computer players; after an online match, a new one.
  Match& match() { return *match_; }
  // What the table plays now: the match here, or the one online.
  TableGame& game();
  // The table online, while there is one.
  OnlineSession* online() { return online_.get(); }
  // A table hosted on this computer, while the game serves one.
  HostedTables* hostedServer() { return hosted_.get(); }
  // Where a table hosted here listens: every address of the computer (none
  // given), so that others reach it; tests keep it to the loopback.
  void setHostAddress(const QString& address) { hostAddress_ = address; }
  // The settings as the dialogs leave them (the match keeps its own rules).
  const Settings& settings() const { return settings_; }
  const HandDrag& hand() const { return *hand_; }
  void setScreenSize(ScreenSize screenSize) { screenSize_ = std::move(screenSize); }
  void setHelpLauncher(HelpLauncher launcher) { help_ = std::move(launcher); }
  // The first activation starts a match with the new game dialog; tests of the
  // window alone may leave the table empty.
  void setFirstActivationStartsMatch(bool starts) { startsMatch_ = starts; }
  // Where the match in progress is kept between runs: the first activation
  // offers to go on with a match found there, and the match is saved there
  // each time the player is asked for something. None by default.
  // A write or a removal that fails is told once, in a message box.
  void setMatchFile(MatchFile* file);
  // Where the player's record is kept: read at the first activation, added to
  // at the end of each match. None by default (nothing is recorded).
  void setRecordFile(RecordFile* file);
  const PlayerRecord& record() const { return record_; }
  // Where the seat at a table online is kept, so that it can be taken back
  // after the game is closed: the first activation offers to. None by default.
  void setOnlineSeatFile(OnlineSeatFile* file) { seatFile_ = file; }
  // The kept files in use: all three, for the game the player starts.
  bool keepsFiles() const {
    return matchFile_ != nullptr && recordFile_ != nullptr && seatFile_ != nullptr;
  }

  // The full-screen toggle: whether it is on, and whether it took the whole screen.
  bool ResolucaoMudou() const { return resolucaoMudou_; }
  bool showsFullScreen() const { return fullScreen_; }

  // The window's buttons and commands, as their clicks run them.
  void Image1_Click();  // close
  void Image2_Click();  // full screen on and off
  void Image4_Click();  // minimise
  void Label2_Click();  // New Game
  void Label1_Click();  // Settings
  void Label4_Click();  // Help
  // The score history of the match; `moves`: open at the moves of this hand.
  void showHistory(bool moves = false);
  // At his turn, the strong player's choice for his hand: chosen in the hand and
  // said; the match then counts apart in his record.
  void askHint();
  // The tile chosen from the keyboard (or pressed through a screen reader)
  // laid on `end`; where it goes when none, the ends named when it goes on both.
  void layChosen(std::optional<Lado> end);
  void showStatistics();    // the player's record
  void Label3_Click();      // Pass
  void playOnline();        // the online dialog
  void startOnlineMatch();  // the host's Start
  // Online play as chosen in its dialog; false, with the player told why, when it cannot begin.
  bool goOnline(const OnlineChoice& choice);
  // A table's link given on the command line: joined as soon as the window is up.
  void joinLink(const QString& link) { link_ = link; }
  // A table's link given to the game while it runs: joined, once the player
  // agrees to leave the table online he sits at. False when it was not.
  bool openLink(const QString& link);

  // Centres the window on the screen.
  void CentraForm();

 Q_SIGNALS:
  void newGameRequested();
  void settingsRequested();
  void helpOpened(const QUrl& url);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Another language chosen: the table's captions speak it.
  void changeEvent(QEvent* event) override;

 private:
  void Resolucao800();
  QSize screenSize() const;
  // The window's size out of full screen: 800 x 600, or less on a screen that is smaller.
  QSize tableSize() const;
  // Help, from the command or the new game dialog; when nothing can show it, the player is told
  // where its pages are.
  void showHelp();
  // The first activation: a match kept from the last run is offered, and
  // picked up if the player wants it. True when it was.
  bool resumeSavedMatch();
  // The player's record as kept; a damaged one is set aside, and he is told.
  void readRecord();
  // Keeps the match and the record as the match goes: the match file at each
  // ask, the record at each end.
  class Keeping : public MatchKeeper {
   public:
    explicit Keeping(Form1& window) : window_(window) {}
    void playerAsked(const Match& match) override;
    void matchEnded(const Match& match, int winner) override;
    void matchClosed() override;

   private:
    Form1& window_;
  };
  void keepRecord();
  // A kept file that could not be written or removed: `text` with its path and the system's reason.
  void tellTrouble(const QString& text, const QString& path, const QString& reason);
  // A kept file refused at the start: `setAside` or `leftAlone`, with what is
  // wrong with it ("está danificado"...) and where it is now.
  void tellRefused(const JsonFile::Refusal& refusal, const QString& path, const QString& setAside,
                   const QString& leftAlone);
  void warn(const QString& text);
  // Back from a table online to the match here: the match left when going
  // online, drawn as it stood, or a new one.
  void backToLocal();
  // The first activation: a seat kept online is offered, and taken back if the
  // player wants it. True when it was.
  bool offerRejoin();
  void keepSeat();
  // Whether the player agrees to leave the table online he sits at (none: yes).
  bool mayLeaveOnline();
  void showOnlineCommands();
  // The keyboard: everything the mouse does. True when the key was the game's.
  bool keyAction(const QKeyEvent& event);

  // Runs one of the player's actions once the event that asked for it is over.
  template <class Action>
  void later(Action&& action);

  Settings& settings_;
  SettingsStore& store_;
  RandomSource& random_;
  SoundPlayer sounds_;
  TablePacer pacer_;
  std::unique_ptr<TableScene> scene_;
  TableView* view_ = nullptr;
  std::unique_ptr<EdgeResize> edges_;  // gone before the window it resizes
  HelpLauncher help_;
  ScreenSize screenSize_;
  TablePresentation presentation_;
  // Made after the presentation it shows itself through; the table works from its state.
  std::unique_ptr<Match> match_;
  std::unique_ptr<HostedTables> hosted_;
  std::unique_ptr<OnlineSession> online_;
  std::optional<SavedMatch> leftHere_;  // the match here, while the player is online
  QString link_;
  OnlineSeatFile* seatFile_ = nullptr;
  QString hostAddress_;
  bool hostedSeat_ = false;   // the seat online is at the table this game serves
  HandDrag* hand_ = nullptr;  // an item of the scene
  MatchFile* matchFile_ = nullptr;
  RecordFile* recordFile_ = nullptr;
  PlayerRecord record_;
  Keeping keeping_{*this};

  bool activated_ = false;
  bool hinting_ = false;  // a hint being thought over
  bool startsMatch_ = true;
  bool resolucaoMudou_ = false;
  bool fullScreen_ = false;
  QSize normalSize_{kWidth, kHeight};  // out of full screen

  WindowMove titleStrip_;
};

template <class Action>
void Form1::later(Action&& action) {
  hand_->queueGameAction(std::forward<Action>(action));
}

}  // namespace tavolix
