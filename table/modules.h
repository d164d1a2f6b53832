// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QPluginLoader;

namespace tavolix {

// The game's modules (sound, online play) are loaded at their first use, so
// that the libraries they need cost nothing at start-up.

// Where the game's modules are: beside the program and where they are installed.
QStringList moduleFolders();
// The module `name` (without its ending: ".so" here, ".dll" on Windows) from
// the first folder that has one that loads; null, with the reason in `why`,
// when none does. The module stays loaded for the rest of the run.
QObject* loadModule(QPluginLoader& loader, const QString& name, const QStringList& folders,
                    QString& why);

}  // namespace tavolix
