// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The viewer's window says what a replay of the recording proves.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
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

// The marks a list offers, in order.
QStringList titlesOf(const QMenu* list) {
    QStringList titles;
    for (const QAction* a : list->actions()) titles << a->text();
    return titles;
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
    EXPECT_EQ(titlesOf(list),
              (QStringList{"ball lost at 0:02 (tick 139)", "You lose! at 0:02 (tick 140)"}));
    list->actions().at(0)->trigger();
    EXPECT_EQ(timeline->value(), 139);
}

// Two recordings of one wall in one window: the ghost's words under the
// picture follow the point, and its marks are the timeline's too.
TEST(ViewerWindow, ComparesTwoGamesOfOneWall) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const char* script) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script);
        return dir.filePath(name).toStdString();
    };
    const std::string first = write("first.brontix", "clock 9\nmenu new\nclick\ntick 200\n");
    const std::string second =
        write("second.brontix", "clock 9\nmenu new\nmenu demo\nclick\ntick 100\n");
    const std::string other = write("other.brontix", "clock 8\nmenu new\ntick 5\n");
    EXPECT_EQ(std::get<std::string>(platform::qt::openComparison(first.c_str(), other.c_str())),
              "these recordings are not on the same wall: the first is on wall 9, the second on "
              "wall 8");
    auto opened = platform::qt::openComparison(first.c_str(), second.c_str());
    auto& watched = std::get<platform::qt::WatchedRecording>(opened);
    EXPECT_EQ(watched.name, "first.brontix and second.brontix");
    platform::qt::ViewerWindow window(std::move(watched));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.viewer().surveyed());
    auto* compared = window.findChild<QLabel*>("compared");
    EXPECT_EQ(compared->text(), "This game: score 0. The ghost: Brontix, score 0.");
    // What the capsules left in force, in words.
    EXPECT_EQ(window.findChild<QLabel*>("in-force")->text(),
              "Sticky paddle: off. Cannons: off. Paddle: 73 pixels wide. Balls: 14 pixels.");
    QTest::keyClick(&window, Qt::Key_End);
    EXPECT_EQ(window.viewer().point(), 200u);
    EXPECT_EQ(compared->text().toStdString(), window.viewer().comparedSaid());
    EXPECT_TRUE(compared->text().endsWith(", ended at 0:01.")) << compared->text().toStdString();
    auto* timeline = window.findChild<platform::qt::Timeline*>();
    QTest::mouseClick(timeline, Qt::LeftButton, {},
                      QPoint(timeline->xOf(0), timeline->height() / 2));
    QMenu* list = window.findChild<QMenu*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(titlesOf(list),
              (QStringList{"New Game at 0:00 (tick 0)", "ghost: New Game at 0:00 (tick 0)"}));
}

}  // namespace
}  // namespace brontix::testing
