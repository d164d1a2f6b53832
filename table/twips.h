#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace tavolix {

// The table is laid out in twips, 15 to a pixel of the window at its normal size.
inline constexpr double kTwipsPerPixel = 15.0;

constexpr double twips(double pixels) { return pixels * kTwipsPerPixel; }
inline QSizeF twips(QSizeF pixels) { return pixels * kTwipsPerPixel; }
// A font size in points, as scene units: 20 twips to the point.
constexpr double pointsToTwips(double points) { return points * 20.0; }

}  // namespace tavolix
