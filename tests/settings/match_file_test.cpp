// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match as the game keeps it: every position written and read back as it
// stood, and every damaged or impossible document refused.
#include "settings/match_file.h"

#include <functional>
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

namespace tavolix {
namespace {

// A table that plays `matches` matches, then leaves.
class Table : public SilentPresentation {
 public:
  explicit Table(int matches = 1) : matches_(matches) {}
  NewGameAnswer newGameDialog(bool) override {
    return started_++ < matches_ ? NewGameAnswer::Play : NewGameAnswer::Exit;
  }

 private:
  int matches_;
  int started_ = 0;
};

// Hears every ask of the match.
class Keeper : public MatchKeeper {
 public:
  std::function<void(const Match&)> asked = [](const Match&) {};
  int closed = 0;
  void playerAsked(const Match& match) override { asked(match); }
  void matchClosed() override { ++closed; }
};

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

// Rules of every kind, drawn from the seed within what the dialogs allow.
Settings rulesFor(unsigned seed) {
  std::mt19937 draw(seed);
  Settings settings;
  settings.Nomes[0] = "Ana";
  settings.TipoJogo = static_cast<std::int16_t>(1 + draw() % 2);
  settings.TipoRegra = static_cast<std::int16_t>(1 + draw() % 2);
  settings.TipoInicio = static_cast<std::int16_t>(1 + draw() % 3);
  settings.SentidoHorario = draw() % 2 == 0;
  settings.FecharSoNoNatural = draw() % 2 == 0;
  settings.PontosLimit = settings.TipoRegra == 1 ? 4 : 50;
  return settings;
}

// Plays the match until it ends (or stops answering); false if it stopped.
bool playOut(Match& match, Autoplayer& player) {
  for (int actions = 0; actions < 100000; ++actions) {
    if (match.awaiting() == Match::Awaiting::Finished) return true;
    if (!player.act()) return false;
  }
  return false;
}

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

// The match file of every ask of a few whole matches, dealing and playing,
// under rules drawn from each seed or under those given.
std::vector<QByteArray> documentsOfWholeMatches(int matches,
                                                std::optional<Settings> rules = std::nullopt) {
  std::vector<QByteArray> documents;
  for (int seed = 1; seed <= matches; ++seed) {
    Settings settings = rules.value_or(rulesFor(seed));
    Table table;
    RandomSource random(seed);
    Match match(settings, table, random);
    Keeper keeper;
    keeper.asked = [&](const Match& m) { documents.push_back(matchToJson(m.saved())); };
    match.setKeeper(&keeper);
    Autoplayer player(match, random);
    match.start();
    playOut(match, player);
  }
  return documents;
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

// The fuzzing above shows nothing impossible gets through; here, that the
// player's message names what is wrong.
TEST(SavedMatch, AnImpossiblePositionIsRefusedForWhatIsWrongWithIt) {
  QJsonObject playing;
  for (const QByteArray& json : documentsOfWholeMatches(1)) {
    const QJsonObject d = QJsonDocument::fromJson(json).object();
    if (d.value(QLatin1String("moves")).toArray().size() > 8) playing = d;
  }
  ASSERT_FALSE(playing.isEmpty());
  const auto refusal = [](QJsonObject document, const char* key, const QJsonValue& value) {
    document.insert(QLatin1String(key), value);
    const auto read = matchFromJson(QJsonDocument(document).toJson());
    return std::holds_alternative<QString>(read) ? std::get<QString>(read).toStdString()
                                                 : std::string("taken");
  };
  QJsonArray hands = playing.value(QLatin1String("hands")).toArray();
  QJsonArray fewer = hands[1].toArray();
  fewer.removeLast();
  hands.replace(1, fewer);
  EXPECT_EQ(refusal(playing, "hands", hands), "a hand holds the wrong number of tiles");
  EXPECT_EQ(refusal(playing, "version", 2), "it is of another version (2)");
  EXPECT_EQ(refusal(playing, "scores", QJsonArray{9, 9, 9, 9}),
            "the scores are not those of the hands played");
  EXPECT_EQ(refusal(playing, "format", 1), "it is not a saved match");
  QJsonArray moves = playing.value(QLatin1String("moves")).toArray();
  moves.replace(0, 7);
  EXPECT_EQ(refusal(playing, "moves", moves), "a move is not an object");
  QJsonArray played = playing.value(QLatin1String("handsPlayed")).toArray();
  played.append(7);
  EXPECT_EQ(refusal(playing, "handsPlayed", played), "a hand played is not an object");
  // Matches kept by the first release, of version 1, are still picked up.
  EXPECT_EQ(refusal(playing, "version", 1), "taken");

  // While the tiles are taken: a pile position taken twice.
  QJsonObject dealing;
  for (const QByteArray& json : documentsOfWholeMatches(1)) {
    const QJsonObject d = QJsonDocument::fromJson(json).object();
    if (d.value(QLatin1String("deal")).toObject().value(QLatin1String("taken")).toArray().size() >
        1)
      dealing = d;
  }
  ASSERT_FALSE(dealing.isEmpty());
  QJsonObject deal = dealing.value(QLatin1String("deal")).toObject();
  QJsonArray taken = deal.value(QLatin1String("taken")).toArray();
  taken.append(taken.first());
  deal.insert(QLatin1String("taken"), taken);
  EXPECT_EQ(refusal(dealing, "deal", deal), "a pile position is taken twice");
  // ... or none of the pile's.
  taken.replace(0, 0);
  deal.insert(QLatin1String("taken"), taken);
  EXPECT_EQ(refusal(dealing, "deal", deal), "a pile position is not a whole number from 1 to 28");
}

// What no match could have played, in a file that is whole: a score already
// at the limit, a later hand opened with another tile than 6:6 where the rules
// always want it, hands whose points their pips cannot give (which would
// then swell the player's statistics). And names that would draw garbled are
// read without what garbles them.
TEST(SavedMatch, WhatNoMatchCouldHavePlayedIsRefusedAndNamesAreReadPlain) {
  Settings rules;
  rules.Nomes[0] = "Ana";
  rules.TipoInicio = 2;  // 6:6 opens every hand
  QJsonObject later;
  for (const QByteArray& json : documentsOfWholeMatches(1, rules)) {
    const QJsonObject d = QJsonDocument::fromJson(json).object();
    if (later.isEmpty() && !d.value(QLatin1String("handsPlayed")).toArray().isEmpty() &&
        d.value(QLatin1String("moves")).toArray().size() >= 2)
      later = d;
  }
  ASSERT_FALSE(later.isEmpty());
  const auto read = [](const QJsonObject& document) {
    const auto taken = matchFromJson(QJsonDocument(document).toJson());
    return std::holds_alternative<QString>(taken) ? std::get<QString>(taken).toStdString()
                                                  : std::string("taken");
  };
  ASSERT_EQ(read(later), "taken");

  // Mac1 goes out twice more, simply: four points, the limit.
  QJsonObject over = later;
  QJsonArray played = over.value(QLatin1String("handsPlayed")).toArray();
  QJsonArray scores = over.value(QLatin1String("scores")).toArray();
  // A hand played, won by `seat` alone, as the file writes it.
  const auto handWonBy = [](int seat, const char* ending, int points, const char* how,
                            const QJsonArray& pips) {
    return QJsonObject{{QStringLiteral("ending"), QLatin1String(ending)},
                       {QStringLiteral("winner"), seat},
                       {QStringLiteral("points"), points},
                       {QStringLiteral("scorers"), QJsonArray{seat}},
                       {QStringLiteral("nextOpener"), seat},
                       {QStringLiteral("goingOut"), QLatin1String(how)},
                       {QStringLiteral("pips"), pips}};
  };
  const QJsonObject simples = handWonBy(1, "wentOut", 1, "simples", {10, 0, 20, 5});
  while (scores[1].toInt() < rules.PontosLimit) {
    played.append(simples);
    scores.replace(1, scores[1].toInt() + 1);
  }
  over.insert(QLatin1String("handsPlayed"), played);
  over.insert(QLatin1String("scores"), scores);
  EXPECT_EQ(read(over), "the match is already over");

  QJsonObject opened = later;
  QJsonArray moves = opened.value(QLatin1String("moves")).toArray();
  QJsonObject first = moves[0].toObject();
  first.insert(QLatin1String("tile"), QStringLiteral("55"));
  moves.replace(0, first);
  opened.insert(QLatin1String("moves"), moves);
  EXPECT_EQ(read(opened), "the hand is not opened with 6:6");

  // Hands of Mac2's (without a point so far) added with their points.
  ASSERT_EQ(later.value(QLatin1String("scores")).toArray()[2].toInt(), 0);
  const auto withHand = [&later, &read](const QJsonObject& hand, int times) {
    QJsonObject document = later;
    QJsonArray hands = document.value(QLatin1String("handsPlayed")).toArray();
    QJsonArray scores = document.value(QLatin1String("scores")).toArray();
    for (int k = 0; k < times; ++k) hands.append(hand);
    scores.replace(2, times * hand.value(QLatin1String("points")).toInt());
    document.insert(QLatin1String("handsPlayed"), hands);
    document.insert(QLatin1String("scores"), scores);
    return read(document);
  };
  const auto simplesOfMac2 = [&handWonBy](const QJsonArray& pips) {
    return handWonBy(2, "wentOut", 1, "simples", pips);
  };
  EXPECT_EQ(withHand(simplesOfMac2({10, 20, 0, 5}), 1), "taken");
  QJsonObject tie = handWonBy(-1, "blocked", 0, "none", {10, 10, 10, 10});  // nobody won it
  tie.insert(QStringLiteral("scorers"), QJsonArray());
  tie.insert(QStringLiteral("nextOpener"), QJsonValue());
  EXPECT_EQ(withHand(tie, 2), "taken");
  EXPECT_EQ(withHand(handWonBy(2, "gone", 1, "simples", {10, 20, 0, 5}), 1),
            "a hand played ends neither \"wentOut\" nor \"blocked\"");
  EXPECT_EQ(withHand(simplesOfMac2({168, 168, 0, 168}), 1), "a hand's pip count is out of range");
  EXPECT_EQ(withHand(simplesOfMac2({60, 60, 0, 60}), 1),
            "a hand's pip counts add up to more than the set holds");
  EXPECT_EQ(withHand(simplesOfMac2({10, 20, 4, 5}), 1),
            "a hand was gone out of by a seat that holds tiles");
  // Blocked and won for nothing, nine hundred times.
  const QJsonObject free = handWonBy(2, "blocked", 0, "none", {10, 10, 3, 10});
  EXPECT_EQ(withHand(free, 900), "a hand's points are not what its pips give");

  // A name that is not text, a move on an end that is none.
  QJsonObject numbered = later;
  numbered.insert(
      QLatin1String("names"),
      QJsonArray{QStringLiteral("Ana"), 7, QStringLiteral("Melira"), QStringLiteral("Astelo")});
  EXPECT_EQ(read(numbered), "a name is not text");
  QJsonObject nowhere = later;
  QJsonArray laid = nowhere.value(QLatin1String("moves")).toArray();
  QJsonObject opening = laid[0].toObject();
  ASSERT_TRUE(opening.contains(QLatin1String("end")));
  opening.insert(QLatin1String("end"), QStringLiteral("C"));
  laid.replace(0, opening);
  nowhere.insert(QLatin1String("moves"), laid);
  EXPECT_EQ(read(nowhere), "a move's end is not \"first\", \"A\" or \"B\"");

  QJsonObject named = later;
  named.insert(QLatin1String("names"),
               QJsonArray{QStringLiteral("A\u202Ena\u0007"), QStringLiteral("Zor\nvan"),
                          QStringLiteral("\u2067Mel\u200Fira\u2069"), QStringLiteral("Astelo 🂡")});
  const auto taken = matchFromJson(QJsonDocument(named).toJson());
  ASSERT_TRUE(std::holds_alternative<SavedMatch>(taken));
  EXPECT_EQ(std::get<SavedMatch>(taken).rules.Nomes,
            (std::array<std::string, 4>{"Ana", "Zorvan", "Melira", "Astelo 🂡"}));
}

}  // namespace
}  // namespace tavolix
