// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <optional>
#include <variant>

#include <QByteArray>
#include <QString>

#include "game/match.h"
#include "game/saved_match.h"
#include "json_file.h"
#include "settings_store.h"

namespace tavolix {

// A match in progress as one JSON document (UTF-8), version 1:
//   {"format": "tavolix-match", "version": 1,
//    "rules": {"pairs": false, "scoring": 1 | 2, "opening": 1 | 2 | 3,
//              "clockwise": true, "closeOnlyNatural": true, "limit": 4},
//    "names": [player, mac1, mac2, mac3],
//    "scores": [4 numbers], "rotation": seat, "opener": seat or null,
//    "firstRound": true when the hand must open with 6:6 as a match's first,
//    "asked": the seat the match waits for, when not the player (0),
//    "hinted": true once the player asked for a hint (absent otherwise),
//    "handsPlayed": [{"ending": "wentOut" | "blocked", "winner": seat or -1,
//                     "points": n, "scorers": [seats], "nextOpener": seat or null,
//                     "goingOut": "none" | "simples" | "laELo" | "carrocao" | "cruzada",
//                     "pips": [4 numbers]}, ...],
//    "hands": [[tiles of seat 0 in slot order], [seat 1], [seat 2], [seat 3]],
//    while the tiles are taken:
//    "deal": {"pile": [28 tiles, position 1 first], "taken": [positions],
//             "takers": [4 seats in the order they take], "taker": 1..4},
//    once the hand is opened:
//    "moves": [{"seat": s, "tile": "66", "end": "first" | "A" | "B"},
//              {"seat": s, "pass": true}, ...]}
// A tile is its two pips as held, "36". Seats: 0 the player, 1..3 Mac1..Mac3.
inline constexpr int kMatchFileVersion = 1;
QByteArray matchToJson(const SavedMatch& saved);
// The match a document describes; or why it is not one (not JSON, another
// version, a field missing or out of range, or a position the game cannot
// reach).
std::variant<SavedMatch, QString> matchFromJson(const QByteArray& json);

// The file the match in progress is kept in, in the player's data folder: it
// is written whole or not at all each time the player is asked for something,
// and removed when the match is over.
class MatchFile : public MatchKeeper {
 public:
  // The file in the folder QStandardPaths gives for the game's data.
  static QString defaultPath();
  // `notes`, when given, keeps a word of a file that could not be removed
  // when its match was over or given up, so that it is never offered again.
  explicit MatchFile(QString path, SettingsStore* notes = nullptr)
      : file_(std::move(path), "the saved match"), notes_(notes) {}

  const QString& path() const { return file_.path(); }
  JsonFile& file() { return file_; }
  // What a start finds: no saved match, one to go on with, or one refused
  // (with the reason, and the name it was set aside under, if it could be).
  // A file noted as over is none, and goes if it now can.
  struct Found : JsonFile::Refusal {
    std::optional<SavedMatch> match;
  };
  Found read();
  bool write(const SavedMatch& saved) { return file_.write(matchToJson(saved)); }
  // The match is over or given up: the file goes, or is noted as over.
  void remove();

  void playerAsked(const Match& match) override { write(match.saved()); }
  void matchClosed() override { remove(); }

 private:
  JsonFile file_;
  SettingsStore* notes_;
};

}  // namespace tavolix
