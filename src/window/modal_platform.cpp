// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/modal_platform.h"

#include <QCoreApplication>
#include <QDialog>

#ifdef Q_OS_WASM
// Qt's own suspension of the page's one thread, woken by its next event, timer or posted event.
bool qt_asyncify_suspend();
#endif

namespace tirel {

void runModal(QDialog &dialog)
{
#ifdef Q_OS_WASM
    // In a browser QDialog::exec() waits only while no posted event is pending, and one that its
    // loop never delivers keeps the page busy for ever; this loop waits after every round.
    dialog.open();
    while (dialog.isVisible()) {
        QCoreApplication::processEvents();
        if (dialog.isVisible())
            qt_asyncify_suspend();
    }
#else
    dialog.exec();
#endif
}

} // namespace tirel
