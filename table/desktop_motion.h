// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>

#include <QString>

class QObject;

namespace tavolix {

// Where a desktop keeps its wish for no animations: KDE's kdeglobals (an
// AnimationDurationFactor of 0), or GNOME's enable-animations, asked of gsettings.
struct DesktopMotionSources {
  QString kdeGlobals;  // the file; empty: none
  QString gsettings;   // the program, asked only on desktops of GNOME's family; empty: none

  // This session's: from the desktop named by XDG_CURRENT_DESKTOP.
  static DesktopMotionSources ofThisSession();
};

// Calls `reduced(true)` when the desktop asks for no animations: at once for
// KDE, when gsettings answers for GNOME (its process belongs to `context`).
// Nothing is called when the desktop asks for nothing.
void askDesktopForMotion(const DesktopMotionSources& sources, QObject* context,
                         std::function<void(bool reduced)> reduced);

}  // namespace tavolix
