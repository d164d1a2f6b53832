#include "help_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "sound_player.h"

namespace tavolix {

namespace {

QString findIn(const QStringList& folders, const QString& name) {
  for (const QString& folder : folders) {
    const QFileInfo file(QDir(folder), name);
    if (file.isFile()) return file.absoluteFilePath();
  }
  return {};
}

}  // namespace

bool desktopHasChmViewer() {
#ifdef Q_OS_WIN
  return true;  // Windows opens compiled help itself
#else
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                           QStringLiteral("application/vnd.ms-htmlhelp")});
  if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit ||
      query.exitCode() != 0) {
    return false;
  }
  return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

HelpLauncher::HelpLauncher()
    : HelpLauncher([](const QUrl& url) { return QDesktopServices::openUrl(url); },
                   desktopHasChmViewer, gameFileFolders()) {}

HelpLauncher::HelpLauncher(Opener opener, ViewerCheck hasChmViewer, QStringList folders)
    : opener_(std::move(opener)),
      hasChmViewer_(std::move(hasChmViewer)),
      folders_(std::move(folders)) {}

QString HelpLauncher::chmFile() const { return findIn(folders_, QStringLiteral("tavolix.chm")); }

QString HelpLauncher::htmlIndex() const {
  return findIn(folders_, QStringLiteral("help/index.html"));
}

QUrl HelpLauncher::open() {
  const QString chm = chmFile();
  if (!chm.isEmpty() && hasChmViewer_()) {
    const QUrl url = QUrl::fromLocalFile(chm);
    if (opener_(url)) return url;
  }
  const QString html = htmlIndex();
  if (html.isEmpty()) return {};
  const QUrl url = QUrl::fromLocalFile(html);
  return opener_(url) ? url : QUrl();
}

}  // namespace tavolix
