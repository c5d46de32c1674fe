// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How many controls of each kind the main window holds. The floor program builds exactly this
// many; the benchmark counts the real window and reports any difference, so the floor cannot
// drift away from what it stands for.
namespace tirel::bench {

struct WidgetCensus {
    int frames = 0;
    int labels = 0;
    int fields = 0;
    int combos = 0;
    int buttons = 0;
    int boxes = 0;
    int lines = 0;
    int menus = 0;   // menus of the menu bar
    int actions = 0; // items in those menus

    friend bool operator==(const WidgetCensus &, const WidgetCensus &) = default;
};

// The main window as built from its layout table.
constexpr WidgetCensus kWindowCensus{
    .frames = 7,
    .labels = 52,
    .fields = 33,
    .combos = 2,
    .buttons = 8,
    .boxes = 6,
    .lines = 4,
    .menus = 1,
    .actions = 2,
};

} // namespace tirel::bench

#include <QStringList>

class QMainWindow;

namespace tirel::bench {

// Counts the controls of a main window by kind: its menus, then every widget under its client
// area (a combo box counts once, with its own text line and list). Widgets of no known kind are
// named in unknown.
WidgetCensus countWidgets(const QMainWindow &window, QStringList *unknown = nullptr);

} // namespace tirel::bench
