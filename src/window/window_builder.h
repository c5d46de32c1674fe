// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Turns the layout table into the window's widgets.
#include "core/fields.h"
#include "window/layout_table.h"

#include <QHash>
#include <QList>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tirel {

struct BuiltControls {
    QHash<QString, QWidget *> byName;
    std::array<QLineEdit *, field::kFieldCount> fields{};
    std::array<QComboBox *, kListCount> lists{};
    struct Button {
        QPushButton *widget = nullptr;
        layout::Command command = layout::Command::None;
        int index = 0;
    };
    QList<Button> buttons;
};

// Builds every row of the table inside the client area, stacks fields, combo boxes and buttons
// above labels, lines and boxes, and chains the focus order.
BuiltControls buildControls(QWidget *clientArea);

} // namespace tirel
