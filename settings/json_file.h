// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <optional>
#include <variant>

#include <QByteArray>
#include <QString>

namespace tavolix {

// `name` in the folder QStandardPaths gives for the game's data.
QString dataPath(const QString& name);

// A small file of the game's own in the player's data folder: read whole,
// written whole or not at all (beside itself, then renamed over the old one),
// and, when what it holds is refused, set aside under another name, kept for
// whoever wants to look into it.
class JsonFile {
 public:
  // Larger than this, a file is none of the game's.
  static constexpr qint64 kMaxBytes = 1 << 20;

  // `what` names the file in messages: "the saved match".
  JsonFile(QString path, const char* what) : path_(std::move(path)), what_(what) {}
  const QString& path() const { return path_; }

  // What the file holds; no bytes and no problem when there is no file. A
  // file that is not a file, or too large, is set aside at once.
  struct Read {
    std::optional<QByteArray> bytes;
    QString problem;
    QString keptAs;  // where a file too large was set aside
  };
  Read read();
  // Why what was found is not taken, and the name the file was set aside under.
  struct Refusal {
    QString problem;
    QString keptAs;
    bool refused() const { return !problem.isEmpty(); }
  };
  // What the file holds, made a T by `parse` (the bytes to a T, or why they
  // are none); nothing when there is no file or it is refused, and a refused
  // file is set aside.
  template <class T, class Parse>
  std::optional<T> readAs(Parse&& parse, Refusal& refusal) {
    const Read found = read();
    refusal.problem = found.problem;
    refusal.keptAs = found.keptAs;
    if (!found.bytes) return std::nullopt;
    auto parsed = parse(*found.bytes);
    if (auto* value = std::get_if<T>(&parsed)) return std::move(*value);
    refusal.problem = std::get<QString>(parsed);
    refusal.keptAs = setAside(refusal.problem);
    return std::nullopt;
  }
  // Renames the file "<name>.refused-<date-time>" and says why on standard
  // error. Returns the new name; empty when it could not be moved.
  QString setAside(const QString& problem);
  // False, and a warning on standard error the first time, when it cannot be written.
  bool write(const QByteArray& bytes);
  void remove();

 private:
  QString path_;
  const char* what_;
  bool warned_ = false;
};

}  // namespace tavolix
