// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Online play through two real windows: the addresses a player types, the
// lobby, and a whole pairs match with a refused move.
#include <QDir>
#include <QFileInfo>
#include <QTableWidget>

#include "dialogs/score_history.h"
#include "online_window.h"
#include "table/online_module.h"

namespace tavolix::online {
namespace {

// The address a host gives his friends: one they can reach.
TEST(OnlineAddresses, TheHostGivesAnAddressOthersReach) {
  const auto address = [](std::initializer_list<const char*> all) {
    QList<QHostAddress> addresses;
    for (const char* a : all) addresses.append(QHostAddress(QLatin1String(a)));
    return reachableAddress(addresses).toStdString();
  };
  EXPECT_EQ(address({"127.0.0.1", "::1", "169.254.7.7", "fe80::1", "192.168.1.20", "10.0.0.3"}),
            "192.168.1.20");
  EXPECT_EQ(address({"2001:db8::5", "10.0.0.3"}), "10.0.0.3");
  EXPECT_EQ(address({"127.0.0.1", "169.254.7.7"}), "127.0.0.1");
  EXPECT_EQ(address({}), "127.0.0.1");
}

// What a player types as a server, or pastes as a table's link.
TEST(OnlineAddresses, AServerAsTypedAndATablesLink) {
  QString code;
  EXPECT_EQ(OnlineDialog::serverUrl(QStringLiteral(" mesa.example.org ")),
            QUrl(QStringLiteral("ws://mesa.example.org:47474")));
  EXPECT_EQ(OnlineDialog::serverUrl(QStringLiteral("10.0.0.7:5000")),
            QUrl(QStringLiteral("ws://10.0.0.7:5000")));
  EXPECT_EQ(OnlineDialog::serverUrl(QStringLiteral("wss://mesa.example.org:443")),
            QUrl(QStringLiteral("wss://mesa.example.org:443")));
  EXPECT_EQ(OnlineDialog::serverUrl(QStringLiteral("tavolix://10.0.0.7:5000/n3xp-g97x"), &code),
            QUrl(QStringLiteral("ws://10.0.0.7:5000")));
  EXPECT_EQ(code, QStringLiteral("N3XPG97X"));
  // A code of more or fewer than eight letters and digits is none.
  for (const char* link : {"tavolix://10.0.0.7:5000/N3XPG97XY", "tavolix://10.0.0.7:5000/N3XP"}) {
    EXPECT_FALSE(OnlineDialog::serverUrl(QString::fromUtf8(link), &code).isEmpty());
    EXPECT_TRUE(code.isEmpty()) << link;
  }
  for (const char* bad : {"", "   ", "http://mesa.example.org", "ws://", "mesa:port", "a b"})
    EXPECT_TRUE(OnlineDialog::serverUrl(QString::fromUtf8(bad)).isEmpty()) << bad;

  QUrl url;
  ASSERT_TRUE(OnlineSession::readLink(QStringLiteral("tavolix://[::1]:6000/N3XPG97X"), url, code));
  EXPECT_EQ(url, QUrl(QStringLiteral("ws://[::1]:6000")));
  EXPECT_EQ(code, QStringLiteral("N3XPG97X"));
  for (const char* bad : {"tavolix://host", "https://host:1/N3XPG97X", "tavolix://host:1/N3XPG97",
                          "tavolix:///N3XPG97X"})
    EXPECT_FALSE(OnlineSession::readLink(QString::fromUtf8(bad), url, code)) << bad;

  // Sent on by a server: anywhere but from a secure connection to a plain one.
  const QUrl plain(QStringLiteral("ws://a:1")), secure(QStringLiteral("wss://b:2"));
  EXPECT_TRUE(OnlineSession::mayFollow(plain, plain));
  EXPECT_TRUE(OnlineSession::mayFollow(plain, secure));
  EXPECT_TRUE(OnlineSession::mayFollow(secure, secure));
  EXPECT_FALSE(OnlineSession::mayFollow(secure, plain));
}

TEST_F(OnlineWindowTest, TwoPeopleAndTwoComputersPlayAWholePairsMatch) {
  QTemporaryDir data;
  OnlineSeatFile seatFile(data.filePath(QStringLiteral("online-seat.json")));
  bia.window.setOnlineSeatFile(&seatFile);
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  EXPECT_TRUE(seatFile.read().seat.has_value());
  // The lobby, on both tables: each sees himself at the bottom, his partner at the top.
  EXPECT_EQ(ana.scene().seatName(0).caption(), QStringLiteral("Ana (anfitrião)"));
  EXPECT_EQ(ana.scene().seatName(2).caption(), QStringLiteral("Bia"));
  EXPECT_EQ(bia.scene().seatName(0).caption(), QStringLiteral("Bia"));
  EXPECT_EQ(bia.scene().seatName(2).caption(), QStringLiteral("Ana (anfitrião)"));
  EXPECT_EQ(bia.scene().seatName(1).caption(), QStringLiteral("Computador 4"));
  EXPECT_TRUE(ana.scene().messageLine().caption().contains(address()));
  EXPECT_TRUE(ana.scene().command(TableScene::Command::Start).isVisible());
  EXPECT_EQ(ana.scene().command(TableScene::Command::Start).caption(), QStringLiteral("Começar"));
  EXPECT_FALSE(bia.scene().command(TableScene::Command::Start).isVisible());

  DialogDriver::keep(ana.window, QStringLiteral("online-lobby-host.png"));
  DialogDriver::keep(bia.window, QStringLiteral("online-lobby-guest.png"));
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(waitUntil([&] { return !ana.remote().inLobby() && !bia.remote().inLobby(); }));
  EXPECT_FALSE(ana.scene().command(TableScene::Command::Start).isVisible());

  bool checkedDeal = false;
  ASSERT_TRUE(playToTheEnd([&](int) {
    // Once the tiles are dealt: each holds seven, and the others' are face down.
    if (checkedDeal || ana.state().QtdMesa < 4 || bia.state().QtdMesa < 4) return;
    checkedDeal = true;
    DialogDriver::keep(ana.window, QStringLiteral("online-hand-ana.png"));
    DialogDriver::keep(bia.window, QStringLiteral("online-hand-bia.png"));
    for (Player* p : {&ana, &bia}) {
      for (int seat = 1; seat <= 3; ++seat)
        EXPECT_TRUE(p->scene().computerTile(seat, 1).isVisible() ||
                    p->state().hand(seat)[1].empty());
    }
    EXPECT_EQ(ana.state().PedrasJog[1].empty(), false);
    EXPECT_EQ((tileBit(ana.state().PedrasJog[1]) &
               [&] {
                 std::uint32_t held = 0;
                 for (const TileCode t : bia.state().PedrasJog) held |= tileBit(t);
                 return held;
               }()),
              0u);
  }));
  EXPECT_TRUE(checkedDeal);
  // A match of any length gives Ana a turn with a tile that fits neither
  // end (nearly surely: the test plays the first tile that fits).
  EXPECT_TRUE(refusalSeen_);

  // Both saw the same match, each from his own seat.
  const GameState& a = ana.state();
  const GameState& b = bia.state();
  for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(a.Pontos[seat], b.Pontos[(seat + 2) % 4]);
  EXPECT_GE(std::max(a.Pontos[0], a.Pontos[1]), 4);
  EXPECT_EQ(ana.remote().handsPlayed().size(), bia.remote().handsPlayed().size());
  // Counted apart from the matches against the computer, the same for partners.
  EXPECT_EQ(ana.window.record().onlinePlayed, 1);
  EXPECT_EQ(bia.window.record().onlinePlayed, 1);
  EXPECT_EQ(ana.window.record().onlineWon, bia.window.record().onlineWon);
  EXPECT_EQ(ana.window.record().onlineWon, a.Pontos[0] > a.Pontos[1] ? 1 : 0);
  EXPECT_EQ(ana.window.record().matchesPlayed(), 0);
  // Over: nothing left to take back.
  EXPECT_FALSE(seatFile.read().seat.has_value());

  // The scores are the online match's, hand by hand.
  dialogs.expect<ScoreHistory>([&bia = bia](ScoreHistory& scores) {
    EXPECT_EQ(scores.table->rowCount(), static_cast<int>(bia.remote().handsPlayed().size()));
    scores.reject();
  });
  click(bia, TableScene::Command::History);
  // Over: the table says how to go on, and New Game is a match against the computer again.
  EXPECT_TRUE(
      ana.scene().messageLine().caption().startsWith(QStringLiteral("A partida online terminou.")));
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label1); });
  click(ana, TableScene::Command::NewGame);
  ASSERT_TRUE(waitUntil([&] {
    return ana.window.online() == nullptr &&
           ana.window.match().awaiting() == TableGame::Awaiting::PileTile;
  }));
  EXPECT_EQ(ana.scene().seatName(1).caption(), QStringLiteral("Zorvan"));
  EXPECT_EQ(&ana.window.game(), static_cast<TableGame*>(&ana.window.match()));
}

// In the lobby of a pairs table the host clicks a name to have that player as
// his partner; only he may, and only before the start.
TEST_F(OnlineWindowTest, TheHostChoosesHisPartnerAndBegins) {
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  EXPECT_TRUE(ana.scene().messageLine().caption().contains(
      QStringLiteral("Clique no nome de um jogador para tê-lo como parceiro.")))
      << ana.scene().messageLine().caption().toStdString();
  // Bia, at his left, not at the top: a click on the left seat's name (Computador 2).
  click(ana, ana.scene().seatName(1).sceneBoundingRect().center());
  ASSERT_TRUE(waitUntil([&] { return bia.remote().serverSeat() == 1; }));
  ASSERT_TRUE(waitUntil([&] {
    return ana.scene().seatName(2).caption() == QStringLiteral("Computador 3") &&
           ana.scene().seatName(1).caption() == QStringLiteral("Bia");
  }));
  EXPECT_EQ(bia.scene().seatName(0).caption(), QStringLiteral("Bia"));
  EXPECT_EQ(bia.scene().seatName(3).caption(), QStringLiteral("Ana (anfitrião)"));
  // Bia's clicks choose nothing: she is no host.
  click(bia, bia.scene().seatName(1).sceneBoundingRect().center());
  // And back: Bia his partner again.
  click(ana, ana.scene().seatName(1).sceneBoundingRect().center());
  ASSERT_TRUE(waitUntil([&] { return bia.remote().serverSeat() == 2; }));
  EXPECT_EQ(ana.remote().serverSeat(), 0);
  // Ctrl+Return begins the match, at the host's window only.
  QTest::keyClick(&bia.window, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_FALSE(waitUntil([&] { return !ana.remote().inLobby(); }, 300));
  QTest::keyClick(&ana.window, Qt::Key_Return, Qt::ControlModifier);
  ASSERT_TRUE(waitUntil([&] { return !bia.remote().inLobby(); }));
  // Begun: a click on a name changes nothing.
  click(ana, ana.scene().seatName(2).sceneBoundingRect().center());
  EXPECT_FALSE(waitUntil([&] { return bia.remote().serverSeat() != 2; }, 300));
}

// Gone online while taking tiles here: the table online says nothing of them,
// and leaving it brings the deal here back as it was.
TEST_F(OnlineWindowTest, ATableOpenedInTheMiddleOfADealHereShowsNoneOfItAndGivesItBack) {
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label1); });
  Player cleo("Cleo", true);
  ASSERT_TRUE(waitUntil([&] {
    return cleo.scene().prompt().isVisible() &&
           cleo.scene().prompt().caption() == QStringLiteral("Escolha as suas peças");
  }));
  cleo.game().takePileTile(5);
  const std::array<Hand, 4> dealt{cleo.state().hand(0), cleo.state().hand(1), cleo.state().hand(2),
                                  cleo.state().hand(3)};
  ASSERT_NO_FATAL_FAILURE(host(cleo));
  EXPECT_FALSE(cleo.scene().prompt().isVisible());
  answerLeaving(QStringLiteral("Deixar a mesa"));
  QTest::keyClick(&cleo.window, Qt::Key_N, Qt::ControlModifier);
  ASSERT_TRUE(waitUntil([&] { return cleo.window.online() == nullptr; }));
  ASSERT_TRUE(waitUntil([&] { return cleo.game().awaiting() == TableGame::Awaiting::PileTile; }));
  for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(cleo.state().hand(seat), dealt[seat]);
  EXPECT_TRUE(cleo.scene().prompt().isVisible());
  EXPECT_TRUE(dialogs.done());
}

// Leaving a match in play is asked first; staying changes nothing.
TEST_F(OnlineWindowTest, LeavingAMatchInPlayIsAskedFirst) {
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(waitUntil([&] { return !bia.remote().inLobby(); }));
  answerLeaving(QStringLiteral("Ficar"));
  QTest::keyClick(&bia.window, Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(waitUntil([this] { return dialogs.done(); }));
  EXPECT_FALSE(waitUntil([&] { return bia.window.online() == nullptr; }, 300));
  // Once she holds tiles, they go with the table: none is left under the new game dialog.
  ASSERT_TRUE(playUntil([&] { return bia.scene().handTile(1).isVisible(); }, ana, bia));
  answerLeaving(QStringLiteral("Deixar a mesa"));
  dialogs.always<FrmNovoJogo>([this](FrmNovoJogo& d) {
    for (int slot = 1; slot <= kHandSlots; ++slot)
      EXPECT_FALSE(bia.scene().handTile(slot).isVisible()) << slot;
    clickWidget(d.Label4);
  });
  QTest::keyClick(&bia.window, Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(waitUntil([&] { return bia.window.online() == nullptr; }));
  EXPECT_TRUE(dialogs.done());
}

// Gone to a table of her own in the middle of a match, she has left this one:
// a computer plays in her place at once, her seat not kept waiting for her.
TEST_F(OnlineWindowTest, GoingToAnotherTableLeavesThisOne) {
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(waitUntil([&] { return !bia.remote().inLobby(); }));
  answerLeaving(QStringLiteral("Deixar a mesa"));
  const quint16 port = freePort();
  dialogs.expect<OnlineDialog>([port](OnlineDialog& d) {
    d.port->setValue(port);
    okOf(d);
  });
  QTest::keyClick(&bia.window, Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(waitUntil([&] { return bia.window.hostedServer() && bia.remote().inLobby(); }));
  EXPECT_TRUE(waitUntil(
      [&] { return ana.remote().table().seats[2].kind == net::TableInfo::Seat::Kind::Computer; }));
  EXPECT_EQ(ana.scene().seatName(2).caption(), QStringLiteral("Bia"));
}

// No server at the address: told at once, not kept waiting, and the table
// here comes back. (Reached this time from the new game dialog's "Jogar online".)
TEST_F(OnlineWindowTest, AServerNobodyAnswersIsToldAtOnce) {
  const QString nowhere = QStringLiteral("127.0.0.1:%1").arg(freePort());
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.online); });
  dialogs.expect<OnlineDialog>([nowhere](OnlineDialog& d) {
    d.tabs->setCurrentIndex(1);
    d.joinServer->setText(nowhere);
    QTest::keyClicks(d.code, QStringLiteral("N3XPG97X"));
    okOf(d);
  });
  QString told;
  expectToldThenNothingHere(told);
  click(bia, TableScene::Command::NewGame);
  ASSERT_TRUE(waitUntil([&] { return !told.isEmpty(); }));
  EXPECT_TRUE(told.startsWith(
      QStringLiteral("Não foi possível falar com o servidor ws://%1 (").arg(nowhere)))
      << told.toStdString();
  EXPECT_TRUE(waitUntil([&] { return bia.window.online() == nullptr; }));
}

// Hosting again, on another port, after leaving the first table: served from there.
TEST_F(OnlineWindowTest, ATableHostedAgainOnAnotherPortIsServedThere) {
  for (int round = 0; round < 2; ++round) {
    const quint16 port = freePort();
    if (round == 1) {
      dialogs.expect<QMessageBox>([](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons()) {
          if (b->text() == QStringLiteral("Deixar a mesa")) clickWidget(b);
        }
      });
    }
    dialogs.expect<OnlineDialog>([port](OnlineDialog& d) {
      d.port->setValue(port);
      okOf(d);
    });
    QTest::keyClick(&ana.window, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] {
      return ana.window.online() && ana.remote().inLobby() && ana.window.hostedServer() &&
             ana.window.hostedServer()->port() == port;
    })) << round;
  }
}

// A table that cannot be opened here: the player is told why and plays on
// here. A port another program holds (he may choose another); no online
// module (online play is a module of its own).
TEST_F(OnlineWindowTest, ATableThatCannotBeOpenedHereIsToldWhy) {
  const auto host = [this](int port) {
    dialogs.expect<OnlineDialog>([port](OnlineDialog& d) {
      d.port->setValue(port);
      okOf(d);
    });
    QString told;
    expectToldThenNothingHere(told);
    click(ana, TableScene::Command::Online);
    EXPECT_TRUE(waitUntil([&] { return !told.isEmpty(); }));
    EXPECT_EQ(ana.window.hostedServer(), nullptr);
    EXPECT_EQ(ana.window.online(), nullptr);
    return told.toStdString();
  };
  QTcpServer holder;
  ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
  ana.window.setHostAddress(QStringLiteral("127.0.0.1"));
  const std::string portInUse = host(holder.serverPort());
  EXPECT_TRUE(portInUse.starts_with("A mesa não pôde ser aberta neste computador:")) << portInUse;
  EXPECT_TRUE(portInUse.ends_with("Escolha outra porta.")) << portInUse;

  QTemporaryDir empty;
  setOnlineModuleFolders({empty.path()});
  const std::string noModule = host(0);
  // Nor is a link followed: told, and nothing is joined.
  dialogs.expect<QMessageBox>([](QMessageBox& box) { box.accept(); });
  EXPECT_FALSE(ana.window.openLink(QStringLiteral("tavolix://127.0.0.1:47474/CCCCCCCC")));
  EXPECT_EQ(ana.window.online(), nullptr);
  setOnlineModuleFolders({QFileInfo(QStringLiteral(TAVOLIX_ONLINE_MODULE)).absolutePath()});
  EXPECT_TRUE(noModule.starts_with("O jogo online não está disponível")) << noModule;
  EXPECT_TRUE(noModule.ends_with("(procurado em " + empty.path().toStdString() + ").")) << noModule;

  // A module under its name that is another one is not taken, and the log says why.
  ASSERT_TRUE(QFile::copy(QStringLiteral(TAVOLIX_SOUND_MODULE),
                          QDir(empty.path()).filePath(QStringLiteral("tavolix-online.so"))));
  setOnlineModuleFolders({empty.path()});
  static QStringList logged;
  const QtMessageHandler before = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
  EXPECT_EQ(onlineModule(), nullptr);
  qInstallMessageHandler(before);
  setOnlineModuleFolders({QFileInfo(QStringLiteral(TAVOLIX_ONLINE_MODULE)).absolutePath()});
  EXPECT_TRUE(logged.join(u'|').contains(QStringLiteral("is not the game's online module")))
      << logged.join(u'|').toStdString();
}

}  // namespace
}  // namespace tavolix::online
