// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Online play when things go wrong or start elsewhere: a dropped connection,
// an away seat, a table hosted by the game itself, a link, a wrong code, a
// window closed in the middle of a match, and a server that sends the player on.
#include <QWebSocket>
#include <QWebSocketServer>

#include "online_window.h"
#include "protocol/protocol.h"
#include "settings/settings_config.h"
#include "settings/stored_values.h"

namespace tavolix::online {
namespace {

TEST_F(OnlineWindowTest, AConnectionCutInTheMiddleOfAHandIsToldAndTakenUpAgain) {
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  // The first try waits the first pause; a second try, which a live server on
  // this machine never needs, would not come back during the test.
  bia.window.online()->setRetryPauses({10, 600000});
  click(ana, TableScene::Command::Start);
  bool cut = false;
  std::size_t handsAtTheCut = 0;
  // Played on until a hand has ended after the cut.
  ASSERT_TRUE(
      playUntil([&] { return cut && bia.remote().handsPlayed().size() > handsAtTheCut; }, ana, bia,
                [&](int) {
                  if (cut || bia.state().QtdMesa < 3) return;
                  cut = true;
                  handsAtTheCut = bia.remote().handsPlayed().size();
                  bia.window.online()->dropConnection();
                  // Said at once; nothing can be played meanwhile.
                  EXPECT_EQ(bia.scene().messageLine().caption(),
                            QStringLiteral("A conexão com o servidor caiu. Tentando de novo…"));
                  EXPECT_EQ(bia.game().awaiting(), TableGame::Awaiting::Nothing);
                  // The others see her away until she is back.
                  EXPECT_TRUE(waitUntil([&] { return bia.window.online()->connected(); }));
                  EXPECT_EQ(bia.remote().serverSeat(), 2);
                }));
  EXPECT_TRUE(cut);
  ASSERT_TRUE(waitUntil([&] { return ana.remote().handsPlayed().size() > handsAtTheCut; }));
  for (int seat = 0; seat < 4; ++seat)
    EXPECT_EQ(ana.state().Pontos[seat], bia.state().Pontos[(seat + 2) % 4]);
}

TEST_F(OnlineWindowTest, AnAwaySeatIsShownAwayToTheOthers) {
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  bia.window.online()->setRetryPauses({60000});  // not back during the test
  bia.window.online()->dropConnection();
  ASSERT_TRUE(waitUntil(
      [&] { return ana.scene().seatName(2).caption() == QStringLiteral("Bia (ausente)"); }));
}

TEST_F(OnlineWindowTest, AHostServesTheTableFromHisOwnGame) {
  const quint16 port = freePort();
  dialogs.expect<OnlineDialog>([port](OnlineDialog& d) {
    EXPECT_TRUE(d.here->isChecked());  // on this computer unless told otherwise
    d.port->selectAll();
    QTest::keyClicks(d.port, QString::number(port));
    clickWidget(d.computer[1]);
    clickWidget(d.computer[3]);
    okOf(d);
  });
  click(ana, TableScene::Command::Online);
  ASSERT_TRUE(waitUntil([&] { return ana.window.online() && ana.remote().inLobby(); }));
  ASSERT_NE(ana.window.hostedServer(), nullptr);
  EXPECT_EQ(ana.window.hostedServer()->port(), port);
  EXPECT_EQ(OnlineDialog(ana.settings, ana.store).port->text(), QString::number(port));  // kept
  EXPECT_TRUE(ana.scene().messageLine().caption().contains(QStringLiteral(":%1").arg(port)));
  ASSERT_NO_FATAL_FAILURE(join(bia, ana.remote().code(), QStringLiteral("127.0.0.1:%1").arg(port)));
  click(ana, TableScene::Command::Start);
  // Each hears of the hand's end in its own time.
  ASSERT_TRUE(playUntil(
      [&] { return !bia.remote().handsPlayed().empty() && !ana.remote().handsPlayed().empty(); },
      ana, bia));
  EXPECT_EQ(ana.remote().handsPlayed().size(), 1u);
  EXPECT_FALSE(ana.remote().rules().pairs());
}

TEST_F(OnlineWindowTest, ALinkToATableJoinsIt) {
  ASSERT_NO_FATAL_FAILURE(host(ana));
  // Opened at the start, before any match here: the name is the one kept.
  bia.settings.Nomes[0].clear();
  writeText(bia.store, stored::kJog, QStringLiteral("Bia"));
  const QString link =
      QStringLiteral("tavolix://127.0.0.1:%1/%2").arg(server_->port()).arg(ana.remote().code());
  ASSERT_TRUE(bia.window.openLink(link));
  ASSERT_TRUE(waitUntil([&] { return bia.window.online() && bia.remote().inLobby(); }));
  EXPECT_EQ(bia.remote().serverSeat(), 2);
  EXPECT_TRUE(
      waitUntil([&] { return ana.scene().seatName(2).caption() == QStringLiteral("Bia"); }));
  // A link to no table: told, and nothing changes.
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_TRUE(box.text().contains(QStringLiteral("tavolix://nowhere")));
    box.accept();
  });
  EXPECT_FALSE(bia.window.openLink(QStringLiteral("tavolix://nowhere")));
  EXPECT_TRUE(bia.window.online() != nullptr);
}

TEST_F(OnlineWindowTest, AWrongCodeIsToldAndTheTableHereComesBack) {
  dialogs.expect<OnlineDialog>([this](OnlineDialog& d) {
    d.tabs->setCurrentIndex(1);
    QTest::keyClicks(d.joinServer, address());
    QTest::keyClicks(d.code, QStringLiteral("cccc cccc"));
    okOf(d);
  });
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(
        box.text(),
        QStringLiteral("Nenhuma mesa tem esse código. Confira o código com quem abriu a mesa."));
    box.accept();
  });
  // Back here, the new game dialog, left: nothing begins.
  bool asked = false;
  dialogs.expect<FrmNovoJogo>([&asked](FrmNovoJogo& d) {
    asked = true;
    clickWidget(d.Label4);
  });
  click(bia, TableScene::Command::Online);
  ASSERT_TRUE(waitUntil([&] { return asked && bia.window.online() == nullptr; }));
  EXPECT_FALSE(bia.window.match().started());
}

TEST_F(OnlineWindowTest, AGameClosedInTheMiddleOfAMatchOffersItsSeatBack) {
  QTemporaryDir data;
  OnlineSeatFile seatFile(data.filePath(QStringLiteral("online-seat.json")));
  auto first = std::make_unique<Player>("Bia", false, &seatFile);
  players_.push_back(first.get());
  ASSERT_NO_FATAL_FAILURE(host(ana));
  ASSERT_NO_FATAL_FAILURE(join(*first, ana.remote().code()));
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(playUntil([&] { return first->state().QtdMesa >= 2; }, ana, *first));
  const OnlineSeatFile::Found kept = seatFile.read();
  ASSERT_TRUE(kept.seat.has_value());
  EXPECT_EQ(kept.seat->token, first->remote().token());
  EXPECT_EQ(kept.seat->code, ana.remote().code());
  EXPECT_EQ(QFile::permissions(seatFile.path()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
            QFileDevice::Permissions());
  const int laid = first->state().QtdMesa;
  players_.pop_back();
  first.reset();  // the window closed in the middle of the hand

  answer(QStringLiteral("Voltar à mesa"));
  Player again("Bia", true, &seatFile);
  players_.push_back(&again);
  ASSERT_TRUE(waitUntil([&] {
    return again.window.online() && again.state().QtdMesa >= laid &&
           again.game().awaiting() != TableGame::Awaiting::Finished;
  }));
  EXPECT_EQ(again.remote().serverSeat(), 2);
  // Played on, the same hand as Ana's: to its end.
  ASSERT_TRUE(playUntil([&] { return !again.remote().handsPlayed().empty(); }, ana, again));
  ASSERT_TRUE(waitUntil([&] { return !ana.remote().handsPlayed().empty(); }));
  EXPECT_EQ(again.remote().handsPlayed().front().points, ana.remote().handsPlayed().front().points);
  for (int seat = 0; seat < 4; ++seat)
    EXPECT_EQ(ana.state().Pontos[seat], again.state().Pontos[(seat + 2) % 4]);
}

// Taken back at another window while this one still plays: this one is told,
// and lets go of the server.
TEST_F(OnlineWindowTest, ASeatTakenBackElsewhereIsToldAndLetGo) {
  QTemporaryDir data;
  OnlineSeatFile seatFile(data.filePath(QStringLiteral("online-seat.json")));
  Player first("Bia", false, &seatFile);
  players_.push_back(&first);
  ASSERT_NO_FATAL_FAILURE(host(ana));
  ASSERT_NO_FATAL_FAILURE(join(first, ana.remote().code()));
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(playUntil([&] { return first.state().QtdMesa >= 1; }, ana, first));
  answer(QStringLiteral("Voltar à mesa"));
  Player again("Bia", true, &seatFile);
  players_.push_back(&again);
  ASSERT_TRUE(waitUntil([&] { return again.window.online() && again.remote().serverSeat() == 2; }));
  ASSERT_TRUE(waitUntil([&] { return !first.window.online()->connected(); }));
  EXPECT_EQ(first.scene().messageLine().caption(),
            QStringLiteral("Este lugar foi retomado em outro computador."));
  EXPECT_TRUE(again.window.online()->connected());
}

// A seat kept for a table the server no longer holds: the player is told, the
// table here comes back, and the seat is not offered again.
TEST_F(OnlineWindowTest, AKeptSeatAtATableNoLongerThereIsToldAndForgotten) {
  QTemporaryDir data;
  OnlineSeatFile seatFile(data.filePath(QStringLiteral("online-seat.json")));
  ASSERT_TRUE(seatFile.write({QUrl(QStringLiteral("ws://") + address()), QStringLiteral("CCCCCCCC"),
                              QByteArray(16, '\x5a'), QStringLiteral("Bia")}));
  answer(QStringLiteral("Voltar à mesa"));
  QString told;
  dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  bool asked = false;
  dialogs.expect<FrmNovoJogo>([&asked](FrmNovoJogo& d) {
    asked = true;
    QTest::keyClick(&d, Qt::Key_Return);
  });
  Player again("Bia", true, &seatFile);
  players_.push_back(&again);
  ASSERT_TRUE(waitUntil([&] { return asked && again.window.online() == nullptr; }))
      << told.toStdString();
  EXPECT_EQ(told, QStringLiteral(
                      "Nenhuma mesa tem esse código. Confira o código com quem abriu a mesa."));
  EXPECT_FALSE(QFile::exists(seatFile.path()));
}

// A kept seat the player does not want back is let go; a damaged one is set
// aside, and he is told where. Either way the game against the computer follows.
TEST_F(OnlineWindowTest, AKeptSeatRefusedIsLetGoAndADamagedOneSetAside) {
  QTemporaryDir data;
  OnlineSeatFile seatFile(data.filePath(QStringLiteral("online-seat.json")));
  ASSERT_TRUE(seatFile.write({QUrl(QStringLiteral("ws://") + address()), QStringLiteral("CCCCCCCC"),
                              QByteArray(16, '\x5a'), QStringLiteral("Bia")}));
  int asked = 0;
  dialogs.always<FrmNovoJogo>([&asked](FrmNovoJogo& d) {
    ++asked;
    QTest::keyClick(&d, Qt::Key_Return);
  });
  answer(QStringLiteral("Não"));
  Player declining("Bia", true, &seatFile);
  ASSERT_TRUE(waitUntil([&] { return asked == 1; }));
  EXPECT_EQ(declining.window.online(), nullptr);
  EXPECT_FALSE(QFile::exists(seatFile.path()));

  QFile damaged(seatFile.path());
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("{\"server\": ");
  damaged.close();
  QString told;
  dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  Player again("Bia", true, &seatFile);
  ASSERT_TRUE(waitUntil([&] { return asked == 2; }));
  EXPECT_TRUE(told.startsWith(QStringLiteral(
      "O lugar guardado numa mesa online não pôde ser lido: o arquivo dele está danificado e "
      "foi guardado como:\n")))
      << told.toStdString();
  const QString aside = told.section(u'\n', 1);
  EXPECT_TRUE(QFile::exists(aside)) << aside.toStdString();
  EXPECT_FALSE(QFile::exists(seatFile.path()));
}

}  // namespace
}  // namespace tavolix::online

namespace tavolix::online {
namespace {

// A server that holds no table and answers every message with `reply`: one
// that sends every player on, as one of several sharing their tables sends a
// player to the table's own, or one that breaks the protocol.
class ScriptedServer : public QObject {
 public:
  explicit ScriptedServer(std::function<QByteArray()> reply)
      : reply_(std::move(reply)),
        server_(QStringLiteral("scripted"), QWebSocketServer::NonSecureMode) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QWebSocketServer::newConnection, this, [this] {
      while (QWebSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QWebSocket::textMessageReceived, socket, [this, socket](const QString&) {
          ++sent;
          socket->sendTextMessage(QString::fromUtf8(reply_()));
        });
        connect(socket, &QWebSocket::disconnected, socket, [this, socket] {
          ++left;
          socket->deleteLater();
        });
      }
    });
  }
  QString url() const { return QStringLiteral("ws://127.0.0.1:%1").arg(server_.serverPort()); }
  QString link(const QString& code) const {
    return QStringLiteral("tavolix://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(code);
  }
  int sent = 0;
  int left = 0;

 private:
  std::function<QByteArray()> reply_;
  QWebSocketServer server_;
};

QByteArray redirectTo(const QString& url) {
  return net::message("redirect", {{QStringLiteral("url"), url}});
}

}  // namespace

// Asked at a server that does not hold the table, the game goes where it is
// sent and sits there; servers that send it round in circles are left, and
// the player told.
TEST_F(OnlineWindowTest, ASeatIsTakenWhereTheServerAskedSendsThePlayer) {
  ASSERT_NO_FATAL_FAILURE(host(ana));
  const QString real = QStringLiteral("ws://127.0.0.1:%1").arg(server_->port());
  ScriptedServer forwarder([&real] { return redirectTo(real); });
  ASSERT_TRUE(bia.window.openLink(forwarder.link(ana.remote().code())));
  ASSERT_TRUE(waitUntil([&] { return bia.window.online() && bia.remote().inLobby(); }));
  EXPECT_EQ(bia.remote().serverSeat(), 2);
  EXPECT_EQ(forwarder.sent, 1);
  EXPECT_EQ(bia.window.online()->url(), QUrl(real));
  EXPECT_EQ(bia.window.online()->home().port(), QUrl(forwarder.url()).port());

  // The table's server gone: the game goes back to the server it asked first,
  // again and again, however often that one sends it to the dead one.
  bia.window.online()->setRetryPauses({20});
  server_->stop();
  ASSERT_TRUE(waitUntil([&] { return forwarder.sent >= 8; }));
  EXPECT_NE(bia.window.online(), nullptr);

  // Round in circles: a few times, then the player is told.
  Player cid("Cid");
  players_.push_back(&cid);
  ScriptedServer* circle = nullptr;
  ScriptedServer round([&circle] { return redirectTo(circle->url()); });
  circle = &round;
  QString told;
  dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label4); });
  ASSERT_TRUE(cid.window.openLink(round.link(ana.remote().code())));
  ASSERT_TRUE(waitUntil([&] { return !told.isEmpty(); }));
  EXPECT_TRUE(told.contains(QStringLiteral("não chegam a um acordo"))) << told.toStdString();
  EXPECT_EQ(round.sent, 5);
}

// A server that answers with what is no message of the game: the player is
// told what it sent, and the game lets go of it without trying again.
TEST_F(OnlineWindowTest, AServerThatBreaksTheProtocolIsToldAndLeft) {
  ScriptedServer broken([] { return QByteArray(R"({"type":"deal","hands":"all of them"})"); });
  ASSERT_TRUE(bia.window.openLink(broken.link(QStringLiteral("CCCCCCCC"))));
  ASSERT_NE(bia.window.online(), nullptr);
  bia.window.online()->setRetryPauses({20});
  ASSERT_TRUE(waitUntil([&] { return broken.left == 1; }));
  EXPECT_TRUE(bia.scene().messageLine().caption().startsWith(
      QStringLiteral("O servidor mandou uma mensagem que o jogo não entende (")))
      << bia.scene().messageLine().caption().toStdString();
  // Had it tried again, it would have within a few of its pauses.
  waitUntil([] { return false; }, 300);
  EXPECT_EQ(broken.sent, 1);
}

}  // namespace tavolix::online
