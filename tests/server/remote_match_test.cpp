// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The server's messages as a player's game reads them, and whole matches
// played by four games at one table with no socket between them: every game
// sees the table its seat would see, turned so that it sits at the bottom.
#include <deque>
#include <memory>

#include <gtest/gtest.h>
#include <QJsonDocument>

#include "game/table_geometry.h"
#include "protocol/protocol.h"
#include "protocol/remote_match.h"
#include "protocol/server_messages.h"
#include "protocol/views.h"
#include "server/table.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"

namespace tavolix::net {
namespace {

TEST(ServerMessages, TheViewASeatIsSentIsReadBackWhole) {
  GameState state;
  state.PedrasJog = handOf({"00", "01"});
  state.PedrasMac1 = handOf({"26", "33", "34"});
  state.PedrasMac2 = handOf({"45"});
  state.PedrasMac3 = handOf({"55", "56"});
  state.Pontos = {3, 1, 3, 1};
  state.QuemInicia = kMac2;
  ChainLayout chain;
  Moment moment;
  for (const auto& [t, side] : {std::pair{"66", Lado::First}, {"36", Lado::A}, {"46", Lado::B}}) {
    LaidTile laid;
    laid.seat = kMac2;
    laid.side = side;
    laid.placement = layOnTable(state, chain, tile(t), side);
    moment.chain.push_back(laid);
  }
  state.pass(kMac3);
  moment.asked = kMac1;
  moment.secondsLeft = 42;
  moment.handNumber = 3;
  QString problem;
  const auto read = readServerMessage(message("view", seatView(state, moment, kMac1)), problem);
  ASSERT_TRUE(read) << problem.toStdString();
  const SeatView& v = std::get<SeatView>(*read);
  EXPECT_EQ(v.seat, kMac1);
  EXPECT_EQ(v.hand, (std::vector<TileCode>{tile("26"), tile("33"), tile("34")}));
  EXPECT_EQ(v.counts, (std::array{2, 3, 1, 2}));
  ASSERT_EQ(v.chain.size(), 3u);
  EXPECT_EQ(v.chain[1].end, Lado::A);
  EXPECT_EQ(v.chain[2].left, moment.chain[2].placement.left);
  EXPECT_EQ(v.chain[2].vertical, moment.chain[2].placement.vertical);
  ASSERT_TRUE(v.ends.has_value());
  EXPECT_EQ(*v.ends, (std::array{state.PontaA, state.PontaB}));
  EXPECT_EQ(v.passes[kMac3], (std::vector<int>{state.PontaA, state.PontaB}));
  EXPECT_EQ(v.scores, state.Pontos);
  EXPECT_EQ(v.opener, kMac2);
  EXPECT_EQ(v.turn, kMac1);
  EXPECT_EQ(v.asked, SeatView::Asked::Move);
  EXPECT_EQ(v.secondsLeft, 42);
  EXPECT_EQ(v.handNumber, 3);
}

// A server is trusted no more than a client: anything but what the protocol
// says is refused whole, with what is wrong with it.
TEST(ServerMessages, WhatNoServerOfOursWouldSendIsRefused) {
  const QByteArray view =
      R"("type":"view","v":1,"seat":0,"hand":["01"],"counts":[1,0,0,0],"chain":[],"ends":null,)"
      R"("passes":[[],[],[],[]],"scores":[0,0,0,0],"opener":null,"mustOpenWithDoubleSix":true,)"
      R"("dealing":false,"turn":0,"asked":"move","secondsLeft":null,"handNumber":1)";
  QString problem;
  ASSERT_TRUE(readServerMessage('{' + view + '}', problem)) << problem.toStdString();
  const auto sentOn =
      readServerMessage(R"({"type":"redirect","v":1,"url":"wss://b.example:47474"})", problem);
  ASSERT_TRUE(sentOn && std::holds_alternative<Redirect>(*sentOn)) << problem.toStdString();
  EXPECT_EQ(std::get<Redirect>(*sentOn).url, QUrl(QStringLiteral("wss://b.example:47474")));
  for (const QByteArray& bad : {
           QByteArray("not json"),
           QByteArray("[1,2]"),
           QByteArray(R"({"type":"view","v":2})"),
           QByteArray(R"({"type":"teleport","v":1})"),
           QByteArray(R"({"v":1})"),
           '{' + QByteArray(view).replace(R"("hand":["01"])", R"("hand":["77"])") + '}',
           '{' + QByteArray(view).replace(R"("counts":[1,0,0,0])", R"("counts":[1,0,0])") + '}',
           '{' + QByteArray(view).replace(R"("counts":[1,0,0,0])", R"("counts":[9,0,0,0])") + '}',
           '{' + QByteArray(view).replace(R"("asked":"move")", R"("asked":"all")") + '}',
           '{' + QByteArray(view).replace(R"("turn":0)", R"("turn":4)") + '}',
           '{' +
               QByteArray(view).replace(R"("chain":[])",
                                        R"("chain":[{"seat":0,"tile":"66","end":"first",)"
                                        R"("left":1e12,"top":0,"vertical":true}])") +
               '}',
           QByteArray(R"({"type":"event","v":1,"event":"took","seat":1,"position":29})"),
           QByteArray(R"({"type":"event","v":1,"event":"matchEnded","seat":null,)"
                      R"("standings":[0,1,2,3],"scores":[4,0,4,0]})"),
           QByteArray(R"({"type":"joined","v":1,"code":"?","seat":0,"host":true})"),
           QByteArray(R"({"type":"joined","v":1,"code":"N3XPG97X","seat":0,"host":true,)"
                      R"("token":"xyz"})"),
           QByteArray(9000, ' '),
           // Sent on only to a table server's address.
           QByteArray(R"({"type":"redirect","v":1})"),
           QByteArray(R"({"type":"redirect","v":1,"url":"http://127.0.0.1:47474"})"),
           QByteArray(R"({"type":"redirect","v":1,"url":"file:///etc/passwd"})"),
           QByteArray(R"({"type":"redirect","v":1,"url":"ws://"})"),
           QByteArray(R"({"type":"redirect","v":1,"url":"ws://a b:1"})"),
           QByteArray(R"({"type":"redirect","v":1,"url":7})"),
       }) {
    QString why;
    EXPECT_FALSE(readServerMessage(bad, why)) << bad.left(120).constData();
    EXPECT_FALSE(why.isEmpty()) << bad.left(120).constData();
  }
}

// One game at the table, with no window: what it is sent waits in its inbox.
class Game : public server::Client {
 public:
  explicit Game(std::deque<std::pair<Game*, QByteArray>>& outbox)
      : remote(screen, [this, &outbox](const QByteArray& m) { outbox.emplace_back(this, m); }) {}
  void send(const QByteArray& message) override { inbox.push_back(message); }
  QString peer() const override { return QStringLiteral("game"); }

  RecordingPresentation screen;
  RemoteMatch remote;
  std::deque<QByteArray> inbox;
};

// Four games seated at one table, the table answering what they send as the
// server would; each plays the first thing it may.
class FourGames : public ::testing::Test {
 protected:
  FourGames() {
    for (auto& game : games) game = std::make_unique<Game>(outbox);
  }

  // What each game sent is handed to the table; what the table sent, to each game.
  void pump() {
    for (int round = 0; round < 100000; ++round) {
      bool moved = false;
      for (auto& game : games) {
        while (!game->inbox.empty()) {
          const QByteArray m = game->inbox.front();
          game->inbox.pop_front();
          game->remote.receive(m);
          moved = true;
        }
      }
      while (!outbox.empty()) {
        const auto [game, m] = outbox.front();
        outbox.pop_front();
        deliver(*game, m);
        moved = true;
      }
      if (!moved) return;
    }
    FAIL() << "the table never settled";
  }
  void deliver(Game& game, const QByteArray& text) {
    const auto read = readClientMessage(text);
    ASSERT_TRUE(std::holds_alternative<ClientMessage>(read)) << text.constData();
    const ClientMessage& m = std::get<ClientMessage>(read);
    std::optional<Error> error;
    switch (m.type) {
      case ClientMessage::Type::Take:
        error = table->take(&game, m.position);
        break;
      case ClientMessage::Type::Play:
        error = table->play(&game, m.tile, m.side);
        break;
      case ClientMessage::Type::Pass:
        error = table->pass(&game);
        break;
      case ClientMessage::Type::Start:
        error = table->start(&game);
        break;
      case ClientMessage::Type::Swap:
        error = table->swap(&game, m.swapped[0], m.swapped[1]);
        break;
      default:
        FAIL() << "a game sent " << text.constData();
    }
    if (error) game.send(errorMessage(*error));
  }
  // Whatever the game waits for, the first it may do.
  static bool act(Game& game) {
    RemoteMatch& r = game.remote;
    const GameState& s = r.state();
    if (r.awaiting() == TableGame::Awaiting::PileTile) {
      for (int p = 1; p <= kTileCount; ++p) {
        if (!s.pileTaken(p)) {
          r.takePileTile(p);
          return true;
        }
      }
    }
    if (r.awaiting() != TableGame::Awaiting::Move) return false;
    if (r.passOffered()) {
      r.passTurn();
      return true;
    }
    for (int k = 1; k <= kHandSlots; ++k) {
      const TileCode t = s.PedrasJog[k];
      if (t.empty()) continue;
      if (s.QtdMesa == 0) {
        if (s.PrimeiraRodada && t != kDoubleSix) continue;
        r.drop(k, geometry::kFirstTile.top, geometry::kFirstTile.left, false);
        return true;
      }
      if (t.holds(s.PontaA) || t.holds(s.PontaB)) {
        r.drop(k, geometry::kFirstTile.top, geometry::kFirstTile.left, false,
               t.holds(s.PontaA) ? Lado::A : Lado::B);
        return true;
      }
    }
    ADD_FAILURE() << "nothing to play and no Pass offered";
    return false;
  }

  std::deque<std::pair<Game*, QByteArray>> outbox;
  std::array<std::unique_ptr<Game>, 4> games;
  std::unique_ptr<server::Table> table;
};

// Before the start the host, and only he, changes the places of two seats;
// each player moved is told his new seat and keeps his token.
TEST_F(FourGames, OnlyTheHostSwapsSeatsAndOnlyBeforeTheStart) {
  ClientMessage create;
  create.type = ClientMessage::Type::Create;
  create.rules.TipoJogo = 2;
  create.name = QStringLiteral("Ana");
  create.computers[3] = true;
  table = std::make_unique<server::Table>(QStringLiteral("N3XPG97X"), create,
                                          server::Table::Options{}, [](const QString&) {});
  ASSERT_FALSE(table->seatHost(games[0].get(), -1, create.name).error);
  ClientMessage join;
  join.type = ClientMessage::Type::Join;
  join.code = QStringLiteral("N3XPG97X");
  join.name = QStringLiteral("Bia");
  // The host allowed no watchers: one is turned away.
  ClientMessage watch = join;
  watch.watch = true;
  EXPECT_EQ(table->join(games[2].get(), watch).error, Error::TableFull);
  const server::Table::Joined bia = table->join(games[1].get(), join);
  ASSERT_EQ(bia.seat, 1);
  pump();
  EXPECT_EQ(table->swap(games[1].get(), 1, 2), Error::NotHost);
  EXPECT_EQ(table->swap(games[2].get(), 1, 2), Error::NotSeated);
  EXPECT_EQ(table->swap(games[0].get(), 1, 1), Error::BadMessage);
  // Ana takes Bia as her partner: Bia to seat 2, the free seat to 1.
  games[0]->remote.choosePartner(1);
  pump();
  EXPECT_EQ(games[1]->remote.serverSeat(), 2);
  EXPECT_EQ(games[1]->remote.token(), bia.token);
  EXPECT_EQ(games[0]->remote.table().seats[1].kind, TableInfo::Seat::Kind::Open);
  EXPECT_EQ(games[0]->remote.table().seats[2].name, QStringLiteral("Bia"));
  EXPECT_EQ(games[1]->remote.rules().Nomes[2], "Ana");  // opposite her now
  // The host's own seat may move too; he stays the host.
  ASSERT_FALSE(table->swap(games[0].get(), 0, 3));
  pump();
  EXPECT_EQ(games[0]->remote.serverSeat(), 3);
  EXPECT_TRUE(games[0]->remote.isHost());
  EXPECT_EQ(games[0]->remote.table().seats[0].kind, TableInfo::Seat::Kind::Computer);
  ASSERT_FALSE(table->start(games[0].get()));
  pump();
  EXPECT_EQ(table->swap(games[0].get(), 1, 2), Error::AlreadyStarted);
}

TEST_F(FourGames, EachSeesTheMatchFromItsOwnSeatAndNoHandButItsOwn) {
  Settings rules;
  rules.TipoJogo = 2;
  rules.PontosLimit = 4;
  ClientMessage create;
  create.type = ClientMessage::Type::Create;
  create.rules = rules;
  create.name = QStringLiteral("Ana");
  server::Table::Options options;
  options.seed = 9;
  table = std::make_unique<server::Table>(QStringLiteral("N3XPG97X"), create, options,
                                          [](const QString&) {});
  const server::Table::Joined host = table->seatHost(games[0].get(), -1, create.name);
  ASSERT_FALSE(host.error);
  for (int seat = 1; seat <= 3; ++seat) {
    ClientMessage join;
    join.type = ClientMessage::Type::Join;
    join.code = QStringLiteral("N3XPG97X");
    join.name = QStringLiteral("P%1").arg(seat);
    ASSERT_FALSE(table->join(games[seat].get(), join).error);
  }
  pump();
  for (int seat = 0; seat < 4; ++seat) {
    EXPECT_EQ(games[seat]->remote.serverSeat(), seat);
    // Each sits at the bottom, the next seat on his left.
    EXPECT_EQ(games[seat]->remote.rules().Nomes[0],
              seat == 0 ? "Ana" : QStringLiteral("P%1").arg(seat).toStdString());
    EXPECT_EQ(games[seat]->remote.rules().Nomes[1],
              seat == 3 ? "Ana" : QStringLiteral("P%1").arg(seat + 1).toStdString());
  }
  games[0]->remote.startMatch();
  int steps = 0;
  for (; steps < 5000 && !games[0]->remote.over(); ++steps) {
    pump();
    for (auto& game : games) {
      const GameState& s = game->remote.state();
      for (int seat = 1; seat <= 3; ++seat) {
        for (int k = 1; k <= kHandSlots; ++k) {
          ASSERT_TRUE(s.hand(seat)[k].empty() || s.hand(seat)[k] == TileCode(0, 0))
              << "a hidden tile reached seat " << game->remote.serverSeat();
        }
      }
      // The hand's log holds every tile on the table (after the hand, until the
      // next deal, the hand just played), the first one opening it.
      const std::vector<HandEvent>& events = game->remote.handEvents();
      const auto laid =
          std::count_if(events.begin(), events.end(), [](const HandEvent& e) { return !e.passed; });
      if (s.QtdMesa > 0) {
        ASSERT_EQ(laid, s.QtdMesa) << "seat " << game->remote.serverSeat();
      }
      for (std::size_t k = 0, onTable = 0; k < events.size(); ++k) {
        if (!events[k].passed) {
          ++onTable;
          EXPECT_TRUE(events[k].side == Lado::First ? onTable == 1 : onTable > 1);
        }
      }
    }
    bool acted = false;
    for (auto& game : games) acted = act(*game) || acted;
    if (!acted && games[0]->remote.over()) break;
  }
  pump();
  ASSERT_TRUE(games[0]->remote.over()) << steps;
  for (int seat = 0; seat < 4; ++seat) {
    Game& g = *games[seat];
    EXPECT_TRUE(g.remote.over());
    ASSERT_EQ(g.screen.matchEnds.size(), 1u);
    EXPECT_EQ(g.remote.handsPlayed().size(), games[0]->remote.handsPlayed().size());
    for (int other = 0; other < 4; ++other) {
      EXPECT_EQ(g.remote.state().Pontos[other],
                games[0]->remote.state().Pontos[(other + seat) % 4]);
    }
    // The same winner for all, each naming it from his own seat.
    EXPECT_EQ((g.screen.matchEnds[0].winner + seat) % 2, games[0]->screen.matchEnds[0].winner % 2);
  }
}

}  // namespace
}  // namespace tavolix::net
