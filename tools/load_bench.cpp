// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// tavolix-bench-load: N tables of four network players against a running
// tavolix-server, each table making one move every 1/pace seconds. It reports
// the moves made a second, the delay from a move sent to all four seats told
// of it (median and 99th percentile), and the server's share of a core and
// resident memory per table, read from /proc. See docs/performance.md.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QWebSocket>

#include <sys/resource.h>
#include <unistd.h>

#include "protocol/protocol.h"
#include "server/epoll_dispatcher.h"
#include "settings/json_fields.h"

namespace {

using namespace tavolix;

QElapsedTimer clock_;

struct ProcessFigures {
  double cpuSeconds = 0;
  long residentKiB = 0;
};

ProcessFigures figuresOf(qint64 pid) {
  ProcessFigures f;
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (stat.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    if (fields.size() > 13)
      f.cpuSeconds = (fields[12].toDouble() + fields[13].toDouble()) / sysconf(_SC_CLK_TCK);
  }
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (status.open(QIODevice::ReadOnly)) {
    for (const QByteArray& line : status.readAll().split('\n')) {
      if (line.startsWith("VmRSS:"))
        f.residentKiB = line.mid(6).trimmed().split(' ').first().toLong();
    }
  }
  return f;
}

class Table;

// One player: plays from his view, the first tile that fits, when the table lets him.
class Player : public QObject {
 public:
  Player(Table& table, int seat) : table_(table), seat_(seat) {
    connect(&socket_, &QWebSocket::textMessageReceived, this, &Player::receive);
  }
  void open(const QString& url) { socket_.open(QUrl(url)); }
  bool isOpen() const { return socket_.state() == QAbstractSocket::ConnectedState; }
  void send(const QByteArray& m) { socket_.sendTextMessage(QString::fromUtf8(m)); }
  // Sends his move, if he is asked; true when he was.
  bool move();
  QString code;

 private:
  void receive(const QString& text);
  Table& table_;
  int seat_;
  QWebSocket socket_;
  QJsonObject view_;
  bool otherEndFirst_ = false;
};

class Table {
 public:
  Table(const QString& url, int index) : url_(url), index_(index) {
    for (int seat = 0; seat < 4; ++seat) players_.push_back(std::make_unique<Player>(*this, seat));
  }
  void open() {
    for (auto& p : players_) p->open(url_);
  }
  bool allOpen() const {
    return std::all_of(players_.begin(), players_.end(), [](auto& p) { return p->isOpen(); });
  }
  void create() {
    Settings rules;
    rules.TipoJogo = 2;
    rules.TipoRegra = 2;
    rules.PontosLimit = Settings::kMaxLimitRule2;
    players_[0]->send(net::createMessage(rules, QStringLiteral("P%1").arg(index_), 0, {},
                                         ComputerLevel::Normal, 60, false));
  }
  void joined(const QString& code) {
    if (!code_.isEmpty() || code.isEmpty()) return;
    code_ = code;
    for (int seat = 1; seat < 4; ++seat)
      players_[seat]->send(net::joinMessage(code, QStringLiteral("P%1").arg(index_), seat));
  }
  void seated() {
    if (++seated_ == 4) players_[0]->send(net::message("start"));
  }
  bool started() const { return seated_ >= 4; }
  // One move, by whoever is asked; the time it was sent.
  void tick() {
    if (inFlight_) return;
    for (auto& p : players_) {
      if (p->move()) {
        inFlight_ = true;
        told_ = 0;
        sent_ = clock_.nsecsElapsed();
        return;
      }
    }
  }
  // The move was refused: nobody is told of it.
  void refused() { inFlight_ = false; }
  // A seat was told of a move.
  void told(std::vector<double>& delays, long& moves) {
    if (!inFlight_ || ++told_ < 4) return;
    inFlight_ = false;
    delays.push_back((clock_.nsecsElapsed() - sent_) / 1e6);
    ++moves;
  }
  static std::vector<double>* delays;
  static long* moves;

 private:
  QString url_;
  int index_;
  QString code_;
  int seated_ = 0;
  std::vector<std::unique_ptr<Player>> players_;
  bool inFlight_ = false;
  int told_ = 0;
  qint64 sent_ = 0;
};
std::vector<double>* Table::delays = nullptr;
long* Table::moves = nullptr;

void Player::receive(const QString& text) {
  const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
  const QString type = m.value(QLatin1String("type")).toString();
  if (type == QLatin1String("joined")) {
    table_.joined(m.value(QLatin1String("code")).toString());
    table_.seated();
  } else if (type == QLatin1String("view")) {
    view_ = m;
  } else if (type == QLatin1String("error")) {
    // Refused (laid where it would close the game other than "no natural"): the
    // other end at the table's next beat.
    view_.insert(QStringLiteral("turn"), seat_);
    otherEndFirst_ = !otherEndFirst_;
    table_.refused();
  } else if (type == QLatin1String("event")) {
    const QString event = m.value(QLatin1String("event")).toString();
    if (event == QLatin1String("took") || event == QLatin1String("played") ||
        event == QLatin1String("passed"))
      table_.told(*Table::delays, *Table::moves);
    if (event == QLatin1String("matchEnded")) view_ = {};
  }
}

bool Player::move() {
  if (view_.value(QLatin1String("turn")).toInt(-1) != seat_) return false;
  const QString asked = view_.value(QLatin1String("asked")).toString();
  if (asked == QLatin1String("pile")) {
    const QJsonArray taken = view_.value(QLatin1String("pileTaken")).toArray();
    int position = 1;
    while (taken.contains(position)) ++position;
    send(net::takeMessage(position));
  } else {
    const QJsonArray hand = view_.value(QLatin1String("hand")).toArray();
    const QJsonValue ends = view_.value(QLatin1String("ends"));
    QByteArray move = net::message("pass");
    if (ends.isNull()) {
      const bool must = view_.value(QLatin1String("mustOpenWithDoubleSix")).toBool();
      move = net::playMessage(
          *TileCode::fromText(
              (must ? QStringLiteral("66") : hand.first().toString()).toStdString()),
          Lado::First);
    } else {
      const Lado first = otherEndFirst_ ? Lado::B : Lado::A;
      const Lado second = otherEndFirst_ ? Lado::A : Lado::B;
      for (const QJsonValue value : hand) {
        const TileCode t = *TileCode::fromText(value.toString().toStdString());
        if (t.holds(ends.toArray().at(first == Lado::A ? 0 : 1).toInt())) {
          move = net::playMessage(t, first);
          break;
        }
        if (t.holds(ends.toArray().at(second == Lado::A ? 0 : 1).toInt())) {
          move = net::playMessage(t, second);
          break;
        }
      }
    }
    send(move);
  }
  view_.remove(QLatin1String("turn"));  // one move a view
  return true;
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

}  // namespace

int main(int argc, char* argv[]) {
  // Four thousand connections in one loop: epoll, as the server has.
  QCoreApplication::setEventDispatcher(new tavolix::server::EpollDispatcher);
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Load on a running tavolix-server."));
  parser.addHelpOption();
  const QCommandLineOption url(QStringLiteral("url"), QStringLiteral("The server."),
                               QStringLiteral("URL"), QStringLiteral("ws://127.0.0.1:47474"));
  const QCommandLineOption tables(QStringLiteral("tables"), QStringLiteral("Tables (default 100)."),
                                  QStringLiteral("N"), QStringLiteral("100"));
  const QCommandLineOption pace(QStringLiteral("pace"),
                                QStringLiteral("Moves a second at each table (default 1)."),
                                QStringLiteral("MOVES"), QStringLiteral("1"));
  const QCommandLineOption seconds(QStringLiteral("seconds"),
                                   QStringLiteral("How long to measure (default 30)."),
                                   QStringLiteral("S"), QStringLiteral("30"));
  const QCommandLineOption pid(QStringLiteral("server-pid"),
                               QStringLiteral("The server's process, for its CPU and memory."),
                               QStringLiteral("PID"), QStringLiteral("0"));
  parser.addOptions({url, tables, pace, seconds, pid});
  parser.process(app);
  const int tableCount = parser.value(tables).toInt();
  const double movesPerSecond = parser.value(pace).toDouble();
  const int measureSeconds = parser.value(seconds).toInt();
  const qint64 serverPid = parser.value(pid).toLongLong();
  if (tableCount < 1 || movesPerSecond <= 0 || measureSeconds < 1) {
    std::fprintf(stderr,
                 "tavolix-bench-load: --tables, --pace and --seconds take positive numbers\n");
    return 2;
  }
  // Four connections a table: as many files as the system lets this process have.
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);

  clock_.start();
  std::vector<double> delays;
  long moves = 0;
  Table::delays = &delays;
  Table::moves = &moves;
  const ProcessFigures empty = figuresOf(serverPid);
  std::vector<std::unique_ptr<Table>> all;
  for (int k = 0; k < tableCount; ++k) all.push_back(std::make_unique<Table>(parser.value(url), k));
  // Opened and seated a hundred tables at a time, so that the server is not flooded at once.
  const QDeadlineTimer setUpBy(120 * 1000);
  for (int from = 0; from < tableCount; from += 100) {
    const int to = std::min(tableCount, from + 100);
    for (int k = from; k < to; ++k) all[k]->open();
    while (!setUpBy.hasExpired() &&
           !std::all_of(all.begin() + from, all.begin() + to, [](auto& t) { return t->allOpen(); }))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (int k = from; k < to; ++k) all[k]->create();
    while (!setUpBy.hasExpired() &&
           !std::all_of(all.begin() + from, all.begin() + to, [](auto& t) { return t->started(); }))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  if (setUpBy.hasExpired()) {
    std::fprintf(stderr, "tavolix-bench-load: the tables were not all seated in 2 minutes\n");
    return 1;
  }

  // Every 5 ms, as many tables move as the pace asks for the time gone by, in turn.
  QTimer beat;
  beat.setInterval(5);
  beat.setTimerType(Qt::PreciseTimer);
  int next = 0;
  double owed = 0;
  QElapsedTimer sinceBeat;
  sinceBeat.start();
  QObject::connect(&beat, &QTimer::timeout, [&] {
    owed += tableCount * movesPerSecond * sinceBeat.nsecsElapsed() / 1e9;
    sinceBeat.restart();
    for (; owed >= 1; owed -= 1) all[(next++) % tableCount]->tick();
  });
  // A few seconds to settle, then the measure.
  beat.start();
  QDeadlineTimer warmUp(3000);
  while (!warmUp.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  delays.clear();
  moves = 0;
  const ProcessFigures before = figuresOf(serverPid);
  QElapsedTimer measured;
  measured.start();
  QDeadlineTimer end(measureSeconds * 1000);
  while (!end.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  const double elapsed = measured.elapsed() / 1000.0;
  const ProcessFigures after = figuresOf(serverPid);

  std::printf("tables %d, pace %.2f moves/s a table, measured %.1f s\n", tableCount, movesPerSecond,
              elapsed);
  std::printf("moves a second       %.0f (asked %.0f)\n", moves / elapsed,
              tableCount * movesPerSecond);
  std::printf("move to 4 seats told median %.2f ms, 99th percentile %.2f ms, most %.2f ms\n",
              percentile(delays, 0.5), percentile(delays, 0.99), percentile(delays, 1.0));
  if (serverPid > 0) {
    std::printf("server CPU           %.1f%% of a core\n",
                100 * (after.cpuSeconds - before.cpuSeconds) / elapsed);
    std::printf("server memory        %ld KiB with no table, %ld KiB seated, %.1f KiB a table\n",
                empty.residentKiB, after.residentKiB,
                double(after.residentKiB - empty.residentKiB) / tableCount);
  }
  return 0;
}
