// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "trace_check.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "game/chain_layout.h"
#include "game/computer_player.h"
#include "game/invariants.h"
#include "game/scoring.h"
#include "game/texts.h"

namespace tavolix::sim {

namespace {

constexpr std::size_t kMaxProblems = 20;

std::array<int, 4> fourNumbers(const QJsonValue& value) {
  std::array<int, 4> n{-1, -1, -1, -1};
  const QJsonArray a = value.toArray();
  for (int k = 0; k < 4 && k < a.size(); ++k) n[k] = a[k].toInt(-1);
  return n;
}

// Plays the trace over, line by line.
class Replay {
 public:
  explicit Replay(TraceCheck& check) : check_(check) {}

  void line(int number, const QJsonObject& e) {
    line_ = number;
    const QString ev = e.value(QLatin1String("ev")).toString();
    if (ev == QLatin1String("match")) {
      match(e);
    } else if (!inMatch_) {
      fail("an event outside a match");
    } else if (ev == QLatin1String("deal")) {
      deal(e);
    } else if (ev == QLatin1String("redeal")) {
      redeal(e);
    } else if (ev == QLatin1String("play")) {
      play(e);
    } else if (ev == QLatin1String("pass")) {
      pass(e);
    } else if (ev == QLatin1String("out") || ev == QLatin1String("blocked")) {
      handEnd(e, ev == QLatin1String("out"));
    } else if (ev == QLatin1String("matchEnd")) {
      matchEnd(e);
    } else {
      fail("an unknown event");
    }
  }
  void finish() {
    if (inMatch_) fail("the last match does not end");
  }

 private:
  void fail(const std::string& problem) {
    if (check_.problems.size() < kMaxProblems)
      check_.problems.push_back("line " + std::to_string(line_) + ": " + problem);
  }

  void match(const QJsonObject& e) {
    if (inMatch_) fail("a match begins before the last one ended");
    ++check_.matches;
    inMatch_ = true;
    rules_ = Settings();
    rules_.TipoJogo = static_cast<std::int16_t>(e.value(QLatin1String("tipoJogo")).toInt());
    rules_.TipoRegra = static_cast<std::int16_t>(e.value(QLatin1String("tipoRegra")).toInt());
    rules_.TipoInicio = static_cast<std::int16_t>(e.value(QLatin1String("tipoInicio")).toInt());
    rules_.SentidoHorario = e.value(QLatin1String("sentidoHorario")).toBool();
    rules_.PontosLimit = static_cast<std::int16_t>(e.value(QLatin1String("pontosLimit")).toInt());
    rules_.FecharSoNoNatural = e.value(QLatin1String("fecharSoNoNatural")).toBool();
    scores_ = {};
    firstRound_ = true;
    nextOpener_ = kHolderOfDoubleSix;
    lastOpener_ = -1;
    dealt_ = false;
  }

  void deal(const QJsonObject& e) {
    state_ = GameState();
    state_.Pontos = scores_;
    state_.PrimeiraRodada = firstRound_;
    chain_.reset();
    std::uint32_t all = 0;
    const QJsonArray hands = e.value(QLatin1String("hands")).toArray();
    for (int seat = 0; seat < kSeatCount; ++seat) {
      const QJsonArray tiles = hands[seat].toArray();
      if (tiles.size() != kHandSlots) fail("a hand is not dealt seven tiles");
      for (int slot = 1; slot <= kHandSlots && slot <= tiles.size(); ++slot) {
        const auto t = TileCode::fromText(tiles[slot - 1].toString().toStdString());
        if (!t || t->empty()) {
          fail("a hand holds something that is not a tile");
          continue;
        }
        if (all & tileBit(*t)) fail("a tile is dealt twice");
        all |= tileBit(*t);
        state_.hand(seat)[slot] = *t;
      }
    }
    if (all != kAllTileBits) fail("the deal does not hold every tile once");
    state_.recount();
    holder_ = kHolderOfDoubleSix;
    for (int seat = kJog; seat <= kMac3; ++seat) {
      if (state_.heldTiles[seat] & tileBit(kDoubleSix)) holder_ = seat;
    }
    // Who opens: the holder of 6:6 in a first hand and always under the 6:6 rule; by
    // rotation the seat after the last opener; else the last hand's winner.
    const int named = e.value(QLatin1String("quemInicia")).toInt(-1);
    if ((firstRound_ || rules_.TipoInicio == 2) && named != holder_)
      fail("the deal names another opener than the holder of 6:6");
    if (!firstRound_ && rules_.TipoInicio == 1 &&
        named != (isSeat(nextOpener_) ? nextOpener_ : holder_))
      fail("the deal names another opener than the last hand's winner");
    opener_ = firstRound_ || rules_.TipoInicio != 3 ? named
                                                    : nextSeat(lastOpener_, rules_.SentidoHorario);
    toMove_ = opener_;
    places_ = TilePlaces::of(state_);
    dealt_ = true;
  }

  void redeal(const QJsonObject& e) {
    const int seat = e.value(QLatin1String("seat")).toInt(-1);
    if (!dealt_ || !isSeat(seat) || QuantasBuchas(state_, seat) < 5 ||
        e.value(QLatin1String("buchas")).toInt() != QuantasBuchas(state_, seat))
      fail("a redeal without five doubles in the hand");
    firstRound_ = true;
    dealt_ = false;
  }

  bool turnOf(int seat) {
    if (!dealt_) {
      fail("a move before the deal");
      return false;
    }
    if (seat != toMove_) fail("a move out of turn (it was seat " + std::to_string(toMove_) + "'s)");
    toMove_ = nextSeat(isSeat(seat) ? seat : toMove_, rules_.SentidoHorario);
    return isSeat(seat);
  }

  void checkEnds(const QJsonObject& e) {
    const QJsonArray ends = e.value(QLatin1String("ends")).toArray();
    if (ends.size() != 2 || ends[0].toInt(-1) != state_.PontaA ||
        ends[1].toInt(-1) != state_.PontaB)
      fail("the ends are not those the chain shows");
  }

  void play(const QJsonObject& e) {
    ++check_.moves;
    const int seat = e.value(QLatin1String("seat")).toInt(-1);
    if (!turnOf(seat)) return;
    const int slot = e.value(QLatin1String("slot")).toInt(0);
    const auto tile = TileCode::fromText(e.value(QLatin1String("tile")).toString().toStdString());
    Hand& hand = state_.hand(seat);
    // The player may have turned a tile round in his hand.
    if (slot < 1 || slot > kHandSlots || !tile ||
        (hand[slot] != *tile && hand[slot] != tile->reversed())) {
      fail("a tile played that is not in that slot of the seat's hand");
      return;
    }
    const QString side = e.value(QLatin1String("side")).toString();
    const Lado end = side == QLatin1String("A")   ? Lado::A
                     : side == QLatin1String("B") ? Lado::B
                                                  : Lado::First;
    if ((end == Lado::First) != (state_.QtdMesa == 0)) fail("a tile laid at no end of the chain");
    if (end == Lado::First) {
      if (seat != opener_) fail("the hand is opened by another seat than the rules name");
      if ((state_.PrimeiraRodada || rules_.TipoInicio == 2) && *tile != kDoubleSix)
        fail("the hand is not opened with 6:6");
      lastOpener_ = seat;
    } else if (!tile->holds(end == Lado::A ? state_.PontaA : state_.PontaB)) {
      fail("a tile that does not join its end");
      return;
    }
    hand[slot] = TileCode();
    state_.heldTiles[seat] &= ~tileBit(*tile);
    layOnTable(state_, chain_, *tile, end);
    closeUp(hand, slot);
    firstRound_ = false;
    checkEnds(e);
    for (const std::string& problem :
         checkMove(places_, state_, chain_.geometry(), rules_, seat, slot, *tile))
      fail(problem);
  }

  void pass(const QJsonObject& e) {
    ++check_.moves;
    const int seat = e.value(QLatin1String("seat")).toInt(-1);
    if (!turnOf(seat)) return;
    if (state_.QtdMesa == 0) fail("a pass before the hand is opened");
    const Hand& hand = state_.hand(seat);
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (hand[slot].holds(state_.PontaA) || hand[slot].holds(state_.PontaB))
        fail("a pass while holding " + hand[slot].text());
    }
    state_.pass(seat);
    checkEnds(e);
    for (const std::string& problem :
         checkMove(places_, state_, chain_.geometry(), rules_, seat, 0, TileCode()))
      fail(problem);
  }

  void handEnd(const QJsonObject& e, bool wentOut) {
    ++check_.hands;
    const int last = nextSeat(toMove_, !rules_.SentidoHorario);
    const auto result = tavolix::handEnd(state_, rules_, last);
    if (!dealt_ || !result) {
      fail("a hand ends that is not over");
      return;
    }
    if (wentOut != (result->ending == HandResult::Ending::WentOut))
      fail("the hand ends another way than the rules say");
    if (e.value(QLatin1String("points")).toInt(-1) != result->points)
      fail("the hand's points are not what the rules give");
    if (wentOut) {
      if (e.value(QLatin1String("seat")).toInt(-1) != result->winner) fail("another seat went out");
      if (e.value(QLatin1String("kind")).toString().toStdString() !=
          render(texts::goingOutName(result->kind)))
        fail("the way of going out is not the one the last move makes");
    } else {
      if (fourNumbers(e.value(QLatin1String("totals"))) != result->totals)
        fail("the pips left are not those in the hands");
      std::vector<int> scorers;
      for (const QJsonValue s : e.value(QLatin1String("scorers")).toArray())
        scorers.push_back(s.toInt());
      if (scorers != result->scorers) fail("other seats score the blocked hand");
    }
    for (const int seat : result->scorers) scores_[seat] += result->points;
    if (fourNumbers(e.value(QLatin1String("scores"))) != scores_)
      fail("the scores are not the sum of the hands");
    nextOpener_ = result->nextOpener;
    if (e.value(QLatin1String("quemInicia")).toInt(-1) != nextOpener_)
      fail("the next opener is not the one the rules name");
    dealt_ = false;
  }

  void matchEnd(const QJsonObject& e) {
    int winner = kJog;
    while (winner <= kMac3 && scores_[winner] < rules_.PontosLimit) ++winner;
    if (winner > kMac3) fail("the match ends before anyone reached the limit");
    if (e.value(QLatin1String("winner")).toInt(-1) != winner) fail("another seat won the match");
    if (fourNumbers(e.value(QLatin1String("scores"))) != scores_)
      fail("the match ends with other scores");
    if (dealt_) fail("the match ends in the middle of a hand");
    inMatch_ = false;
  }

  TraceCheck& check_;
  int line_ = 0;
  bool inMatch_ = false;
  Settings rules_;
  std::array<int, 4> scores_{};
  bool firstRound_ = true;
  bool dealt_ = false;
  int nextOpener_ = kHolderOfDoubleSix;
  int lastOpener_ = -1;
  int opener_ = -1;
  int holder_ = kHolderOfDoubleSix;
  int toMove_ = -1;
  GameState state_;
  ChainLayout chain_;
  TilePlaces places_;
};

}  // namespace

TraceCheck checkTrace(const QByteArray& trace) {
  TraceCheck check;
  Replay replay(check);
  int number = 0;
  for (const QByteArray& line : trace.split('\n')) {
    ++number;
    if (line.isEmpty()) continue;
    const QJsonDocument document = QJsonDocument::fromJson(line);
    if (!document.isObject()) {
      check.problems.push_back("line " + std::to_string(number) + ": not a JSON object");
      break;
    }
    replay.line(number, document.object());
  }
  replay.finish();
  return check;
}

}  // namespace tavolix::sim
