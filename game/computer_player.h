#pragma once

#include <optional>

#include "game_state.h"
#include "settings.h"

namespace tavolix {

// How a computer seat chooses its move: every legal tile and end gets a score
// from fixed priorities (make the next seat pass, leave an end nobody else can
// match, keep a varied hand, get rid of doubles, do not make both ends equal)
// and the best one is played. Nothing here changes the game.

// Tiles left in a seat's hand.
int QuantasTem(const GameState& state, int seat);
// Will the next seat be unable to answer? 0, 1 or 2 of the ends after the move
// are pips it has shown it lacks.
int OProximoNaoTem(const GameState& state, const Settings& settings, int seat, TileCode t, Lado d);
// How many pip values the rest of the hand still covers (+1 for giving up a double).
int TereiPintas(const GameState& state, int seat, int slot);
// Will an end after the move be a pip whose seven tiles are all in this hand or on the table?
bool VaideixarPonta(const GameState& state, int seat, TileCode t, Lado d);
// Would this crosswise move close the game other than "no natural"?
bool VaiFecharNaoNatural(const GameState& state, TileCode t, Lado d);
// The score of laying the tile of `slot` at side `d`: 0 (do not play) to 15.
int Retorno(const GameState& state, const Settings& settings, int seat, int slot, Lado d);

struct Move {
  int slot = 0;
  Lado lado = Lado::First;
  friend bool operator==(const Move&, const Move&) = default;
};

// The side tried first: "B" while side "A" is not shorter.
Lado firstSideToTry(const GameState& state);
// The best-scoring move, the first side tried and the lower slot winning ties;
// nullopt when nothing scores above 0 (the seat passes).
std::optional<Move> chooseMove(const GameState& state, const Settings& settings, int seat);
// The opening tile: 6:6 when the hand must open with it (nullopt if the seat
// lacks it), otherwise the tile whose loss keeps the hand most varied.
std::optional<int> chooseOpeningSlot(const GameState& state, const Settings& settings, int seat);

}  // namespace tavolix
