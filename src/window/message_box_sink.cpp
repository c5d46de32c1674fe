// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/message_box_sink.h"

#include "platform/modal.h"

#include <QMessageBox>

namespace tirel {

void MessageBoxSink::showMessage(const Message &message)
{
    const QMessageBox::Icon icon =
        message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, message.title, message.text, QMessageBox::Ok, owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    runModal(box);
}

} // namespace tirel
