// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "peers.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace tirel::bench {

const std::vector<Peer> &knownPeers()
{
    static const std::vector<Peer> peers{{"galculator", "galculator"},
                                         {"speedcrunch", "speedcrunch"},
                                         {"kcalc", "kcalc"},
                                         {"qalculate-gtk", "qalculate-gtk"},
                                         {"gnome-calculator", "gnome-calculator"}};
    return peers;
}

std::vector<Peer> choosePeers(const std::string &list)
{
    if (list == "all")
        return knownPeers();
    std::vector<Peer> chosen;
    if (list == "none" || list.empty())
        return chosen;
    std::istringstream names(list);
    for (std::string name; std::getline(names, name, ',');) {
        bool found = false;
        for (const Peer &peer : knownPeers()) {
            if (peer.name == name) {
                chosen.push_back(peer);
                found = true;
            }
        }
        if (!found)
            throw std::runtime_error("no peer called " + name);
    }
    return chosen;
}

std::string findProgram(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

LaunchSpec peerLaunch(const std::string &path, const std::string &scratch,
                      std::chrono::milliseconds timeout)
{
    namespace fs = std::filesystem;
    LaunchSpec spec;
    spec.program = path;
    spec.timeout = timeout;
    spec.quiet = true;
    const struct {
        const char *variable;
        const char *folder;
    } homes[] = {{"HOME", ""},
                 {"XDG_CONFIG_HOME", ".config"},
                 {"XDG_CACHE_HOME", ".cache"},
                 {"XDG_DATA_HOME", ".local/share"},
                 {"XDG_STATE_HOME", ".local/state"}};
    for (const auto &home : homes) {
        const fs::path folder = fs::path(scratch) / home.folder;
        fs::create_directories(folder);
        spec.environment.push_back(std::string(home.variable) + "=" + folder.string());
    }
    if (const char *bus = std::getenv("TIREL_BENCH_PEER_BUS"); bus && *bus)
        spec.environment.push_back(std::string("DBUS_SESSION_BUS_ADDRESS=") + bus);
    // GTK would look for a Wayland display first; the probe watches the X server.
    spec.environment.emplace_back("GDK_BACKEND=x11");
    return spec;
}

} // namespace tirel::bench
