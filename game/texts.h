#pragma once

#include <array>
#include <string>

#include "scoring.h"
#include "settings.h"
#include "tile.h"

namespace tavolix::texts {

// Everything the game says, in Portuguese or, with `ingles`, in English.
// Message boxes keep the line breaks the game has always used: "\r\r" after
// a going out, "\r\n\r\n" elsewhere; the window shows each as a blank line.

std::string takeYourTiles(bool ingles);          // "Escolha as suas peças"
std::string takeTileNumber(int n, bool ingles);  // "Escolha a sua 3ª peça"
std::string redeal(const std::string& name, int doubles);
std::string wrongOpeningTile(TileCode requerida, bool ingles);
std::string dragToTheTable(bool ingles);
// A later hand opened by the player.
std::string yourLead(bool ingles);
std::string clickPass();
// From the keyboard, a tile that fits both ends: which one?
std::string chooseEnd(bool ingles);
std::string illegalMove(bool ingles);
std::string closeOnlyNatural();
std::string passed(const std::string& name, bool ingles);

// "Batida Simples", "Batida Lá e Lô", ...; "" for none.
std::string goingOutName(GoingOut kind);
std::string pairName(const std::array<std::string, 4>& names, int seat);
// The message box that closes a hand, gone out or blocked.
std::string handEnded(const HandResult& result, const Settings& settings);

// A hand as the score history lists it: who won it ("" after a tie) and how.
std::string handWinner(const HandResult& result, const std::array<std::string, 4>& names,
                       bool pairs);
std::string handHow(const HandResult& result, bool pipRule, bool ingles);

std::string scoreText(int points);  // "12 pts"
std::string winnerLine(const std::array<std::string, 4>& names, int winner, int score, bool pairs);

}  // namespace tavolix::texts
