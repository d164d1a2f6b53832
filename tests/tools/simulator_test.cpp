#include <sstream>

#include <QProcess>
#include <gtest/gtest.h>

#include "sim_options.h"
#include "sim_trace.h"
#include "simulator.h"

namespace tavolix::sim {
namespace {

Options parsed(std::vector<std::string> arguments) {
  const auto result = parseOptions(arguments);
  if (const auto* error = std::get_if<std::string>(&result)) ADD_FAILURE() << *error;
  return std::get<Options>(result);
}

std::string refusal(std::vector<std::string> arguments) {
  const auto result = parseOptions(arguments);
  return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : std::string();
}

TEST(SimulatorOptions, EveryOption) {
  const Options o = parsed({"--matches", "50", "--seed=9", "--pairs", "--rule", "2", "--opening", "3",
                            "--anticlockwise", "--close-anywhere", "--limit", "150", "--trace", "t.jsonl"});
  EXPECT_EQ(o.matches, 50);
  EXPECT_EQ(o.seed, 9u);
  EXPECT_TRUE(o.pairs);
  EXPECT_EQ(o.rule, 2);
  EXPECT_EQ(o.opening, 3);
  EXPECT_TRUE(o.anticlockwise);
  EXPECT_TRUE(o.closeAnywhere);
  EXPECT_EQ(o.limit, 150);
  EXPECT_EQ(o.traceFile, "t.jsonl");
  EXPECT_TRUE(parsed({"--help"}).help);
  EXPECT_TRUE(parsed({"--mixed-rules", "--matches", "3"}).mixedRules);
}

TEST(SimulatorOptions, BadOptionsAreRefusedWithAReason) {
  EXPECT_NE(refusal({"--matches", "0"}).find("--matches"), std::string::npos);
  EXPECT_NE(refusal({"--matches", "ten"}).find("'ten'"), std::string::npos);
  EXPECT_NE(refusal({"--rule", "3"}).find("--rule"), std::string::npos);
  EXPECT_NE(refusal({"--opening", "0"}).find("--opening"), std::string::npos);
  EXPECT_NE(refusal({"--limit", "-4"}).find("--limit"), std::string::npos);
  EXPECT_NE(refusal({"--seed", "-1"}).find("--seed"), std::string::npos);
  EXPECT_NE(refusal({"--seed"}).find("needs a value"), std::string::npos);
  EXPECT_NE(refusal({"--pairs=yes"}).find("takes no value"), std::string::npos);
  EXPECT_NE(refusal({"--fast"}).find("unknown option '--fast'"), std::string::npos);
  EXPECT_NE(refusal({"--mixed-rules", "--pairs"}).find("--mixed-rules"), std::string::npos);
}

TEST(SimulatorTrace, EveryEventIsOneJsonLine) {
  std::ostringstream out;
  TraceWriter trace(out);
  Settings settings;
  trace.matchStarted(settings);
  GameState state;
  state.PontaA = 3;
  state.PontaB = 5;
  state.Pontos = {1, 0, 2, 4};
  state.QuemInicia = 2;
  state.Ordem = {0, 2, 3, 0, 1};
  state.PedrasJog[1] = TileCode(6, 6);
  trace.dealt(state);
  trace.redealt(1, 5);
  trace.played(1, 3, TileCode(3, 5), Lado::A, state);
  trace.played(0, 1, TileCode(6, 6), Lado::First, state);
  trace.passed(3, state);
  trace.wentOut(2, 4, "Batida Cruzada", state);
  trace.blocked({3, 9, 10, 12}, {0}, 1, state);
  trace.blocked({5, 9, 5, 12}, {}, 0, state);
  trace.matchEnded(3, {3, 2, 0, 1}, state);
  std::istringstream lines(out.str());
  std::vector<std::string> got;
  for (std::string line; std::getline(lines, line);) got.push_back(line);
  const std::vector<std::string> expected = {
      R"({"ev":"match","tipoJogo":1,"tipoRegra":1,"tipoInicio":1,"sentidoHorario":true,"pontosLimit":4,"fecharSoNoNatural":true})",
      R"({"ev":"deal","hands":[["66","","","","","",""],["","","","","","",""],["","","","","","",""],["","","","","","",""]],"ordem":[2,3,0,1],"quemInicia":2})",
      R"({"ev":"redeal","seat":1,"buchas":5})",
      R"({"ev":"play","seat":1,"slot":3,"tile":"35","side":"A","ends":[3,5]})",
      R"({"ev":"play","seat":0,"slot":1,"tile":"66","side":"","ends":[3,5]})",
      R"({"ev":"pass","seat":3,"ends":[3,5]})",
      R"({"ev":"out","seat":2,"points":4,"kind":"Batida Cruzada","quemInicia":2,"scores":[1,0,2,4]})",
      R"({"ev":"blocked","totals":[3,9,10,12],"scorers":[0],"points":1,"quemInicia":2,"scores":[1,0,2,4]})",
      R"({"ev":"blocked","totals":[5,9,5,12],"scorers":[],"points":0,"quemInicia":2,"scores":[1,0,2,4]})",
      R"({"ev":"matchEnd","winner":3,"scores":[1,0,2,4],"standings":[3,2,0,1]})",
  };
  EXPECT_EQ(got, expected);
  EXPECT_EQ(jsonString("a\"b\\c\r\n\x01ç"), "\"a\\\"b\\\\c\\r\\n\\u0001ç\"");
}

TEST(Simulator, PlaysWholeMatchesUnderEveryRuleWithNoViolation) {
  Options options;
  options.matches = 300;
  options.seed = 5;
  options.mixedRules = true;
  std::ostringstream trace;
  const Summary s = simulate(options, &trace);
  EXPECT_EQ(s.violations, 0) << (s.firstViolations.empty() ? "" : s.firstViolations.front());
  EXPECT_EQ(s.matches, 300);
  long wentOut = 0;
  for (const auto& [kind, n] : s.wentOut) wentOut += n;
  EXPECT_EQ(s.hands, wentOut + s.blocked);
  EXPECT_EQ(s.matchWins[0] + s.matchWins[1] + s.matchWins[2] + s.matchWins[3], 300);
  EXPECT_GT(s.redeals, 0);
  EXPECT_GT(s.ties, 0);
  for (const char* kind : {"Batida Simples", "Batida Lá e Lô", "Batida Carroção", "Batida Cruzada", ""}) {
    EXPECT_GT(s.wentOut.count(kind), 0u) << kind;
  }
  EXPECT_EQ(s.outsideWindow, 0);
  EXPECT_EQ(s.overlapping, 0);
  // The trace holds one line per event: a match line for each match, and so on.
  const std::string text = trace.str();
  std::size_t matchLines = 0;
  for (std::size_t at = text.find(R"("ev":"match",)"); at != std::string::npos; at = text.find(R"("ev":"match",)", at + 1)) {
    ++matchLines;
  }
  EXPECT_EQ(matchLines, 300u);
}

TEST(Simulator, ASeedReplaysTheSameMatches) {
  Options options;
  options.matches = 40;
  options.seed = 123;
  options.pairs = true;
  options.rule = 2;
  std::ostringstream first;
  std::ostringstream second;
  const Summary a = simulate(options, &first);
  const Summary b = simulate(options, &second);
  EXPECT_EQ(first.str(), second.str());
  EXPECT_EQ(a.hands, b.hands);
  options.seed = 124;
  std::ostringstream third;
  simulate(options, &third);
  EXPECT_NE(first.str(), third.str());
}

TEST(Simulator, TheSummaryEndsWithTheOneLineFigure) {
  Options options;
  options.matches = 5;
  options.seed = 1;
  const Summary s = simulate(options, nullptr);
  std::ostringstream out;
  printSummary(s, options, out);
  const std::string text = out.str();
  const std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
  EXPECT_EQ(last.rfind("5 matches, " + std::to_string(s.hands) + " hands, ", 0), 0u) << last;
  EXPECT_NE(last.find(" hands/s, 0 violations\n"), std::string::npos) << last;
}

TEST(Simulator, TheProgramRefusesBadOptionsWithExitCodeTwo) {
  QProcess sim;
  sim.start(QStringLiteral(TAVOLIX_SIM_EXECUTABLE), {QStringLiteral("--matches"), QStringLiteral("many")});
  ASSERT_TRUE(sim.waitForFinished(30000));
  EXPECT_EQ(sim.exitCode(), 2);
  EXPECT_TRUE(sim.readAllStandardError().contains("--matches"));
  sim.start(QStringLiteral(TAVOLIX_SIM_EXECUTABLE), {QStringLiteral("--matches"), QStringLiteral("3"), QStringLiteral("--seed"), QStringLiteral("2")});
  ASSERT_TRUE(sim.waitForFinished(30000));
  EXPECT_EQ(sim.exitCode(), 0);
  EXPECT_TRUE(sim.readAllStandardOutput().contains("3 matches, "));
}

}  // namespace
}  // namespace tavolix::sim
