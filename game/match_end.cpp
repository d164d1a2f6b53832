// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match's flow: the end of a hand, and of the match when a seat reaches the limit.
#include "match.h"

#include <algorithm>

#include "texts.h"

namespace tavolix {

// --- the end of a hand and of a match ----------------------------------------

// The hand is over: the computer hands are turned up, the result is told and
// scored, the table is cleared, and the next hand is dealt (after a new match
// when this one is over, the last hand left on the table until then).
void Match::closeHand(const HandResult& result) {
  state_.Passes = 0;
  screen_.showTurn(-1);
  handsPlayed_.push_back(result);
  screen_.revealComputerHands();
  screen_.letEventsRun();
  rules_.Nomes = settings_.Nomes;
  if (screen_.showsTexts()) screen_.messageBox(texts::handEnded(result, rules_));
  for (const int seat : result.scorers) state_.Pontos[seat] += result.points;
  if (!result.tied()) ExibePlacar();
  // The last hand of a match stays on the table until the next match begins.
  if (matchWinner() < 0) {
    screen_.clearTable();
    screen_.letEventsRun();
  }
  state_.QuemInicia = result.nextOpener;
  if (observer_) observer_->handEnded(result, state_);
  if (EndGame()) InitGame(true);
  step_ = Step::Deal;
}

int Match::matchWinner() const {
  int w = kJog;
  while (w <= kMac3 && state_.Pontos[w] < rules_.PontosLimit) ++w;
  return w > kMac3 ? -1 : w;
}

bool Match::EndGame() {
  const int w = matchWinner();
  if (w < 0) return false;

  MatchEndReport report;
  report.winner = w;
  const bool withTexts = screen_.showsTexts();
  if (withTexts)
    report.winnerLine = texts::winnerLine(settings_.Nomes, w, state_.Pontos[w], rules_.pairs());
  // The winner heads the list (with his partner in pairs), then the other seats by
  // falling score, equal scores in seat order.
  std::array<int, kSeatCount> order{kJog, kMac1, kMac2, kMac3};
  const auto winners = [&](int seat) {
    return seat == w || (rules_.pairs() && seat == partnerOf(w));
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (winners(a) != winners(b)) return winners(a);
    return state_.Pontos[a] > state_.Pontos[b];
  });
  for (int place = 0; place < kSeatCount; ++place) {
    const int seat = order[place];
    report.standings[place] = seat;
    report.names[place] = settings_.Nomes[seat];
    if (withTexts) report.scores[place] = texts::scoreText(state_.Pontos[seat]);
  }
  if (observer_) observer_->matchEnded(w, report.standings, state_);
  if (keeper_) {
    keeper_->matchEnded(*this, w);
    keeper_->matchClosed();
  }
  screen_.matchEnd(report);
  return true;
}

}  // namespace tavolix
