// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The yardstick for the game's start-up: a bare Qt program showing an 800 x 600
// graphics view with one item, which quits once the view has been painted.
// With --caption the view also shows one word: what drawing any text at all
// costs a Qt program at start (the font database read, a font file opened).
#include <cstring>

#include <QApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>

#include "app/first_paint.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QGraphicsScene scene(0, 0, 800, 600);
  scene.addRect(100, 100, 200, 100, QPen(Qt::black), QBrush(Qt::darkGreen));
  if (argc > 1 && std::strcmp(argv[1], "--caption") == 0) {
    scene.addSimpleText(QStringLiteral("Tavolix"))->setPos(120, 130);
  }
  QGraphicsView view(&scene);
  view.resize(800, 600);
  new tavolix::QuitAfterFirstPaint(view.viewport());
  view.show();
  return app.exec();
}
