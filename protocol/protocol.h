// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <optional>
#include <variant>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "game/game_state.h"
#include "game/settings.h"

namespace tavolix::net {

// The messages between a table server and the players' games: JSON text over
// WebSocket, each an object with its "type" and the protocol's version "v".
// Every message is read and written here, by the server and by the window
// alike; docs/protocol.md describes them.
inline constexpr int kProtocolVersion = 1;
// Larger messages are refused unread.
inline constexpr qsizetype kMaxMessageBytes = 8 * 1024;
// A table's code: eight characters from an alphabet without look-alikes (no
// 0/O, 1/I/L, 5/S, 2/Z, 8/B).
inline constexpr int kCodeLength = 8;
inline constexpr char kCodeAlphabet[] = "ACDEFGHJKMNPQRTUVWXY34679";
// A seat's name is cut to this many characters.
inline constexpr int kMaxNameLength = 24;
// The turn timer: a player away from his seat is waited for this long (0 waits for good).
inline constexpr int kDefaultTurnSeconds = 60;
inline constexpr int kMaxTurnSeconds = 3600;

// Why the server refused a message; each has a code for programs and a text for people.
enum class Error {
  BadMessage,      // not JSON, not an object, or a field missing or wrong
  TooLarge,        // over kMaxMessageBytes
  WrongVersion,    // another version of the protocol
  UnknownType,     // a type the server does not know
  RateLimited,     // too many messages
  TooManyTables,   // the server holds all the tables it may
  NoSuchTable,     // no table has that code
  TooManyTries,    // too many wrong codes or tokens from this address
  WrongToken,      // not the token of any seat at that table
  SeatTaken,       // the seat asked for is someone else's
  TableFull,       // no seat left, and no watching
  NotSeated,       // join a table first
  NotHost,         // only the host may do that
  AlreadyStarted,  // the match has begun
  NotStarted,      // the match has not begun, or is over
  NotYourTurn,
  NoSuchTile,    // the seat does not hold that tile
  WrongOpening,  // the hand must be opened with 6:6
  WrongEnd,      // the tile does not join that end
  OnlyNatural,   // there it would close the game other than "no natural"
  MustPlay,      // a pass while a tile fits
  PileTaken,     // that pile tile is taken, or is no pile tile
};
QString errorCode(Error error);
QString errorText(Error error);

// A message from a player's game, read and checked field by field.
struct ClientMessage {
  enum class Type { Create, Join, Start, Take, Play, Pass, Leave, Swap };
  Type type = Type::Leave;

  // create: the rules, which seats computer players take and at what level,
  // the turn timer and whether others may watch. The creator is the host.
  Settings rules;
  std::array<bool, 4> computers{};
  ComputerLevel level = ComputerLevel::Normal;
  int turnSeconds = kDefaultTurnSeconds;
  bool watchers = false;
  // create and join: the player's name and the seat he wants (-1: any free one).
  QString name;
  int seat = -1;
  // join: the table's code; a seat's token to take it back; or to watch.
  QString code;
  QByteArray token;
  bool watch = false;
  // take: a pile position 1..28.
  int position = 0;
  // swap: the two seats whose places change.
  std::array<int, 2> swapped{};
  // play: a tile as held, either way round, and the end (Lado::First opens the hand).
  TileCode tile;
  Lado side = Lado::First;
};

struct Refused {
  Error error = Error::BadMessage;
  QString detail;  // what in the message, for the log
};

// A message from a player, or why it is refused.
std::variant<ClientMessage, Refused> readClientMessage(const QByteArray& text);

// A message of `type`, with the version, and `fields` beside them.
QByteArray message(const char* type, QJsonObject fields = {});
QByteArray errorMessage(Error error);

// The client's messages, as a player's game writes them.
QByteArray createMessage(const Settings& rules, const QString& name, int seat,
                         const std::array<bool, 4>& computers, ComputerLevel level, int turnSeconds,
                         bool watchers);
QByteArray joinMessage(const QString& code, const QString& name, int seat = -1,
                       const QByteArray& token = {}, bool watch = false);
QByteArray takeMessage(int position);
QByteArray playMessage(TileCode tile, Lado side);
QByteArray swapMessage(int seat, int other);

QString tileText(TileCode tile);
// The computer players' level as messages and kept tables write it:
// "normal", "strong" or "master"; nullopt for any other text.
QString levelName(ComputerLevel level);
std::optional<ComputerLevel> levelNamed(const QString& name);
// A name as shown: control characters and surrounding blanks gone, cut to kMaxNameLength.
QString cleanName(const QString& name);
// A code as typed by a player: upper case, blanks and dashes gone; empty when it is no code.
QString cleanCode(const QString& code);

}  // namespace tavolix::net
