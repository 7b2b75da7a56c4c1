// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/viewer_window.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace brontix::platform::qt {

namespace {

using viewer::MarkKind;

QColor markColour(MarkKind kind) {
    switch (kind) {
    case MarkKind::NewGame: return QColor(0x20, 0x60, 0xd0);
    case MarkKind::BallLost: return QColor(0xd0, 0x80, 0x00);
    case MarkKind::Capsule: return QColor(0xb0, 0x00, 0xb0);
    case MarkKind::Pause: return QColor(0x60, 0x60, 0x60);
    case MarkKind::Lost: return QColor(0xd0, 0x00, 0x00);
    case MarkKind::Won: return QColor(0x00, 0x90, 0x00);
    }
    return Qt::black;
}

constexpr std::int64_t kSecond = viewer::kPointsPerSecond;

// Controls are reached by the mouse and by the window's keys; none takes
// the focus, so Space and the arrows always reach the window.
template <class Widget>
Widget* unfocused(Widget* w) {
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

}  // namespace

Timeline::Timeline(const viewer::Viewer& viewer, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), viewer_(viewer) {
    setRange(0, static_cast<int>(viewer.last()));
    setMinimumHeight(28);
}

int Timeline::xOf(std::uint64_t point) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const int handle = style()->pixelMetric(QStyle::PM_SliderLength, &option, this);
    return groove.left() + handle / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), static_cast<int>(point),
                                           groove.width() - handle);
}

std::vector<const viewer::Mark*> Timeline::marksAt(int x) const {
    constexpr int kReach = 4;  // pixels either side of a mark's stroke
    std::vector<const viewer::Mark*> near;
    for (const auto* marks : {&viewer_.marks(), &viewer_.ghostMarks()})
        for (const viewer::Mark& m : *marks)
            if (std::abs(xOf(m.point) - x) <= kReach) near.push_back(&m);
    return near;
}

void Timeline::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    QPainter p(this);
    for (const viewer::Mark& m : viewer_.marks())
        p.fillRect(xOf(m.point) - 1, groove.bottom() - 3, 3, 7, markColour(m.kind));
    for (const viewer::Mark& m : viewer_.ghostMarks())
        p.fillRect(xOf(m.point) - 1, groove.top() - 4, 3, 5, markColour(m.kind));
}

void Timeline::mousePressEvent(QMouseEvent* event) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect grip =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // The handle is dragged as a slider's is.
    if (event->button() != Qt::LeftButton || grip.contains(event->position().toPoint())) {
        QSlider::mousePressEvent(event);
        return;
    }
    const int x = event->position().toPoint().x();
    const auto near = marksAt(x);
    if (near.size() == 1) {
        emit chosen(near.front()->point);
    } else if (near.size() > 1) {
        // Marks drawn on one another: a list of them to choose from.
        auto* list = new QMenu(this);
        list->setAttribute(Qt::WA_DeleteOnClose);
        for (const viewer::Mark* m : near) {
            const std::uint64_t point = m->point;
            list->addAction(QString::fromStdString(viewer::markTitle(*m)), this,
                            [this, point] { emit chosen(point); });
        }
        list->popup(event->globalPosition().toPoint());
    } else {
        const QRect groove =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const int handle = style()->pixelMetric(QStyle::PM_SliderLength, &option, this);
        emit chosen(static_cast<std::uint64_t>(QStyle::sliderValueFromPosition(
            minimum(), maximum(), x - groove.left() - handle / 2, groove.width() - handle)));
    }
    event->accept();
}

bool Timeline::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QSlider::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QStringList titles;
    for (const viewer::Mark* m : marksAt(help->pos().x()))
        titles << QString::fromStdString(viewer::markTitle(*m));
    if (titles.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), titles.join('\n'), this);
    return true;
}

ViewerWindow::ViewerWindow(WatchedRecording recording, QWidget* parent)
    : QWidget(parent),
      viewer_(std::move(recording.viewer)),
      cut_(recording.cut),
      secondCut_(recording.secondCut),
      name_(std::move(recording.name)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(makePicture(), 0, Qt::AlignHCenter);
    layout->addWidget(makeTimeline());
    layout->addLayout(makeControls());
    layout->addWidget(makeSurvey());
    // The capsules' effects in force at the point.
    inForce_ = new QLabel;
    inForce_->setObjectName("in-force");
    inForce_->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(inForce_);
    // Comparing: both scores, the ghost's caption and which game has ended.
    compared_ = new QLabel;
    compared_->setObjectName("compared");
    compared_->setWordWrap(true);
    compared_->setContentsMargins(6, 0, 6, 0);
    compared_->setVisible(viewer_->ghost() != nullptr);
    layout->addWidget(compared_);
    // What a replay of the whole recording proves of it, under the controls.
    verdict_ = new QLabel;
    verdict_->setObjectName("verdict");
    verdict_->setWordWrap(true);
    verdict_->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(verdict_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setFocusPolicy(Qt::StrongFocus);
    apply(viewer_->whole());
    if (viewer_->surveyed())
        surveyed();
    else
        QTimer::singleShot(0, this, [this] { surveyOn(); });
}

QWidget* ViewerWindow::makeSurvey() {
    survey_ = new QWidget(this);
    auto* row = new QHBoxLayout(survey_);
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(new QLabel("Reading the recording through", survey_));
    progress_ = new QProgressBar(survey_);
    progress_->setRange(0, 1000);
    row->addWidget(progress_);
    auto* stop = unfocused(new QPushButton("Cancel", survey_));
    stop->setToolTip("Watch what has been read so far");
    QObject::connect(stop, &QPushButton::clicked, this, [this] {
        viewer_->stopSurvey();
        surveyed();
    });
    row->addWidget(stop);
    return survey_;
}

void ViewerWindow::surveyOn() {
    if (viewer_->surveyed()) return;
    // Slices for about a frame's time, then the window's events.
    constexpr qint64 kSliceMs = 12;
    QElapsedTimer clock;
    clock.start();
    bool done = false;
    while (!done && clock.elapsed() < kSliceMs) done = viewer_->survey();
    timeline_->setRange(0, static_cast<int>(viewer_->last()));
    timeline_->update();
    progress_->setValue(static_cast<int>(viewer_->surveyedShare() * 1000));
    if (done)
        surveyed();
    else
        QTimer::singleShot(0, this, [this] { surveyOn(); });
}

void ViewerWindow::surveyed() {
    survey_->hide();
    timeline_->setRange(0, static_cast<int>(viewer_->last()));
    timeline_->update();
    // As wide as its widest text, the last point's: a label that grew with
    // the counter would lay the window out anew (and widen it) as it plays.
    time_->setFixedWidth(time_->fontMetrics().horizontalAdvance(timeAt(viewer_->last())) + 4);
    time_->setText(timeAt(viewer_->point()));
    std::string said = cut_ ? viewer::cutShort() + " " : std::string();
    if (secondCut_) said += "The second recording: " + viewer::cutShort() + " ";
    if (!viewer_->stoppedShort().empty()) said += viewer_->stoppedShort() + " ";
    verdict_->setText(QString::fromStdString(said + viewer_->verdictSaid()));
    // What the survey found shows now: comparing, the ghost joins.
    apply(viewer_->advance(WakeTimer::now()));
}

QWidget* ViewerWindow::makePicture() {
    playfield_ = unfocused(new Playfield);
    playfield_->setFrame(viewer_->frame());
    QObject::connect(playfield_, &Playfield::scaleChanged, this,
                     [this] { apply(viewer_->setScale(playfield_->scale())); });
    // A native window of its own, so that it stays in front of a playfield
    // that paints on screen.
    box_ = new QLabel(this);
    box_->setAttribute(Qt::WA_NativeWindow);
    box_->setAlignment(Qt::AlignCenter);
    box_->setStyleSheet(
        "QLabel { background: #f0f0f0; color: black; border: 1px solid #404040; padding: 12px; "
        "font-size: 16px; }");
    box_->hide();
    return playfield_;
}

QWidget* ViewerWindow::makeTimeline() {
    timeline_ = unfocused(new Timeline(*viewer_, this));
    QObject::connect(timeline_, &QSlider::sliderMoved, this,
                     [this](int value) { seek(static_cast<std::uint64_t>(value)); });
    QObject::connect(timeline_, &Timeline::chosen, this,
                     [this](std::uint64_t point) { seek(point); });
    QObject::connect(timeline_, &QSlider::actionTriggered, this, [this](int) {
        // A click beside the handle pages; where the slider lands is the point.
        seek(static_cast<std::uint64_t>(timeline_->sliderPosition()));
    });
    return timeline_;
}

QLayout* ViewerWindow::makeControls() {
    auto button = [this](const QString& text, const QString& tip, auto action) {
        auto* b = unfocused(new QPushButton(text, this));
        b->setMaximumWidth(56);
        b->setToolTip(tip);
        QObject::connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    play_ = button("Play", "Play or pause (Space)", [this] { togglePlay(); });
    speed_ = unfocused(new QComboBox(this));
    for (int i = 0; i < static_cast<int>(std::size(viewer::kSpeeds)); ++i)
        speed_->addItem(QString::fromStdString(viewer::speedName(i)));
    speed_->setCurrentIndex(viewer::kNormalSpeed);
    speed_->setToolTip("Speed");
    QObject::connect(speed_, &QComboBox::currentIndexChanged, this,
                     [this](int i) { apply(viewer_->setSpeed(i, WakeTimer::now())); });
    time_ = new QLabel(this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(button("|<", "Start (Home)", [this] { seek(0); }));
    controls->addWidget(button("-1 s", "A second back (Shift+Left)", [this] { step(-kSecond); }));
    controls->addWidget(button("-1", "A tick back (Left)", [this] { step(-1); }));
    controls->addWidget(play_);
    controls->addWidget(button("+1", "A tick on (Right)", [this] { step(1); }));
    controls->addWidget(button("+1 s", "A second on (Shift+Right)", [this] { step(kSecond); }));
    controls->addWidget(button(">|", "End (End)", [this] { seek(viewer_->last()); }));
    controls->addWidget(speed_);
    controls->addStretch();
    controls->addWidget(time_);
    controls->setContentsMargins(6, 0, 6, 0);
    return controls;
}

void ViewerWindow::apply(const viewer::Answer& a) {
    if (!a.drawn.empty()) playfield_->show(*a.frame, a.drawn);
    // The game's caption, and which recording it is.
    if (a.caption)
        setWindowTitle(QString::fromStdString(*a.caption) +
                       (name_.isEmpty() ? QString() : QString::fromUtf8(" \u2014 ") + name_));
    if (a.box && a.box->empty()) {
        box_->hide();
    } else if (a.box) {
        box_->setText(QString::fromStdString(*a.box));
        box_->adjustSize();
        const QRect field = playfield_->geometry();
        box_->move(field.center() - QPoint(box_->width() / 2, box_->height() / 2));
        box_->show();
        box_->raise();
    }
    if (a.compared) compared_->setText(QString::fromStdString(*a.compared));
    if (a.inForce) inForce_->setText(QString::fromStdString(*a.inForce));
    play_->setText(a.playing ? "Pause" : "Play");
    // Laying out the time's text costs more than drawing the picture: while
    // it plays, the time and the timeline follow a few times a second.
    const std::int64_t now = WakeTimer::now();
    if (!a.playing || now - timeShownAt_ >= kTimeEvery) {
        timeShownAt_ = now;
        const QSignalBlocker quiet(timeline_);
        timeline_->setValue(static_cast<int>(a.point));
        time_->setText(timeAt(a.point));
    }
    if (a.wake)
        timer_.arm(*a.wake);
    else
        timer_.disarm();
}

QString ViewerWindow::timeAt(std::uint64_t point) const {
    const std::uint64_t last = viewer_->last();
    return QString("%1 / %2   tick %3 of %4")
        .arg(QString::fromStdString(viewer::minutesSeconds(point)),
             QString::fromStdString(viewer::minutesSeconds(last)))
        .arg(point)
        .arg(last);
}

void ViewerWindow::togglePlay() {
    apply(viewer_->playing() ? viewer_->pause() : viewer_->play(WakeTimer::now()));
}

void ViewerWindow::step(std::int64_t points) { apply(viewer_->step(points)); }

void ViewerWindow::seek(std::uint64_t point) { apply(viewer_->seek(point)); }

void ViewerWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        apply(viewer_->pause());
}

void ViewerWindow::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Space: togglePlay(); break;
    case Qt::Key_Left: step(shift ? -kSecond : -1); break;
    case Qt::Key_Right: step(shift ? kSecond : 1); break;
    case Qt::Key_Home: seek(0); break;
    case Qt::Key_End: seek(viewer_->last()); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

std::variant<WatchedRecording, std::string> openRecordingFile(const char* path) {
    auto cannot = [path](const char* why) {
        return "cannot read '" + std::string(path) + "': " + why;
    };
    // Opened without waiting, so a pipe with no writer is found out, not
    // waited on.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return cannot(std::strerror(errno));
    struct stat st {};
    const int statError = ::fstat(fd, &st) == 0 ? 0 : errno;
    const bool regular = S_ISREG(st.st_mode);
    auto read = statError != 0 || !regular ? std::variant<viewer::ScriptText, int>{}
                                           : viewer::readScript([fd](char* into, std::size_t n) {
                                                 return static_cast<long>(::read(fd, into, n));
                                             });
    ::close(fd);
    if (statError != 0) return cannot(std::strerror(statError));
    if (S_ISDIR(st.st_mode)) return cannot(std::strerror(EISDIR));
    if (!regular) return cannot("not a regular file");
    if (const int* error = std::get_if<int>(&read)) return cannot(std::strerror(*error));
    auto& script = std::get<viewer::ScriptText>(read);
    if (script.text.empty()) return std::string(path) + ": the recording is empty";
    auto opened = viewer::Viewer::open(script.text);
    if (auto* error = std::get_if<std::string>(&opened)) return std::string(path) + ": " + *error;
    return WatchedRecording{std::move(std::get<std::unique_ptr<viewer::Viewer>>(opened)),
                            script.cut, QFileInfo(QString::fromLocal8Bit(path)).fileName()};
}

std::variant<WatchedRecording, std::string> openComparison(const char* first, const char* second) {
    auto one = openRecordingFile(first);
    if (std::holds_alternative<std::string>(one)) return one;
    auto two = openRecordingFile(second);
    if (std::holds_alternative<std::string>(two)) return two;
    auto& watched = std::get<WatchedRecording>(one);
    auto& ghost = std::get<WatchedRecording>(two);
    if (auto refused = watched.viewer->compareWith(std::move(ghost.viewer))) return *refused;
    watched.secondCut = ghost.cut;
    watched.name += " and " + ghost.name;
    return one;
}

}  // namespace brontix::platform::qt
