// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "match.h"

#include "tempo.h"
#include "texts.h"

namespace tavolix {

Match::Match(const Settings& settings, Presentation& screen, RandomSource& random)
    : settings_(settings), rules_(settings), screen_(screen), random_(random) {}

void Match::setSeat(int seat, SeatPlayer& player) {
  if (isSeat(seat)) seats_[seat] = &player;
}

void Match::keep() {
  if (keeper_ && (awaiting_ == Awaiting::PileTile || awaiting_ == Awaiting::Move))
    keeper_->playerAsked(*this);
}

void Match::run() {
  while (awaiting_ == Awaiting::Nothing) {
    switch (step_) {
      case Step::Deal:
        NovoJogo();
        break;
      case Step::Take:
        takeTiles();
        break;
      case Step::Open:
        PrimeiraJogada();
        break;
      case Step::Turn:
        playTurn();
        break;
    }
  }
}

// --- the player's actions ----------------------------------------------------

void Match::start(bool leaveEndsProgram) {
  if (started_) return;
  started_ = true;
  act([this, leaveEndsProgram] {
    InitGame(leaveEndsProgram);
    if (state_.JogoCancelado) {
      // Nothing begun: the match can still be started later.
      state_.JogoCancelado = false;
      started_ = false;
      return;
    }
    step_ = Step::Deal;
    run();
  });
}

void Match::takePileTile(int position) {
  if (awaiting_ != Awaiting::PileTile || position < 1 || position > kTileCount ||
      state_.pileTaken(position))
    return;
  act([this, position] {
    awaiting_ = Awaiting::Nothing;
    const int seat = state_.Ordem[taker_];
    takeFromPile(seat, position, seats_[seat]->answersAtOnce());
    run();
  });
}

void Match::drop(int slot, double top, double left, bool reordered, std::optional<Lado> end) {
  if (slot < 1 || slot > kHandSlots) return;
  if (awaiting_ != Awaiting::Move || state_.JogBloqueado || state_.PedrasJog[slot].empty()) {
    if (!busy_ && awaiting_ != Awaiting::Finished && !state_.PedrasJog[slot].empty()) {
      screen_.returnToHand(slot, TileReturn::Quiet);
    }
    return;
  }
  act([=, this] {
    awaiting_ = Awaiting::Nothing;
    state_.JogBloqueado = true;
    if (!SoltaPedra(slot, top, left, reordered, end)) return;
    endOfTurn(kJog, false);
    run();
  });
}

bool Match::takesDrop(int slot) const {
  return !busy_ && awaiting_ == Awaiting::Move && !state_.JogBloqueado && slot >= 1 &&
         slot <= kHandSlots && !state_.PedrasJog[slot].empty();
}

bool Match::flipTile(int slot) {
  if (busy_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return false;
  if (slot < 1 || slot > kHandSlots || state_.PedrasJog[slot].empty()) return false;
  state_.PedrasJog[slot] = state_.PedrasJog[slot].reversed();
  keep();
  return true;
}

bool Match::moveTileInHand(int from, int to) {
  if (busy_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return false;
  if (!moveAlongHand(state_.PedrasJog, from, to)) return false;
  keep();
  return true;
}

void Match::passTurn() {
  if (!passShown_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return;
  act([this] {
    awaiting_ = Awaiting::Nothing;
    passShown_ = false;
    screen_.showPassCommand(false);
    mensagem({}, 0);
    state_.pass(kJog);
    handEvents_.push_back(HandEvent::pass(kJog));
    if (observer_) observer_->passed(kJog, state_);
    if (!handOver(kJog)) {
      HabilitaJog(false);
      nextTurn(kJog, false);
    }
    run();
  });
}

void Match::newGame() {
  if (!newGameEnabled()) return;
  act([this] {
    InitGame(false);
    if (!state_.JogoCancelado) {
      step_ = Step::Deal;
      run();
    }
    state_.JogoCancelado = false;
  });
}

void Match::resume(const GameState& state, const ChainGeometry& chain, int toPlay) {
  if (busy_ || awaiting_ == Awaiting::Finished || !isSeat(toPlay)) return;
  started_ = true;
  rules_ = settings_;
  state_ = state;
  state_.recount();
  chain_.restore(chain);
  screen_.showHands();
  act([this, toPlay] {
    awaiting_ = Awaiting::Nothing;
    step_ = Step::Turn;
    toMove_ = toPlay;
    run();
  });
}

// --- a match and a hand ------------------------------------------------------

void Match::InitGame(bool leaveEndsProgram) {
  const NewGameAnswer answer = screen_.newGameDialog(leaveEndsProgram);
  if (answer == NewGameAnswer::Exit || (answer == NewGameAnswer::Cancel && leaveEndsProgram)) {
    awaiting_ = Awaiting::Finished;
    screen_.endProgram();
    throw MatchInterrupted();
  }
  if (answer == NewGameAnswer::Cancel || answer == NewGameAnswer::Online) {
    // The match in progress goes on untouched.
    state_.JogoCancelado = true;
    return;
  }
  awaiting_ = Awaiting::Nothing;
  if (keeper_) keeper_->matchClosed();
  rules_ = settings_;
  handsPlayed_.clear();
  hinted_ = false;
  state_.startMatch();
  screen_.showTurn(-1);
  passShown_ = false;
  screen_.showPassCommand(false);
  screen_.clearTable();
  screen_.showSeats(settings_.Nomes);
  ExibePlacar();
  if (observer_) observer_->matchStarted(rules_);
}

void Match::NovoJogo() {
  screen_.newHand();
  state_.startHand();
  chain_.reset();
  handEvents_.clear();
  firstRound_ = state_.PrimeiraRodada;
  screen_.letEventsRun();
  Distribue();
  screen_.letEventsRun();
}

void Match::ExibePlacar() {
  if (!screen_.showsTexts()) return;
  std::array<Text, 4> scores;
  for (int seat = 0; seat < kSeatCount; ++seat)
    scores[seat] = texts::scoreText(state_.Pontos[seat]);
  screen_.showScores(scores, rules_.pairs()
                                 ? texts::pairScores(state_.Pontos[kJog], state_.Pontos[kMac1])
                                 : Text());
}

void Match::enableNewGame(bool enabled) {
  newGameEnabled_ = enabled;
  screen_.enableNewGame(enabled);
}

void Match::HabilitaJog(bool h) {
  screen_.enableHand(h);
  enableNewGame(h);
}

}  // namespace tavolix
