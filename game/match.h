// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "chain_layout.h"
#include "computer_player.h"
#include "game_state.h"
#include "master_player.h"
#include "match_observer.h"
#include "presentation.h"
#include "random_source.h"
#include "saved_match.h"
#include "scoring.h"
#include "seat_player.h"
#include "settings.h"
#include "strong_player.h"
#include "table_game.h"

namespace tavolix {

// The flow of a match, hand after hand: the deal, who opens, the turns, going
// out, the blocked count and the end of the match. Each seat is asked for its
// tiles and its moves through one interface; the computer players answer at
// once, the player at the table (seat 0) answers later through the actions
// below, each ignored when he may not do it at that moment. Everything is shown
// through a Presentation, and only the match changes its state.
//
// The flow runs inside the call that set it off: a drop runs the player's
// move, the turns after it and, when the hand ends, the next deal, and returns
// once the player is needed again.
class Match;

// Keeps a match between runs: told each time the match stands waiting for the
// player, and when there is no longer a match to keep (it is over, or a new
// one begins).
class MatchKeeper {
 public:
  virtual ~MatchKeeper() = default;
  virtual void playerAsked(const Match& match) = 0;
  // The match has just been won by `winner`: its hands and rules are there to read.
  virtual void matchEnded(const Match& /*match*/, int /*winner*/) {}
  virtual void matchClosed() = 0;
};

class Match : public TableGame {
 public:
  // Why a seat's answer is refused; nothing changes when it is.
  enum class Refusal {
    None,
    NotItsTurn,    // another seat is asked, or nobody is
    NoSuchTile,    // the seat does not hold it
    WrongOpening,  // the hand must be opened with 6:6
    WrongEnd,      // the tile does not join the end named, or no end is named
    OnlyNatural,   // laid there it would close the game other than "no natural"
    MustPlay,      // a pass while a tile fits, or before the hand is opened
  };

  Match(const Settings& settings, Presentation& screen, RandomSource& random);

  void setObserver(MatchObserver* observer) { observer_ = observer; }
  void setKeeper(MatchKeeper* keeper) { keeper_ = keeper; }
  // Who sits at a seat; by default the player at seat 0 and computer players
  // at the others. The player must outlive the match.
  void setSeat(int seat, SeatPlayer& player);

  const GameState& state() const override { return state_; }
  // Who plays `seat` now: a computer seat plays at the level chosen in the
  // preferences, from the next move after it changes.
  const SeatPlayer& playerAt(int seat) const;
  const ChainGeometry& chain() const { return chain_.geometry(); }
  // The rules the match in progress is played by: those of the settings when
  // it started. Rules changed during a match apply from the next one.
  const Settings& settings() const { return rules_; }
  Awaiting awaiting() const override { return awaiting_; }
  // Whether start() or restore() has begun a match.
  bool started() const { return started_; }
  // The hands of the match so far, in order: who scored, how, and how much.
  const std::vector<HandResult>& handsPlayed() const { return handsPlayed_; }
  // This hand's moves and passes so far, in order.
  const std::vector<HandEvent>& handEvents() const { return handEvents_; }
  // The player asked for a hint in this match (kept with it; a new match starts without).
  void noteHint() { hinted_ = true; }
  bool hinted() const { return hinted_; }
  bool newGameEnabled() const { return newGameEnabled_ && !busy_; }
  bool passOffered() const override { return passShown_; }
  // True when the player holds no tile matching either end.
  bool JogPassa() const;
  // Whether a drop of the tile in slot `slot` would be taken now.
  bool takesDrop(int slot) const override;
  // The seat the match waits for: to take a pile tile, or to move; -1 when
  // it waits for nobody.
  int asked() const;

  // --- the player's actions ------------------------------------------------
  // The window's first activation: the new game dialog, then the first deal.
  // Leaving the dialog ends the program, unless told otherwise; choosing
  // online play there starts nothing, and start() may be called again.
  void start(bool leaveEndsProgram = true);
  void takePileTile(int position) override;
  void drop(int slot, double top, double left, bool reordered,
            std::optional<Lado> end = std::nullopt) override;
  bool flipTile(int slot) override;
  bool moveTileInHand(int from, int to) override;
  void passTurn() override;
  // The New Game command; the dialog may cancel it.
  void newGame();

  // --- a seat that answers later, from another computer ---------------------
  // The seat asked takes pile `position` (1..28); false, and nothing done,
  // when it is not its go or the position is taken.
  bool takePileTileFor(int seat, int position);
  // The seat asked answers its turn: a tile of its hand at the end it names
  // (Lado::First to open the hand), or a pass. Checked against the rules
  // first; the flow then goes on as after any move.
  Refusal answer(int seat, const SeatAnswer& answer);
  // What answer() would say, without acting.
  Refusal check(int seat, const SeatAnswer& answer) const;

  // The match as it stands while the game waits for the player (a pile tile
  // or a move), to be picked up again by restore().
  SavedMatch saved() const;
  // Instead of start(): goes on with a saved match from where it stood, the
  // table drawn as it was. False, and nothing done, when the saved match is
  // not a position the game can reach (see rebuild()) or a match has begun.
  bool restore(const SavedMatch& saved);
  // Has the keeper keep the match now, if it waits for the player: after the
  // names have changed, say. Each action of the player already does.
  void keep();

  // Picks a hand up at a position given whole, with `toPlay` to move next,
  // and plays on until the player is needed. For tests and for looking into a
  // position; the state must be one the game can reach.
  void resume(const GameState& state, const ChainGeometry& chain, int toPlay);

 private:
  // Where the flow stands between two of its steps.
  enum class Step {
    Deal,  // a new hand: shuffle and lay out the pile
    Take,  // the seat Ordem[taker_] takes its tiles
    Open,  // all tiles taken: who opens
    Turn,  // the seat toMove_ plays
  };

  template <class Flow>
  void act(Flow&& flow);
  // Plays on, step after step, until the player is needed or the program ends.
  void run();

  // A match and a hand.
  void InitGame(bool leaveEndsProgram);
  void NovoJogo();
  void ExibePlacar();
  void enableNewGame(bool enabled);
  void HabilitaJog(bool h);

  // The deal.
  void Distribue();
  void mistura();
  void takeTiles();
  // `answeredAtOnce`: the seat took it by itself (the player is told which tile comes next).
  void takeFromPile(int seat, int position, bool answeredAtOnce);
  bool ConfereBuchas();
  void PrimeiraJogada();

  // Turns.
  void playTurn();
  SeatPlayer& seatAt(int seat) { return const_cast<SeatPlayer&>(playerAt(seat)); }
  void playerTurn();
  // After `seat`'s move or pass: the hand ends, or the next seat's turn comes.
  void endOfTurn(int seat, bool answeredAtOnce);
  // Whether the hand is over after `seat`'s move or pass; if so it is closed.
  bool handOver(int seat);
  void nextTurn(int seat, bool answeredAtOnce);
  bool SoltaPedra(int slot, double top, double left, bool reordered, std::optional<Lado> end);
  void Pula(int seat);
  void mensagem(const Text& text, int ms);
  void Lancar(int seat, int slot, Lado side);

  // The end of a hand and of a match.
  void closeHand(const HandResult& result);
  bool EndGame();
  int matchWinner() const;  // the first seat at the limit; -1 while nobody is

  // The settings as the dialogs leave them: the names shown come from here.
  const Settings& settings_;
  Settings rules_;
  Presentation& screen_;
  RandomSource& random_;
  MatchObserver* observer_ = nullptr;
  MatchKeeper* keeper_ = nullptr;
  TablePlayer tablePlayer_;
  ComputerSeat computer_;
  StrongSeat strong_;
  MasterSeat master_;
  std::array<SeatPlayer*, kSeatCount> seats_{&tablePlayer_, &computer_, &computer_, &computer_};

  GameState state_;
  ChainLayout chain_;
  std::vector<HandResult> handsPlayed_;
  // The moves and passes of the hand in progress, and whether it opens with
  // 6:6 as a match's first hand does.
  std::vector<HandEvent> handEvents_;
  bool hinted_ = false;
  bool firstRound_ = true;
  // Under the rotation rule: the seat that opens the next hand. It keeps its
  // value from hand to hand and from match to match.
  int Rodizio_ = 0;

  Step step_ = Step::Deal;
  int taker_ = 1;      // during the deal: Ordem[taker_] takes its tiles
  int toMove_ = 0;     // during the hand: whose turn it is
  int pauseOwed_ = 0;  // the pause before a computer turn, taken while that seat thinks

  Awaiting awaiting_ = Awaiting::Nothing;
  bool started_ = false;
  bool busy_ = false;
  bool newGameEnabled_ = false;
  bool passShown_ = false;
};

// Runs one of the player's actions to the point where the player is needed
// again. Actions that arrive while another is still running (the window keeps
// handling input during animations) are dropped.
template <class Flow>
void Match::act(Flow&& flow) {
  if (busy_ || awaiting_ == Awaiting::Finished) return;
  busy_ = true;
  try {
    flow();
  } catch (const MatchInterrupted&) {
    awaiting_ = Awaiting::Finished;
  }
  busy_ = false;
  keep();
}

}  // namespace tavolix
