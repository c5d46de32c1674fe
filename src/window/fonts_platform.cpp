// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fonts_platform.h"

#include <QtGlobal>

#if defined(Q_OS_WIN) || defined(Q_OS_WASM)
#include <QFontDatabase>
#endif
#ifdef Q_OS_WASM
#include <QDirIterator>
#include <QFont>
#include <QGuiApplication>
#endif

namespace tirel {

bool useLayoutFace(const QString &layoutName)
{
#ifdef Q_OS_WIN
    // Asked of the platform's font list, before any substitution of ours could answer for it.
    return QFontDatabase::hasFamily(layoutName);
#else
    Q_UNUSED(layoutName);
    return false;
#endif
}

void addCarriedFaces()
{
#ifdef Q_OS_WASM
    // The page puts the faces that come beside the program into /faces (dist/web/tirel-page.js).
    QDirIterator faces(QStringLiteral("/faces"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
    // What the layout names no face for (the message boxes' texts) takes the face and size a
    // Linux desktop gives by default, DejaVu Sans at 9 points, which Qt brings to every page.
    QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
#endif
}

} // namespace tirel
