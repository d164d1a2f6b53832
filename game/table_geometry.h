// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cfloat>
#include <cmath>

// Where everything lies on the table, in twips (15 to a pixel of the window at
// its normal 800 x 600). The chain and the drop test of the game use it, and
// the window draws every control from it.

namespace tavolix::geometry {

struct Point {
  double left = 0;
  double top = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

inline constexpr double kTwipsPerPixel = 15.0;

// A place kept in whole twips: halves go to the even neighbour. Adding and
// taking away 1.5 * 2^52 leaves no fraction, rounded as nearbyint() rounds
// (to the nearest, halves to even), without the call it makes where the
// processor is not assumed to round by itself; good for any place on a table.
inline int wholeTwips(double v) {
#if FLT_EVAL_METHOD == 0
  constexpr double kNoFraction = 0x1.8p52;
  return static_cast<int>((v + kNoFraction) - kNoFraction);
#else
  return static_cast<int>(std::nearbyint(v));
#endif
}

// The whole table.
inline constexpr int kWidth = 12000;
inline constexpr int kHeight = 9000;

// The green play area that bounds the chain.
inline constexpr int kAreaLeft = 1275;
inline constexpr int kAreaTop = 2220;
inline constexpr int kAreaWidth = 9525;
inline constexpr int kAreaHeight = 5520;
inline constexpr int kAreaRight = kAreaLeft + kAreaWidth;   // 10800
inline constexpr int kAreaBottom = kAreaTop + kAreaHeight;  // 7740

// A tile on the table: its short and its long side. The first tile of every
// hand keeps this upper left corner, whichever way it lies.
inline constexpr int kTileShort = 435;
inline constexpr int kTileLong = 840;
inline constexpr Point kFirstTile{5835, 4575};

// The player's hand: seven slots that touch, slot i at Left 3810 + 495 i.
inline constexpr int kSlotPitch = 495;
inline constexpr int kHandTop = 8010;  // the hand row once the window is up (7995 as designed)
constexpr Point handSlot(int slot) { return {3810.0 + kSlotPitch * slot, kHandTop}; }
inline constexpr double kHandSlotDesignTop = 7995;
// The tile the player carries, and where a refused one slides back to:
// beside its slot, not onto it.
inline constexpr int kCarriedHeight = 810;
inline constexpr Point kRefusedOffset{30, 25};
// Carried this high or lower, a tile is over the hand row and may change places in it.
constexpr double overHandTop() { return kHandTop - kCarriedHeight / 1.3; }
// Pressed on an ivory tile, the grab point lies this far up and left of the pointer.
inline constexpr double kIvoryGrab = 45;

// The computer seats' face-down rows: seat 1 up the left side, seat 2 along
// the top, seat 3 down the right side.
inline constexpr int kMac2Pitch = 510;
constexpr Point computerSlot(int seat, int slot) {
  switch (seat) {
    case 1:
      return {105, 6135.0 - kSlotPitch * (slot - 1)};
    case 2:
      return {4215.0 + kMac2Pitch * (slot - 1), 1095};
    default:
      return {11070, 3255.0 + kSlotPitch * (slot - 1)};
  }
}

// The face-down pile: four rows of seven, position k = 7 row + column + 1.
inline constexpr Point kPileOrigin{3690, 2535};
inline constexpr int kPileColumnPitch = 700;
inline constexpr int kPileRowPitch = 1000;
constexpr Point pilePosition(int position) {
  return {kPileOrigin.left + kPileColumnPitch * ((position - 1) % 7),
          kPileOrigin.top + kPileRowPitch * ((position - 1) / 7)};
}

// The window's own controls: the title strip that moves it, its buttons, the
// commands along the top and the Pass command (each caption over a black copy
// of itself 15 twips right and below), the prompt and the message line (their
// black copies as the design places them), and the labels beside each seat.
struct Box {
  Point at;
  double width = 0;
  double height = 0;
};
inline constexpr Point kTablePicture{-15, 0};
inline constexpr Box kTitleStrip{{-45, -15}, 10230, 900};
inline constexpr Box kMinimiseButton{{10350, 405}, 375, 375};
inline constexpr Box kFullScreenButton{{10740, 375}, 450, 465};
inline constexpr Box kCloseButton{{11175, 390}, 450, 435};
inline constexpr Box kNewGameCommand{{420, 1080}, 1035, 195};
inline constexpr Box kSettingsCommand{{1455, 1080}, 840, 195};
inline constexpr Box kHelpCommand{{2340, 1080}, 660, 195};
// The score history, after the game's own commands.
inline constexpr Box kHistoryCommand{{3180, 1080}, 900, 195};
// A hint: under the score history, clear of the top seat's tiles.
inline constexpr Box kHintCommand{{3180, 1410}, 660, 195};
// In pairs, both pairs' points: under the game's commands.
inline constexpr Box kPairScores{{420, 1410}, 2580, 195};
// Online play: at the right of the strip, clear of the top seat's hand and name.
inline constexpr Box kOnlineCommand{{10155, 1080}, 1500, 195};
// The Pass command: on the felt beside the player's hand, clear of the frame of its notch.
inline constexpr Box kPassCommand{{8175, 8160}, 1500, 495};
// The host's Start command at a table online, in the same place: the two are never shown together.
inline constexpr Box kStartCommand = kPassCommand;
inline constexpr Point kCommandShadow{15, 15};
inline constexpr Box kPrompt{{1065, 7200}, 9870, 285};
inline constexpr Point kPromptShadow{1080, 7185};
inline constexpr Box kMessageLine{{3345, 5925}, 5910, 570};
inline constexpr Point kMessageShadow{3345, 5910};
// The seats' names and scores, each in a box as wide as the longest name. The
// player's end at the frame of his hand's notch and the right-hand seat's at
// the felt's right edge, so that their names run onto the felt; the left-hand
// seat's begin a little in from the frame.
constexpr Box nameLabel(int seat) {
  constexpr Box names[] = {{{1140, 8340}, 2700, 240},
                           {{240, 2790}, 3000, 240},
                           {{7980, 1155}, 3000, 240},
                           {{8790, 6765}, 3000, 240}};
  return names[seat];
}
constexpr Box scoreLabel(int seat) {
  constexpr Box scores[] = {{{1140, 8070}, 2700, 240},
                            {{240, 2535}, 3000, 240},
                            {{7995, 1410}, 3000, 240},
                            {{8790, 7035}, 3000, 240}};
  return scores[seat];
}
constexpr bool captionEndsRight(int seat) { return seat == 0 || seat == 3; }
// The tiles on the move rest here, hidden, until they are first used.
inline constexpr Point kMovingTileRest{225, 7905};
inline constexpr Point kCarriedTileRest{11430, 7995};

// The half faces inside a tile, by tile set (0 ivory, 1 colourful): the upper
// left corner of the first and of the second half.
struct Halves {
  Point first;
  Point second;
};
constexpr Halves handHalves(int set) {  // a slot of the player's hand
  return set == 0 ? Halves{{140, 130}, {140, 510}} : Halves{{80, 95}, {80, 485}};
}
constexpr Halves carriedHalves(int set) {  // the tile the player carries
  return set == 0 ? Halves{{70, 75}, {70, 450}} : Halves{{80, 95}, {80, 485}};
}
constexpr Halves turnedUpHalves(int set,
                                bool upright) {  // a computer tile shown at the end of a hand
  if (upright) return set == 0 ? Halves{{105, 105}, {105, 480}} : Halves{{75, 75}, {75, 450}};
  return set == 0 ? Halves{{75, 105}, {465, 105}} : Halves{{75, 75}, {465, 75}};
}
// On the table both sets place their halves alike; the first tile's sit 10
// twips further right than those of the tiles laid after it.
constexpr Halves chainHalves(bool upright, bool firstTile) {
  const double left = firstTile ? 75 : 65;
  return upright ? Halves{{left, 75}, {left, 450}} : Halves{{left, 75}, {left + 375, 75}};
}

// Stacking of the table's pictures, bottom to top.
enum Layer : int {
  kBackground = 0,
  kComputerHands = 10,
  kChain = 20,
  kChainMarks = 25,  // the last tile's outline and the open ends
  kPile = 30,
  kTurnedUp = 40,
  kPlayersHand = 50,
  kCaptions = 60,
  kMoving = 80,
  kCarried = 90,
};

}  // namespace tavolix::geometry
