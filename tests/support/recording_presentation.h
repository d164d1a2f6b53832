// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "game/presentation.h"
#include "game/random_source.h"

namespace tavolix {

// A presentation that remembers what the game showed and answers the new game
// dialog as told (Play unless answers are queued).
class RecordingPresentation : public SilentPresentation {
 public:
  bool showsTexts() const override { return true; }
  struct Message {
    std::string text;
    int ms = 0;
  };

  std::deque<NewGameAnswer> answers;
  std::vector<bool> dialogsLeaveEnds;  // each new game dialog: does leaving end the program?
  std::vector<std::string> messageBoxes;
  std::vector<Message> messages;
  std::vector<std::string> prompts;
  std::vector<LaidTile> laid;
  std::vector<MatchEndReport> matchEnds;
  std::vector<std::pair<int, TileReturn>> returns;
  std::vector<int> passDisplays;
  std::vector<int> pauses;
  std::vector<int> thoughts;  // the least time each think was given
  std::array<std::string, 4> scores;
  std::string pairScores;  // in pairs, both pairs' points
  std::array<std::string, 4> seats;
  int turn = -1;                 // the seat marked as playing, -1 none
  std::vector<int> turnAtBoxes;  // ... when each message box was shown
  int blinks = 0;
  int reveals = 0;
  int tablesCleared = 0;
  int pilesLaidOut = 0;
  bool passShown = false;
  bool handEnabled = false;
  bool pileEnabled = false;
  int pausesWithThePileOffered = 0;  // a click on it would come in the middle of a move
  bool newGameEnabled = false;
  bool ended = false;

  NewGameAnswer newGameDialog(bool leaveEndsProgram) override {
    dialogsLeaveEnds.push_back(leaveEndsProgram);
    if (answers.empty()) return NewGameAnswer::Play;
    const NewGameAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void pause(int ms) override {
    pauses.push_back(ms);
    pausesWithThePileOffered += pileEnabled;
  }
  void think(const std::function<void()>& work, int ms) override {
    thoughts.push_back(ms);
    work();
  }
  void messageBox(const Text& text) override {
    messageBoxes.push_back(render(text));
    turnAtBoxes.push_back(turn);
  }
  void showTurn(int seat) override { turn = seat; }
  void matchEnd(const MatchEndReport& report) override { matchEnds.push_back(report); }
  void endProgram() override { ended = true; }
  void message(const Text& text, int ms) override { messages.push_back({render(text), ms}); }
  void blinkMessage() override { ++blinks; }
  void prompt(const Text& text) override { prompts.push_back(render(text)); }
  void showSeats(const std::array<std::string, 4>& names) override { seats = names; }
  void showScores(const std::array<Text, 4>& texts, const Text& pairs) override {
    for (int seat = 0; seat < 4; ++seat) scores[seat] = render(texts[seat]);
    pairScores = render(pairs);
  }
  void enableNewGame(bool enabled) override { newGameEnabled = enabled; }
  void enableHand(bool enabled) override { handEnabled = enabled; }
  void showPassCommand(bool shown) override { passShown = shown; }
  void clearTable() override { ++tablesCleared; }
  void layOutPile() override { ++pilesLaidOut; }
  void enablePile(bool enabled) override { pileEnabled = enabled; }
  void layTile(const LaidTile& tile) override { laid.push_back(tile); }
  void computerPasses(int seat) override { passDisplays.push_back(seat); }
  void returnToHand(int slot, TileReturn how) override { returns.emplace_back(slot, how); }
  void revealComputerHands() override { ++reveals; }

  const Message& lastMessage() const { return messages.back(); }
};

// A deal in the set's own order: the player holds the blanks and 6:6 is Mac3's.
inline const std::array<std::vector<std::string_view>, 4> kOrderedDeal{{
    {"00", "01", "02", "03", "04", "05", "06"},
    {"11", "12", "13", "14", "15", "16", "22"},
    {"23", "24", "25", "26", "33", "34", "35"},
    {"36", "44", "45", "46", "55", "56", "66"},
}};

// The game's random source with draws the test decides: each queued draw k
// out of n comes out of `draw(n)` as k. When the queue is empty it draws as
// the real generator does.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::uint64_t seed = 1) : RandomSource(seed, Scripted{}) {}

  void queue(int k, int n) { script_.push_back((k - 0.5) / n); }
  bool scriptUsedUp() const { return script_.empty(); }

  // Queues the shuffle's draws so that pile position k hides `order[k - 1]`
  // (the rest of the set follows in its usual order).
  void stackPile(const std::vector<TileCode>& order) {
    std::vector<TileCode> left(kAllTiles.begin(), kAllTiles.end());
    for (TileCode t : order) {
      const auto at = std::find(left.begin(), left.end(), t);
      if (at == left.end()) continue;
      queue(static_cast<int>(at - left.begin()) + 1, static_cast<int>(left.size()));
      left.erase(at);
    }
  }
  // A deal of the four hands given (seat s's tiles at positions 7s + 1 .. 7s + 7).
  void stackDeal(const std::array<std::vector<std::string_view>, 4>& hands) {
    std::vector<TileCode> order;
    for (const auto& hand : hands) {
      for (std::string_view t : hand) order.push_back(*TileCode::fromText(t));
    }
    stackPile(order);
  }
  // A computer seat taking its own seven positions of such a deal, in order.
  void takeOwnTiles(int seat) {
    for (int j = 1; j <= 7; ++j) queue(7 * seat + j, kTileCount);
  }

  double scripted() override {
    if (script_.empty()) return fromEngine();
    const double r = script_.front();
    script_.pop_front();
    return r;
  }

 private:
  std::deque<double> script_;
};

}  // namespace tavolix
