// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QLatin1StringView>

#include "settings_store.h"

namespace tavolix {

// Where each option lives in the store: its key and its value name.
struct StoredValue {
  RegistryKey key;
  QLatin1StringView name;
};

namespace stored {

using namespace Qt::StringLiterals;

// Main key: the look, the speed, the sound and the names.
inline constexpr StoredValue kPedraX{RegistryKey::Main, "PedraX"_L1};
inline constexpr StoredValue kJog{RegistryKey::Main, "jog"_L1};
inline constexpr StoredValue kCpu1{RegistryKey::Main, "cpu1"_L1};
inline constexpr StoredValue kCpu2{RegistryKey::Main, "cpu2"_L1};
inline constexpr StoredValue kCpu3{RegistryKey::Main, "cpu3"_L1};
inline constexpr StoredValue kVeloc{RegistryKey::Main, "Veloc"_L1};
inline constexpr StoredValue kTocarSom{RegistryKey::Main, "TocarSom"_L1};
// The language: "pt" (or nothing stored) Portuguese, "en" English.
inline constexpr StoredValue kLanguage{RegistryKey::Main, "Language"_L1};
inline constexpr StoredValue kMarkTurn{RegistryKey::Main, "MarkTurn"_L1};
inline constexpr StoredValue kMarkLastMove{RegistryKey::Main, "MarkLastMove"_L1};
inline constexpr StoredValue kReducedMotion{RegistryKey::Main, "ReducedMotion"_L1};
// The computer players' level: "Forte" the strong one, anything else (or nothing) "Normal".
inline constexpr StoredValue kOpponents{RegistryKey::Main, "Opponents"_L1};
// The window's size out of full screen, in the desktop's units.
inline constexpr StoredValue kWindowWidth{RegistryKey::Main, "WindowWidth"_L1};
inline constexpr StoredValue kWindowHeight{RegistryKey::Main, "WindowHeight"_L1};
// A match file that could not be removed when its match was over or given up:
// the SHA-256 of its bytes, so that it is never offered again.
inline constexpr StoredValue kMatchOver{RegistryKey::Main, "MatchOver"_L1};
// Online play as last chosen: the server joined or hosted on, and the port a
// table hosted on this computer listens on.
inline constexpr StoredValue kOnlineServer{RegistryKey::Main, "OnlineServer"_L1};
inline constexpr StoredValue kOnlinePort{RegistryKey::Main, "OnlinePort"_L1};
// Read at start-up but never written: the rules under "Opc" replace them before every match.
inline constexpr StoredValue kMainFecharSoNoNatural{RegistryKey::Main, "FecharSoNoNatural"_L1};
inline constexpr StoredValue kMainSentidoHorario{RegistryKey::Main, "SentidoHorario"_L1};
inline constexpr StoredValue kMainPontosLimit{RegistryKey::Main, "PontosLimit"_L1};

// The "Opc" key: the match rules.
inline constexpr StoredValue kTipoJogo{RegistryKey::Opc, "TipoJogo"_L1};
inline constexpr StoredValue kTipoRegra{RegistryKey::Opc, "TipoRegra"_L1};
inline constexpr StoredValue kTipoInicio{RegistryKey::Opc, "TipoInicio"_L1};
inline constexpr StoredValue kSentidoHorario{RegistryKey::Opc, "SentidoHorario"_L1};
inline constexpr StoredValue kFecharSoNoNatural{RegistryKey::Opc, "FecharSoNoNatural"_L1};
inline constexpr StoredValue kPontosLimit{RegistryKey::Opc, "PontosLimit"_L1};

// The computer seats' names, seat 1 to 3.
inline constexpr StoredValue kCpuNames[] = {kCpu1, kCpu2, kCpu3};

}  // namespace stored

}  // namespace tavolix
