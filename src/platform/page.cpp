// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/page.h"

#include <QWidget>

#ifdef Q_OS_WASM
#include <QAccessible>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <emscripten/val.h>
#endif

namespace tirel {

#ifdef Q_OS_WASM

namespace {

// The id Qt's accessibility layer gives the page element it makes for a widget: the object names
// (or class names) from the application down to the widget, joined by dots.
QString accessibleElementId(QWidget *widget)
{
    QString id;
    for (QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget); node;
         node = node->parent()) {
        if (!id.isEmpty())
            id.prepend(u'.');
        if (const QObject *object = node->object())
            id.prepend(object->objectName().isEmpty()
                           ? QString::fromUtf8(object->metaObject()->className())
                           : object->objectName());
    }
    return id;
}

// A screen reader meets the page's elements in the order they lie in the page; Qt lays them out in
// the order of the widgets' stacking. The page (dist/web/tirel-page.js) puts the controls' ones in
// the window's Tab order.
void orderForScreenReaders(QWidget &window)
{
    const emscripten::val order = emscripten::val::module_property("tirelOrderAccessible");
    if (order.isUndefined())
        return;
    // Tab goes round; the round starts at the control that has the focus at start.
    QWidget *first = window.focusWidget() ? window.focusWidget() : window.nextInFocusChain();
    emscripten::val ids = emscripten::val::array();
    QWidget *widget = first;
    do {
        if (widget != &window && widget->window() == &window &&
            (widget->focusPolicy() & Qt::TabFocus))
            ids.call<void>("push", accessibleElementId(widget).toStdString());
        widget = widget->nextInFocusChain();
    } while (widget != first);
    order(ids);
}

} // namespace

void placeMainWindow(QWidget &window)
{
    // Qt shows a browser's windows full screen; this one keeps the size it has on the desktop.
    window.showNormal();
    // A page has nothing behind the window: closing it would leave the page blank. Only the
    // title bar the page draws changes; the widget keeps its flags.
    if (QWindow *shown = window.windowHandle())
        shown->setFlag(Qt::WindowCloseButtonHint, false);
    // Qt makes the elements for screen readers as the event loop starts.
    QTimer::singleShot(0, &window, [&window] { orderForScreenReaders(window); });
    // The page offers the call; a page without it keeps its own layout.
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
