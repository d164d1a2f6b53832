#pragma once

#include <functional>

#include <QString>
#include <QStringList>
#include <QUrl>

namespace tavolix {

// Opens the game's help: "tavolix.chm" beside the program, with whatever
// viewer the desktop has for it; where there is none, the same pages as HTML
// in the browser, so that Help always shows the player something.
class HelpLauncher {
 public:
  using Opener = std::function<bool(const QUrl&)>;
  using ViewerCheck = std::function<bool()>;

  HelpLauncher();
  // For tests: how a file is opened, and whether a CHM viewer exists.
  HelpLauncher(Opener opener, ViewerCheck hasChmViewer, QStringList folders);

  // What Help opened; empty when neither the CHM nor the HTML pages were found.
  QUrl open();

  QString chmFile() const;
  QString htmlIndex() const;

 private:
  Opener opener_;
  ViewerCheck hasChmViewer_;
  QStringList folders_;
};

// Whether the desktop has a program registered for compiled help files.
bool desktopHasChmViewer();

}  // namespace tavolix
