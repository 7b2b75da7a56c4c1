// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT and SIGHUP (a desktop's logout, a terminal's Ctrl+C or
// its closing) end the program as closing its window does: the event loop
// returns, and what is owed to the recording is written on the way out.
#pragma once

#include <QSocketNotifier>
#include <memory>

namespace brontix::platform::qt {

class QuitOnSignals {
public:
    // Quits the application's event loop on any of the three; one at a time.
    QuitOnSignals();
    ~QuitOnSignals();
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace brontix::platform::qt
