// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/modal.h"

#include <QDialog>

#ifdef Q_OS_WASM
#include <QCoreApplication>

// Qt's own suspension of the page's one thread, woken by its next event, timer or posted event.
bool qt_asyncify_suspend();
#endif

namespace tirel {

#ifdef Q_OS_WASM

// In a browser QDialog::exec() waits only while no posted event is pending, and one that its
// loop never delivers keeps the page busy for ever; this loop waits after every round.
void runModal(QDialog &dialog)
{
    dialog.open();
    while (dialog.isVisible()) {
        QCoreApplication::processEvents();
        if (dialog.isVisible())
            qt_asyncify_suspend();
    }
}

#else // Linux and Windows

void runModal(QDialog &dialog)
{
    dialog.exec();
}

#endif

} // namespace tirel
