// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "support/replay_run.h"

namespace brontix::testing {
namespace {

TEST(ReplayDump, HasEveryMemberInOrder) {
    const auto r = replay("dump\n");
    ASSERT_EQ(r.status, 0);
    const auto d = r.dumps();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].keys(),
              (std::vector<std::string>{"tick", "timer", "caption", "score", "demoMode",
                                        "stickyPaddle", "messages", "paddle", "balls", "bricks",
                                        "capsules", "lfire", "rfire", "windows"}));
    EXPECT_EQ(d[0]["paddle"].keys(), (std::vector<std::string>{"visible", "left", "top", "width",
                                                               "height", "fill", "border"}));
    EXPECT_EQ(d[0]["balls"][0].keys(),
              (std::vector<std::string>{"visible", "left", "top", "width", "height", "fill",
                                        "border", "pos", "vel", "held", "fade"}));
    EXPECT_EQ(d[0]["capsules"][0].keys().back(), "speed");
    EXPECT_EQ(d[0]["bricks"].keys(), (std::vector<std::string>{"visible", "fill", "border"}));
    EXPECT_EQ(d[0]["bricks"]["visible"].text.size(), 260u);
    EXPECT_EQ(d[0]["bricks"]["fill"].items.size(), 260u);
    // No spaces between members; one line per dump.
    EXPECT_EQ(r.out.find("\": "), std::string::npos);
    EXPECT_EQ(r.out.find(", "), std::string::npos);
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
}

TEST(ReplayDump, ShowsTheStateAfterStartUp) {
    const auto d = replay("random 0 0.9\ndump\n").dumps().at(0);
    EXPECT_EQ(d["tick"].text, "0");
    EXPECT_TRUE(d["timer"].boolean);
    EXPECT_EQ(d["caption"].text, "Brontix");
    EXPECT_EQ(d["messages"].items.size(), 0u);
    EXPECT_EQ(d["bricks"]["visible"].text, std::string(130, '0') + std::string(130, '1'));
    EXPECT_EQ(d["balls"][0]["vel"][0].text, "1");
    EXPECT_TRUE(d["balls"][0]["held"].boolean);
    EXPECT_TRUE(d["balls"][0]["fade"].isNull());  // no element until the first tick
    EXPECT_TRUE(d["capsules"][0]["speed"].isNull());
    EXPECT_EQ(d["paddle"]["fill"].text, "12632256");
    EXPECT_TRUE(d["windows"]["form2"].isNull());
    EXPECT_TRUE(d["windows"]["form1"]["visible"].boolean);
    EXPECT_EQ(d["windows"]["form1"]["width"].text, "648");
    EXPECT_EQ(d["windows"]["form1"]["height"].text, "578");
}

TEST(ReplayDump, PrintsShortestFloatsAndNonFiniteAsStrings) {
    const auto d =
        replay("menu new\nmove 0.1 0\nmove 3e38 0\ndump\nmove -3.4028235e38 0\ndump\n").dumps();
    // 3e38 - 36.5 is 3e38 in single precision.
    EXPECT_EQ(d[0]["paddle"]["left"].text, "3e+38");
    EXPECT_EQ(d[1]["paddle"]["left"].text, "-3.4028235e+38");
    // The held ball follows by the difference, which overflows.
    EXPECT_EQ(d[1]["balls"][0]["pos"][0].text, "-inf");
    EXPECT_EQ(d[1]["balls"][0]["pos"][0].kind, Json::Kind::String);
}

TEST(ReplayScript, SameScriptPrintsTheSameBytes) {
    const std::string script =
        "clock 123456789\nmenu new\nmove 200 0\ntick 20\nclick\ntick 500\ndump\nmenu demo\n"
        "tick 3000\ndump\nkey 112\ndump\n";
    const auto a = replay(script);
    const auto b = replay(script);
    ASSERT_EQ(a.status, 0);
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(a.dumps().size(), 3u);
}

TEST(ReplayScript, ClockSeedsEveryNewGame) {
    const auto d =
        replay("clock 99\nmenu new\ndump\nmenu new\ndump\nclock 100\nmenu new\ndump\n").dumps();
    std::string fills[3];
    for (std::size_t i = 0; i < 3; ++i)
        for (const auto& v : d[i]["bricks"]["fill"].items) fills[i] += v.text + ",";
    EXPECT_EQ(fills[0], fills[1]);
    EXPECT_NE(fills[1], fills[2]);
}

TEST(ReplayScript, QueuedValuesComeBeforeTheGeneratorAndSurviveSeeding) {
    // Start-up takes 0.5 and 0 (p = 1, q = 1); New Game reseeds but still
    // takes the queued 0.99, 0 and 0 for its colours.
    const auto d = replay("random 0.5 0 0.99 0 0\nmenu new\ndump\n").dumps().at(0);
    EXPECT_EQ(d["bricks"]["fill"][0].text, std::to_string(255));
}

TEST(ReplayScript, TicksWhileDisabledAreNotCounted) {
    // Start-up with row 0 hidden, so nothing is knocked out meanwhile.
    const auto d =
        replay("random 0 0\ntick 5\nkey 112\ntick 100000000\ndump\nkey 112\ntick 2\ndump\n")
            .dumps();
    EXPECT_EQ(d[0]["tick"].text, "5");
    EXPECT_FALSE(d[0]["timer"].boolean);
    EXPECT_EQ(d[0]["caption"].text, "Brontix [Paused]");
    EXPECT_EQ(d[1]["tick"].text, "7");
    EXPECT_EQ(d[1]["caption"].text, "Brontix | 0");
}

TEST(ReplayScript, BlankCommentAndCarriageReturnLinesAreFine) {
    const auto r = replay("\n   \n# a comment\n\t# another\r\n  dump  \r\n\tdump\t\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.dumps().size(), 2u);
    EXPECT_EQ(r.err, "");
}

TEST(ReplayScript, AcceptsEveryDecimalForm) {
    const auto r = replay(
        "random 0 .25 0.5 5e-1 0.125E+0 1e-50 -0 0.999999\n"
        "move 5 5.\nmove -5.25 1e-3\nmove 1e-46 -1E-50\nmove 3.4028235e38 0\n"
        "key 0\nkey 65535\nclock 18446744073709551615\nclock 007\ntick 00001\n");
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(ReplayErrors, EachGivesItsLineAndStatusTwoKeepingEarlierDumps) {
    struct Case {
        const char* line;
        const char* why;
    };
    const Case cases[] = {
        {"jump", "unknown command"},
        {"DUMP", "unknown command"},
        {"dump now", "extra argument"},
        {"tick 0", "out of range"},
        {"tick 100000001", "out of range"},
        {"tick -1", "not a whole number"},
        {"tick 1 2", "extra argument"},
        {"tick +5", "not a whole number"},
        {"clock", "missing argument"},
        {"clock 18446744073709551616", "out of range"},
        {"clock 1.5", "not a whole number"},
        {"random", "missing argument"},
        {"random 1", "not in [0, 1)"},
        {"random 0.99999999", "not in [0, 1)"},
        {"random -0.5", "not in [0, 1)"},
        {"random -1e-50", "not in [0, 1)"},
        {"random 0.5 nan", "not a number"},
        {"random inf", "not a number"},
        {"random 0x0.1", "not a number"},
        {"random +0.5", "not a number"},
        {"random .", "not a number"},
        {"random 1e", "not a number"},
        {"move 1", "missing argument"},
        {"move 1 2 3", "extra argument"},
        {"move 1e39 0", "out of range"},
        {"move 0 -3.5e38", "out of range"},
        {"move 1,5 0", "not a number"},
        {"key 65536", "out of range"},
        {"key p", "not a whole number"},
        {"menu", "missing argument"},
        {"menu quit", "unknown menu command"},
        {"menu New", "unknown menu command"},
        {"click 1", "extra argument"},
        {"format 1", "allowed only as the first command"},
        {"format 2", "format 2 is not known"},
        {"format one", "not a whole number"},
        {"check", "missing argument"},
        {"check 0123456789abcde", "not a hash"},
        {"check 0123456789ABCDEF", "not a hash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto r = replay(std::string("dump\n# two\n\n") + c.line + "\ndump\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.dumps().size(), 1u);  // the first dump only
        EXPECT_EQ(r.err.rfind("brontix-replay: line 4: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.why), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
    }
}

TEST(ReplayErrors, BinaryBytesAndHugeLinesAreErrorsNotCrashes) {
    const std::string binary("\x01\xff\x7f dump\n", 8);
    auto r = replay(binary);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(replay(std::string("dump\0\n", 6)).status, 2);
    EXPECT_EQ(r.err.find('\xff'), std::string::npos);  // only printable bytes are echoed
    r = replay(std::string(1 << 20, '9') + "\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_LT(r.err.size(), 200u);
    r = replay("tick " + std::string(100000, '9') + "\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("out of range"), std::string::npos);
}

}  // namespace
}  // namespace brontix::testing
