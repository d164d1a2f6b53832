// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <string>

namespace tavolix {

// Seats round the table: the player at the bottom, then the computer seats
// on the left, at the top and on the right.
inline constexpr int kJog = 0;
inline constexpr int kMac1 = 1;
inline constexpr int kMac2 = 2;
inline constexpr int kMac3 = 3;
inline constexpr int kSeatCount = 4;
// The opener of a hand when nobody is chosen yet: whoever is dealt 6:6 opens.
inline constexpr int kHolderOfDoubleSix = 5;

constexpr bool isSeat(int seat) { return seat >= kJog && seat <= kMac3; }
constexpr bool isComputerSeat(int seat) { return seat >= kMac1 && seat <= kMac3; }

// The seat that plays after `seat`: clockwise 0, 1, 2, 3, 0...; anticlockwise
// 0, 3, 2, 1, 0... The turns, the order of taking tiles, the rotation of the
// opener and the computer's "next seat" all go by it.
constexpr int nextSeat(int seat, bool sentidoHorario) {
  return sentidoHorario ? (seat + 1) % kSeatCount : (seat + kSeatCount - 1) % kSeatCount;
}

// In the pairs game the player sits with Mac2 against Mac1 and Mac3.
constexpr int partnerOf(int seat) { return (seat + 2) % kSeatCount; }

// "jog", "mac1".."mac3": how the table names a seat.
std::string seatKey(int seat);

}  // namespace tavolix
