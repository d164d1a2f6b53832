// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "desktop_motion.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace tavolix {

DesktopMotionSources DesktopMotionSources::ofThisSession() {
  DesktopMotionSources sources;
  const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
  sources.kdeGlobals =
      QStandardPaths::locate(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"));
  for (const char* family : {"GNOME", "Unity", "Budgie", "Cinnamon", "Pantheon"}) {
    if (desktop.contains(QLatin1String(family), Qt::CaseInsensitive)) {
      sources.gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
      break;
    }
  }
  return sources;
}

void askDesktopForMotion(const DesktopMotionSources& sources, QObject* context,
                         std::function<void(bool reduced)> reduced) {
  if (!sources.kdeGlobals.isEmpty() && QFileInfo(sources.kdeGlobals).isFile()) {
    const QSettings kde(sources.kdeGlobals, QSettings::IniFormat);
    bool number = false;
    const double factor =
        kde.value(QStringLiteral("KDE/AnimationDurationFactor")).toString().toDouble(&number);
    if (number && factor == 0) {
      reduced(true);
      return;
    }
  }
  if (sources.gsettings.isEmpty()) return;
  auto* ask = new QProcess(context);
  QObject::connect(ask, &QProcess::finished, context, [ask, reduced](int code) {
    if (code == 0 && ask->readAllStandardOutput().trimmed() == "false") reduced(true);
    ask->deleteLater();
  });
  QObject::connect(ask, &QProcess::errorOccurred, context, [ask](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) ask->deleteLater();
  });
  ask->start(sources.gsettings,
             {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
              QStringLiteral("enable-animations")});
}

}  // namespace tavolix
