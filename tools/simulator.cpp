// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "simulator.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <optional>

#include "game/autoplay.h"
#include "game/invariants.h"
#include "game/match.h"
#include "game/presentation.h"
#include "game/referee.h"
#include "game/strong_player.h"
#include "game/trace_writer.h"
#include "sim_parts.h"

namespace tavolix::sim {

void Footprints::clear() {
  laid_ = 0;
  right_.fill(kNowhere);
}

bool Footprints::lay(const TilePlacement& p) {
  // Anchors are kept in whole twips, so neighbours may share half a twip.
  // Corners fall on half twips: counted in halves, they are whole numbers.
  constexpr int kSlack = 2;
  const auto halves = [](double twips) { return static_cast<int>(twips * 2); };
  const int left = halves(p.left);
  const int top = halves(p.top);
  const int right = halves(p.left + p.width());
  const int bottom = halves(p.top + p.height());
  // The places are compared eight at a time, up to the last tile laid, the
  // empty ones too (their right edge lies left of the table, so nothing
  // meets them), and'ed bit by bit: no branch but the loop's, and a sweep
  // the compiler does several places at a time.
  int over = 0;
  const int swept = (laid_ + 7) & ~7;
  for (int k = 0; k < swept; ++k) {
    over |=
        static_cast<int>(left + kSlack < right_[k]) & static_cast<int>(left_[k] + kSlack < right) &
        static_cast<int>(top + kSlack < bottom_[k]) & static_cast<int>(top_[k] + kSlack < bottom);
  }
  if (laid_ < kTileCount) {
    left_[laid_] = left;
    top_[laid_] = top;
    right_[laid_] = right;
    bottom_[laid_] = bottom;
    ++laid_;
  }
  return over != 0;
}

long residentKiB() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  long kib = 0;
  char line[256];
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1) break;
  }
  std::fclose(status);
  return kib;
}

bool beyondTheWindow(const TilePlacement& p) {
  return p.left < 0 || p.top < 0 || p.left + p.width() > geometry::kWidth ||
         p.top + p.height() > geometry::kHeight;
}

Summary simulate(const Options& options, std::ostream* traceOut, SeatPlayer* measuredPlayer) {
  Summary summary;
  summary.seed = options.seed.value_or(unpredictableSeed());
  RandomSource random(summary.seed);
  Settings settings;
  SimulatedTable table(options, settings, random, summary);
  Match match(settings, table, random);
  std::optional<TraceWriter> trace;
  if (traceOut) trace.emplace(*traceOut);
  Levels levels(options);
  const unsigned measured =
      measuredPlayer && levelSeats(options) == 0 ? 0b1110u : measuredSeats(options);
  const auto playerAt = [&](int seat) -> SeatPlayer* {
    if (measuredPlayer && (measured & (1u << seat))) return measuredPlayer;
    return levels.at(seat);
  };
  for (int seat = kMac1; seat <= kMac3; ++seat) {
    if (SeatPlayer* player = playerAt(seat)) match.setSeat(seat, *player);
  }
  // The referee checks every event, then the tally counts it and the trace writes it.
  Tally tally(summary, match, trace ? &*trace : nullptr, measured);
  Referee referee(
      match,
      [&](const std::string& problem) {
        addViolation(summary, "match " + std::to_string(summary.matches) + ", " + problem);
      },
      &tally);
  match.setObserver(&referee);

  const auto begin = std::chrono::steady_clock::now();
  Autoplayer player(match, random, playerAt(kJog));
  match.start();
  int idle = 0;  // actions in a row that changed nothing
  while (match.awaiting() != Match::Awaiting::Finished) {
    const long before = tally.events();
    player.act();
    idle = tally.events() == before && match.state().QtdEscolhidas == 0 ? idle + 1 : 0;
    if (match.awaiting() == Match::Awaiting::Nothing || idle > 20) {
      addViolation(summary,
                   "match " + std::to_string(summary.matches) + ": the game stopped responding");
      break;
    }
  }
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  summary.residentEndKiB = residentKiB();
  return summary;
}

void printSummary(const Summary& s, const Options& options, std::ostream& out) {
  const auto count = [&](GoingOut kind) { return s.wentOut[static_cast<std::size_t>(kind)]; };
  long wentOut = 0;
  for (const long n : s.wentOut) wentOut += n;

  out << "Tavolix simulator, seed " << s.seed << (options.mixedRules ? ", mixed rules" : "")
      << "\n";
  out << "  matches                 " << s.matches << "\n";
  out << "  hands                   " << s.hands << "\n";
  out << "  hands per second        " << std::fixed << std::setprecision(0) << s.handsPerSecond()
      << "\n";
  out << "  redeals                 " << s.redeals << "\n";
  out << "  blocked hands           " << s.blocked << " (ties " << s.ties << ")\n";
  out << "  hands won by going out  " << wentOut << "\n";
  out << "    Batida Simples        " << count(GoingOut::Simples) << "\n";
  out << "    Batida Lá e Lô        " << count(GoingOut::LaELo) << "\n";
  out << "    Batida Carroção       " << count(GoingOut::Carrocao) << "\n";
  out << "    Batida Cruzada        " << count(GoingOut::Cruzada) << "\n";
  out << "    pip rule              " << count(GoingOut::None) << "\n";
  out << "  match wins by seat      Jog " << s.matchWins[0] << ", Mac1 " << s.matchWins[1]
      << ", Mac2 " << s.matchWins[2] << ", Mac3 " << s.matchWins[3] << "\n";
  out << "  longest arm             side A " << s.longestArmA << " tiles, side B " << s.longestArmB
      << " tiles\n";
  out << "  tiles outside window    " << s.outsideWindow << "\n";
  out << "  tiles over other tiles  " << s.overlapping << "\n";
  if (s.residentEndKiB > 0) {
    out << "  resident memory         ";
    if (s.residentEarlyKiB > 0)
      out << s.residentEarlyKiB << " KiB after " << kEarlyMemoryMatch << " matches, ";
    out << s.residentEndKiB << " KiB at the end\n";
  }
  out << "  invariant violations    " << s.violations << "\n";
  for (const std::string& v : s.firstViolations) out << "    " << v << "\n";
  if (levelSeats(options) != 0) {
    out << measuredLevelName(options) << " seats won " << s.levelWins << " of " << s.matches
        << " matches (" << std::fixed << std::setprecision(1)
        << (s.matches > 0 ? 100.0 * s.levelWins / s.matches : 0.0) << "%)\n";
  }
  out << s.matches << " matches, " << s.hands << " hands, " << std::fixed << std::setprecision(0)
      << s.handsPerSecond() << " hands/s, " << s.violations << " violations\n";
}

}  // namespace tavolix::sim
