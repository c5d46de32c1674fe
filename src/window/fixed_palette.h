// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window and the About dialog are a fixed-colour design: they keep the classic light look
// whatever the desktop theme or the style chosen on the command line. Message boxes and pop-up
// menus are windows of their own and follow the desktop.
#include <QPalette>

class QStyle;
class QWidget;

namespace tirel {

// Every colour role in every colour group, as the light default look draws them.
QPalette fixedPalette();

// Call before the window's children are made, so they inherit it.
void applyFixedPalette(QWidget *window);

// The style the layout's bevels and field frames are drawn with, set on the window and on every
// widget inside it. Call once the window's children exist.
void pinFixedStyle(QWidget *window);

} // namespace tirel
