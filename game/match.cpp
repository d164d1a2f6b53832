// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "match.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "scoring.h"
#include "table_geometry.h"
#include "tempo.h"
#include "texts.h"

namespace tavolix {

Match::Match(const Settings& settings, Presentation& screen, RandomSource& random)
    : settings_(settings), rules_(settings), screen_(screen), random_(random) {}

void Match::setSeat(int seat, SeatPlayer& player) {
  if (isSeat(seat)) seats_[seat] = &player;
}

// Runs one of the player's actions to the point where the player is needed
// again. Actions that arrive while another is still running (the window keeps
// handling input during animations) are dropped.
template <class Flow>
void Match::act(Flow&& flow) {
  if (busy_ || awaiting_ == Awaiting::Finished) return;
  busy_ = true;
  try {
    flow();
  } catch (const MatchInterrupted&) {
    awaiting_ = Awaiting::Finished;
  }
  busy_ = false;
  keep();
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

void Match::start() {
  if (started_) return;
  started_ = true;
  act([this] {
    InitGame(true);
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
  if (from < 1 || from > kHandSlots || to < 1 || to > kHandSlots || from == to) return false;
  Hand& hand = state_.PedrasJog;
  if (hand[from].empty() || hand[to].empty()) return false;
  const TileCode carried = hand[from];
  if (to < from) {
    for (int m = from; m > to; --m) hand[m] = hand[m - 1];
  } else {
    for (int m = from; m < to; ++m) hand[m] = hand[m + 1];
  }
  hand[to] = carried;
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

SavedMatch Match::saved() const {
  SavedMatch saved;
  saved.rules = rules_;
  saved.rules.Nomes = settings_.Nomes;
  saved.scores = state_.Pontos;
  saved.rotation = Rodizio_;
  saved.handsPlayed = handsPlayed_;
  saved.opener = state_.QuemInicia;
  saved.firstRound = firstRound_;
  for (int seat = kJog; seat <= kMac3; ++seat) saved.hands[seat] = state_.hand(seat);
  saved.dealing = step_ == Step::Take;
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
      enableNewGame(true);
      if (state_.QtdEscolhidas > 0) {
        screen_.prompt(texts::takeTileNumber(state_.QtdEscolhidas + 1));
        screen_.enablePile(true);
      }
      step_ = Step::Take;
      taker_ = saved.taker;
    } else {
      screen_.showChain(position->laid);
      step_ = Step::Turn;
      toMove_ = kJog;
    }
    screen_.showHands();
    run();
  });
  return true;
}

// --- a match and a hand ------------------------------------------------------

void Match::InitGame(bool leaveEndsProgram) {
  const NewGameAnswer answer = screen_.newGameDialog(leaveEndsProgram);
  if (answer == NewGameAnswer::Exit || (answer == NewGameAnswer::Cancel && leaveEndsProgram)) {
    awaiting_ = Awaiting::Finished;
    screen_.endProgram();
    throw MatchInterrupted();
  }
  if (answer == NewGameAnswer::Cancel) {
    // The match in progress goes on untouched.
    state_.JogoCancelado = true;
    return;
  }
  awaiting_ = Awaiting::Nothing;
  if (keeper_) keeper_->matchClosed();
  rules_ = settings_;
  handsPlayed_.clear();
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
  screen_.showScores(scores);
}

void Match::enableNewGame(bool enabled) {
  newGameEnabled_ = enabled;
  screen_.enableNewGame(enabled);
}

void Match::HabilitaJog(bool h) {
  screen_.enableHand(h);
  enableNewGame(h);
}

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
    screen_.think([&] { answer = player.think(state_, rules_, seat, seed); }, pauseOwed_);
    screen_.showThinking(false);
    pauseOwed_ = 0;
  } else {
    // The level changed to the ordinary one since the pause was put off: taken now.
    if (pauseOwed_ > 0) screen_.pause(std::exchange(pauseOwed_, 0));
    answer = player.turn(state_, rules_, seat);
  }
  switch (answer.kind) {
    case SeatAnswer::Kind::Later:
      playerTurn();
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
  if (seats_[seat] == &computer_ && settings_.strongOpponents) return strong_;
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
      mensagem(texts::illegalMove(), tempo::kWrongTileMessageMs);
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

// --- the end of a hand and of a match ----------------------------------------

// The hand is over: the computer hands are turned up, the result is told and
// scored, the table is cleared, and the next hand is dealt (after a new match
// when this one is over).
void Match::closeHand(const HandResult& result) {
  state_.Passes = 0;
  screen_.showTurn(-1);
  handsPlayed_.push_back(result);
  screen_.revealComputerHands();
  screen_.letEventsRun();
  rules_.Nomes = settings_.Nomes;
  if (screen_.showsTexts()) screen_.messageBox(texts::handEnded(result, rules_));
  for (const int seat : result.scorers) state_.Pontos[seat] += result.points;
  if (!result.tied()) ExibePlacar();
  screen_.clearTable();
  screen_.letEventsRun();
  state_.QuemInicia = result.nextOpener;
  if (observer_) observer_->handEnded(result, state_);
  if (EndGame()) InitGame(true);
  step_ = Step::Deal;
}

bool Match::EndGame() {
  int w = kJog;
  while (w <= kMac3 && state_.Pontos[w] < rules_.PontosLimit) ++w;
  if (w > kMac3) return false;

  MatchEndReport report;
  report.winner = w;
  const bool withTexts = screen_.showsTexts();
  if (withTexts)
    report.winnerLine = texts::winnerLine(settings_.Nomes, w, state_.Pontos[w], rules_.pairs());
  // The winner heads the list (with his partner in pairs), then the other seats by
  // falling score, equal scores in seat order.
  std::array<int, kSeatCount> order{kJog, kMac1, kMac2, kMac3};
  const auto winners = [&](int seat) {
    return seat == w || (rules_.pairs() && seat == partnerOf(w));
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (winners(a) != winners(b)) return winners(a);
    return state_.Pontos[a] > state_.Pontos[b];
  });
  for (int place = 0; place < kSeatCount; ++place) {
    const int seat = order[place];
    report.standings[place] = seat;
    report.names[place] = settings_.Nomes[seat];
    if (withTexts) report.scores[place] = texts::scoreText(state_.Pontos[seat]);
  }
  if (observer_) observer_->matchEnded(w, report.standings, state_);
  if (keeper_) {
    keeper_->matchEnded(*this, w);
    keeper_->matchClosed();
  }
  screen_.matchEnd(report);
  return true;
}

}  // namespace tavolix
