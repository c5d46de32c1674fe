// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The modal boxes the calculator shows, as data: the window shows them, tests record them.
#include <QString>

namespace tirel {

enum class MessageIcon { None, Warning };

struct Message {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    friend bool operator==(const Message &, const Message &) = default;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Returns when the user has closed the box.
    virtual void showMessage(const Message &message) = 0;
};

} // namespace tirel
