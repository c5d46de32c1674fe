// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/faces.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <QFontDatabase>
#elif defined(Q_OS_WASM)
#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#endif

namespace tirel {

#if defined(Q_OS_WIN)

// Asked of the platform's font list, before any substitution of ours could answer for it.
bool useLayoutFace(const QString &layoutName)
{
    return QFontDatabase::hasFamily(layoutName);
}

void addCarriedFaces() {}

#elif defined(Q_OS_WASM)

bool useLayoutFace(const QString &)
{
    return false;
}

void addCarriedFaces()
{
    // The page puts the faces that come beside the program into /faces (dist/web/tirel-page.js).
    QDirIterator faces(QStringLiteral("/faces"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
    // What the layout names no face for (the message boxes' texts) takes the face and size a
    // Linux desktop gives by default, DejaVu Sans at 9 points, which Qt brings to every page.
    QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

#else // a Linux desktop: fontconfig finds the installed stand-ins

bool useLayoutFace(const QString &)
{
    return false;
}

void addCarriedFaces() {}

#endif

} // namespace tirel
