// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The splash banner kept in the cache folder from one start to the next: the
// same picture as a drawn one, never a damaged or foreign copy, and the
// banner shown whatever the folder does.
#include <functional>

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "kept_looks.h"
#include "table/frm_splash.h"
#include "table/splash_banner.h"

namespace tavolix {
namespace {

class SplashBannerTest : public ::testing::Test {
 protected:
  QTemporaryDir cache;
  QString keptFile() const { return cache.path() + QStringLiteral("/splash-500x160.bin"); }
  QByteArray keptBytes() const {
    QFile file(keptFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void writeKept(const QByteArray& bytes) const {
    QFile file(keptFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
};

TEST_F(SplashBannerTest, DrawnAtTheFirstStartAndShownFromTheCacheAfterwardsPixelForPixel) {
  ASSERT_TRUE(cache.isValid());
  const SplashBanner first = splashBanner(1.0, cache.path());
  EXPECT_FALSE(first.kept);
  ASSERT_EQ(first.image.size(), QSize(500, 160));
  // The picture itself: the green border, the grey bars, the navy band.
  const QColor border = first.image.pixelColor(2, 80);
  EXPECT_GT(border.green(), border.red() + 40);
  const QColor bar = first.image.pixelColor(250, 14);
  EXPECT_GT(bar.red(), 150);
  const QColor band = first.image.pixelColor(20, 80);
  EXPECT_GT(band.blue(), band.red() + 20);
  EXPECT_LT(band.red(), 40);
  EXPECT_TRUE(QFile::exists(keptFile()));

  const SplashBanner second = splashBanner(1.0, cache.path());
  EXPECT_TRUE(second.kept);
  EXPECT_EQ(second.image, first.image);

  // A screen at twice the density has a sharper banner of its own, and
  // keeps the first.
  const SplashBanner sharp = splashBanner(2.0, cache.path());
  EXPECT_FALSE(sharp.kept);
  EXPECT_EQ(sharp.image.size(), QSize(1000, 320));
  EXPECT_EQ(sharp.image.devicePixelRatio(), 2.0);
  EXPECT_EQ(sharp.image.pixelColor(40, 160), band);
  const SplashBanner sharpAgain = splashBanner(2.0, cache.path());
  EXPECT_TRUE(sharpAgain.kept);
  EXPECT_EQ(sharpAgain.image.devicePixelRatio(), 2.0);
  EXPECT_EQ(sharpAgain.image, sharp.image);
  EXPECT_TRUE(splashBanner(1.0, cache.path()).kept);

  // A screen scaled below 100% gets a banner of its own density too: the
  // same size on the screen.
  const SplashBanner scaledDown = splashBanner(0.75, cache.path());
  EXPECT_EQ(scaledDown.image.size(), QSize(375, 120));
  EXPECT_EQ(scaledDown.image.deviceIndependentSize(), QSizeF(500, 160));
}

TEST_F(SplashBannerTest, AKeptCopyThatCannotBeTrustedIsDrawnAfreshAndReplaced) {
  ASSERT_TRUE(cache.isValid());
  const QImage drawn = splashBanner(1.0, cache.path()).image;
  const QByteArray good = keptBytes();
  ASSERT_GT(good.size(), 500 * 160 * 4);
  // Another build's banner: the same bytes but for its drawing's revision.
  QByteArray otherBuild = good;
  const QByteArray revision = QByteArray::fromRawData(
      "\0a\0r\0t\0 \0"
      "1",
      11);
  const qsizetype at = otherBuild.indexOf(revision);
  ASSERT_GE(at, 0);
  otherBuild[at + 10] = '2';
  QByteArray onePixelOff = good;
  onePixelOff[good.size() - 1000] = char(onePixelOff[good.size() - 1000] ^ 0x10);
  QByteArray hugeName = good.left(4);
  hugeName.append("\x7f\xff\xff\xf0", 4);
  const std::pair<const char*, QByteArray> damaged[] = {
      {"empty", QByteArray()},
      {"cut short", good.left(good.size() - 1)},
      {"one byte more", good + QByteArray(1, '\0')},
      {"one pixel changed", onePixelOff},
      {"another build's", otherBuild},
      {"a name longer than the file", hugeName},
      {"not a banner at all", QByteArray(good.size(), 'x')},
  };
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    writeKept(bytes);
    const SplashBanner banner = splashBanner(1.0, cache.path());
    EXPECT_FALSE(banner.kept);
    EXPECT_EQ(banner.image, drawn);
    EXPECT_EQ(keptBytes(), good);  // replaced by a sound copy
    EXPECT_TRUE(splashBanner(1.0, cache.path()).kept);
  }
}

TEST_F(SplashBannerTest, AFolderThatCannotBeWrittenStillShowsTheBanner) {
  ASSERT_TRUE(cache.isValid());
  const QImage drawn = splashBanner(1.0, cache.path()).image;
  // A file where the folder should be: nothing can be kept under it.
  const QString blocked = cache.path() + QStringLiteral("/blocked");
  {
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  for (int start = 0; start < 2; ++start) {
    const SplashBanner banner = splashBanner(1.0, blocked + QStringLiteral("/cache"));
    EXPECT_FALSE(banner.kept);
    EXPECT_EQ(banner.image, drawn);
  }
}

TEST_F(SplashBannerTest, TheSplashWindowShowsTheBannerUnderItsVersion) {
  FrmSplash splash;
  splash.show();
  const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const SplashBanner banner = splashBanner(splash.devicePixelRatioF(), gameCacheFolder());
  EXPECT_TRUE(banner.kept);  // the window kept it when it was first painted
  ASSERT_EQ(shown.size(), banner.image.size());
  // The version is lettered in grey at the right of the band; everywhere
  // else the window is the banner.
  const QRect version(438, 97, 52, 14);
  int differing = 0;
  int differingOutsideVersion = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != banner.image.pixel(x, y)) {
        ++differing;
        if (!version.contains(x, y)) ++differingOutsideVersion;
      }
  EXPECT_GT(differing, 20);
  EXPECT_EQ(differingOutsideVersion, 0);
  EXPECT_EQ(unlikeKeptLook(shown, QStringLiteral("splash")), "");
}

}  // namespace
}  // namespace tavolix
