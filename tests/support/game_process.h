#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace tavolix {

// The environment a test starts the game program in: its settings kept in
// `configHome`, Qt's offscreen screen.
inline QProcessEnvironment gameEnvironment(const QString& configHome) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return environment;
}

}  // namespace tavolix
