// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <variant>

#include <QByteArray>
#include <QString>

#include "game/player_record.h"
#include "json_file.h"

namespace tavolix {

// The player's record as one JSON document (UTF-8), version 1:
//   {"format": "tavolix-record", "version": 1,
//    "matches": {"individual": {"rule1": {"played": n, "won": n},
//                               "pipRule": {"played": n, "won": n}},
//                "pairs": {the same}},
//    "handsWon": {"simples": n, "laELo": n, "carrocao": n, "cruzada": n,
//                 "pipRule": n, "blocked": n},
//    "streak": {"current": n, "longest": n},
//    "online": {"played": n, "won": n},  (matches online, counted apart; absent in older files)
//    "hinted": {"played": n, "won": n}}  (matches with a hint asked, the same)
inline constexpr int kRecordFileVersion = 1;
QByteArray recordToJson(const PlayerRecord& record);
// The record a document holds; or why it is none (not JSON, another version,
// a count missing, out of range, or more matches won than played).
std::variant<PlayerRecord, QString> recordFromJson(const QByteArray& json);

// The file the record is kept in, in the player's data folder, written whole
// at the end of each match.
class RecordFile {
 public:
  static QString defaultPath();
  explicit RecordFile(QString path) : file_(std::move(path), "the player's record") {}
  const QString& path() const { return file_.path(); }
  JsonFile& file() { return file_; }

  // The record kept; an empty one when there is none yet. A damaged or
  // unreadable file is refused (with the reason) and set aside under another
  // name; one that cannot be moved is left alone.
  struct Found : JsonFile::Refusal {
    PlayerRecord record;
  };
  Found read() {
    Found found;
    found.record = file_.readAs<PlayerRecord>(recordFromJson, found).value_or(PlayerRecord());
    return found;
  }
  bool write(const PlayerRecord& record) { return file_.write(recordToJson(record)); }

 private:
  JsonFile file_;
};

}  // namespace tavolix
