// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match kept between runs: what is saved, and the table rebuilt from it.
#include "match.h"

#include <algorithm>
#include <variant>

#include "texts.h"

namespace tavolix {

SavedMatch Match::saved() const {
  SavedMatch saved;
  saved.rules = rules_;
  saved.rules.Nomes = settings_.Nomes;
  saved.scores = state_.Pontos;
  saved.rotation = Rodizio_;
  saved.hinted = hinted_;
  saved.handsPlayed = handsPlayed_;
  saved.opener = state_.QuemInicia;
  saved.firstRound = firstRound_;
  for (int seat = kJog; seat <= kMac3; ++seat) saved.hands[seat] = state_.hand(seat);
  saved.dealing = step_ == Step::Take;
  saved.asked = saved.dealing ? state_.Ordem[taker_] : toMove_;
  if (saved.dealing) {
    saved.pile = state_.Monte;
    saved.taken = state_.Pegas;
    std::copy(state_.Ordem.begin() + 1, state_.Ordem.end(), saved.takers.begin());
    saved.taker = taker_;
  } else {
    saved.events = handEvents_;
  }
  return saved;
}

bool Match::restore(const SavedMatch& saved) {
  if (started_ || busy_ || awaiting_ == Awaiting::Finished) return false;
  auto rebuilt = rebuild(saved);
  auto* position = std::get_if<SavedPosition>(&rebuilt);
  if (position == nullptr) return false;
  started_ = true;
  rules_ = saved.rules;
  handsPlayed_ = saved.handsPlayed;
  Rodizio_ = saved.rotation;
  hinted_ = saved.hinted;
  state_ = position->state;
  chain_ = position->chain;
  handEvents_ = saved.events;
  firstRound_ = saved.firstRound;
  act([this, &saved, position] {
    awaiting_ = Awaiting::Nothing;
    screen_.showTurn(-1);
    screen_.showPassCommand(false);
    screen_.clearTable();
    screen_.showSeats(settings_.Nomes);
    ExibePlacar();
    screen_.newHand();
    if (saved.dealing) {
      screen_.showPile();
      // As in the deal itself: New Game stays offered until a seat that
      // takes by itself has taken, and then until the opening move.
      bool untouched = true;
      for (int i = 1; i < saved.taker; ++i) {
        if (seats_[state_.Ordem[i]]->answersAtOnce()) untouched = false;
      }
      enableNewGame(untouched);
      if (state_.QtdEscolhidas > 0) {
        screen_.prompt(texts::takeTileNumber(state_.QtdEscolhidas + 1));
        screen_.enablePile(true);
      }
      step_ = Step::Take;
      taker_ = saved.taker;
    } else {
      screen_.showChain(position->laid);
      step_ = Step::Turn;
      toMove_ = saved.asked;
    }
    screen_.showHands();
    run();
  });
  return true;
}

}  // namespace tavolix
