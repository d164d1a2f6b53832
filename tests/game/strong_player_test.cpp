// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The strong computer player: it sees only what its seat sees, plays only
// what the rules allow, and plays out what the ordinary player cannot see.
#include <random>

#include <gtest/gtest.h>

#include "game/autoplay.h"
#include "game/match.h"
#include "game/strong_player.h"
#include "simulator.h"
#include "support/tiles.h"

namespace tavolix {
namespace {

// An ordinary computer seat that keeps the game as it stood at each of its turns.
class Recorder : public ComputerSeat {
 public:
  SeatAnswer turn(const GameState& state, const Settings& settings, int seat) override {
    if (state.QtdMesa > 0) positions.push_back(state);
    return ComputerSeat::turn(state, settings, seat);
  }
  std::vector<GameState> positions;
};

// The tiles `seat` cannot see dealt again among the other seats: as many to
// each as it holds, none showing a pip the seat passed on; the pile's order
// shuffled too. Nothing the seat has seen changes.
GameState withOtherHiddenHands(const GameState& state, int seat, std::mt19937& random) {
  std::vector<TileCode> hidden;
  for (int s = 0; s < kSeatCount; ++s) {
    if (s == seat) continue;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (!state.hand(s)[slot].empty()) hidden.push_back(state.hand(s)[slot]);
    }
  }
  for (;;) {
    std::shuffle(hidden.begin(), hidden.end(), random);
    GameState other = state;
    std::shuffle(other.Monte.begin(), other.Monte.end(), random);
    std::size_t next = 0;
    bool agrees = true;
    for (int s = 0; s < kSeatCount; ++s) {
      if (s == seat) continue;
      for (int slot = 1; slot <= kHandSlots; ++slot) {
        if (state.hand(s)[slot].empty()) continue;
        const TileCode t = hidden[next++];
        for (const char pip : state.NaoTem[s]) agrees = agrees && !t.holds(pip - '0');
        other.hand(s)[slot] = t;
      }
    }
    // Counted anew, so that a look at the hidden hands' sets would show the swap.
    other.recount();
    if (agrees) return other;
  }
}

// Positions from real play: the strong player's choice is the same whichever
// way the tiles it cannot see lie, for the same seed; and it does not always
// play as the ordinary player does.
TEST(StrongPlayer, ChoosesFromWhatItsSeatSeesAlone) {
  Settings settings;
  SilentPresentation screen;
  RandomSource random(11);
  Match match(settings, screen, random);
  Recorder recorder;
  match.setSeat(kMac1, recorder);
  Autoplayer player(match, random);
  match.start();
  for (int actions = 0; recorder.positions.size() < 60 && actions < 20000 && player.act();
       ++actions) {
  }
  ASSERT_GE(recorder.positions.size(), 60u);

  std::mt19937 shuffle(7);
  StrongSeat strong(200);
  ComputerSeat ordinary;
  int weighed = 0;
  int differs = 0;
  for (const GameState& position : recorder.positions) {
    const std::uint64_t seed = shuffle();
    const SeatAnswer chosen = strong.think(position, settings, kMac1, seed);
    for (int k = 0; k < 3; ++k) {
      const GameState other = withOtherHiddenHands(position, kMac1, shuffle);
      ASSERT_EQ(strong.think(other, settings, kMac1, seed), chosen);
    }
    const SeatAnswer usual = ordinary.turn(position, settings, kMac1);
    weighed += usual.kind == SeatAnswer::Kind::Play;
    differs += chosen != usual;
  }
  EXPECT_GT(weighed, 40);
  EXPECT_GT(differs, 0);
}

// Two tiles left, 0:0 and 5:6, on ends 0 and 5; nobody else holds a 0. Laying
// 5:6 first makes going out with 0:0 certain next turn; laying 0:0 first needs
// end 5 to last a whole round. The ordinary player lays 0:0 (side A is tried
// first); the strong one sees further.
TEST(StrongPlayer, KeepsTheTileNobodyCanBlock) {
  GameState state;
  state.PrimeiraRodada = false;
  state.QuemInicia = kJog;
  state.PontaA = 0;
  state.PontaB = 5;
  state.QtdLadoA = 2;
  state.QtdLadoB = 5;
  const char* table[] = {"01", "02", "03", "04", "05", "06", "15", "55"};
  for (const char* t : table) state.Mesa[++state.QtdMesa] = tile(t);
  state.PedrasMac1 = handOf({"00", "56"});
  // Two seats passed on ends 0 and 4, the third on ends 0 and 0: every tile
  // with a 4 is with the third.
  state.PedrasJog = handOf({"11", "12", "13", "16", "22", "23"});
  state.PedrasMac2 = handOf({"25", "26", "33", "35", "36", "66"});
  state.PedrasMac3 = handOf({"14", "24", "34", "44", "45", "46"});
  state.NaoTem[kJog] = "04";
  state.NaoTem[kMac2] = "04";
  state.NaoTem[kMac3] = "00";
  state.recount();
  Settings settings;

  ComputerSeat ordinary;
  EXPECT_EQ(ordinary.turn(state, settings, kMac1), SeatAnswer::play(1, Lado::A));
  StrongSeat strong;
  for (const std::uint64_t seed : {1u, 2u, 3u})
    EXPECT_EQ(strong.think(state, settings, kMac1, seed), SeatAnswer::play(2, Lado::B));
}

// Three seats strong (the player's among them), every rule: the moves are
// legal (the referee checks the chain, the hands and the turns after each),
// every match ends, and the wins are counted for the strong seats alone (in
// pairs every winning pair holds one).
TEST(StrongPlayer, PlaysWholeMatchesByTheRules) {
  sim::Options options;
  options.matches = 12;
  options.seed = 8;
  options.mixedRules = true;
  options.strongSeats = 0b1011;  // all but Mac2
  options.deals = 100;
  const sim::Summary s = sim::simulate(options, nullptr);
  EXPECT_EQ(s.violations, 0) << (s.firstViolations.empty() ? "" : s.firstViolations.front());
  EXPECT_EQ(s.matches, 12);
  EXPECT_GT(s.matchWins[kMac2], 0);  // alone, the ordinary seat won one
  EXPECT_EQ(s.strongWins, s.matches - s.matchWins[kMac2]);
}

}  // namespace
}  // namespace tavolix
