// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Saved matches that no match could have played, refused for what is wrong with them.
#include <string>
#include <variant>

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "match_documents.h"
#include "settings/match_file.h"

namespace tavolix {
namespace {

using match_documents::documentsOfWholeMatches;

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
  // More hands played than a kept match may hold.
  played = QJsonArray();
  while (played.size() <= 1000) played.append(QJsonObject());
  EXPECT_EQ(refusal(playing, "handsPlayed", played),
            "handsPlayed is not a list of 0 to 1000 entries");
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
  QJsonObject threeScore = simplesOfMac2({10, 20, 0, 5});  // no side is three seats
  threeScore.insert(QStringLiteral("scorers"), QJsonArray{2, 0, 1});
  EXPECT_EQ(withHand(threeScore, 1), "scorers is not a list of 0 to 2 entries");
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
