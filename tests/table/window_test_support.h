#pragma once

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "game/random_source.h"
#include "game/settings.h"
#include "settings/settings_store.h"
#include "support/qt_printers.h"
#include "table/form1.h"

namespace tavolix {

// The table window on the offscreen screen, with a settings store of its own.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() { settings.Nomes = {"Ana", "Zorvan", "Melira", "Astelo"}; }

  Form1& window() {
    if (!window_) {
      window_ = std::make_unique<Form1>(settings, store, random);
      window_->setScreenSize([this] { return screen; });
      window_->setFirstActivationStartsMatch(false);
    }
    return *window_;
  }
  // Where a point of the table (twips) is on the screen of the view.
  QPoint onScreen(QPointF twips) { return window().view().mapFromScene(twips); }
  void click(QPointF twips) {
    QTest::mouseClick(window().view().viewport(), Qt::LeftButton, Qt::NoModifier, onScreen(twips));
  }

  QTemporaryDir dir;
  Settings settings;
  SettingsStore store = SettingsStore::iniFile(dir.filePath(QStringLiteral("Tavolix.conf")));
  RandomSource random{1};
  QSize screen{1280, 1024};

 private:
  std::unique_ptr<Form1> window_;
};

// The mouse, as the window system sends it to the table's view: at `local`
// pixels of the view, or at a point of the table in twips.
void sendMouse(Form1& window, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held);
void sendMouseAt(Form1& window, QEvent::Type type, QPointF twips, Qt::MouseButton button,
                 Qt::MouseButtons held);
// The pointer to a point of the table, and a left click there.
void clickAt(Form1& window, QPointF twips);

// A short, silent WAV file, enough for the sound player to find and load.
void writeSilentWav(const QString& path);

}  // namespace tavolix
