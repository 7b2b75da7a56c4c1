// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/quit_on_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>

namespace brontix::platform::qt {

namespace {

// A handler may do next to nothing: it hands the signal to the event loop
// through a socket the loop watches.
std::array<int, 2> wake{-1, -1};

void handle(int) {
    const char byte = 1;
    // A full socket has a quit waiting already.
    if (::write(wake[0], &byte, 1) < 0) return;
}

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

}  // namespace

QuitOnSignals::QuitOnSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wake.data()) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(wake[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(wake[1], bytes, sizeof bytes) > 0) {}
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals) ::sigaction(s, &action, nullptr);
}

QuitOnSignals::~QuitOnSignals() {
    for (const int s : kSignals) ::signal(s, SIG_DFL);
    notifier_.reset();
    for (int& fd : wake) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace brontix::platform::qt
