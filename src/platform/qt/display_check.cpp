// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <QDir>
#include <cstdlib>
#include <cstring>
#include <string>

namespace brontix::platform::qt {

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::optional<std::string> xServerAnswers() {
    const std::string display = env("DISPLAY");
    if (display.empty()) return "DISPLAY is unset, so there is no X server to open the window on";
    // Asked for the screen number, xcb also checks that the server has the
    // screen DISPLAY names (":0.5"), which Qt would otherwise abort over.
    int screen = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen);
    const int error = xcb_connection_has_error(c);
    xcb_disconnect(c);
    if (error == 0) return std::nullopt;
    if (error == XCB_CONN_CLOSED_INVALID_SCREEN)
        return "the X server at display " + display + " has no screen " + std::to_string(screen) +
               " (DISPLAY)";
    return "no X server answers at display " + display + " (DISPLAY)";
}

bool waylandPluginInstalled(const QStringList& pluginDirs) {
    for (const QString& dir : pluginDirs)
        if (!QDir(dir + "/platforms").entryList({"libqwayland*"}, QDir::Files).isEmpty())
            return true;
    return false;
}

std::optional<std::string> compositorAnswers() {
    const std::string name = env("WAYLAND_DISPLAY");
    const std::string path =
        !name.empty() && name[0] == '/' ? name : env("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool fits = path.size() < sizeof address.sun_path;
    if (fits) std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const bool ok = fd >= 0 && fits &&
                    connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);
    if (ok) return std::nullopt;
    return "no Wayland compositor answers at WAYLAND_DISPLAY=" + name;
}

std::optional<std::string> waylandReady(const QStringList& pluginDirs) {
    if (!waylandPluginInstalled(pluginDirs))
        return "Qt's Wayland platform plugin is not installed (Debian: qt6-wayland), so the game "
               "cannot open its window on Wayland";
    if (env("WAYLAND_DISPLAY").empty()) return "WAYLAND_DISPLAY is unset";
    return compositorAnswers();
}

}  // namespace

std::optional<std::string> choosePlatform(const QStringList& pluginDirs) {
    std::string platform = env("QT_QPA_PLATFORM");
    if (platform.empty()) {
        if (!env("DISPLAY").empty())
            platform = "xcb";
        else if (!env("WAYLAND_DISPLAY").empty())
            platform = "wayland";
        else
            return "no display found (DISPLAY and WAYLAND_DISPLAY are unset); on a machine "
                   "without a screen, xvfb-run make run works";
        qputenv("QT_QPA_PLATFORM", platform.c_str());
    }
    // A list ("wayland;xcb") is Qt's to try in turn.
    if (platform == "xcb") return xServerAnswers();
    if (platform.starts_with("wayland") && platform.find(';') == std::string::npos)
        return waylandReady(pluginDirs);
    return std::nullopt;
}

}  // namespace brontix::platform::qt
