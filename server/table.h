// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include "game/computer_player.h"
#include "game/master_player.h"
#include "game/match.h"
#include "game/referee.h"
#include "game/strong_player.h"
#include "game/trace_writer.h"
#include "protocol/protocol.h"
#include "protocol/views.h"

namespace tavolix::server {

// Whoever a table sends its messages to: a player's connection.
class Client {
 public:
  virtual ~Client() = default;
  virtual void send(const QByteArray& message) = 0;
  virtual QString peer() const = 0;
};

// One table: its seats and who sits at them, the match played there by the
// game's own flow, and what each seat is told. Only the table reads the
// hands; each client is sent its own seat's view and the events as its seat
// sees them (protocol/views.h).
class Table : public QObject {
  Q_OBJECT

 public:
  enum class Phase { Lobby, Playing, Over };
  struct Seat {
    enum class Kind { Open, Person, Computer };
    Kind kind = Kind::Open;
    QString name;
    QByteArray tokenHash;  // SHA-256 of the seat's token; the token itself is never kept
    Client* client = nullptr;
  };
  struct Options {
    std::uint64_t seed = 0;  // the table's generator: its shuffles and its computer players
    bool tracing = false;    // keeps the trace of the match in progress
  };
  using Log = std::function<void(const QString& line)>;

  // A new table, `host` seated at the seat it asked for (or the first that is no computer's).
  Table(const QString& code, const net::ClientMessage& create, const Options& options, Log log);
  // A table kept in a file, or nullopt with the reason in `problem`.
  static std::unique_ptr<Table> fromJson(const QJsonObject& kept, const Options& options, Log log,
                                         QString& problem);
  ~Table() override;

  const QString& code() const { return code_; }
  Phase phase() const { return phase_; }
  // Everything needed to bring the table back after a restart.
  QJsonObject toJson() const;

  // The seat's token when one is handed out (the host's, a new seat's).
  struct Joined {
    std::optional<net::Error> error;
    int seat = net::kWatcher;
    QByteArray token;
  };
  Joined seatHost(Client* client, int wanted, const QString& name);
  Joined join(Client* client, const net::ClientMessage& join);
  void leave(Client* client);
  // The client's connection is gone; its seat waits for it (the turn timer runs).
  void disconnected(Client* client);
  bool empty() const;
  // Everyone the table sends to: the seated and the watchers.
  std::vector<Client*> clients() const;

  std::optional<net::Error> start(Client* client);
  // Before the start, the host changes the places of two seats (in pairs, who
  // partners whom): whoever sits at each, person, computer or nobody, moves
  // with his token, and is told his new seat.
  std::optional<net::Error> swap(Client* client, int seat, int other);
  std::optional<net::Error> take(Client* client, int position);
  std::optional<net::Error> play(Client* client, TileCode tile, Lado side);
  std::optional<net::Error> pass(Client* client);

  // Told when the table must be kept again (after every change), and when a
  // match's trace is whole.
  std::function<void(Table&)> onChanged;
  std::function<void(const std::string& trace)> onTraceDone;

 private:
  class Recorder;

  int seatOf(const Client* client) const;
  void startMatch(std::optional<QJsonObject> kept);
  void seatPlayers();
  // After every change: the events and views sent, the table kept, the timer set.
  void settle();
  void sendTable();
  void sendViews();
  void armTimer();
  void actForAway();
  void computerMoves(int seat);
  QJsonObject tableInfo() const;
  std::optional<net::Error> answer(Client* client, const SeatAnswer& answer);
  void log(const QString& line) const;

  QString code_;
  Phase phase_ = Phase::Lobby;
  std::array<Seat, 4> seats_;
  QList<Client*> watchers_;
  int host_ = 0;
  ComputerLevel level_ = ComputerLevel::Normal;
  int turnSeconds_ = net::kDefaultTurnSeconds;
  bool watchersAllowed_ = false;
  Options options_;
  Log log_;

  Settings settings_;
  std::unique_ptr<RandomSource> random_;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<Match> match_;
  std::unique_ptr<Referee> referee_;
  std::ostringstream trace_;
  std::unique_ptr<TraceWriter> traceWriter_;
  RemotePlayer remote_;
  // The computer seats' player, at the table's level.
  SeatPlayer& computerAtLevel();
  ComputerSeat computer_;
  StrongSeat strongSeat_;
  MasterSeat masterSeat_;

  QTimer turnTimer_;
  int timedSeat_ = -1;
};

}  // namespace tavolix::server
