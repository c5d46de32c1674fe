// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The desktop calculators the start-up and memory are compared with, started through the same
// probe as the program and the floor.
#include "startup_probe.h"

#include <string>
#include <vector>

namespace tirel::bench {

struct Peer {
    std::string name;    // as asked for on the command line and printed
    std::string program; // looked up along PATH
};

// Every calculator the benchmark knows how to start, whether installed or not.
const std::vector<Peer> &knownPeers();

// The peers named in a comma-separated list, "all", or "none"; throws std::runtime_error for an
// unknown name.
std::vector<Peer> choosePeers(const std::string &list);

// The program's full path along PATH, or empty when it is not installed.
std::string findProgram(const std::string &program);

// A launch of the peer with a home and XDG folders of its own under scratch (created here), so it
// reads no settings of the user's and writes none; on the session bus in $TIREL_BENCH_PEER_BUS
// when there is one, since some want a bus to register on.
LaunchSpec peerLaunch(const std::string &path, const std::string &scratch,
                      std::chrono::milliseconds timeout);

} // namespace tirel::bench
