// The main of every test program: a Qt application on the offscreen platform,
// no waiting, and a configuration folder of its own (XDG_CONFIG_HOME), so no
// test ever reads or writes the player's real settings.
#include <cstdlib>

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "table/pacer.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);

  QTemporaryDir configHome;
  if (!configHome.isValid()) return EXIT_FAILURE;
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  tavolix::pacer::setPace(0.0);
  return RUN_ALL_TESTS();
}
