// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The application icon: the main window's icon and the About dialog's picture.
#include <QIcon>

namespace tirel {

QIcon applicationIcon();

} // namespace tirel
