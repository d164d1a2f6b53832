// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "settings_store.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "file_aside.h"

namespace tavolix {

namespace {

// The longest text the game has ever read back from its store; anything longer
// is taken as unreadable.
constexpr qsizetype kMaxValueLength = 1023;

QString groupOf(RegistryKey key) {
  return key == RegistryKey::Opc ? QStringLiteral("Opc") : QString();
}

QString sessionId(RegistryKey key, const QString& valueName) {
  return groupOf(key) + u'/' + valueName.toLower();
}

// The name a value is stored under, which may differ in case from the name asked for.
QString storedName(const QSettings& settings, const QString& valueName) {
  if (settings.contains(valueName)) return valueName;
  const QStringList names = settings.childKeys();
  for (const QString& name : names) {
    if (name.compare(valueName, Qt::CaseInsensitive) == 0) return name;
  }
  return {};
}

// A stored value as the game's text: texts as they are (up to a NUL), numbers in
// decimal, lists as the comma-separated text they were written as; anything
// else counts as empty.
QString asText(const QVariant& value) {
  QString text;
  switch (value.typeId()) {
    case QMetaType::QString:
      text = value.toString();
      break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      text = value.toString();
      break;
    case QMetaType::QStringList:
      text = value.toStringList().join(QStringLiteral(", "));
      break;
    default:
      return {};
  }
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  if (nul >= 0) text.truncate(nul);
  if (text.size() > kMaxValueLength) return {};
  return text;
}

// The file QSettings keeps the per-user store in, where it is a file: its
// native format is the registry on Windows and an INI file elsewhere.
QString userStoreFile() {
#ifdef Q_OS_WIN
  return {};
#else
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Vantorel/Tavolix.conf");
#endif
}

}  // namespace

SettingsStore::SettingsStore(QString iniPath) : iniPath_(std::move(iniPath)) { checkStoreFile(); }

QString SettingsStore::storeFile() const { return iniPath_.isEmpty() ? userStoreFile() : iniPath_; }

void SettingsStore::checkStoreFile() {
  const QString path = storeFile();
  const QFileInfo file(path);
  if (path.isEmpty() || !file.exists()) return;
  const QByteArray where = path.toLocal8Bit();
  if (!file.isFile()) {
    // A pipe, a device, a folder: reading it could block the start for ever.
    unreadable_ = true;
    warned_ = true;
    std::fprintf(stderr,
                 "tavolix: the settings path %s is not a regular file; the game starts with its "
                 "defaults, and changes are kept until the game closes.\n",
                 where.constData());
    std::fflush(stderr);
    return;
  }
  if (file.size() <= kMaxFileBytes) return;
  const QString aside = setFileAside(path, QStringLiteral("too-large"));
  if (!aside.isEmpty()) {
    setAside_ = aside;
    std::fprintf(stderr,
                 "tavolix: the settings file %s is %lld bytes, far more than the game writes; it "
                 "was set aside as %s and the game starts with its defaults.\n",
                 where.constData(), static_cast<long long>(file.size()),
                 aside.toLocal8Bit().constData());
  } else {
    unreadable_ = true;
    warned_ = true;
    std::fprintf(stderr,
                 "tavolix: the settings file %s is %lld bytes, far more than the game writes, "
                 "and cannot be moved aside; it is not read, and changes are kept until the game "
                 "closes.\n",
                 where.constData(), static_cast<long long>(file.size()));
  }
  std::fflush(stderr);
}

SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;
SettingsStore& SettingsStore::operator=(SettingsStore&&) noexcept = default;
SettingsStore::~SettingsStore() = default;

SettingsStore SettingsStore::userStore() { return SettingsStore(QString()); }

SettingsStore SettingsStore::iniFile(const QString& path) { return SettingsStore(path); }

// A fresh QSettings for every access: one kept open would show its own unsaved
// changes when we read back a write to check that it reached the store.
std::unique_ptr<QSettings> SettingsStore::open() const {
  if (iniPath_.isEmpty()) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Vantorel"), QStringLiteral("Tavolix"));
  }
  return std::make_unique<QSettings>(iniPath_, QSettings::IniFormat);
}

QString SettingsStore::location() const { return open()->fileName(); }

QVariant SettingsStore::storedValue(RegistryKey key, const QString& valueName) const {
  if (unreadable_) return {};
  const auto settings = open();
  settings->beginGroup(groupOf(key));
  const QString name = storedName(*settings, valueName);
  return name.isEmpty() ? QVariant() : settings->value(name);
}

bool SettingsStore::holds(RegistryKey key, const QString& valueName, const QString& text) const {
  const auto settings = open();
  settings->beginGroup(groupOf(key));
  const QStringList names = settings->childKeys();
  for (const QString& other : names) {
    if (other != valueName && other.compare(valueName, Qt::CaseInsensitive) == 0) return false;
  }
  if (!names.contains(valueName)) return false;
  const QVariant value = settings->value(valueName);
  return value.typeId() == QMetaType::QString && value.toString() == text;
}

QString SettingsStore::LeRegistro(RegistryKey key, QAnyStringView valueName,
                                  QAnyStringView defaultValue) const {
  QString fallback = defaultValue.toString();
  if (fallback.toLower() == u"true") fallback = QStringLiteral("1");

  const QString name = valueName.toString();
  const auto kept = keptForSession_.constFind(sessionId(key, name));
  const QString text = kept != keptForSession_.cend() ? *kept : asText(storedValue(key, name));
  return text.isEmpty() ? fallback : text;
}

bool SettingsStore::GravaRegistro(RegistryKey key, QAnyStringView valueName,
                                  const QString& valueText) {
  const QString name = valueName.toString();
  // A value the store already holds, under this very name, is not written
  // again: the file is neither locked nor replaced for it.
  if (!unreadable_ && !keptForSession_.contains(sessionId(key, name)) &&
      holds(key, name, valueText)) {
    return true;
  }
  bool written = !unreadable_ && lockFree();
  if (written) {
    const auto settings = open();
    settings->beginGroup(groupOf(key));
    // One value per name, whatever case an older write or the player gave it.
    const QStringList names = settings->childKeys();
    for (const QString& other : names) {
      if (other != name && other.compare(name, Qt::CaseInsensitive) == 0) settings->remove(other);
    }
    settings->setValue(name, valueText);
    settings->endGroup();
    settings->sync();
    // Reading the value back is not enough: Qt keeps one copy of the file per
    // process, which holds the value whether or not it reached the disk.
    written = settings->status() == QSettings::NoError;
  }
  if (written) {
    const QVariant stored = storedValue(key, name);
    written = stored.typeId() == QMetaType::QString && stored.toString() == valueText;
  }
  if (written) {
    keptForSession_.remove(sessionId(key, name));
    return true;
  }
  keptForSession_.insert(sessionId(key, name), valueText);
  warnNotSaved();
  return false;
}

bool SettingsStore::lockFree() {
  const QString file = storeFile();
  if (file.isEmpty()) return true;
  // The lock QSettings takes to write the file: it would wait for it for
  // ever. A lock that cannot be had within a moment (a folder in its place,
  // another program holding it) makes the store unwritable for this save.
  // The folder comes first, as QSettings would make it.
  if (!QDir().mkpath(QFileInfo(file).path())) return false;
  QLockFile probe(file + QStringLiteral(".lock"));
  // Once it could not be had, the next saves of the same dialog do not wait again.
  if (!tryLock_(probe, lockGaveUp_ ? 0 : kLockWaitMs)) {
    lockGaveUp_ = true;
    return false;
  }
  probe.unlock();
  lockGaveUp_ = false;
  return true;
}

void SettingsStore::warnNotSaved() {
  if (warned_) return;
  warned_ = true;
  const QByteArray where = location().toLocal8Bit();
  std::fprintf(
      stderr,
      "tavolix: the settings cannot be saved in %s; changes are kept until the game closes.\n",
      where.constData());
  std::fflush(stderr);
}

}  // namespace tavolix
