// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The trace checker: the simulator's matches hold under it, and each kind of
// wrong line is found.
#include <sstream>

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "simulator.h"
#include "trace_check.h"

namespace tavolix::sim {
namespace {

QByteArray simulatedTrace(long matches, bool pairs) {
  Options options;
  options.matches = matches;
  options.seed = 5;
  options.mixedRules = !pairs;
  options.pairs = pairs;
  std::ostringstream trace;
  const Summary summary = simulate(options, &trace);
  EXPECT_EQ(summary.violations, 0);
  return QByteArray::fromStdString(trace.str());
}

TEST(TraceCheck, TheSimulatorsMatchesHoldUnderEveryRule) {
  const QByteArray trace = simulatedTrace(120, false);
  const TraceCheck check = checkTrace(trace);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
  EXPECT_EQ(check.matches, 120);
  EXPECT_GT(check.hands, 1000);
  EXPECT_EQ(check.moves, trace.count(R"({"ev":"play")") + trace.count(R"({"ev":"pass")"));
}

// The trace with the first match of `pattern` (from `from` on) replaced by `with`.
QByteArray changed(QByteArray trace, const char* pattern, const QString& with, int from = 0) {
  const QRegularExpression re(QString::fromLatin1(pattern));
  QString text = QString::fromUtf8(trace);
  const auto found = re.match(text, from);
  EXPECT_TRUE(found.hasMatch()) << pattern;
  text.replace(found.capturedStart(), found.capturedLength(), found.captured(0).replace(re, with));
  return text.toUtf8();
}

std::string firstProblem(const QByteArray& trace) {
  const TraceCheck check = checkTrace(trace);
  return check.problems.empty() ? std::string("none") : check.problems.front();
}

TEST(TraceCheck, EachKindOfWrongLineIsFound) {
  const QByteArray trace = simulatedTrace(4, true);
  ASSERT_EQ(firstProblem(trace), "none");
  const auto finds = [&](const QByteArray& wrong, const char* problem) {
    EXPECT_NE(firstProblem(wrong).find(problem), std::string::npos)
        << "expected: " << problem << "\nfound: " << firstProblem(wrong);
  };
  // A second move: a tile the seat does not hold, the ends misreported, out of turn.
  const int opening = static_cast<int>(trace.indexOf(R"x("side":"")x"));
  const int secondPlay = static_cast<int>(trace.indexOf(R"x({"ev":"play")x", opening + 1));
  finds(changed(trace, R"x("tile":"\d\d","side":"[AB]")x",
                QStringLiteral(R"x("tile":"77","side":"A")x"), secondPlay),
        "not in that slot");
  finds(changed(trace, R"x("ends":\[\d,\d\])x", QStringLiteral(R"x("ends":[9,9])x"), secondPlay),
        "the ends are not those the chain shows");
  finds(changed(trace, R"x("seat":\d,"slot")x", QStringLiteral(R"x("seat":5,"slot")x"), secondPlay),
        "out of turn");
  // The deal, the end of a hand and of the match.
  finds(changed(trace, R"x("hands":\[\["(\d\d)","(\d\d)")x",
                QStringLiteral(R"x("hands":[["\2","\2")x")),
        "dealt twice");
  for (const char* tile : {R"x("")x", R"x("7")x", R"x("ab")x"}) {
    finds(changed(trace, R"x("hands":\[\["\d\d")x",
                  QStringLiteral(R"x("hands":[[%1)x").arg(QLatin1String(tile))),
          "a hand holds something that is not a tile");
  }
  finds(changed(trace, R"x("ev":"(out|blocked)"(.*)"points":\d+)x",
                QStringLiteral(R"x("ev":"\1"\2"points":99)x")),
        "points are not what the rules give");
  finds(changed(trace, R"x("quemInicia":(\d),"scores":\[\d+)x",
                QStringLiteral(R"x("quemInicia":\1,"scores":[77)x")),
        "scores are not the sum");
  finds(changed(trace, R"x("ev":"matchEnd","winner":\d)x",
                QStringLiteral(R"x("ev":"matchEnd","winner":3)x")),
        "another seat won");
  // The opener; the way of going out; the next opener.
  finds(changed(trace, R"x("quemInicia":(\d)\})x", QStringLiteral(R"x("quemInicia":7})x")),
        "the deal names another opener than the holder of 6:6");
  finds(
      changed(trace, R"x("kind":"Batida [^"]*")x", QStringLiteral(R"x("kind":"Batida Nenhuma")x")),
      "the way of going out is not the one the last move makes");
  finds(changed(trace, R"x("ev":"out","seat":(\d))x", QStringLiteral(R"x("ev":"out","seat":9)x")),
        "another seat went out");
  finds(changed(trace, R"x(\{"ev":"out","seat":0,)x", QStringLiteral(R"x({"ev":"out",)x")),
        "another seat went out");  // no seat is not the first seat
  finds(changed(trace, R"x("kind":"([^"]*)","quemInicia":\d)x",
                QStringLiteral(R"x("kind":"\1","quemInicia":8)x")),
        "the next opener is not the one the rules name");
  // The first hand opened by the holder of 6:6 with another of its tiles.
  const QJsonObject firstDeal = QJsonDocument::fromJson(trace.split('\n')[1]).object();
  const QJsonArray opener =
      firstDeal[QLatin1String("hands")][firstDeal[QLatin1String("quemInicia")].toInt()].toArray();
  const int other = opener[0].toString() == QLatin1String("66") ? 1 : 0;
  finds(changed(trace, R"x("slot":\d,"tile":"66","side":"")x",
                QStringLiteral(R"x("slot":%1,"tile":"%2","side":"")x")
                    .arg(other + 1)
                    .arg(opener[other].toString())),
        "the hand is not opened with 6:6");
  // A later hand opened by another seat than the last hand's winner; a hand
  // said gone out that was blocked, or blocked with other pips than the hands hold.
  const int secondDeal = static_cast<int>(trace.indexOf(R"x({"ev":"deal")x", opening));
  finds(changed(trace, R"x("quemInicia":(\d)\})x", QStringLiteral(R"x("quemInicia":7})x"),
                secondDeal),
        "the deal names another opener than the last hand's winner");
  finds(changed(trace, R"x(\{"ev":"out",)x", QStringLiteral(R"x({"ev":"blocked",)x")),
        "the hand ends another way than the rules say");
  finds(changed(trace, R"x("totals":\[\d+,)x", QStringLiteral(R"x("totals":[99,)x")),
        "the pips left are not those in the hands");
  // A redeal asked by a seat without five doubles.
  QByteArray redealt = trace;
  redealt.insert(static_cast<int>(trace.indexOf('\n', opening) + 1),
                 R"x({"ev":"redeal","seat":0,"buchas":5})x"
                 "\n");
  finds(redealt, "a redeal without five doubles in the hand");
  // Events out of their place.
  finds(changed(trace, R"x(\{"ev":"match",)x", QStringLiteral(R"x({"ev":"hatch",)x")),
        "an event outside a match");
  finds(changed(trace, R"x(\{"ev":"pass",)x", QStringLiteral(R"x({"ev":"pause",)x")),
        "an unknown event");
  finds(changed(trace, R"x(\{"ev":"deal",[^\n]*\n)x", QString()), "a move before the deal");
  QByteArray nested = trace;
  nested.insert(static_cast<int>(trace.indexOf(R"x({"ev":"play")x")),
                trace.left(trace.indexOf('\n') + 1));  // the match's first line again
  finds(nested, "a match begins before the last one ended");
  // A hand's end said twice: the second ends a hand that was never dealt.
  const QRegularExpressionMatch handEnd =
      QRegularExpression(QStringLiteral(R"x(\{"ev":"(out|blocked)"[^\n]*\n)x"))
          .match(QString::fromUtf8(trace));
  ASSERT_TRUE(handEnd.hasMatch());
  const QByteArray line = handEnd.captured().toUtf8();
  QByteArray endedTwice = trace;
  endedTwice.insert(static_cast<int>(trace.indexOf(line) + line.size()), line);
  finds(endedTwice, "a hand ends that is not over");
  // A pass left out puts every later move out of turn; a match cut short is seen.
  finds(changed(trace, R"x(\{"ev":"pass"[^\n]*\n)x", QString()), "out of turn");
  finds(trace.left(trace.lastIndexOf(R"x({"ev":"matchEnd")x")), "does not end");
  finds("not json\n", "not a JSON object");
}

}  // namespace
}  // namespace tavolix::sim
