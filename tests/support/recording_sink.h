// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A message sink that records the boxes instead of showing them, and can run a check at the
// moment a box would open.
#include "core/message.h"

#include <QList>
#include <functional>

namespace tirel::test {

class RecordingSink : public MessageSink {
public:
    void showMessage(const Message &message) override
    {
        messages.append(message);
        if (onShow)
            onShow(message);
    }
    void clear() { messages.clear(); }

    QList<Message> messages;
    std::function<void(const Message &)> onShow;
};

} // namespace tirel::test
