// The tile pictures: every store paints its tile, the pips have their colours.
// With TAVOLIX_SHOTS set to a folder, the sheet of all pictures is saved there.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "table/artwork.h"

namespace tavolix {
namespace {

constexpr double kZoom = 4;  // pixels of the sheet per pixel of a picture

// Paints one picture on the felt at `at` (picture pixels), zoomed.
QRectF paintAt(QPainter& p, Picture picture, int element, QPointF at) {
  const QRectF target(at * kZoom, artwork::pictureSize(picture, element) * kZoom);
  artwork::paintPicture(p, picture, element, target);
  return target;
}

QImage feltSheet(QSize size) {
  QImage sheet(size, QImage::Format_ARGB32);
  sheet.fill(artwork::kFelt);
  return sheet;
}

void keep(const QImage& image, const QString& name) {
  const QString folder = qEnvironmentVariable("TAVOLIX_SHOTS");
  if (!folder.isEmpty()) image.save(QDir(folder).filePath(name));
}

TEST(Artwork, EveryTilePictureIsDrawnInsideItsSize) {
  const Picture tiles[] = {Picture::ImgFrenteW, Picture::ImgFrenteH, Picture::PedraW,    Picture::PedraH,
                           Picture::PedraWR,    Picture::PedraHR,    Picture::ImgCostasW, Picture::ImgCostasH,
                           Picture::ImgMontaoX, Picture::ImgMove};
  QImage sheet = feltSheet(QSize(11 * 70 * kZoom, 2 * 70 * kZoom));
  QPainter p(&sheet);
  for (int set = 0; set <= 1; ++set) {
    double x = 2;
    for (Picture picture : tiles) {
      const QRectF area = paintAt(p, picture, set, {x, 2.0 + 70 * set});
      // Something other than felt inside, nothing outside just right of it.
      const QPoint middle = area.center().toPoint();
      EXPECT_NE(sheet.pixelColor(middle), artwork::kFelt) << static_cast<int>(picture) << "/" << set;
      x += artwork::pictureSize(picture, set).width() + 10;
    }
  }
  // A sample of faces: the first tile of a hand and a hand tile, in both sets.
  for (int set = 0; set <= 1; ++set) {
    const QPointF at(640, 2.0 + 70 * set);
    paintAt(p, Picture::ImgFrenteW, set, at);
    paintAt(p, Picture::ImgW, 5 + 7 * set, at + QPointF(65, 75) / 15);
    paintAt(p, Picture::ImgW, 6 + 7 * set, at + QPointF(440, 75) / 15);
    paintAt(p, Picture::PedraHR, set, at + QPointF(62, 0));
    paintAt(p, Picture::imgh, 6 + 7 * set, at + QPointF(62, 0) + (set == 0 ? QPointF(140, 130) : QPointF(80, 95)) / 15);
    paintAt(p, Picture::imgh, 3 + 7 * set, at + QPointF(62, 0) + (set == 0 ? QPointF(140, 510) : QPointF(80, 485)) / 15);
  }
  p.end();
  keep(sheet, QStringLiteral("tiles.png"));
}

TEST(Artwork, PipsOfTheColourfulSetHaveTheirColours) {
  // One pip sits in the middle of a half: 1 white, 2 red... read the colour there.
  const std::pair<int, QColor> expected[] = {
      {1, QColor(250, 250, 250)}, {3, QColor(38, 206, 228)}, {5, QColor(246, 214, 32)}};
  for (const auto& [pip, colour] : expected) {  // odd counts have a pip in the middle
    QImage half(17 * 8, 17 * 8, QImage::Format_ARGB32);
    half.fill(Qt::black);
    QPainter p(&half);
    artwork::paintPicture(p, Picture::ImgW, pip + 7, half.rect());
    p.end();
    EXPECT_EQ(half.pixelColor(half.rect().center()), colour) << pip;
  }
  // Two red pips on the diagonal, six dark red ones; nothing in the middle of either.
  for (const auto& [pip, colour] : {std::pair{2, QColor(228, 34, 34)}, std::pair{6, QColor(150, 18, 18)}}) {
    QImage half(17 * 8, 17 * 8, QImage::Format_ARGB32);
    half.fill(Qt::black);
    QPainter p(&half);
    artwork::paintPicture(p, Picture::imgh, pip + 7, half.rect());
    p.end();
    const QPoint spot = pip == 2 ? QPoint(half.width() * 0.24, half.height() * 0.24)
                                 : QPoint(half.width() * 0.28, half.height() * 0.5);
    EXPECT_EQ(half.pixelColor(spot), colour) << pip;
    if (pip == 2) {
      EXPECT_EQ(half.pixelColor(half.rect().center()), QColor(Qt::black));
    }
  }
}

TEST(Artwork, IvoryPipsAreGreyOnTheTile) {
  QImage half(20 * 8, 17 * 8, QImage::Format_ARGB32);
  half.fill(QColor(240, 232, 210));
  QPainter p(&half);
  artwork::paintPicture(p, Picture::ImgW, 1, half.rect());
  p.end();
  const QColor pip = half.pixelColor(half.rect().center());
  EXPECT_LT(pip.lightness(), 140);
  EXPECT_LT(std::abs(pip.red() - pip.blue()), 20);
}

TEST(Artwork, TheTableAndTheSplash) {
  QImage table(1600, 1200, QImage::Format_ARGB32);
  QPainter p(&table);
  artwork::paintTable(p, table.rect());
  p.end();
  // Twice the size is as sharp: the felt and the surround keep their exact colours.
  EXPECT_EQ(table.pixelColor(800, 700), artwork::kFelt);
  EXPECT_EQ(table.pixelColor(4, 4), artwork::kSurround);
  keep(table, QStringLiteral("table-2x.png"));

  QImage banner(500, 160, QImage::Format_ARGB32);
  QPainter b(&banner);
  artwork::paintSplashBanner(b, banner.rect());
  b.end();
  EXPECT_EQ(banner.pixelColor(2, 80), artwork::kFelt);  // the green border
  EXPECT_GT(banner.pixelColor(250, 12).lightness(), 150);  // the grey bar at the top
  keep(banner, QStringLiteral("splash.png"));
}

}  // namespace
}  // namespace tavolix
