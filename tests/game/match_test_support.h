#pragma once

#include <gtest/gtest.h>

#include "game/match.h"
#include "support/game_printers.h"
#include "support/recording_presentation.h"
#include "support/tiles.h"

namespace tavolix {

// A match on a recording screen with a random source the test can script.
class MatchTest : public ::testing::Test {
 protected:
  MatchTest() { settings.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"}; }

  void stackShuffle(const std::vector<TileCode>& order) { random.stackPile(order); }
  void stackDeal(const std::array<std::vector<std::string_view>, 4>& hands) { random.stackDeal(hands); }
  void queueComputerTakes(int seat) { random.takeOwnTiles(seat); }
  void clickOwnTiles() {
    for (int position = 1; position <= 7; ++position) match.takePileTile(position);
  }

  // A position to resume from: four hands, the ends, and a plain chain of `table` tiles.
  GameState position(const std::array<Hand, 4>& hands, int endA, int endB,
                     std::initializer_list<std::string_view> table = {"12"}) {
    GameState state;
    state.PedrasJog = hands[0];
    state.PedrasMac1 = hands[1];
    state.PedrasMac2 = hands[2];
    state.PedrasMac3 = hands[3];
    for (std::string_view t : table) state.Mesa[++state.QtdMesa] = tile(t);
    state.QtdLadoA = state.QtdMesa - 1;
    state.PontaA = endA;
    state.PontaB = endB;
    state.PrimeiraRodada = false;
    state.QuemInicia = kMac1;
    return state;
  }
  // The chain's geometry for such a position: side A's last tile at `leftA`,
  // side B's at `leftB`, both in the middle row.
  static ChainGeometry chainWith(int leftA, int leftB) {
    ChainGeometry g;
    g.EsqA = leftA;
    g.EsqB = leftB;
    return g;
  }

  Settings settings;
  RecordingPresentation screen;
  ScriptedRandom random;
  Match match{settings, screen, random};
};

}  // namespace tavolix
