// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "game/table_geometry.h"

namespace tavolix {

using geometry::kTwipsPerPixel;

// A place on the table as the scene takes it.
inline QPointF toScene(geometry::Point p) { return {p.left, p.top}; }

constexpr double twips(double pixels) { return pixels * kTwipsPerPixel; }
inline QSizeF twips(QSizeF pixels) { return pixels * kTwipsPerPixel; }
// A font size in points, as scene units: 20 twips to the point.
constexpr double pointsToTwips(double points) { return points * 20.0; }

}  // namespace tavolix
