// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Starts a program on the X server of $DISPLAY and watches the root window from a client of its
// own: when the program's main window is mapped, and when the program first draws into it.
#include <chrono>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace tirel::bench {

// What to start: a program, its arguments, and variables set on top of the bench's environment
// (a peer gets a scratch home and a session bus of its own).
struct LaunchSpec {
    std::string program;
    std::vector<std::string> arguments;
    std::vector<std::string> environment; // "NAME=value"
    std::chrono::milliseconds timeout{30000};
    bool quiet = false; // its output goes to /dev/null, not into the table's neighbourhood
};

struct LaunchFigures {
    double mappedMs = 0;  // from exec to the main window's MapNotify
    double paintedMs = 0; // from exec to the first damage of its contents
    int width = 0;        // the mapped window, for a sanity check
    int height = 0;
    double rssMiB = 0; // from /proc/PID/smaps_rollup, after the settle time
    double pssMiB = 0;
};

class StartupProbe {
public:
    // Throws std::runtime_error when there is no X server or it lacks the DAMAGE extension.
    StartupProbe();
    ~StartupProbe();
    StartupProbe(const StartupProbe &) = delete;
    StartupProbe &operator=(const StartupProbe &) = delete;

    // Runs program once, waits settle after its first paint, reads its memory and ends it.
    // Throws std::runtime_error when it does not start, dies, or shows no window in time.
    LaunchFigures launch(const std::string &program, std::chrono::milliseconds settle);
    LaunchFigures launch(const LaunchSpec &spec, std::chrono::milliseconds settle);

    std::string serverDescription() const { return serverDescription_; }

private:
    xcb_connection_t *connection_ = nullptr;
    unsigned root_ = 0;
    unsigned char damageEvent_ = 0;
    std::string serverDescription_;
};

} // namespace tirel::bench
