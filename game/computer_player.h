// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
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

// What a seat's choice looks at, as a few numbers and tile sets: the ends,
// the tiles on the table and in the seat's hand, and what the seat after it
// has shown it lacks. The table's own turns and the strong player's playouts
// both fill it in and are scored by the same rules below.
struct Facts {
  int pontaA = 6;
  int pontaB = 6;
  int qtdLadoA = 0;
  int qtdLadoB = 0;
  std::uint32_t onTable = 0;  // one bit per tile (tileBit)
  std::uint32_t inHand = 0;
  unsigned nextLacks = 0;  // one bit per pip the next seat passed on
  bool nextHasPassed = false;
  bool fecharSoNoNatural = true;
  // Opening: the hand must be opened with 6:6.
  bool mustOpenWithDoubleSix = false;

  // As `seat` sees the game at its turn.
  static Facts of(const GameState& state, const Settings& settings, int seat);
};

// The scores of a seat's moves, from its facts alone.
class Outlook {
 public:
  explicit Outlook(const Facts& facts);
  Outlook(const Facts& facts, const Hand& hand);
  // The seat's outlook at its turn, with its hand's slots for the choice.
  Outlook(const GameState& state, const Settings& settings, int seat);

  // How many of the ends after laying `t` at `side` the next seat has shown it lacks: 0, 1 or 2.
  int OProximoNaoTem(TileCode t, Lado side) const;
  // How many pip values the rest of the hand still covers without `t` (+1 for giving up a
  // double).
  int variety(TileCode t) const;
  int TereiPintas(int slot) const { return variety(hand_[slot]); }
  // Will an end after the move show a pip whose seven tiles are all in this hand or on the table?
  bool VaideixarPonta(TileCode t, Lado side) const;
  // Would a crosswise move at `side` close the game other than "no natural"?
  bool VaiFecharNaoNatural(Lado side) const;
  // The score of laying `t` (held in the hand) at `side`: 0 (do not play) to 15.
  int score(TileCode t, Lado side) const;
  int Retorno(int slot, Lado side) const { return score(hand_[slot], side); }

  // The side tried first: "B" while side "A" is not shorter.
  Lado firstSideToTry() const;
  // The best-scoring move, the first side tried and the lower slot winning
  // ties; nullopt when nothing scores above 0 (the seat passes).
  std::optional<Move> chooseMove() const {
    const int move = bestBySlot();
    if (move == 0) return std::nullopt;
    return Move{move >> 1, sideOf(move)};
  }
  // The opening tile: 6:6 when the hand must open with it (nullopt if the
  // seat lacks it), otherwise the tile whose loss keeps the hand most varied.
  std::optional<int> chooseOpeningSlot() const;

  // The same choices over the tiles of the hand in the set's order, for a
  // hand known only as a set of tiles.
  struct TileMove {
    TileCode tile;
    Lado side = Lado::First;
  };
  std::optional<TileMove> chooseTileMove() const {
    const int move = bestByTile();
    if (move == 0) return std::nullopt;
    return TileMove{kAllTiles[static_cast<std::size_t>((move >> 1) - 1)], sideOf(move)};
  }

 private:
  int endValue(Lado side) const { return side == Lado::A ? f_.pontaA : f_.pontaB; }
  int otherEndValue(Lado side) const { return side == Lado::A ? f_.pontaB : f_.pontaA; }
  int newEnd(TileCode t, Lado side) const;
  int onTable(int pip) const { return bitCount(f_.onTable & kTilesWithPip[pip]); }
  // The best-scoring move, by the rules of chooseMove(): its tile's rank
  // (given by `rank`, 1..28; 0 leaves a tile out) and side; rank 0 when none.
  struct Best {
    int rank = 0;
    Lado side = Lado::First;
  };
  template <class Rank>
  Best best(Rank&& rank) const;
  // The best move as one whole number, handed back in a register rather than
  // through memory (read back at once, a move written there a field at a
  // time would hold the processor up): its slot, or its tile's place in the
  // set from 1, times 2, plus 1 for side B; 0 when there is none.
  int bestBySlot() const;
  int bestByTile() const;
  static Lado sideOf(int move) { return (move & 1) != 0 ? Lado::B : Lado::A; }

  Facts f_;
  Hand hand_{};  // slots, when the outlook was made from the game
  // Each tile's slot there (0: not held), and a spare entry for the empty slots.
  std::array<std::int8_t, 33> slotOf_{};
  int tiles_ = 0;
};

// Tiles left in a seat's hand.
int QuantasTem(const GameState& state, int seat);
// Would a tile laid crosswise at `side` close the game other than "no natural"?
// The same test the computer makes, for the player's drop.
bool VaiFecharNaoNatural(const GameState& state, Lado side);

// The ordinary computer's answer at its turn: when it opens the hand, its
// opening tile (a seat that must open with 6:6 and lacks it plays on as at any
// turn); otherwise the best-scoring move, or a pass.
SeatAnswer ordinaryAnswer(const Outlook& outlook, bool opening);

// A computer seat: takes its tiles at random and plays by the scores above.
class ComputerSeat : public SeatPlayer {
 public:
  std::optional<int> pileTile(const GameState& state, RandomSource& random) override;
  SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override;
};

}  // namespace tavolix
