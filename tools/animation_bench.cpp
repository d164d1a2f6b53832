// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Times the table's animations at the game's own pace in the real window: a
// computer tile sliding to the chain and a hand closing up, at speeds 5, 15
// and 25, against what the game's tempo makes them: 300 ms + (Veloc - 1) x 15
// ms a slide, Veloc x 5 ms a slot closing up. Also the longest the event loop
// was kept from painting during each. `--width` sizes the window (the
// table keeps its shape; the screen must be large enough).
//
//   QT_QPA_PLATFORM=offscreen build/tavolix-bench-animation [--runs N] [--width PIXELS]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "game/random_source.h"
#include "settings/settings_store.h"
#include "table/form1.h"
#include "table/pacer.h"

namespace {

using namespace tavolix;

// The longest gap between two turns of the event loop while `work` runs.
struct Watch {
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer ticker;
  Watch() {
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [this] {
      const qint64 now = clock.nsecsElapsed();
      longest = std::max(longest, now - last);
      last = now;
    });
  }
  template <class Work>
  double run(Work&& work) {
    clock.start();
    last = 0;
    longest = 0;
    ticker.start();
    work();
    const double ms = clock.nsecsElapsed() / 1e6;
    ticker.stop();
    return ms;
  }
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  int runs = 5;
  int width = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--width") == 0) width = std::max(0, std::atoi(argv[i + 1]));
  }
  QApplication app(argc, argv);
  pacer::setPace(1.0);
  QTemporaryDir dir;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("bench.conf")));
  Settings settings;
  settings.TocarSom = false;
  RandomSource random(1);
  Form1 window(settings, store, random);
  window.setFirstActivationStartsMatch(false);
  window.show();
  if (width > 0) window.resize(width, width * 3 / 4);
  pacer::letEventsRun();

  // Mac1 holds seven tiles; each run slides its first one to side B and closes the row up.
  GameState hand;
  for (int i = 1; i <= 7; ++i) hand.PedrasMac1[i] = TileCode(1, i - 1);
  TableScene& scene = window.scene();
  scene.bindState(&hand);

  std::printf(
      "Veloc | slide ms (figure)      | close-up ms a slot (figure) | longest loop gap ms slide / "
      "close-up\n");
  for (int veloc : {5, 15, 25}) {
    settings.Veloc = static_cast<std::int16_t>(veloc);
    std::vector<double> slides, closeUps;
    double gapSlide = 0, gapClose = 0;
    for (int run = 0; run < runs; ++run) {
      scene.showHands();
      LaidTile laid;
      laid.seat = kMac1;
      laid.slot = 1;
      laid.side = Lado::B;
      laid.placement.index = 2;
      laid.placement.left = 6675;
      laid.placement.top = 4575;
      laid.placement.shown = TileCode(1, 2);
      Watch watch;
      slides.push_back(watch.run([&] { scene.layTile(laid); }));
      gapSlide = std::max(gapSlide, watch.longest / 1e6);
      closeUps.push_back(watch.run([&] { scene.closeUpHand(kMac1, 1); }) / 6);
      gapClose = std::max(gapClose, watch.longest / 1e6);
      scene.clearTable();
    }
    const double slideFigure = 300 + (veloc - 1) * 15.0;
    const double closeFigure = veloc * 5.0;
    const double slide = median(slides);
    const double close = median(closeUps);
    std::printf("%5d | %7.1f (%5.0f) %+5.1f%% | %7.1f (%4.0f) %+5.1f%%      | %5.1f / %5.1f\n",
                veloc, slide, slideFigure, 100 * (slide - slideFigure) / slideFigure, close,
                closeFigure, 100 * (close - closeFigure) / closeFigure, gapSlide, gapClose);
  }
  return 0;
}
