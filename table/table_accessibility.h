// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <vector>

namespace tavolix {

// The table's status as a screen reader announces it: whose turn it is, what
// was laid last, the tile chosen from the keyboard. Each text shown stays long
// enough to be read (kReadMs at the game's pace) before the next waiting one
// takes its place: a text that tells a move waits its turn whatever comes
// after it; any other is replaced by a newer one while it waits. Each is
// announced as it is shown, and the last few can be read again.
class TableStatus : public QObject {
  Q_OBJECT

 public:
  explicit TableStatus(QObject* parent = nullptr);
  QString text() const { return text_; }
  // `move`: the text tells a move, and is never passed over.
  void setText(const QString& text, bool move = false);
  // What the player asked to hear: shown and announced at once, even again.
  void sayNow(const QString& text);
  // The texts shown last, the oldest first, the one shown now last.
  const QStringList& recent() const { return recent_; }

  static constexpr int kReadMs = 1200;
  static constexpr int kRecent = 20;

 Q_SIGNALS:
  // Each new status, as it goes to the screen reader.
  void announced(const QString& text);

 private:
  void show(const QString& text);

  struct Waiting {
    QString text;
    bool move = false;
  };
  QString text_;
  std::vector<Waiting> waiting_;  // not yet shown, the oldest first
  QStringList recent_;
  QTimer hold_;  // runs while the text shown is being read
};

// The player's hand as a screen reader lists it: an item for each tile, named
// with its pips and where it goes. Pressing an item lays its tile where it
// goes (asking for the end when it goes on both); two more actions lay it on
// end A or end B.
class HandList : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 Q_SIGNALS:
  // `end`: -1 where the tile goes, 0 end A, 1 end B.
  void tilePressed(int slot, int end);
};

// The table in words: the open ends, the passes so far, each seat's tiles.
class TableSummary : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 Q_SIGNALS:
  // The table in words is now `words`; a screen reader has been told.
  void changed(const QString& words);
};

// Makes the table readable by screen readers: the view lists the table's
// commands and captions, the hand, the table in words and the status as
// accessible children. Called once, before the window is shown.
void installTableAccessibility();

}  // namespace tavolix
