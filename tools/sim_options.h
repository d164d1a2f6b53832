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
  int deals = 0;             // the strong player's deals per move; 0: the game's own
  std::string traceFile;
  bool duplicate = false;  // every match's deals played in each arrangement of the levels
  bool help = false;
};

// The options, or why they cannot be taken.
std::variant<Options, std::string> parseOptions(const std::vector<std::string>& arguments);
std::string usage();

}  // namespace tavolix::sim
