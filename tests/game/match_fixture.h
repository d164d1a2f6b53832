// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match on a recording screen with a scripted generator, picked up at
// any position the tests set out.
#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "game/match.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"

namespace tavolix {

class MatchTest : public ::testing::Test {
 protected:
  MatchTest() {
    settings.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"};
    settings.PontosLimit = 50;
  }

  void clickOwnTiles() {
    for (int position = 1; position <= 7; ++position) match.takePileTile(position);
  }
  // A hand in play from `seat`'s turn: four hands, the ends, and a chain of
  // `table` tiles whose last tiles lie at Left 4995 (side A) and 6675 (side B).
  void resume(int seat, const std::array<Hand, 4>& hands, int endA, int endB,
              std::initializer_list<std::string_view> table = {"12"}) {
    GameState state;
    for (int s = 0; s < 4; ++s) state.hand(s) = hands[s];
    for (std::string_view t : table) state.Mesa[++state.QtdMesa] = tile(t);
    state.QtdLadoA = std::max(0, state.QtdMesa - 1);
    state.PontaA = endA;
    state.PontaB = endB;
    state.PrimeiraRodada = false;
    state.QuemInicia = kMac1;
    state.Passes = passes;
    state.Pontos = scores;
    ChainGeometry chain;
    chain.EsqA = 4995;
    chain.EsqB = 6675;
    match.resume(state, chain, seat);
  }
  // The player to move on ends 6 (side A) and 3 (side B); nobody else can play on those.
  void playerToMove(const Hand& hand, int endA = 6, int endB = 3) {
    resume(kJog, {hand, handOf({"00", "01"}), handOf({"02", "04"}), handOf({"05", "11"})}, endA,
           endB);
    ASSERT_EQ(match.awaiting(), Match::Awaiting::Move);
  }
  const LaidTile& playersTile() const {
    for (const LaidTile& t : screen.laid) {
      if (t.seat == kJog) return t;
    }
    ADD_FAILURE() << "the player laid nothing";
    return screen.laid.front();
  }
  std::vector<int> seatsThatPlayed() const {
    std::vector<int> seats;
    for (const LaidTile& t : screen.laid) seats.push_back(t.seat);
    return seats;
  }

  Settings settings;
  RecordingPresentation screen;
  ScriptedRandom random;
  Match match{settings, screen, random};
  int passes = 0;
  std::array<int, 4> scores{};
};

}  // namespace tavolix
