// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/page.h"

#include <QWidget>

#ifdef Q_OS_WASM
#include <QScreen>
#include <emscripten/val.h>
#endif

namespace tirel {

#ifdef Q_OS_WASM

void placeMainWindow(QWidget &window)
{
    // Qt shows a browser's windows full screen; this one keeps the size it has on the desktop.
    window.showNormal();
    // The page (dist/web/tirel-page.js) offers the call; a page without it keeps its own layout.
    const emscripten::val fit = emscripten::val::module_property("tirelFitScreen");
    QScreen *screen = window.screen();
    if (fit.isUndefined() || !screen)
        return;
    // The screen's origin is where its element lies in the page, and the page centres that
    // element, so it moves with every change of size: the window follows it to its top left.
    QObject::connect(screen, &QScreen::geometryChanged, &window,
                     [&window](const QRect &geometry) { window.move(geometry.topLeft()); });
    const QSize frame = window.frameGeometry().size();
    fit(frame.width(), frame.height());
    window.move(screen->geometry().topLeft());
}

#else // Linux and Windows: the window manager places the window

void placeMainWindow(QWidget &) {}

#endif

} // namespace tirel
