// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>

#include "game/autoplay.h"
#include "game/match.h"

namespace tavolix {

// Match after match played by itself from `seed`, every ask and every end
// told to `keeper`, for as long as `more()` says.
inline void keepPlaying(MatchKeeper& keeper, std::uint64_t seed,
                        const std::function<bool()>& more) {
  struct Table : SilentPresentation {
    NewGameAnswer newGameDialog(bool) override { return NewGameAnswer::Play; }
  } table;
  Settings settings;
  settings.Nomes[0] = "Ana";
  RandomSource random(seed);
  Match match(settings, table, random);
  match.setKeeper(&keeper);
  Autoplayer player(match, random);
  match.start();
  while (more() && player.act()) {
  }
}

}  // namespace tavolix
