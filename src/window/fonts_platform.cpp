// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fonts_platform.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QFontDatabase>
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

} // namespace tirel
