// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match's flow: the answers of a seat played from another computer, checked
// against the rules before the flow goes on with them.
#include "match.h"

namespace tavolix {

int Match::asked() const {
  if (busy_) return -1;
  if (awaiting_ == Awaiting::PileTile) return state_.Ordem[taker_];
  if (awaiting_ == Awaiting::Move && step_ == Step::Turn) return toMove_;
  return -1;
}

bool Match::takePileTileFor(int seat, int position) {
  if (!isSeat(seat) || asked() != seat || awaiting_ != Awaiting::PileTile) return false;
  if (position < 1 || position > kTileCount || state_.pileTaken(position)) return false;
  takePileTile(position);
  return true;
}

Match::Refusal Match::check(int seat, const SeatAnswer& answer) const {
  if (!isSeat(seat) || asked() != seat || awaiting_ != Awaiting::Move) return Refusal::NotItsTurn;
  const Hand& hand = state_.hand(seat);
  if (answer.kind != SeatAnswer::Kind::Play) {
    if (state_.QtdMesa == 0) return Refusal::MustPlay;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand[slot].holds(state_.PontaA) || hand[slot].holds(state_.PontaB))
        return Refusal::MustPlay;
    }
    return answer.kind == SeatAnswer::Kind::Pass ? Refusal::None : Refusal::MustPlay;
  }
  if (answer.slot < 1 || answer.slot > kHandSlots || hand[answer.slot].empty())
    return Refusal::NoSuchTile;
  const TileCode t = hand[answer.slot];
  if (state_.QtdMesa == 0) {
    const bool doubleSixOpens = state_.PrimeiraRodada || rules_.TipoInicio == 2;
    if (doubleSixOpens && t != kDoubleSix) return Refusal::WrongOpening;
    return answer.side == Lado::First ? Refusal::None : Refusal::WrongEnd;
  }
  if (answer.side == Lado::First) return Refusal::WrongEnd;
  const bool fitsA = t.holds(state_.PontaA);
  const bool fitsB = t.holds(state_.PontaB);
  if (!(answer.side == Lado::A ? fitsA : fitsB)) return Refusal::WrongEnd;
  // A tile that joins both ends may not close the game other than "no
  // natural"; the other end is then open to it.
  if (fitsA && fitsB && QuantasTem(state_, seat) > 1 && rules_.FecharSoNoNatural &&
      VaiFecharNaoNatural(state_, answer.side))
    return Refusal::OnlyNatural;
  return Refusal::None;
}

Match::Refusal Match::answer(int seat, const SeatAnswer& answer) {
  const Refusal refusal = check(seat, answer);
  if (refusal != Refusal::None) return refusal;
  act([&] {
    awaiting_ = Awaiting::Nothing;
    if (answer.kind == SeatAnswer::Kind::Pass) {
      if (seat == kJog) {
        passShown_ = false;
        screen_.showPassCommand(false);
      }
      Pula(seat);
      state_.pass(seat);
      handEvents_.push_back(HandEvent::pass(seat));
      if (observer_) observer_->passed(seat, state_);
    } else {
      Lancar(seat, answer.slot, answer.side);
    }
    endOfTurn(seat, false);
    run();
  });
  return Refusal::None;
}

}  // namespace tavolix
