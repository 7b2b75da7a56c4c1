// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Stands in for a desktop with a global menu (KDE Plasma's, and others):
// owns the session-bus name that makes Qt export an application's menu bar
// out of its window, until it is killed.
#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().registerService("com.canonical.AppMenu.Registrar")) {
        std::fprintf(stderr, "global_menu_registrar: cannot own the registrar's name\n");
        return 1;
    }
    std::printf("registered\n");
    std::fflush(stdout);
    return app.exec();
}
