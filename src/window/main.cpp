// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tirel_version.h"
#include "window/fonts.h"
#include "window/main_window.h"
#include "window/page_platform.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_WASM)
// The platform Qt would pick: the -platform argument, then QT_QPA_PLATFORM, else X11.
QByteArray chosenPlatform(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return QByteArray(argv[i + 1]);
    }
    return qgetenv("QT_QPA_PLATFORM");
}
#endif

// Without a display the toolkit would abort with a message of its own; say plainly what to do.
// Windows always has its desktop and a browser its page, and neither a DISPLAY variable.
bool displayMissing(int argc, char **argv)
{
#if defined(Q_OS_WIN) || defined(Q_OS_WASM)
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#else
    const QByteArray platform = chosenPlatform(argc, argv);
    const bool needsDisplay = platform.isEmpty() || platform.startsWith("xcb");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

} // namespace

int main(int argc, char **argv)
{
    if (displayMissing(argc, argv)) {
        std::fprintf(stderr,
                     "tirel: no display available (DISPLAY and WAYLAND_DISPLAY are unset); run it "
                     "under Xvfb: xvfb-run -s \"-dpi 96 -screen 0 1280x1024x24\" %s\n",
                     argc > 0 ? argv[0] : "tirel");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tirel"));
    QApplication::setApplicationVersion(QStringLiteral(TIREL_VERSION_STRING));
    tirel::installFontSubstitutions();

    tirel::MainWindow window;
    window.show();
    tirel::placeMainWindow(window);
    return QApplication::exec();
}
