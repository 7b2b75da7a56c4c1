// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A recording watched on the desktop: the playfield at its size with the
// game's caption as the window's, the text of a box the game opened over
// the picture, a timeline with the marked moments, and the controls. Keys:
// Space plays and pauses, Left and Right step a tick, with Shift a second,
// Home and End go to the start and the end. It drives a viewer, never a
// game, and records nothing.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/qt/playfield.h"
#include "platform/qt/wake_timer.h"
#include "viewer/viewer.h"

namespace brontix::platform::qt {

// A recording read from a file, to watch.
struct WatchedRecording {
    std::unique_ptr<viewer::Viewer> viewer;
    bool cut = false;        // it went on past what the viewer takes
    QString name;            // the file's, for the window's title
    bool secondCut = false;  // comparing: the second went on past it
};
// The recording at `path`, or why it cannot be watched ("cannot read
// 'PATH': REASON", "PATH: line N: REASON"). Only a regular file is read: a
// pipe or a device could hold the viewer for ever, or without end.
std::variant<WatchedRecording, std::string> openRecordingFile(const char* path);
// Two recordings of one wall, the second watched as a ghost over the
// first; or why they cannot be.
std::variant<WatchedRecording, std::string> openComparison(const char* first, const char* second);

// The timeline: a slider over the points, with the marks drawn on it
// (comparing, the second game's above the groove). A
// click goes where it points, to a mark when it is on one, and to one of a
// list where marks are drawn on one another; marks under the pointer say
// what they are.
class Timeline : public QSlider {
    Q_OBJECT

public:
    explicit Timeline(const viewer::Viewer& viewer, QWidget* parent = nullptr);
    // Where point `point` is drawn, in the widget's pixels.
    int xOf(std::uint64_t point) const;

signals:
    void chosen(std::uint64_t point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The marks drawn within reach of x: one is a click's, more are a
    // list to choose from.
    std::vector<const viewer::Mark*> marksAt(int x) const;
    const viewer::Viewer& viewer_;
};

class ViewerWindow : public QWidget {
    Q_OBJECT

public:
    explicit ViewerWindow(WatchedRecording recording, QWidget* parent = nullptr);

    viewer::Viewer& viewer() { return *viewer_; }
    Playfield* playfield() { return playfield_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Minimised, it pauses: nobody is watching.
    void changeEvent(QEvent* event) override;

private:
    // After every command and wake-up: what the viewer answered, shown (the
    // rectangles drawn, the caption and box when they changed, the
    // timeline and time), and the timer set for the next wake-up.
    void apply(const viewer::Answer& answer);
    // The window's parts, top to bottom: the picture with the box over it,
    // the timeline, and the row of controls with the time.
    QWidget* makePicture();
    QWidget* makeTimeline();
    QLayout* makeControls();
    // The time and tick of a point, in words.
    QString timeAt(std::uint64_t point) const;
    // The survey, a slice at a time between the window's events, with its
    // progress and a way to stop it; what it found, once it ends.
    QWidget* makeSurvey();
    void surveyOn();
    void surveyed();
    void togglePlay();
    void step(std::int64_t points);
    void seek(std::uint64_t point);

    // How often the time is shown anew while playing, nanoseconds.
    static constexpr std::int64_t kTimeEvery = 125'000'000;

    std::unique_ptr<viewer::Viewer> viewer_;
    std::int64_t timeShownAt_ = 0;
    Playfield* playfield_;
    QLabel* box_;
    Timeline* timeline_;
    QPushButton* play_;
    QComboBox* speed_;
    QLabel* time_;
    QWidget* survey_;
    QProgressBar* progress_;
    QLabel* verdict_;
    QLabel* compared_;
    QLabel* inForce_;
    bool cut_, secondCut_;
    QString name_;
    WakeTimer timer_{[this] { apply(viewer_->advance(WakeTimer::now())); }};
};

}  // namespace brontix::platform::qt
