// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/display.h"
#include "platform/page.h"
#include "tirel_version.h"
#include "window/fonts.h"
#include "window/main_window.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Without a display the toolkit would abort with a message of its own; say plainly what to do.
    if (tirel::displayMissing(argc, argv)) {
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
