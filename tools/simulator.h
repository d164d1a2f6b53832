// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "game/chain_layout.h"
#include "game/scoring.h"
#include "game/strong_player.h"
#include "sim_options.h"

namespace tavolix::sim {

// What a run of the simulator saw.
struct Summary {
  std::uint64_t seed = 0;
  long matches = 0;
  long hands = 0;
  long redeals = 0;
  long blocked = 0;
  long ties = 0;
  // Hands won by each kind of going out (GoingOut); None under the pip rule.
  std::array<long, kGoingOutKinds> wentOut{};
  std::array<long, 4> matchWins{};
  long levelWins = 0;  // matches won by a seat (or pair) of the strongest level named
  int longestArmA = 0;
  int longestArmB = 0;
  long outsideWindow = 0;  // tiles drawn beyond the window's edges
  long overlapping = 0;    // tiles drawn over another tile of the chain
  long violations = 0;
  std::vector<std::string> firstViolations;
  double seconds = 0;
  long residentEarlyKiB =
      0;  // resident memory after the first thousand matches (0: not reached or not known)
  long residentEndKiB = 0;  // and at the end

  double handsPerSecond() const { return seconds > 0 ? hands / seconds : 0.0; }
};

// The program's exit status (as its help gives them): 0 all well, 1 invariant
// violations, 2 options refused, 3 the trace could not be written.
enum ExitStatus : int { kAllWell = 0, kViolations = 1, kOptionsRefused = 2, kTraceNotWritten = 3 };
// The status of a run, in either mode, that saw `violations` and wrote its trace whole.
constexpr int exitStatus(long violations) { return violations == 0 ? kAllWell : kViolations; }

// Whether any of a tile drawn at `p` lies outside the window.
bool beyondTheWindow(const TilePlacement& p);

// The tiles on the table, for telling when one is laid over another: each
// tile's corners in half twips, side by side for a quick sweep.
class Footprints {
 public:
  Footprints() { clear(); }
  void clear();
  // Keeps the tile and tells whether it covers one laid before it.
  bool lay(const TilePlacement& placement);

 private:
  // A multiple of eight places, the tiles first.
  static constexpr int kPlaces = 32;
  static constexpr int kNowhere = -(1 << 20);
  std::array<int, kPlaces> left_{}, top_{}, right_{}, bottom_{};
  int laid_ = 0;
};

// Plays the matches the options ask for, writing the trace to `trace` when given.
// `measured`, when given, plays the seats of the strongest level the options
// name (all three computer seats when they name none).
Summary simulate(const Options& options, std::ostream* trace, SeatPlayer* measured = nullptr);

void printSummary(const Summary& summary, const Options& options, std::ostream& out);

}  // namespace tavolix::sim
