// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match in the real window, driven by mouse clicks and answered dialogs:
// the first activation, the deal, the redeal, New Game, the end of a match.
#include <array>
#include <map>
#include <set>

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/frm_novo_jogo.h"
#include "dialogs/frm_opc.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/window_parts.h"
#include "game/table_geometry.h"
#include "game_window.h"
#include "settings/match_file.h"
#include "settings/record_file.h"
#include "support/game_printers.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"
#include "table/language.h"
#include "window_support.h"

namespace tavolix {
namespace {

TEST_F(GameWindowTest, ThePlayerTakesHisTilesFromThePileLaidOutByTheFirstActivation) {
  random.stackDeal(kOrderedDeal);
  // The game's waits and its animations' beats, in milliseconds: how many of each.
  std::map<int, int> waits;
  std::map<int, int> beats;
  window.pacer().setListener([&waits](int ms) { ++waits[ms]; });
  window.pacer().setStepListener([&beats](int ms) { ++beats[ms]; });
  startMatch(QString());  // no name: he is "Jogador"
  // The pile is laid out a tile every 25 ms, and 25 ms more before each row of seven.
  EXPECT_EQ(waits, (std::map<int, int>{{25, 32}}));
  EXPECT_TRUE(beats.empty());
  ASSERT_EQ(awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(scene().seatName(0).caption(), QStringLiteral("Jogador"));
  EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"jog", u""), QStringLiteral("Jogador"));
  for (int position = 1; position <= 28; ++position) {
    const PictureItem* tile = scene().pileTile(position);
    ASSERT_NE(tile, nullptr);
    EXPECT_TRUE(tile->isVisible() && tile->isEnabled());
    EXPECT_EQ(tile->pos(),
              QPointF(3690 + 700 * ((position - 1) % 7), 2535 + 1000 * ((position - 1) / 7)));
  }
  EXPECT_EQ(scene().prompt().caption(), QStringLiteral("Escolha as suas peças"));
  EXPECT_TRUE(scene().command(TableScene::Command::NewGame).isEnabled());

  // A tile taken from the pile travels to his hand in Int(Veloc / 2) - 1 steps.
  int steps = 0;
  const auto counted =
      QObject::connect(scene().pileTile(5), &QGraphicsObject::xChanged, [&steps] { ++steps; });
  // A screen reader hears the computers' hands fill as the tiles are taken.
  QStringList told;
  QObject::connect(&scene().summary(), &TableSummary::changed,
                   [&told](const QString& words) { told << words; });
  clickPile(5);
  QObject::disconnect(counted);
  EXPECT_EQ(steps, 6);
  EXPECT_EQ(beats, (std::map<int, int>{{10, 6}}));  // a step each 10 ms
  EXPECT_EQ(state().PedrasJog[1], tile("04"));
  EXPECT_EQ(scene().prompt().caption(), QStringLiteral("Escolha a sua 2ª peça"));
  EXPECT_TRUE(scene().handTile(1).isVisible());
  EXPECT_FALSE(scene().handTile(1).isEnabled());  // not to be moved until all are dealt
  EXPECT_FALSE(scene().pileTile(5)->isVisible());
  for (int seat = 1; seat <= 3; ++seat) random.takeOwnTiles(seat);
  waits.clear();
  beats.clear();
  for (int position : {1, 2, 3, 4, 6, 7}) clickPile(position);
  window.pacer().setListener({});
  window.pacer().setStepListener({});
  // Each of the 21 tiles the computers take slides as the player's did, and the
  // table waits 50 ms after it.
  EXPECT_EQ(waits[50], 21);
  EXPECT_EQ(beats[10], 6 * 27);
  // Each computer's hand told at every tile it took: one to seven, in turn.
  for (const char* seat : {"Zorvan", "Melira", "Astelo"}) {
    for (int count = 1; count <= 7; ++count) {
      const QString held = QStringLiteral("%1 %2").arg(QLatin1String(seat)).arg(count);
      EXPECT_TRUE(std::any_of(told.begin(), told.end(),
                              [&held](const QString& words) { return words.contains(held); }))
          << held.toStdString() << " in " << told.join(QStringLiteral(" | ")).toStdString();
    }
  }
  // Mac3 holds 6:6 and opened with it; the turns went round to the player.
  EXPECT_EQ(state().Mesa[1], tile("66"));
  EXPECT_EQ(awaiting(), Match::Awaiting::Move);
  EXPECT_EQ(scene().chainViews().size(), static_cast<std::size_t>(state().QtdMesa));
  EXPECT_FALSE(scene().prompt().isVisible());
  // A pile laid out is not for taking (nor shows the hand cursor) until the game asks.
  scene().layOutPile();
  for (int position = 1; position <= 28; ++position) {
    EXPECT_TRUE(scene().pileTile(position)->isVisible());
    EXPECT_FALSE(scene().pileTile(position)->isEnabled());
  }
}

TEST_F(GameWindowTest, NewGameCancelledWithEscapeKeepsTheHandEnterStartsAfresh) {
  dealFirstHand();
  const Hand hand = state().PedrasJog;
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) {
    EXPECT_EQ(d.Label4->text(), QStringLiteral("Cancelar"));
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  click(TableScene::Command::NewGame);
  EXPECT_EQ(state().PedrasJog, hand);
  EXPECT_EQ(awaiting(), Match::Awaiting::Move);
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { QTest::keyClick(&d, Qt::Key_Return); });
  click(TableScene::Command::NewGame);
  EXPECT_EQ(awaiting(), Match::Awaiting::PileTile);
  EXPECT_NE(scene().pileTile(1), nullptr);
}

TEST_F(GameWindowTest, AMatchEndsWithItsWindowAndLeavingTheNextDialogEndsTheProgram) {
  random.stackDeal(kOrderedDeal);
  startMatch();
  // Mac1 holds its last tile, 5:5, with both ends showing 5: a Batida Cruzada to 7 points.
  GameState position;
  position.PedrasJog = handOf({"23", "34"});
  position.PedrasMac1 = handOf({"55"});
  position.PedrasMac2 = handOf({"01", "02"});
  position.PedrasMac3 = handOf({"03", "04"});
  position.Mesa[1] = tile("25");
  position.QtdMesa = 1;
  position.PontaA = position.PontaB = 5;
  position.Pontos = {1, 3, 2, 0};
  position.PrimeiraRodada = false;
  settings.PontosLimit = 4;
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.text(), QStringLiteral("Zorvan bateu.\n\nBatida Cruzada   |   vai ganhar 4 pts"));
    clickWidget(box.button(QMessageBox::Ok));
  });
  dialogs.expect<FrmFimdeJogo>(
      [this](FrmFimdeJogo& end) {
        // The last hand is still on the table behind it.
        EXPECT_FALSE(scene().chainViews().empty());
        EXPECT_EQ(end.Label2->text(), QStringLiteral("O vencedor foi Zorvan com 7 pts"));
        EXPECT_EQ(end.Label1[0]->text(), QStringLiteral("Zorvan"));
        EXPECT_EQ(end.Label1[2]->text(), QStringLiteral("Ana"));
        EXPECT_EQ(end.Label4[0]->text(), QStringLiteral("7 pts"));
        EXPECT_EQ(end.Label3[0]->text(), QStringLiteral("7 pts"));
        clickWidget(end.Lbcaption2);
      },
      QStringLiteral("fim-de-jogo.png"));
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) {
    EXPECT_EQ(d.Label4->text(), QStringLiteral("Sair"));
    clickWidget(d.Label4);
  });
  window.match().resume(position, ChainGeometry(), kMac1);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !window.isVisible(); }, 10000));
  EXPECT_EQ(awaiting(), Match::Awaiting::Finished);
}

TEST_F(GameWindowTest, SwitchingTheTileSetMidHandRedrawsTheTableInPlace) {
  dealFirstHand();
  const auto views = scene().chainViews();
  std::vector<QPointF> where;
  std::vector<std::array<Picture, 3>> kinds;  // the tile's and its halves', upright or lying
  const auto kindsOf = [](const PictureItem* view) {
    const auto halves = view->childItems();
    return std::array<Picture, 3>{view->picture(),
                                  static_cast<const PictureItem*>(halves[0])->picture(),
                                  static_cast<const PictureItem*>(halves[1])->picture()};
  };
  for (const PictureItem* view : views) {
    where.push_back(view->pos());
    kinds.push_back(kindsOf(view));
  }
  dialogs.expect<FrmOpc>(
      [](FrmOpc& d) {
        d.Option1[1]->setChecked(true);
        d.Command1_Click();
      },
      QStringLiteral("opcoes.png"));
  click(TableScene::Command::Settings);
  EXPECT_EQ(settings.PedraX, 1);
  ASSERT_EQ(scene().chainViews(), views);
  for (std::size_t k = 0; k < views.size(); ++k) {
    const TileCode t = state().Mesa[k + 1];
    EXPECT_EQ(views[k]->element(), 1) << k;
    EXPECT_EQ(views[k]->pos(), where[k]) << k;
    EXPECT_EQ(kindsOf(views[k]), kinds[k]) << k;
    EXPECT_EQ(static_cast<PictureItem*>(views[k]->childItems()[0])->element(), t.first() + 7) << k;
  }
  EXPECT_EQ(scene().handTile(1).element(), 1);
  EXPECT_EQ(scene().handHalf(1, 2).element(), state().PedrasJog[1].last() + 7);
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    for (int slot = 1; slot <= kHandSlots; ++slot)
      EXPECT_EQ(scene().computerTile(seat, slot).element(), 1) << seat << ", " << slot;
  }
  EXPECT_EQ(store.LeRegistro(RegistryKey::Main, u"PedraX", u""), QStringLiteral("1"));
}

// The preferences confirmed while a computer seat's tile is on its way: the tile
// on the move, the hand closing up behind it and the table are all in the new set.
TEST_F(GameWindowTest, SwitchingTheTileSetDuringAComputerMoveLeavesNoTileInTheOldSet) {
  // Only 1:6 fits: Mac1's slot 1 leaves a gap.
  const Position position = endsSixAndThree(handOf({"55"}), handOf({"16", "22", "44"}));
  screen = QSize(800, 600);
  window.setFirstActivationStartsMatch(false);
  window.show();

  int movingSet = -1;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!scene().movingTile().isVisible()) return;
    watch.stop();
    dialogs.expect<FrmOpc>([](FrmOpc& d) {
      d.Option1[1]->setChecked(true);
      d.Command1_Click();
    });
    window.Label1_Click();
    movingSet = scene().movingTile().element();
  });
  watch.start();
  window.match().resume(position.state, position.chain, kMac1);
  ASSERT_EQ(settings.PedraX, 1) << "the preferences came during the move";
  EXPECT_EQ(movingSet, 1);
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      const PictureItem& back = scene().computerTile(seat, slot);
      if (back.isVisible()) {
        EXPECT_EQ(back.element(), 1) << seat << ", " << slot;
      }
    }
  }
  EXPECT_TRUE(scene().computerTile(kMac1, 2).isVisible());
  for (const PictureItem* view : scene().chainViews()) EXPECT_EQ(view->element(), 1);
}

// What a player may be shown in each language, as patterns of whole texts
// (a name or a number where ".+" and "\d+" stand). Portuguese: the game's own
// texts. English: the English the game's texts have always had where they had
// one ("select your first domino", "Ilegal move!", "... cannot move!"), and
// plain English for the rest; two texts stay Portuguese in English too.
std::vector<QRegularExpression> textsOf(Language language) {
  std::vector<QString> patterns;
  if (language == Language::Portuguese) {
    for (const std::string& source : texts::allSources()) {
      QString p = QRegularExpression::escape(QString::fromStdString(source));
      p.replace(QRegularExpression(QStringLiteral(R"(\\%\d)")), QStringLiteral(".+"));
      p.replace(QStringLiteral("\\\r\\\n\\\r\\\n"), QStringLiteral("\\n\\n"));
      p.replace(QStringLiteral("\\\r\\\r"), QStringLiteral("\\n\\n"));
      patterns.push_back(p);
    }
  } else {
    patterns = {
        QStringLiteral("select your first domino"),
        QStringLiteral("select your next domino"),
        QStringLiteral(R"(Waiting for you to play double \d)"),
        QStringLiteral(R"(Click in domino and drag for the green area\.)"),
        QStringLiteral("Clique em 'Passar a vez'"),
        QStringLiteral("Ilegal move!"),
        QStringLiteral(R"(Ilegal move! The ends are \d and \d)"),
        QStringLiteral("Press P to pass"),
        QStringLiteral("Você só pode fechar o jogo no natural"),
        QStringLiteral(".+ cannot move!"),
        QStringLiteral(R"(Your turn: you lead this hand\.)"),
        QStringLiteral(R"(It fits both ends: A \(or Home\) for one, B \(or End\) for the other\.)"),
        QStringLiteral(R"(.+ was dealt \d+ doubles\n\nThe dominoes will be dealt again)"),
        QStringLiteral(R"(.+ went out\.\n\nScores \d+ pts)"),
        QStringLiteral(R"(.+ went out\.\n\n.+ going out   \|   scores \d+ pts)"),
        QStringLiteral(R"(.+ went out\.\n\nThe pair '.+ and .+'  scores \d+ pts)"),
        QStringLiteral(
            R"(.+ went out\.  \(.+ going out\)\n\nThe pair '.+ and .+'  scores \d+ pts)"),
        QStringLiteral("The pip count is a tie"),
        QStringLiteral(
            R"(The pair '.+ and .+' won this hand on the pip count\n\nThe pair scores \d+ points)"),
        QStringLiteral(
            R"(.+ won this hand on the pip count\n\nScores (\d+ points|1 \(one\) point))"),
        QStringLiteral(R"(The winner is .+ with \d+ pts)"),
        QStringLiteral(R"(Victory for .+ and .+ with \d+ pts)"),
        QStringLiteral(R"(\d+ pts)"),
    };
  }
  std::vector<QRegularExpression> all;
  for (const QString& p : patterns) all.emplace_back(QRegularExpression::anchoredPattern(p));
  return all;
}

// A whole match from the keyboard alone, in each language: the dialogs by
// Enter, the tiles taken with Space, each move chosen with the arrows and laid
// with Enter (or A and B when it fits both ends; a tile that fits nowhere tried
// now and then), passes with P. Not one mouse event reaches the window, and
// every text shown is one of that language's.
class WholeMatchTest : public GameWindowTest, public ::testing::WithParamInterface<Language> {
 protected:
  ~WholeMatchTest() override { useLanguage(Language::Portuguese); }
};

TEST_P(WholeMatchTest, IsPlayedFromTheKeyboardAloneInItsLanguage) {
  const Language language = GetParam();
  useLanguage(language);
  const bool english = language == Language::English;
  struct MouseCounter : QObject {
    int events = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      const QEvent::Type t = e->type();
      if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
          t == QEvent::MouseButtonDblClick || t == QEvent::GraphicsSceneMousePress)
        ++events;
      return false;
    }
  } mice;
  qApp->installEventFilter(&mice);
  std::set<QString> shown;
  const auto look = [this, &shown] {
    for (const LabelItem* caption : {&scene().messageLine(), &scene().prompt()}) {
      if (caption->isVisible() && !caption->caption().isEmpty()) shown.insert(caption->caption());
    }
    for (int seat = 0; seat < 4; ++seat) shown.insert(scene().score(seat).caption());
  };
  const auto key = [this, &look](int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&window, static_cast<Qt::Key>(k), mods);
    settle();
    look();
  };
  dialogs.expect<FrmNovoJogo>([english](FrmNovoJogo& d) {
    EXPECT_EQ(d.Label1->text(), english ? QStringLiteral("Play") : QStringLiteral("Jogar"));
    QTest::keyClick(d.Text1, Qt::Key_Return);
  });
  dialogs.always<QMessageBox>([&shown](QMessageBox& box) {
    shown.insert(box.text());
    QTest::keyClick(&box, Qt::Key_Return);
  });
  bool ended = false;
  dialogs.always<FrmFimdeJogo>([&ended, &shown](FrmFimdeJogo& end) {
    ended = true;
    shown.insert(end.Label2->text());
    for (QLabel* score : end.Label4) shown.insert(score->text());
    QTest::keyClick(&end, Qt::Key_Return);
  });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { QTest::keyClick(d.Text1, Qt::Key_Escape); });
  window.show();
  settle();
  EXPECT_EQ(scene().command(TableScene::Command::NewGame).caption(),
            english ? QStringLiteral("New Game |") : QStringLiteral("Novo Jogo |"));
  EXPECT_EQ(scene().command(TableScene::Command::Pass).caption(),
            english ? QStringLiteral("Cannot move") : QStringLiteral("Passar a vez"));

  int moves = 0;
  for (int step = 0; step < 3000 && !ended; ++step) {
    if (awaiting() == Match::Awaiting::PileTile) {
      // Space, Return or the keypad's Enter take a tile, in turn: one more is
      // gone from the pile, or the deal is over.
      const auto taken = [this] {
        int n = 0;
        for (int position = 1; position <= kTileCount; ++position)
          n += state().pileTaken(position) ? 1 : 0;
        return n;
      };
      const int before = taken();
      key(step % 3 == 0 ? Qt::Key_Space : step % 3 == 1 ? Qt::Key_Return : Qt::Key_Enter);
      ASSERT_TRUE(taken() != before || awaiting() != Match::Awaiting::PileTile) << step;
      continue;
    }
    ASSERT_EQ(awaiting(), Match::Awaiting::Move) << step;
    if (window.match().passOffered()) {
      key(Qt::Key_P);
      continue;
    }
    // The first tile that may be laid, chosen from the left end of the hand;
    // every fifth move, first one that may not.
    const GameState& s = state();
    const auto playable = [&s](TileCode t) {
      if (t.empty()) return false;
      if (s.QtdMesa == 0) return !s.PrimeiraRodada || t == tile("66");
      return t.holds(s.PontaA) || t.holds(s.PontaB);
    };
    int slot = 0;
    int wrong = 0;
    for (int k = kHandSlots; k >= 1; --k) {
      if (playable(s.PedrasJog[k])) slot = k;
      if (!s.PedrasJog[k].empty() && !playable(s.PedrasJog[k])) wrong = k;
    }
    ASSERT_GT(slot, 0) << step;
    const auto choose = [&](int chosen) {
      for (int k = 0; k < kHandSlots; ++k) key(Qt::Key_Left);
      for (int k = 1; k < chosen; ++k) key(Qt::Key_Right);
      ASSERT_EQ(window.hand().chosen(), chosen);
    };
    if (wrong > 0 && moves % 5 == 0) {
      choose(wrong);
      key(Qt::Key_Return);  // refused: back to the hand, with a word
      ASSERT_EQ(awaiting(), Match::Awaiting::Move);
    }
    choose(slot);
    EXPECT_LT(scene().handTile(slot).y(), geometry::kHandTop);  // raised
    const TileCode t = s.PedrasJog[slot];
    const int before = s.QtdMesa;
    if (s.QtdMesa > 0 && s.PontaA != s.PontaB && t.holds(s.PontaA) && t.holds(s.PontaB)) {
      key(Qt::Key_Return);  // which end? he is asked
      key(moves % 2 ? Qt::Key_B : Qt::Key_A);
    } else {
      key(moves % 2 ? Qt::Key_Up : Qt::Key_Return);
    }
    ++moves;
    ASSERT_TRUE(state().QtdMesa > before || state().QtdMesa == 0 || ended) << step;
  }
  EXPECT_TRUE(ended);
  EXPECT_GT(moves, 10);
  EXPECT_EQ(mice.events, 0);
  qApp->removeEventFilter(&mice);

  const std::vector<QRegularExpression> known = textsOf(language);
  for (const QString& text : shown) {
    const bool ofTheLanguage = std::any_of(
        known.begin(), known.end(), [&text](const auto& p) { return p.match(text).hasMatch(); });
    EXPECT_TRUE(ofTheLanguage) << text.toStdString();
  }
  EXPECT_GT(shown.size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WholeMatchTest,
                         ::testing::Values(Language::Portuguese, Language::English), languageName);

// At 1.6 times the table's size the mouse works as at its own: a whole hand
// with tiles taken by clicks and laid by dragging them to the chain's ends.
TEST_F(GameWindowTest, AHandIsPlayedByMouseWithTheWindowAtOnePointSixTimesItsSize) {
  screen = QSize(1920, 1200);
  startMatch();
  window.resize(1280, 960);
  settle();
  ASSERT_DOUBLE_EQ(window.view().scale(), 1.6 / 15);
  dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  dialogs.always<FrmFimdeJogo>([](FrmFimdeJogo& end) { end.accept(); });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label1); });
  int laid = 0;
  for (int step = 0; step < 200 && window.match().handsPlayed().empty(); ++step) {
    bool placed = false;
    ASSERT_NO_FATAL_FAILURE(playByMouse(placed));
    laid += placed;
  }
  EXPECT_EQ(window.match().handsPlayed().size(), 1u);
  EXPECT_GE(laid, 2);
  // The score history lists it.
  const HandResult hand = window.match().handsPlayed().front();
  dialogs.expect<ScoreHistory>([&hand](ScoreHistory& history) {
    ASSERT_EQ(history.table->rowCount(), 1);
    EXPECT_EQ(history.table->item(0, 2)->text(), QString::number(hand.tied() ? 0 : hand.points));
    history.reject();
  });
  click(TableScene::Command::History);
  EXPECT_TRUE(dialogs.done());
  dialogs.expect<ScoreHistory>([](ScoreHistory& history) { history.reject(); });
  QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);  // the same from the keyboard
  settle();
  EXPECT_TRUE(dialogs.done());
}

// Strong opponents chosen in the preferences by mouse play a whole match
// against the player's mouse, their thinking done away from the window's thread.
TEST_F(GameWindowTest, AWholeMatchAgainstStrongOpponentsIsPlayedByMouse) {
  startMatch();
  dialogs.expect<FrmOpc>([](FrmOpc& preferences) {
    clickWidget(preferences.opponents[1]);
    for (QPushButton* button : preferences.findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("&OK")) clickWidget(button);
    }
  });
  click(TableScene::Command::Settings);
  ASSERT_TRUE(dialogs.done());
  ASSERT_EQ(settings.opponents, ComputerLevel::Strong);
  for (int seat = kMac1; seat <= kMac3; ++seat)
    EXPECT_TRUE(window.match().playerAt(seat).thinksLong()) << seat;
  EXPECT_FALSE(window.match().playerAt(kJog).thinksLong());

  dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label4); });
  bool ended = false;
  int laid = 0;
  ASSERT_NO_FATAL_FAILURE(playToTheMatchsEnd(ended, &laid));
  EXPECT_TRUE(ended);
  EXPECT_GE(static_cast<int>(window.match().handsPlayed().size()), 1);
  EXPECT_GE(laid, 4);
}

}  // namespace
}  // namespace tavolix
