// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup_probe.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>

extern char **environ;

namespace tirel::bench {

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start, Clock::time_point now)
{
    return std::chrono::duration<double, std::milli>(now - start).count();
}

// Rss and Pss in MiB from /proc/PID/smaps_rollup.
std::pair<double, double> readMemory(pid_t pid)
{
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    if (!rollup)
        throw std::runtime_error("cannot read /proc/" + std::to_string(pid) + "/smaps_rollup");
    double rssKiB = -1;
    double pssKiB = -1;
    std::string key;
    while (rollup >> key) {
        if (key == "Rss:")
            rollup >> rssKiB;
        else if (key == "Pss:")
            rollup >> pssKiB;
        else
            rollup.ignore(1 << 12, '\n');
    }
    if (rssKiB < 0 || pssKiB < 0)
        throw std::runtime_error("no Rss or Pss in smaps_rollup");
    return {rssKiB / 1024, pssKiB / 1024};
}

std::string nameOf(const std::string &entry)
{
    return entry.substr(0, entry.find('=') + 1);
}

// The child's environment: ours, with the X platform forced, so a test setting does not send the
// program off screen, and the launch's own variables on top.
std::vector<std::string> childEnvironment(const std::vector<std::string> &extra)
{
    std::vector<std::string> entries;
    auto overridden = [&](const std::string &entry) {
        for (const std::string &own : extra) {
            if (nameOf(own) == nameOf(entry))
                return true;
        }
        return nameOf(entry) == "QT_QPA_PLATFORM=";
    };
    for (char **entry = environ; *entry; ++entry) {
        if (!overridden(*entry))
            entries.emplace_back(*entry);
    }
    entries.emplace_back("QT_QPA_PLATFORM=xcb");
    entries.insert(entries.end(), extra.begin(), extra.end());
    return entries;
}

class Child {
public:
    explicit Child(const LaunchSpec &spec)
    {
        std::vector<std::string> environment = childEnvironment(spec.environment);
        std::vector<char *> envp;
        for (std::string &entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::vector<std::string> arguments{spec.program};
        arguments.insert(arguments.end(), spec.arguments.begin(), spec.arguments.end());
        std::vector<char *> argv;
        for (std::string &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (spec.quiet) {
            for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
                posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_WRONLY, 0);
        }
        start_ = Clock::now();
        const int error =
            posix_spawnp(&pid_, spec.program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
            throw std::runtime_error("cannot start " + spec.program + ": " + std::strerror(error));
    }
    ~Child()
    {
        if (reaped_)
            return;
        // A peer may take its time over SIGTERM (saving its settings): it gets 5 s.
        kill(pid_, SIGTERM);
        int status = 0;
        for (int waited = 0; waited < 100; ++waited) {
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                return;
            usleep(50000);
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    pid_t pid() const { return pid_; }
    Clock::time_point start() const { return start_; }
    bool exited()
    {
        int status = 0;
        reaped_ = reaped_ || waitpid(pid_, &status, WNOHANG) == pid_;
        return reaped_;
    }

private:
    pid_t pid_ = 0;
    bool reaped_ = false;
    Clock::time_point start_;
};
} // namespace

StartupProbe::StartupProbe()
{
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_))
        throw std::runtime_error("no X server at DISPLAY");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;
    const xcb_setup_t *setup = xcb_get_setup(connection_);
    serverDescription_ =
        std::string(xcb_setup_vendor(setup), xcb_setup_vendor_length(setup)) + " " +
        std::to_string(screens.data->width_in_pixels) + "x" +
        std::to_string(screens.data->height_in_pixels) + "x" +
        std::to_string(screens.data->root_depth) + ", " +
        std::to_string(static_cast<int>(std::lround(screens.data->width_in_pixels * 25.4 /
                                                    screens.data->width_in_millimeters))) +
        " DPI";

    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (!damage || !damage->present)
        throw std::runtime_error("the X server has no DAMAGE extension");
    damageEvent_ = damage->first_event;
    xcb_damage_query_version_reply_t *version = xcb_damage_query_version_reply(
        connection_, xcb_damage_query_version(connection_, 1, 1), nullptr);
    std::free(version);

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t *error = xcb_request_check(connection_, cookie)) {
        std::free(error);
        throw std::runtime_error("cannot watch the root window");
    }
}

StartupProbe::~StartupProbe()
{
    xcb_disconnect(connection_);
}

LaunchFigures StartupProbe::launch(const std::string &program, std::chrono::milliseconds settle)
{
    LaunchSpec spec;
    spec.program = program;
    return launch(spec, settle);
}

LaunchFigures StartupProbe::launch(const LaunchSpec &spec, std::chrono::milliseconds settle)
{
    // Whatever is left from an earlier run is no news of this one.
    while (xcb_generic_event_t *stale = xcb_poll_for_event(connection_))
        std::free(stale);

    const std::string &program = spec.program;
    Child child(spec);
    LaunchFigures figures;
    std::map<xcb_window_t, xcb_damage_damage_t> damages;
    xcb_window_t mainWindow = XCB_NONE;
    bool painted = false;

    auto watch = [&](xcb_window_t window) {
        if (damages.count(window))
            return;
        const xcb_damage_damage_t damage = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        damages[window] = damage;
        xcb_flush(connection_);
    };

    const Clock::time_point deadline = child.start() + spec.timeout;
    Clock::time_point paintedAt{};
    const int fd = xcb_get_file_descriptor(connection_);
    while (!painted || Clock::now() < paintedAt + settle) {
        if (Clock::now() > deadline)
            throw std::runtime_error(
                program +
                (mainWindow == XCB_NONE ? " showed no window within " : " drew nothing within ") +
                std::to_string(spec.timeout.count() / 1000) + " s");
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("lost the X server");
        if (child.exited())
            throw std::runtime_error(program + " ended before its window was up");
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 50);
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            const Clock::time_point now = Clock::now();
            const int type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (!created->override_redirect && created->parent == root_)
                    watch(created->window);
            } else if (type == XCB_MAP_NOTIFY && mainWindow == XCB_NONE) {
                const auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (!mapped->override_redirect) {
                    mainWindow = mapped->window;
                    figures.mappedMs = millisecondsSince(child.start(), now);
                    watch(mainWindow);
                    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(
                        connection_, xcb_get_geometry(connection_, mainWindow), nullptr);
                    if (geometry) {
                        figures.width = geometry->width;
                        figures.height = geometry->height;
                        std::free(geometry);
                    }
                }
            } else if (type == damageEvent_ + XCB_DAMAGE_NOTIFY && !painted) {
                const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                if (mainWindow != XCB_NONE && damage->drawable == mainWindow) {
                    painted = true;
                    paintedAt = now;
                    figures.paintedMs = millisecondsSince(child.start(), now);
                }
            }
            // Errors (a damage on an input-only helper window) are of no interest.
            std::free(event);
        }
    }

    const auto [rss, pss] = readMemory(child.pid());
    figures.rssMiB = rss;
    figures.pssMiB = pss;
    for (const auto &[window, damage] : damages)
        xcb_damage_destroy(connection_, damage);
    xcb_flush(connection_);
    return figures;
}

} // namespace tirel::bench
