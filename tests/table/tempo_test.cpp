// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The game's tempo at the table: what it waits for, and when; and that it
// never waits for a seat that thinks.
#include <atomic>
#include <set>

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include "game_window.h"
#include "window_support.h"

namespace tavolix {
namespace {

class TempoTest : public WindowTest {
 protected:
  const PictureItem& tileAt(int seat, int slot) {
    return seat == kJog ? scene().handTile(slot) : scene().computerTile(seat, slot);
  }
  // From now on, each tile closing a gap in a hand must move towards the place
  // of the one before it; the steps seen so are counted for each seat in `steps`.
  void watchHandsClosingUp(std::array<int, kSeatCount>& steps) {
    for (int seat = kJog; seat <= kMac3; ++seat) {
      for (int slot = 1; slot <= kHandSlots; ++slot) home_[seat][slot] = tileAt(seat, slot).pos();
    }
    window.pacer().setStepListener([this, &steps](int) {
      for (int seat = kJog; seat <= kMac3; ++seat) {
        for (int slot = 2; slot <= kHandSlots; ++slot) {
          const QPointF at = tileAt(seat, slot).pos();
          if (at == home_[seat][slot]) continue;
          ++steps[seat];
          const QPointF before = home_[seat][slot - 1];
          EXPECT_LT(QLineF(at, before).length(), QLineF(home_[seat][slot], before).length())
              << "seat " << seat << ", slot " << slot;
        }
      }
    });
  }
  ~TempoTest() override { window.pacer().setStepListener({}); }

 private:
  std::array<std::array<QPointF, kHandSlots + 1>, kSeatCount> home_{};
};

// The player lays 3:6 on end A and it goes at once; Mac1 cannot play, and its
// tile flashes twice; Mac2 answers with 1:3 and Mac3 with 1:2, each thinking
// (its dots showing), then lifting its tile a moment before it leaves, with a
// pause between two computer turns.
TEST_F(TempoTest, EachComputerThinksBeforeItsTileLeavesAndAPassFlashesTwice) {
  const Position p =
      playerLeadsWith36(handOf({"00", "44"}), handOf({"13", "00"}), handOf({"12", "00"}));
  playerToMove(p.state, p.chain);
  // Each wait, with what the table shows meanwhile: "thinks" (a seat's dots),
  // "lifted" (a computer's tile off its seat), "flash" (neither).
  std::vector<std::string> waits;
  // Mac1's pass is shown by the first tile it holds: out from its place,
  // flashing its face-down side twice, then back.
  const PictureItem& mac1First = scene().computerTile(kMac1, 1);
  const QPointF mac1Home = mac1First.pos();
  int flashes = 0;
  int outOfPlace = 0;
  // A tile slides to the chain a step each 15 ms; a hand closes up, and a passing
  // seat's tile jumps out and back, a step each 5 ms.
  std::set<int> beats;
  window.pacer().setStepListener([&beats](int ms) { beats.insert(ms); });
  window.pacer().setListener([&](int ms) {
    if (mac1First.isVisible() && mac1First.picture() == Picture::ImgCostasW) ++flashes;
    if (mac1First.pos() != mac1Home) ++outOfPlace;
    EXPECT_GE(state().QtdMesa, 3) << "a wait before the player's tile was laid";
    const char* shown = scene().marks().thinking()         ? "thinks"
                        : scene().movingTile().isVisible() ? "lifted"
                                                           : "flash";
    waits.push_back(std::to_string(ms) + " " + shown);
    // A flashing tile lies as its seat's tiles do.
    const auto lying = [this](int seat, int slot) {
      const QRectF r = scene().computerTile(seat, slot).boundingRect();
      return r.width() > r.height();
    };
    for (int seat = kMac1; seat <= kMac3; ++seat) {
      for (int slot = 2; slot <= kHandSlots; ++slot) {
        if (scene().computerTile(seat, slot).isVisible()) {
          EXPECT_EQ(lying(seat, slot), lying(seat, 1)) << "seat " << seat << ", " << shown;
        }
      }
    }
  });
  layFirstTileOnA();
  window.pacer().setListener({});
  ASSERT_EQ(state().QtdMesa, 5);
  window.pacer().setStepListener({});
  // 300 ms of thought, 300 more with the tile lifted, 200 between two computer
  // turns, 170 for each flash of a passing seat's tile.
  const auto wait = [](int ms, const char* shown) { return std::to_string(ms) + " " + shown; };
  const std::string think = wait(300, "thinks");
  const std::string lift = wait(300, "lifted");
  const std::string between = wait(200, "thinks");
  const std::string flash = wait(170, "flash");
  EXPECT_EQ(waits, (std::vector<std::string>{flash, flash, flash, flash, between, think, lift,
                                             between, think, lift}));
  EXPECT_EQ(beats, (std::set<int>{5, 15}));
  EXPECT_EQ(flashes, 2);
  EXPECT_EQ(outOfPlace, 4);
  EXPECT_EQ(mac1First.pos(), mac1Home);
}

// A passing seat's first tile jumps out along its row, away from the tiles
// after it, and comes back.
TEST_F(TempoTest, APassingSeatsTileJumpsOutAlongItsRowAndBack) {
  const Position p =
      playerLeadsWith36(handOf({"00", "44"}), handOf({"11", "45"}), handOf({"12", "24"}));
  playerToMove(p.state, p.chain);
  std::array<QPointF, kSeatCount> home{};
  std::array<QPointF, kSeatCount> farthest{};
  for (int seat = kMac1; seat <= kMac3; ++seat)
    home[seat] = farthest[seat] = scene().computerTile(seat, 1).pos();
  window.pacer().setStepListener([&](int) {
    for (int seat = kMac1; seat <= kMac3; ++seat) {
      const QPointF at = scene().computerTile(seat, 1).pos();
      if (QLineF(home[seat], at).length() > QLineF(home[seat], farthest[seat]).length())
        farthest[seat] = at;
    }
  });
  layFirstTileOnA();
  window.pacer().setStepListener({});
  ASSERT_EQ(state().QtdMesa, 3);  // all three passed
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    const QPointF away = home[seat] - scene().computerTile(seat, 2).pos();
    const QPointF moved = farthest[seat] - home[seat];
    EXPECT_GT(QPointF::dotProduct(moved, away), 0) << seat;
    EXPECT_NEAR(moved.x() * away.y() - moved.y() * away.x(), 0, 1e-6) << seat;  // along it
    EXPECT_EQ(scene().computerTile(seat, 1).pos(), home[seat]) << seat;
  }
}

// Each seat lays the tile of its first slot: the tile after it closes the gap,
// towards the first slot, in every hand.
TEST_F(TempoTest, AHandClosesItsGapTowardsItsFirstSlot) {
  const Position p =
      playerLeadsWith36(handOf({"13", "00"}), handOf({"12", "00"}), handOf({"23", "00"}));
  playerToMove(p.state, p.chain);
  std::array<int, kSeatCount> steps{};
  watchHandsClosingUp(steps);
  layFirstTileOnA();
  ASSERT_EQ(state().QtdMesa, 6);
  for (int seat = kJog; seat <= kMac3; ++seat) EXPECT_TRUE(state().hand(seat)[2].empty()) << seat;
  for (int seat = kJog; seat <= kMac3; ++seat) EXPECT_GT(steps[seat], 0) << seat;
}

// A seat that thinks long leaves the window painting and its timers running:
// it thinks until the window's timer has ticked five times, which it could
// never do if the window waited for it.
TEST_F(GameWindowTest, TheWindowGoesOnWhileAComputerSeatThinks) {
  struct SlowThinker : ComputerSeat {
    bool thinksLong() const override { return true; }
    SeatAnswer think(const GameState& state, const Settings& rules, int seat,
                     const std::vector<HandEvent>&, std::uint64_t) override {
      offTheWindowsThread = QThread::currentThread() != qApp->thread();
      QDeadlineTimer patience(60000);
      while (ticks < 5 && !patience.hasExpired()) QThread::msleep(5);
      return turn(state, rules, seat);
    }
    bool offTheWindowsThread = false;
    std::atomic<int> ticks = 0;
  } slow;
  window.match().setSeat(kMac1, slow);
  dealFirstHand();  // Mac3 opens with 6:6; the player lays 0:6 and Mac1 thinks
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&slow] { ++slow.ticks; });
  timer.start(20);
  bool laid = false;
  ASSERT_NO_FATAL_FAILURE(playByMouse(laid));
  EXPECT_TRUE(slow.offTheWindowsThread);
  EXPECT_GE(slow.ticks, 5);
  EXPECT_EQ(state().QtdMesa, 3);
}

}  // namespace
}  // namespace tavolix
