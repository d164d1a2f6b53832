// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Whole matches without a window: the simulator, its referee and its trace.
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "duplicate.h"
#include "game/computer_player.h"
#include "game/match.h"
#include "game/random_source.h"
#include "game/referee.h"
#include "game/trace_writer.h"
#include "sim_options.h"
#include "sim_parts.h"
#include "simulator.h"

namespace tavolix {
namespace {

using sim::Options;

std::uint64_t fnv1a(const std::string& text) {
  std::uint64_t h = 0xcbf29ce484222325u;
  for (const unsigned char c : text) h = (h ^ c) * 0x100000001b3u;
  return h;
}

// What the simulator says of the options it refuses; nothing when it takes them.
std::string refusal(const std::vector<std::string>& arguments) {
  const auto result = sim::parseOptions(arguments);
  return std::holds_alternative<std::string>(result) ? std::get<std::string>(result)
                                                     : std::string();
}

TEST(Simulator, OptionsAndTheirRefusals) {
  const auto parsed =
      sim::parseOptions({"--matches", "50", "--seed=9", "--pairs", "--rule", "2", "--opening", "3",
                         "--anticlockwise", "--close-anywhere", "--limit", "150", "--trace", "t"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  const Options& o = std::get<Options>(parsed);
  EXPECT_EQ(std::make_tuple(o.matches, *o.seed, o.pairs, o.rule, o.opening, o.anticlockwise,
                            o.closeAnywhere, *o.limit, o.traceFile),
            std::make_tuple(50L, 9ul, true, 2, 3, true, true, 150, std::string("t")));
  const auto strong = sim::parseOptions({"--strong", "2,0", "--deals=50"});
  ASSERT_TRUE(std::holds_alternative<Options>(strong));
  EXPECT_EQ(std::get<Options>(strong).strongSeats, 0b101u);
  EXPECT_EQ(std::get<Options>(strong).deals, 50);
  EXPECT_NE(refusal({"--matches", "0"}).find("--matches"), std::string::npos);
  for (const char* deals : {"0", "1000001", "-5", "ten"})
    EXPECT_NE(refusal({"--deals", deals}).find("--deals takes"), std::string::npos) << deals;
  for (const char* seats : {"4", "0,,2", "1,", "", "one"})
    EXPECT_NE(refusal({"--strong", seats}).find("--strong takes seats"), std::string::npos)
        << seats;
  EXPECT_NE(refusal({"--matches", "ten"}).find("'ten'"), std::string::npos);
  EXPECT_NE(refusal({"--rule", "3"}).find("--rule"), std::string::npos);
  EXPECT_NE(refusal({"--seed"}).find("needs a value"), std::string::npos);
  for (const char* seed : {"-1", "18446744073709551616", "1e3"})
    EXPECT_NE(refusal({"--seed", seed}).find("--seed takes a whole number"), std::string::npos);
  EXPECT_NE(refusal({"--pairs=yes"}).find("takes no value"), std::string::npos);
  EXPECT_NE(refusal({"--trace", "--pairs"}).find("not the option '--pairs'"), std::string::npos);
  EXPECT_NE(refusal({"--fast"}).find("unknown option '--fast'"), std::string::npos);
  // Each whole number at both its bounds, and just past them.
  const std::vector<std::tuple<const char*, const char*, const char*, const char*, const char*>>
      bounds{{"--matches", "1", "1000000000", "0", "1000000001"},
             {"--limit", "1", "32767", "0", "32768"},
             {"--rule", "1", "2", "0", "3"},
             {"--opening", "1", "3", "0", "4"},
             {"--deals", "1", "1000000", "0", "1000001"}};
  for (const auto& [name, low, high, under, over] : bounds) {
    EXPECT_EQ(refusal({name, low}), "") << name;
    EXPECT_EQ(refusal({name, high}), "") << name;
    EXPECT_NE(refusal({name, under}).find(std::string(name) + " takes"), std::string::npos) << name;
    EXPECT_NE(refusal({name, over}).find(std::string(name) + " takes"), std::string::npos) << name;
  }
  // Every option that fixes a rule is refused beside the rules drawn for each match.
  for (const std::vector<std::string>& fixed : {std::vector<std::string>{"--pairs"},
                                                {"--anticlockwise"},
                                                {"--close-anywhere"},
                                                {"--rule", "2"},
                                                {"--opening", "2"},
                                                {"--limit", "9"}}) {
    std::vector<std::string> arguments = fixed;
    arguments.insert(arguments.begin(), "--mixed-rules");
    EXPECT_NE(refusal(arguments).find("--mixed-rules draws"), std::string::npos) << fixed[0];
  }
  const auto mixed = sim::parseOptions({"--mixed-rules", "--seed", "3", "--strong", "1", "-h"});
  ASSERT_TRUE(std::holds_alternative<Options>(mixed));
  EXPECT_TRUE(std::get<Options>(mixed).mixedRules);
  EXPECT_TRUE(std::get<Options>(mixed).help);

  // The levels, and the duplicate play that measures them.
  const auto levels =
      sim::parseOptions({"--duplicate", "--pairs", "--master", "0,2", "--strong=1,3"});
  ASSERT_TRUE(std::holds_alternative<Options>(levels));
  const Options& l = std::get<Options>(levels);
  EXPECT_TRUE(l.duplicate);
  EXPECT_EQ(std::make_tuple(l.masterSeats, l.strongSeats), std::make_tuple(0b0101u, 0b1010u));
  EXPECT_EQ(sim::measuredSeats(l), 0b0101u);  // the strongest level named is measured
  EXPECT_STREQ(sim::measuredLevelName(l), "master");
  EXPECT_NE(refusal({"--duplicate"}).find("name the seats of one"), std::string::npos);
  EXPECT_NE(refusal({"--duplicate", "--oracle", "0,1,2,3"}).find("name the seats of one"),
            std::string::npos);
  EXPECT_NE(refusal({"--duplicate", "--pairs", "--strong", "0,1"}).find("a whole side"),
            std::string::npos);
  EXPECT_NE(
      refusal({"--duplicate", "--pairs", "--master", "1,3", "--strong", "0"}).find("a whole side"),
      std::string::npos);
  EXPECT_NE(refusal({"--master", "1", "--strong", "1,2"}).find("a seat plays at one level"),
            std::string::npos);
  EXPECT_NE(refusal({"--oracle", "4"}).find("--oracle takes seats"), std::string::npos);
  EXPECT_NE(refusal({"--duplicate", "--strong", "1", "--trace", "t"}).find("leave out --trace"),
            std::string::npos);
  EXPECT_NE(refusal({"--duplicate=yes"}).find("takes no value"), std::string::npos);
}

// The help names each option once, and each option it names is one the simulator takes.
TEST(Simulator, TheHelpNamesEachOptionOnce) {
  std::istringstream help(sim::usage());
  std::multiset<std::string> named;
  for (std::string line; std::getline(help, line);) {
    if (line.rfind("  --", 0) != 0) continue;
    named.insert(line.substr(2, line.find(' ', 2) - 2));
  }
  EXPECT_GE(named.size(), 15u);
  for (const std::string& name : named) {
    EXPECT_EQ(named.count(name), 1u) << name;
    EXPECT_EQ(refusal({name, "1"}).find("unknown option '" + name), std::string::npos) << name;
  }
}

// Whatever a trace writes as a JSON string reads back as it was.
// A run that saw even one violation never exits as a sound run does, in either mode.
TEST(Simulator, ARunWithViolationsNeverExitsAsASoundOne) {
  EXPECT_EQ(sim::exitStatus(0), 0);
  for (const long violations : {1L, 2L, 1000L})
    EXPECT_EQ(sim::exitStatus(violations), 1) << violations;
  EXPECT_NE(sim::usage().find("Exit status: 0 all well, 1 invariant violations, 2 options refused"),
            std::string::npos);
}

TEST(Simulator, TheTraceEscapesWhatJsonMust) {
  EXPECT_EQ(jsonString("Lá \"e\" lô\\\n\r\t\x01\x1f "), R"("Lá \"e\" lô\\\n\r\t\u0001\u001f ")");
}

// The summary puts each count in its own line, the strong seats' share and the
// memory only when there are such figures.
TEST(Simulator, TheSummaryGivesEachCountItsLine) {
  sim::Summary s;
  s.seed = 42;
  s.matches = 7;
  s.hands = 90;
  s.redeals = 3;
  s.blocked = 11;
  s.ties = 2;
  s.wentOut = {5, 20, 30, 15, 9};  // the pip rule's, then by kind
  s.matchWins = {1, 2, 3, 1};
  s.levelWins = 4;
  s.longestArmA = 9;
  s.longestArmB = 8;
  s.overlapping = 1;
  s.violations = 2;
  s.firstViolations = {"first problem", "second problem"};
  s.seconds = 2;
  s.residentEarlyKiB = 1000;
  s.residentEndKiB = 1200;
  Options options;
  options.mixedRules = true;
  options.strongSeats = 0b10;
  std::ostringstream out;
  sim::printSummary(s, options, out);
  EXPECT_EQ(out.str(),
            "Tavolix simulator, seed 42, mixed rules\n"
            "  matches                 7\n"
            "  hands                   90\n"
            "  hands per second        45\n"
            "  redeals                 3\n"
            "  blocked hands           11 (ties 2)\n"
            "  hands won by going out  79\n"
            "    Batida Simples        20\n"
            "    Batida Lá e Lô        30\n"
            "    Batida Carroção       15\n"
            "    Batida Cruzada        9\n"
            "    pip rule              5\n"
            "  match wins by seat      Jog 1, Mac1 2, Mac2 3, Mac3 1\n"
            "  longest arm             side A 9 tiles, side B 8 tiles\n"
            "  tiles outside window    0\n"
            "  tiles over other tiles  1\n"
            "  resident memory         1000 KiB after 1000 matches, 1200 KiB at the end\n"
            "  invariant violations    2\n"
            "    first problem\n"
            "    second problem\n"
            "strong seats won 4 of 7 matches (57.1%)\n"
            "7 matches, 90 hands, 45 hands/s, 2 violations\n");
  // Too few matches for the early figure: only the end's.
  s.residentEarlyKiB = 0;
  std::ostringstream endOnly;
  sim::printSummary(s, options, endOnly);
  EXPECT_NE(endOnly.str().find("  resident memory         1200 KiB at the end\n"),
            std::string::npos)
      << endOnly.str();
  s.residentEndKiB = 0;
  options.strongSeats = 0;
  options.mixedRules = false;
  std::ostringstream plain;
  sim::printSummary(s, options, plain);
  EXPECT_EQ(plain.str().find("resident memory"), std::string::npos);
  EXPECT_EQ(plain.str().find("strong seats"), std::string::npos);
  EXPECT_EQ(plain.str().rfind("Tavolix simulator, seed 42\n", 0), 0u);
}

// The rules asked for are the rules of every match; mixed, the matches draw
// rules of their own, no two sets alike in twelve matches being all but
// impossible (each match draws from 2 x 2 x 3 x 2 x 2 sets and a limit).
TEST(Simulator, PlaysUnderTheRulesAskedForOrMixesThem) {
  Options options;
  options.matches = 4;
  options.seed = 11;
  options.pairs = true;
  options.rule = 2;
  options.opening = 3;
  options.anticlockwise = true;
  options.closeAnywhere = true;
  options.limit = 50;
  std::ostringstream fixed;
  sim::simulate(options, &fixed);
  const std::string asked =
      R"({"ev":"match","tipoJogo":2,"tipoRegra":2,"tipoInicio":3,"sentidoHorario":false,)"
      R"("pontosLimit":50,"fecharSoNoNatural":false})";
  std::set<std::string> rules;
  const auto matchLines = [&rules](const std::string& trace) {
    rules.clear();
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind(R"({"ev":"match")", 0) == 0) rules.insert(line);
    }
  };
  matchLines(fixed.str());
  EXPECT_EQ(rules, std::set<std::string>{asked});
  options.mixedRules = true;
  options.matches = 12;
  std::ostringstream mixed;
  sim::simulate(options, &mixed);
  matchLines(mixed.str());
  EXPECT_GT(rules.size(), 1u);
}

// A player measured in the simulator (as the benchmark of the stronger levels
// does) plays the seats of the level the options name, or, when they name
// none, the three computer seats; never the player's.
TEST(Simulator, AMeasuredPlayerTakesTheSeatsOfItsLevel) {
  struct Counting : ComputerSeat {
    std::array<int, kSeatCount> turns{};
    SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override {
      ++turns[static_cast<std::size_t>(seat)];
      return ComputerSeat::turn(state, settings, seat);
    }
  };
  Options options;
  options.matches = 2;
  options.seed = 3;
  Counting everyComputer;
  EXPECT_EQ(sim::simulate(options, nullptr, &everyComputer).violations, 0);
  EXPECT_EQ(everyComputer.turns[kJog], 0);
  for (int seat = kMac1; seat <= kMac3; ++seat) EXPECT_GT(everyComputer.turns[seat], 0) << seat;
  options.strongSeats = 1u << kMac2;
  Counting oneSeat;
  EXPECT_EQ(sim::simulate(options, nullptr, &oneSeat).violations, 0);
  EXPECT_GT(oneSeat.turns[kMac2], 0);
  EXPECT_EQ(oneSeat.turns[kJog] + oneSeat.turns[kMac1] + oneSeat.turns[kMac3], 0);
}

// Every rule, both ways round the table, alone and in pairs: the invariants and
// the order of the turns hold after every move, and the matches go through
// every way a hand can end. A seed replays the same matches move for move:
// the trace of these is the one the game has always played, byte for byte.
TEST(Simulator, WholeMatchesUnderEveryRulePlayAsTheyAlwaysHave) {
  Options options;
  options.matches = 300;
  options.seed = 5;
  options.mixedRules = true;
  std::ostringstream trace;
  const sim::Summary s = sim::simulate(options, &trace);
  EXPECT_EQ(s.violations, 0) << (s.firstViolations.empty() ? "" : s.firstViolations.front());
  EXPECT_EQ(s.matches, 300);
  EXPECT_EQ(s.hands, 3960);
  EXPECT_GT(s.redeals, 0);
  EXPECT_GT(s.ties, 0);
  // Every way of going out, and the pip rule's.
  for (std::size_t kind = 0; kind < s.wentOut.size(); ++kind) EXPECT_GT(s.wentOut[kind], 0) << kind;
  EXPECT_EQ(s.outsideWindow, 0);
  EXPECT_EQ(s.overlapping, 0);
  // The summary counts what the trace tells, hand by hand.
  long blocked = 0;
  long ties = 0;
  long wentOut = 0;
  std::istringstream lines(trace.str());
  for (std::string line; std::getline(lines, line);) {
    const bool isBlocked = line.find("\"ev\":\"blocked\"") != std::string::npos;
    blocked += isBlocked;
    ties += isBlocked && line.find("\"scorers\":[]") != std::string::npos;
    wentOut += line.find("\"ev\":\"out\"") != std::string::npos;
  }
  EXPECT_EQ(s.blocked, blocked);
  EXPECT_EQ(s.ties, ties);
  EXPECT_EQ(s.hands, blocked + wentOut);
  EXPECT_EQ(trace.str().size(), 7993750u);
  EXPECT_EQ(fnv1a(trace.str()), 0x4bb37589b0b848f5u)
      << "the same seed no longer plays the same matches: compare the traces of "
         "tavolix-sim --matches 300 --mixed-rules --seed 5 --trace FILE before and after the "
         "change";

  options.seed = 6;
  std::ostringstream other;
  sim::simulate(options, &other);
  EXPECT_NE(trace.str(), other.str());
}

// The referee's eye for a tile laid over another: tiles may share the half
// twip their rounded anchors leave, never more, and every tile laid since the
// table was cleared counts.
TEST(Simulator, ATileLaidOverAnotherIsSeen) {
  const auto at = [](bool vertical, double left, double top) {
    TilePlacement p;
    p.vertical = vertical;
    p.left = left;
    p.top = top;
    return p;
  };
  constexpr double kStep = geometry::kTileLong - 0.5;
  // Inside the window to its very edges, and a twip past any of them.
  using geometry::kHeight;
  using geometry::kTileLong;
  using geometry::kTileShort;
  using geometry::kWidth;
  EXPECT_FALSE(sim::beyondTheWindow(at(false, 0, 0)));
  EXPECT_FALSE(sim::beyondTheWindow(at(false, kWidth - kTileLong, kHeight - kTileShort)));
  EXPECT_FALSE(sim::beyondTheWindow(at(true, kWidth - kTileShort, kHeight - kTileLong)));
  for (const TilePlacement& p :
       {at(false, -1, 0), at(false, 0, -1), at(false, kWidth - kTileLong + 1, 0),
        at(true, 0, kHeight - kTileLong + 1), at(true, kWidth - kTileShort + 1, 0)}) {
    EXPECT_TRUE(sim::beyondTheWindow(p)) << p.left << " " << p.top;
  }
  sim::Footprints table;
  for (int k = 0; k < 9; ++k) EXPECT_FALSE(table.lay(at(false, 100 + k * kStep, 1000))) << k;
  // Under the row, the first sharing its half twip, the second two twips deep.
  EXPECT_FALSE(table.lay(at(true, 50, 1000 + geometry::kTileShort - 0.5)));
  EXPECT_TRUE(table.lay(at(true, 100 + 8 * kStep, 1000 + geometry::kTileShort - 2)));
  EXPECT_TRUE(table.lay(at(false, 60, 1000)));  // over the first tile of the row
  table.clear();
  EXPECT_FALSE(table.lay(at(false, 100, 1000)));
  EXPECT_TRUE(table.lay(at(false, 100 + kStep - 2, 1000)));
  // The silent table of a run counts both in its summary, afresh after each clearing.
  sim::Options options;
  Settings settings;
  RandomSource random(1);
  sim::Summary summary;
  sim::SimulatedTable simulated(options, settings, random, summary);
  const auto lay = [&simulated](const TilePlacement& p) {
    LaidTile tile;
    tile.placement = p;
    simulated.layTile(tile);
  };
  for (const TilePlacement& p : {at(false, 100, 1000), at(false, 100 + kStep - 2, 1000),
                                 at(false, 101, 1000), at(true, -1, 0)})
    lay(p);
  simulated.clearTable();
  lay(at(false, 100, 1000));
  EXPECT_EQ(summary.overlapping, 2);
  EXPECT_EQ(summary.outsideWindow, 1);
}

// In pairs both partners score every hand: the referee says so when their scores part.
TEST(Referee, PartnersWhoseScoresDifferAreSeen) {
  Settings settings;
  settings.TipoJogo = 2;
  SilentPresentation screen;
  RandomSource random(1);
  Match match(settings, screen, random);
  std::vector<std::string> said;
  Referee referee(match, [&said](const std::string& problem) { said.push_back(problem); });
  const auto partnersDiffer = [&](std::array<int, 4> scores) {
    said.clear();
    GameState state;
    state.Pontos = scores;
    referee.handEnded(HandResult(), state);
    return std::find(said.begin(), said.end(), "partners' scores differ") != said.end();
  };
  EXPECT_FALSE(partnersDiffer({3, 1, 3, 1}));
  EXPECT_TRUE(partnersDiffer({3, 1, 2, 1}));
  EXPECT_TRUE(partnersDiffer({3, 1, 3, 0}));

  // Each move from the seat whose turn it is, counted on from where a kept
  // match is picked up, in the direction of play.
  const auto turnProblems = [&](int seat) {
    said.clear();
    referee.passed(seat, GameState());
    std::vector<std::string> turns;
    for (const std::string& problem : said) {
      if (problem.find("'s turn") != std::string::npos) turns.push_back(problem);
    }
    return turns;
  };
  referee.pickUp(GameState(), kMac1);
  EXPECT_EQ(turnProblems(kMac1), std::vector<std::string>());
  EXPECT_EQ(turnProblems(kMac3), std::vector<std::string>{"after mac3 passed: it was mac2's turn"});
  EXPECT_EQ(turnProblems(kJog), std::vector<std::string>());  // on from the seat that moved
  settings.SentidoHorario = false;
  Match anticlockwise(settings, screen, random);
  Referee other(anticlockwise, [&said](const std::string& problem) { said.push_back(problem); });
  other.pickUp(GameState(), kMac1);
  said.clear();
  other.passed(kMac1, GameState());
  other.passed(kJog, GameState());
  other.passed(kMac1, GameState());
  EXPECT_EQ(
      std::count_if(said.begin(), said.end(),
                    [](const std::string& p) { return p.find("'s turn") != std::string::npos; }),
      1);
  EXPECT_NE(std::find(said.begin(), said.end(), "after mac1 passed: it was mac3's turn"),
            said.end());
}

}  // namespace
}  // namespace tavolix
