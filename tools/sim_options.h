// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tavolix::sim {

// How the simulator is asked to play.
struct Options {
  long matches = 1000;
  std::optional<std::uint64_t> seed;  // unpredictable when not given
  bool pairs = false;
  int rule = 1;
  int opening = 1;
  bool anticlockwise = false;
  bool closeAnywhere = false;
  std::optional<int> limit;  // the dialogs' default for the rule when not given
  bool mixedRules = false;
  unsigned strongSeats = 0;  // one bit per seat played at the strong level
  unsigned masterSeats = 0;  // at the master level
  unsigned oracleSeats = 0;  // by a player who sees every hand (the simulator's alone)
  int deals = 0;             // the strong and master players' deals per move; 0: the game's own
  std::string traceFile;
  bool duplicate = false;  // every match's deals played in each arrangement of the levels
  bool help = false;
};

// The seats played at some level other than the ordinary one.
inline unsigned levelSeats(const Options& o) {
  return o.strongSeats | o.masterSeats | o.oracleSeats;
}
// The seats of the strongest level the options name, whose wins are counted.
unsigned measuredSeats(const Options& o);
const char* measuredLevelName(const Options& o);

// The options, or why they cannot be taken.
std::variant<Options, std::string> parseOptions(const std::vector<std::string>& arguments);
std::string usage();

}  // namespace tavolix::sim
