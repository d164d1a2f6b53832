// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QObject>
#include <QString>

namespace tavolix {

// The table's status as a screen reader announces it: whose turn it is, what
// was laid last, the tile chosen from the keyboard. Each change is announced.
class TableStatus : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  QString text() const { return text_; }
  void setText(const QString& text);

 Q_SIGNALS:
  // Each new status, as it goes to the screen reader.
  void announced(const QString& text);

 private:
  QString text_;
};

// Makes the table readable by screen readers: the view lists the table's
// commands and captions and its status as accessible children. Called once,
// before the window is shown.
void installTableAccessibility();

}  // namespace tavolix
