// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "startup_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "game/random_source.h"
#include "table/online_session.h"
#include "table/pacer.h"
#include "tavolix/version.h"

namespace tavolix {

std::string helpText() {
  return QCoreApplication::translate(
             "tavolix::StartupOptions",
             "Uso: tavolix [--help] [--version] [--lang pt|en] [--quit-after-paint]\n"
             "             [tavolix://ENDEREÇO:PORTA/CÓDIGO]\n"
             "\n"
             "Tavolix: dominó contra três jogadores do computador, ou com amigos pela\n"
             "rede, cada um por si ou em duplas, com a contagem brasileira.\n"
             "\n"
             "Um link tavolix://ENDEREÇO:PORTA/CÓDIGO leva direto à mesa online desse\n"
             "código; com o jogo já aberto, é a janela dele que vai à mesa.\n"
             "\n"
             "Opções:\n"
             "  -h, --help     mostra esta ajuda e sai\n"
             "  -v, --version  mostra a versão e sai\n"
             "  --lang pt|en   joga em português ou em inglês, só desta vez\n"
             "  --quit-after-paint\n"
             "                 sai assim que a mesa é desenhada, antes de qualquer\n"
             "                 janela (para medir o início)\n"
             "\n"
             "Ambiente:\n"
             "  TAVOLIX_SEED   um número inteiro: as mesmas pedras a cada vez\n"
             "  TAVOLIX_PACE   escala as esperas do jogo: 1 normal, 0.5 duas vezes mais\n"
             "                 rápido, 0 sem esperas\n"
             "  XDG_CONFIG_HOME\n"
             "                 a pasta das configurações (~/.config se vazia):\n"
             "                 Vantorel/Tavolix.conf dentro dela\n"
             "  XDG_DATA_HOME  a pasta dos dados (~/.local/share se vazia): a partida\n"
             "                 em andamento e as estatísticas, em Vantorel/Tavolix\n"
             "\n"
             "As opções do Qt (-platform, -style, -reverse...) também são aceitas.\n")
      .toStdString();
}

StartupOptions readStartupOptions(const QStringList& arguments, const char* seedText,
                                  const char* paceText) {
  StartupOptions options;
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption quitAfterPaint(QStringLiteral("quit-after-paint"));
  const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("pt|en"));
  parser.addOptions({help, version, quitAfterPaint, lang});
  const auto refuse = [&options](const QString& why) {
    options.action = StartupOptions::Action::Refuse;
    options.output =
        "tavolix: " + why.toStdString() + "\n" +
        QCoreApplication::translate("tavolix::StartupOptions", "Veja 'tavolix --help'.")
            .toStdString() +
        "\n";
    return options;
  };
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty()) return refuse(parser.errorText());
    const QString& name = unknown.front();
    return refuse(
        QCoreApplication::translate("tavolix::StartupOptions", "opção desconhecida '%1%2'")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
  }
  const QStringList positional = parser.positionalArguments();
  for (const QString& argument : positional) {
    QUrl url;
    QString code;
    if (!argument.startsWith(QLatin1String("tavolix:"), Qt::CaseInsensitive) ||
        positional.size() > 1) {
      return refuse(
          QCoreApplication::translate("tavolix::StartupOptions", "argumento desconhecido '%1'")
              .arg(argument));
    }
    if (!OnlineSession::readLink(argument, url, code)) {
      return refuse(QCoreApplication::translate(
                        "tavolix::StartupOptions",
                        "'%1' não é o link de uma mesa: tavolix://ENDEREÇO:PORTA/CÓDIGO")
                        .arg(argument));
    }
    options.link = argument;
  }
  if (parser.isSet(lang)) {
    const QString code = parser.value(lang);
    if (code != QLatin1String("pt") && code != QLatin1String("en")) {
      return refuse(QCoreApplication::translate("tavolix::StartupOptions",
                                                "língua desconhecida '%1': use pt ou en")
                        .arg(code));
    }
    options.language = code.toStdString();
  }
  if (parser.isSet(help)) {
    options.action = StartupOptions::Action::ShowHelp;
    options.output = helpText();
    return options;
  }
  if (parser.isSet(version)) {
    options.action = StartupOptions::Action::ShowVersion;
    options.output = std::string("tavolix ") + version::kText + "\n" +
                     QCoreApplication::translate(
                         "tavolix::StartupOptions",
                         "Copyright (C) 2026 os desenvolvedores do Tavolix\n"
                         "Licença GPL-3.0-or-later: GNU GPL versão 3 ou posterior "
                         "<https://gnu.org/licenses/gpl.html>.\n"
                         "Este é um software livre: você pode modificá-lo e redistribuí-lo.\n"
                         "NÃO HÁ GARANTIA, na máxima extensão permitida por lei.\n")
                         .toStdString();
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
                                 "' is not a number from 0 to 100; the game keeps its own pace.");
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
