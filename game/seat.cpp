#include "seat.h"

namespace tavolix {

std::string seatKey(int seat) {
  if (seat == kJog) return "jog";
  if (isComputerSeat(seat)) return "mac" + std::to_string(seat);
  return {};
}

std::string seatTitle(int seat) {
  if (seat == kJog) return "Jog";
  if (isComputerSeat(seat)) return "Mac" + std::to_string(seat);
  return {};
}

}  // namespace tavolix
