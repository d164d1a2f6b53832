// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The table looks, to the pixel, as it was last approved, from the deal to the
// hand's end and its scores: in each language, with each tile set, its marks,
// names, scores and commands.
#include <QMessageBox>
#include <QTest>

#include "dialogs/score_history.h"
#include "game_window.h"
#include "kept_looks.h"
#include "settings/settings_config.h"
#include "table/language.h"

namespace tavolix {
namespace {

class TableLooksTest : public InEachLanguage<GameWindowTest> {
 protected:
  QString nameOf(const char* when) {
    return QStringLiteral("table-%1-%2").arg(QLatin1String(when), languageCode(currentLanguage()));
  }
  // The window as it stands.
  void expectLooksAsKept(const char* when) {
    EXPECT_EQ(unlikeKeptLook(window.grab().toImage(), nameOf(when)), "") << when;
  }
  // What is shown over it.
  void expectLooksAsKept(const char* when, QWidget& shown) {
    EXPECT_EQ(unlikeKeptLook(shown.grab().toImage(), nameOf(when)), "") << when;
  }
};

// Hands of every kind, so that each half of the player's tiles shows its pips;
// Mac1 opens with 6:6.
const std::array<std::vector<std::string_view>, 4> kMixedDeal{{
    {"12", "35", "46", "24", "15", "36", "23"},
    {"00", "01", "13", "25", "34", "56", "66"},
    {"02", "03", "11", "16", "26", "44", "55"},
    {"04", "05", "06", "14", "22", "33", "45"},
}};

// In Portuguese the ivory tiles at an individual match; in English the
// colourful ones, in pairs, anticlockwise, scored by the pips left.
TEST_P(TableLooksTest, FromTheDealToTheHandsEnd) {
  if (GetParam() == Language::English) {
    settings.PedraX = 1;
    settings.TipoJogo = 2;
    settings.TipoRegra = 2;
    settings.PontosLimit = Settings::kDefaultLimitRule2;
    settings.SentidoHorario = false;
    writeRules(store, settings);  // what the new game dialog brings in
  }
  ASSERT_NO_FATAL_FAILURE(dealFirstHand(kMixedDeal));
  expectLooksAsKept("dealt");
  for (int action = 0; action < 3 && window.match().handsPlayed().empty(); ++action) {
    bool laid = false;
    ASSERT_NO_FATAL_FAILURE(playByMouse(laid));
  }
  expectLooksAsKept("in-play");
  // A tile chosen from the keyboard stands in its ring; taken up by the mouse,
  // it follows the pointer over the table, and back in the hand nothing is laid.
  ASSERT_EQ(awaiting(), Match::Awaiting::Move);
  QTest::keyClick(&window, Qt::Key_Right);
  settle();
  expectLooksAsKept("chosen");
  sendMouseAt(window, QEvent::MouseMove, slotMiddle(2), Qt::NoButton, Qt::NoButton);
  sendMouseAt(window, QEvent::MouseButtonPress, slotMiddle(2), Qt::LeftButton, Qt::LeftButton);
  sendMouseAt(window, QEvent::MouseMove, {6000, 6000}, Qt::NoButton, Qt::LeftButton);
  settle();
  expectLooksAsKept("carried");
  sendMouseAt(window, QEvent::MouseMove, slotMiddle(2), Qt::NoButton, Qt::LeftButton);
  sendMouseAt(window, QEvent::MouseButtonRelease, slotMiddle(2), Qt::LeftButton, Qt::NoButton);
  settle();
  ASSERT_EQ(awaiting(), Match::Awaiting::Move);
  // The hand's end is told in a message over the table.
  dialogs.expect<QMessageBox>([this](QMessageBox& told) {
    expectLooksAsKept("hand-over");
    expectLooksAsKept("hand-over-told", told);
    told.accept();
  });
  for (int action = 0; action < 100 && window.match().handsPlayed().empty(); ++action) {
    bool laid = false;
    ASSERT_NO_FATAL_FAILURE(playByMouse(laid));
  }
  ASSERT_EQ(window.match().handsPlayed().size(), 1u);
  // The scores, with that hand in them.
  dialogs.expect<ScoreHistory>([this](ScoreHistory& scores) {
    expectLooksAsKept("scores", scores);
    scores.reject();
  });
  click(TableScene::Command::History);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TableLooksTest,
                         ::testing::Values(Language::Portuguese, Language::English), languageName);

}  // namespace
}  // namespace tavolix
