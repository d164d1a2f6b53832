#include <chrono>
#include <ctime>

#include <QTimer>
#include <gtest/gtest.h>

#include "table/pacer.h"

namespace tavolix {
namespace {

// Every test leaves the pace as the test main set it.
class PacerTest : public ::testing::Test {
 protected:
  void TearDown() override { pacer::setPace(0.0); }
};

TEST_F(PacerTest, ScalesEveryWaitByThePace) {
  pacer::setPace(1.0);
  EXPECT_EQ(pacer::scaled(200), 200);
  pacer::setPace(0.5);
  EXPECT_EQ(pacer::scaled(200), 100);
  EXPECT_EQ(pacer::scaled(25), 13);
  pacer::setPace(2.0);
  EXPECT_EQ(pacer::scaled(15), 30);
  pacer::setPace(0.0);
  EXPECT_EQ(pacer::scaled(2000), 0);
  pacer::setPace(-1.0);
  EXPECT_EQ(pacer::pace(), 0.0);
  pacer::setPace(1.0);
  EXPECT_EQ(pacer::scaled(-5), 0);
}

TEST_F(PacerTest, PaceTexts) {
  EXPECT_EQ(pacer::parsePace("1"), 1.0);
  EXPECT_EQ(pacer::parsePace("0.5"), 0.5);
  EXPECT_EQ(pacer::parsePace(" 0 "), 0.0);
  for (std::string_view bad : {"", "fast", "-1", "1x", "inf", "nan", ",5"}) {
    EXPECT_FALSE(pacer::parsePace(bad).has_value()) << bad;
  }
}

TEST_F(PacerTest, AtPaceZeroAWaitOnlyLetsPendingEventsRun) {
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  pacer::wait(100000);  // would be over a minute at the game's pace
  EXPECT_TRUE(ran);
}

TEST_F(PacerTest, AWaitKeepsTheEventLoopGoingWithoutSpinning) {
  pacer::setPace(1.0);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(10);

  const auto wallStart = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  pacer::wait(150);
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const auto wallMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - wallStart).count();

  EXPECT_GE(wallMs, 140);     // it does wait...
  EXPECT_GE(ticks, 3);        // ...while timers (painting, animations) go on...
  EXPECT_LT(cpuMs, wallMs / 2.0);  // ...asleep, not spinning
}

TEST_F(PacerTest, LettingEventsRunReturnsOnceThePendingOnesAreDone) {
  int runs = 0;
  QTimer::singleShot(0, [&runs] { ++runs; });
  QTimer::singleShot(0, [&runs] { ++runs; });
  pacer::letEventsRun();
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace tavolix
