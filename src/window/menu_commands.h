// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The commands of the menu "Info": "Info" starts Info.bat, "Quant a Tirel" shows the About
// dialog.
class QAction;
class QMainWindow;

namespace tirel {

void connectMenuCommands(QMainWindow *window, QAction *opInfo, QAction *opQuant);

} // namespace tirel
