// Whole matches in the real window, played only with the mouse and answered
// dialogs: the player's seat chooses its moves as the computer seats do, and
// carries its tiles to the table by dragging them.
#include <random>

#include <QElapsedTimer>
#include <QAbstractButton>
#include <QMessageBox>
#include <QMouseEvent>

#include "dialog_driver.h"
#include "game/autoplay.h"
#include "settings/frm_novo_jogo.h"
#include "settings/settings_config.h"
#include "table/frm_fimde_jogo.h"
#include "table/window_parts.h"
#include "window_test_support.h"

namespace tavolix {
namespace {

class MouseMatchTest : public ::testing::TestWithParam<bool> {
 protected:
  MouseMatchTest() {
    window.setScreenSize([] { return QSize(800, 600); });
    writeText(store, stored::kTipoJogo, GetParam() ? QStringLiteral("2") : QStringLiteral("1"));
  }

  void send(QEvent::Type type, QPointF twips, Qt::MouseButton button, Qt::MouseButtons held) {
    sendMouseAt(window, type, twips, button, held);
  }
  void click(QPointF twips) { clickAt(window, twips); }
  // Drags the tile of a hand slot so that the floating tile's corner lands at `corner`.
  void drag(int slot, QPointF corner) {
    const QPointF grab = TableScene::jogSlot(slot) + QPointF(240, 480);
    send(QEvent::MouseMove, {6000, 3000}, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    // The grab point: 45 twips up and left of where it was pressed on an ivory tile.
    const QPointF at = corner + (grab - window.scene().PicMover->pos()) - QPointF(45, 45);
    send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
  void settle() {
    QElapsedTimer clock;
    clock.start();
    do {
      QCoreApplication::processEvents();
    } while (window.match().awaiting() == Match::Awaiting::Nothing && clock.elapsed() < 10000);
  }

  // One action of the player, by the mouse.
  void act(std::mt19937& random) {
    const GameState& state = window.match().state();
    if (window.match().awaiting() == Match::Awaiting::PileTile) {
      std::vector<int> free;
      for (int k = 1; k <= kTileCount; ++k) {
        if (!state.pileTaken(k)) free.push_back(k);
      }
      PictureItem* tile = window.actions().ImgMontao(free[random() % free.size()]);
      click(tile->sceneBoundingRect().center());
    } else if (window.match().passOffered()) {
      click({7920 + 300, 8160 + 100});
    } else {
      Autoplayer chooser(window.match(), sameRandom_);
      const Move move = chooser.chooseMove();
      const auto [top, left] = chooser.dropPoint(move.lado);
      drag(move.slot, {left, top});
    }
    settle();
  }

  QTemporaryDir dir;
  Settings settings;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  RandomSource random{GetParam() ? 1234u : 5678u};
  RandomSource sameRandom_{1};
  DialogDriver dialogs;
  Form1 window{settings, store, random};
};

TEST_P(MouseMatchTest, WholeMatchesWithTheMouseOnly) {
  constexpr int kMatches = 2;
  int matchesStarted = 0;
  int deals = 0;
  dialogs.always<FrmNovoJogo>([&](FrmNovoJogo& d) {
    // Play the matches asked for, then leave: the program ends.
    QTest::mouseClick(matchesStarted++ < kMatches ? static_cast<QWidget*>(d.Label1) : d.Label4, Qt::LeftButton);
  });
  dialogs.always<QMessageBox>([&](QMessageBox& box) {
    QTest::mouseClick(static_cast<QWidget*>(box.button(QMessageBox::Ok)), Qt::LeftButton);
  });
  dialogs.always<FrmFimdeJogo>([&](FrmFimdeJogo& end) { QTest::mouseClick(end.Lbcaption2, Qt::LeftButton); });

  window.show();
  settle();
  std::mt19937 random(GetParam() ? 7 : 8);
  int actions = 0;
  while (window.isVisible() && window.match().awaiting() != Match::Awaiting::Finished && actions < 20000) {
    const GameState& state = window.match().state();
    // At every new deal the scores beside the seats are the game's scores.
    if (window.match().awaiting() == Match::Awaiting::PileTile && state.Pegas.count() < 7) {
      for (int seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(window.scene().LbPontos[seat]->caption(), QStringLiteral("%1 pts").arg(state.Pontos[seat]))
            << "seat " << seat;
      }
      deals += state.Pegas.none();
    }
    act(random);
    ++actions;
  }
  EXPECT_FALSE(window.isVisible());  // the last dialog was left: the program ended
  EXPECT_EQ(matchesStarted, kMatches + 1);
  EXPECT_GT(deals, 4);
  EXPECT_EQ(window.match().awaiting(), Match::Awaiting::Finished);
}

INSTANTIATE_TEST_SUITE_P(IndividualAndPairs, MouseMatchTest, ::testing::Bool());

}  // namespace
}  // namespace tavolix
