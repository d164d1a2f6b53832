// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QImage>
#include <QString>

namespace tavolix {

// The splash banner, 500 x 160, drawn at a pixel density. Its outlined title
// costs more to draw than the rest of the start together, so the banner drawn
// at the first start is kept in the cache folder and shown from there
// afterwards. A kept copy that is damaged, cut short, or drawn by another
// build, Qt or font is drawn afresh and replaced; a folder that cannot be
// written only costs the drawing again.
struct SplashBanner {
  QImage image;       // at the density asked for
  bool kept = false;  // read back rather than drawn
};
SplashBanner splashBanner(qreal devicePixelRatio, const QString& cacheFolder);

// The game's own cache folder (under XDG_CACHE_HOME on Linux).
QString gameCacheFolder();

}  // namespace tavolix
