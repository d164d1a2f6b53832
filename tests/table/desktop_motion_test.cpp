// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The desktop's wish for no animations, heard from KDE's settings file and
// from GNOME's gsettings.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "table/desktop_motion.h"
#include "window_support.h"

namespace tavolix {
namespace {

void write(const QString& path, const QByteArray& text, bool program = false) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
  file.close();
  if (program) file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// What the desktop says, once any gsettings asked has answered.
int heard(const DesktopMotionSources& sources) {
  QObject context;
  int reduced = 0;
  askDesktopForMotion(sources, &context, [&reduced](bool r) { reduced += r ? 1 : 100; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return context.findChildren<QProcess*>().isEmpty(); }, 20000));
  return reduced;
}

TEST(DesktopMotion, KdesFactorOfNoughtAndGnomesAnimationsOffAreHeard) {
  QTemporaryDir dir;
  const QString kde = dir.filePath(QStringLiteral("kdeglobals"));
  write(kde, "[General]\nColorScheme=Breeze\n\n[KDE]\nAnimationDurationFactor=0\n");
  EXPECT_EQ(heard({kde, QString()}), 1);
  write(kde, "[KDE]\nAnimationDurationFactor=0.5\n");
  EXPECT_EQ(heard({kde, QString()}), 0);
  write(kde, "[KDE]\nSingleClick=false\n");
  EXPECT_EQ(heard({kde, QString()}), 0);
  EXPECT_EQ(heard({dir.filePath(QStringLiteral("nowhere")), QString()}), 0);

  const QString gsettings = dir.filePath(QStringLiteral("gsettings"));
  write(gsettings,
        "#!/bin/sh\n"
        "[ \"$*\" = \"get org.gnome.desktop.interface enable-animations\" ] || exit 1\n"
        "echo false\n",
        true);
  EXPECT_EQ(heard({QString(), gsettings}), 1);
  write(gsettings, "#!/bin/sh\necho true\n", true);
  EXPECT_EQ(heard({QString(), gsettings}), 0);
  write(gsettings, "#!/bin/sh\necho false\nexit 1\n", true);  // an answer with a failure
  EXPECT_EQ(heard({QString(), gsettings}), 0);
  EXPECT_EQ(heard({QString(), dir.filePath(QStringLiteral("no-such-program"))}), 0);
  // KDE's file speaks first; GNOME is not asked when it says no animations.
  write(kde, "[KDE]\nAnimationDurationFactor=0\n");
  write(gsettings, "#!/bin/sh\necho false\n", true);
  EXPECT_EQ(heard({kde, gsettings}), 1);
}

TEST(DesktopMotion, OnlyDesktopsOfGnomesFamilyAreAskedThroughGsettings) {
  QTemporaryDir dir;
  const QString gsettings = dir.filePath(QStringLiteral("gsettings"));
  write(gsettings, "#!/bin/sh\necho true\n", true);
  const QByteArray path = qgetenv("PATH");
  const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
  qputenv("PATH", QFile::encodeName(dir.path()) + ':' + path);
  qputenv("XDG_CURRENT_DESKTOP", "KDE");
  EXPECT_EQ(DesktopMotionSources::ofThisSession().gsettings, QString());
  for (const char* family : {"ubuntu:GNOME", "Budgie:GNOME", "X-Cinnamon", "Pantheon"}) {
    qputenv("XDG_CURRENT_DESKTOP", family);
    EXPECT_EQ(DesktopMotionSources::ofThisSession().gsettings, gsettings) << family;
  }
  qputenv("PATH", path);
  qputenv("XDG_CURRENT_DESKTOP", desktop);
}

// The game's window asks the desktop once it is up: tiles then go straight to
// their place though the preferences did not ask for it.
using DesktopMotionWindowTest = WindowTest;
TEST_F(DesktopMotionWindowTest, TheTableHearsTheDesktopOnceItIsUp) {
  QTemporaryDir bin;
  write(bin.filePath(QStringLiteral("gsettings")), "#!/bin/sh\necho false\n", true);
  ASSERT_FALSE(scene().motionReduced());
  const QByteArray path = qgetenv("PATH");
  const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
  qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
  qputenv("XDG_CURRENT_DESKTOP", "GNOME");
  startMatch();
  EXPECT_TRUE(QTest::qWaitFor([this] { return scene().motionReduced(); }, 20000));
  EXPECT_FALSE(settings.reducedMotion);
  qputenv("PATH", path);
  qputenv("XDG_CURRENT_DESKTOP", desktop);
}

}  // namespace
}  // namespace tavolix
