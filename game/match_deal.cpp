// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match's flow: the deal, from the shuffle to the opening move.
#include "match.h"

#include "tempo.h"
#include "texts.h"

namespace tavolix {

// --- the deal ----------------------------------------------------------------

void Match::Distribue() {
  enableNewGame(false);
  state_.startDeal();
  mistura();
  screen_.layOutPile();
  enableNewGame(true);

  // The player takes first when nobody is to open yet; otherwise the opener
  // does, and the others follow in turn.
  int seat = state_.QuemInicia == kHolderOfDoubleSix ? kJog : state_.QuemInicia;
  for (int i = 1; i <= kSeatCount; ++i) {
    state_.Ordem[i] = seat;
    seat = nextSeat(seat, rules_.SentidoHorario);
  }
  taker_ = 1;
  step_ = Step::Take;
}

// The shuffle draws the tiles one by one from the set in its usual order: with
// n tiles left, a position 1..n among them.
void Match::mistura() {
  // The tiles left, one bit each in the set's order: the k-th of them is drawn.
  std::uint32_t left = kAllTileBits;
  int remaining = kTileCount;
  for (int i = 0; i < kTileCount; ++i, --remaining) {
    const int n = nthSetBit(left, random_.draw(remaining));
    state_.Monte[i] = kAllTiles[static_cast<std::size_t>(n)];
    left &= ~(std::uint32_t{1} << n);
  }
}

// The seat whose go it is takes its seven tiles; the player's come by his
// clicks, and when he is last the tiles left are all his, taken for him.
void Match::takeTiles() {
  const int seat = state_.Ordem[taker_];
  screen_.showTurn(seat);
  SeatPlayer& player = *seats_[seat];
  const bool atOnce = player.answersAtOnce();
  // Each time round, one tile is taken or the player is asked for it.
  int held = bitCount(state_.heldTiles[seat]);
  if (atOnce && held == 0) {
    enableNewGame(false);
    screen_.enablePile(false);
  }
  for (; held < kHandSlots; ++held) {
    std::optional<int> position = player.pileTile(state_, random_);
    if (!position && taker_ == kSeatCount && held > 0) {
      screen_.enablePile(false);
      screen_.letEventsRun();
      screen_.pause(tempo::kAutoTakeMs);
      position = drawFreePosition(state_, random_);
    }
    if (!position) {
      if (held == 0) {
        screen_.prompt(texts::takeYourTiles());
        state_.QtdEscolhidas = 0;
        screen_.enablePile(true);
      }
      awaiting_ = Awaiting::PileTile;
      return;
    }
    takeFromPile(seat, *position, atOnce);
  }
  if (!atOnce) {
    screen_.prompt({});
    state_.QtdEscolhidas = 0;
    screen_.enablePile(false);
  }
  if (taker_ < kSeatCount) {
    ++taker_;
    return;
  }
  if (observer_) observer_->dealt(state_);
  step_ = ConfereBuchas() ? Step::Deal : Step::Open;
}

void Match::takeFromPile(int seat, int position, bool answeredAtOnce) {
  Hand& hand = state_.hand(seat);
  const int slot = bitCount(state_.heldTiles[seat]) + 1;
  hand[slot] = state_.Monte[position - 1];
  state_.heldTiles[seat] |= tileBit(hand[slot]);
  state_.takePile(position);
  if (hand[slot] == kDoubleSix &&
      (state_.QuemInicia == kHolderOfDoubleSix || rules_.TipoInicio == 2)) {
    state_.QuemInicia = seat;
  }
  screen_.takeFromPile(seat, slot, position);
  if (!answeredAtOnce) {
    state_.QtdEscolhidas = slot;
    if (screen_.showsTexts()) screen_.prompt(texts::takeTileNumber(slot + 1));
  }
}

// Five or more doubles in one hand: the hand is thrown in and dealt again,
// opened like the first hand of a match.
bool Match::ConfereBuchas() {
  int seat = -1;
  int doubles = 0;
  for (int s = kJog; s <= kMac3; ++s) {
    const int n = QuantasBuchas(state_, s);
    if (n > 4) {
      seat = s;
      doubles = n;
    }
  }
  if (seat < 0) return false;
  screen_.revealComputerHands();
  screen_.messageBox(texts::redeal(settings_.Nomes[seat], doubles));
  if (observer_) observer_->redealt(seat, doubles);
  screen_.showTurn(-1);
  screen_.clearTable();
  state_.redeal();
  return true;
}

void Match::PrimeiraJogada() {
  screen_.removePile();
  enableNewGame(true);
  if (rules_.TipoInicio == 3) {
    if (!state_.PrimeiraRodada) state_.QuemInicia = Rodizio_;
    Rodizio_ = nextSeat(state_.QuemInicia, rules_.SentidoHorario);
  }
  toMove_ = state_.QuemInicia;
  step_ = Step::Turn;
}

}  // namespace tavolix
