// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "referee.h"

#include "match.h"

namespace tavolix {

void Referee::pickUp(const GameState& state, int toMove) {
  places_ = TilePlaces::of(state);
  toMove_ = toMove;
}

void Referee::matchStarted(const Settings& settings) {
  if (next_) next_->matchStarted(settings);
}

void Referee::dealt(const GameState& state) {
  toMove_ = -1;
  check(state, true, "after the deal");
  places_ = TilePlaces::of(state);
  if (next_) next_->dealt(state);
}

void Referee::redealt(int seat, int doubles) {
  if (next_) next_->redealt(seat, doubles);
}

void Referee::played(int seat, int slot, TileCode tile, Lado side, const GameState& state) {
  const auto when = [&] { return "after " + seatKey(seat) + " played " + tile.text(); };
  // The opening tile comes from the opener; every other move from the seat whose turn it is.
  checkTurn(seat, side == Lado::First ? state.QuemInicia : toMove_, when);
  checkMove(state, seat, slot, tile, when);
  if (next_) next_->played(seat, slot, tile, side, state);
}

void Referee::passed(int seat, const GameState& state) {
  const auto when = [&] { return "after " + seatKey(seat) + " passed"; };
  checkTurn(seat, toMove_, when);
  checkMove(state, seat, 0, TileCode(), when);
  if (next_) next_->passed(seat, state);
}

void Referee::handEnded(const HandResult& result, const GameState& state) {
  if (match_.settings().pairs() &&
      (state.Pontos[0] != state.Pontos[2] || state.Pontos[1] != state.Pontos[3])) {
    report_("partners' scores differ");
  }
  check(state, false, "at the end of the hand");
  if (next_) next_->handEnded(result, state);
}

void Referee::matchEnded(int winner, const std::array<int, 4>& standings, const GameState& state) {
  if (next_) next_->matchEnded(winner, standings, state);
}

void Referee::check(const GameState& state, bool dealing, const char* when) {
  for (const std::string& problem :
       checkInvariants(state, match_.chain(), match_.settings(), dealing)) {
    report_(std::string(when) + ": " + problem);
  }
}

template <class When>
void Referee::checkMove(const GameState& state, int seat, int slot, TileCode tile, When&& when) {
  for (const std::string& problem :
       tavolix::checkMove(places_, state, match_.chain(), match_.settings(), seat, slot, tile)) {
    report_(when() + ": " + problem);
  }
}

template <class When>
void Referee::checkTurn(int seat, int expected, When&& when) {
  if (seat != expected) {
    report_(when() + ": it was " + (expected < 0 ? std::string("nobody") : seatKey(expected)) +
            "'s turn");
  }
  toMove_ = nextSeat(seat, match_.settings().SentidoHorario);
}

}  // namespace tavolix
