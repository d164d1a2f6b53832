// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The yardstick for the game's start-up: a bare Qt Widgets program with one
// 800 x 600 window that quits once it has been painted.
#include <QApplication>
#include <QWidget>

#include "app/first_paint.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(800, 600);
  new tavolix::QuitAfterFirstPaint(&window);
  window.show();
  return app.exec();
}
