// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

// The parts of a simulated match: the silent table that answers the new game
// dialog, and the tally of what happens.

#include <string>

#include "game/master_player.h"
#include "game/match.h"
#include "game/match_observer.h"
#include "game/presentation.h"
#include "game/random_source.h"
#include "game/strong_player.h"
#include "oracle_player.h"
#include "simulator.h"

namespace tavolix::sim {

inline constexpr int kMaxListedViolations = 10;
// Memory is taken after this many matches and at the end, to show it stays flat.
inline constexpr long kEarlyMemoryMatch = 1000;
// The resident memory of this process in KiB, where the system tells it (0 elsewhere).
long residentKiB();

// One player of each level the options name, and who sits where.
class Levels {
 public:
  explicit Levels(const Options& options)
      : options_(options),
        strong_(options.deals > 0 ? options.deals : kDealsPerMove),
        master_(options.deals > 0 ? MasterEffort{4 * options.deals, options.deals}
                                  : MasterEffort{}) {}
  // The player of `seat` with every level's seats turned round the table by
  // `turn`; nullptr for the ordinary level.
  SeatPlayer* at(int seat, int turn = 0) {
    const unsigned bit = 1u << ((seat - turn % kSeatCount + kSeatCount) % kSeatCount);
    if (options_.strongSeats & bit) return &strong_;
    if (options_.masterSeats & bit) return &master_;
    if (options_.oracleSeats & bit) return &oracle_;
    return nullptr;
  }

 private:
  const Options& options_;
  StrongSeat strong_;
  MasterSeat master_;
  OracleSeat oracle_;
};

inline void addViolation(Summary& summary, const std::string& what) {
  ++summary.violations;
  if (static_cast<int>(summary.firstViolations.size()) < kMaxListedViolations)
    summary.firstViolations.push_back(what);
}

// Plays the new game dialog (the rules of each match) and watches where tiles
// are drawn; everything else stays silent.
class SimulatedTable : public SilentPresentation {
 public:
  SimulatedTable(const Options& options, Settings& settings, RandomSource& random, Summary& summary)
      : options_(options), settings_(settings), random_(random), summary_(summary) {}

  NewGameAnswer newGameDialog(bool) override {
    if (started_ == options_.matches) return NewGameAnswer::Exit;
    ++started_;
    chooseRules();
    return NewGameAnswer::Play;
  }

  void clearTable() override { footprints_.clear(); }

  void layTile(const LaidTile& tile) override {
    if (beyondTheWindow(tile.placement)) ++summary_.outsideWindow;
    summary_.overlapping += footprints_.lay(tile.placement);
  }

 private:
  void chooseRules() {
    settings_.Nomes[0] = "Jogador";
    if (options_.mixedRules) {
      settings_.TipoJogo = static_cast<std::int16_t>(random_.draw(2));
      settings_.TipoRegra = static_cast<std::int16_t>(random_.draw(2));
      settings_.TipoInicio = static_cast<std::int16_t>(random_.draw(3));
      settings_.SentidoHorario = random_.draw(2) == 1;
      settings_.FecharSoNoNatural = random_.draw(2) == 1;
      settings_.PontosLimit = static_cast<std::int16_t>(
          settings_.TipoRegra == 1 ? 3 + random_.draw(7) : 50 * random_.draw(5));
      return;
    }
    settings_.TipoJogo = options_.pairs ? 2 : 1;
    settings_.TipoRegra = static_cast<std::int16_t>(options_.rule);
    settings_.TipoInicio = static_cast<std::int16_t>(options_.opening);
    settings_.SentidoHorario = !options_.anticlockwise;
    settings_.FecharSoNoNatural = !options_.closeAnywhere;
    settings_.PontosLimit = static_cast<std::int16_t>(options_.limit.value_or(
        options_.rule == 1 ? Settings::kDefaultLimitRule1 : Settings::kDefaultLimitRule2));
  }

  const Options& options_;
  Settings& settings_;
  RandomSource& random_;
  Summary& summary_;
  long started_ = 0;
  Footprints footprints_;
};

// Counts what happens, as the referee passes every event on.
class Tally : public MatchObserver {
 public:
  // `measured`: the seats whose wins are counted.
  Tally(Summary& summary, const Match& match, MatchObserver* trace, unsigned measured)
      : summary_(summary), match_(match), trace_(trace), measured_(measured) {}

  long events() const { return events_; }

  void matchStarted(const Settings& settings) override {
    ++events_;
    ++summary_.matches;
    if (trace_) trace_->matchStarted(settings);
  }
  void dealt(const GameState& state) override {
    ++events_;
    if (trace_) trace_->dealt(state);
  }
  void redealt(int seat, int doubles) override {
    ++events_;
    ++summary_.redeals;
    if (trace_) trace_->redealt(seat, doubles);
  }
  void played(int seat, int slot, TileCode tile, Lado side, const GameState& state) override {
    ++events_;
    summary_.longestArmA = std::max(summary_.longestArmA, state.QtdLadoA);
    summary_.longestArmB = std::max(summary_.longestArmB, state.QtdLadoB);
    if (trace_) trace_->played(seat, slot, tile, side, state);
  }
  void passed(int seat, const GameState& state) override {
    ++events_;
    if (trace_) trace_->passed(seat, state);
  }
  void handEnded(const HandResult& result, const GameState& state) override {
    ++events_;
    ++summary_.hands;
    if (result.ending == HandResult::Ending::Blocked) {
      ++summary_.blocked;
      if (result.tied()) ++summary_.ties;
    } else {
      ++summary_.wentOut[static_cast<std::size_t>(result.kind)];
    }
    if (trace_) trace_->handEnded(result, state);
  }
  void matchEnded(int winner, const std::array<int, 4>& standings,
                  const GameState& state) override {
    ++events_;
    ++summary_.matchWins[winner];
    const unsigned winners =
        (1u << winner) | (match_.settings().pairs() ? 1u << partnerOf(winner) : 0u);
    if (winners & measured_) ++summary_.levelWins;
    if (summary_.matches == kEarlyMemoryMatch) summary_.residentEarlyKiB = residentKiB();
    if (trace_) trace_->matchEnded(winner, standings, state);
  }

 private:
  Summary& summary_;
  const Match& match_;
  MatchObserver* trace_;
  unsigned measured_;
  long events_ = 0;
};

}  // namespace tavolix::sim
