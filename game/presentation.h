// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "chain_layout.h"
#include "texts.h"

namespace tavolix {

// A tile going down on the table: which seat, from which slot of its hand, at
// which side, where its view goes, and which click ends its slide.
struct LaidTile {
  int seat = 0;
  int slot = 0;
  Lado side = Lado::First;
  TilePlacement placement;
  int joined = -1;         // the end it was laid against; -1 for the first tile
  bool firstClick = true;  // "clic1.wav", else "clic4.wav"
};

// What the end-of-match window shows.
struct MatchEndReport {
  int winner = 0;
  Text winnerLine;
  std::array<int, 4> standings{};    // seats, first to fourth
  std::array<std::string, 4> names;  // of the standings, in order
  std::array<Text, 4> scores;        // "12 pts", in the same order
};

// Online: the player would rather play at a table on the network; the match
// here is left as it is (none begins).
enum class NewGameAnswer { Play, Cancel, Exit, Online };

// Why the player's tile slides back to his hand.
enum class TileReturn {
  WrongOpening,  // he must open with another tile: straight back to its slot
  Refused,       // dropped off the table or fitting no end: back beside its slot
  Quiet,         // not his turn: back at once, nothing said
};

// Everything the game shows or asks, and its pauses. The window draws it all
// with its animations and sounds; the silent presentation does nothing, so
// tests and the simulator play whole matches without a screen.
//
// A presentation may end the game at any of these calls (the window closing)
// by throwing MatchInterrupted; the game then stops where it is.
class Presentation {
 public:
  virtual ~Presentation() = default;
  // Whether it shows the game's texts at all: one that shows none is spared
  // their making (the simulator makes millions of moves).
  virtual bool showsTexts() const { return true; }

  // Time. The window keeps painting and handling input meanwhile.
  virtual void pause(int ms) = 0;
  virtual void letEventsRun() = 0;
  // Runs `work` away from the window's thread and returns when it is done and
  // at least `ms` have passed, the window painting meanwhile.
  virtual void think(const std::function<void()>& work, int ms) = 0;

  // Dialogs, each modal. The new game dialog stores what the player chose and,
  // on Play, has the settings hold the chosen rules and names.
  virtual NewGameAnswer newGameDialog(bool leaveEndsProgram) = 0;
  virtual void messageBox(const Text& text) = 0;
  virtual void matchEnd(const MatchEndReport& report) = 0;
  virtual void endProgram() = 0;

  // The message line; `ms` 0 keeps it until replaced.
  virtual void message(const Text& text, int ms) = 0;
  virtual void blinkMessage() = 0;
  virtual void hideMessage() = 0;
  // The prompt while the player takes his tiles; an empty text hides it.
  virtual void prompt(const Text& text) = 0;

  // The seats and the scores ("12 pts") beside them; in pairs, `pairs` the
  // two pairs' points ("Nós 12 × 8 Eles"), else empty.
  virtual void showSeats(const std::array<std::string, 4>& names) = 0;
  virtual void showScores(const std::array<Text, 4>& scores, const Text& pairs) = 0;

  // Whose turn it is, from the deal to the end of a hand (-1: nobody's), and
  // whether that computer seat is thinking over its move.
  virtual void showTurn(int seat) = 0;
  virtual void showThinking(bool thinking) = 0;

  // Commands and what the player may touch.
  virtual void enableNewGame(bool enabled) = 0;
  virtual void enableHand(bool enabled) = 0;
  virtual void showPassCommand(bool shown) = 0;

  // The table through a hand.
  virtual void clearTable() = 0;  // the chain, the pile and the turned-up tiles go
  virtual void newHand() = 0;     // hands and messages cleared for the deal
  virtual void layOutPile() = 0;  // the 28 tiles face down, shuffled in
  virtual void enablePile(bool enabled) = 0;
  // Pile `position` slides to `seat`'s `slot` (the player's shows face up).
  virtual void takeFromPile(int seat, int slot, int position) = 0;
  virtual void removePile() = 0;
  virtual void layTile(const LaidTile& tile) = 0;
  virtual void closeUpHand(int seat, int slot) = 0;
  virtual void computerPasses(int seat) = 0;
  virtual void returnToHand(int slot, TileReturn how) = 0;
  virtual void revealComputerHands() = 0;
  // A hand picked up where it stood: all four hands drawn as they are held,
  // the pile tiles not yet taken, the chain's tiles in the order laid.
  virtual void showHands() = 0;
  virtual void showPile() = 0;
  virtual void showChain(const std::vector<LaidTile>& laid) = 0;
};

// Thrown by a presentation to stop the game where it is (the window closed).
struct MatchInterrupted {};

// A presentation that shows nothing and plays every match it is offered.
class SilentPresentation : public Presentation {
 public:
  bool showsTexts() const override { return false; }
  void pause(int) override {}
  void letEventsRun() override {}
  void think(const std::function<void()>& work, int) override { work(); }
  NewGameAnswer newGameDialog(bool) override { return NewGameAnswer::Play; }
  void messageBox(const Text&) override {}
  void matchEnd(const MatchEndReport&) override {}
  void endProgram() override {}
  void message(const Text&, int) override {}
  void blinkMessage() override {}
  void hideMessage() override {}
  void prompt(const Text&) override {}
  void showSeats(const std::array<std::string, 4>&) override {}
  void showScores(const std::array<Text, 4>&, const Text&) override {}
  void showTurn(int) override {}
  void showThinking(bool) override {}
  void enableNewGame(bool) override {}
  void enableHand(bool) override {}
  void showPassCommand(bool) override {}
  void clearTable() override {}
  void newHand() override {}
  void layOutPile() override {}
  void enablePile(bool) override {}
  void takeFromPile(int, int, int) override {}
  void removePile() override {}
  void layTile(const LaidTile&) override {}
  void closeUpHand(int, int) override {}
  void computerPasses(int) override {}
  void returnToHand(int, TileReturn) override {}
  void revealComputerHands() override {}
  void showHands() override {}
  void showPile() override {}
  void showChain(const std::vector<LaidTile>&) override {}
};

}  // namespace tavolix
