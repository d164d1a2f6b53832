// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// Seats played from another computer: their answers checked against the
// rules, and a match of such seats kept and picked up where it stood.
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "game/match.h"
#include "match_fixture.h"

namespace tavolix {
namespace {

using Refusal = Match::Refusal;

class RemoteAnswers : public MatchTest {
 protected:
  RemoteAnswers() { match.setSeat(kMac2, remote); }
  // Mac2 to move on ends 6 (side A) and 3 (side B), holding `hand`.
  void mac2ToMove(const Hand& hand, std::initializer_list<std::string_view> table = {"12"}) {
    resume(kMac2, {handOf({"00", "01"}), handOf({"02", "04"}), hand, handOf({"05", "11"})}, 6, 3,
           table);
    ASSERT_EQ(match.asked(), kMac2);
  }
  int slotOf(int seat, std::string_view t) const {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      if (match.state().hand(seat)[slot] == tile(t)) return slot;
    }
    return 0;
  }

  RemotePlayer remote;
};

TEST_F(RemoteAnswers, EveryRefusalLeavesTheHandAsItWasAndALegalMoveGoesOn) {
  mac2ToMove(handOf({"44", "36", "16"}));
  const GameState before = match.state();
  const int slot36 = slotOf(kMac2, "36");
  // Not its turn: neither another seat nor the player at this table.
  EXPECT_EQ(match.answer(kJog, SeatAnswer::pass()), Refusal::NotItsTurn);
  EXPECT_EQ(match.answer(kMac3, SeatAnswer::play(1, Lado::A)), Refusal::NotItsTurn);
  EXPECT_EQ(match.answer(7, SeatAnswer::pass()), Refusal::NotItsTurn);
  // A slot it does not hold, out of the hand or emptied.
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(4, Lado::A)), Refusal::NoSuchTile);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(0, Lado::A)), Refusal::NoSuchTile);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(99, Lado::B)), Refusal::NoSuchTile);
  // 4:4 joins neither end; 1:6 only side A (6); no end named on a laid chain.
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(1, Lado::A)), Refusal::WrongEnd);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(slotOf(kMac2, "16"), Lado::B)), Refusal::WrongEnd);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(slot36, Lado::First)), Refusal::WrongEnd);
  // It holds tiles that fit: no pass.
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::pass()), Refusal::MustPlay);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::later()), Refusal::MustPlay);

  EXPECT_EQ(match.state().hand(kMac2), before.hand(kMac2));
  EXPECT_EQ(match.state().QtdMesa, before.QtdMesa);
  EXPECT_EQ(match.state().Passes, before.Passes);
  EXPECT_TRUE(screen.laid.empty());
  EXPECT_EQ(match.asked(), kMac2);

  // 3:6 at side B: laid there, Mac3 (a computer) passes on 6 and 6, and the player is asked.
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(slot36, Lado::B)), Refusal::None);
  ASSERT_EQ(seatsThatPlayed(), std::vector<int>{kMac2});
  EXPECT_EQ(screen.laid[0].side, Lado::B);
  EXPECT_EQ(match.state().PontaB, 6);
  EXPECT_EQ(match.state().NaoTem[kMac3], "66");
  EXPECT_EQ(match.asked(), kJog);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(1, Lado::A)), Refusal::NotItsTurn);
}

TEST_F(RemoteAnswers, APassIsTakenOnlyFromASeatWithNothingThatFits) {
  // A tile for end B alone (3:5) is reason enough to refuse it.
  mac2ToMove(handOf({"44", "35"}));
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::pass()), Refusal::MustPlay);
  EXPECT_EQ(match.state().Passes, 0);
  mac2ToMove(handOf({"44", "25"}));
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::pass()), Refusal::None);
  EXPECT_EQ(match.state().NaoTem[kMac2], "63");
  EXPECT_TRUE(screen.laid.empty());
  // Mac3 has nothing on 6 or 3 either; the player is next.
  EXPECT_EQ(match.asked(), kJog);
}

TEST_F(RemoteAnswers, ACrosswiseTileMayCloseTheGameOnlyNoNatural) {
  // Six tiles of 3 are out (the end at B), 6 is still open: 3:6 at A would
  // close both ends on 3 other than "no natural"; at B it may go.
  mac2ToMove(handOf({"36", "44"}), {"03", "13", "23", "33", "34", "35"});
  const int slot = slotOf(kMac2, "36");
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(slot, Lado::A)), Refusal::OnlyNatural);
  EXPECT_TRUE(screen.laid.empty());
  settings.FecharSoNoNatural = false;  // the rules of the match in progress hold
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(slot, Lado::A)), Refusal::OnlyNatural);
  EXPECT_EQ(match.answer(kMac2, SeatAnswer::play(slot, Lado::B)), Refusal::None);
  ASSERT_EQ(screen.laid.size(), 1u);
  EXPECT_EQ(screen.laid[0].side, Lado::B);
}

TEST_F(RemoteAnswers, TheOpenerLaysAnyTileOr66WhenTheRulesSaySo) {
  for (const int opening : {1, 2}) {
    SCOPED_TRACE(opening);
    settings.TipoInicio = static_cast<std::int16_t>(opening);
    RecordingPresentation screen2;
    ScriptedRandom random2;
    Match m(settings, screen2, random2);
    RemotePlayer opener;
    m.setSeat(kMac1, opener);
    GameState state;
    state.hand(kJog) = handOf({"00"});
    state.hand(kMac1) = handOf({"45", "66"});
    state.hand(kMac2) = handOf({"02"});
    state.hand(kMac3) = handOf({"03"});
    state.PrimeiraRodada = false;
    state.QuemInicia = kMac1;
    m.resume(state, ChainGeometry(), kMac1);
    ASSERT_EQ(m.asked(), kMac1);
    EXPECT_EQ(m.answer(kMac1, SeatAnswer::pass()), Refusal::MustPlay);
    EXPECT_EQ(m.answer(kMac1, SeatAnswer::play(2, Lado::A)), Refusal::WrongEnd);
    if (opening == 2) {
      EXPECT_EQ(m.answer(kMac1, SeatAnswer::play(1, Lado::First)), Refusal::WrongOpening);
      EXPECT_EQ(m.answer(kMac1, SeatAnswer::play(2, Lado::First)), Refusal::None);
    } else {
      EXPECT_EQ(m.answer(kMac1, SeatAnswer::play(1, Lado::First)), Refusal::None);
    }
    ASSERT_EQ(screen2.laid.size(), 1u);
    EXPECT_EQ(screen2.laid[0].seat, kMac1);
  }
}

// --- a whole match of seats that answer from elsewhere ------------------------

// Plays one match and no more.
class OneMatch : public SilentPresentation {
 public:
  NewGameAnswer newGameDialog(bool) override {
    return started_++ == 0 ? NewGameAnswer::Play : NewGameAnswer::Exit;
  }

 private:
  int started_ = 0;
};

// The first answer the rules take, trying the slots in order and end A
// before end B; the lowest free pile position.
void answerFirstLegal(Match& match) {
  const int seat = match.asked();
  ASSERT_TRUE(isSeat(seat));
  if (match.awaiting() == Match::Awaiting::PileTile) {
    // Nothing off the pile, no position twice, no seat out of its turn.
    EXPECT_FALSE(match.takePileTileFor(seat, 0));
    EXPECT_FALSE(match.takePileTileFor(seat, kTileCount + 1));
    EXPECT_FALSE(match.takePileTileFor(seat, -1));
    for (int position = 1; position <= kTileCount; ++position) {
      if (match.state().pileTaken(position)) {
        EXPECT_FALSE(match.takePileTileFor(seat, position)) << position;
      } else {
        EXPECT_FALSE(match.takePileTileFor((seat + 1) % kSeatCount, position)) << position;
        break;
      }
    }
    for (int position = 1; position <= kTileCount; ++position) {
      if (match.takePileTileFor(seat, position)) return;
    }
    FAIL() << "no pile tile could be taken";
  }
  for (int slot = 1; slot <= kHandSlots; ++slot) {
    for (const Lado side : {Lado::First, Lado::A, Lado::B}) {
      if (match.answer(seat, SeatAnswer::play(slot, side)) == Refusal::None) return;
    }
  }
  ASSERT_EQ(match.answer(seat, SeatAnswer::pass()), Refusal::None);
}

struct Played {
  std::vector<HandResult> hands;
  std::array<int, 4> scores{};
  int actions = 0;
};

// A pairs match of two seats played from elsewhere (0 and 2) and two computer
// seats; `keepAt`, when given, is the action at which the match is kept and
// picked up by another match, with a generator of the same seed moved on as
// far, as a server does after a restart.
Played playPairsMatch(std::uint64_t seed, std::optional<int> keepAt) {
  Settings settings;
  settings.TipoJogo = 2;
  settings.PontosLimit = 4;
  OneMatch screen;
  auto random = std::make_unique<RandomSource>(seed);
  auto match = std::make_unique<Match>(settings, screen, *random);
  RemotePlayer remote0, remote2;
  match->setSeat(kJog, remote0);
  match->setSeat(kMac2, remote2);
  match->start();
  Played played;
  for (; match->awaiting() != Match::Awaiting::Finished && played.actions < 5000;
       ++played.actions) {
    if (keepAt && played.actions == *keepAt) {
      const SavedMatch saved = match->saved();
      const std::uint64_t drawn = random->drawn();
      auto random2 = std::make_unique<RandomSource>(seed);
      random2->skip(drawn);
      auto match2 = std::make_unique<Match>(settings, screen, *random2);
      match2->setSeat(kJog, remote0);
      match2->setSeat(kMac2, remote2);
      EXPECT_TRUE(match2->restore(saved)) << "at action " << *keepAt;
      EXPECT_EQ(match2->asked(), match->asked());
      // While the tiles are taken, New Game is offered as it was (in play, the
      // player's turn offers it).
      if (saved.dealing) {
        EXPECT_EQ(match2->newGameEnabled(), match->newGameEnabled());
      }
      match = std::move(match2);
      random = std::move(random2);
    }
    answerFirstLegal(*match);
    played.hands = match->handsPlayed();
    played.scores = match->state().Pontos;
  }
  EXPECT_EQ(match->awaiting(), Match::Awaiting::Finished);
  return played;
}

TEST(RemoteMatch, KeptAtAnyMomentAndPickedUpItEndsAsIfNeverStopped) {
  const Played whole = playPairsMatch(11, std::nullopt);
  ASSERT_GE(whole.hands.size(), 2u);
  ASSERT_GT(whole.actions, 60);
  // Kept at every moment a seat is asked: while tiles are taken and at every turn.
  for (int at = 1; at < whole.actions; ++at) {
    SCOPED_TRACE(at);
    const Played resumed = playPairsMatch(11, at);
    EXPECT_EQ(resumed.actions, whole.actions);
    EXPECT_EQ(resumed.scores, whole.scores);
    ASSERT_EQ(resumed.hands.size(), whole.hands.size());
    for (std::size_t k = 0; k < whole.hands.size(); ++k) {
      EXPECT_EQ(resumed.hands[k].points, whole.hands[k].points);
      EXPECT_EQ(resumed.hands[k].winner, whole.hands[k].winner);
    }
  }
}

TEST(RemoteMatch, AGeneratorMovedOnDrawsWhatTheOriginalDrawsNext) {
  RandomSource original(42);
  for (int k = 0; k < 1000; ++k) original.draw(28);
  EXPECT_EQ(original.drawn(), 1000u);
  RandomSource copy(42);
  copy.skip(original.drawn());
  for (int k = 0; k < 700; ++k) ASSERT_EQ(copy.draw(1000000), original.draw(1000000)) << k;
  EXPECT_EQ(copy.drawn(), 1700u);
}

}  // namespace
}  // namespace tavolix
