// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// tavolix-server: tables of dominoes for friends, played over WebSocket.
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QSslCertificate>
#include <QSslKey>
#include <QUrl>

#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "epoll_dispatcher.h"
#include "table_server.h"
#include "tavolix/version.h"

namespace {

using tavolix::server::TableServer;

int signalPipe[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  // Nothing else is safe in a signal handler: the event loop reads the byte.
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

[[noreturn]] void fail(const QString& message) {
  std::fprintf(stderr, "tavolix-server: %s\n", qUtf8Printable(message));
  std::exit(2);
}

QByteArray readWhole(const QString& path, const char* what) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    fail(QStringLiteral("the %1 %2 cannot be read: %3")
             .arg(QLatin1String(what), path, file.errorString()));
  return file.read(1 << 20);
}

TableServer::Options readOptions() {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Tables of dominoes played over WebSocket: the server runs the rules and shows each seat "
      "only what it may see."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption address(QStringLiteral("address"),
                                   QStringLiteral("The address to listen on (default: all)."),
                                   QStringLiteral("ADDRESS"), QStringLiteral("any"));
  const QCommandLineOption port(
      QStringLiteral("port"), QStringLiteral("The port to listen on (default 47474; 0: any free)."),
      QStringLiteral("PORT"), QStringLiteral("47474"));
  const QCommandLineOption state(QStringLiteral("state"),
                                 QStringLiteral("The folder tables are kept in, after every move."),
                                 QStringLiteral("DIR"));
  const QCommandLineOption cert(QStringLiteral("tls-cert"),
                                QStringLiteral("The certificate (PEM) for wss://."),
                                QStringLiteral("FILE"));
  const QCommandLineOption key(QStringLiteral("tls-key"),
                               QStringLiteral("The certificate's private key (PEM)."),
                               QStringLiteral("FILE"));
  const QCommandLineOption maxTables(QStringLiteral("max-tables"),
                                     QStringLiteral("The most tables held at once (default 1000)."),
                                     QStringLiteral("N"), QStringLiteral("1000"));
  const QCommandLineOption perAddress(
      QStringLiteral("max-connections-per-address"),
      QStringLiteral("The most connections from one address (default 64)."), QStringLiteral("N"),
      QStringLiteral("64"));
  const QCommandLineOption tablesPerAddress(
      QStringLiteral("max-tables-per-address"),
      QStringLiteral("The most tables made from one address and held at once (default 16)."),
      QStringLiteral("N"), QStringLiteral("16"));
  const QCommandLineOption rate(
      QStringLiteral("max-messages-per-second"),
      QStringLiteral("Messages a connection may send a second, on average (default 20)."),
      QStringLiteral("N"), QStringLiteral("20"));
  const QCommandLineOption trace(
      QStringLiteral("trace"),
      QStringLiteral("Write every match's moves to FILE, as tavolix-sim --trace does."),
      QStringLiteral("FILE"));
  const QCommandLineOption redis(
      QStringLiteral("redis"),
      QStringLiteral("Share the tables with the other servers using the Redis at HOST:PORT: any "
                     "of them sends a player to the table's server, and takes the tables of one "
                     "that dies."),
      QStringLiteral("HOST:PORT"));
  const QCommandLineOption publicUrl(
      QStringLiteral("public-url"),
      QStringLiteral("With --redis: where players reach this server, sent to them by the others "
                     "(default: the address and port it listens on)."),
      QStringLiteral("URL"));
  const QCommandLineOption serverId(
      QStringLiteral("server-id"),
      QStringLiteral("With --redis: this server's name among them, unique (default: drawn at "
                     "start)."),
      QStringLiteral("NAME"));
  const QCommandLineOption lease(
      QStringLiteral("lease"),
      QStringLiteral("With --redis: how long a server's hold on its tables lasts unless renewed, "
                     "in milliseconds; the tables of a server that dies are taken over after it "
                     "(default 6000)."),
      QStringLiteral("MS"), QStringLiteral("6000"));
  parser.addOptions({address, port, state, cert, key, maxTables, perAddress, tablesPerAddress, rate,
                     trace, redis, publicUrl, serverId, lease});
  // A wrong command line is told with status 2, as every error of the setting up is.
  if (!parser.parse(QCoreApplication::arguments()))
    fail(parser.errorText() + QStringLiteral(" (see --help)"));
  if (parser.isSet(help)) parser.showHelp(0);
  if (parser.isSet(version)) parser.showVersion();
  if (!parser.positionalArguments().isEmpty())
    fail(QStringLiteral("unexpected argument '%1' (see --help)")
             .arg(parser.positionalArguments().front()));

  TableServer::Options options;
  const QString where = parser.value(address);
  if (where != QLatin1String("any") && !options.address.setAddress(where))
    fail(QStringLiteral("'%1' is not an address").arg(where));
  bool ok = false;
  const uint portNumber = parser.value(port).toUInt(&ok);
  if (!ok || portNumber > 65535) fail(QStringLiteral("the port is a number from 0 to 65535"));
  options.port = static_cast<quint16>(portNumber);
  options.maxTables = parser.value(maxTables).toInt(&ok);
  if (!ok || options.maxTables < 1) fail(QStringLiteral("--max-tables takes a number above 0"));
  options.maxConnectionsPerAddress = parser.value(perAddress).toInt(&ok);
  if (!ok || options.maxConnectionsPerAddress < 1)
    fail(QStringLiteral("--max-connections-per-address takes a number above 0"));
  options.maxTablesPerAddress = parser.value(tablesPerAddress).toInt(&ok);
  if (!ok || options.maxTablesPerAddress < 1)
    fail(QStringLiteral("--max-tables-per-address takes a number above 0"));
  options.messagesPerSecond = parser.value(rate).toDouble(&ok);
  if (!ok || options.messagesPerSecond < 1)
    fail(QStringLiteral("--max-messages-per-second takes a number from 1"));
  options.stateDir = parser.value(state);
  options.traceFile = parser.value(trace);
  if (parser.isSet(cert) != parser.isSet(key))
    fail(QStringLiteral("--tls-cert and --tls-key go together"));
  if (parser.isSet(cert)) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    const QSslCertificate certificate(readWhole(parser.value(cert), "certificate"), QSsl::Pem);
    const QSslKey privateKey(readWhole(parser.value(key), "key"), QSsl::Rsa, QSsl::Pem);
    const QSslKey ecKey(readWhole(parser.value(key), "key"), QSsl::Ec, QSsl::Pem);
    if (certificate.isNull()) fail(QStringLiteral("the certificate is not one (PEM)"));
    if (privateKey.isNull() && ecKey.isNull())
      fail(QStringLiteral("the key is not an RSA or EC private key (PEM)"));
    tls.setLocalCertificate(certificate);
    tls.setPrivateKey(privateKey.isNull() ? ecKey : privateKey);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    options.tls = tls;
  }
  if (parser.isSet(redis)) {
#ifdef TAVOLIX_WITH_REDIS
    const QString hostPort = parser.value(redis);
    const qsizetype colon = hostPort.lastIndexOf(QLatin1Char(':'));
    const uint redisPort = hostPort.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || redisPort == 0 || redisPort > 65535)
      fail(QStringLiteral("--redis takes HOST:PORT"));
    options.redisHost = hostPort.left(colon);
    options.redisPort = static_cast<quint16>(redisPort);
#else
    fail(QStringLiteral("--redis: this server was built without Redis (libhiredis-dev)"));
#endif
  }
  options.publicUrl = parser.value(publicUrl);
  if (!options.publicUrl.isEmpty()) {
    const QUrl url(options.publicUrl, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("ws") && url.scheme() != QLatin1String("wss")))
      fail(QStringLiteral("--public-url takes a ws:// or wss:// address"));
  }
  options.serverId = parser.value(serverId);
  options.leaseMs = parser.value(lease).toInt(&ok);
  if (!ok || options.leaseMs < 300 || options.leaseMs > 600000)
    fail(QStringLiteral("--lease takes milliseconds from 300 to 600000"));
  // One generator, seeded once: from TAVOLIX_SEED when it names a seed.
  const char* seed = std::getenv("TAVOLIX_SEED");
  const auto fixed = seed ? tavolix::parseSeed(seed) : std::nullopt;
  options.seed = fixed.value_or(tavolix::unpredictableSeed());
  return options;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef Q_OS_LINUX
  // Thousands of connections: the loop asks epoll which are ready rather than poll() about each.
  QCoreApplication::setEventDispatcher(new tavolix::server::EpollDispatcher);
#endif
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tavolix-server"));
  QCoreApplication::setApplicationVersion(QLatin1String(tavolix::version::kText));
  TableServer server(readOptions());

  // SIGTERM and SIGINT: stop taking players, keep every table, leave with 0.
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
    fail(QStringLiteral("no socket pair"));
  QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
    char byte;
    [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
    server.stop();
    QCoreApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  // A connection is a file: as many as the system allows this process.
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
  }

  QString error;
  if (!server.start(error)) fail(error);
  return QCoreApplication::exec();
}
