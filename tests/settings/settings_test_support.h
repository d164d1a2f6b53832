#pragma once

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/qt_printers.h"

namespace tavolix {

// A settings store in a temporary folder of its own, with a way to put values
// into the file as another program (or a player with an editor) would.
class TemporaryStore : public ::testing::Test {
 protected:
  QString path() const { return dir_.filePath(QStringLiteral("Tavolix.conf")); }
  SettingsStore& store() { return store_; }

  // Writes a value the way QSettings would for any type, bypassing the store.
  void put(const QString& key, const QVariant& value) {
    QSettings raw(path(), QSettings::IniFormat);
    raw.setValue(key, value);
  }
  void writeFile(const QByteArray& contents) {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
  }
  QByteArray fileContents() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
  SettingsStore store_ = SettingsStore::iniFile(path());
};

}  // namespace tavolix
