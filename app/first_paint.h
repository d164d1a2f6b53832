// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace tavolix {

// Ends the program as soon as `widget` has been painted once: start-up is
// measured from the process starting to that moment. Only Qt here, so that a
// bare Qt program can be measured the same way.
class QuitAfterFirstPaint : public QObject {
 public:
  explicit QuitAfterFirstPaint(QObject* widget) : QObject(widget) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Once this paint is done.
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return false;
  }
};

}  // namespace tavolix
