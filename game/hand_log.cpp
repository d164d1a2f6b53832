// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "hand_log.h"

namespace tavolix {

std::vector<LoggedMove> handLog(const std::vector<HandEvent>& events, int endA, int endB) {
  // The ends before the first move: each tile taken off again, the last first.
  for (auto e = events.rbegin(); e != events.rend(); ++e) {
    if (e->passed) continue;
    if (e->side == Lado::First) break;
    int& end = e->side == Lado::A ? endA : endB;
    end = e->tile.otherPip(end);
  }
  std::vector<LoggedMove> log;
  for (const HandEvent& e : events) {
    if (e.passed) {
      log.push_back({e.seat, texts::passedOn(endA, endB)});
    } else if (e.side == Lado::First) {
      endA = e.tile.first();
      endB = e.tile.last();
      log.push_back({e.seat, texts::openedWith(e.tile)});
    } else {
      int& end = e.side == Lado::A ? endA : endB;
      log.push_back({e.seat, texts::laidOnEnd(e.tile, end)});
      end = e.tile.otherPip(end);
    }
  }
  return log;
}

}  // namespace tavolix
