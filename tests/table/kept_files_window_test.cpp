// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The match and the record kept between runs, as the player meets them in the
// window: a match picked up where it was left, the record growing, and the
// disk or the folder failing them, told once while the game goes on.
#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "dialogs/score_history.h"
#include "dialogs/statistics.h"
#include "game_window.h"
#include "kept_looks.h"
#include "settings/match_file.h"
#include "settings/record_file.h"
#include "support/hostile_disk.h"

namespace tavolix {
namespace {

class KeptFilesWindowTest : public GameWindowTest {
 protected:
  // A first run of the game on `file`, a match begun in it by Bia.
  std::unique_ptr<Form1> firstRun(MatchFile& file) {
    auto first = std::make_unique<Form1>(firstRunSettings_, store, random);
    first->setScreenSize([this] { return screen; });
    first->setMatchFile(&file);
    table_ = first.get();
    startMatch(QStringLiteral("Bia"));
    return first;
  }
  // A first run closed after the player's first face-down tile, the fifth of
  // the pile; the next start asked whether to go on, answered with `answer`.
  void closedAfterTheFirstTile(MatchFile& file, const QString& answer) {
    {
      const std::unique_ptr<Form1> first = firstRun(file);
      clickPile(5);
      ASSERT_EQ(state().QtdEscolhidas, 1);
      first->close();
    }
    table_ = &window;
    window.setMatchFile(&file);
    dialogs.expect<QMessageBox>([answer](QMessageBox& ask) {
      EXPECT_EQ(ask.text(), QStringLiteral("Uma partida ficou por terminar. Deseja continuá-la?"));
      EXPECT_EQ(unlikeKeptLook(ask.grab().toImage(), QStringLiteral("message-pt")), "");
      for (QAbstractButton* button : ask.buttons()) {
        if (button->text() == answer) clickWidget(button);
      }
    });
  }

  Settings firstRunSettings_ = named();
};

// Closed in the middle of a hand, the match is there at the next start: the
// player says to go on, finds the table as he left it, and plays it out.
TEST_F(KeptFilesWindowTest, AMatchClosedHalfwayGoesOnAtTheNextStartToItsEnd) {
  MatchFile file(dir.filePath(QStringLiteral("data/match.json")));
  dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  GameState left;
  std::vector<HandResult> handsLeft;
  std::vector<QPointF> chainLeft;
  {
    const std::unique_ptr<Form1> first = firstRun(file);
    // A hand over, and the next well under way.
    for (int step = 0; step < 400; ++step) {
      if (table_->match().handsPlayed().size() >= 1 && state().QtdMesa >= 5 &&
          awaiting() == Match::Awaiting::Move)
        break;
      bool laid = false;
      ASSERT_NO_FATAL_FAILURE(playByMouse(laid));
    }
    ASSERT_GE(state().QtdMesa, 5);
    left = state();
    handsLeft = first->match().handsPlayed();
    for (const PictureItem* view : scene().chainViews()) chainLeft.push_back(view->pos());
    first->close();
  }
  ASSERT_TRUE(QFile::exists(file.path()));

  table_ = &window;
  window.setMatchFile(&file);
  dialogs.expect<QMessageBox>(
      [](QMessageBox& ask) {
        EXPECT_EQ(ask.text(),
                  QStringLiteral("Uma partida ficou por terminar. Deseja continuá-la?"));
        for (QAbstractButton* button : ask.buttons()) {
          if (button->text() == QStringLiteral("Continuar")) clickWidget(button);
        }
      },
      QStringLiteral("continuar.png"));
  window.show();
  settle();
  ASSERT_EQ(awaiting(), Match::Awaiting::Move);
  for (int seat = kJog; seat <= kMac3; ++seat) EXPECT_EQ(state().hand(seat), left.hand(seat));
  EXPECT_EQ(state().Mesa, left.Mesa);
  EXPECT_EQ(state().NaoTem, left.NaoTem);
  EXPECT_EQ(state().Pontos, left.Pontos);
  EXPECT_EQ(window.match().handsPlayed(), handsLeft);
  std::vector<QPointF> chain;
  for (const PictureItem* view : scene().chainViews()) chain.push_back(view->pos());
  EXPECT_EQ(chain, chainLeft);
  EXPECT_EQ(scene().seatName(kJog).caption(), QStringLiteral("Bia"));
  for (int seat = kJog; seat <= kMac3; ++seat) {
    EXPECT_EQ(scene().score(seat).caption(), QStringLiteral("%1 pts").arg(left.Pontos[seat]));
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      const bool held = !left.hand(seat)[slot].empty();
      EXPECT_EQ(seat == kJog ? scene().handTile(slot).isVisible()
                             : scene().computerTile(seat, slot).isVisible(),
                held)
          << seat << " " << slot;
    }
  }

  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label4); });
  bool ended = false;
  ASSERT_NO_FATAL_FAILURE(playToTheMatchsEnd(ended));
  ASSERT_TRUE(ended);
  const auto& played = window.match().handsPlayed();
  ASSERT_GT(played.size(), handsLeft.size());
  EXPECT_TRUE(std::equal(handsLeft.begin(), handsLeft.end(), played.begin()));
  // Over: nothing is left to go on with.
  EXPECT_FALSE(QFile::exists(file.path()));
}

// Closed after his first face-down tile, he goes on with the second: asked for
// it, the pile open to his click.
TEST_F(KeptFilesWindowTest, AMatchClosedWhileTheTilesAreTakenGoesOnWithTheNextOne) {
  MatchFile file(dir.filePath(QStringLiteral("data/match.json")));
  ASSERT_NO_FATAL_FAILURE(closedAfterTheFirstTile(file, QStringLiteral("Continuar")));
  window.show();
  settle();
  ASSERT_EQ(awaiting(), Match::Awaiting::PileTile);
  EXPECT_EQ(scene().prompt().caption(), QStringLiteral("Escolha a sua 2ª peça"));
  const PictureItem* taken = scene().pileTile(5);
  EXPECT_TRUE(taken == nullptr || !taken->isVisible());
  ASSERT_NE(scene().pileTile(6), nullptr);
  ASSERT_TRUE(scene().pileTile(6)->isEnabled());
  clickPile(6);
  EXPECT_EQ(state().QtdEscolhidas, 2);
}

// Asked, he would rather have a new match: the one left is gone for good.
TEST_F(KeptFilesWindowTest, ANewMatchInsteadLeavesTheOldOneBehind) {
  MatchFile file(dir.filePath(QStringLiteral("data/match.json")));
  ASSERT_NO_FATAL_FAILURE(closedAfterTheFirstTile(file, QStringLiteral("Nova partida")));
  ASSERT_TRUE(QFile::exists(file.path()));
  dialogs.expect<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label4); });  // not even that
  window.show();
  settle();
  EXPECT_TRUE(dialogs.done());
  EXPECT_FALSE(QFile::exists(file.path()));
  EXPECT_EQ(state().QtdEscolhidas, 0);
  EXPECT_FALSE(file.read().match.has_value());
}

// The record: a damaged file is told of and set aside at the start; a match
// played to its end is added; the statistics show it, from the keyboard and
// from the score history, and a reset asked twice empties it.
TEST_F(KeptFilesWindowTest, TheRecordGrowsWithEachMatchIsShownAndResetOnlyWhenConfirmed) {
  RecordFile file(dir.filePath(QStringLiteral("data/record.json")));
  QDir().mkpath(dir.filePath(QStringLiteral("data")));
  QFile damaged(file.path());
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("{\"format\": \"tavolix-record\", \"version\": 1, \"matches\": 3}");
  damaged.close();
  window.setRecordFile(&file);
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_TRUE(box.text().contains(QStringLiteral("está danificado e foi guardado como")));
    EXPECT_TRUE(box.text().contains(QStringLiteral("record.json.refused-")));
    box.accept();
  });
  startMatch();
  ASSERT_TRUE(dialogs.done());

  dialogs.always<QMessageBox>([](QMessageBox& box) { box.accept(); });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label1); });
  bool ended = false;
  ASSERT_NO_FATAL_FAILURE(playToTheMatchsEnd(ended));
  ASSERT_TRUE(ended);
  const PlayerRecord& record = window.record();
  EXPECT_EQ(record.matchesPlayed(), 1);
  const RecordFile::Found kept = file.read();
  EXPECT_FALSE(kept.refused());
  EXPECT_EQ(kept.record, record);

  const auto matchesShown = [](Statistics& shown) {
    return shown.matches->item(4, 0)->text().toInt();
  };
  // Ctrl+E, and a reset the player thinks better of.
  dialogs.expect<Statistics>(
      [&](Statistics& shown) {
        EXPECT_EQ(matchesShown(shown), 1);
        EXPECT_EQ(shown.matches->item(4, 1)->text().toInt(), record.matchesWon());
        clickWidget(shown.reset);
        EXPECT_EQ(matchesShown(shown), 1);
        shown.reject();
      },
      QStringLiteral("estatisticas.png"));
  dialogs.expect<QMessageBox>([](QMessageBox& ask) {
    EXPECT_EQ(ask.text(),
              QStringLiteral("Zerar todas as estatísticas? Isto não pode ser desfeito."));
    ask.reject();
  });
  QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
  settle();
  ASSERT_TRUE(dialogs.done());
  EXPECT_EQ(window.record().matchesPlayed(), 1);

  // From the score history, and the reset confirmed.
  dialogs.expect<ScoreHistory>([](ScoreHistory& history) {
    clickWidget(history.statistics);
    history.reject();
  });
  dialogs.expect<Statistics>([&](Statistics& shown) {
    clickWidget(shown.reset);
    EXPECT_EQ(matchesShown(shown), 0);
    shown.reject();
  });
  dialogs.expect<QMessageBox>([](QMessageBox& ask) {
    for (QAbstractButton* button : ask.buttons()) {
      if (button->text() == QStringLiteral("Zerar")) clickWidget(button);
    }
  });
  click(TableScene::Command::History);
  ASSERT_TRUE(dialogs.done());
  EXPECT_EQ(window.record(), PlayerRecord());
  EXPECT_EQ(file.read().record, PlayerRecord());
}

// A record that cannot be written (a plain file stands where its folder
// should be): the player is told at the match's end, with where, and the game
// goes on with the record it holds.
TEST_F(KeptFilesWindowTest, ARecordThatCannotBeWrittenIsToldAtTheMatchsEnd) {
  QFile blocker(dir.filePath(QStringLiteral("data")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  RecordFile file(dir.filePath(QStringLiteral("data/record.json")));
  window.setRecordFile(&file);
  int told = 0;
  dialogs.always<QMessageBox>([&told, &file](QMessageBox& box) {
    if (box.text().startsWith(
            QStringLiteral("As suas estatísticas não puderam ser gravadas em:"))) {
      ++told;
      EXPECT_TRUE(box.text().contains(QDir::toNativeSeparators(file.path())));
    }
    box.accept();
  });
  dialogs.always<FrmNovoJogo>([](FrmNovoJogo& d) { clickWidget(d.Label1); });
  startMatch();
  bool ended = false;
  ASSERT_NO_FATAL_FAILURE(playToTheMatchsEnd(ended));
  ASSERT_TRUE(ended);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(window.record().matchesPlayed(), 1);
}

#ifdef Q_OS_UNIX
// The disk fills up as a match begins: the player is told once, with where
// and why, and plays on; nothing is left where the file would be, and the
// record says the same at the match's end.
TEST_F(KeptFilesWindowTest, AFullDiskIsToldOnceAndTheMatchGoesOn) {
  MatchFile file(dir.filePath(QStringLiteral("data/match.json")));
  window.setMatchFile(&file);
  FullDisk full;
  int told = 0;
  dialogs.always<QMessageBox>([&told, &file](QMessageBox& box) {
    if (box.text().startsWith(QStringLiteral("A partida não pôde ser guardada em:"))) {
      ++told;
      EXPECT_TRUE(box.text().contains(QDir::toNativeSeparators(file.path())));
    }
    box.accept();
  });
  dealFirstHand();
  for (int step = 0; step < 12; ++step) {
    bool laid = false;
    ASSERT_NO_FATAL_FAILURE(playByMouse(laid));
  }
  EXPECT_EQ(told, 1);
  EXPECT_GE(state().QtdMesa + static_cast<int>(window.match().handsPlayed().size()), 4);
  EXPECT_FALSE(QFileInfo::exists(file.path()));
}

// A pipe where the match file should be: the player is told at the start that
// it is left alone, and the match is played without a word more.
TEST_F(KeptFilesWindowTest, AMatchPathThatIsNotAFileIsToldOfAndLeftAlone) {
  MatchFile file(dir.filePath(QStringLiteral("match.json")));
  ASSERT_EQ(mkfifo(QFile::encodeName(file.path()).constData(), 0600), 0);
  window.setMatchFile(&file);
  dialogs.expect<QMessageBox>([](QMessageBox& box) {
    EXPECT_TRUE(box.text().startsWith(
        QStringLiteral("A partida interrompida não pôde ser retomada: o arquivo dela não é um "
                       "arquivo comum.")))
        << box.text().toStdString();
    EXPECT_TRUE(box.text().contains(QStringLiteral("não pôde ser tirado do lugar")));
    box.accept();
  });
  dealFirstHand();
  ASSERT_TRUE(dialogs.done());
  int more = 0;
  dialogs.always<QMessageBox>([&more](QMessageBox& box) {
    more += box.text().contains(QStringLiteral("match.json"));
    box.accept();
  });
  for (int step = 0; step < 12; ++step) {
    bool laid = false;
    ASSERT_NO_FATAL_FAILURE(playByMouse(laid));
  }
  EXPECT_EQ(more, 0);
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(file.path()).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// A match file the game may not read: the player is told so at the start, the
// file is set aside whole, and a new match begins.
TEST_F(KeptFilesWindowTest, AMatchFileThatCannotBeReadIsToldOfAndSetAside) {
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) |
                                                    QFileDevice::WriteOther |
                                                    QFileDevice::ExeOther));
  MatchFile file(dir.filePath(QStringLiteral("match.json")));
  {
    QFile theirs(file.path());
    ASSERT_TRUE(theirs.open(QIODevice::WriteOnly));
    theirs.write("{}");
  }
  ASSERT_TRUE(QFile::setPermissions(file.path(), QFileDevice::WriteOwner));
  AsOrdinaryUser user;
  window.setMatchFile(&file);
  QString told;
  dialogs.expect<QMessageBox>([&told](QMessageBox& box) {
    told = box.text();
    box.accept();
  });
  dealFirstHand();
  EXPECT_TRUE(told.startsWith(
      QStringLiteral("A partida interrompida não pôde ser retomada: o arquivo dela não pode ser "
                     "lido. Uma nova partida vai começar.\n\nO arquivo foi guardado como:\n")))
      << told.toStdString();
  EXPECT_EQ(QFileInfo(told.section(u'\n', -1)).size(), 2);
}
#endif

}  // namespace
}  // namespace tavolix
