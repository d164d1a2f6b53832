// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Online play through two real windows and a table server in this process,
// all on the loopback: hosting and joining through the online dialog, the
// lobby, a whole pairs match played by mouse in one window and by keyboard in
// the other, a refused move, a dropped connection, a table hosted by the game
// itself, and a table's link.
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTcpServer>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/online_dialog.h"
#include "protocol/remote_match.h"
#include "server/table_server.h"
#include "window_support.h"

namespace tavolix {
namespace {

// Every wait below gives up after this long: a test that hangs fails instead.
constexpr int kPatienceMs = 60000;

// Runs the event loop until `done`, or until the patience runs out; whether it came.
template <class Done>
bool waitUntil(Done done, int ms = kPatienceMs) {
  const QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

// One player at his own window, with his own settings and generator. With
// `firstActivation` the window does what it does at a start of the game
// (a link, a seat to take back, the new game dialog).
struct Player {
  explicit Player(const char* name, bool firstActivation = false,
                  OnlineSeatFile* seatFile = nullptr) {
    settings.Nomes = {name, "Zorvan", "Melira", "Astelo"};
    window.setScreenSize([] { return QSize(1280, 1024); });
    window.setFirstActivationStartsMatch(firstActivation);
    window.setHostAddress(QHostAddress::LocalHost);
    window.setOnlineSeatFile(seatFile);
    window.show();
  }
  net::RemoteMatch& remote() { return window.online()->match(); }
  TableGame& game() { return window.game(); }
  const GameState& state() { return window.game().state(); }
  TableScene& scene() { return window.scene(); }

  QTemporaryDir dir;
  Settings settings;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  RandomSource random{11};
  Form1 window{settings, store, random};
  bool matchEnded = false;
};

class OnlineWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server::TableServer::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    options.messagesPerSecond = 100000;  // the test's players are quicker than people
    options.seed = 5;
    server_ = std::make_unique<server::TableServer>(options);
    QString error;
    ASSERT_TRUE(server_->start(error)) << error.toStdString();
    dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
    dialogs.always<FrmFimdeJogo>([this](FrmFimdeJogo& end) {
      for (Player* p : players_) {
        if (end.parentWidget() == &p->window) p->matchEnded = true;
      }
      end.accept();
    });
  }

  QString address() const { return QStringLiteral("127.0.0.1:%1").arg(server_->port()); }

  static void click(Player& p, QPointF twips) {
    sendMouseAt(p.window, QEvent::MouseMove, {6000, 3000}, Qt::NoButton, Qt::NoButton);
    sendMouseAt(p.window, QEvent::MouseMove, twips, Qt::NoButton, Qt::NoButton);
    sendMouseAt(p.window, QEvent::MouseButtonPress, twips, Qt::LeftButton, Qt::LeftButton);
    sendMouseAt(p.window, QEvent::MouseButtonRelease, twips, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
  }
  static void click(Player& p, TableScene::Command command) {
    click(p, p.scene().command(command).sceneBoundingRect().center());
  }
  static void okOf(OnlineDialog& d) {
    clickWidget(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
  }

  // Ana opens a pairs table on the server, the computer at her left and right.
  void host(Player& p) {
    dialogs.expect<OnlineDialog>(
        [this](OnlineDialog& d) {
          d.name->clear();
          QTest::keyClicks(d.name, QStringLiteral("Ana"));
          clickWidget(d.onServer);
          QTest::keyClicks(d.hostServer, address());
          d.kind->setCurrentIndex(1);
          clickWidget(d.computer[1]);
          clickWidget(d.computer[3]);
          okOf(d);
        },
        QStringLiteral("online-host.png"));
    click(p, TableScene::Command::Online);
    ASSERT_TRUE(waitUntil([&] { return p.window.online() && p.remote().inLobby(); }));
  }
  // Bia joins with the address and the code Ana passed on.
  void join(Player& p, const QString& code) { join(p, code, address()); }
  void join(Player& p, const QString& code, const QString& where) {
    dialogs.expect<OnlineDialog>(
        [code, where](OnlineDialog& d) {
          d.tabs->setCurrentIndex(1);
          d.name->clear();
          QTest::keyClicks(d.name, QStringLiteral("Bia"));
          d.joinServer->clear();
          QTest::keyClicks(d.joinServer, where);
          QTest::keyClicks(d.code, code.left(4) + QLatin1Char('-') + code.mid(4).toLower());
          okOf(d);
        },
        QStringLiteral("online-join.png"));
    QTest::keyClick(&p.window, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return p.window.online() && p.remote().inLobby(); }));
  }
  void seatBoth() {
    ASSERT_NO_FATAL_FAILURE(host(ana));
    ASSERT_NO_FATAL_FAILURE(join(bia, ana.remote().code()));
    ASSERT_TRUE(waitUntil(
        [&] { return ana.remote().table().seats[2].kind == net::TableInfo::Seat::Kind::Person; }));
  }

  // The first tile of the hand that fits, or 0.
  static int fittingSlot(const GameState& s) {
    for (int k = 1; k <= kHandSlots; ++k) {
      const TileCode t = s.PedrasJog[k];
      const bool fits = s.QtdMesa == 0 ? !s.PrimeiraRodada || t == kDoubleSix
                                       : t.holds(s.PontaA) || t.holds(s.PontaB);
      if (!t.empty() && fits) return k;
    }
    return 0;
  }
  // The tile of `slot` carried by the mouse to the corner of the end `side`.
  static void drag(Player& p, int slot, Lado side) {
    const ChainGeometry& chain = p.remote().chain();
    QPointF corner(geometry::kFirstTile.left, geometry::kFirstTile.top);
    if (p.state().QtdMesa > 0)
      corner =
          side == Lado::A ? QPointF(chain.EsqA, chain.TopoA) : QPointF(chain.EsqB, chain.TopoB);
    const QPointF to = corner + QPointF(240 - 45, 465 - 45);
    sendMouseAt(p.window, QEvent::MouseMove, slotMiddle(slot), Qt::NoButton, Qt::NoButton);
    sendMouseAt(p.window, QEvent::MouseButtonPress, slotMiddle(slot), Qt::LeftButton,
                Qt::LeftButton);
    sendMouseAt(p.window, QEvent::MouseMove, (slotMiddle(slot) + to) / 2, Qt::NoButton,
                Qt::LeftButton);
    sendMouseAt(p.window, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouseAt(p.window, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
  }

  // Once: a tile that fits neither end dropped on the table anyway; the server
  // refuses it, and it comes back to the hand with the reason.
  void tryRefusedMove(Player& p) {
    const GameState& s = p.state();
    int slot = 0;
    for (int k = 1; k <= kHandSlots && slot == 0; ++k) {
      if (!s.PedrasJog[k].empty() && !s.PedrasJog[k].holds(s.PontaA) &&
          !s.PedrasJog[k].holds(s.PontaB))
        slot = k;
    }
    if (s.QtdMesa == 0 || slot == 0) return;
    const TileCode refused = s.PedrasJog[slot];
    const int laid = s.QtdMesa;
    drag(p, slot, Lado::A);
    ASSERT_TRUE(waitUntil([&] { return p.game().awaiting() == TableGame::Awaiting::Move; }));
    EXPECT_EQ(s.QtdMesa, laid);
    EXPECT_EQ(s.PedrasJog[slot], refused);
    EXPECT_TRUE(p.scene().handTile(slot).isVisible());
    EXPECT_FALSE(p.scene().carriedTile().isVisible());
    EXPECT_EQ(p.scene().messageLine().caption(), QStringLiteral("Jogada inválida"));
    refusalSeen_ = true;
  }

  // Does by mouse (`byMouse`) or by keyboard what the game waits for; false when it waits for
  // nothing.
  bool act(Player& p, bool byMouse) {
    TableGame& game = p.game();
    if (game.awaiting() == TableGame::Awaiting::PileTile) {
      if (!byMouse) {
        QTest::keyClick(&p.window, Qt::Key_Space);
        return true;
      }
      for (int position = 1; position <= kTileCount; ++position) {
        if (!p.state().pileTaken(position)) {
          click(p, p.scene().pileTile(position)->sceneBoundingRect().center());
          return true;
        }
      }
    }
    if (game.awaiting() != TableGame::Awaiting::Move) return false;
    if (byMouse && !refusalSeen_) {
      tryRefusedMove(p);
      if (game.awaiting() != TableGame::Awaiting::Move) return true;
    }
    if (game.passOffered()) {
      byMouse ? click(p, TableScene::Command::Pass) : QTest::keyClick(&p.window, Qt::Key_P);
      return true;
    }
    const GameState& s = p.state();
    const int slot = fittingSlot(s);
    EXPECT_GT(slot, 0) << "nothing to play and no Pass offered";
    if (slot == 0) return false;
    const TileCode t = s.PedrasJog[slot];
    const Lado side = s.QtdMesa == 0 ? Lado::First : t.holds(s.PontaA) ? Lado::A : Lado::B;
    if (byMouse) {
      drag(p, slot, side);
      return true;
    }
    // From the keyboard: Right until the tile is chosen, then its end.
    for (int n = 0; n < kHandSlots && p.window.hand().chosen() != slot; ++n)
      QTest::keyClick(&p.window, Qt::Key_Right);
    EXPECT_EQ(p.window.hand().chosen(), slot);
    QTest::keyClick(&p.window, side == Lado::B   ? Qt::Key_B
                               : side == Lado::A ? Qt::Key_A
                                                 : Qt::Key_Up);
    return true;
  }

  // Both play until both have seen the end of the match (or `enough` says
  // so); false when it did not come.
  bool playToTheEnd(const std::function<void(int step)>& meanwhile = {}) {
    return playUntil([&] { return ana.matchEnded && bia.matchEnded; }, ana, bia, meanwhile);
  }
  template <class Enough>
  bool playUntil(Enough enough, Player& ana, Player& bia,
                 const std::function<void(int step)>& meanwhile = {}) {
    const QDeadlineTimer deadline(4 * kPatienceMs);
    for (int step = 0; step < 20000 && !deadline.hasExpired(); ++step) {
      if (enough()) return true;
      if (meanwhile) meanwhile(step);
      const bool acted = act(ana, true) | act(bia, false);
      if (::testing::Test::HasFatalFailure()) return false;
      if (acted) {
        QCoreApplication::processEvents();
      } else {
        QTest::qWait(2);  // the server's answer is on its way
      }
    }
    for (Player* p : {&ana, &bia}) {
      ADD_FAILURE() << p->settings.Nomes[0] << ": awaiting "
                    << static_cast<int>(p->game().awaiting()) << ", laid " << p->state().QtdMesa
                    << ", message \"" << p->scene().messageLine().caption().toStdString()
                    << "\", hands " << p->remote().handsPlayed().size();
    }
    return ana.matchEnded && bia.matchEnded;
  }

  // A question box answered with the button of that caption.
  void answer(const QString& caption) {
    dialogs.expect<QMessageBox>([caption](QMessageBox& box) {
      for (QAbstractButton* b : box.buttons()) {
        if (b->text() == caption) return clickWidget(b);
      }
      ADD_FAILURE() << "no button " << caption.toStdString();
      box.reject();
    });
  }
  // A port of the loopback nobody listens on now.
  static quint16 freePort() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    return probe.serverPort();
  }

  std::unique_ptr<server::TableServer> server_;
  DialogDriver dialogs;
  Player ana{"Ana"};
  Player bia{"Bia"};
  std::vector<Player*> players_{&ana, &bia};
  bool refusalSeen_ = false;
};

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
  for (const char* bad : {"", "   ", "http://mesa.example.org", "ws://", "mesa:port", "a b"})
    EXPECT_TRUE(OnlineDialog::serverUrl(QString::fromUtf8(bad)).isEmpty()) << bad;

  QUrl url;
  ASSERT_TRUE(OnlineSession::readLink(QStringLiteral("tavolix://[::1]:6000/N3XPG97X"), url, code));
  EXPECT_EQ(url, QUrl(QStringLiteral("ws://[::1]:6000")));
  EXPECT_EQ(OnlineSession::link(url, code), QStringLiteral("tavolix://[::1]:6000/N3XPG97X"));
  for (const char* bad : {"tavolix://host", "https://host:1/N3XPG97X", "tavolix://host:1/N3XPG97",
                          "tavolix:///N3XPG97X"})
    EXPECT_FALSE(OnlineSession::readLink(QString::fromUtf8(bad), url, code)) << bad;
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
TEST_F(OnlineWindowTest, TheHostChoosesHisPartner) {
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
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(waitUntil([&] { return !bia.remote().inLobby(); }));
  // Begun: a click on a name changes nothing.
  click(ana, ana.scene().seatName(2).sceneBoundingRect().center());
  EXPECT_FALSE(waitUntil([&] { return bia.remote().serverSeat() != 2; }, 300));
}

TEST_F(OnlineWindowTest, AConnectionCutInTheMiddleOfAHandIsToldAndTakenUpAgain) {
  ASSERT_NO_FATAL_FAILURE(seatBoth());
  bia.window.online()->setRetryPauses({10, 20, 40});
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
  EXPECT_TRUE(ana.scene().messageLine().caption().contains(QStringLiteral(":%1").arg(port)));
  ASSERT_NO_FATAL_FAILURE(join(bia, ana.remote().code(), QStringLiteral("127.0.0.1:%1").arg(port)));
  click(ana, TableScene::Command::Start);
  ASSERT_TRUE(playUntil([&] { return !bia.remote().handsPlayed().empty(); }, ana, bia));
  EXPECT_EQ(ana.remote().handsPlayed().size(), 1u);
  EXPECT_FALSE(ana.remote().rules().pairs());
}

TEST_F(OnlineWindowTest, ALinkToATableJoinsIt) {
  ASSERT_NO_FATAL_FAILURE(host(ana));
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

}  // namespace
}  // namespace tavolix
