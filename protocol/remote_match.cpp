// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "remote_match.h"

#include <algorithm>

#include "game/tempo.h"
#include "game/texts.h"

namespace tavolix::net {

namespace {

// What another seat holds, until its hand is turned up: a tile to count and
// to draw face down, never one it really holds.
constexpr TileCode kUnseen(0, 0);

std::uint32_t tilesIn(const std::vector<TileCode>& tiles) {
  std::uint32_t set = 0;
  for (const TileCode t : tiles) set |= tileBit(t);
  return set;
}

std::uint32_t tilesIn(const Hand& hand) {
  std::uint32_t set = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) set |= tileBit(hand[slot]);
  return set;
}

}  // namespace

RemoteMatch::RemoteMatch(Presentation& screen, Send send, QObject* parent)
    : QObject(parent), screen_(screen), send_(std::move(send)) {
  clock_.setInterval(1000);
  connect(&clock_, &QTimer::timeout, this, &RemoteMatch::tick);
}

Text RemoteMatch::shown(const QString& text) { return Text::value(text.toStdString()); }

int RemoteMatch::localSeat(int serverSeat) const {
  if (!isSeat(serverSeat)) return serverSeat;
  const int me = isSeat(joined_.seat) ? joined_.seat : 0;
  return (serverSeat - me + kSeatCount) % kSeatCount;
}

int RemoteMatch::serverSeatOf(int localSeat) const {
  if (!isSeat(localSeat)) return localSeat;
  const int me = isSeat(joined_.seat) ? joined_.seat : 0;
  return (localSeat + me) % kSeatCount;
}

// --- messages, one at a time -------------------------------------------------

void RemoteMatch::receive(const QByteArray& text) {
  inbox_.push_back(text);
  if (busy_) return;
  busy_ = true;
  try {
    while (!inbox_.empty()) {
      const QByteArray next = std::move(inbox_.front());
      inbox_.pop_front();
      QString problem;
      const std::optional<ServerMessage> message = readServerMessage(next, problem);
      if (!message) {
        inbox_.clear();
        awaiting_ = Awaiting::Nothing;
        Q_EMIT broken(problem);
        break;
      }
      handle(*message);
    }
  } catch (const MatchInterrupted&) {
    // The window is closing: nothing more is shown.
    inbox_.clear();
    awaiting_ = Awaiting::Finished;
  }
  busy_ = false;
}

void RemoteMatch::handle(const ServerMessage& message) {
  std::visit(
      [this](const auto& m) {
        using M = std::decay_t<decltype(m)>;
        if constexpr (std::is_same_v<M, Joined>) {
          onJoined(m);
        } else if constexpr (std::is_same_v<M, TableInfo>) {
          onTable(m);
        } else if constexpr (std::is_same_v<M, SeatView>) {
          onView(m);
        } else if constexpr (std::is_same_v<M, ServerEvent>) {
          onEvent(m);
        } else if constexpr (std::is_same_v<M, ServerError>) {
          onError(m);
        } else if constexpr (std::is_same_v<M, Redirect>) {
          Q_EMIT redirected(m.url);
        } else {
          awaiting_ = Awaiting::Nothing;
          Q_EMIT closedElsewhere();
        }
      },
      message);
}

void RemoteMatch::onJoined(const Joined& joined) {
  // A seat taken back is told without its token: the one presented took it.
  const bool again = seated_;
  if (!joined.token.isEmpty()) token_ = joined.token;
  if (!isSeat(joined.seat) || token_.isEmpty()) {
    Q_EMIT broken(QStringLiteral("a seat without its token"));
    return;
  }
  seated_ = true;
  joined_ = joined;
  // Back at the table: the next view draws it as it stands.
  viewed_ = false;
  if (!again) Q_EMIT seatTaken();
}

void RemoteMatch::onTable(const TableInfo& table) {
  table_ = table;
  hasTable_ = true;
  names();
  if (table.phase == TableInfo::Phase::Lobby) {
    screen_.showSeats(rules_.Nomes);
    showSeats();
    const QString shownCode = code().left(4) + QLatin1Char('-') + code().mid(4);
    QString text =
        isHost()
            ? tr("Mesa %1 em %2: passe o endereço e o código aos outros jogadores e "
                 "clique em 'Começar' quando todos tiverem chegado.")
                  .arg(shownCode, invitation_)
            : tr("Mesa %1: esperando %2 começar a partida.").arg(shownCode, seatName(table.host));
    if (choosesPartners())
      text += QLatin1Char(' ') + tr("Clique no nome de um jogador para tê-lo como parceiro.");
    say(text, 0);
  } else {
    showSeats();
  }
  Q_EMIT tableChanged();
}

void RemoteMatch::names() {
  Settings rules = table_.rules;
  for (int s = kJog; s <= kMac3; ++s) rules.Nomes[localSeat(s)] = seatName(s).toStdString();
  rules_ = rules;
}

QString RemoteMatch::seatName(int serverSeat) const {
  if (!isSeat(serverSeat)) return {};
  const TableInfo::Seat& s = table_.seats[serverSeat];
  switch (s.kind) {
    case TableInfo::Seat::Kind::Person:
      return s.name;
    case TableInfo::Seat::Kind::Computer:
      return s.name.isEmpty() ? tr("Computador %1").arg(serverSeat + 1) : s.name;
    case TableInfo::Seat::Kind::Open:
      break;
  }
  return tr("(lugar livre)");
}

// Each seat's name with how it is: away, and for how long it is still waited for.
void RemoteMatch::showSeats() {
  std::array<std::string, 4> shownNames = rules_.Nomes;
  for (int s = kJog; s <= kMac3; ++s) {
    const TableInfo::Seat& seat = table_.seats[s];
    const int l = localSeat(s);
    QString name = QString::fromStdString(rules_.Nomes[l]);
    if (inLobby() && s == table_.host) name = tr("%1 (anfitrião)").arg(name);
    if (seat.kind == TableInfo::Seat::Kind::Person && !seat.connected) {
      name = l == turn_ && secondsLeft_ >= 0 ? tr("%1 (ausente, %2 s)").arg(name).arg(secondsLeft_)
                                             : tr("%1 (ausente)").arg(name);
    }
    shownNames[l] = name.toStdString();
  }
  screen_.showSeats(shownNames);
}

void RemoteMatch::tick() {
  if (secondsLeft_ <= 0) {
    clock_.stop();
    return;
  }
  --secondsLeft_;
  if (!busy_) showSeats();
}

void RemoteMatch::say(const QString& text, int ms) { screen_.message(shown(text), ms); }

// --- the view: the table as it stands --------------------------------------------

void RemoteMatch::onView(const SeatView& view) {
  // Views come once the match has begun.
  if (hasTable_ && table_.phase == TableInfo::Phase::Lobby) {
    table_.phase = TableInfo::Phase::Playing;
    Q_EMIT tableChanged();
  }
  // Over, the table stays as the match left it.
  if (over_) return;
  if (!viewed_ || !agrees(view)) redraw(view);
  viewed_ = true;
  state_.PrimeiraRodada = view.mustOpenWithDoubleSix;
  if (view.opener >= 0) state_.QuemInicia = localSeat(view.opener);
  if (dealing_ && !view.dealing) screen_.removePile();
  dealing_ = view.dealing;
  secondsLeft_ = view.secondsLeft;
  turn_ = localSeat(view.turn);
  secondsLeft_ > 0 ? clock_.start() : clock_.stop();
  showSeats();
  ask(view);
}

bool RemoteMatch::agrees(const SeatView& view) const {
  for (int s = kJog; s <= kMac3; ++s) {
    const int l = localSeat(s);
    if (tileCount(state_.hand(l)) != view.counts[s] || state_.Pontos[l] != view.scores[s])
      return false;
  }
  if (isSeat(view.seat) && tilesIn(state_.PedrasJog) != tilesIn(view.hand)) return false;
  if (state_.QtdMesa != static_cast<int>(view.chain.size())) return false;
  for (int k = 1; k <= state_.QtdMesa; ++k) {
    if (tileBit(state_.Mesa[k]) != tileBit(view.chain[k - 1].tile)) return false;
  }
  if (view.ends && (state_.PontaA != (*view.ends)[0] || state_.PontaB != (*view.ends)[1]))
    return false;
  if (view.dealing) {
    for (int p = 1; p <= kTileCount; ++p) {
      const bool taken =
          std::find(view.pileTaken.begin(), view.pileTaken.end(), p) != view.pileTaken.end();
      if (taken != state_.pileTaken(p)) return false;
    }
  }
  return dealing_ == view.dealing || !view.dealing;
}

void RemoteMatch::redraw(const SeatView& view) {
  // The player's own tiles keep the order and the way round he gave them.
  const Hand mine = state_.PedrasJog;
  state_ = GameState();
  for (int s = kJog; s <= kMac3; ++s) state_.Pontos[localSeat(s)] = view.scores[s];
  state_.QuemInicia = view.opener >= 0 ? localSeat(view.opener) : kHolderOfDoubleSix;
  state_.PrimeiraRodada = view.mustOpenWithDoubleSix;
  int slot = 0;
  const std::uint32_t held = tilesIn(view.hand);
  for (int k = 1; k <= kHandSlots; ++k) {
    if (!mine[k].empty() && (held & tileBit(mine[k])) != 0) state_.PedrasJog[++slot] = mine[k];
  }
  for (const TileCode t : view.hand) {
    if ((tilesIn(state_.PedrasJog) & tileBit(t)) == 0 && slot < kHandSlots)
      state_.PedrasJog[++slot] = t;
  }
  for (int s = kJog; s <= kMac3; ++s) {
    const int l = localSeat(s);
    if (l == kJog && isSeat(view.seat)) continue;
    for (int k = 1; k <= view.counts[s]; ++k) state_.hand(l)[k] = kUnseen;
  }
  if (view.dealing) {
    for (const int p : view.pileTaken) state_.takePile(p);
    state_.QtdEscolhidas = slot;
  }
  chain_.reset();
  std::vector<LaidTile> laid;
  for (const ChainTile& c : view.chain) {
    LaidTile tile;
    tile.seat = localSeat(c.seat);
    tile.side = c.end;
    if (c.end != Lado::First) tile.joined = c.end == Lado::A ? state_.PontaA : state_.PontaB;
    tile.placement = layOnTable(state_, chain_, c.tile, c.end);
    laid.push_back(tile);
  }
  for (int s = kJog; s <= kMac3; ++s) {
    for (const int pip : view.passes[s])
      state_.NaoTem[localSeat(s)] += static_cast<char>('0' + pip);
  }
  state_.recount();
  dealing_ = view.dealing;

  screen_.showTurn(-1);
  screen_.showPassCommand(false);
  passShown_ = false;
  pendingSlot_ = 0;
  screen_.clearTable();
  screen_.newHand();
  if (view.dealing) screen_.showPile();
  if (!laid.empty()) screen_.showChain(laid);
  screen_.showHands();
  showScores();
}

void RemoteMatch::ask(const SeatView& view) {
  const bool mine = isSeat(view.seat) && view.turn == view.seat;
  screen_.showTurn(isSeat(view.turn) ? localSeat(view.turn) : -1);
  if (mine && view.asked == SeatView::Asked::PileTile) {
    awaiting_ = Awaiting::PileTile;
    screen_.prompt(texts::takeTileNumber(tileCount(state_.PedrasJog) + 1));
    screen_.enablePile(true);
    return;
  }
  screen_.enablePile(false);
  if (!view.dealing) screen_.prompt({});
  if (!mine || view.asked != SeatView::Asked::Move) {
    awaiting_ = Awaiting::Nothing;
    screen_.enableHand(false);
    return;
  }
  awaiting_ = Awaiting::Move;
  state_.JogBloqueado = false;
  screen_.enableHand(true);
  if (state_.QtdMesa == 0 && !state_.PrimeiraRodada) screen_.message(texts::yourLead(), 0);
  bool fits = state_.QtdMesa == 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    const TileCode t = state_.PedrasJog[slot];
    fits = fits || t.holds(state_.PontaA) || t.holds(state_.PontaB);
  }
  if (!fits) {
    passShown_ = true;
    screen_.showPassCommand(true);
    screen_.message(texts::clickPass(), 0);
  }
}

void RemoteMatch::showScores() {
  std::array<Text, 4> scores;
  for (int seat = kJog; seat <= kMac3; ++seat) scores[seat] = texts::scoreText(state_.Pontos[seat]);
  screen_.showScores(scores, rules_.pairs()
                                 ? texts::pairScores(state_.Pontos[kJog], state_.Pontos[kMac1])
                                 : Text());
}

// --- events: the table's moves, shown with the game's tempo ------------------------

void RemoteMatch::onEvent(const ServerEvent& event) {
  // Events come after a view; one that comes first (a table joined in the
  // middle of a hand) is already in the next view.
  if (!viewed_ && event.kind != ServerEvent::Kind::Deal) return;
  awaiting_ = Awaiting::Nothing;
  switch (event.kind) {
    case ServerEvent::Kind::Deal:
      return deal();
    case ServerEvent::Kind::Took:
      return took(event);
    case ServerEvent::Kind::Played:
      return played(event);
    case ServerEvent::Kind::Passed:
      return passed(localSeat(event.seat));
    case ServerEvent::Kind::Redeal:
      return redealt(event);
    case ServerEvent::Kind::HandEnded:
      return handEnded(event);
    case ServerEvent::Kind::MatchEnded:
      return matchEnded(event);
  }
}

void RemoteMatch::deal() {
  viewed_ = true;
  turn_ = -1;
  screen_.showTurn(-1);
  screen_.showPassCommand(false);
  passShown_ = false;
  screen_.hideMessage();
  screen_.clearTable();
  if (handsPlayed_.empty() && state_.QtdMesa == 0) screen_.showSeats(rules_.Nomes);
  state_.startHand();
  state_.startDeal();
  chain_.reset();
  handEvents_.clear();
  dealing_ = true;
  showSeats();
  showScores();
  screen_.newHand();
  screen_.layOutPile();
}

void RemoteMatch::took(const ServerEvent& event) {
  const int seat = localSeat(event.seat);
  if (!isSeat(seat) || state_.pileTaken(event.position)) return;
  Hand& hand = state_.hand(seat);
  const int slot = tileCount(hand) + 1;
  if (slot > kHandSlots) return;
  hand[slot] = seat == kJog && !event.tile.empty() ? event.tile : kUnseen;
  state_.heldTiles[seat] |= tileBit(hand[slot]);
  state_.takePile(event.position);
  if (seat == kJog) state_.QtdEscolhidas = slot;
  screen_.takeFromPile(seat, slot, event.position);
}

void RemoteMatch::played(const ServerEvent& event) {
  const int seat = localSeat(event.seat);
  if (!isSeat(seat)) return;
  Hand& hand = state_.hand(seat);
  int slot = 0;
  if (seat == kJog && isSeat(joined_.seat)) {
    // The tile sent, else wherever the player keeps it.
    if (pendingSlot_ > 0 && tileBit(hand[pendingSlot_]) == tileBit(event.tile)) slot = pendingSlot_;
    for (int k = 1; k <= kHandSlots && slot == 0; ++k) {
      if (tileBit(hand[k]) == tileBit(event.tile)) slot = k;
    }
  } else {
    for (int k = 1; k <= kHandSlots && slot == 0; ++k) {
      if (!hand[k].empty()) slot = k;
    }
  }
  pendingSlot_ = 0;
  if (slot == 0) return;  // the next view draws the table again
  if (seat == kJog) {
    screen_.showPassCommand(false);
    passShown_ = false;
    screen_.hideMessage();
  } else {
    screen_.showThinking(true);
    screen_.pause(tempo::kComputerThinkMs);
    screen_.showThinking(false);
    screen_.letEventsRun();
  }
  state_.heldTiles[seat] &= ~tileBit(hand[slot]);
  hand[slot] = TileCode();
  LaidTile laid;
  laid.seat = seat;
  laid.slot = slot;
  laid.side = event.laid.end;
  if (laid.side != Lado::First) laid.joined = laid.side == Lado::A ? state_.PontaA : state_.PontaB;
  // The first tile lies as the server laid it: its halves are the ends A and B.
  laid.placement = layOnTable(state_, chain_, event.tile, laid.side);
  handEvents_.push_back(HandEvent::play(seat, event.tile, laid.side));
  laid.firstClick = state_.QtdMesa % 2 == 1;
  screen_.layTile(laid);
  closeUp(hand, slot);
  screen_.closeUpHand(seat, slot);
}

void RemoteMatch::passed(int seat) {
  if (!isSeat(seat)) return;
  screen_.message(texts::passed(rules_.Nomes[seat]), tempo::kPassMessageMs);
  if (seat != kJog) screen_.computerPasses(seat);
  state_.pass(seat);
  handEvents_.push_back(HandEvent::pass(seat));
}

void RemoteMatch::redealt(const ServerEvent& event) {
  const int seat = localSeat(event.seat);
  if (!isSeat(seat)) return;
  screen_.messageBox(texts::redeal(rules_.Nomes[seat], event.doubles));
  screen_.showTurn(-1);
  screen_.clearTable();
  state_.redeal();
}

void RemoteMatch::handEnded(const ServerEvent& event) {
  screen_.showTurn(-1);
  turn_ = -1;
  screen_.showPassCommand(false);
  passShown_ = false;
  // Every hand turned up, as the server tells them.
  for (int s = kJog; s <= kMac3; ++s) {
    Hand& hand = state_.hand(localSeat(s));
    hand.fill(TileCode());
    int slot = 0;
    for (const TileCode t : event.hands[s]) {
      if (slot < kHandSlots) hand[++slot] = t;
    }
  }
  if (isSeat(joined_.seat)) screen_.showHands();
  screen_.revealComputerHands();
  screen_.letEventsRun();
  HandResult result = event.result;
  result.winner = localSeat(result.winner);
  for (int& seat : result.scorers) seat = localSeat(seat);
  if (isSeat(result.nextOpener)) result.nextOpener = localSeat(result.nextOpener);
  std::array<int, 4> totals{};
  for (int s = kJog; s <= kMac3; ++s) totals[localSeat(s)] = result.totals[s];
  result.totals = totals;
  handsPlayed_.push_back(result);
  screen_.messageBox(texts::handEnded(result, rules_));
  for (int s = kJog; s <= kMac3; ++s) state_.Pontos[localSeat(s)] = event.scores[s];
  showScores();
  screen_.clearTable();
  state_.startHand();
  state_.startDeal();
  chain_.reset();
  screen_.letEventsRun();
}

void RemoteMatch::matchEnded(const ServerEvent& event) {
  for (int s = kJog; s <= kMac3; ++s) state_.Pontos[localSeat(s)] = event.scores[s];
  const int winner = localSeat(event.seat);
  MatchEndReport report;
  report.winner = winner;
  report.winnerLine =
      texts::winnerLine(rules_.Nomes, winner, state_.Pontos[winner], rules_.pairs());
  for (int place = 0; place < kSeatCount; ++place) {
    const int seat = localSeat(event.standings[place]);
    report.standings[place] = seat;
    report.names[place] = rules_.Nomes[seat];
    report.scores[place] = texts::scoreText(state_.Pontos[seat]);
  }
  over_ = true;
  awaiting_ = Awaiting::Nothing;
  const bool won =
      isSeat(joined_.seat) && (winner == kJog || (rules_.pairs() && winner == partnerOf(kJog)));
  Q_EMIT matchOver(won);
  screen_.matchEnd(report);
}

}  // namespace tavolix::net
