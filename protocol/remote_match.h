// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include "game/chain_layout.h"
#include "game/presentation.h"
#include "game/saved_match.h"
#include "game/scoring.h"
#include "game/table_game.h"
#include "server_messages.h"

namespace tavolix::net {

// A match played on a table server, as the player at this game sees and
// plays it. The server's messages become the table's moves, drawn through the
// same Presentation as a match played here and with its tempo; the player's
// pile tile, drop and pass become messages to the server, which alone judges
// them. The table is turned so that the player's own seat is seat 0 here; the
// other hands hold stand-ins until the end of a hand turns them up.
class RemoteMatch : public QObject, public TableGame {
  Q_OBJECT

 public:
  using Send = std::function<void(const QByteArray&)>;

  RemoteMatch(Presentation& screen, Send send, QObject* parent = nullptr);

  // A message from the server, shown in its turn: those that come while the
  // table still shows an earlier one wait for it.
  void receive(const QByteArray& text);
  // The connection dropped: said on the table, and nothing may be played
  // until it is back and the server has sent the table as it stands.
  void connectionLost();

  // Where the others find the table ("192.168.1.5:47474"), said in the lobby with its code.
  void setInvitation(const QString& where) { invitation_ = where; }

  // The host's command: the match begins. The player gives up his seat.
  void startMatch();
  void leave();
  // In a pairs table not yet begun, the host takes the player at `localSeat`
  // as his partner: that player and the one opposite the host change places.
  void choosePartner(int localSeat);
  bool choosesPartners() const { return isHost() && inLobby() && table_.rules.pairs(); }

  // The seat's token to present when joining: one kept from before.
  void setToken(const QByteArray& token) { token_ = token; }
  bool seated() const { return seated_; }
  const QString& code() const { return table_.code.isEmpty() ? joined_.code : table_.code; }
  const QByteArray& token() const { return token_; }
  int serverSeat() const { return joined_.seat; }
  bool isHost() const { return seated() && table_.host == joined_.seat; }
  const TableInfo& table() const { return table_; }
  bool inLobby() const { return hasTable_ && table_.phase == TableInfo::Phase::Lobby; }
  bool over() const { return over_; }
  // The match's rules, with the seats' names as this table is turned.
  const Settings& rules() const { return rules_; }
  const std::vector<HandResult>& handsPlayed() const { return handsPlayed_; }
  // This hand's moves and passes seen here (from the deal, or from joining).
  const std::vector<HandEvent>& handEvents() const { return handEvents_; }
  const ChainGeometry& chain() const { return chain_.geometry(); }
  // The seat as the server numbers it, and back.
  int localSeat(int serverSeat) const;
  int serverSeatOf(int localSeat) const;

  // The player's actions, each sent to the server when he may do it now.
  const GameState& state() const override { return state_; }
  Awaiting awaiting() const override { return awaiting_; }
  bool passOffered() const override { return passShown_; }
  void takePileTile(int position) override;
  void drop(int slot, double top, double left, bool reordered,
            std::optional<Lado> end = std::nullopt) override;
  bool takesDrop(int slot) const override;
  bool flipTile(int slot) override;
  bool moveTileInHand(int from, int to) override;
  void passTurn() override;

  // The words the player reads for a refusal of the server, in his language.
  static QString errorMessage(Error error);

 Q_SIGNALS:
  // A seat at the table, with its token: keep it to come back.
  void seatTaken();
  // Who sits where, or the phase, changed.
  void tableChanged();
  // Creating or joining was refused, with the reason in the player's words.
  void refused(const QString& reason);
  // The match is over: `won` when the player's side won it.
  void matchOver(bool won);
  // The seat was taken back from elsewhere with its token.
  void closedElsewhere();
  // The table is held by the server at `url`: the same message goes there.
  void redirected(const QUrl& url);
  // The server sent what the protocol does not allow; the player is told.
  void broken(const QString& problem);

 private:
  void handle(const ServerMessage& message);
  void onJoined(const Joined& joined);
  void onTable(const TableInfo& table);
  void onView(const SeatView& view);
  void onEvent(const ServerEvent& event);
  void onError(const ServerError& error);

  void deal();
  void took(const ServerEvent& event);
  void played(const ServerEvent& event);
  void passed(int seat);
  void redealt(const ServerEvent& event);
  void handEnded(const ServerEvent& event);
  void matchEnded(const ServerEvent& event);

  // Whether the table as drawn agrees with the server's view of it.
  bool agrees(const SeatView& view) const;
  // The table drawn anew from the view: after a drop, or when it disagrees.
  void redraw(const SeatView& view);
  // The player asked for a pile tile or a move, or nothing.
  void ask(const SeatView& view);
  void showSeats();
  void showScores();
  void names();
  QString seatName(int serverSeat) const;
  void say(const QString& text, int ms);
  // A text already in the player's language, as the screen takes it.
  static Text shown(const QString& text);
  void tick();

  Presentation& screen_;
  Send send_;
  std::deque<QByteArray> inbox_;
  bool busy_ = false;

  QString invitation_;
  Joined joined_;
  QByteArray token_;
  bool seated_ = false;
  TableInfo table_;
  bool hasTable_ = false;
  bool viewed_ = false;  // a view has been drawn since joining
  Settings rules_;
  GameState state_;
  ChainLayout chain_;
  std::vector<HandResult> handsPlayed_;
  std::vector<HandEvent> handEvents_;
  bool dealing_ = false;
  bool over_ = false;
  Awaiting awaiting_ = Awaiting::Nothing;
  bool passShown_ = false;
  int pendingSlot_ = 0;  // the hand slot of the tile sent to the server, until it answers
  Lado pendingSide_ = Lado::First;
  int turn_ = -1;  // local
  int secondsLeft_ = -1;
  QTimer clock_;  // the turn timer of an away seat, counted down between views
};

}  // namespace tavolix::net
