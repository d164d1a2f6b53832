// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A hint at the player's turn: the strong player's choice for his hand, chosen
// in the hand and said, by the command strip or D; the match then counts apart.
#include <QMessageBox>
#include <QSignalSpy>

#include "game_window.h"
#include "settings/match_file.h"
#include "table/sound_player.h"

namespace tavolix {
namespace {

using HintTest = GameWindowTest;

// Only 1:6 fits, on the 6: it is chosen and said; laid from there with Up.
TEST_F(HintTest, TheStrongPlayersChoiceIsChosenInTheHandAndSaid) {
  playerToMove(endsSixAndThree(handOf({"45", "16", "00"})).state,
               endsSixAndThree(handOf({"45"})).chain);
  ASSERT_FALSE(window.match().hinted());
  writeSilentWav(dir.filePath(QStringLiteral("clic3.wav")));
  window.sounds().setSearchFolders({dir.path()});
  QSignalSpy sounds(&window.sounds(), &SoundPlayer::started);
  click(TableScene::Command::Hint);
  ASSERT_EQ(sounds.size(), 1);  // it clicks, as every command does
  EXPECT_EQ(window.hand().chosen(), 2);
  EXPECT_EQ(scene().messageLine().caption(), QStringLiteral("Dica: jogue o 6:1 na ponta do 6"));
  EXPECT_TRUE(window.match().hinted());
  EXPECT_TRUE(window.match().saved().hinted);  // kept with the match
  // Asked again with D while the pointer rests on that tile: the copy the
  // pointer lays over a tile does not hide it raised.
  sendMouseAt(window, QEvent::MouseMove, slotMiddle(2), Qt::NoButton, Qt::NoButton);
  ASSERT_TRUE(scene().carriedTile().isVisible());
  QTest::keyClick(&window, Qt::Key_D);
  settle();
  EXPECT_EQ(window.hand().chosen(), 2);
  EXPECT_FALSE(scene().carriedTile().isVisible());
  QTest::keyClick(&window, Qt::Key_Up);
  settle();
  EXPECT_EQ(state().QtdMesa, 3);
  EXPECT_EQ(state().PontaA, 1);
}

// Nothing fits: the hint is to pass. Not his turn, or at a table of people:
// no hint, and the match still counts as his own.
TEST_F(HintTest, NoTileFitsPassIsSaidAndNoHintOutOfTurn) {
  playerToMove(endsSixAndThree(handOf({"45", "00"})).state);
  QTest::keyClick(&window, Qt::Key_D);
  settle();
  EXPECT_EQ(scene().messageLine().caption(), QStringLiteral("Dica: passe a vez"));
  EXPECT_EQ(window.hand().chosen(), 0);

  Form1 other(settings, store, random);
  other.setScreenSize([] { return QSize(800, 600); });
  other.setFirstActivationStartsMatch(false);
  other.show();
  other.askHint();  // no match under way
  EXPECT_FALSE(other.match().hinted());
}

// A match in which a hint was asked is counted apart in the record, and in
// none of its other counts.
TEST_F(HintTest, AMatchWithAHintCountsApartInTheRecord) {
  dealFirstHand();
  dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label4); });
  QTest::keyClick(&window, Qt::Key_D);
  settle();
  ASSERT_TRUE(window.match().hinted());
  bool ended = false;
  ASSERT_NO_FATAL_FAILURE(playToTheMatchsEnd(ended));
  ASSERT_TRUE(ended);
  const PlayerRecord& record = window.record();
  EXPECT_EQ(record.hintedPlayed, 1);
  EXPECT_EQ(record.matchesPlayed(), 0);
  EXPECT_EQ(record.streak, 0);
}

}  // namespace
}  // namespace tavolix
