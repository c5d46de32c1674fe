// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/app_icon.h"

#include <QPixmap>

// The icon lives in a resource of a static library: registering it here makes the linker keep it.
static void registerIconResource()
{
    Q_INIT_RESOURCE(app_icon);
}

namespace tirel {

QIcon applicationIcon()
{
    static const bool registered = (registerIconResource(), true);
    Q_UNUSED(registered);
    return QIcon(QPixmap(QStringLiteral(":/tirel/tirel.xpm")));
}

} // namespace tirel
