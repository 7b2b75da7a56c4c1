// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the game reports of itself through the session's answers: the
// moments a watcher marks, at the point they happened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/basic.h"
#include "support/fixture.h"

namespace brontix::session {
namespace {

using Kind = Event::Kind;

struct Reported {
    Kind kind;
    std::string what;
    std::uint64_t point;
    bool operator==(const Reported&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Reported& r) {
    return out << static_cast<int>(r.kind) << " '" << r.what << "' at " << r.point;
}

class Events : public ::testing::Test {
protected:
    Events() {
        g.host().onEvent = [this](const Event& e) {
            seen.push_back({e.kind, std::string(e.what), e.point});
        };
    }
    void apply(const Answer& a) { g.host().apply(g.session(), a); }
    void catchCapsule(int kind) {
        g.dropCapsuleOnPaddle(kind);
        g.tick();
    }
    testing::Game g;
    std::vector<Reported> seen;
};

TEST_F(Events, HandlersReportNewGamePauseAndResumeWhereTheyRan) {
    g.queue({0.5f, 0.5f, 0.5f, 0.0f, 0.0f});
    apply(g.session().menu(Command::NewGame));
    g.tick(5);
    apply(g.session().key('p'));
    apply(g.session().key('x'));  // not the pause key: nothing to report
    apply(g.session().key('p'));
    EXPECT_EQ(seen, (std::vector<Reported>{
                        {Kind::NewGame, "", 0}, {Kind::Paused, "", 5}, {Kind::Resumed, "", 5}}));
}

TEST_F(Events, ACaughtCapsuleNamesTheEffectItApplied) {
    g.newGameWithBricks({0});
    catchCapsule(3);
    // The name comes with the effect itself: a twin appeared in that tick.
    EXPECT_TRUE(g.form().Ball[1].Visible);
    catchCapsule(6);
    EXPECT_TRUE(g.form().LFire[0].Visible);
    catchCapsule(0);
    EXPECT_EQ(g.state().stickyPaddle, game::True);
    EXPECT_EQ(seen, (std::vector<Reported>{{Kind::CapsuleCaught, "multi-ball", 1},
                                           {Kind::CapsuleCaught, "cannons", 2},
                                           {Kind::CapsuleCaught, "sticky paddle", 3}}));
}

// The legend players read says, for each colour, the effect a capsule of
// that colour applies when caught.
TEST_F(Events, TheLegendNamesWhatACapsuleOfEachColourDoes) {
    g.newGameWithBricks({0});
    const auto legend = capsuleLegend();
    ASSERT_EQ(legend.size(), 10u);
    for (int kind = 0; kind < 10; ++kind) {
        const CapsuleLegend& said = legend[static_cast<std::size_t>(kind)];
        const auto colour = static_cast<std::uint32_t>(game::QBColor(kind));
        EXPECT_EQ(said.rgb, (colour & 0xFFu) << 16 | (colour & 0xFF00u) | colour >> 16);
        seen.clear();
        catchCapsule(kind);
        ASSERT_EQ(seen.size(), 1u) << kind;
        EXPECT_EQ(seen[0].what, said.effect) << said.colour;
    }
    EXPECT_EQ(legend[9].colour, "light blue");
    EXPECT_EQ(legend[9].rgb, 0x0000FFu);
}

// What the capsules leave in force, as a watcher is told it.
TEST_F(Events, TheEffectsInForceFollowTheCapsulesCaught) {
    g.newGameWithBricks({0});
    const float paddle = g.form().Paddle.Width;
    EXPECT_EQ(g.session().inForce(), (InForce{false, false, paddle, {14}}));
    g.placeBall(1, 100, 100, 0, 0);
    for (const int kind : {0, 6, 5, 8}) catchCapsule(kind);
    EXPECT_EQ(g.session().inForce(), (InForce{true, true, paddle - 32, {18}}));
    catchCapsule(9);
    catchCapsule(6);
    EXPECT_EQ(g.session().inForce(), (InForce{true, false, paddle - 32, {14}}));
}

TEST_F(Events, EveryBallLostIsReportedThenTheLostGameWithItsBox) {
    g.newGameWithOneBrick();
    // Two balls falling past the loss line in the same tick, one later.
    g.placeBall(0, 300, 596, 0, 8);
    g.placeBall(1, 100, 596, 0, 8);
    g.placeBall(2, 200, 560, 0, 8);
    g.tick(10);
    ASSERT_EQ(g.messages(), std::vector<std::string>{"You lose!"});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], (Reported{Kind::BallLost, "", 1}));
    EXPECT_EQ(seen[1], (Reported{Kind::BallLost, "", 1}));
    EXPECT_EQ(seen[2].kind, Kind::BallLost);
    // The game is lost at the tick after the last ball went.
    EXPECT_EQ(seen[3], (Reported{Kind::Lost, "You lose!", seen[2].point + 1}));
    EXPECT_EQ(g.session().ticksRun(), seen[3].point);
}

TEST_F(Events, TheWonGameIsReportedWithItsBox) {
    g.newGameWithOneBrick();
    g.placeBall(0, 10, 30, 0, -4);  // straight into brick 0
    g.tick(20);
    ASSERT_EQ(g.messages(), std::vector<std::string>{"You win!"});
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), (Reported{Kind::Won, "You win!", g.session().ticksRun()}));
}

}  // namespace
}  // namespace brontix::session
