// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <algorithm>
#include <cmath>

namespace tavolix::tempo {

// Every wait of the game, in milliseconds at the game's own pace. The pacer
// scales them all by one factor (0 in tests), so nothing else may sleep.
inline constexpr int kSplashMs = 2000;        // the splash stays this long
inline constexpr int kDealRowMs = 25;         // between pile tiles as the pile is laid out
inline constexpr int kPileStepMs = 10;        // each step of a pile tile sliding to a hand
inline constexpr int kTakeTileMs = 50;        // after a computer seat takes a tile
inline constexpr int kAutoTakeMs = 100;       // before the player's last tiles are taken for him
inline constexpr int kTurnPauseMs = 200;      // between two computer turns
inline constexpr int kComputerThinkMs = 300;  // before a computer tile leaves its seat
inline constexpr int kSlideStepMs = 15;       // each step of a tile sliding to the chain
inline constexpr int kCloseUpStepMs = 5;  // each step of a hand closing up, of a tile going back
inline constexpr int kPassFlashMs = 170;  // each flash of a passing seat's tile
inline constexpr int kBlinkMs = 250;      // the message line's blink
inline constexpr int kWrongTileMessageMs = 1200;
inline constexpr int kPassMessageMs = 900;

// The speed option Veloc (5 to 25) is the number of steps of a move: a
// larger value is slower. What each animation makes of it:

// A tile taken from the pile travels in Int(Veloc / 2) parts, one part short.
constexpr int pileSlideParts(int veloc) { return std::max(1, veloc / 2); }
constexpr int pileSlideSteps(int veloc) { return pileSlideParts(veloc) - 1; }
// A tile sliding to the chain makes Veloc - 1 steps of a Veloc-th of the way:
// the view laid next takes the last step's place.
constexpr int chainSlideSteps(int veloc) { return veloc - 1; }
// A refused tile slides back in Veloc steps.
constexpr int returnSteps(int veloc) { return veloc; }
// A hand closes up one slot at a time, in Veloc steps of 495 / Veloc twips.
constexpr int closeUpSteps(int veloc) { return veloc; }
constexpr double closeUpStep(int veloc) { return 495.0 / veloc; }
// A passing seat's tile jumps out and back in Veloc - 1 steps each way, of
// 1.4 times its extent across the row in all.
constexpr int passJumpSteps(int veloc) { return veloc - 1; }
inline double passJumpStep(double extent, int veloc) { return std::floor(1.4 * extent / veloc); }

// One step of a slide cut into `parts`: the distance's share, taken down to
// a whole twip (Int, towards minus infinity).
inline double slideStep(double distance, int parts) { return std::floor(distance / parts); }

}  // namespace tavolix::tempo
