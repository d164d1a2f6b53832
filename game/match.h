#pragma once


#include "chain_layout.h"
#include "game_state.h"
#include "match_observer.h"
#include "presentation.h"
#include "random_source.h"
#include "settings.h"

namespace tavolix {

// The flow of a match, hand after hand: the deal, who opens, the computer
// seats' turns, the player's moves, going out, the blocked count and the end
// of the match. It shows everything through a Presentation and changes only
// its own state; the player's actions come in through the methods below, each
// ignored when the player may not do it at that moment.
//
// Like the table it drives, the flow runs inside the call that set it off: a
// drop runs the player's move, the computer seats' turns and, when the hand
// ends, the next deal, and returns once the player is needed again.
class Match {
 public:
  // What the game waits for from the player.
  enum class Awaiting {
    Nothing,   // not started, or the game is busy
    PileTile,  // a click on a face-down pile tile
    Move,      // a tile dropped on the table, or the Pass command when offered
    Finished,  // the program is ending
  };

  Match(Settings& settings, Presentation& screen, RandomSource& random);

  void setObserver(MatchObserver* observer) { observer_ = observer; }

  const GameState& state() const { return state_; }
  const ChainGeometry& chain() const { return chain_.geometry(); }
  const Settings& settings() const { return settings_; }
  Awaiting awaiting() const { return awaiting_; }
  bool newGameEnabled() const { return newGameEnabled_ && !busy_; }
  bool passOffered() const { return passShown_; }
  // True when the player holds no tile matching either end.
  bool JogPassa() const;
  // Whether a drop of the tile in slot `qual` would be taken now.
  bool takesDrop(int qual) const;

  // --- the player's actions ------------------------------------------------
  // The window's first activation: the new game dialog, then the first deal.
  void start();
  // A left click on face-down pile tile `position` (1..28).
  void takePileTile(int position);
  // The release of the tile carried from hand slot `qual`, with the floating
  // tile's upper left corner in twips; `reordered` when the carry moved tiles
  // along the hand.
  void drop(int qual, double top, double left, bool reordered);
  // A right click on a hand tile: its halves swap. True when done.
  bool flipTile(int slot);
  // The carried tile moves along the hand from slot `from` to slot `to`, the
  // tiles between closing up. True when done.
  bool moveTileInHand(int from, int to);
  // The Pass command.
  void passTurn();
  // The New Game command; the dialog may cancel it.
  void newGame();

  // Picks a hand up at a position given whole, with `toPlay` to move next: the
  // computer seats play on until the player is needed. For tests and for
  // looking into a position; the state must be one the game can reach.
  void resume(const GameState& state, const ChainGeometry& chain, int toPlay);

 private:
  template <class Flow>
  void act(Flow&& flow);

  // A match and a hand.
  void InitGame(bool leaveEndsProgram);
  void NovoJogo();
  void startScores();
  void ExibePlacar();
  void enableNewGame(bool enabled);
  void HabilitaJog(bool h);

  // The deal.
  void Distribue();
  void mistura();
  void catamacs(int quem);
  void humanTakes(int position);
  void offerPileToHuman();
  void handOn(int quem);
  bool ConfereBuchas();
  void PrimeiraJogada();

  // Turns.
  void MacJoga(int quem);
  void startComputers();
  void humanTurn();
  void SoltaPedra(int qual, double top, double left, bool reordered);
  void Pula(int quem);
  void mensagem(const std::string& text, int ms);
  void Lancar(int quem, int qual, Lado lado);

  // The end of a hand and of a match.
  bool Finaliza(int s);
  bool VerificaFinal();
  bool VerificaFinal_Duplas(const std::array<int, 4>& totals, const std::array<bool, 4>& marked);
  void award(int seat, int points);
  void finishHand();
  bool EndGame();

  Settings& settings_;
  Presentation& screen_;
  RandomSource& random_;
  MatchObserver* observer_ = nullptr;

  GameState state_;
  ChainLayout chain_;
  // Under the rotation rule: the seat that opens the next hand. It keeps its
  // value from hand to hand and from match to match.
  int Rodizio_ = 0;

  Awaiting awaiting_ = Awaiting::Nothing;
  bool started_ = false;
  bool busy_ = false;
  bool newGameEnabled_ = false;
  bool passShown_ = false;
};

}  // namespace tavolix
