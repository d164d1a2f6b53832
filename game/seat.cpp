// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "seat.h"

namespace tavolix {

std::string seatKey(int seat) {
  if (seat == kJog) return "jog";
  if (isComputerSeat(seat)) return "mac" + std::to_string(seat);
  return {};
}

}  // namespace tavolix
