#include "computer_player.h"

#include <array>
#include <bit>

namespace tavolix {

namespace {

int endValue(const GameState& state, Lado d) { return d == Lado::A ? state.PontaA : state.PontaB; }
int otherEndValue(const GameState& state, Lado d) { return d == Lado::A ? state.PontaB : state.PontaA; }

// The pip of t that faces outwards once laid at side d.
int newEnd(const GameState& state, TileCode t, Lado d) {
  return t.first() == endValue(state, d) ? t.last() : t.first();
}

bool recordHolds(const std::string& record, int pip) { return record.find(static_cast<char>('0' + pip)) != std::string::npos; }

// What a seat's choice looks at, counted once for the whole turn: how many
// tiles holding each pip lie on the table and in the seat's own hand.
class Outlook {
 public:
  Outlook(const GameState& state, const Settings& settings, int seat)
      : state_(state), settings_(settings), seat_(seat) {
    for (int k = 1; k <= state.QtdMesa; ++k) count(onTable_, state.Mesa[k]);
    const Hand& hand = state.hand(seat);
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      count(inHand_, hand[slot]);
      tiles_ += !hand[slot].empty();
    }
    for (const char pip : state.NaoTem[nextSeat(seat, settings.SentidoHorario)]) nextLacks_ |= 1u << (pip - '0');
    nextHasPassed_ = !state.NaoTem[nextSeat(seat, settings.SentidoHorario)].empty();
    // The pips the rest of the hand covers, without each slot in turn.
    std::array<unsigned, kHandSlots + 2> before{};
    std::array<unsigned, kHandSlots + 2> after{};
    for (int slot = 1; slot <= kHandSlots; ++slot) before[slot + 1] = before[slot] | hand[slot].pipMask();
    for (int slot = kHandSlots; slot >= 1; --slot) after[slot - 1] = after[slot] | hand[slot].pipMask();
    for (int slot = 1; slot <= kHandSlots; ++slot) othersCover_[slot] = before[slot] | after[slot];
  }

  int tilesInHand() const { return tiles_; }

  bool leavesEnd(TileCode t, Lado d) const {
    const auto allSevenSeen = [&](int pip) { return inHand_[pip] + onTable_[pip] == 7; };
    return allSevenSeen(otherEndValue(state_, d)) || allSevenSeen(newEnd(state_, t, d));
  }

  bool closesOtherThanNatural(Lado d) const {
    if (onTable_[otherEndValue(state_, d)] < 6) return false;
    return onTable_[endValue(state_, d)] < 6;
  }

  int retorno(int slot, Lado d) const {
    const TileCode t = state_.hand(seat_)[slot];
    const int end = endValue(state_, d);
    if (t.empty() || (t.first() != end && t.last() != end)) return 0;

    const bool crosswise = (t.first() == state_.PontaA && t.last() == state_.PontaB) ||
                           (t.last() == state_.PontaA && t.first() == state_.PontaB);
    if (!t.isDouble() && crosswise) {
      if (tiles_ < 2 || !settings_.FecharSoNoNatural) return 1;
      return closesOtherThanNatural(d) ? 0 : 1;
    }
    const int n = nextSeatLacks(t, d);
    if (n == 2) return 15;
    if (leavesEnd(t, d)) return 14;
    if (n == 1) return 12;
    if (!t.isDouble()) return std::popcount(othersCover_[slot]) + 2;
    return 10;
  }

  // How many of the ends after the move the next seat has shown it lacks.
  int nextSeatLacks(TileCode t, Lado d) const {
    if (!nextHasPassed_) return 0;
    const auto lacks = [&](int pip) { return static_cast<int>((nextLacks_ >> pip) & 1u); };
    return lacks(otherEndValue(state_, d)) + lacks(newEnd(state_, t, d));
  }

 private:
  static void count(std::array<int, 7>& counts, TileCode t) {
    if (t.empty()) return;
    ++counts[t.first()];
    if (!t.isDouble()) ++counts[t.last()];
  }

  const GameState& state_;
  const Settings& settings_;
  int seat_;
  std::array<int, 7> onTable_{};
  std::array<int, 7> inHand_{};
  int tiles_ = 0;
  unsigned nextLacks_ = 0;
  bool nextHasPassed_ = false;
  std::array<unsigned, kHandSlots + 1> othersCover_{};
};

}  // namespace

int QuantasTem(const GameState& state, int seat) { return isSeat(seat) ? tileCount(state.hand(seat)) : 0; }

int OProximoNaoTem(const GameState& state, const Settings& settings, int seat, TileCode t, Lado d) {
  const std::string& record = state.NaoTem[nextSeat(seat, settings.SentidoHorario)];
  if (record.empty()) return 0;
  return recordHolds(record, otherEndValue(state, d)) + recordHolds(record, newEnd(state, t, d));
}

int TereiPintas(const GameState& state, int seat, int slot) {
  const Hand& hand = state.hand(seat);
  unsigned pips = 0;
  for (int other = 1; other <= kHandSlots; ++other) {
    if (other != slot) pips |= hand[other].pipMask();
  }
  int covered = std::popcount(pips);
  if (covered > 0 && hand[slot].isDouble()) ++covered;
  return covered;
}

bool VaideixarPonta(const GameState& state, int seat, TileCode t, Lado d) {
  return Outlook(state, Settings(), seat).leavesEnd(t, d);
}

bool VaiFecharNaoNatural(const GameState& state, TileCode, Lado d) {
  return Outlook(state, Settings(), kJog).closesOtherThanNatural(d);
}

int Retorno(const GameState& state, const Settings& settings, int seat, int slot, Lado d) {
  return Outlook(state, settings, seat).retorno(slot, d);
}

Lado firstSideToTry(const GameState& state) { return state.QtdLadoA < state.QtdLadoB ? Lado::A : Lado::B; }

std::optional<Move> chooseMove(const GameState& state, const Settings& settings, int seat) {
  const Outlook outlook(state, settings, seat);
  const Lado first = firstSideToTry(state);
  const Lado order[] = {first, first == Lado::A ? Lado::B : Lado::A};
  const Hand& hand = state.hand(seat);
  int best = 0;
  std::optional<Move> choice;
  for (Lado side : order) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand[slot].empty()) continue;
      const int score = outlook.retorno(slot, side);
      if (score > best) {
        best = score;
        choice = Move{slot, side};
      }
    }
  }
  return choice;
}

std::optional<int> chooseOpeningSlot(const GameState& state, const Settings& settings, int seat) {
  const Hand& hand = state.hand(seat);
  if (state.PrimeiraRodada || settings.TipoInicio == 2) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand[slot] == TileCode(6, 6)) return slot;
    }
    return std::nullopt;
  }
  int chosen = 1;
  int best = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (hand[slot].empty()) continue;
    const int variety = TereiPintas(state, seat, slot);
    if (variety > best) {
      best = variety;
      chosen = slot;
    }
  }
  return chosen;
}

}  // namespace tavolix
