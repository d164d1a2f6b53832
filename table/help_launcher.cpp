// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "help_launcher.h"

#include <memory>
#include <utility>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "language.h"
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

void askForChmViewer(std::function<void(bool)> answer) {
#ifdef Q_OS_WIN
  answer(true);  // Windows opens compiled help itself
#else
  auto* query = new QProcess;
  // One answer, whichever comes first: the program's output, or its failure to run.
  auto reply = std::make_shared<std::function<void(bool)> >(std::move(answer));
  const auto finish = [query, reply](bool has) {
    if (*reply) std::exchange(*reply, nullptr)(has);
    query->deleteLater();
  };
  QObject::connect(query, &QProcess::finished, query,
                   [query, finish](int code, QProcess::ExitStatus status) {
                     finish(status == QProcess::NormalExit && code == 0 &&
                            !query->readAllStandardOutput().trimmed().isEmpty());
                   });
  QObject::connect(query, &QProcess::errorOccurred, query, [finish](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) finish(false);
  });
  query->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                            QStringLiteral("application/vnd.ms-htmlhelp")});
#endif
}

HelpLauncher::HelpLauncher()
    : HelpLauncher([](const QUrl& url) { return QDesktopServices::openUrl(url); }, askForChmViewer,
                   installedFolders()) {}

HelpLauncher::HelpLauncher(Opener opener, ViewerCheck hasChmViewer, QStringList folders)
    : opener_(std::move(opener)),
      hasChmViewer_(std::move(hasChmViewer)),
      folders_(std::move(folders)) {}

// The help of the language in use; the Portuguese where the English is missing.
QString HelpLauncher::chmFile() const {
  const QString english = findIn(folders_, QStringLiteral("tavolix-en.chm"));
  if (currentLanguage() == Language::English && !english.isEmpty()) return english;
  return findIn(folders_, QStringLiteral("tavolix.chm"));
}

QString HelpLauncher::htmlIndex() const {
  const QString english = findIn(folders_, QStringLiteral("help/en/index.html"));
  if (currentLanguage() == Language::English && !english.isEmpty()) return english;
  return findIn(folders_, QStringLiteral("help/index.html"));
}

QString HelpLauncher::failureText() const {
  const QString pages = htmlIndex();
  if (pages.isEmpty()) {
    return QCoreApplication::translate("HelpLauncher",
                                       "A ajuda não foi encontrada. Ela é procurada em:\n\n%1")
        .arg(folders_.join(QStringLiteral("\n")));
  }
  return QCoreApplication::translate("HelpLauncher",
                                     "Nenhum programa pôde ser aberto para mostrar a ajuda.\n\n"
                                     "As páginas podem ser abertas em qualquer navegador:\n\n%1")
      .arg(pages);
}

void HelpLauncher::open(Done done) const {
  const auto pages = [opener = opener_, html = htmlIndex(), done] {
    const QUrl url = QUrl::fromLocalFile(html);
    done(!html.isEmpty() && opener(url) ? url : QUrl());
  };
  const QString chm = chmFile();
  if (chm.isEmpty()) {
    pages();
    return;
  }
  hasChmViewer_([opener = opener_, chm, pages, done](bool viewer) {
    const QUrl url = QUrl::fromLocalFile(chm);
    if (viewer && opener(url)) {
      done(url);
    } else {
      pages();
    }
  });
}

}  // namespace tavolix
