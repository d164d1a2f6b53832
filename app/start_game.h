// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <optional>

#include <QSize>
#include <QString>

#include "game/settings.h"

class QApplication;
class QWidget;

namespace tavolix {

class RandomSource;
class SettingsStore;

// The program as the desktop knows it: its names and the desktop entry that
// starts it (org.vantorel.Tavolix, also its Wayland app id).
inline constexpr char kApplicationId[] = "org.vantorel.Tavolix";
void presentApplication();
// The icon every window made from now on shows, from 16 to 128 pixels (the
// launcher's 256-pixel one is in the icon theme).
void setWindowIcons();

// The options the game starts with: those stored, in the language in use
// (the one asked for on the command line, which is not stored, or else the
// one stored or the desktop's).
Settings settingsAtStart(const SettingsStore& store);

// Why the game cannot run on a screen this size (in device pixels, whatever
// the desktop's scaling), if it cannot:
// the table needs 600 pixels of height. The width is not tested.
std::optional<QString> screenRefusal(QSize screenPixels);

// Starts the game on `screen`: brings the game already running on the same
// data folder to the front instead, if there is one; refuses a screen too
// small, loads the options, shows the splash and then the table until the
// player leaves. Returns the program's exit code. With `quitAfterPaint` it
// quits once the table is first painted, before the first dialog. With a
// table's `link`, that table is joined (by the game already running, if one is).
// What a second start of the game does to the window already open (after
// handing it the link it was given, if any): back from the taskbar, on top
// of the others, and its dialog, if one is open, on top of it.
void bringToFront(QWidget& window);

int startGame(QApplication& app, SettingsStore& store, RandomSource& random, QSize screen,
              bool quitAfterPaint = false, const QString& link = {});

}  // namespace tavolix
