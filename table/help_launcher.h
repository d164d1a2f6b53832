// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>

#include <QString>
#include <QStringList>
#include <QUrl>

namespace tavolix {

// Opens the game's help in the language in use: "tavolix.chm" (English
// "tavolix-en.chm") with whatever viewer the desktop has
// for it; where there is none, the same pages as HTML in the browser. The help
// is looked for where the game is installed, never in the current folder.
// Looking for a viewer never holds up the window: the answer comes later.
class HelpLauncher {
 public:
  using Opener = std::function<bool(const QUrl&)>;
  // Asks whether the desktop has a CHM viewer and hands the answer on, now or later.
  using ViewerCheck = std::function<void(std::function<void(bool)>)>;
  // What Help opened, or an empty address when nothing could be shown.
  using Done = std::function<void(const QUrl&)>;

  HelpLauncher();
  // For tests: how a file is opened, how a viewer is looked for, and where.
  HelpLauncher(Opener opener, ViewerCheck hasChmViewer, QStringList folders);

  void open(Done done) const;

  QString chmFile() const;
  QString htmlIndex() const;
  // What to tell the player when nothing could show the help.
  QString failureText() const;

 private:
  Opener opener_;
  ViewerCheck hasChmViewer_;
  QStringList folders_;
};

// Asks the desktop (xdg-mime, without waiting for it) whether a program is
// registered for compiled help files.
void askForChmViewer(std::function<void(bool)> answer);

}  // namespace tavolix
