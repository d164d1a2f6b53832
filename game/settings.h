// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavolix {

// How the computer seats play: as the ordinary player ("Normal"), the strong
// one ("Forte") or the master ("Mestre").
enum class ComputerLevel { Normal, Strong, Master };

// Every option that outlives a run: the match rules, the look of the tiles,
// the animation speed, sound and the seat names. The defaults below are the
// ones a first run plays with; the settings store falls back on them for any
// value it cannot find or read.
struct Settings {
  // The points limit a rule starts with when none is stored.
  static constexpr std::int16_t kDefaultLimitRule1 = 4;
  static constexpr std::int16_t kDefaultLimitRule2 = 100;
  // What the rules dialog's buttons allow, and what start-up clamps to.
  static constexpr std::int16_t kMinLimitRule1 = 4;
  static constexpr std::int16_t kMaxLimitRule1 = 10;
  static constexpr std::int16_t kMinLimitRule2 = 50;
  static constexpr std::int16_t kMaxLimitRule2 = 250;
  // The speed bar's range: the number of steps of a computer slide.
  static constexpr std::int16_t kMinVeloc = 5;
  static constexpr std::int16_t kMaxVeloc = 25;

  std::int16_t TipoJogo = 1;    // 1 individual, 2 pairs ("Duplas")
  std::int16_t TipoRegra = 1;   // 1 points by the kind of going out, 2 one point per pip left
  std::int16_t TipoInicio = 1;  // who opens: 1 winner of the last hand, 2 always 6:6, 3 rotation
  bool SentidoHorario = true;
  std::int16_t PontosLimit = kDefaultLimitRule1;
  bool FecharSoNoNatural = true;
  std::int16_t PedraX = 0;  // tile set: 0 ivory ("Marfim"), 1 colourful ("Coloridas")
  std::int16_t Veloc = 15;
  bool TocarSom = true;
  bool Ingles = false;  // the language chosen: English, else Portuguese
  // Helps on the table a player may turn off: the seat to move marked, and the
  // tile laid last outlined.
  bool markTurn = true;
  bool markLastMove = true;
  // Tiles put in their places at once instead of sliding there, for a player
  // whom motion on the screen troubles (the desktop may ask for it too).
  bool reducedMotion = false;
  // The computer seats' level.
  ComputerLevel opponents = ComputerLevel::Normal;
  // The player's name, then Mac1..Mac3.
  std::array<std::string, 4> Nomes{"", "Zorvan", "Melira", "Astelo"};

  // The first of the seven half-face pictures of the chosen tile set.
  constexpr std::int16_t PedraBase() const { return PedraX == 0 ? 0 : 7; }
  bool pairs() const { return TipoJogo == 2; }
  // Under the second scoring rule every pip left in the losers' hands is a point.
  bool pipRule() const { return TipoRegra == 2; }
};

}  // namespace tavolix
