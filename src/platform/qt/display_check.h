// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Before Qt starts: which platform plugin the game asks for, and whether
// the display it needs answers. Qt itself aborts with a core dump and
// advice to reinstall when its plugin cannot start.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace brontix::platform::qt {

// Sets QT_QPA_PLATFORM when it is unset: xcb wherever an X display is set,
// since full-screen mode places the game window on its backdrop and a
// Wayland client cannot place its windows (so on a Wayland desktop the game
// runs through XWayland); wayland where only a Wayland display is. Returns
// what keeps the game from opening its window, in one line, or nothing.
// `pluginDirs` are where Qt looks for its plugins (libraryPaths()).
std::optional<std::string> choosePlatform(const QStringList& pluginDirs);

}  // namespace brontix::platform::qt
