// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Names for assistive technology: every field, button and list of the main window is announced
// by its section and the quantity its label names, e.g. "Aritmètiques: a1", inside a group named
// after the section.
class QWidget;

namespace tirel {

// Names the frames (announced as groups) after their sections and the controls inside them,
// found by object name; a control the window does not have is passed over.
void applyAccessibleNames(QWidget *mainWindow);

} // namespace tirel
