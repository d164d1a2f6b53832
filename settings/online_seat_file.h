// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <optional>
#include <variant>

#include <QByteArray>
#include <QString>
#include <QUrl>

#include "json_file.h"

namespace tavolix {

// The seat the player holds at a table online, kept so that a game closed in
// the middle of the match can take it back. One JSON document (UTF-8), version 1:
//   {"format": "tavolix-online-seat", "version": 1,
//    "server": "ws://host:port" (or wss://), "code": "N3XPG97X",
//    "token": 32 hexadecimal digits, "name": the player's name,
//    "hostedHere": true when this game served the table itself, on "port"}
// The token is the only way back to the seat: the file is the player's alone.
struct OnlineSeat {
  QUrl server;
  QString code;
  QByteArray token;  // 16 bytes
  QString name;
  bool hostedHere = false;
  quint16 port = 0;

  friend bool operator==(const OnlineSeat&, const OnlineSeat&) = default;
};

inline constexpr int kOnlineSeatFileVersion = 1;
QByteArray seatToJson(const OnlineSeat& seat);
// The seat a document describes, or why it is none.
std::variant<OnlineSeat, QString> seatFromJson(const QByteArray& json);

// The file the seat is kept in, in the player's data folder, beside the match:
// written whole or not at all when a seat is taken, removed when the match is
// over or the seat given up.
class OnlineSeatFile {
 public:
  static QString defaultPath();
  explicit OnlineSeatFile(QString path) : file_(std::move(path), "the seat online") {}

  const QString& path() const { return file_.path(); }
  JsonFile& file() { return file_; }
  struct Found : JsonFile::Refusal {
    std::optional<OnlineSeat> seat;
  };
  Found read() {
    Found found;
    found.seat = file_.readAs<OnlineSeat>(seatFromJson, found);
    return found;
  }
  bool write(const OnlineSeat& seat);
  void remove() { file_.remove(); }

 private:
  JsonFile file_;
};

}  // namespace tavolix
