// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/win32/viewer_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "platform/win32/screen.h"

namespace brontix::platform::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"BrontixViewer";
constexpr wchar_t kPictureClass[] = L"BrontixViewerPicture";
constexpr UINT_PTR kWakeTimer = 1;
constexpr UINT_PTR kSurveyTimer = 2;
enum Id : int {
    kStart = 1,
    kSecondBack,
    kTickBack,
    kPlay,
    kTickOn,
    kSecondOn,
    kEnd,
    kSpeed,
    kCancel
};
constexpr std::int64_t kSecond = viewer::kPointsPerSecond;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// A mark this near a click, in pixels, is what the click meant.
constexpr int kMarkReach = 4;

// The controls' row, left to right: label, command, width in layout units.
struct Button {
    const wchar_t* label;
    Id id;
    int width;
};
constexpr std::array kButtons{Button{L"|<", kStart, 32},    Button{L"-1 s", kSecondBack, 40},
                              Button{L"-1", kTickBack, 32}, Button{L"Play", kPlay, 52},
                              Button{L"+1", kTickOn, 32},   Button{L"+1 s", kSecondOn, 40},
                              Button{L">|", kEnd, 32}};

}  // namespace

std::variant<WatchedRecording, std::string> openRecording(const std::wstring& path) {
    const std::string shown = narrow(path);
    auto cannot = [&shown](const std::string& why) {
        return "cannot read '" + shown + "': " + why;
    };
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return cannot(systemMessage(GetLastError()));
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    DWORD error = 0;
    auto read = !disk ? std::variant<viewer::ScriptText, int>{}
                      : viewer::readScript([file, &error](char* into, std::size_t n) -> long {
                            DWORD got = 0;
                            if (ReadFile(file, into, static_cast<DWORD>(n), &got, nullptr))
                                return static_cast<long>(got);
                            error = GetLastError();
                            return -1;
                        });
    CloseHandle(file);
    if (!disk) return cannot("not a regular file");
    if (std::holds_alternative<int>(read)) return cannot(systemMessage(error));
    auto& script = std::get<viewer::ScriptText>(read);
    if (script.text.empty()) return shown + ": the recording is empty";
    auto opened = viewer::Viewer::open(script.text);
    if (auto* why = std::get_if<std::string>(&opened)) return shown + ": " + *why;
    const std::size_t slash = path.find_last_of(L"\\/");
    return WatchedRecording{std::move(std::get<std::unique_ptr<viewer::Viewer>>(opened)),
                            script.cut,
                            slash == std::wstring::npos ? path : path.substr(slash + 1)};
}

std::variant<WatchedRecording, std::string> openComparison(const std::wstring& first,
                                                           const std::wstring& second) {
    auto one = openRecording(first);
    if (std::holds_alternative<std::string>(one)) return one;
    auto two = openRecording(second);
    if (std::holds_alternative<std::string>(two)) return two;
    auto& watched = std::get<WatchedRecording>(one);
    auto& ghost = std::get<WatchedRecording>(two);
    if (auto refused = watched.viewer->compareWith(std::move(ghost.viewer))) return *refused;
    watched.secondCut = ghost.cut;
    watched.name += L" and " + ghost.name;
    return one;
}

ViewerWindow::ViewerWindow(HINSTANCE instance, WatchedRecording recording)
    : viewer_(std::move(recording.viewer)),
      cut_(recording.cut),
      secondCut_(recording.secondCut),
      name_(std::move(recording.name)) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW window{};
    window.cbSize = sizeof window;
    window.lpfnWndProc = route<ViewerWindow, &ViewerWindow::onWindow>;
    window.hInstance = instance;
    window.hIcon = LoadIconW(instance, L"brontix");
    window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window.lpszClassName = kWindowClass;
    RegisterClassExW(&window);
    WNDCLASSEXW picture = window;
    picture.lpfnWndProc = route<ViewerWindow, &ViewerWindow::onPicture>;
    picture.hbrBackground = nullptr;
    picture.lpszClassName = kPictureClass;
    RegisterClassExW(&picture);

    window_ = CreateWindowExW(0, kWindowClass, L"Brontix", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    const UINT dpi = GetDpiForWindow(window_);
    unit_ = static_cast<int>(dpi ? dpi : 96);
    viewer_->setScale(render::Scale::nearest(unit_ / 96.0));
    makeControls(instance);
    const std::array<ACCEL, 7> keys{{{FVIRTKEY, VK_SPACE, kPlay},
                                     {FVIRTKEY, VK_LEFT, kTickBack},
                                     {FVIRTKEY, VK_RIGHT, kTickOn},
                                     {FVIRTKEY | FSHIFT, VK_LEFT, kSecondBack},
                                     {FVIRTKEY | FSHIFT, VK_RIGHT, kSecondOn},
                                     {FVIRTKEY, VK_HOME, kStart},
                                     {FVIRTKEY, VK_END, kEnd}}};
    keys_ = CreateAcceleratorTableW(const_cast<ACCEL*>(keys.data()), static_cast<int>(keys.size()));
    apply(viewer_->whole());
    if (viewer_->surveyed())
        surveyed();
    else
        SetTimer(window_, kSurveyTimer, USER_TIMER_MINIMUM, nullptr);
}

ViewerWindow::~ViewerWindow() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        SetWindowLongPtrW(picture_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    DestroyAcceleratorTable(keys_);
    DeleteObject(font_);
}

void ViewerWindow::makeControls(HINSTANCE instance) {
    auto px = [this](int units) { return MulDiv(units, unit_, 96); };
    const render::PixelBuffer& frame = viewer_->frame();
    const int width = frame.width(), gap = px(6), row = px(26);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, unit_);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    auto make = [&](const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int w,
                    int h, int id = 0, HWND parent = nullptr) {
        HWND child = CreateWindowExW(
            0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return child;
    };
    picture_ = CreateWindowExW(0, kPictureClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               width, frame.height(), window_, nullptr, instance, this);
    // The game's box over the picture, where the game opened one.
    box_ = make(WC_STATICW, L"", SS_CENTER | SS_CENTERIMAGE | WS_BORDER, 0, 0, 0, 0, 0, picture_);
    ShowWindow(box_, SW_HIDE);
    int y = frame.height() + gap;
    timeline_ =
        make(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_BOTTOM | TBS_FIXEDLENGTH, 0, y, width, px(30));
    SendMessageW(timeline_, TBM_SETTHUMBLENGTH, px(14), 0);
    // A click goes where it points (see seekTo), not a page along.
    SendMessageW(timeline_, TBM_SETPAGESIZE, 0, 0);
    // The marks under the pointer say what they are.
    HWND tips = CreateWindowExW(
        0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(timeline_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, px(400));
    y += px(30) + gap;
    int x = gap;
    for (const Button& b : kButtons) {
        HWND button = make(WC_BUTTONW, b.label, BS_PUSHBUTTON, x, y, px(b.width), row, b.id);
        if (b.id == kPlay) play_ = button;
        x += px(b.width) + px(2);
    }
    speed_ =
        make(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL, x + gap, y, px(64), px(200), kSpeed);
    for (int i = 0; i < static_cast<int>(std::size(viewer::kSpeeds)); ++i)
        SendMessageW(speed_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wide(viewer::speedName(i)).c_str()));
    SendMessageW(speed_, CB_SETCURSEL, viewer::kNormalSpeed, 0);
    x += px(64) + 2 * gap;
    time_ = make(WC_STATICW, L"", SS_RIGHT, x, y + px(5), width - x - gap, row);
    y += row + gap;
    inForce_ = make(WC_STATICW, L"", 0, gap, y, width - 2 * gap, row);
    y += row + gap;
    if (viewer_->ghost()) {
        compared_ = make(WC_STATICW, L"", 0, gap, y, width - 2 * gap, row);
        y += row + gap;
    }
    // The survey's progress, and in its place once it ends, what it found.
    reading_ = make(WC_STATICW, L"Reading the recording through", 0, gap, y + px(4), px(180), row);
    progress_ = make(PROGRESS_CLASSW, L"", 0, gap + px(184), y, width - px(270) - gap, row);
    SendMessageW(progress_, PBM_SETRANGE32, 0, 1000);
    cancel_ = make(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON, width - px(80), y, px(74), row, kCancel);
    verdict_ = make(WC_STATICW, L"", 0, gap, y, width - 2 * gap, px(40));
    ShowWindow(verdict_, SW_HIDE);
    RECT outer{0, 0, width, y + px(40) + gap};
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, 0, unit_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ViewerWindow::apply(const viewer::Answer& a) {
    frame_ = a.frame;
    showDrawn(picture_, a.drawn);
    // The game's caption, and which recording it is.
    if (a.caption) SetWindowTextW(window_, (wide(*a.caption) + L" \u2014 " + name_).c_str());
    if (a.box) {
        ShowWindow(box_, a.box->empty() ? SW_HIDE : SW_SHOW);
        if (!a.box->empty()) {
            const std::wstring text = wide(*a.box);
            SetWindowTextW(box_, text.c_str());
            HDC dc = GetDC(box_);
            SelectObject(dc, font_);
            SIZE size;
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            ReleaseDC(box_, dc);
            const int w = size.cx + MulDiv(48, unit_, 96), h = size.cy + MulDiv(24, unit_, 96);
            SetWindowPos(box_, HWND_TOP, (frame_->width() - w) / 2, (frame_->height() - h) / 2, w,
                         h, SWP_NOACTIVATE);
        }
    }
    if (a.compared && compared_) SetWindowTextW(compared_, wide(*a.compared).c_str());
    if (a.inForce) SetWindowTextW(inForce_, wide(*a.inForce).c_str());
    SetWindowTextW(play_, a.playing ? L"Pause" : L"Play");
    SendMessageW(timeline_, TBM_SETPOS, TRUE, static_cast<LPARAM>(a.point));
    SetWindowTextW(time_, timeAt(a.point).c_str());
    armWake(window_, kWakeTimer, a.wake);
}

std::wstring ViewerWindow::timeAt(std::uint64_t point) const {
    const std::uint64_t last = viewer_->last();
    return wide(viewer::minutesSeconds(point) + " / " + viewer::minutesSeconds(last) + "   tick " +
                std::to_string(point) + " of " + std::to_string(last));
}

void ViewerWindow::surveyOn() {
    // Slices for about a frame's time, then the window's messages.
    const std::int64_t until = now() + 12'000'000;
    bool done = false;
    while (!done && now() < until) done = viewer_->survey();
    SendMessageW(timeline_, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(viewer_->last()));
    SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(viewer_->surveyedShare() * 1000), 0);
    if (done) surveyed();
}

void ViewerWindow::surveyed() {
    KillTimer(window_, kSurveyTimer);
    for (HWND survey : {reading_, progress_, cancel_}) ShowWindow(survey, SW_HIDE);
    SendMessageW(timeline_, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(viewer_->last()));
    SendMessageW(timeline_, TBM_CLEARTICS, FALSE, 0);
    for (const auto* marks : {&viewer_->marks(), &viewer_->ghostMarks()})
        for (const viewer::Mark& mark : *marks)
            SendMessageW(timeline_, TBM_SETTIC, 0, static_cast<LPARAM>(mark.point));
    SetWindowTextW(time_, timeAt(viewer_->point()).c_str());
    std::string said = cut_ ? viewer::cutShort() + " " : std::string();
    if (secondCut_) said += "The second recording: " + viewer::cutShort() + " ";
    if (!viewer_->stoppedShort().empty()) said += viewer_->stoppedShort() + " ";
    SetWindowTextW(verdict_, wide(said + viewer_->verdictSaid()).c_str());
    ShowWindow(verdict_, SW_SHOW);
    // What the survey found shows now: comparing, the ghost joins.
    apply(viewer_->advance(now()));
}

int ViewerWindow::xOf(std::uint64_t point) const {
    RECT channel;
    SendMessageW(timeline_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const double share = static_cast<double>(point) / std::max<double>(1, viewer_->last());
    return channel.left + static_cast<int>(share * (channel.right - channel.left));
}

std::vector<const viewer::Mark*> ViewerWindow::marksAt(int x) const {
    std::vector<const viewer::Mark*> within;
    for (const auto* marks : {&viewer_->marks(), &viewer_->ghostMarks()})
        for (const viewer::Mark& mark : *marks)
            if (std::abs(xOf(mark.point) - x) <= kMarkReach) within.push_back(&mark);
    return within;
}

// A click on the timeline goes where it points, to a mark when it is on
// one, and to one of a list where marks are drawn on one another.
void ViewerWindow::seekTo(int x) {
    const std::vector<const viewer::Mark*> within = marksAt(x);
    std::uint64_t point = 0;
    if (within.size() == 1) {
        point = within.front()->point;
    } else if (!within.empty()) {
        HMENU list = CreatePopupMenu();
        for (std::size_t i = 0; i < within.size(); ++i)
            AppendMenuW(list, MF_STRING, i + 1, wide(viewer::markTitle(*within[i])).c_str());
        POINT at;
        GetCursorPos(&at);
        const auto chosen = static_cast<std::size_t>(
            TrackPopupMenu(list, TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
        DestroyMenu(list);
        if (chosen == 0) return;
        point = within[chosen - 1]->point;
    } else {
        const int left = xOf(0), span = std::max(1, xOf(viewer_->last()) - left);
        const double share = std::clamp(static_cast<double>(x - left) / span, 0.0, 1.0);
        point = static_cast<std::uint64_t>(share * static_cast<double>(viewer_->last()) + 0.5);
    }
    apply(viewer_->seek(point));
}

void ViewerWindow::command(int id) {
    switch (id) {
    case kStart: apply(viewer_->seek(0)); break;
    case kSecondBack: apply(viewer_->step(-kSecond)); break;
    case kTickBack: apply(viewer_->step(-1)); break;
    case kPlay: apply(viewer_->playing() ? viewer_->pause() : viewer_->play(now())); break;
    case kTickOn: apply(viewer_->step(1)); break;
    case kSecondOn: apply(viewer_->step(kSecond)); break;
    case kEnd: apply(viewer_->seek(viewer_->last())); break;
    case kCancel:
        viewer_->stopSurvey();
        surveyed();
        break;
    }
    // The keys stay the viewer's, whatever was clicked.
    SetFocus(window_);
}

LRESULT ViewerWindow::onWindow(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wparam) == kSpeed) {
            if (HIWORD(wparam) == CBN_SELCHANGE) {
                const auto speed = static_cast<int>(SendMessageW(speed_, CB_GETCURSEL, 0, 0));
                apply(viewer_->setSpeed(speed, now()));
                SetFocus(window_);
            }
            return 0;
        }
        command(LOWORD(wparam));
        return 0;
    case WM_HSCROLL:
        // The thumb dragged, or keys on the timeline.
        if (reinterpret_cast<HWND>(lparam) == timeline_ && LOWORD(wparam) != TB_ENDTRACK)
            apply(viewer_->seek(
                static_cast<std::uint64_t>(SendMessageW(timeline_, TBM_GETPOS, 0, 0))));
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lparam)->code == TTN_GETDISPINFOW) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(timeline_, &at);
            tip_.clear();
            for (const viewer::Mark* mark : marksAt(at.x))
                tip_ += (tip_.empty() ? L"" : L"\n") + wide(viewer::markTitle(*mark));
            reinterpret_cast<NMTTDISPINFOW*>(lparam)->lpszText = tip_.data();
        }
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wparam) == WM_LBUTTONDOWN) {
            POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
            RECT bar;
            GetWindowRect(timeline_, &bar);
            MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bar), 2);
            if (PtInRect(&bar, at)) seekTo(at.x - bar.left);
        }
        return 0;
    case WM_TIMER:
        if (wparam == kSurveyTimer) {
            surveyOn();
        } else if (wparam == kWakeTimer) {
            KillTimer(window_, kWakeTimer);
            apply(viewer_->advance(now()));
        }
        return 0;
    case WM_SIZE:
        // Minimised, it pauses: nobody is watching.
        if (wparam == SIZE_MINIMIZED && viewer_->playing()) apply(viewer_->pause());
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT ViewerWindow::onPicture(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT && frame_) {
        paintFrame(picture_, *frame_);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace brontix::platform::win32
