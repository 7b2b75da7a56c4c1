// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <stdexcept>

#include "scene/random.h"
#include "scene/scene.h"

namespace brontix::scene {
namespace {

TEST(ObjectArray, LoadCopiesElementZeroHiddenInFront) {
    Stacking stacking;
    Shape first;
    first.Move(1, 2, 3, 4);
    first.BackColor = 0x123456;
    first.Visible = true;
    first.Z = stacking.back();
    Shape second = first;
    second.BackColor = 0x654321;
    ObjectArray<Shape> a(stacking, {first, second});

    EXPECT_EQ(a.UBound(), 1);
    const int i = a.Load();
    EXPECT_EQ(i, 2);
    EXPECT_EQ(a.UBound(), 2);
    EXPECT_FALSE(a[2].Visible);
    EXPECT_EQ(a[2].BackColor, 0x123456);  // element 0, not the last one
    EXPECT_EQ(a[2].Width, 3);
    EXPECT_GT(a[2].Z, a[0].Z);
    EXPECT_GT(a[2].Z, a[1].Z);
}

TEST(ObjectArray, StopsAtTheSixteenBitLimit) {
    Stacking stacking;
    ObjectArray<Line> a(stacking, {Line{}});
    while (!a.full()) a.Load();
    EXPECT_EQ(a.UBound(), 32767);
    EXPECT_THROW(a.Load(), std::length_error);
    EXPECT_EQ(a.UBound(), 32767);
}

TEST(Stacking, FrontAndBackPassEverythingHandedOut) {
    Stacking s;
    const StackKey a = s.back();
    const StackKey b = s.front();
    const StackKey c = s.back();
    const StackKey d = s.front();
    EXPECT_LT(c, a);
    EXPECT_LT(a, b);
    EXPECT_LT(b, d);
}

// The reference values of SplitMix64 for seed 0 (its first outputs are
// 0xE220A8397B1DCDAF and 0x6E789E6AA1B965F4); a draw keeps the top 24 bits.
TEST(SplitMix64, DrawsTheTopTwentyFourBits) {
    SplitMix64 g;
    g.seed(0);
    EXPECT_EQ(g.next(), static_cast<float>(0xE220A8397B1DCDAFULL >> 40) / 16777216.0f);
    EXPECT_EQ(g.next(), static_cast<float>(0x6E789E6AA1B965F4ULL >> 40) / 16777216.0f);
}

TEST(SplitMix64, ReseedingRepeatsTheSequence) {
    SplitMix64 g;
    g.seed(1234);
    const float a = g.next();
    const float b = g.next();
    g.seed(1234);
    EXPECT_EQ(g.next(), a);
    EXPECT_EQ(g.next(), b);
    for (int i = 0; i < 10000; ++i) {
        const float v = g.next();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
    }
}

}  // namespace
}  // namespace brontix::scene
