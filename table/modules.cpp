// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace tavolix {

QStringList moduleFolders() {
  QStringList folders{QCoreApplication::applicationDirPath()};
  const QString installed = QDir::cleanPath(QStringLiteral(TAVOLIX_MODULE_DIR));
  if (!folders.contains(installed)) folders.append(installed);
  return folders;
}

QObject* loadModule(QPluginLoader& loader, const QString& name, const QStringList& folders,
                    QString& why) {
  why.clear();
  for (const QString& folder : folders) {
    loader.setFileName(QDir(folder).filePath(name));
    if (loader.fileName().isEmpty()) continue;  // not in this folder
    if (QObject* module = loader.instance()) return module;
    why = QStringLiteral("could not be loaded: %1").arg(loader.errorString());
    loader.unload();
  }
  if (why.isEmpty()) why = QStringLiteral("is not in %1").arg(folders.join(QStringLiteral(", ")));
  return nullptr;
}

}  // namespace tavolix
