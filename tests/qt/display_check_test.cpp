// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Which platform the game asks Qt for, and the one line it says instead of
// Qt's abort when that platform cannot start.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/display_check.h"

namespace brontix::platform::qt {
namespace {

// Runs choosePlatform with exactly these variables set, then puts the
// test program's own back.
struct Chosen {
    std::optional<std::string> problem;
    QByteArray platform;
};
Chosen chooseWith(std::initializer_list<std::pair<const char*, const char*>> vars,
                  const QStringList& pluginDirs) {
    const char* names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"};
    QList<QByteArray> saved;
    for (const char* n : names) {
        saved.push_back(qgetenv(n));
        qunsetenv(n);
    }
    for (const auto& [name, value] : vars) qputenv(name, value);
    Chosen c{choosePlatform(pluginDirs), qgetenv("QT_QPA_PLATFORM")};
    for (int i = 0; i < 4; ++i) {
        if (saved[i].isEmpty())
            qunsetenv(names[i]);
        else
            qputenv(names[i], saved[i]);
    }
    return c;
}

TEST(DisplayCheck, SaysWhatKeepsTheWindowFromOpening) {
    QTemporaryDir none, plugins;
    QDir(plugins.path()).mkpath("platforms");
    QFile(plugins.path() + "/platforms/libqwayland-generic.so").open(QIODevice::WriteOnly);
    const QStringList withoutWayland{none.path()}, withWayland{plugins.path()};

    Chosen c = chooseWith({}, withWayland);
    ASSERT_TRUE(c.problem);
    EXPECT_NE(c.problem->find("no display found"), std::string::npos);

    // An X display wins over a Wayland one: full-screen mode places windows.
    c = chooseWith({{"DISPLAY", ":99"}, {"WAYLAND_DISPLAY", "wayland-0"}}, withWayland);
    EXPECT_EQ(c.platform, "xcb");
    EXPECT_EQ(c.problem, "no X server answers at display :99 (DISPLAY)");

    c = chooseWith({{"WAYLAND_DISPLAY", "wayland-9"}, {"XDG_RUNTIME_DIR", none.path().toUtf8()}},
                   withoutWayland);
    EXPECT_EQ(c.platform, "wayland");
    ASSERT_TRUE(c.problem);
    EXPECT_NE(c.problem->find("qt6-wayland"), std::string::npos);

    c = chooseWith({{"WAYLAND_DISPLAY", "wayland-9"}, {"XDG_RUNTIME_DIR", none.path().toUtf8()}},
                   withWayland);
    EXPECT_EQ(c.problem, "no Wayland compositor answers at WAYLAND_DISPLAY=wayland-9");

    // A platform chosen by hand is the player's; offscreen needs no display.
    c = chooseWith({{"QT_QPA_PLATFORM", "offscreen"}}, withoutWayland);
    EXPECT_EQ(c.platform, "offscreen");
    EXPECT_FALSE(c.problem);
}

}  // namespace
}  // namespace brontix::platform::qt
