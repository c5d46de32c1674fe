// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The calculator's messages as real modal boxes over the window.
#include "core/message.h"

class QWidget;

namespace tirel {

class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget *owner) : owner_(owner) {}
    // A modal box with the message's title, text and icon and a single OK button; returns when
    // the user has closed it.
    void showMessage(const Message &message) override;

private:
    QWidget *owner_;
};

} // namespace tirel
