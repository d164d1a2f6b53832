#pragma once

#include <array>
#include <string>

#include "tile.h"

namespace tavolix::texts {

// Everything the game says, in Portuguese or, with `ingles`, in English.
// Message boxes keep the line breaks the game has always used: "\r\r" after
// a going out, "\r\n\r\n" elsewhere; the window shows each as a blank line.

std::string takeYourTiles(bool ingles);               // "Escolha as suas peças"
std::string takeTileNumber(int n, bool ingles);        // "Escolha a sua 3ª peça"
std::string redeal(const std::string& name, int doubles);
std::string wrongOpeningTile(TileCode requerida, bool ingles);
std::string dragToTheTable(bool ingles);
std::string clickPass();
std::string illegalMove(bool ingles);
std::string closeOnlyNatural();
std::string passed(const std::string& name, bool ingles);

// How a seat went out, from the points it scores under the first rule.
std::string goingOutKind(int points, TileCode lastTile);
std::string pairName(const std::array<std::string, 4>& names, int seat);
// The message box of a hand won by going out; `kind` is empty under the pip rule.
std::string wentOut(const std::array<std::string, 4>& names, int seat, bool pairs, const std::string& kind,
                    int points);
std::string wonOnCount(const std::string& name, int points, bool pipRule);
std::string pairWonOnCount(const std::array<std::string, 4>& names, int firstSeat, int points);
std::string countTied();

std::string scoreText(int points);  // "12 pts"
std::string winnerLine(const std::array<std::string, 4>& names, int winner, int score, bool pairs);

}  // namespace tavolix::texts
