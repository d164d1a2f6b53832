#include "start_game.h"

#include <QApplication>
#include <QMessageBox>

#include "game/settings.h"
#include "settings/settings_config.h"
#include "table/form1.h"
#include "table/frm_splash.h"

namespace tavolix {

std::optional<QString> screenRefusal(QSize screenPixels) {
  if (screenPixels.height() >= Form1::kHeight) return std::nullopt;
  return QStringLiteral("É necessário resolução minima de 800 x 600");
}

int startGame(QApplication& app, SettingsStore& store, RandomSource& random, QSize screen) {
  if (const auto refusal = screenRefusal(screen)) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavolix"), *refusal, QMessageBox::Ok);
    box.exec();
    return 1;
  }
  Settings settings;
  LeConfig(store, settings);

  // The splash closing must not end the program: the table is not up yet.
  app.setQuitOnLastWindowClosed(false);
  {
    FrmSplash splash;
    splash.run();
  }

  Form1 window(settings, store, random);
  window.show();
  app.setQuitOnLastWindowClosed(true);
  return app.exec();
}

}  // namespace tavolix
