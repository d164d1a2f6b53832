// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QColor>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QSizeF>

namespace tavolix {

// The stores of tile pictures. Each holds one element per tile set (indexed by
// PedraX), except the half faces, numbered pip + PedraBase: 0..6 ivory, 7..13
// colourful.
enum class Picture {
  ImgW,        // half face of a lying tile
  imgh,        // half face of an upright tile
  ImgFrenteW,  // lying face-up blank on the table, with its shadow
  ImgFrenteH,  // upright face-up blank on the table
  PedraW,      // lying back, dark shadow: seats 1 and 3
  PedraH,      // upright back, dark shadow: seat 2
  PedraWR,     // lying face-up blank, dark shadow: seats 1 and 3 turned up
  PedraHR,     // upright face-up blank, dark shadow: the player's hand, seat 2 turned up
  ImgCostasW,  // lying back, no shadow: a computer tile on the move
  ImgCostasH,  // upright back, no shadow
  ImgMontaoX,  // upright back with its shadow on the table: the pile
  ImgMove,     // upright face-up blank, no shadow: the tile the player carries
};

// Everything the table shows is painted here, as vector art: tiles, the table
// itself, the window's glyphs, the splash banner and the hand pointer. Sizes
// are the pictures' own in pixels of the 800 x 600 window; painting fills any
// rectangle, so the art stays sharp in full screen and on HiDPI screens.
namespace artwork {

// The one size, in pixels, of the bold font every text on the table is cut
// from or measured in, scaled to its own: each size of a font loads and sets
// up a font engine of its own at start.
inline constexpr int kTextPixels = 240;

// A picture's size in pixels; an element a store does not hold is empty.
QSizeF pictureSize(Picture picture, int element);
bool holds(Picture picture, int element);
void paintPicture(QPainter& painter, Picture picture, int element, const QRectF& target);

// The table behind everything: surround, title strip, felt and frame, 800 x 600.
inline constexpr QColor kSurround{2, 26, 34};
inline constexpr QColor kFelt{13, 129, 21};
// Only what lies over `exposed` (in the painter's coordinates, as `target`)
// needs painting; none given, all of it.
void paintTable(QPainter& painter, const QRectF& target, const QRectF& exposed = {});
// The grey frame round the felt, in the table picture's pixels: nothing written
// on the table lies on it.
QPainterPath feltFrame();

// The splash banner, 500 x 160.
void paintSplashBanner(QPainter& painter, const QRectF& target);

// The pictures of the new game dialog (479 x 298) and of the end-of-match
// window (384 x 256): a green frame with the title in a raised tab, a navy
// panel, and dark plates under the commands.
enum class DialogPicture { NovoJogo, FimDeJogo };
QSizeF dialogPictureSize(DialogPicture picture);
// `title`, in the raised tab, is written in capitals.
void paintDialogPicture(QPainter& painter, DialogPicture picture, const QRectF& target,
                        const QString& title);

enum class WindowGlyph { Minimise, FullScreen, Close };
void paintWindowGlyph(QPainter& painter, WindowGlyph glyph, const QRectF& target, bool highlighted);

// The hand-shaped pointer of the commands, drawn for the screen's pixel ratio.
QCursor handPointer(qreal devicePixelRatio);

}  // namespace artwork
}  // namespace tavolix
