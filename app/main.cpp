// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QLocale>
#include <QScreen>

#include "app/start_game.h"
#include "app/startup_options.h"
#include "app/termination.h"
#include "game/random_source.h"
#include "settings/settings_config.h"
#include "settings/settings_store.h"
#include "table/language.h"
#include "table/pacer.h"

int main(int argc, char* argv[]) {
  using namespace tavolix;
  // Before anything else: a request to stop that comes while the game starts
  // is kept until it can close the game cleanly.
  catchSignals();

  // With no display the command line is still answered (--help, --version, a
  // refusal) on Qt's offscreen platform; then the game says why it cannot play.
  QStringList raw;
  for (int i = 0; i < argc; ++i) raw.append(QString::fromLocal8Bit(argv[i]));
  const bool display = displayNamed(raw);
  if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The application takes Qt's own options (-platform, -reverse, ...) out of
  // the command line; what is left is the game's.
  QApplication app(argc, argv);
  presentApplication();
  const auto read = [] {
    return readStartupOptions(QCoreApplication::arguments(), std::getenv("TAVOLIX_SEED"),
                              std::getenv("TAVOLIX_PACE"));
  };
  // The language: the one asked for on the command line, else the one stored,
  // else the desktop's. The command line is read again in it, so that its
  // answers speak it too.
  SettingsStore store = SettingsStore::userStore();
  StartupOptions options = read();
  useLanguage(chooseLanguage(
      options.language ? QString::fromStdString(*options.language) : QString(),
      readText(store, stored::kLanguage, QString()), QLocale::system().uiLanguages()));
  options = read();
  switch (options.action) {
    case StartupOptions::Action::ShowHelp:
    case StartupOptions::Action::ShowVersion:
      std::fputs(options.output.c_str(), stdout);
      return EXIT_SUCCESS;
    case StartupOptions::Action::Refuse:
      std::fputs(options.output.c_str(), stderr);
      return 2;
    case StartupOptions::Action::Play:
      if (display) break;
      std::fprintf(stderr, "tavolix: %s\n",
                   QCoreApplication::translate(
                       "tavolix::StartupOptions",
                       "sem tela para mostrar a mesa (DISPLAY e WAYLAND_DISPLAY estão vazias)")
                       .toLocal8Bit()
                       .constData());
      return EXIT_FAILURE;
  }
  for (const std::string& warning : options.warnings)
    std::fprintf(stderr, "tavolix: %s\n", warning.c_str());

  pacer::setPace(options.pace);
  RandomSource random(options.seed.value_or(unpredictableSeed()));

  // The screen in its device pixels: a screen scaled to 200% is as able to
  // show the table as at 100%.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels =
      screen != nullptr ? screen->geometry().size() * screen->devicePixelRatio() : QSize();
  return startGame(app, store, random, pixels, options.quitAfterPaint, options.link);
}
