#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QScreen>

#include "app/start_game.h"
#include "app/startup_options.h"
#include "game/random_source.h"
#include "settings/settings_store.h"
#include "table/pacer.h"

int main(int argc, char* argv[]) {
  using namespace tavolix;

  // Answer --help and --version before Qt looks for a display.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const StartupOptions options =
      readStartupOptions(arguments, std::getenv("TAVOLIX_SEED"), std::getenv("TAVOLIX_PACE"));
  switch (options.action) {
    case StartupOptions::Action::ShowHelp:
    case StartupOptions::Action::ShowVersion:
      std::fputs(options.output.c_str(), stdout);
      return EXIT_SUCCESS;
    case StartupOptions::Action::Refuse:
      std::fputs(options.output.c_str(), stderr);
      return 2;
    case StartupOptions::Action::Play:
      break;
  }
  for (const std::string& warning : options.warnings)
    std::fprintf(stderr, "tavolix: %s\n", warning.c_str());

  pacer::setPace(options.pace);
  RandomSource random(options.seed.value_or(unpredictableSeed()));

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavolix"));
  QApplication::setOrganizationName(QStringLiteral("Vantorel"));

  SettingsStore store = SettingsStore::userStore();
  // The screen in its device pixels: a screen scaled to 200% is as able to
  // show the table as at 100%.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels =
      screen != nullptr ? screen->geometry().size() * screen->devicePixelRatio() : QSize();
  return startGame(app, store, random, pixels, options.quitAfterPaint);
}
