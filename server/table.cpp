// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "table.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>

#include "settings/json_fields.h"
#include "settings/match_file.h"
#include "table_recorder.h"

namespace tavolix::server {

namespace {

QByteArray hashOf(const QByteArray& token) {
  return QCryptographicHash::hash(token, QCryptographicHash::Sha256);
}

// 128 bits from the system's cryptographic source.
QByteArray newToken() {
  QByteArray token(16, '\0');
  QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(token.data()), 4);
  return token;
}

const char* kindName(Table::Seat::Kind kind) {
  switch (kind) {
    case Table::Seat::Kind::Person:
      return "person";
    case Table::Seat::Kind::Computer:
      return "computer";
    case Table::Seat::Kind::Open:
      break;
  }
  return "open";
}

net::Error errorFor(Match::Refusal refusal) {
  switch (refusal) {
    case Match::Refusal::NoSuchTile:
      return net::Error::NoSuchTile;
    case Match::Refusal::WrongOpening:
      return net::Error::WrongOpening;
    case Match::Refusal::WrongEnd:
      return net::Error::WrongEnd;
    case Match::Refusal::OnlyNatural:
      return net::Error::OnlyNatural;
    case Match::Refusal::MustPlay:
      return net::Error::MustPlay;
    case Match::Refusal::NotItsTurn:
    case Match::Refusal::None:
      break;
  }
  return net::Error::NotYourTurn;
}

Table::Joined refused(net::Error error) {
  Table::Joined joined;
  joined.error = error;
  return joined;
}

}  // namespace

Table::Table(const QString& code, const net::ClientMessage& create, const Options& options, Log log)
    : code_(code),
      host_(-1),
      level_(create.level),
      turnSeconds_(create.turnSeconds),
      watchersAllowed_(create.watchers),
      options_(options),
      log_(std::move(log)),
      settings_(create.rules) {
  for (int seat = kJog; seat <= kMac3; ++seat) {
    if (create.computers[seat]) seats_[seat].kind = Seat::Kind::Computer;
  }
  turnTimer_.setSingleShot(true);
  connect(&turnTimer_, &QTimer::timeout, this, &Table::actForAway);
}

Table::~Table() = default;

int Table::seatOf(const Client* client) const {
  for (int seat = kJog; seat <= kMac3; ++seat) {
    if (client && seats_[seat].client == client) return seat;
  }
  return -1;
}

bool Table::empty() const {
  for (const Seat& seat : seats_) {
    if (seat.client) return false;
  }
  return watchers_.isEmpty();
}

std::vector<Client*> Table::clients() const {
  std::vector<Client*> all;
  for (const Seat& seat : seats_) {
    if (seat.client) all.push_back(seat.client);
  }
  all.insert(all.end(), watchers_.begin(), watchers_.end());
  return all;
}

void Table::log(const QString& line) const {
  if (log_) log_(QStringLiteral("table %1: %2").arg(code_, line));
}

Table::Joined Table::seatHost(Client* client, int wanted, const QString& name) {
  int seat = wanted;
  if (seat < 0) {
    for (seat = kJog; seat <= kMac3 && seats_[seat].kind != Seat::Kind::Open; ++seat) {
    }
  }
  if (!isSeat(seat) || seats_[seat].kind != Seat::Kind::Open) return refused(net::Error::TableFull);
  host_ = seat;
  net::ClientMessage join;
  join.seat = seat;
  join.name = name;
  return this->join(client, join);
}

Table::Joined Table::join(Client* client, const net::ClientMessage& m) {
  Joined joined;
  if (!m.token.isEmpty()) {
    // A seat taken back: the token's hash is the seat's.
    const QByteArray hash = hashOf(m.token);
    int seat = kJog;
    while (seat <= kMac3 && !(seats_[seat].kind == Seat::Kind::Person &&
                              !seats_[seat].tokenHash.isEmpty() && seats_[seat].tokenHash == hash))
      ++seat;
    if (seat > kMac3) return refused(net::Error::WrongToken);
    if (seats_[seat].client && seats_[seat].client != client) {
      seats_[seat].client->send(net::message(
          "closed", {{QStringLiteral("reason"), QStringLiteral("taken back elsewhere")}}));
    }
    seats_[seat].client = client;
    joined.seat = seat;
    log(QStringLiteral("seat %1 (%2) back from %3")
            .arg(seat)
            .arg(seats_[seat].name, client->peer()));
  } else if (m.watch) {
    if (!watchersAllowed_) return refused(net::Error::TableFull);
    watchers_.append(client);
    log(QStringLiteral("a watcher from %1").arg(client->peer()));
  } else {
    if (phase_ != Phase::Lobby) return refused(net::Error::AlreadyStarted);
    int seat = m.seat;
    if (seat < 0) {
      for (seat = kJog; seat <= kMac3 && seats_[seat].kind != Seat::Kind::Open; ++seat) {
      }
      if (seat > kMac3) return refused(net::Error::TableFull);
    } else if (seats_[seat].kind != Seat::Kind::Open) {
      return refused(net::Error::SeatTaken);
    }
    joined.token = newToken();
    Seat& s = seats_[seat];
    s.kind = Seat::Kind::Person;
    s.tokenHash = hashOf(joined.token);
    s.client = client;
    s.name = m.name.isEmpty() ? QStringLiteral("Jogador %1").arg(seat + 1) : m.name;
    joined.seat = seat;
    log(QStringLiteral("%1 takes seat %2 from %3").arg(s.name).arg(seat).arg(client->peer()));
  }
  QJsonObject fields{{QStringLiteral("code"), code_},
                     {QStringLiteral("host"), joined.seat == host_}};
  fields.insert(QStringLiteral("seat"),
                isSeat(joined.seat) ? QJsonValue(joined.seat) : QJsonValue());
  if (!joined.token.isEmpty())
    fields.insert(QStringLiteral("token"), QString::fromLatin1(joined.token.toHex()));
  client->send(net::message("joined", fields));
  sendTable();
  armTimer();
  sendViews();
  return joined;
}

void Table::leave(Client* client) {
  watchers_.removeAll(client);
  const int seat = seatOf(client);
  if (seat < 0) return;
  Seat& s = seats_[seat];
  s.client = nullptr;
  s.tokenHash.clear();
  if (phase_ == Phase::Lobby) {
    log(QStringLiteral("%1 leaves seat %2").arg(s.name).arg(seat));
    s.kind = Seat::Kind::Open;
    s.name.clear();
    // The host gone, the first player left at the table starts the match.
    if (seat == host_) {
      for (int other = kJog; other <= kMac3; ++other) {
        if (seats_[other].kind == Seat::Kind::Person) {
          host_ = other;
          break;
        }
      }
    }
  } else {
    // The match goes on: a computer player takes the seat for good.
    log(QStringLiteral("%1 leaves seat %2 to a computer player").arg(s.name).arg(seat));
    s.kind = Seat::Kind::Computer;
    if (match_) seatPlayers();
  }
  // Everyone left is told who sits where now.
  sendTable();
  settle();
}

void Table::disconnected(Client* client) {
  watchers_.removeAll(client);
  const int seat = seatOf(client);
  if (seat < 0) return;
  seats_[seat].client = nullptr;
  log(QStringLiteral("seat %1 (%2) is away").arg(seat).arg(seats_[seat].name));
  sendTable();
  armTimer();
  sendViews();
}

std::optional<net::Error> Table::start(Client* client) {
  const int seat = seatOf(client);
  if (seat < 0) return net::Error::NotSeated;
  if (seat != host_) return net::Error::NotHost;
  if (phase_ != Phase::Lobby) return net::Error::AlreadyStarted;
  for (Seat& s : seats_) {
    if (s.kind == Seat::Kind::Open) s.kind = Seat::Kind::Computer;
  }
  startMatch(std::nullopt);
  return std::nullopt;
}

std::optional<net::Error> Table::swap(Client* client, int seat, int other) {
  const int asking = seatOf(client);
  if (asking < 0) return net::Error::NotSeated;
  if (asking != host_) return net::Error::NotHost;
  if (phase_ != Phase::Lobby) return net::Error::AlreadyStarted;
  if (!isSeat(seat) || !isSeat(other) || seat == other) return net::Error::BadMessage;
  std::swap(seats_[seat], seats_[other]);
  if (host_ == seat || host_ == other) host_ = host_ == seat ? other : seat;
  log(QStringLiteral("seats %1 and %2 change places").arg(seat).arg(other));
  // Each player moved is told where he sits now; his token stays his.
  for (const int moved : {seat, other}) {
    if (Client* c = seats_[moved].client) {
      c->send(net::message("joined", {{QStringLiteral("code"), code_},
                                      {QStringLiteral("seat"), moved},
                                      {QStringLiteral("host"), moved == host_}}));
    }
  }
  sendTable();
  if (onChanged) onChanged(*this);
  return std::nullopt;
}

// Who plays each seat: the players at their computers answer through the
// table; the seats nobody took, or given up, are the computer's.
void Table::seatPlayers() {
  for (int seat = kJog; seat <= kMac3; ++seat) {
    SeatPlayer* player = &remote_;
    if (seats_[seat].kind != Seat::Kind::Person) player = &computerAtLevel();
    match_->setSeat(seat, *player);
  }
}

void Table::startMatch(std::optional<QJsonObject> kept) {
  phase_ = Phase::Playing;
  for (int seat = kJog; seat <= kMac3; ++seat) {
    const Seat& s = seats_[seat];
    settings_.Nomes[seat] = (s.kind == Seat::Kind::Computer && s.name.isEmpty()
                                 ? QStringLiteral("Computador %1").arg(seat + 1)
                                 : s.name)
                                .toStdString();
  }
  random_ = std::make_unique<RandomSource>(options_.seed);
  recorder_ = std::make_unique<Recorder>();
  match_ = std::make_unique<Match>(settings_, *recorder_, *random_);
  recorder_->watch(*match_);
  if (options_.tracing) {
    traceWriter_ = std::make_unique<TraceWriter>(trace_);
    recorder_->setTrace(traceWriter_.get());
  }
  referee_ = std::make_unique<Referee>(
      *match_,
      [this](const std::string& problem) {
        log(QStringLiteral("RULES BROKEN: %1").arg(QString::fromStdString(problem)));
      },
      recorder_.get());
  match_->setObserver(referee_.get());
  seatPlayers();
  if (kept) {
    const auto saved =
        matchFromJson(QJsonDocument(kept->value(QLatin1String("match")).toObject()).toJson());
    random_->skip(static_cast<std::uint64_t>(kept->value(QLatin1String("drawn")).toDouble()));
    trace_.str(kept->value(QLatin1String("trace")).toString().toStdString());
    trace_.seekp(0, std::ios::end);
    if (const auto* match = std::get_if<SavedMatch>(&saved)) {
      match_->restore(*match);
      referee_->pickUp(match_->state(), match_->asked());
    }
    recorder_->takeEvents();
  } else {
    log(QStringLiteral("the match begins"));
    match_->start();
  }
  // Everyone learns that the match has begun, and who took the free seats.
  sendTable();
  settle();
}

std::optional<net::Error> Table::take(Client* client, int position) {
  const int seat = seatOf(client);
  if (seat < 0) return net::Error::NotSeated;
  if (phase_ != Phase::Playing) return net::Error::NotStarted;
  if (match_->asked() != seat || match_->awaiting() != Match::Awaiting::PileTile)
    return net::Error::NotYourTurn;
  if (!match_->takePileTileFor(seat, position)) return net::Error::PileTaken;
  settle();
  return std::nullopt;
}

std::optional<net::Error> Table::play(Client* client, TileCode tile, Lado side) {
  const int seat = seatOf(client);
  if (seat < 0) return net::Error::NotSeated;
  if (phase_ != Phase::Playing) return net::Error::NotStarted;
  const Hand& hand = match_->state().hand(seat);
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (hand[slot] == tile || hand[slot] == tile.reversed())
      return answer(client, SeatAnswer::play(slot, side));
  }
  return match_->asked() == seat ? net::Error::NoSuchTile : net::Error::NotYourTurn;
}

std::optional<net::Error> Table::pass(Client* client) { return answer(client, SeatAnswer::pass()); }

std::optional<net::Error> Table::answer(Client* client, const SeatAnswer& answer) {
  const int seat = seatOf(client);
  if (seat < 0) return net::Error::NotSeated;
  if (phase_ != Phase::Playing) return net::Error::NotStarted;
  const Match::Refusal refusal = match_->answer(seat, answer);
  if (refusal != Match::Refusal::None) return errorFor(refusal);
  settle();
  return std::nullopt;
}

// A seat whose player is away, or gave it up, when its turn has waited long
// enough: the computer player chooses for it, as it would for its own seat.
void Table::actForAway() {
  if (!match_) return;
  const int seat = match_->asked();
  if (!isSeat(seat)) return;
  log(QStringLiteral("a computer player moves for seat %1").arg(seat));
  computerMoves(seat);
  settle();
}

// The computer player at the table's level takes the seat's pile tile or makes its move.
void Table::computerMoves(int seat) {
  if (match_->awaiting() == Match::Awaiting::PileTile) {
    match_->takePileTileFor(seat, drawFreePosition(match_->state(), *random_));
    return;
  }
  SeatPlayer& player = computerAtLevel();
  match_->answer(seat, player.think(match_->state(), match_->settings(), seat, match_->handEvents(),
                                    random_->bits()));
}

void Table::armTimer() {
  const int seat = match_ && phase_ == Phase::Playing ? match_->asked() : -1;
  const bool away = isSeat(seat) && seats_[seat].kind == Seat::Kind::Person && !seats_[seat].client;
  if (!away || turnSeconds_ == 0) {
    turnTimer_.stop();
    timedSeat_ = -1;
    return;
  }
  // A timer already running for this seat's turn runs on.
  if (turnTimer_.isActive() && timedSeat_ == seat) return;
  timedSeat_ = seat;
  turnTimer_.start(turnSeconds_ * 1000);
}

void Table::settle() {
  // A seat given up to a computer player that is asked is answered at once.
  for (int guard = 0; guard < 1000 && match_ && isSeat(match_->asked()) &&
                      seats_[match_->asked()].kind != Seat::Kind::Person;
       ++guard) {
    computerMoves(match_->asked());
  }
  // Kept before anyone is told: a move a player has seen is never lost.
  const bool ended = recorder_ && recorder_->matchOver() && phase_ != Phase::Over;
  if (ended) {
    phase_ = Phase::Over;
    turnTimer_.stop();
  }
  if (onChanged) onChanged(*this);
  if (ended && options_.tracing && onTraceDone) onTraceDone(trace_.str());
  std::vector<net::TableEvent> events;
  if (recorder_) events = recorder_->takeEvents();
  for (const net::TableEvent& event : events) {
    // Written once, unless what it says differs from seat to seat.
    const QByteArray same = net::sameForEverySeat(event)
                                ? net::message("event", eventFor(event, net::kWatcher))
                                : QByteArray();
    for (int seat = kJog; seat <= kMac3; ++seat) {
      if (seats_[seat].client)
        seats_[seat].client->send(same.isEmpty() ? net::message("event", eventFor(event, seat))
                                                 : same);
    }
    for (Client* watcher : watchers_) {
      watcher->send(same.isEmpty() ? net::message("event", eventFor(event, net::kWatcher)) : same);
    }
    if (event.kind == net::TableEvent::Kind::HandEnded)
      log(QStringLiteral("hand ended, scores %1 %2 %3 %4")
              .arg(event.scores[0])
              .arg(event.scores[1])
              .arg(event.scores[2])
              .arg(event.scores[3]));
  }
  if (ended) {
    log(QStringLiteral("the match is over"));
    sendTable();
  }
  armTimer();
  sendViews();
}

void Table::sendTable() {
  const QByteArray info = net::message("table", tableInfo());
  for (const Seat& seat : seats_) {
    if (seat.client) seat.client->send(info);
  }
  for (Client* watcher : watchers_) watcher->send(info);
}

void Table::sendViews() {
  if (!match_) return;
  net::Moment moment;
  moment.chain = recorder_->chain();
  moment.dealing = match_->awaiting() == Match::Awaiting::PileTile;
  moment.asked = phase_ == Phase::Playing ? match_->asked() : -1;
  moment.handNumber = static_cast<int>(match_->handsPlayed().size()) + 1;
  moment.doubleSixOpens = match_->state().PrimeiraRodada || match_->settings().TipoInicio == 2;
  if (turnTimer_.isActive()) moment.secondsLeft = (turnTimer_.remainingTime() + 999) / 1000;
  const QJsonObject common = net::publicView(match_->state(), moment);
  for (int seat = kJog; seat <= kMac3; ++seat) {
    if (seats_[seat].client)
      seats_[seat].client->send(net::message("view", net::seatView(common, match_->state(), seat)));
  }
  if (!watchers_.isEmpty()) {
    const QByteArray watched = net::message("view", common);
    for (Client* watcher : watchers_) watcher->send(watched);
  }
}

QJsonObject Table::tableInfo() const {
  static const char* kPhases[] = {"lobby", "playing", "over"};
  QJsonArray seats;
  for (const Seat& s : seats_) {
    seats.append(QJsonObject{{QStringLiteral("name"), s.name},
                             {QStringLiteral("kind"), QLatin1String(kindName(s.kind))},
                             {QStringLiteral("connected"), s.client != nullptr}});
  }
  return QJsonObject{
      {QStringLiteral("code"), code_},
      {QStringLiteral("phase"), QLatin1String(kPhases[static_cast<int>(phase_)])},
      {QStringLiteral("rules"), rulesObject(settings_)},
      {QStringLiteral("seats"), seats},
      {QStringLiteral("host"), host_},
      {QStringLiteral("level"), net::levelName(level_)},
      {QStringLiteral("turnSeconds"), turnSeconds_},
      {QStringLiteral("watchers"), watchersAllowed_},
  };
}

SeatPlayer& Table::computerAtLevel() {
  switch (level_) {
    case ComputerLevel::Strong:
      return strongSeat_;
    case ComputerLevel::Master:
      return masterSeat_;
    case ComputerLevel::Normal:
      break;
  }
  return computer_;
}

}  // namespace tavolix::server
