// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the platform puts the main window: a desktop's window manager places it; in a browser the
// page's screen element takes the window's size, so the page can centre it with a note under it,
// the window has no close button (closing it would leave a blank page), and screen readers meet
// its controls in its Tab order.
class QWidget;

namespace tirel {

// Called once the window is shown.
void placeMainWindow(QWidget &window);

} // namespace tirel
