// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Online play through real windows and a table server in this process, all
// on the loopback: two players, each at his own window, hosting and joining
// through the online dialog and playing by mouse (Ana) and keyboard (Bia).
#pragma once
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
#include "table/reachable_address.h"
#include "window_support.h"

namespace tavolix::online {

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
    window.setHostAddress(QStringLiteral("127.0.0.1"));
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
  // The next message box's text into `told`; the table here left empty after it.
  void expectToldThenNothingHere(QString& told) {
    dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
      told = box.text();
      box.accept();
    });
    dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label4); });
  }
  // The next question whether to leave the table online answered with `button`.
  void answerLeaving(const QString& button) {
    dialogs.expect<QMessageBox>([button](QMessageBox& box) {
      EXPECT_EQ(box.text(), QStringLiteral("Deixar a mesa online? Um computador jogará no seu "
                                           "lugar até o fim da partida."));
      EXPECT_TRUE(onNavy(box));
      for (QAbstractButton* b : box.buttons()) {
        if (b->text() == button) clickWidget(b);
      }
    });
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

}  // namespace tavolix::online
