#include "startup_options.h"

#include "game/random_source.h"
#include "table/pacer.h"
#include "tavolix/version.h"

namespace tavolix {

std::string helpText() {
  return "Usage: tavolix [--help] [--version] [--quit-after-paint]\n"
         "\n"
         "Tavolix: dominoes for one player against three computer players,\n"
         "individually or in pairs, with Brazilian scoring.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this help and exit\n"
         "  -v, --version  show the version and exit\n"
         "  --quit-after-paint\n"
         "                 quit as soon as the table is first painted, before any\n"
         "                 dialog (to measure start-up)\n"
         "\n"
         "Environment:\n"
         "  TAVOLIX_SEED   a whole number: deal the same tiles every run\n"
         "  TAVOLIX_PACE   scale every wait of the game: 1 normal, 0.5 twice as fast, 0 no waits\n";
}

StartupOptions readStartupOptions(const std::vector<std::string>& arguments, const char* seedText,
                                  const char* paceText) {
  StartupOptions options;
  bool qtValueNext = false;
  for (const std::string& argument : arguments) {
    if (qtValueNext) {
      qtValueNext = false;
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      options.action = StartupOptions::Action::ShowHelp;
      options.output = helpText();
      return options;
    }
    if (argument == "-v" || argument == "--version") {
      options.action = StartupOptions::Action::ShowVersion;
      options.output = std::string("tavolix ") + version::kText + "\n";
      return options;
    }
    if (argument == "--quit-after-paint") {
      options.quitAfterPaint = true;
      continue;
    }
    // Qt's own options ("-platform offscreen", "-style fusion") are Qt's to read.
    if (argument.size() > 1 && argument[0] == '-' && argument[1] != '-') {
      qtValueNext = true;
      continue;
    }
    options.action = StartupOptions::Action::Refuse;
    options.output = "tavolix: unknown option '" + argument + "'\nTry 'tavolix --help'.\n";
    return options;
  }

  if (seedText != nullptr) {
    options.seed = parseSeed(seedText);
    if (!options.seed) {
      options.warnings.push_back(std::string("TAVOLIX_SEED '") + seedText +
                                 "' is not a whole number; the deals are not fixed.");
    }
  }
  if (paceText != nullptr) {
    if (const auto pace = pacer::parsePace(paceText)) {
      options.pace = *pace;
    } else {
      options.warnings.push_back(std::string("TAVOLIX_PACE '") + paceText +
                                 "' is not a number of 0 or more; the game keeps its own pace.");
    }
  }
  return options;
}

}  // namespace tavolix
