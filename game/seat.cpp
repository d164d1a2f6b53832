#include "seat.h"

namespace tavolix {

std::string seatKey(int seat) {
  if (seat == kJog) return "jog";
  if (isComputerSeat(seat)) return "mac" + std::to_string(seat);
  return {};
}

}  // namespace tavolix
