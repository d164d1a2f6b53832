// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <vector>

#include "game/match.h"
#include "game/match_observer.h"
#include "game/presentation.h"
#include "protocol/views.h"
#include "table.h"

namespace tavolix::server {

// The table's screen and the match's observer at once: it shows nothing,
// plays one match, and writes down each thing that happens as an event to
// send, and the chain as laid out. Every event then goes on to the trace.
class Table::Recorder : public SilentPresentation, public MatchObserver {
 public:
  void watch(const Match& match) { match_ = &match; }
  void setTrace(MatchObserver* trace) { trace_ = trace; }

  std::vector<net::TableEvent> takeEvents() { return std::exchange(events_, {}); }
  const std::vector<LaidTile>& chain() const { return chain_; }
  bool matchOver() const { return over_; }

  // --- the screen ---
  NewGameAnswer newGameDialog(bool) override {
    // One match a table: the end of the match ends the flow.
    return started_++ == 0 ? NewGameAnswer::Play : NewGameAnswer::Exit;
  }
  void clearTable() override { chain_.clear(); }
  void newHand() override { chain_.clear(); }
  void layOutPile() override { add(net::TableEvent::Kind::Deal, -1); }
  void takeFromPile(int seat, int slot, int position) override {
    net::TableEvent& e = add(net::TableEvent::Kind::Took, seat);
    e.position = position;
    e.tile = match_->state().hand(seat)[slot];
  }
  void layTile(const LaidTile& tile) override {
    chain_.push_back(tile);
    add(net::TableEvent::Kind::Played, tile.seat).laid = tile;
  }
  void computerPasses(int seat) override { add(net::TableEvent::Kind::Passed, seat); }
  void showChain(const std::vector<LaidTile>& laid) override { chain_ = laid; }

  // --- the match ---
  void matchStarted(const Settings& s) override {
    if (trace_) trace_->matchStarted(s);
  }
  void dealt(const GameState& state) override {
    if (trace_) trace_->dealt(state);
  }
  void redealt(int seat, int doubles) override {
    net::TableEvent& e = add(net::TableEvent::Kind::Redeal, seat);
    e.doubles = doubles;
    e.hands[seat] = match_->state().hand(seat);
    if (trace_) trace_->redealt(seat, doubles);
  }
  void played(int seat, int slot, TileCode tile, Lado side, const GameState& state) override {
    if (trace_) trace_->played(seat, slot, tile, side, state);
  }
  void passed(int seat, const GameState& state) override {
    if (trace_) trace_->passed(seat, state);
  }
  void handEnded(const HandResult& result, const GameState& state) override {
    net::TableEvent& e = add(net::TableEvent::Kind::HandEnded, result.winner);
    e.result = result;
    for (int seat = kJog; seat <= kMac3; ++seat) e.hands[seat] = state.hand(seat);
    e.scores = state.Pontos;
    if (trace_) trace_->handEnded(result, state);
  }
  void matchEnded(int winner, const std::array<int, 4>& standings,
                  const GameState& state) override {
    net::TableEvent& e = add(net::TableEvent::Kind::MatchEnded, winner);
    e.order = standings;
    e.scores = state.Pontos;
    over_ = true;
    if (trace_) trace_->matchEnded(winner, standings, state);
  }

 private:
  net::TableEvent& add(net::TableEvent::Kind kind, int seat) {
    net::TableEvent& e = events_.emplace_back();
    e.kind = kind;
    e.seat = seat;
    return e;
  }

  const Match* match_ = nullptr;
  MatchObserver* trace_ = nullptr;
  std::vector<net::TableEvent> events_;
  std::vector<LaidTile> chain_;
  int started_ = 0;
  bool over_ = false;
};

}  // namespace tavolix::server
