#include "computer_player.h"

#include "random_source.h"

namespace tavolix {

Outlook::Outlook(const GameState& state, const Settings& settings, int seat)
    : state_(state), settings_(settings), hand_(state.hand(seat)) {
  for (int k = 1; k <= state.QtdMesa; ++k) onTable_ |= tileBit(state.Mesa[k]);
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    inHand_ |= tileBit(hand_[slot]);
    tiles_ += !hand_[slot].empty();
  }
  const std::string& passedOn = state.NaoTem[nextSeat(seat, settings.SentidoHorario)];
  for (const char pip : passedOn) nextLacks_ |= 1u << (pip - '0');
  nextHasPassed_ = !passedOn.empty();
}

int Outlook::endValue(Lado side) const { return side == Lado::A ? state_.PontaA : state_.PontaB; }
int Outlook::otherEndValue(Lado side) const {
  return side == Lado::A ? state_.PontaB : state_.PontaA;
}

// The pip of t that faces outwards once laid at `side`.
int Outlook::newEnd(TileCode t, Lado side) const {
  return t.first() == endValue(side) ? t.last() : t.first();
}

int Outlook::OProximoNaoTem(TileCode t, Lado side) const {
  if (!nextHasPassed_) return 0;
  const auto lacks = [&](int pip) { return static_cast<int>((nextLacks_ >> pip) & 1u); };
  return lacks(otherEndValue(side)) + lacks(newEnd(t, side));
}

int Outlook::TereiPintas(int slot) const {
  // The pips the rest of the hand covers without this slot.
  unsigned others = 0;
  for (int k = 1; k <= kHandSlots; ++k) {
    if (k != slot) others |= hand_[k].pipMask();
  }
  const int covered = bitCount(others);
  return covered > 0 && hand_[slot].isDouble() ? covered + 1 : covered;
}

bool Outlook::VaideixarPonta(TileCode t, Lado side) const {
  const auto allSevenSeen = [&](int pip) { return inHand(pip) + onTable(pip) == 7; };
  return allSevenSeen(otherEndValue(side)) || allSevenSeen(newEnd(t, side));
}

bool Outlook::VaiFecharNaoNatural(Lado side) const {
  if (onTable(otherEndValue(side)) < 6) return false;
  return onTable(endValue(side)) < 6;
}

int Outlook::Retorno(int slot, Lado side) const {
  const TileCode t = hand_[slot];
  const int end = endValue(side);
  if (t.empty() || (t.first() != end && t.last() != end)) return 0;

  const bool crosswise = (t.first() == state_.PontaA && t.last() == state_.PontaB) ||
                         (t.last() == state_.PontaA && t.first() == state_.PontaB);
  if (!t.isDouble() && crosswise) {
    if (tiles_ < 2 || !settings_.FecharSoNoNatural) return 1;
    return VaiFecharNaoNatural(side) ? 0 : 1;
  }
  const int n = OProximoNaoTem(t, side);
  if (n == 2) return 15;
  if (VaideixarPonta(t, side)) return 14;
  if (n == 1) return 12;
  if (!t.isDouble()) return TereiPintas(slot) + 2;
  return 10;
}

Lado Outlook::firstSideToTry() const {
  return state_.QtdLadoA < state_.QtdLadoB ? Lado::A : Lado::B;
}

std::optional<Move> Outlook::chooseMove() const {
  const Lado first = firstSideToTry();
  const Lado order[] = {first, first == Lado::A ? Lado::B : Lado::A};
  int best = 0;
  std::optional<Move> choice;
  for (const Lado side : order) {
    const int end = endValue(side);
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (!hand_[slot].holds(end)) continue;  // scores 0: not a move
      const int score = Retorno(slot, side);
      if (score > best) {
        best = score;
        choice = Move{slot, side};
      }
    }
  }
  return choice;
}

std::optional<int> Outlook::chooseOpeningSlot() const {
  if (state_.PrimeiraRodada || settings_.TipoInicio == 2) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand_[slot] == kDoubleSix) return slot;
    }
    return std::nullopt;
  }
  int chosen = 1;
  int best = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    if (hand_[slot].empty()) continue;
    const int variety = TereiPintas(slot);
    if (variety > best) {
      best = variety;
      chosen = slot;
    }
  }
  return chosen;
}

int QuantasTem(const GameState& state, int seat) {
  return isSeat(seat) ? tileCount(state.hand(seat)) : 0;
}

bool VaiFecharNaoNatural(const GameState& state, Lado side) {
  return Outlook(state, Settings(), kJog).VaiFecharNaoNatural(side);
}

std::optional<int> ComputerSeat::pileTile(const GameState& state, RandomSource& random) {
  return drawFreePosition(state, random);
}

SeatAnswer ComputerSeat::turn(const GameState& state, const Settings& settings, int seat) {
  const Outlook outlook(state, settings, seat);
  // Opening the hand; a seat that must open with 6:6 and lacks it plays on as at any turn.
  if (state.QuemInicia == seat && state.QtdMesa == 0) {
    if (const auto slot = outlook.chooseOpeningSlot()) return SeatAnswer::play(*slot, Lado::First);
  }
  if (const auto move = outlook.chooseMove()) return SeatAnswer::play(move->slot, move->side);
  return SeatAnswer::pass();
}

}  // namespace tavolix
