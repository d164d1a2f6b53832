// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// How much of one core the game uses while it waits for the player, in the
// real window at the game's own pace: first while the pile waits for his
// tiles, then while the table waits for his move. A waiting game should
// sleep: the goal is below 1%.
//
//   xvfb-run -a build/tavolix-bench-idle [--seconds N]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "dialogs/frm_novo_jogo.h"
#include "game/autoplay.h"
#include "game/random_source.h"
#include "settings/settings_store.h"
#include "table/form1.h"
#include "table/pacer.h"

namespace {

using namespace tavolix;

// Lets the game run at no pace until it waits for the player.
void runUntilThePlayerIsNeeded(const Match& match) {
  pacer::setPace(0);
  while (match.awaiting() == Match::Awaiting::Nothing) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
}

// The share of one core used while the event loop runs for `seconds` at the game's pace.
double idleShare(double seconds) {
  pacer::setPace(1);
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  QElapsedTimer wall;
  const std::clock_t before = std::clock();
  wall.start();
  loop.exec();
  const double cpu = static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC;
  return 100.0 * cpu / (wall.nsecsElapsed() / 1e9);
}

}  // namespace

int main(int argc, char* argv[]) {
  double seconds = 10;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::max(1.0, std::atof(argv[i + 1]));
  }
  QApplication app(argc, argv);
  QTemporaryDir dir;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("bench.conf")));
  Settings settings;
  RandomSource random(7);
  pacer::setPace(0);
  Form1 window(settings, store, random);

  // The new game dialog: Play.
  QTimer answer;
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<FrmNovoJogo*>(QApplication::activeModalWidget()))
      dialog->Label1_Click();
  });
  answer.start();
  window.show();
  runUntilThePlayerIsNeeded(window.match());
  answer.stop();

  std::printf("Tavolix waiting for the player, %.0f s each, share of one core:\n", seconds);
  if (window.match().awaiting() == Match::Awaiting::PileTile) {
    std::printf("  the pile, waiting for his tiles   %.2f%%\n", idleShare(seconds));
    Autoplayer player(window.match(), random);
    pacer::setPace(0);
    while (window.match().awaiting() == Match::Awaiting::PileTile) player.act();
    runUntilThePlayerIsNeeded(window.match());
  }
  if (window.match().awaiting() == Match::Awaiting::Move) {
    std::printf("  the table, waiting for his move   %.2f%%\n", idleShare(seconds));
  }
  return 0;
}
