// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QStringList>

namespace tavolix {

// What the command line and the environment ask of a run.
struct StartupOptions {
  enum class Action { Play, ShowHelp, ShowVersion, Refuse };
  Action action = Action::Play;
  std::string output;                   // help or version text, or why the command line was refused
  std::vector<std::string> warnings;    // environment values that were ignored
  std::optional<std::uint64_t> seed;    // TAVOLIX_SEED
  double pace = 1.0;                    // TAVOLIX_PACE
  bool quitAfterPaint = false;          // --quit-after-paint: measuring start-up
  std::optional<std::string> language;  // --lang pt|en, for this run
  QString link;                         // tavolix://HOST:PORT/CODE: that table joined
};

// `arguments` as the application leaves them once Qt has taken its own
// options (-platform, -reverse, ...), the program's name first; `seedText` and
// `paceText` are the environment's TAVOLIX_SEED and TAVOLIX_PACE (null when unset).
StartupOptions readStartupOptions(const QStringList& arguments, const char* seedText,
                                  const char* paceText);

// Whether the game may find a display to show the table on: on Linux, one
// named by the environment (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM) or by
// Qt's own options (-platform, -display).
bool displayNamed(const QStringList& rawArguments);

// In the language in use.
std::string helpText();

}  // namespace tavolix
