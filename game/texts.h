// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "scoring.h"
#include "settings.h"
#include "tile.h"

namespace tavolix {

// A text the game shows: its Portuguese source, which the screen translates
// into the player's language, and what goes in its places %1, %2, ... (names
// and numbers, or texts of their own, translated in turn).
struct Text {
  std::string source;
  std::vector<Text> args;
  bool translated = true;  // false: a value (a name, a number), shown as it is

  static Text value(std::string v) { return {std::move(v), {}, false}; }
  bool empty() const { return source.empty(); }
};

// The text with its places filled, every source passed through `translate`;
// with none, in Portuguese.
using Translator = std::function<std::string(const std::string&)>;
std::string render(const Text& text, const Translator& translate = {});

}  // namespace tavolix

namespace tavolix::texts {

// The context the translations of these texts are kept under.
inline constexpr char kContext[] = "texts";

// Everything the game says. Message boxes keep the line breaks the game has
// always used: "\r\r" after a going out, "\r\n\r\n" elsewhere; the window shows
// each as a blank line.

Text takeYourTiles();        // "Escolha as suas peças"
Text takeTileNumber(int n);  // "Escolha a sua 3ª peça"
Text redeal(const std::string& name, int doubles);
Text wrongOpeningTile(TileCode requerida);
Text dragToTheTable();
Text clickPass();
Text illegalMove();
// "Jogada inválida", and why: the ends the tile has neither of.
Text illegalMove(int endA, int endB);
// What clickPass() says to a player at the keyboard.
Text pressPToPass();
Text closeOnlyNatural();
Text passed(const std::string& name);
// A later hand opened by the player.
Text yourLead();
// From the keyboard, a tile that fits both ends: which one?
Text chooseEnd();

// "Batida Simples", "Batida Lá e Lô", ...; empty for none.
Text goingOutName(GoingOut kind);
Text pairName(const std::array<std::string, 4>& names, int seat);
// The message box that closes a hand, gone out or blocked.
Text handEnded(const HandResult& result, const Settings& settings);
// A hand as the score history lists it: who won it (empty after a tie) and how.
Text handWinner(const HandResult& result, const std::array<std::string, 4>& names, bool pairs);
Text handHow(const HandResult& result, bool pipRule);

Text scoreText(int points);  // "12 pts"
// In pairs, the player's pair's points against the other's: "Nós 12 × 8 Eles".
Text pairScores(int ours, int theirs);
// A hand's log: "abriu com 6:6"; "6:4 na ponta do 6" (the matching pip first);
// "passou: não tem 3 nem 5" (the ends, the lower first), or "não tem 3".
Text openedWith(TileCode t);
Text laidOnEnd(TileCode t, int end);
Text passedOn(int endA, int endB);
// What a hint says: "Dica: jogue o 6:4 na ponta do 6", "Dica: abra com o 6:6",
// or, for an empty tile, "Dica: passe a vez".
Text hint(TileCode t, Lado side, int endA, int endB);
Text winnerLine(const std::array<std::string, 4>& names, int winner, int score, bool pairs);

// Every text above, for checking each has its translation.
std::vector<std::string> allSources();

}  // namespace tavolix::texts
