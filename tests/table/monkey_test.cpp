// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A monkey at the table: seeded storms of random mouse events (moves, presses
// and releases of either button, drags, clicks on every command, on the pile,
// on the chain, outside the window), some of them arriving while the game is
// busy, with random answers in every dialog, across whole matches. After every
// move and every hand the game must hold together and the table must show it.
//
// A short run in every test run; the long ones, twenty seeds of 5,000 events,
// have tests of their own, labelled "long" (ctest -L long). Any seed, any length:
//   TAVOLIX_MONKEY_SEED=8 TAVOLIX_MONKEY_EVENTS=200000 QT_QPA_PLATFORM=offscreen
//   build/tests/table_tests --gtest_filter='*Monkey*'
#include <random>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/frm_regra.h"
#include "dialogs/online_dialog.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/window_parts.h"
#include "game/autoplay.h"
#include "game/invariants.h"
#include "settings/settings_config.h"
#include "table/help_launcher.h"
#include "window_support.h"

namespace tavolix {
namespace {

// Which run of the monkey: TAVOLIX_MONKEY_SEED=k gives every source of chance
// its own seeds, the same for the same k; 0 (or nothing) the suite's own.
unsigned monkeySeed() {
  bool ok = false;
  const int asked = qEnvironmentVariableIntValue("TAVOLIX_MONKEY_SEED", &ok);
  return ok && asked > 0 ? static_cast<unsigned>(asked) : 0u;
}

int eventsPerRun() {
  bool ok = false;
  const int asked = qEnvironmentVariableIntValue("TAVOLIX_MONKEY_EVENTS", &ok);
  return ok && asked > 0 ? asked : 600;
}

// Checks, at every move and every hand, that the game holds together and that
// the table shows exactly what the game holds.
class TableReferee : public MatchObserver {
 public:
  explicit TableReferee(Form1& window) : window_(window) {}
  int hands = 0;
  int moves = 0;
  int matches = 0;

  void dealt(const GameState& state) override {
    check(state, true, "after the deal");
    // The scores beside the seats are the game's.
    for (int seat = 0; seat < 4; ++seat) {
      EXPECT_EQ(window_.scene().score(seat).caption(),
                QStringLiteral("%1 pts").arg(state.Pontos[seat]))
          << seat;
    }
  }
  void played(int, int, TileCode, Lado, const GameState& state) override {
    ++moves;
    check(state, false, "after a move");
  }
  void passed(int, const GameState& state) override { check(state, false, "after a pass"); }
  void handEnded(const HandResult&, const GameState&) override { ++hands; }
  void matchEnded(int, const std::array<int, 4>&, const GameState&) override { ++matches; }

  void check(const GameState& state, bool dealing, const char* when) {
    const auto problems =
        checkInvariants(state, window_.match().chain(), window_.match().settings(), dealing);
    for (const std::string& problem : problems) ADD_FAILURE() << when << ": " << problem;
    if (dealing) return;
    // The chain on the table is the game's chain, tile by tile.
    const auto views = window_.scene().chainViews();
    EXPECT_EQ(static_cast<int>(views.size()), state.QtdMesa) << when;
    const int base = window_.settings().PedraBase();
    for (int k = 0; k < std::min<int>(views.size(), state.QtdMesa); ++k) {
      const TileCode t = state.Mesa[k + 1];
      const auto halves = views[k]->childItems();
      EXPECT_TRUE(views[k]->isVisible()) << when << ", tile " << k + 1;
      EXPECT_EQ(static_cast<PictureItem*>(halves[0])->element(), t.first() + base)
          << when << ", tile " << k + 1;
      EXPECT_EQ(static_cast<PictureItem*>(halves[1])->element(), t.last() + base)
          << when << ", tile " << k + 1;
    }
    // The hands shown are the hands held.
    const TableScene& scene = window_.scene();
    for (int i = 1; i <= kHandSlots; ++i) {
      if (window_.hand().state().Arrastando == 0) {
        EXPECT_EQ(scene.handTile(i).isVisible(), !state.PedrasJog[i].empty())
            << when << ", slot " << i;
      }
      if (!state.PedrasJog[i].empty() && scene.handTile(i).isVisible()) {
        EXPECT_EQ(scene.handHalf(i, 1).element(), state.PedrasJog[i].first() + base)
            << when << ", slot " << i;
      }
      for (int seat = kMac1; seat <= kMac3; ++seat) {
        EXPECT_EQ(scene.computerTile(seat, i).isVisible(), !state.hand(seat)[i].empty())
            << when << ", seat " << seat << " slot " << i;
      }
    }
  }

 private:
  Form1& window_;
};

class MonkeyTest : public ::testing::TestWithParam<bool> {
 protected:
  MonkeyTest() : chance_((GetParam() ? 2027u : 2026u) + 7919u * monkeySeed()) {
    window.setScreenSize([] { return QSize(800, 600); });
    // Help pages to open: no CHM viewer here, so the HTML ones.
    QDir(dir.path()).mkpath(QStringLiteral("help"));
    QFile page(dir.filePath(QStringLiteral("help/index.html")));
    page.open(QIODevice::WriteOnly);
    page.write("<html><body>Tavolix</body></html>");
    page.close();
    window.setHelpLauncher(HelpLauncher([this](const QUrl&) { return ++helps_, true; },
                                        [](auto answer) { answer(false); }, {dir.path()}));
    writeText(store, stored::kTipoJogo, GetParam() ? QStringLiteral("2") : QStringLiteral("1"));
    window.match().setObserver(&referee);
    window.setMatchFile(&matchFile);
    window.setRecordFile(&recordFile);
    answerDialogsAtRandom();
  }

  int pick(int n) { return static_cast<int>(chance_() % static_cast<unsigned>(n)); }
  bool oneIn(int n) { return pick(n) == 0; }

  void answerDialogsAtRandom() {
    dialogs.always<FrmNovoJogo>([this](FrmNovoJogo& d) {
      const bool leaveEnds = d.Label4->text() == QStringLiteral("Sair");
      // Enough matches and events: leaving now ends the program.
      if (leaveEnds && referee.matches >= kMatches && events_ >= eventsPerRun())
        return d.Label4_Click();
      if (!leaveEnds && oneIn(3)) return d.Label4_Click();  // New Game cancelled
      if (oneIn(4)) d.Text1->setText(QStringLiteral("Ana%1").arg(pick(100)));
      if (oneIn(4)) d.Label5_Click();  // the rules first
      d.Label1_Click();
    });
    dialogs.always<FrmRegra>([this](FrmRegra& r) {
      r.Option1[1 + pick(2)]->setChecked(true);
      r.Option2[1 + pick(2)]->setChecked(true);
      r.Option3[1 + pick(3)]->setChecked(true);
      r.Option4[pick(2)]->setChecked(true);
      r.Check1->setChecked(oneIn(2));
      QLineEdit* limit = r.Option2[1]->isChecked() ? r.Text2 : r.Text3;
      const QString typed[] = {QStringLiteral("x"), QStringLiteral("999"), QStringLiteral("-4"),
                               QString()};
      if (oneIn(3)) {
        limit->setText(typed[pick(4)]);
        r.Command1_Click();  // refused, with a message box
      }
      // Keep matches short: the smallest limits.
      limit->setText(r.Option2[1]->isChecked() ? QStringLiteral("4") : QStringLiteral("50"));
      oneIn(4) ? r.reject() : r.Command1_Click();
    });
    dialogs.always<FrmOpc>([this](FrmOpc& o) {
      o.Option1[pick(2)]->setChecked(true);
      o.HScroll1->setValue(5 + pick(21));
      o.Text1[pick(4)]->setText(oneIn(3) ? QString() : QStringLiteral("Bot%1").arg(pick(10)));
      o.Check1->setChecked(false);
      o.opponents[pick(3)]->setChecked(true);
      oneIn(3) ? o.reject() : o.Command1_Click();
    });
    dialogs.always<ScoreHistory>([this](ScoreHistory& history) {
      if (oneIn(2)) clickWidget(history.statistics);
      history.reject();
    });
    dialogs.always<Statistics>([this](Statistics& statistics) {
      if (oneIn(4)) clickWidget(statistics.reset);
      statistics.reject();
    });
    dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
    dialogs.always<FrmFimdeJogo>([](FrmFimdeJogo& end) { end.accept(); });
    // Online play is the online tests' affair: a click that lands on it is taken back.
    dialogs.always<OnlineDialog>([](OnlineDialog& online) { online.reject(); });
  }

  // --- the mouse ---------------------------------------------------------------
  void send(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
    // Nothing reaches the table while a dialog is open over it, as on a real screen.
    if (QApplication::activeModalWidget() != nullptr || !window.isVisible()) return;
    // Closing the window ends the program, which the closing tests cover: the
    // monkey stays at the table.
    const bool onClose = window.scene().closeButton().contains(window.view().mapToScene(local));
    if (type != QEvent::MouseMove && onClose) return;
    sendMouse(window, type, local, button, held);
  }
  QPoint at(QPointF twips) { return window.view().mapFromScene(twips); }
  QPoint anywhere() { return {pick(900) - 50, pick(700) - 50}; }  // a little outside the window too
  void click(QPoint where, Qt::MouseButton button = Qt::LeftButton) {
    send(QEvent::MouseMove, where, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, where, button, button);
    send(QEvent::MouseButtonRelease, where, button, Qt::NoButton);
  }
  void drag(QPoint from, QPoint to, int steps) {
    send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int s = 1; s <= steps; ++s) {
      send(QEvent::MouseMove, from + (to - from) * s / steps, Qt::NoButton, Qt::LeftButton);
      if (oneIn(8))
        send(QEvent::MouseButtonPress, to, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
      if (oneIn(8)) send(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  // One random gesture.
  void storm() {
    const TableScene& s = window.scene();
    switch (pick(12)) {
      case 0:
        send(QEvent::MouseMove, anywhere(), Qt::NoButton, Qt::NoButton);
        break;
      case 1:
        click(anywhere(), oneIn(3) ? Qt::RightButton : Qt::LeftButton);
        break;
      case 2:
        send(QEvent::MouseButtonPress, anywhere(), Qt::LeftButton, Qt::LeftButton);
        break;
      case 3:
        send(QEvent::MouseButtonRelease, anywhere(), Qt::LeftButton, Qt::NoButton);
        break;
      case 4:
        drag(at(slotMiddle(1 + pick(7))), anywhere(), 1 + pick(6));
        break;
      case 5:
        click(at(slotMiddle(1 + pick(7))), Qt::RightButton);
        break;
      case 6: {
        // A command: New Game, Settings, Help or Pass.
        using C = TableScene::Command;
        const C commands[] = {C::NewGame, C::Settings, C::Help, C::Pass};
        click(at(s.command(commands[pick(4)]).sceneBoundingRect().center()));
        break;
      }
      case 7: {
        const PictureItem* tile = s.pileTile(1 + pick(28));
        if (tile != nullptr) click(at(tile->sceneBoundingRect().center()));
        break;
      }
      case 8: {
        const auto chain = s.chainViews();
        if (!chain.empty()) click(at(chain[pick(chain.size())]->sceneBoundingRect().center()));
        break;
      }
      case 9:
        if (oneIn(10)) {
          click(at(s.minimiseButton().center()));  // minimised, and brought back
          window.showNormal();
        }
        break;
      case 10:
        if (oneIn(10)) click(at(s.fullScreenButton().center()));  // full screen, on or off
        break;
      default:
        drag(anywhere(), anywhere(), 1 + pick(4));
        break;
    }
  }

  // One move that gets the game on: a pile tile, the Pass command, or the
  // player's best tile dragged near the end it is meant for.
  void playOn() {
    const Match& match = window.match();
    if (match.awaiting() == Match::Awaiting::PileTile) {
      for (int k = 1 + pick(28), tries = 0; tries < 28; ++tries, k = k % 28 + 1) {
        if (!match.state().pileTaken(k) && window.scene().pileTile(k) != nullptr) {
          click(at(window.scene().pileTile(k)->sceneBoundingRect().center()));
          return;
        }
      }
    } else if (match.awaiting() == Match::Awaiting::Move) {
      if (match.passOffered()) {
        return click(
            at(window.scene().command(TableScene::Command::Pass).sceneBoundingRect().center()));
      }
      Autoplayer chooser(window.match(), unused_);
      const Move move = chooser.chooseMove();
      const auto [top, left] = chooser.dropPoint(move.side);
      // Taken by the middle, the tile's corner lies 240 - 45 and 465 - 45 twips up and left of the
      // pointer.
      drag(at(slotMiddle(move.slot)), at(QPointF(left + 195, top + 420)), 1);
    }
  }

  // Lets the game run, with the odd event arriving while it is busy.
  void settle() {
    QElapsedTimer clock;
    clock.start();
    do {
      QCoreApplication::processEvents();
    } while (window.isVisible() &&
             (window.match().awaiting() == Match::Awaiting::Nothing || window.hand().releasing()) &&
             clock.elapsed() < 20000);
    EXPECT_LT(clock.elapsed(), 20000) << "the game hung";
  }

  static constexpr int kMatches = 2;
  QTemporaryDir dir;
  Settings settings;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  RandomSource random{(GetParam() ? 31u : 32u) + 104729u * monkeySeed()};
  RandomSource unused_{1};
  DialogDriver dialogs;
  MatchFile matchFile{dir.filePath(QStringLiteral("data/match.json"))};
  RecordFile recordFile{dir.filePath(QStringLiteral("data/record.json"))};
  Form1 window{settings, store, random};
  TableReferee referee{window};
  std::mt19937 chance_;
  int helps_ = 0;
  int events_ = 0;
};

TEST_P(MonkeyTest, NothingThePlayerDoesBreaksTheGame) {
  // Every failure names the run, to replay it.
  SCOPED_TRACE("monkey seed " + std::to_string(monkeySeed()) +
               ": replay with TAVOLIX_MONKEY_SEED=" + std::to_string(monkeySeed()));
  // Impatient clicks while the game is busy: a random event now and then from
  // inside its waits and animations.
  QTimer impatience;
  impatience.setInterval(0);
  QObject::connect(&impatience, &QTimer::timeout, [this] {
    if (oneIn(50)) storm();
  });

  window.show();
  settle();
  impatience.start();
  const int budget = eventsPerRun();
  while (window.isVisible() && window.match().awaiting() != Match::Awaiting::Finished &&
         events_ < budget * 4) {
    if (events_ < budget && !oneIn(3)) {
      storm();
    } else {
      playOn();
    }
    ++events_;
    settle();
    if (window.match().awaiting() == Match::Awaiting::Move &&
        window.hand().state().Arrastando == 0) {
      referee.check(window.match().state(), false, "between events");
    }
    // Whenever the game waits for him, the match kept is the match on the table.
    const Match::Awaiting waiting = window.match().awaiting();
    if (waiting == Match::Awaiting::Move || waiting == Match::Awaiting::PileTile) {
      QFile kept(matchFile.path());
      ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << "no match kept, event " << events_;
      const QByteArray onDisk = kept.readAll();
      ASSERT_EQ(onDisk, matchToJson(window.match().saved())) << "event " << events_;
    }
  }
  impatience.stop();
  EXPECT_FALSE(window.isVisible()) << "the matches did not end within " << budget * 4 << " events";
  EXPECT_GE(referee.matches, kMatches);
  // Every match ends with a hand. (How many hands the monkey plays is chance:
  // a match can be won in one.)
  EXPECT_GE(referee.hands, referee.matches);
  EXPECT_GT(helps_, 0);  // Help answered the monkey's clicks
  EXPECT_GT(events_, budget / 2);
  // Every match is over: nothing to go on with, and each is in the record.
  EXPECT_FALSE(QFile::exists(matchFile.path()));
  EXPECT_EQ(recordFile.read().record.matchesPlayed(), referee.matches);
  QSettings file(dir.filePath(QStringLiteral("Tavolix.conf")), QSettings::IniFormat);
  EXPECT_EQ(file.status(), QSettings::NoError);
  RecordProperty("events", events_);
  RecordProperty("hands", referee.hands);
  RecordProperty("matches", referee.matches);
}

INSTANTIATE_TEST_SUITE_P(IndividualAndPairs, MonkeyTest, ::testing::Bool());

}  // namespace
}  // namespace tavolix
