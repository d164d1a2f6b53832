// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match as the game keeps it: every position written and read back as it
// stood, and every damaged document refused.
#include "settings/match_file.h"

#include <optional>
#include <random>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "game/autoplay.h"
#include "game/invariants.h"
#include "game/match.h"
#include "match_documents.h"

namespace tavolix {
namespace {

using match_documents::documentsOfWholeMatches;
using match_documents::Keeper;
using match_documents::playOut;
using match_documents::rulesFor;
using match_documents::Table;

// Checks the game's invariants after every move of the match it follows.
class Referee : public MatchObserver {
 public:
  explicit Referee(const Match& match) : match_(match) {}
  std::vector<std::string> problems;
  void played(int, int, TileCode, Lado, const GameState& state) override { check(state); }
  void passed(int, const GameState& state) override { check(state); }

 private:
  void check(const GameState& state) {
    for (std::string& p : checkInvariants(state, match_.chain(), match_.settings(), false))
      problems.push_back(std::move(p));
  }
  const Match& match_;
};

void expectSamePosition(const GameState& a, const GameState& b) {
  for (int seat = kJog; seat <= kMac3; ++seat) EXPECT_EQ(a.hand(seat), b.hand(seat));
  EXPECT_EQ(a.Mesa, b.Mesa);
  EXPECT_EQ(a.QtdMesa, b.QtdMesa);
  EXPECT_EQ(a.QtdLadoA, b.QtdLadoA);
  EXPECT_EQ(a.QtdLadoB, b.QtdLadoB);
  EXPECT_EQ(a.PontaA, b.PontaA);
  EXPECT_EQ(a.PontaB, b.PontaB);
  EXPECT_EQ(a.Passes, b.Passes);
  EXPECT_EQ(a.NaoTem, b.NaoTem);
  EXPECT_EQ(a.UltimaJogada, b.UltimaJogada);
  EXPECT_EQ(a.Pontos, b.Pontos);
  EXPECT_EQ(a.QuemInicia, b.QuemInicia);
  EXPECT_EQ(a.PrimeiraRodada, b.PrimeiraRodada);
}

TEST(SavedMatch, EveryAskOfWholeMatchesIsWrittenAndReadBackAsItStood) {
  int asks = 0;
  int dealing = 0;
  for (int seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Settings settings = rulesFor(seed);
    Table table;
    RandomSource random(seed);
    Match match(settings, table, random);
    Keeper keeper;
    keeper.asked = [&](const Match& m) {
      ++asks;
      const SavedMatch saved = m.saved();
      dealing += saved.dealing;
      const QByteArray json = matchToJson(saved);
      const auto read = matchFromJson(json);
      ASSERT_TRUE(std::holds_alternative<SavedMatch>(read))
          << std::get<QString>(read).toStdString() << "\n"
          << json.toStdString();
      EXPECT_EQ(matchToJson(std::get<SavedMatch>(read)), json);
      const auto rebuilt = rebuild(std::get<SavedMatch>(read));
      const auto& position = std::get<SavedPosition>(rebuilt);
      expectSamePosition(position.state, m.state());
      if (saved.dealing) {
        EXPECT_EQ(position.state.Monte, m.state().Monte);
        EXPECT_EQ(position.state.Pegas, m.state().Pegas);
        EXPECT_EQ(position.state.Ordem, m.state().Ordem);
      } else {
        EXPECT_EQ(position.chain.geometry(), m.chain());
      }
    };
    match.setKeeper(&keeper);
    Autoplayer player(match, random);
    match.start();
    ASSERT_TRUE(playOut(match, player));
    // Begun and over: nothing left to keep.
    EXPECT_EQ(keeper.closed, 2);
  }
  EXPECT_GT(asks, 500);
  EXPECT_GT(dealing, 50);
}

TEST(SavedMatch, AMatchPickedUpHalfwayEndsAsIfNeverStopped) {
  for (int seed = 1; seed <= 10; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // The whole match, the save taken at one ask along the way with the
    // generator as it stood.
    Settings settings = rulesFor(seed);
    Table table;
    RandomSource random(seed);
    Match whole(settings, table, random);
    const std::size_t stopAt = 2 + seed * 7 % 30;
    std::vector<QByteArray> asks;
    std::optional<RandomSource> then;
    Keeper keeper;
    keeper.asked = [&](const Match& m) {
      asks.push_back(matchToJson(m.saved()));
      if (asks.size() == stopAt + 1) then.emplace(random);
    };
    whole.setKeeper(&keeper);
    Autoplayer player(whole, random);
    whole.start();
    ASSERT_TRUE(playOut(whole, player));
    ASSERT_TRUE(then.has_value());

    // Another run: its own settings, the match read back and played on.
    Settings fresh;
    Table table2(0);
    Match picked(fresh, table2, *then);
    Referee referee(picked);
    picked.setObserver(&referee);
    std::vector<QByteArray> pickedAsks;
    Keeper pickedKeeper;
    pickedKeeper.asked = [&](const Match& m) { pickedAsks.push_back(matchToJson(m.saved())); };
    picked.setKeeper(&pickedKeeper);
    const auto read = matchFromJson(asks[stopAt]);
    ASSERT_TRUE(std::holds_alternative<SavedMatch>(read));
    fresh.Nomes = std::get<SavedMatch>(read).rules.Nomes;
    ASSERT_TRUE(picked.restore(std::get<SavedMatch>(read)));
    EXPECT_FALSE(picked.restore(std::get<SavedMatch>(read))) << "only instead of a start";
    Autoplayer player2(picked, *then);
    ASSERT_TRUE(playOut(picked, player2));
    // Every ask from there on, the first being the pick-up itself, finds the same match.
    EXPECT_EQ(pickedAsks, std::vector<QByteArray>(asks.begin() + stopAt, asks.end()));
    EXPECT_EQ(picked.handsPlayed(), whole.handsPlayed());
    EXPECT_EQ(picked.state().Pontos, whole.state().Pontos);
    EXPECT_EQ(picked.settings().PontosLimit, settings.PontosLimit);
    EXPECT_EQ(referee.problems, std::vector<std::string>{});
  }
}

// --- damaged files -------------------------------------------------------------

void swap(QJsonArray& array, int a, int b) {
  const QJsonValue first = array[a];
  array.replace(a, array[b]);
  array.replace(b, first);
}

// Changes one thing somewhere in a document, as damage or a careless hand might.
class Mutator {
 public:
  explicit Mutator(unsigned seed) : draw_(seed) {}

  QByteArray mutate(const QByteArray& json) {
    switch (pick(4)) {
      case 0:
        return json.left(pick(json.size()));  // cut short
      case 1: {
        QByteArray bytes = json;
        bytes[pick(bytes.size())] = static_cast<char>(pick(256));
        return bytes;
      }
      default: {
        QJsonObject document = QJsonDocument::fromJson(json).object();
        QJsonValue root(document);
        change(root, 0);
        return QJsonDocument(root.toObject()).toJson();
      }
    }
  }

 private:
  int pick(int n) { return n <= 0 ? 0 : static_cast<int>(draw_() % static_cast<unsigned>(n)); }

  // Goes down the tree to a random place and changes what is there.
  void change(QJsonValue& value, int depth) {
    if (value.isObject() && depth < 4 && pick(5) != 0) {
      QJsonObject object = value.toObject();
      const QStringList keys = object.keys();
      const QString key = keys[pick(keys.size())];
      if (pick(12) == 0) {
        object.remove(key);
      } else {
        QJsonValue inner = object.value(key);
        change(inner, depth + 1);
        object.insert(key, inner);
      }
      value = object;
    } else if (value.isArray() && !value.toArray().isEmpty() && depth < 4 && pick(5) != 0) {
      QJsonArray array = value.toArray();
      const int k = pick(array.size());
      switch (pick(6)) {
        case 0:
          array.removeAt(k);
          break;
        case 1:
          array.append(array[k]);
          break;
        case 2:
          swap(array, k, pick(array.size()));
          break;
        default: {
          QJsonValue inner = array[k];
          change(inner, depth + 1);
          array.replace(k, inner);
        }
      }
      value = array;
    } else {
      value = replacement(value);
    }
  }

  QJsonValue replacement(const QJsonValue& old) {
    static const char* const kTiles[] = {"00", "06", "60", "66", "13", "31", "55", "7", "", "x1"};
    switch (pick(8)) {
      case 0:
        return QJsonValue();
      case 1:
        return pick(2) == 0;
      case 2:
        return QString::fromLatin1(kTiles[pick(10)]);
      case 3:
        return old.toInt() + (pick(2) == 0 ? 1 : -1);
      case 4:
        return pick(7) - 1;
      case 5:
        return 1e9;
      case 6:
        return 2.5;
      default:
        return QJsonArray{QString::fromLatin1(kTiles[pick(10)])};
    }
  }

  std::mt19937 draw_;
};

TEST(SavedMatch, EveryDamagedFileIsRefusedOrPlaysOnByTheRules) {
  const std::vector<QByteArray> documents = documentsOfWholeMatches(3);
  ASSERT_GT(documents.size(), 100u);
  Mutator mutator(2026);
  std::mt19937 choose(7);
  int refused = 0;
  int played = 0;
  for (int round = 0; round < 20000; ++round) {
    const QByteArray& original = documents[choose() % documents.size()];
    const QByteArray damaged = mutator.mutate(original);
    const auto read = matchFromJson(damaged);
    if (std::holds_alternative<QString>(read)) {
      EXPECT_FALSE(std::get<QString>(read).isEmpty());
      ++refused;
      continue;
    }
    // Taken: it must be a position the game plays on from, by the rules, to the end.
    SCOPED_TRACE(damaged.toStdString());
    const SavedMatch& saved = std::get<SavedMatch>(read);
    Settings settings;
    settings.Nomes = saved.rules.Nomes;
    Table table(0);
    RandomSource random(round);
    Match match(settings, table, random);
    Referee referee(match);
    match.setObserver(&referee);
    ASSERT_TRUE(match.restore(saved));
    EXPECT_EQ(checkInvariants(match.state(), match.chain(), match.settings(), saved.dealing),
              std::vector<std::string>{});
    Autoplayer player(match, random);
    ASSERT_TRUE(playOut(match, player));
    ASSERT_EQ(referee.problems, std::vector<std::string>{});
    ++played;
  }
  // Both kinds were met many times.
  EXPECT_GT(refused, 10000);
  EXPECT_GT(played, 400);
}

}  // namespace
}  // namespace tavolix
