// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "views.h"

#include "protocol.h"
#include "settings/json_fields.h"

namespace tavolix::net {

namespace {

QJsonValue seatOrNull(int seat) { return isSeat(seat) ? QJsonValue(seat) : QJsonValue(); }

// A tile of the chain as every player sees it: who laid it, at which end,
// and where and which way round it lies on the table (in twips).
QJsonObject laidTile(const LaidTile& laid) {
  return QJsonObject{
      {QStringLiteral("seat"), laid.seat},
      {QStringLiteral("tile"), tileText(laid.placement.shown)},
      {QStringLiteral("end"), sideName(laid.side)},
      {QStringLiteral("left"), laid.placement.left},
      {QStringLiteral("top"), laid.placement.top},
      {QStringLiteral("vertical"), laid.placement.vertical},
  };
}

// The pips each seat passed on, as numbers.
QJsonArray passes(const GameState& state) {
  QJsonArray all;
  for (int seat = kJog; seat <= kMac3; ++seat) {
    QJsonArray pips;
    for (const char c : state.NaoTem[seat]) {
      if (c >= '0' && c <= '6') pips.append(c - '0');
    }
    all.append(pips);
  }
  return all;
}

}  // namespace

QJsonObject seatView(const GameState& state, const Moment& moment, int viewer) {
  return seatView(publicView(state, moment), state, viewer);
}

QJsonObject seatView(QJsonObject view, const GameState& state, int viewer) {
  if (isSeat(viewer)) {
    view.insert(QStringLiteral("hand"), tilesOf(state.hand(viewer)));
    view.insert(QStringLiteral("seat"), viewer);
  }
  return view;
}

QJsonObject publicView(const GameState& state, const Moment& moment) {
  QJsonObject view;
  std::array<int, kSeatCount> counts{};
  for (int seat = kJog; seat <= kMac3; ++seat) {
    for (int slot = 1; slot <= kHandSlots; ++slot) counts[seat] += !state.hand(seat)[slot].empty();
  }
  view.insert(QStringLiteral("counts"), numbers(counts));
  QJsonArray chain;
  for (const LaidTile& laid : moment.chain) chain.append(laidTile(laid));
  view.insert(QStringLiteral("chain"), chain);
  view.insert(QStringLiteral("ends"),
              state.QtdMesa > 0 ? QJsonValue(numbers(std::array{state.PontaA, state.PontaB}))
                                : QJsonValue());
  view.insert(QStringLiteral("passes"), passes(state));
  view.insert(QStringLiteral("scores"), numbers(state.Pontos));
  view.insert(QStringLiteral("opener"), seatOrNull(state.QuemInicia));
  view.insert(QStringLiteral("mustOpenWithDoubleSix"), state.QtdMesa == 0 && moment.doubleSixOpens);
  view.insert(QStringLiteral("dealing"), moment.dealing);
  if (moment.dealing) {
    QJsonArray taken;
    for (int position = 1; position <= kTileCount; ++position) {
      if (state.pileTaken(position)) taken.append(position);
    }
    view.insert(QStringLiteral("pileTaken"), taken);
  }
  view.insert(QStringLiteral("turn"), seatOrNull(moment.asked));
  view.insert(QStringLiteral("asked"), !isSeat(moment.asked) ? QJsonValue()
                                       : moment.dealing      ? QStringLiteral("pile")
                                                             : QStringLiteral("move"));
  view.insert(QStringLiteral("secondsLeft"),
              moment.secondsLeft >= 0 ? QJsonValue(moment.secondsLeft) : QJsonValue());
  view.insert(QStringLiteral("handNumber"), moment.handNumber);
  return view;
}

QJsonObject eventFor(const TableEvent& event, int viewer) {
  QJsonObject out{{QStringLiteral("seat"), seatOrNull(event.seat)}};
  const auto kind = [&](const char* name) {
    out.insert(QStringLiteral("event"), QLatin1String(name));
  };
  switch (event.kind) {
    case TableEvent::Kind::Deal:
      kind("deal");
      out.insert(QStringLiteral("takers"), numbers(event.order));
      break;
    case TableEvent::Kind::Took:
      kind("took");
      out.insert(QStringLiteral("position"), event.position);
      if (viewer == event.seat) out.insert(QStringLiteral("tile"), tileText(event.tile));
      break;
    case TableEvent::Kind::Played:
      kind("played");
      out = laidTile(event.laid);
      out.insert(QStringLiteral("event"), QStringLiteral("played"));
      break;
    case TableEvent::Kind::Passed:
      kind("passed");
      break;
    case TableEvent::Kind::Redeal:
      // The hand is thrown in: the seat shows the doubles that end it.
      kind("redeal");
      out.insert(QStringLiteral("doubles"), event.doubles);
      out.insert(QStringLiteral("hand"), tilesOf(event.hands[event.seat]));
      break;
    case TableEvent::Kind::HandEnded: {
      kind("handEnded");
      const HandResult& r = event.result;
      out.insert(QStringLiteral("seat"), seatOrNull(r.winner));
      out.insert(QStringLiteral("ending"), r.ending == HandResult::Ending::Blocked
                                               ? QStringLiteral("blocked")
                                               : QStringLiteral("wentOut"));
      out.insert(QStringLiteral("goingOut"),
                 QLatin1String(kGoingOutNames[static_cast<std::size_t>(r.kind)]));
      out.insert(QStringLiteral("points"), r.points);
      out.insert(QStringLiteral("scorers"), numbers(r.scorers));
      out.insert(QStringLiteral("pips"), numbers(r.totals));
      out.insert(QStringLiteral("nextOpener"), seatOrNull(r.nextOpener));
      // The hand is over: every hand is turned up.
      QJsonArray hands;
      for (const Hand& hand : event.hands) hands.append(tilesOf(hand));
      out.insert(QStringLiteral("hands"), hands);
      out.insert(QStringLiteral("scores"), numbers(event.scores));
      break;
    }
    case TableEvent::Kind::MatchEnded:
      kind("matchEnded");
      out.insert(QStringLiteral("standings"), numbers(event.order));
      out.insert(QStringLiteral("scores"), numbers(event.scores));
      break;
  }
  return out;
}

}  // namespace tavolix::net
