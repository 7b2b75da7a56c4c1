// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The viewer's window says what a replay of the recording proves.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QTest>

#include "platform/qt/viewer_window.h"
#include "viewer/viewer.h"

namespace brontix::testing {
namespace {

std::unique_ptr<viewer::Viewer> opened(const std::string& script) {
    auto viewer =
        std::move(std::get<std::unique_ptr<viewer::Viewer>>(viewer::Viewer::open(script)));
    viewer->surveyAll();
    return viewer;
}

platform::qt::WatchedRecording recording(const std::string& script) {
    platform::qt::WatchedRecording r;
    r.viewer = opened(script);
    return r;
}

QString verdictOf(const std::string& script) {
    platform::qt::ViewerWindow window(recording(script));
    return window.findChild<QLabel*>("verdict")->text();
}

TEST(ViewerWindow, SaysWhetherTheRecordingIsVerified) {
    EXPECT_EQ(verdictOf("clock 3\ntick 10\n"), "Not verified: this recording has no checks.");
    EXPECT_TRUE(
        verdictOf("clock 3\ntick 10\ncheck 0000000000000000\n")
            .startsWith("Out of sync at 0:00 (line 3: out of sync (recorded 0000000000000000"));
}

// A click on the timeline goes where it points, and onto a mark when it
// is on one (a pause at tick 600 here), rather than a page's step.
TEST(ViewerWindow, AClickOnTheTimelineGoesThereOrToTheMark) {
    platform::qt::ViewerWindow window(recording(
        "clock 4242\nmenu new\nmenu demo\nclick\ntick 600\nkey 112\nkey 112\ntick 600\n"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* timeline = window.findChild<platform::qt::Timeline*>();
    const int y = timeline->height() / 2;
    QTest::mouseClick(timeline, Qt::LeftButton, {}, QPoint(timeline->xOf(600) + 3, y));
    EXPECT_EQ(timeline->value(), 600);
    QTest::mouseClick(timeline, Qt::LeftButton, {}, QPoint(timeline->xOf(300), y));
    const int perPixel = 1200 / (timeline->xOf(1200) - timeline->xOf(0)) + 1;
    EXPECT_LE(std::abs(timeline->value() - 300), perPixel) << timeline->value();
}

// Marks drawn on one another (a ball lost a tick before the lost game)
// open as a list, and each goes to its own point.
TEST(ViewerWindow, MarksOnOneAnotherOpenAsAList) {
    platform::qt::ViewerWindow window(
        recording("clock 7\nrandom 0.5\nmenu new\ntick 30\nkey 112\ntick 5\nkey 112\ntick "
                  "3\nclick\ntick 900\n"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* timeline = window.findChild<platform::qt::Timeline*>();
    QTest::mouseClick(
        timeline, Qt::LeftButton, {},
        QPoint((timeline->xOf(139) + timeline->xOf(140)) / 2, timeline->height() / 2));
    QMenu* list = window.findChild<QMenu*>();
    ASSERT_NE(list, nullptr);
    QStringList titles;
    for (QAction* a : list->actions()) titles << a->text();
    EXPECT_EQ(titles,
              (QStringList{"ball lost at 0:02 (tick 139)", "You lose! at 0:02 (tick 140)"}));
    list->actions().at(0)->trigger();
    EXPECT_EQ(timeline->value(), 139);
}

}  // namespace
}  // namespace brontix::testing
