// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/keypad_decimal.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tirel {

KeypadDecimal::KeypadDecimal(const QString &separator, QObject *parent)
    : QObject(parent), separator_(separator)
{
}

void KeypadDecimal::watch(QObject *widget)
{
    widget->installEventFilter(this);
}

bool KeypadDecimal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool decimalKey = key->modifiers().testFlag(Qt::KeypadModifier) &&
                            (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma) &&
                            (key->text() == u"." || key->text() == u",");
    // The key that already types the separator passes: so does the press sent below.
    if (!decimalKey || key->text() == separator_)
        return false;
    QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                    key->nativeVirtualKey(), key->nativeModifiers(), separator_,
                    key->isAutoRepeat(), key->count());
    QCoreApplication::sendEvent(watched, &typed);
    return true;
}

} // namespace tirel
