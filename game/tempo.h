#pragma once

namespace tavolix::tempo {

// Every wait of the game, in milliseconds at the game's own pace. The pacer
// scales them all by one factor (0 in tests), so nothing else may sleep.
inline constexpr int kSplashMs = 2000;          // the splash stays this long
inline constexpr int kDealRowMs = 25;           // between pile tiles as the pile is laid out
inline constexpr int kPileStepMs = 10;          // each step of a pile tile sliding to a hand
inline constexpr int kTakeTileMs = 50;          // after a computer seat takes a tile
inline constexpr int kAutoTakeMs = 100;         // before the player's last tiles are taken for him
inline constexpr int kTurnPauseMs = 200;        // between two computer turns
inline constexpr int kComputerThinkMs = 300;    // before a computer tile leaves its seat
inline constexpr int kSlideStepMs = 15;         // each step of a tile sliding to the chain
inline constexpr int kCloseUpStepMs = 5;        // each step of a hand closing up, of a tile going back
inline constexpr int kPassFlashMs = 170;        // each flash of a passing seat's tile
inline constexpr int kBlinkMs = 250;            // the message line's blink
inline constexpr int kWrongTileMessageMs = 1200;
inline constexpr int kPassMessageMs = 900;

}  // namespace tavolix::tempo
