// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The viewer's window says what a replay of the recording proves.
#include <gtest/gtest.h>

#include <QLabel>

#include "platform/qt/viewer_window.h"
#include "viewer/viewer.h"

namespace brontix::testing {
namespace {

QString verdictOf(const std::string& script) {
    auto opened = viewer::Viewer::open(script);
    platform::qt::ViewerWindow window(std::move(std::get<std::unique_ptr<viewer::Viewer>>(opened)));
    return window.findChild<QLabel*>("verdict")->text();
}

TEST(ViewerWindow, SaysWhetherTheRecordingIsVerified) {
    EXPECT_EQ(verdictOf("clock 3\ntick 10\n"), "Not verified: this recording has no checks.");
    EXPECT_TRUE(
        verdictOf("clock 3\ntick 10\ncheck 0000000000000000\n")
            .startsWith("Out of sync at 0:00 (line 3: out of sync (recorded 0000000000000000"));
}

}  // namespace
}  // namespace brontix::testing
