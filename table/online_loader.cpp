// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include <QPluginLoader>

#include "modules.h"
#include "online_module.h"

namespace tavolix {

namespace {

struct Loaded {
  QStringList folders = moduleFolders();
  bool tried = false;
  OnlineModule* module = nullptr;
};

Loaded& loaded() {
  static Loaded once;
  return once;
}

}  // namespace

OnlineModule* onlineModule() {
  Loaded& l = loaded();
  if (!l.tried) {
    l.tried = true;
    // Never unloaded: its connections and servers live as long as the window.
    static QPluginLoader loader;
    QString why;
    QObject* instance = loadModule(loader, QStringLiteral("tavolix-online"), l.folders, why);
    l.module = qobject_cast<OnlineModule*>(instance);
    if (instance != nullptr && l.module == nullptr)
      why = QStringLiteral("is not the game's online module");
    if (l.module == nullptr)
      qWarning("Tavolix: no online play: the module tavolix-online %s", qUtf8Printable(why));
  }
  return l.module;
}

QStringList onlineModuleFolders() { return loaded().folders; }

void setOnlineModuleFolders(const QStringList& folders) {
  Loaded& l = loaded();
  l.folders = folders;
  l.tried = false;
  l.module = nullptr;
}

}  // namespace tavolix
