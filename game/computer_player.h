#pragma once

#include <array>
#include <optional>

#include "game_state.h"
#include "seat_player.h"
#include "settings.h"

namespace tavolix {

// How a computer seat chooses its move: every legal tile and end gets a score
// from fixed priorities (make the next seat pass, leave an end nobody else can
// match, keep a varied hand, get rid of doubles, do not make both ends equal)
// and the best one is played. Nothing here changes the game.

struct Move {
  int slot = 0;
  Lado side = Lado::First;
  friend bool operator==(const Move&, const Move&) = default;
};

// What a seat's choice looks at, counted once for its turn: its own hand, the
// pips on the table, and what the seat after it has shown it lacks.
class Outlook {
 public:
  Outlook(const GameState& state, const Settings& settings, int seat);

  // How many of the ends after laying `t` at `side` the next seat has shown it lacks: 0, 1 or 2.
  int OProximoNaoTem(TileCode t, Lado side) const;
  // How many pip values the rest of the hand still covers without `slot` (+1 for giving up a
  // double).
  int TereiPintas(int slot) const;
  // Will an end after the move show a pip whose seven tiles are all in this hand or on the table?
  bool VaideixarPonta(TileCode t, Lado side) const;
  // Would a crosswise move at `side` close the game other than "no natural"?
  bool VaiFecharNaoNatural(Lado side) const;
  // The score of laying the tile of `slot` at `side`: 0 (do not play) to 15.
  int Retorno(int slot, Lado side) const;

  // The side tried first: "B" while side "A" is not shorter.
  Lado firstSideToTry() const;
  // The best-scoring move, the first side tried and the lower slot winning
  // ties; nullopt when nothing scores above 0 (the seat passes).
  std::optional<Move> chooseMove() const;
  // The opening tile: 6:6 when the hand must open with it (nullopt if the
  // seat lacks it), otherwise the tile whose loss keeps the hand most varied.
  std::optional<int> chooseOpeningSlot() const;

 private:
  int endValue(Lado side) const;
  int otherEndValue(Lado side) const;
  int newEnd(TileCode t, Lado side) const;

  const GameState& state_;
  const Settings& settings_;
  const Hand& hand_;
  // The tiles on the table and in the hand, a bit each: the tiles holding a
  // pip are counted from them when asked.
  std::uint32_t onTable_ = 0;
  std::uint32_t inHand_ = 0;
  int onTable(int pip) const { return bitCount(onTable_ & kTilesWithPip[pip]); }
  int inHand(int pip) const { return bitCount(inHand_ & kTilesWithPip[pip]); }
  int tiles_ = 0;
  unsigned nextLacks_ = 0;  // one bit per pip the next seat passed on
  bool nextHasPassed_ = false;
};

// Tiles left in a seat's hand.
int QuantasTem(const GameState& state, int seat);
// Would a tile laid crosswise at `side` close the game other than "no natural"?
// The same test the computer makes, for the player's drop.
bool VaiFecharNaoNatural(const GameState& state, Lado side);

// A computer seat: takes its tiles at random and plays by the scores above.
class ComputerSeat : public SeatPlayer {
 public:
  std::optional<int> pileTile(const GameState& state, RandomSource& random) override;
  SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override;
};

}  // namespace tavolix
