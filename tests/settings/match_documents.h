// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

// The match files of whole matches played by the computer, as the game keeps
// them at every ask of the player.

#include <functional>
#include <optional>
#include <random>
#include <vector>

#include <QByteArray>

#include "game/autoplay.h"
#include "game/match.h"
#include "settings/match_file.h"

namespace tavolix::match_documents {

// A table that plays `matches` matches, then leaves.
class Table : public SilentPresentation {
 public:
  explicit Table(int matches = 1) : matches_(matches) {}
  NewGameAnswer newGameDialog(bool) override {
    return started_++ < matches_ ? NewGameAnswer::Play : NewGameAnswer::Exit;
  }

 private:
  int matches_;
  int started_ = 0;
};

// Hears every ask of the match.
class Keeper : public MatchKeeper {
 public:
  std::function<void(const Match&)> asked = [](const Match&) {};
  int closed = 0;
  void playerAsked(const Match& match) override { asked(match); }
  void matchClosed() override { ++closed; }
};

// Rules of every kind, drawn from the seed within what the dialogs allow.
inline Settings rulesFor(unsigned seed) {
  std::mt19937 draw(seed);
  Settings settings;
  settings.Nomes[0] = "Ana";
  settings.TipoJogo = static_cast<std::int16_t>(1 + draw() % 2);
  settings.TipoRegra = static_cast<std::int16_t>(1 + draw() % 2);
  settings.TipoInicio = static_cast<std::int16_t>(1 + draw() % 3);
  settings.SentidoHorario = draw() % 2 == 0;
  settings.FecharSoNoNatural = draw() % 2 == 0;
  settings.PontosLimit = settings.TipoRegra == 1 ? 4 : 50;
  return settings;
}

// Plays the match until it ends (or stops answering); false if it stopped.
inline bool playOut(Match& match, Autoplayer& player) {
  for (int actions = 0; actions < 100000; ++actions) {
    if (match.awaiting() == Match::Awaiting::Finished) return true;
    if (!player.act()) return false;
  }
  return false;
}

// The match file of every ask of a few whole matches, dealing and playing,
// under rules drawn from each seed or under those given.
inline std::vector<QByteArray> documentsOfWholeMatches(
    int matches, std::optional<Settings> rules = std::nullopt) {
  std::vector<QByteArray> documents;
  for (int seed = 1; seed <= matches; ++seed) {
    Settings settings = rules.value_or(rulesFor(seed));
    Table table;
    RandomSource random(seed);
    Match match(settings, table, random);
    Keeper keeper;
    keeper.asked = [&](const Match& m) { documents.push_back(matchToJson(m.saved())); };
    match.setKeeper(&keeper);
    Autoplayer player(match, random);
    match.start();
    playOut(match, player);
  }
  return documents;
}

}  // namespace tavolix::match_documents
