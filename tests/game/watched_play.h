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

// Four ordinary seats play `matches` matches under `settings`; every turn
// taken on a table with tiles is kept.
inline std::vector<Seen> watchMatches(const Settings& settings, int matches, std::uint64_t seed) {
  class Watcher : public ComputerSeat {
   public:
    explicit Watcher(const Match& match) : match_(match) {}
    SeatAnswer turn(const GameState& state, const Settings& rules, int seat) override {
      if (state.QtdMesa > 0)
        seen.push_back({SeatView::of(state, rules, seat), match_.handEvents(), state.heldTiles});
      return ComputerSeat::turn(state, rules, seat);
    }
    std::vector<Seen> seen;

   private:
    const Match& match_;
  };
  Matches screen(matches);
  RandomSource random(seed);
  Match match(settings, screen, random);
  Watcher watcher(match);
  for (int s = 0; s < kSeatCount; ++s) match.setSeat(s, watcher);
  match.start();
  return match.awaiting() == Match::Awaiting::Finished ? watcher.seen : std::vector<Seen>{};
}

}  // namespace tavolix
