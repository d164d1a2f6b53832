// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include "game/settings.h"
#include "settings_store.h"
#include "stored_values.h"

namespace tavolix {

// Reading and writing one option through its stored name.
QString readText(const SettingsStore& store, StoredValue value, const QString& defaultText);
bool writeText(SettingsStore& store, StoredValue value, const QString& text);

// Start-up: the look, the speed, the sound, the computer names and the main
// key's copy of three rules. The points limit is brought into 4..10 here.
void LeConfig(const SettingsStore& store, Settings& settings);
// How the computer players' level is stored: "Normal", "Forte" or "Mestre".
QString opponentsText(ComputerLevel level);

// Before every match: the rules from the "Opc" key, as stored (no clamping).
void GetConfig(const SettingsStore& store, Settings& settings);

// The six rules of a match, stored under "Opc".
void writeRules(SettingsStore& store, const Settings& settings);

// The computer seats' names as a new match reloads them.
void readComputerNames(const SettingsStore& store, Settings& settings);

}  // namespace tavolix
