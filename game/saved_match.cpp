// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "saved_match.h"

#include <algorithm>
#include <optional>

#include "invariants.h"

namespace tavolix {

namespace {

using Problem = std::optional<std::string>;

constexpr std::size_t kLongestName = 64;  // bytes; the dialogs allow far fewer

bool isTile(TileCode t) {
  return !t.empty() && t.first() >= 0 && t.first() <= 6 && t.last() >= 0 && t.last() <= 6;
}

Problem checkRules(const Settings& rules) {
  if (rules.TipoJogo != 1 && rules.TipoJogo != 2) return "the kind of game is unknown";
  if (rules.TipoRegra != 1 && rules.TipoRegra != 2) return "the scoring rule is unknown";
  if (rules.TipoInicio < 1 || rules.TipoInicio > 3) return "the opening rule is unknown";
  const bool pip = rules.pipRule();
  const int low = pip ? Settings::kMinLimitRule2 : Settings::kMinLimitRule1;
  const int high = pip ? Settings::kMaxLimitRule2 : Settings::kMaxLimitRule1;
  if (rules.PontosLimit < low || rules.PontosLimit > high)
    return "the points limit is out of range";
  for (const std::string& name : rules.Nomes) {
    if (name.size() > kLongestName) return "a name is too long";
  }
  return std::nullopt;
}

// The most pips seven tiles hold: 6:6, 5:6, 5:5, 4:6, 4:5, 3:6 and one of eight.
constexpr int kMostPipsInAHand = 12 + 11 + 10 + 10 + 9 + 9 + 8;
// Every pip of the set.
constexpr int kAllPips = 168;

// What a hand played is worth by the rules, from what decides it: the pips
// left in each hand, the seat that went out and, under the first rule, how.
Problem checkHandPlayed(const HandResult& hand, const Settings& rules) {
  int pips = 0;
  for (const int total : hand.totals) {
    if (total < 0 || total > kMostPipsInAHand) return "a hand's pip count is out of range";
    pips += total;
  }
  if (pips > kAllPips) return "a hand's pip counts add up to more than the set holds";
  HandResult expected;
  if (hand.ending == HandResult::Ending::Blocked) {
    expected = blockedResult(hand.totals, rules);
  } else {
    if (!isSeat(hand.winner) || hand.totals[hand.winner] != 0)
      return "a hand was gone out of by a seat that holds tiles";
    expected = wentOutResult(hand.winner, hand.totals, "", rules);
    if (!rules.pipRule()) {
      static constexpr std::array<int, kGoingOutKinds> kPoints{0, 1, 2, 2, 4};
      expected.kind = hand.kind;
      expected.points = kPoints[static_cast<std::size_t>(hand.kind)];
      if (expected.points == 0) return "a hand gone out of has no way of going out";
    }
  }
  if (hand != expected) return "a hand's points are not what its pips give";
  return std::nullopt;
}

// The scores must be what the hands played add up to, and short of the limit.
Problem checkScores(const SavedMatch& saved) {
  std::array<int, kSeatCount> sums{};
  for (const HandResult& hand : saved.handsPlayed) {
    if (hand.winner < -1 || hand.winner > kMac3) return "a hand's winner is not a seat";
    if (hand.nextOpener != kHolderOfDoubleSix && !isSeat(hand.nextOpener))
      return "a hand's next opener is not a seat";
    if (hand.scorers.size() > 2) return "a hand has too many scorers";
    for (const int seat : hand.scorers) {
      if (!isSeat(seat)) return "a hand's scorer is not a seat";
    }
    if (const Problem problem = checkHandPlayed(hand, saved.rules)) return problem;
    for (const int seat : hand.scorers) sums[seat] += hand.points;
  }
  for (int seat = kJog; seat <= kMac3; ++seat) {
    const int score = saved.scores[seat];
    if (score != sums[seat]) return "the scores are not those of the hands played";
    if (score >= saved.rules.PontosLimit) return "the match is already over";
  }
  if (!isSeat(saved.rotation)) return "the next opener by rotation is not a seat";
  if (saved.opener != kHolderOfDoubleSix && !isSeat(saved.opener))
    return "the opener is not a seat";
  return std::nullopt;
}

Problem checkHands(const SavedMatch& saved) {
  for (const Hand& hand : saved.hands) {
    if (!hand[0].empty() || !hand[kHandSlots + 1].empty()) return "a hand holds a tile outside it";
    bool gap = false;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      const TileCode t = hand[slot];
      if (t.empty()) {
        gap = true;
      } else if (!isTile(t)) {
        return "a hand holds something that is not a tile";
      } else if (gap) {
        return "a hand has a gap";
      }
    }
  }
  return std::nullopt;
}

std::uint32_t tilesIn(const Hand& hand) {
  std::uint32_t tiles = 0;
  for (int slot = 1; slot <= kHandSlots; ++slot) tiles |= tileBit(hand[slot]);
  return tiles;
}

Problem rebuildDeal(const SavedMatch& saved, GameState& state) {
  const bool clockwise = saved.rules.SentidoHorario;
  for (int i = 0; i < kSeatCount; ++i) {
    if (!isSeat(saved.takers[i])) return "a taker is not a seat";
    if (i > 0 && saved.takers[i] != nextSeat(saved.takers[i - 1], clockwise))
      return "the seats do not take their tiles in turn";
    state.Ordem[i + 1] = saved.takers[i];
  }
  if (saved.taker < 1 || saved.taker > kSeatCount || saved.takers[saved.taker - 1] != saved.asked)
    return "it is not the player's go to take his tiles";
  for (int i = 0; i < kSeatCount; ++i) {
    const int count = tileCount(saved.hands[saved.takers[i]]);
    const bool right = i < saved.taker - 1         ? count == kHandSlots
                       : i > saved.taker - 1       ? count == 0
                       : saved.taker == kSeatCount ? count == 0
                                                   : count < kHandSlots;
    if (!right) return "a hand holds the wrong number of tiles for the deal";
  }
  std::uint32_t inPile = 0;
  std::uint32_t takenTiles = 0;
  for (int position = 1; position <= kTileCount; ++position) {
    const TileCode t = saved.pile[position - 1];
    if (!isTile(t)) return "the pile holds something that is not a tile";
    inPile |= tileBit(t);
    if (saved.taken[position]) takenTiles |= tileBit(t);
  }
  if (inPile != kAllTileBits) return "the pile does not hold every tile once";
  std::uint32_t held = 0;
  for (const Hand& hand : saved.hands) held |= tilesIn(hand);
  if (held != takenTiles) return "the tiles held are not those taken from the pile";
  if (saved.taken[0]) return "a pile position outside the pile is taken";

  state.Monte = saved.pile;
  state.Pegas = saved.taken;
  state.QtdEscolhidas = tileCount(saved.hands[kJog]);
  // Whoever takes 6:6 opens when nobody was to open yet (a match's first
  // hand, or after a tie) and always under the 6:6 rule; until it is taken,
  // a first hand has nobody to open.
  int holder = kHolderOfDoubleSix;
  for (int seat = kJog; seat <= kMac3; ++seat) {
    if (tilesIn(saved.hands[seat]) & tileBit(kDoubleSix)) holder = seat;
  }
  const bool holderOpens = saved.firstRound || saved.rules.TipoInicio == 2;
  if (holder == kHolderOfDoubleSix
          ? saved.firstRound && saved.opener != kHolderOfDoubleSix
          : saved.opener != holder && (holderOpens || !isSeat(saved.opener)))
    return "the opener is not the one the deal makes";
  return std::nullopt;
}

Problem replayHand(const SavedMatch& saved, SavedPosition& position) {
  GameState& state = position.state;
  if (!isSeat(saved.opener)) return "nobody opens the hand";
  std::array<int, kSeatCount> laidBy{};
  int toMove = saved.opener;
  for (const HandEvent& event : saved.events) {
    if (event.seat != toMove) return "a move is out of turn";
    if (event.passed) {
      if (state.QtdMesa == 0) return "a pass before the hand is opened";
      state.pass(event.seat);
      if (state.Passes >= kSeatCount) return "the hand is already blocked";
    } else {
      const TileCode t = event.tile;
      if (!isTile(t)) return "a move lays something that is not a tile";
      if ((event.side == Lado::First) != (state.QtdMesa == 0))
        return "a move is not at an end of the chain";
      if (event.side == Lado::First) {
        if ((saved.firstRound || saved.rules.TipoInicio == 2) && t != kDoubleSix)
          return "the hand is not opened with 6:6";
      } else if (!t.holds(event.side == Lado::A ? state.PontaA : state.PontaB)) {
        return "a move does not join the chain";
      }
      if (state.QtdMesa == kTileCount) return "more tiles laid than there are";
      LaidTile laid;
      laid.seat = event.seat;
      laid.side = event.side;
      if (event.side != Lado::First)
        laid.joined = event.side == Lado::A ? state.PontaA : state.PontaB;
      laid.placement = layOnTable(state, position.chain, t, event.side);
      position.laid.push_back(laid);
      ++laidBy[event.seat];
    }
    toMove = nextSeat(event.seat, saved.rules.SentidoHorario);
  }
  if (toMove != saved.asked) return "it is not the player's turn";
  if (state.QtdMesa == 0 && (saved.firstRound || saved.rules.TipoInicio == 2) &&
      !(tilesIn(saved.hands[saved.opener]) & tileBit(kDoubleSix)))
    return "the opener must open with 6:6 and does not hold it";
  if (saved.rules.TipoInicio == 3 &&
      saved.rotation != nextSeat(saved.opener, saved.rules.SentidoHorario))
    return "the next opener by rotation is not the one after this hand's";
  for (int seat = kJog; seat <= kMac3; ++seat) {
    const int count = tileCount(saved.hands[seat]);
    if (count == 0) return "a seat has already gone out";
    if (count + laidBy[seat] != kHandSlots) return "a hand holds the wrong number of tiles";
  }
  return std::nullopt;
}

}  // namespace

std::variant<SavedPosition, std::string> rebuild(const SavedMatch& saved) {
  SavedPosition position;
  GameState& state = position.state;
  if (!isSeat(saved.asked)) return "the seat asked is not a seat";
  Problem problem = checkRules(saved.rules);
  if (!problem) problem = checkScores(saved);
  if (!problem) problem = checkHands(saved);
  if (problem) return *problem;

  state.Pontos = saved.scores;
  state.QuemInicia = saved.opener;
  state.startHand();
  state.PrimeiraRodada = saved.firstRound;
  for (int seat = kJog; seat <= kMac3; ++seat) state.hand(seat) = saved.hands[seat];
  if (saved.dealing) {
    if (!saved.events.empty()) return "moves made before the deal is over";
    problem = rebuildDeal(saved, state);
  } else {
    problem = replayHand(saved, position);
  }
  if (problem) return *problem;
  state.recount();
  const std::vector<std::string> broken =
      checkInvariants(state, position.chain.geometry(), saved.rules, saved.dealing);
  if (!broken.empty()) return broken.front();
  return position;
}

}  // namespace tavolix
