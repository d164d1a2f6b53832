// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match in the real window, played by mouse clicks.
#pragma once

#include <map>

#include "dialogs/frm_fimde_jogo.h"
#include "support/tiles.h"
#include "window_support.h"

namespace tavolix {

class GameWindowTest : public WindowTest {
 protected:
  // A first hand dealt as `deal` (by default kOrderedDeal: Mac3 opens with
  // 6:6): the player's seven clicks.
  void dealFirstHand(const std::array<std::vector<std::string_view>, 4>& deal = kOrderedDeal) {
    random.stackDeal(deal);
    startMatch();
    for (int seat = 1; seat <= 3; ++seat) random.takeOwnTiles(seat);
    for (int position = 1; position <= 7; ++position) clickPile(position);
    ASSERT_EQ(awaiting(), Match::Awaiting::Move);
  }
  // Does by mouse what the game waits for: a click on the first face-down
  // tile, the Pass command, or the first tile that fits dragged to its end
  // (`laid` then says so).
  void playByMouse(bool& laid) {
    laid = false;
    if (awaiting() == Match::Awaiting::PileTile) {
      for (int position = 1; position <= kTileCount; ++position) {
        if (!state().pileTaken(position)) {
          clickPile(position);
          return;
        }
      }
    }
    ASSERT_EQ(awaiting(), Match::Awaiting::Move);
    if (table_->match().passOffered()) {
      click(TableScene::Command::Pass);
      return;
    }
    const GameState& s = state();
    int slot = 0;
    for (int k = 1; k <= kHandSlots && slot == 0; ++k) {
      const TileCode t = s.PedrasJog[k];
      const bool fits = s.QtdMesa == 0 ? !s.PrimeiraRodada || t == tile("66")
                                       : t.holds(s.PontaA) || t.holds(s.PontaB);
      if (!t.empty() && fits) slot = k;
    }
    ASSERT_GT(slot, 0);
    // The tile's corner taken to the end it fits (on an ivory tile the grab point
    // lies 45 twips up and left of the pointer).
    const ChainGeometry& chain = table_->match().chain();
    QPointF corner(geometry::kFirstTile.left, geometry::kFirstTile.top);
    if (s.QtdMesa > 0) {
      corner = s.PedrasJog[slot].holds(s.PontaA) ? QPointF(chain.EsqA, chain.TopoA)
                                                 : QPointF(chain.EsqB, chain.TopoB);
    }
    const QPointF to = corner + QPointF(240 - 45, 465 - 45);
    const int before = s.QtdMesa;
    const std::size_t handsBefore = table_->match().handsPlayed().size();
    sendMouseAt(*table_, QEvent::MouseMove, slotMiddle(slot), Qt::NoButton, Qt::NoButton);
    sendMouseAt(*table_, QEvent::MouseButtonPress, slotMiddle(slot), Qt::LeftButton,
                Qt::LeftButton);
    sendMouseAt(*table_, QEvent::MouseMove, (slotMiddle(slot) + to) / 2, Qt::NoButton,
                Qt::LeftButton);
    sendMouseAt(*table_, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouseAt(*table_, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    settle();
    ASSERT_TRUE(state().QtdMesa > before || table_->match().handsPlayed().size() > handsBefore)
        << "the tile of slot " << slot << " was not taken";
    laid = true;
  }
  // Plays by mouse until the end-of-match window comes, and is accepted, or
  // 2,000 actions have gone by; `ended` says whether it came, `laid` counts
  // his tiles laid.
  void playToTheMatchsEnd(bool& ended, int* laid = nullptr) {
    ended = false;
    dialogs.always<FrmFimdeJogo>([&ended](FrmFimdeJogo& end) {
      ended = true;
      end.accept();
    });
    // The table keeps nothing of the hands gone by: each deal begins with as many items.
    std::map<std::size_t, qsizetype> itemsAtDeal;
    for (int step = 0; step < 2000 && !ended; ++step) {
      if (awaiting() == Match::Awaiting::PileTile)
        itemsAtDeal.try_emplace(window.match().handsPlayed().size(), scene().items().size());
      bool placed = false;
      ASSERT_NO_FATAL_FAILURE(playByMouse(placed));
      if (laid != nullptr) *laid += placed;
    }
    for (const auto& [hand, items] : itemsAtDeal)
      EXPECT_EQ(items, itemsAtDeal.begin()->second) << "at the deal of hand " << hand + 1;
  }
};

}  // namespace tavolix
