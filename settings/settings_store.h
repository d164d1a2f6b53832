// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <memory>

#include <QAnyStringView>
#include <QHash>
#include <QLockFile>
#include <QString>
#include <QVariant>

class QSettings;

namespace tavolix {

// The two keys of the store: the main key and its "Opc" sub key for the rules.
enum class RegistryKey { Main, Opc };

// Where the game keeps its options: one per-user store, QSettings in the
// platform's own format under organisation "Vantorel", application "Tavolix"
// (~/.config/Vantorel/Tavolix.conf; HKEY_CURRENT_USER\Software\Vantorel\Tavolix
// on Windows). Every value is a text. Value names are matched without regard
// to case, as the game reads "Pedrax" what it writes as "PedraX".
//
// A store that cannot be written does not stop the game: the values are kept
// for the rest of the session, and the player is told once on standard error.
class SettingsStore {
 public:
  static SettingsStore userStore();
  // A store of its own in an INI file: tests and portable set-ups.
  static SettingsStore iniFile(const QString& path);

  SettingsStore(SettingsStore&&) noexcept;
  SettingsStore& operator=(SettingsStore&&) noexcept;
  ~SettingsStore();

  // The stored text, or `defaultValue` when the value is missing, empty, of a
  // kind that is not text or a number, or cannot be read. A default of "true"
  // in any case comes back as "1".
  QString LeRegistro(RegistryKey key, QAnyStringView valueName, QAnyStringView defaultValue) const;
  // Stores a text; true when the store holds it afterwards.
  bool GravaRegistro(RegistryKey key, QAnyStringView valueName, const QString& valueText);

  // The file or registry path, for messages and the documentation.
  QString location() const;
  // Where a settings file far larger than any the game writes was put aside at
  // start-up (the game then starts with the defaults); empty when none was.
  const QString& setAside() const { return setAside_; }

  // No settings file the game writes comes near this: a larger one is set
  // aside rather than read, which could take minutes and gigabytes.
  static constexpr qint64 kMaxFileBytes = 1024 * 1024;

  // How, at each save, the lock QSettings writes under is tried, waiting at
  // most `ms` milliseconds (QLockFile::tryLock unless told otherwise): a lock
  // held elsewhere is waited for once, not by every save of a dialog.
  using LockTrier = std::function<bool(QLockFile& lock, int ms)>;
  void setLockTrier(LockTrier trier) { tryLock_ = std::move(trier); }

 private:
  explicit SettingsStore(QString iniPath);
  std::unique_ptr<QSettings> open() const;
  QVariant storedValue(RegistryKey key, const QString& valueName) const;
  // Whether `text` is stored as it stands under exactly `valueName`, and under
  // no other spelling of it.
  bool holds(RegistryKey key, const QString& valueName, const QString& text) const;
  void warnNotSaved();
  // The file the store lives in; empty for the registry.
  QString storeFile() const;
  // At start: a settings file over kMaxFileBytes renamed out of the way (the
  // store is not read at all if that fails); a path that is not a regular
  // file never read. Each with a word on standard error.
  void checkStoreFile();
  // Whether the lock QSettings writes under can be had now.
  bool lockFree();
  static constexpr int kLockWaitMs = 500;

  QString iniPath_;  // empty: the per-user store
  // Values the store refused, keyed by key and lower-cased name.
  QHash<QString, QString> keptForSession_;
  bool warned_ = false;
  QString setAside_;
  // The file was too large and could not be moved: only this session's values.
  bool unreadable_ = false;
  bool lockGaveUp_ = false;  // the last save found the lock taken
  LockTrier tryLock_ = [](QLockFile& lock, int ms) { return lock.tryLock(ms); };
};

}  // namespace tavolix
