// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The dialogs that tell the score: the statistics, the score history and the
// end of a match.
#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "dialogs/frm_fimde_jogo.h"
#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "dialogs/window_parts.h"
#include "game/texts.h"
#include "table/language.h"
#include "window_support.h"

namespace tavolix {
namespace {

using ScoreDialogsTest = WindowTest;

// Each row of the statistics: played, won, and the share won rounded to the
// nearest whole per cent; the hands by each way of winning; the streaks.
TEST_F(ScoreDialogsTest, TheStatisticsShowEachCountAndTheShareWonRounded) {
  PlayerRecord record;
  record.played[0][0] = 3;
  record.won[0][0] = 2;
  record.played[1][0] = 9;
  record.won[1][0] = 9;
  record.played[1][1] = 8;
  record.won[1][1] = 1;
  record.onlinePlayed = 4;
  record.onlineWon = 1;
  record.wentOut = {5, 4, 3, 2};
  record.wentOutPipRule = 7;
  record.blockedWon = 6;
  record.longestStreak = 2;
  record.streak = 1;
  const Statistics shown(record, {});
  const auto cell = [](const QTableWidget* table, int row, int column) {
    return table->item(row, column)->text();
  };
  const auto row = [&](int r) {
    return QStringList{shown.matches->verticalHeaderItem(r)->text(), cell(shown.matches, r, 0),
                       cell(shown.matches, r, 1), cell(shown.matches, r, 2)}
        .join(QStringLiteral(" | "))
        .toStdString();
  };
  EXPECT_EQ(row(0), "Individual, por batida | 3 | 2 | 67%");
  EXPECT_EQ(row(1), "Individual, por pontos | 0 | 0 | —");
  EXPECT_EQ(row(2), "Duplas, por batida | 9 | 9 | 100%");
  EXPECT_EQ(row(3), "Duplas, por pontos | 8 | 1 | 13%");
  // Online matches are counted on their own, not in the total of the game's.
  EXPECT_EQ(row(4), "Todas | 20 | 12 | 60%");
  EXPECT_EQ(row(5), "Online, com outras pessoas | 4 | 1 | 25%");
  std::vector<std::string> hands;
  for (int row = 0; row < 6; ++row) {
    hands.push_back(shown.hands->verticalHeaderItem(row)->text().toStdString() + ": " +
                    cell(shown.hands, row, 0).toStdString());
  }
  EXPECT_EQ(hands, (std::vector<std::string>{"Batida Simples: 5", "Batida Lá e Lô: 4",
                                             "Batida Carroção: 3", "Batida Cruzada: 2",
                                             "Batida, por pontos: 7", "Jogo fechado: 6"}));
  EXPECT_EQ(shown.streaks->text(), QStringLiteral("Maior sequência de vitórias: 2 (agora: 1)"));
}

// Shown, each table of the statistics holds every row and column whole, with
// no scroll bar; Enter closes them: it never asks to reset them.
TEST_F(ScoreDialogsTest, TheStatisticsShowEveryRowWholeAndEnterClosesThem) {
  PlayerRecord record;
  record.played[0][0] = 1;
  Statistics shown(record, {});
  shown.show();
  for (const QTableWidget* table : {shown.matches, shown.hands}) {
    EXPECT_FALSE(table->verticalScrollBar()->isVisible());
    EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
    const int last = table->rowCount() - 1;
    EXPECT_EQ(table->rowViewportPosition(last) + table->rowHeight(last),
              table->viewport()->height());  // and no empty space under it
    // Its columns fill it across, the last one taking what is left.
    EXPECT_EQ(table->horizontalHeader()->length(), table->viewport()->width());
  }
  QTest::keyClick(&shown, Qt::Key_Return);
  EXPECT_FALSE(shown.isVisible());
  EXPECT_TRUE(dialogs.done());
}

// The longest names the dialogs accept, in pairs: the end-of-match window keeps
// every line inside it and every name clear of its score.
TEST_F(ScoreDialogsTest, TheEndOfAMatchFitsTheLongestNames) {
  MatchEndReport report;
  report.winnerLine =
      texts::winnerLine({"WWWWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW"}, 0, 250, true);
  report.names = {"WWWWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "Bartolomeu"};
  report.scores = {texts::scoreText(250), texts::scoreText(250), texts::scoreText(248),
                   texts::scoreText(248)};
  dialogs.always<FrmFimdeJogo>([](FrmFimdeJogo&) {});  // worked by hand below
  FrmFimdeJogo end(report, {});
  end.show();
  const auto fits = [&end](const QLabel* label) {
    const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
    return needed <= label->width() && end.rect().contains(label->geometry());
  };
  EXPECT_TRUE(fits(end.Label2)) << end.Label2->text().toStdString();
  for (int place = 0; place < 4; ++place) {
    EXPECT_TRUE(fits(end.Label1[place])) << place;
    EXPECT_LT(end.Label1[place]->geometry().right(), end.Label4[place]->x()) << place;
  }
  EXPECT_EQ(end.Label1[3]->font().pixelSize(), 16);  // a name that fits keeps its size
  // Every text of it is bold.
  const QList<QLabel*> texts = end.findChildren<QLabel*>();
  EXPECT_GE(texts.size(), 14);
  for (const QLabel* label : texts)
    EXPECT_TRUE(label->font().bold()) << label->text().toStdString();
  // Enter, on either keyboard, or Escape closes it.
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    FrmFimdeJogo closing(report, {});
    closing.show();
    QTest::keyClick(&closing, key);
    EXPECT_EQ(closing.result(), QDialog::Accepted) << key;
  }
  // Its title strip carries it; the right button does not.
  DragStrip* strip = end.findChild<DragStrip*>();
  ASSERT_NE(strip, nullptr);
  const QPoint before = end.pos();
  QTest::mousePress(strip, Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
  QTest::mouseMove(strip, QPoint(60, 40));
  QTest::mouseRelease(strip, Qt::RightButton, Qt::NoModifier, QPoint(60, 40));
  EXPECT_EQ(end.pos(), before);
  QTest::mousePress(strip, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
  QTest::mouseMove(strip, QPoint(60, 40));
  QTest::mouseRelease(strip, Qt::LeftButton, Qt::NoModifier, QPoint(60, 40));
  EXPECT_EQ(end.pos(), before + QPoint(40, 30));
  QTest::mouseMove(strip, QPoint(90, 90));  // let go: it stays
  EXPECT_EQ(end.pos(), before + QPoint(40, 30));
  // Its OK, as a screen reader sees it: a button named OK that can be pressed.
  QAccessibleInterface* ok = QAccessible::queryAccessibleInterface(end.Lbcaption2);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->role(), QAccessible::Button);
  EXPECT_EQ(ok->text(QAccessible::Name), QStringLiteral("OK"));
  ASSERT_NE(ok->actionInterface(), nullptr);
  EXPECT_TRUE(
      ok->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  end.Lbcaption2->setEnabled(false);
  ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QApplication::processEvents();
  EXPECT_TRUE(end.isVisible());
  end.Lbcaption2->setEnabled(true);
  ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QApplication::processEvents();
  EXPECT_EQ(end.result(), QDialog::Accepted);
  EXPECT_FALSE(end.isVisible());
}

// The score history says who won each hand and how, or that it was a tie, and
// where the match stands: by seat, or by pair with the partners' names.
TEST_F(ScoreDialogsTest, TheScoreHistoryNamesEachHandsWinnerAndHowAndTheStanding) {
  HandResult cruzada;
  cruzada.winner = kMac2;
  cruzada.points = 4;
  cruzada.kind = GoingOut::Cruzada;
  HandResult tie;
  tie.ending = HandResult::Ending::Blocked;
  tie.points = 9;
  HandResult fewerPips = tie;
  fewerPips.winner = kMac1;
  fewerPips.points = 1;
  const std::vector<HandResult> hands{cruzada, tie, fewerPips};
  const auto rows = [](const ScoreHistory& history) {
    std::vector<std::string> all;
    for (int row = 0; row < history.table->rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < 3; ++column) cells << history.table->item(row, column)->text();
      all.push_back(cells.join(QStringLiteral(" | ")).toStdString());
    }
    return all;
  };
  const auto standing = [](const ScoreHistory& history) {
    for (const QLabel* label : history.findChildren<QLabel*>()) {
      if (label->accessibleName() == QStringLiteral("Placar")) return label->text().toStdString();
    }
    return std::string();
  };
  const ScoreHistory alone(hands, settings, {0, 1, 4, 0}, {});
  EXPECT_EQ(rows(alone),
            (std::vector<std::string>{"Melira | Batida Cruzada | 4", "— | Jogo fechado: empate | 0",
                                      "Zorvan | Jogo fechado: menos pintas | 1"}));
  EXPECT_EQ(standing(alone), "Ana: 0 pts   Zorvan: 1 pts   Melira: 4 pts   Astelo: 0 pts");
  // Under the pip rule a going out is not named.
  settings.TipoRegra = 2;
  EXPECT_EQ(rows(ScoreHistory(hands, settings, {0, 1, 4, 0}, {})).front(), "Melira | Bateu | 4");
  settings.TipoRegra = 1;
  settings.TipoJogo = 2;
  const ScoreHistory paired(hands, settings, {4, 1, 4, 1}, {});
  EXPECT_EQ(rows(paired).front(), "Ana e Melira | Batida Cruzada | 4");
  EXPECT_EQ(rows(paired).back(), "Zorvan e Astelo | Jogo fechado: menos pintas | 1");
  EXPECT_EQ(standing(paired), "Ana e Melira: 4 pts   Zorvan e Astelo: 1 pts");
}

// L, in the middle of a hand: the moves so far, each with its seat's name,
// in the language in use; the hands played are a page away.
TEST_F(ScoreDialogsTest, LShowsTheMovesOfTheHandSoFar) {
  const Position p =
      playerLeadsWith36(handOf({"00", "44"}), handOf({"13", "00"}), handOf({"12", "00"}));
  playerToMove(p.state, p.chain);
  layFirstTileOnA();
  ASSERT_EQ(state().QtdMesa, 5);
  const auto moves = [](const ScoreHistory& history) {
    std::vector<std::string> all;
    for (int row = 0; row < history.moves->rowCount(); ++row) {
      all.push_back((history.moves->item(row, 0)->text() + QStringLiteral(" | ") +
                     history.moves->item(row, 1)->text())
                        .toStdString());
    }
    return all;
  };
  for (const Language language : {Language::Portuguese, Language::English}) {
    useLanguage(language);
    settle();
    std::vector<std::string> shown;
    dialogs.expect<ScoreHistory>(
        [&](ScoreHistory& history) {
          EXPECT_EQ(history.pages->currentWidget(), history.moves);
          shown = moves(history);
          history.reject();
        },
        QStringLiteral("lances-%1.png").arg(languageCode(language)));
    QTest::keyClick(&window, Qt::Key_L);
    settle();
    ASSERT_TRUE(dialogs.done());
    ASSERT_EQ(shown.size(), 4u);
    if (language == Language::Portuguese) {
      EXPECT_EQ(shown, (std::vector<std::string>{
                           "Ana | 6:3 na ponta do 6", "Zorvan | passou: não tem 3",
                           "Melira | 3:1 na ponta do 3", "Astelo | 1:2 na ponta do 1"}));
    } else {
      EXPECT_EQ(shown[1], "Zorvan | passed: has no 3");
      EXPECT_EQ(shown[2], "Melira | 3:1 on the 3 end");
    }
  }
  useLanguage(Language::Portuguese);
  // Ctrl+H opens the same window at the hands played.
  dialogs.expect<ScoreHistory>([](ScoreHistory& history) {
    EXPECT_EQ(history.pages->currentWidget(), history.table);
    EXPECT_EQ(history.moves->rowCount(), 4);
    history.reject();
  });
  QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
  settle();
}

}  // namespace
}  // namespace tavolix
