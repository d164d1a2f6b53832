// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <functional>
#include <optional>
#include <variant>

#include <QByteArray>
#include <QString>

namespace tavolix {

// The folder QStandardPaths gives for the game's data, and `name` in it.
QString dataFolder();
QString dataPath(const QString& name);

// A small file of the game's own in the player's data folder: read whole,
// written whole or not at all (beside itself, then renamed over the old one),
// and, when what it holds is refused, set aside under another name, kept for
// whoever wants to look into it. A file found that can be neither taken nor
// set aside is left alone: nothing reads, writes or removes it while the
// game runs.
class JsonFile {
 public:
  // Larger than this, a file is none of the game's.
  static constexpr qint64 kMaxBytes = 1 << 20;

  // `what` names the file in messages: "the saved match".
  JsonFile(QString path, const char* what) : path_(std::move(path)), what_(what) {}
  const QString& path() const { return path_; }

  // Why a file found is not taken.
  enum class Fault {
    None,
    Damaged,     // what it holds is none of the game's, or too large to be
    Unreadable,  // it may not be read (its permissions, another user's)
    NotAFile,    // a folder, a pipe, a device
  };
  // Why what was found is not taken, and the name the file was set aside
  // under: empty when it could not be moved, and is left alone.
  struct Refusal {
    Fault fault = Fault::None;
    QString problem;  // for standard error
    QString keptAs;
    bool refused() const { return fault != Fault::None; }
  };
  // What the file holds, made a T by `parse` (the bytes to a T, or why they
  // are none); nothing when there is no file or it is refused, and a refused
  // file is set aside. Read at the start of a game, when no other game may
  // be writing it: what a write cut short left beside it goes.
  template <class T, class Parse>
  std::optional<T> readAs(Parse&& parse, Refusal& refusal) {
    const std::optional<QByteArray> bytes = read(refusal);
    if (!bytes) return std::nullopt;
    auto parsed = parse(*bytes);
    if (auto* value = std::get_if<T>(&parsed)) return std::move(*value);
    refuse(Fault::Damaged, std::get<QString>(parsed), refusal);
    return std::nullopt;
  }
  // The file's bytes as they are now, without a word when there are none.
  std::optional<QByteArray> peek() const;
  // True once the file found could be neither taken nor set aside.
  bool leftAlone() const { return leftAlone_; }

  // What failed, told the first time a write or a removal does: `reason` is
  // the system's.
  enum class Failure { Write, Remove };
  using Trouble = std::function<void(Failure, const QString& reason)>;
  void onTrouble(Trouble trouble) { trouble_ = std::move(trouble); }

  // False when it could not be written whole (the old file then stays as it
  // was), or the file is left alone.
  bool write(const QByteArray& bytes);
  // True when there is no file left.
  bool remove();

  // For tests that stop the program in the middle of a write: told when the
  // new bytes are all in the file beside the old one, not yet renamed over it.
  void whenWritten(std::function<void()> watcher) { written_ = std::move(watcher); }
  // For tests of a disk that fails as the bytes are flushed to it (a stick
  // pulled out, a dying disk): what flushes a file descriptor, ::fsync by default.
  void flushWith(int (*flush)(int)) { flush_ = flush; }

 private:
  std::optional<QByteArray> read(Refusal& refusal);
  // Removes what a write cut short by the end of the program left beside the file.
  void removeLeftovers() const;
  // Sets the file aside, or leaves it alone when it cannot be moved; says so
  // on standard error.
  void refuse(Fault fault, const QString& problem, Refusal& refusal);
  void fail(Failure failure, const QString& reason);

  QString path_;
  const char* what_;
  bool leftAlone_ = false;
  bool told_ = false;
  Trouble trouble_;
  std::function<void()> written_;
  int (*flush_)(int) = nullptr;
};

}  // namespace tavolix
