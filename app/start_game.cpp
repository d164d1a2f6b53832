// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "start_game.h"

#include <cstdio>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QResource>

#include "dialogs/table_style.h"
#include "first_paint.h"
#include "game/settings.h"
#include "one_game.h"
#include "settings/match_file.h"
#include "settings/record_file.h"
#include "settings/settings_config.h"
#include "table/form1.h"
#include "table/frm_splash.h"
#include "table/language.h"
#include "table/table_view.h"
#include "termination.h"

namespace tavolix {

namespace {

// How long a second start waits for the running game to answer.
constexpr int kWakeTimeoutMs = 10000;

}  // namespace

void presentApplication() {
  QApplication::setApplicationName(QStringLiteral("Tavolix"));
  QApplication::setOrganizationName(QStringLiteral("Vantorel"));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
}

void setWindowIcons() {
  // Every size a window's frame, task bar or switcher draws; not the 256-pixel
  // one, which the launcher takes from the icon theme: on X11 each size is
  // copied to the server, and that one alone is half a megabyte at start.
  // Kept as bare pixels (tavolix-render-icon): a PNG would be decoded at every
  // start, and reading one has Qt look through its image plug-ins first.
  QIcon icon;
  for (const int size : {16, 22, 32, 48, 64, 128}) {
    const QResource pixels(QStringLiteral(":/window-icons/%1.rgba").arg(size));
    if (pixels.size() != qint64(size) * size * 4 ||
        pixels.compressionAlgorithm() != QResource::NoCompression) {
      continue;
    }
    icon.addPixmap(QPixmap::fromImage(
        QImage(pixels.data(), size, size, QImage::Format_RGBA8888_Premultiplied)));
  }
  QApplication::setWindowIcon(icon);
}

std::optional<QString> screenRefusal(QSize screenPixels) {
  if (screenPixels.height() >= Form1::kHeight) return std::nullopt;
  return QCoreApplication::translate("tavolix::startGame",
                                     "É necessário resolução minima de 800 x 600");
}

void bringToFront(QWidget& window) {
  if (window.isMinimized()) window.showNormal();
  window.raise();
  window.activateWindow();
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
  }
}

Settings settingsAtStart(const SettingsStore& store) {
  Settings settings;
  LeConfig(store, settings);
  // The language in use: the one stored, or the one asked for on the command line.
  settings.Ingles = currentLanguage() == Language::English;
  return settings;
}

int startGame(QApplication& app, SettingsStore& store, RandomSource& random, QSize screen,
              bool quitAfterPaint, const QString& link) {
  TerminationRequests stop;
  // Another game on the same data folder: its window comes to the front instead.
  OneGame guard(dataFolder());
  if (guard.start() == OneGame::Start::AnotherRuns) {
    // A table's link goes to the running game, which joins it.
    const bool woken = guard.wakeRunningGame(kWakeTimeoutMs, link);
    std::fprintf(stderr, "tavolix: %s\n",
                 (woken ? QCoreApplication::translate(
                              "tavolix::startGame",
                              "o jogo já está aberto: a janela dele foi trazida para a frente.")
                        : QCoreApplication::translate(
                              "tavolix::startGame",
                              "o jogo já está aberto, mas não respondeu; ele não foi aberto de "
                              "novo."))
                     .toLocal8Bit()
                     .constData());
    return woken ? 0 : 1;
  }
  if (const auto refusal = screenRefusal(screen)) {
    setWindowIcons();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavolix"), *refusal, QMessageBox::Ok);
    dressLikeTable(box, nullptr);
    box.exec();
    return 1;
  }
  Settings settings = settingsAtStart(store);

  // The splash closing must not end the program: the table is not up yet.
  // Closed by the player before its time, it does.
  app.setQuitOnLastWindowClosed(false);
  {
    FrmSplash splash;
    const QMetaObject::Connection closing =
        QObject::connect(&stop, &TerminationRequests::requested, &splash, &QWidget::close);
    if (!splash.run()) return 0;
    QObject::disconnect(closing);
  }
  // Only now: a splash shows no icon, and each window's icon is copied to the
  // display when the window is made.
  setWindowIcons();

  // The match in progress outlives the window, and the player's record every match: both are
  // kept in the player's data folder.
  MatchFile matchFile(MatchFile::defaultPath(), &store);
  RecordFile recordFile(RecordFile::defaultPath());
  Form1 window(settings, store, random);
  window.setMatchFile(&matchFile);
  window.setRecordFile(&recordFile);
  OnlineSeatFile seatFile(OnlineSeatFile::defaultPath());
  window.setOnlineSeatFile(&seatFile);
  QObject::connect(&stop, &TerminationRequests::requested, &window, &QWidget::close);
  window.joinLink(link);
  QObject::connect(&guard, &OneGame::anotherStart, &window, [&window](const QString& asked) {
    if (!asked.isEmpty()) window.openLink(asked);
    bringToFront(window);
  });
  if (quitAfterPaint) {
    window.setFirstActivationStartsMatch(false);
    new QuitAfterFirstPaint(window.view().viewport());
  }
  window.show();
  guard.setReady();
  app.setQuitOnLastWindowClosed(true);
  return app.exec();
}

}  // namespace tavolix
