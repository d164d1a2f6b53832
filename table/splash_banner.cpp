// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "splash_banner.h"

#include <cstring>
#include <optional>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>

#include "artwork/artwork.h"
#include "tavolix/version.h"

namespace tavolix {

namespace {

constexpr quint32 kMagic = 0x54565842;  // "TVXB"
// Raised whenever the banner's drawing changes, so that a copy kept by an
// earlier build of the same version is drawn afresh.
constexpr int kArtRevision = 1;
constexpr QSize kBannerSize(500, 160);

// What the kept pixels depend on besides their size: the game, the Qt that
// drew them and the font their title was cut from.
QString keyOf(const QSize& pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(artwork::kTextPixels);
  return QStringLiteral("%1 art %2, Qt %3, %4, %5 x %6")
      .arg(QLatin1String(version::kText))
      .arg(kArtRevision)
      .arg(QLatin1String(qVersion()), QFontInfo(font).family())
      .arg(pixels.width())
      .arg(pixels.height());
}

// FNV-1a over the pixels, a word at a time: enough to tell a damaged copy.
quint64 checksum(const QImage& image) {
  quint64 sum = 14695981039346656037ull;
  const uchar* bytes = image.constBits();
  const qsizetype size = image.sizeInBytes();
  qsizetype i = 0;
  for (; i + 8 <= size; i += 8) {
    quint64 word;
    std::memcpy(&word, bytes + i, 8);
    sum = (sum ^ word) * 1099511628211ull;
  }
  for (; i < size; ++i) sum = (sum ^ bytes[i]) * 1099511628211ull;
  return sum;
}

QString keptPath(const QString& folder, const QSize& pixels) {
  return QStringLiteral("%1/splash-%2x%3.bin").arg(folder).arg(pixels.width()).arg(pixels.height());
}

std::optional<QImage> readKept(const QString& path, const QString& key, const QSize& pixels) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QDataStream in(&file);
  quint32 magic = 0;
  in >> magic;
  if (magic != kMagic) return std::nullopt;
  QString keptKey;
  quint64 keptSum = 0;
  in >> keptKey >> keptSum;
  if (in.status() != QDataStream::Ok || keptKey != key) return std::nullopt;
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  const qsizetype size = image.sizeInBytes();
  if (image.isNull() || file.size() - file.pos() != size) return std::nullopt;
  if (in.readRawData(reinterpret_cast<char*>(image.bits()), int(size)) != size) return std::nullopt;
  if (checksum(image) != keptSum) return std::nullopt;
  return image;
}

void keep(const QString& folder, const QString& path, const QString& key, const QImage& image) {
  if (!QDir().mkpath(folder)) return;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  QDataStream out(&file);
  out << kMagic << key << checksum(image);
  out.writeRawData(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
  file.commit();  // a failed write leaves nothing behind
}

}  // namespace

SplashBanner splashBanner(qreal devicePixelRatio, const QString& cacheFolder) {
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  const QSize pixels(qRound(kBannerSize.width() * ratio), qRound(kBannerSize.height() * ratio));
  const QString key = keyOf(pixels);
  const QString path = keptPath(cacheFolder, pixels);
  if (std::optional<QImage> kept = readKept(path, key, pixels)) {
    kept->setDevicePixelRatio(ratio);
    return {*kept, true};
  }
  QImage drawn(pixels, QImage::Format_ARGB32_Premultiplied);
  drawn.setDevicePixelRatio(ratio);
  drawn.fill(Qt::transparent);
  {
    QPainter painter(&drawn);
    artwork::paintSplashBanner(painter, QRectF(QPointF(0, 0), QSizeF(kBannerSize)));
  }
  keep(cacheFolder, path, key, drawn);
  return {drawn, false};
}

QString gameCacheFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

}  // namespace tavolix
