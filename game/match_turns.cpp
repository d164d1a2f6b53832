// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match's flow: the turns, each seat's move or pass until the hand ends.
#include "match.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "table_geometry.h"
#include "tempo.h"
#include "texts.h"

namespace tavolix {

// --- turns -------------------------------------------------------------------

void Match::playTurn() {
  const int seat = toMove_;
  SeatPlayer& player = seatAt(seat);
  screen_.showTurn(seat);
  if (player.answersAtOnce()) {
    HabilitaJog(false);
    screen_.letEventsRun();
    screen_.letEventsRun();
  }
  SeatAnswer answer;
  if (player.thinksLong()) {
    // The pause between two computer turns is taken while it thinks.
    const std::uint64_t seed = random_.bits();
    screen_.showThinking(true);
    screen_.think([&] { answer = player.think(state_, rules_, seat, handEvents_, seed); },
                  pauseOwed_);
    screen_.showThinking(false);
    pauseOwed_ = 0;
  } else {
    // The level changed to the ordinary one since the pause was put off: taken now.
    if (pauseOwed_ > 0) screen_.pause(std::exchange(pauseOwed_, 0));
    answer = player.turn(state_, rules_, seat);
  }
  switch (answer.kind) {
    case SeatAnswer::Kind::Later:
      // The player here has his hand to play; a seat played from elsewhere
      // answers through answer().
      if (seat == kJog) {
        playerTurn();
      } else {
        awaiting_ = Awaiting::Move;
      }
      return;
    case SeatAnswer::Kind::Play:
      Lancar(seat, answer.slot, answer.side);
      break;
    case SeatAnswer::Kind::Pass:
      Pula(seat);
      state_.pass(seat);
      handEvents_.push_back(HandEvent::pass(seat));
      if (observer_) observer_->passed(seat, state_);
      break;
  }
  endOfTurn(seat, true);
}

// The player's turn: his hand is his to play, and when nothing in it fits he
// is offered the Pass command.
void Match::playerTurn() {
  state_.JogBloqueado = false;
  HabilitaJog(true);
  // A later hand opened with any tile: nothing on the table tells him it is his go.
  if (state_.QtdMesa == 0 && !state_.PrimeiraRodada) mensagem(texts::yourLead(), 0);
  if (state_.QtdMesa > 0 && JogPassa()) {
    passShown_ = true;
    screen_.showPassCommand(true);
    mensagem(texts::clickPass(), 0);
  }
  awaiting_ = Awaiting::Move;
}

void Match::endOfTurn(int seat, bool answeredAtOnce) {
  if (!handOver(seat)) nextTurn(seat, answeredAtOnce);
}

bool Match::handOver(int seat) {
  const auto result = handEnd(state_, rules_, seat);
  if (result) closeHand(*result);
  return result.has_value();
}

void Match::nextTurn(int seat, bool answeredAtOnce) {
  toMove_ = nextSeat(seat, rules_.SentidoHorario);
  screen_.showTurn(toMove_);
  // Between the turns of two seats that play by themselves, a pause to watch them.
  if (answeredAtOnce && seats_[toMove_]->answersAtOnce()) {
    screen_.letEventsRun();
    screen_.letEventsRun();
    if (seatAt(toMove_).thinksLong()) {
      pauseOwed_ = tempo::kTurnPauseMs;
      return;
    }
    screen_.showThinking(true);
    screen_.pause(tempo::kTurnPauseMs);
    screen_.showThinking(false);
    screen_.letEventsRun();
  }
}

const SeatPlayer& Match::playerAt(int seat) const {
  if (seats_[seat] == &computer_) {
    if (settings_.opponents == ComputerLevel::Strong) return strong_;
    if (settings_.opponents == ComputerLevel::Master) return master_;
  }
  return *seats_[seat];
}

bool Match::JogPassa() const {
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    const TileCode t = state_.PedrasJog[slot];
    if (t.holds(state_.PontaA) || t.holds(state_.PontaB)) return false;
  }
  return true;
}

// The player let go of the tile of `slot`: laid, or sent back with a word. True when laid.
bool Match::SoltaPedra(int slot, double top, double left, bool reordered, std::optional<Lado> end) {
  const TileCode t = state_.PedrasJog[slot];
  const bool opening = state_.QuemInicia == kJog && state_.QtdMesa == 0;
  TileCode requerida = opening && state_.PrimeiraRodada ? kDoubleSix : TileCode();
  if (rules_.TipoInicio == 2 && state_.QtdMesa == 0) requerida = kDoubleSix;
  if (opening) {
    if (requerida.empty()) requerida = t;
    state_.PontaA = requerida.first();
    state_.PontaB = requerida.last();
  }

  if (opening && t != requerida) {
    screen_.returnToHand(slot, TileReturn::WrongOpening);
    state_.JogBloqueado = false;
    mensagem(texts::wrongOpeningTile(requerida), tempo::kWrongTileMessageMs);
    awaiting_ = Awaiting::Move;
    return false;
  }

  // Only the lower edge of the play area counts: a tile let go above it or beside it is on the
  // table.
  const bool offTable = top > geometry::kAreaBottom;
  const bool fitsA = t.holds(state_.PontaA);
  const bool fitsB = t.holds(state_.PontaB);
  if (offTable || (!fitsA && !fitsB)) {
    screen_.returnToHand(slot, TileReturn::Refused);
    state_.JogBloqueado = false;
    if (fitsA || fitsB) {
      if (!reordered) mensagem(texts::dragToTheTable(), 0);
    } else if (JogPassa()) {
      mensagem(texts::clickPass(), 0);
      screen_.blinkMessage();
    } else if (!reordered) {
      mensagem(texts::illegalMove(state_.PontaA, state_.PontaB), tempo::kWrongTileMessageMs);
    }
    awaiting_ = Awaiting::Move;
    return false;
  }

  screen_.hideMessage();
  if (fitsA && fitsB) {
    if (state_.QuemInicia == kJog && t == requerida) {
      Lancar(kJog, slot, Lado::First);
    } else {
      // The end nearer the drop point takes it.
      const int dA = std::max(std::abs(geometry::wholeTwips(top - chain().TopoA)),
                              std::abs(geometry::wholeTwips(left - chain().EsqA)));
      const int dB = std::max(std::abs(geometry::wholeTwips(top - chain().TopoB)),
                              std::abs(geometry::wholeTwips(left - chain().EsqB)));
      Lado side = end.value_or(dA > dB ? Lado::B : Lado::A);
      if (QuantasTem(state_, kJog) > 1 && rules_.FecharSoNoNatural &&
          VaiFecharNaoNatural(state_, side)) {
        screen_.messageBox(texts::closeOnlyNatural());
        side = side == Lado::A ? Lado::B : Lado::A;
      }
      Lancar(kJog, slot, side);
    }
  } else if (t == requerida) {
    Lancar(kJog, slot, Lado::First);
  } else {
    Lancar(kJog, slot, fitsA ? Lado::A : Lado::B);
  }
  return true;
}

void Match::Pula(int seat) {
  if (screen_.showsTexts()) mensagem(texts::passed(settings_.Nomes[seat]), tempo::kPassMessageMs);
  screen_.computerPasses(seat);
}

void Match::mensagem(const Text& text, int ms) { screen_.message(text, ms); }

void Match::Lancar(int seat, int slot, Lado side) {
  Hand& hand = state_.hand(seat);
  const TileCode t = hand[slot];
  hand[slot] = TileCode();
  state_.heldTiles[seat] &= ~tileBit(t);
  if (seat != kJog) {
    screen_.showThinking(true);
    screen_.pause(tempo::kComputerThinkMs);
    screen_.showThinking(false);
    screen_.letEventsRun();
  }

  LaidTile laid;
  laid.seat = seat;
  laid.slot = slot;
  laid.side = side;
  if (side != Lado::First) laid.joined = side == Lado::A ? state_.PontaA : state_.PontaB;
  laid.placement = layOnTable(state_, chain_, t, side);
  handEvents_.push_back(HandEvent::play(seat, t, side));
  laid.firstClick = random_.Chance(50);
  screen_.layTile(laid);
  closeUp(hand, slot);
  screen_.closeUpHand(seat, slot);
  if (observer_) observer_->played(seat, slot, t, side, state_);
}

}  // namespace tavolix
