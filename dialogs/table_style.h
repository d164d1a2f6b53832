// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Dialogs and message boxes in the table's colours and at the table's size: a
// table drawn twice its size opens its dialogs twice theirs, as far as the
// screen holds them, and a small screen gets them shrunk to fit.
#pragma once

#include <QSize>

class QBoxLayout;
class QDialog;
class QMessageBox;
class QWidget;

namespace tavolix {

// The scale the table is drawn at in `window` (1: 800 x 600 pixels), kept on it
// for the dialogs that open over it.
void setTableScale(QWidget& window, double scale);

// The scale for a dialog `design` pixels large (at scale 1) opening over
// `over`: the table's, never less than 1 where the screen has room, and less
// where that is what fits the screen.
double dialogScale(const QWidget* over, QSize design);

// How a dialog is made: a picture of its own with its captions on it, Qt's
// widgets placed in pixels of its design, or Qt's widgets in layouts.
enum class DialogDesign { Picture, Pixels, Layouts };

// Colours `dialog` as the table (a picture keeps its own) and scales it for
// `over`. A dialog in pixels of its design, pictured or not, is called once it
// is built: its size, every child's place and size and every font grow or
// shrink together. A dialog laid out by layouts
// is called before its children are made, with the size it has at scale 1:
// its font, which they take, is scaled. Returns the scale.
double dressLikeTable(QDialog& dialog, const QWidget* over, DialogDesign design, QSize designSize);

// The part of a dialog laid out by layouts that scrolls on a screen too small
// for it: a page, added to `outer`, for the layout of what scrolls.
QWidget* scrollingPage(QDialog& dialog, QBoxLayout& outer);

// A message box in the table's colours, its text at the table's scale.
void dressLikeTable(QMessageBox& box, const QWidget* over);

// The scale a dressed dialog was given (1 for any other widget).
double scaleOf(const QWidget& dialog);

}  // namespace tavolix
