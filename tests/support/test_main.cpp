// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The main of the test programs that use Qt: a configuration folder, a data
// folder and a cache of its own (XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME), so no test ever reads or writes the player's real
// settings, match, record or kept splash; for the window's tests, an
// application on the offscreen platform that does not wait.
#include <cstdlib>

#include <gtest/gtest.h>
#include <QTemporaryDir>

#ifdef TAVOLIX_TEST_WINDOWS
#include <QApplication>

#include <QFileInfo>

#include "table/language.h"
#include "table/online_module.h"
#include "table/pacer.h"
#else
#include <QCoreApplication>
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryDir configHome;
  if (!configHome.isValid()) return EXIT_FAILURE;
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", (configHome.path() + QStringLiteral("/data")).toLocal8Bit());
  qputenv("XDG_CACHE_HOME", (configHome.path() + QStringLiteral("/cache")).toLocal8Bit());
#ifdef TAVOLIX_TEST_WINDOWS
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tavolix::pacer::setPace(0.0);
  // The online module is where the build made it, not beside the tests.
  tavolix::setOnlineModuleFolders(
      {QFileInfo(QStringLiteral(TAVOLIX_ONLINE_MODULE)).absolutePath()});
  // Pictures of the windows in English (TAVOLIX_SHOTS_LANG=en): the tests
  // that read Portuguese captions then fail, the pictures are kept.
  if (qEnvironmentVariable("TAVOLIX_SHOTS_LANG") == QLatin1String("en"))
    tavolix::useLanguage(tavolix::Language::English);
#else
  QCoreApplication app(argc, argv);
#endif
  return RUN_ALL_TESTS();
}
