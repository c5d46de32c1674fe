// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/display.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstring>

namespace tirel {

#if defined(Q_OS_WIN) || defined(Q_OS_WASM)

bool displayMissing(int, char **)
{
    return false;
}

#else // Linux

namespace {
// The platform Qt would pick: the -platform argument, then QT_QPA_PLATFORM, else X11.
QByteArray chosenPlatform(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return QByteArray(argv[i + 1]);
    }
    return qgetenv("QT_QPA_PLATFORM");
}
} // namespace

bool displayMissing(int argc, char **argv)
{
    const QByteArray platform = chosenPlatform(argc, argv);
    const bool needsDisplay = platform.isEmpty() || platform.startsWith("xcb");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

#endif

} // namespace tirel
