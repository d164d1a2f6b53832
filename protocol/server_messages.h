// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <optional>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include "game/game_state.h"
#include "game/scoring.h"
#include "game/settings.h"
#include "protocol.h"
#include "views.h"

namespace tavolix::net {

// The server's messages as a player's game reads them, each field checked:
// a server is no more trusted than a client, and a message that is not what
// the protocol says is refused whole. Seats are the server's, 0 to 3.

struct Joined {
  QString code;
  int seat = kWatcher;
  bool host = false;
  QByteArray token;  // a new seat's; none for a watcher or a seat taken back with its token
};

struct TableInfo {
  enum class Phase { Lobby, Playing, Over };
  struct Seat {
    enum class Kind { Open, Person, Computer };
    QString name;
    Kind kind = Kind::Open;
    bool connected = false;
  };
  QString code;
  Phase phase = Phase::Lobby;
  Settings rules;
  std::array<Seat, 4> seats;
  int host = 0;
  ComputerLevel level = ComputerLevel::Normal;
  int turnSeconds = kDefaultTurnSeconds;
};

// A tile of the chain as the server laid it out.
struct ChainTile {
  int seat = 0;
  TileCode tile;  // as it lies
  Lado end = Lado::First;
  double left = 0;
  double top = 0;
  bool vertical = false;
};

struct SeatView {
  enum class Asked { Nothing, PileTile, Move };
  int seat = kWatcher;
  std::vector<TileCode> hand;
  std::array<int, 4> counts{};
  std::vector<ChainTile> chain;
  std::optional<std::array<int, 2>> ends;
  std::array<std::vector<int>, 4> passes;
  std::array<int, 4> scores{};
  int opener = -1;
  bool mustOpenWithDoubleSix = false;
  bool dealing = false;
  std::vector<int> pileTaken;
  int turn = -1;
  Asked asked = Asked::Nothing;
  int secondsLeft = -1;
  int handNumber = 0;
};

struct ServerEvent {
  enum class Kind { Deal, Took, Played, Passed, Redeal, HandEnded, MatchEnded };
  Kind kind = Kind::Deal;
  int seat = -1;
  int position = 0;                            // Took
  TileCode tile;                               // Took (the taker's own), Played (as it lies)
  ChainTile laid;                              // Played
  int doubles = 0;                             // Redeal
  std::vector<TileCode> hand;                  // Redeal: the seat's
  HandResult result;                           // HandEnded (its winner is `seat`)
  std::array<std::vector<TileCode>, 4> hands;  // HandEnded
  std::array<int, 4> scores{};                 // HandEnded, MatchEnded
  std::array<int, 4> standings{};              // MatchEnded
};

struct ServerError {
  std::optional<Error> error;  // none: a code this game does not know
  QString code;
  QString text;
};

struct Closed {
  QString reason;
};

// The table is held by another server: ask there (ws:// or wss://).
struct Redirect {
  QUrl url;
};

using ServerMessage =
    std::variant<Joined, TableInfo, SeatView, ServerEvent, ServerError, Closed, Redirect>;

// The message, or nullopt with what is wrong with it in `problem`.
std::optional<ServerMessage> readServerMessage(const QByteArray& text, QString& problem);
std::optional<Error> errorFromCode(const QString& code);

}  // namespace tavolix::net
