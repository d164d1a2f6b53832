#include "match.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "computer_player.h"
#include "scoring.h"
#include "tempo.h"
#include "texts.h"

namespace tavolix {

namespace {

constexpr TileCode kDoubleSix(6, 6);

int whole(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

Match::Match(Settings& settings, Presentation& screen, RandomSource& random)
    : settings_(settings), screen_(screen), random_(random) {}

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
}

// --- the player's actions ----------------------------------------------------

void Match::start() {
  if (started_) return;
  started_ = true;
  act([this] {
    InitGame(true);
    NovoJogo();
  });
}

void Match::takePileTile(int position) {
  if (awaiting_ != Awaiting::PileTile || position < 1 || position > kTileCount || state_.pileTaken(position)) return;
  act([this, position] {
    awaiting_ = Awaiting::Nothing;
    humanTakes(position);
  });
}

void Match::drop(int qual, double top, double left, bool reordered) {
  if (qual < 1 || qual > kHandSlots) return;
  if (awaiting_ != Awaiting::Move || state_.JogBloqueado || state_.PedrasJog[qual].empty()) {
    if (!busy_ && awaiting_ != Awaiting::Finished && !state_.PedrasJog[qual].empty()) {
      screen_.returnToHand(qual, TileReturn::Quiet);
    }
    return;
  }
  act([=, this] {
    awaiting_ = Awaiting::Nothing;
    state_.JogBloqueado = true;
    SoltaPedra(qual, top, left, reordered);
  });
}

bool Match::takesDrop(int qual) const {
  return !busy_ && awaiting_ == Awaiting::Move && !state_.JogBloqueado && qual >= 1 && qual <= kHandSlots &&
         !state_.PedrasJog[qual].empty();
}

bool Match::flipTile(int slot) {
  if (busy_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return false;
  if (slot < 1 || slot > kHandSlots || state_.PedrasJog[slot].empty()) return false;
  state_.PedrasJog[slot] = state_.PedrasJog[slot].reversed();
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
    if (observer_) observer_->passed(kJog, state_);
    if (VerificaFinal()) return;
    HabilitaJog(false);
    startComputers();
  });
}

void Match::newGame() {
  if (!newGameEnabled()) return;
  act([this] {
    InitGame(false);
    if (!state_.JogoCancelado) NovoJogo();
    state_.JogoCancelado = false;
  });
}

void Match::resume(const GameState& state, const ChainGeometry& chain, int toPlay) {
  if (busy_ || awaiting_ == Awaiting::Finished || !isSeat(toPlay)) return;
  started_ = true;
  state_ = state;
  chain_.restore(chain);
  act([this, toPlay] {
    awaiting_ = Awaiting::Nothing;
    if (toPlay == kJog) {
      humanTurn();
    } else {
      MacJoga(toPlay);
    }
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
  if (answer == NewGameAnswer::Cancel) {
    // The match in progress goes on untouched.
    state_.JogoCancelado = true;
    return;
  }
  awaiting_ = Awaiting::Nothing;
  state_.startMatch();
  passShown_ = false;
  screen_.showPassCommand(false);
  screen_.clearTable();
  screen_.showSeats(settings_.Nomes);
  ExibePlacar();
  if (observer_) observer_->matchStarted(settings_);
}

void Match::NovoJogo() {
  screen_.newHand();
  state_.startHand();
  chain_.reset();
  screen_.letEventsRun();
  Distribue();
  screen_.letEventsRun();
}

void Match::ExibePlacar() {
  std::array<std::string, 4> scores;
  for (int seat = 0; seat < kSeatCount; ++seat) scores[seat] = texts::scoreText(state_.Pontos[seat]);
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
    seat = nextSeat(seat, settings_.SentidoHorario);
  }
  if (state_.Ordem[1] != kJog) {
    catamacs(state_.Ordem[1]);
  } else {
    offerPileToHuman();
  }
}

// The shuffle draws the tiles one by one from the set in its usual order: with
// n tiles left, a position 1..n among them.
void Match::mistura() {
  std::array<TileCode, kTileCount> left = canonicalTiles();
  int remaining = kTileCount;
  for (int i = 0; i < kTileCount; ++i, --remaining) {
    const int k = random_.draw(remaining);
    state_.Monte[i] = left[k - 1];
    std::copy(left.begin() + k, left.begin() + remaining, left.begin() + k - 1);
  }
}

void Match::catamacs(int quem) {
  enableNewGame(false);
  screen_.enablePile(false);
  Hand& hand = state_.hand(quem);
  for (int j = 1; j <= kHandSlots; ++j) {
    int k = 0;
    do {
      k = random_.draw(kTileCount);
    } while (state_.pileTaken(k));
    state_.takePile(k);
    hand[j] = state_.Monte[k - 1];
    if (hand[j] == kDoubleSix && (state_.QuemInicia == kHolderOfDoubleSix || settings_.TipoInicio == 2)) {
      state_.QuemInicia = quem;
    }
    screen_.takeFromPile(quem, j, k);
  }
  handOn(quem);
}

void Match::offerPileToHuman() {
  screen_.prompt(texts::takeYourTiles(state_.Ingles));
  state_.QtdEscolhidas = 0;
  screen_.enablePile(true);
  awaiting_ = Awaiting::PileTile;
}

void Match::humanTakes(int position) {
  for (;;) {
    const int slot = ++state_.QtdEscolhidas;
    state_.PedrasJog[slot] = state_.Monte[position - 1];
    state_.takePile(position);
    if (state_.PedrasJog[slot] == kDoubleSix &&
        (state_.QuemInicia == kHolderOfDoubleSix || settings_.TipoInicio == 2)) {
      state_.QuemInicia = kJog;
    }
    screen_.takeFromPile(kJog, slot, position);
    screen_.prompt(texts::takeTileNumber(slot + 1, state_.Ingles));
    if (slot == kHandSlots) break;
    if (state_.Ordem[kSeatCount] != kJog) {
      awaiting_ = Awaiting::PileTile;
      return;
    }
    // Last to take: the tiles left are all his, taken for him one by one.
    screen_.enablePile(false);
    screen_.letEventsRun();
    screen_.pause(tempo::kAutoTakeMs);
    do {
      position = random_.draw(kTileCount);
    } while (state_.pileTaken(position));
  }
  screen_.prompt({});
  state_.QtdEscolhidas = 0;
  screen_.enablePile(false);
  handOn(kJog);
}

void Match::handOn(int quem) {
  int i = 1;
  while (i < kSeatCount && state_.Ordem[i] != quem) ++i;
  if (i == kSeatCount) {
    if (observer_) observer_->dealt(state_);
    if (!ConfereBuchas()) PrimeiraJogada();
  } else if (state_.Ordem[i + 1] != kJog) {
    catamacs(state_.Ordem[i + 1]);
  } else {
    offerPileToHuman();
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
  screen_.clearTable();
  state_.redeal();
  NovoJogo();
  return true;
}

void Match::PrimeiraJogada() {
  screen_.removePile();
  enableNewGame(true);
  if (settings_.TipoInicio == 3) {
    if (!state_.PrimeiraRodada) state_.QuemInicia = Rodizio_;
    Rodizio_ = nextSeat(state_.QuemInicia, settings_.SentidoHorario);
  }
  if (state_.QuemInicia == kJog) {
    state_.JogBloqueado = false;
    HabilitaJog(true);
    awaiting_ = Awaiting::Move;
  } else {
    MacJoga(state_.QuemInicia);
  }
}

// --- turns -------------------------------------------------------------------

// The computer seats play one after another until the player's turn comes or
// the hand ends (and with it the next deal begins).
void Match::MacJoga(int quem) {
  while (isComputerSeat(quem)) {
    HabilitaJog(false);
    screen_.letEventsRun();
    screen_.letEventsRun();

    bool laid = false;
    if (state_.QuemInicia == quem && state_.QtdMesa == 0) {
      if (const auto slot = chooseOpeningSlot(state_, settings_, quem)) {
        Lancar(quem, *slot, Lado::First);
        laid = true;
      }
    }
    if (!laid) {
      if (const auto move = chooseMove(state_, settings_, quem)) {
        Lancar(quem, move->slot, move->lado);
      } else {
        Pula(quem);
        state_.pass(quem);
        if (observer_) observer_->passed(quem, state_);
        if (VerificaFinal()) return;
      }
    }
    if (Finaliza(quem)) return;

    const bool clockwise = settings_.SentidoHorario;
    if ((quem < kMac3 && clockwise) || (quem > kMac1 && !clockwise)) {
      screen_.letEventsRun();
      screen_.letEventsRun();
      screen_.pause(tempo::kTurnPauseMs);
      screen_.letEventsRun();
      quem += clockwise ? 1 : -1;
    } else {
      humanTurn();
      return;
    }
  }
}

void Match::startComputers() { MacJoga(settings_.SentidoHorario ? kMac1 : kMac3); }

void Match::humanTurn() {
  state_.JogBloqueado = false;
  HabilitaJog(true);
  if (JogPassa()) {
    passShown_ = true;
    screen_.showPassCommand(true);
    mensagem(texts::clickPass(), 0);
  }
  awaiting_ = Awaiting::Move;
}

bool Match::JogPassa() const {
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    const TileCode t = state_.PedrasJog[slot];
    if (t.holds(state_.PontaA) || t.holds(state_.PontaB)) return false;
  }
  return true;
}

void Match::SoltaPedra(int qual, double top, double left, bool reordered) {
  const TileCode t = state_.PedrasJog[qual];
  const bool opening = state_.QuemInicia == kJog && state_.QtdMesa == 0;
  TileCode requerida = opening && state_.PrimeiraRodada ? kDoubleSix : TileCode();
  if (settings_.TipoInicio == 2 && state_.QtdMesa == 0) requerida = kDoubleSix;
  if (opening) {
    if (requerida.empty()) requerida = t;
    state_.PontaA = requerida.first();
    state_.PontaB = requerida.last();
  }

  if (opening && t != requerida) {
    screen_.returnToHand(qual, TileReturn::WrongOpening);
    state_.JogBloqueado = false;
    mensagem(texts::wrongOpeningTile(requerida, state_.Ingles), tempo::kWrongTileMessageMs);
    awaiting_ = Awaiting::Move;
    return;
  }

  // Only the lower edge of the play area counts: a tile let go above it or beside it is on the table.
  const bool offTable = top > table::kAreaBottom;
  const bool fitsA = t.holds(state_.PontaA);
  const bool fitsB = t.holds(state_.PontaB);
  if (offTable || (!fitsA && !fitsB)) {
    screen_.returnToHand(qual, TileReturn::Refused);
    state_.JogBloqueado = false;
    if (fitsA || fitsB) {
      if (!reordered) mensagem(texts::dragToTheTable(state_.Ingles), 0);
    } else if (JogPassa()) {
      mensagem(texts::clickPass(), 0);
      screen_.blinkMessage();
    } else if (!reordered) {
      mensagem(texts::illegalMove(state_.Ingles), tempo::kWrongTileMessageMs);
    }
    awaiting_ = Awaiting::Move;
    return;
  }

  screen_.hideMessage();
  if (fitsA && fitsB) {
    if (state_.QuemInicia == kJog && t == requerida) {
      Lancar(kJog, qual, Lado::First);
    } else {
      // The end nearer the drop point takes it.
      const int dA = std::max(std::abs(whole(top - chain().TopoA)), std::abs(whole(left - chain().EsqA)));
      const int dB = std::max(std::abs(whole(top - chain().TopoB)), std::abs(whole(left - chain().EsqB)));
      Lado side = dA > dB ? Lado::B : Lado::A;
      if (QuantasTem(state_, kJog) > 1 && settings_.FecharSoNoNatural && VaiFecharNaoNatural(state_, t, side)) {
        screen_.messageBox(texts::closeOnlyNatural());
        side = side == Lado::A ? Lado::B : Lado::A;
      }
      Lancar(kJog, qual, side);
    }
  } else if (t == requerida) {
    Lancar(kJog, qual, Lado::First);
  } else {
    Lancar(kJog, qual, fitsA ? Lado::A : Lado::B);
  }
  if (Finaliza(kJog)) return;
  startComputers();
}

void Match::Pula(int quem) {
  mensagem(texts::passed(settings_.Nomes[quem], state_.Ingles), tempo::kPassMessageMs);
  screen_.computerPasses(quem);
}

void Match::mensagem(const std::string& text, int ms) { screen_.message(text, ms); }

void Match::Lancar(int quem, int qual, Lado lado) {
  state_.PrimeiraRodada = false;
  if (lado == Lado::A) ++state_.QtdLadoA;
  if (lado == Lado::B) ++state_.QtdLadoB;
  Hand& hand = state_.hand(quem);
  const TileCode t = hand[qual];
  hand[qual] = TileCode();
  if (quem != kJog) {
    screen_.pause(tempo::kComputerThinkMs);
    screen_.letEventsRun();
  }

  LaidTile laid;
  laid.seat = quem;
  laid.slot = qual;
  laid.lado = lado;
  if (lado == Lado::First) {
    laid.placement = chain_.first(t);
    state_.QtdMesa = 1;
    state_.Mesa[1] = t;
  } else {
    const int index = ++state_.QtdMesa;
    laid.placement = chain_.PoeNaMesa(index, t, lado, lado == Lado::A ? state_.PontaA : state_.PontaB);
    state_.Mesa[index] = laid.placement.shown;
  }
  laid.firstClick = random_.Chance(50);
  screen_.layTile(laid);

  state_.tileLaid();
  if (lado == Lado::First) {
    state_.PontaA = t.first();
    state_.PontaB = t.last();
  } else {
    state_.UltimaJogada = lastMoveRecord(state_.PontaA, state_.PontaB, t);
    int& end = lado == Lado::A ? state_.PontaA : state_.PontaB;
    end = t.first() == end ? t.last() : t.first();
  }
  closeUp(hand, qual);
  screen_.closeUpHand(quem, qual);
  if (observer_) observer_->played(quem, qual, t, lado, state_);
}

// --- the end of a hand and of a match ----------------------------------------

void Match::award(int seat, int points) {
  state_.Pontos[seat] += points;
  if (settings_.pairs()) state_.Pontos[partnerOf(seat)] += points;
}

// Whether seat `s` has gone out; if so the hand is scored and closed, and the
// next one dealt (after a new match when this one is over).
bool Match::Finaliza(int s) {
  if (tileCount(state_.hand(s)) > 0) return false;
  screen_.revealComputerHands();
  screen_.letEventsRun();

  int points = 0;
  std::string kind;
  if (settings_.TipoRegra == 2) {
    // Every pip left in the opponents' hands (in individual play, in all three others).
    const bool pairOf02 = s == kJog || s == kMac2;
    points = settings_.pairs() ? TotalPintas(state_, !pairOf02, pairOf02, !pairOf02, pairOf02)
                               : TotalPintas(state_, true, true, true, true);
  } else {
    points = CalculaPontos(state_.UltimaJogada);
    const TileCode last = TileCode::fromText(state_.UltimaJogada.substr(2, 2)).value_or(TileCode());
    kind = texts::goingOutKind(points, last);
  }
  screen_.messageBox(texts::wentOut(settings_.Nomes, s, settings_.pairs(), kind, points));
  award(s, points);
  ExibePlacar();
  screen_.clearTable();
  screen_.letEventsRun();
  state_.QuemInicia = s;
  if (observer_) observer_->wentOut(s, points, kind, state_);
  finishHand();
  return true;
}

// Whether the hand is blocked (four passes in a row); if so the lowest pip count
// wins it, the hand is closed and the next one dealt.
bool Match::VerificaFinal() {
  if (state_.Passes != 4) return false;
  state_.Passes = 0;
  screen_.revealComputerHands();
  screen_.letEventsRun();
  const std::array<int, 4> totals = pipTotals(state_);
  const std::array<bool, 4> marked = lowestTotals(totals);
  if (settings_.TipoJogo == 2) return VerificaFinal_Duplas(totals, marked);

  std::vector<int> scorers;
  int points = 0;
  const int markedCount = static_cast<int>(std::count(marked.begin(), marked.end(), true));
  if (markedCount == 1) {
    const int w = static_cast<int>(std::find(marked.begin(), marked.end(), true) - marked.begin());
    const bool pipRule = settings_.TipoRegra != 1;
    points = pipRule ? totals[0] + totals[1] + totals[2] + totals[3] - totals[w] : 1;
    state_.Pontos[w] += points;
    screen_.messageBox(texts::wonOnCount(settings_.Nomes[w], points, pipRule));
    state_.QuemInicia = w;
    ExibePlacar();
    scorers.push_back(w);
  } else {
    screen_.messageBox(texts::countTied());
    state_.QuemInicia = kHolderOfDoubleSix;
  }
  screen_.clearTable();
  screen_.letEventsRun();
  if (observer_) observer_->blocked(totals, scorers, points, state_);
  finishHand();
  return true;
}

bool Match::VerificaFinal_Duplas(const std::array<int, 4>& totals, const std::array<bool, 4>& marked) {
  std::vector<int> scorers;
  int points = 0;
  const int pairA = totals[kJog] + totals[kMac2];
  const int pairB = totals[kMac1] + totals[kMac3];
  if (pairA == pairB) {
    screen_.messageBox(texts::countTied());
    state_.QuemInicia = kHolderOfDoubleSix;
  } else {
    const int first = pairA < pairB ? kJog : kMac1;
    points = settings_.TipoRegra == 1 ? 1 : std::max(pairA, pairB);
    state_.Pontos[first] += points;
    state_.Pontos[first + 2] += points;
    screen_.messageBox(texts::pairWonOnCount(settings_.Nomes, first, points));
    // The lowest single total opens, whichever pair it sits in.
    for (int seat = kJog; seat <= kMac3; ++seat) {
      if (marked[seat]) state_.QuemInicia = seat;
    }
    ExibePlacar();
    scorers = {first, first + 2};
  }
  screen_.clearTable();
  screen_.letEventsRun();
  if (observer_) observer_->blocked(totals, scorers, points, state_);
  finishHand();
  return true;
}

void Match::finishHand() {
  if (EndGame()) InitGame(true);
  NovoJogo();
}

bool Match::EndGame() {
  int w = kJog;
  while (w <= kMac3 && state_.Pontos[w] < settings_.PontosLimit) ++w;
  if (w > kMac3) return false;

  MatchEndReport report;
  report.winner = w;
  report.winnerLine = texts::winnerLine(settings_.Nomes, w, state_.Pontos[w], settings_.pairs());
  // Seats by falling score, equal scores in seat order.
  const int top = *std::max_element(state_.Pontos.begin(), state_.Pontos.end());
  int place = 0;
  for (int score = top; score >= 0 && place < kSeatCount; --score) {
    for (int seat = kJog; seat <= kMac3 && place < kSeatCount; ++seat) {
      if (state_.Pontos[seat] != score) continue;
      report.standings[place] = seat;
      report.names[place] = settings_.Nomes[seat];
      report.scores[place] = texts::scoreText(score);
      ++place;
    }
  }
  if (observer_) observer_->matchEnded(w, report.standings, state_);
  screen_.matchEnd(report);
  return true;
}

}  // namespace tavolix
