// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

// Positions from real play: what each seat saw at each of its turns, the
// hand's moves so far, and the hands as they really were.

#include <vector>

#include "game/computer_player.h"
#include "game/match.h"
#include "game/presentation.h"
#include "game/strong_player.h"
#include "game/unseen_deals.h"

namespace tavolix {

// The rules of a match: pairs or alone, the rule of scoring, the points to win.
inline Settings rulesOf(bool pairs, int rule, int limit) {
  Settings s;
  s.TipoJogo = pairs ? 2 : 1;
  s.TipoRegra = static_cast<std::int16_t>(rule);
  s.PontosLimit = static_cast<std::int16_t>(limit);
  return s;
}

// A few matches, then no more.
class Matches : public SilentPresentation {
 public:
  explicit Matches(int count) : left_(count) {}
  NewGameAnswer newGameDialog(bool) override {
    return left_-- > 0 ? NewGameAnswer::Play : NewGameAnswer::Exit;
  }

 private:
  int left_;
};

struct Seen {
  SeatView view;
  std::vector<HandEvent> hand;
  Hands truth;
};

// Four seats play `matches` matches under `settings`, as the ordinary
// computer or, given `strongDeals`, those of `strongSeats` (one bit a seat)
// as the strong one thinking with that many deals a move; every turn taken on
// a table with tiles is kept.
inline std::vector<Seen> watchMatches(const Settings& settings, int matches, std::uint64_t seed,
                                      int strongDeals = 0, unsigned strongSeats = 0b1111) {
  class Watcher : public ComputerSeat {
   public:
    Watcher(const Match& match, int strongDeals, unsigned strongSeats)
        : match_(match), strongDeals_(strongDeals), strongSeats_(strongSeats) {}
    SeatAnswer turn(const GameState& state, const Settings& rules, int seat) override {
      const SeatView view = SeatView::of(state, rules, seat);
      if (state.QtdMesa > 0) seen.push_back({view, match_.handEvents(), state.heldTiles});
      if (strongDeals_ > 0 && (strongSeats_ >> seat & 1) != 0)
        return strongMove(view, ++turns_, strongDeals_);
      return ComputerSeat::turn(state, rules, seat);
    }
    std::vector<Seen> seen;

   private:
    const Match& match_;
    int strongDeals_;
    unsigned strongSeats_;
    std::uint64_t turns_ = 0;
  };
  Matches screen(matches);
  RandomSource random(seed);
  Match match(settings, screen, random);
  Watcher watcher(match, strongDeals, strongSeats);
  for (int s = 0; s < kSeatCount; ++s) match.setSeat(s, watcher);
  match.start();
  return match.awaiting() == Match::Awaiting::Finished ? watcher.seen : std::vector<Seen>{};
}

}  // namespace tavolix
