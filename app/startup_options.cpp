#include "startup_options.h"

#include <QCommandLineParser>

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

StartupOptions readStartupOptions(const QStringList& arguments, const char* seedText,
                                  const char* paceText) {
  StartupOptions options;
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption quitAfterPaint(QStringLiteral("quit-after-paint"));
  parser.addOptions({help, version, quitAfterPaint});
  const auto refuse = [&options](const QString& why) {
    options.action = StartupOptions::Action::Refuse;
    options.output = "tavolix: " + why.toStdString() + "\nTry 'tavolix --help'.\n";
    return options;
  };
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty()) return refuse(parser.errorText());
    const QString& name = unknown.front();
    return refuse(QStringLiteral("unknown option '%1%2'")
                      .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
  }
  if (!parser.positionalArguments().isEmpty()) {
    return refuse(QStringLiteral("unknown argument '%1'").arg(parser.positionalArguments()[0]));
  }
  if (parser.isSet(help)) {
    options.action = StartupOptions::Action::ShowHelp;
    options.output = helpText();
    return options;
  }
  if (parser.isSet(version)) {
    options.action = StartupOptions::Action::ShowVersion;
    options.output = std::string("tavolix ") + version::kText + "\n";
    return options;
  }
  options.quitAfterPaint = parser.isSet(quitAfterPaint);

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

bool displayNamed(const QStringList& rawArguments) {
#ifdef Q_OS_LINUX
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) return true;
  }
  return rawArguments.contains(QStringLiteral("-platform")) ||
         rawArguments.contains(QStringLiteral("-display"));
#else
  Q_UNUSED(rawArguments);
  return true;  // the desktop is always there
#endif
}

}  // namespace tavolix
