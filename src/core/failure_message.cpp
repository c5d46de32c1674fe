// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/failure_message.h"

namespace tirel {

Message calculationErrorMessage(FailureKind kind)
{
    static const QString title = QStringLiteral("Error de càlcul");
    switch (kind) {
    case FailureKind::DivisionByZero:
        return {title, QStringLiteral("Divisió per zero"), MessageIcon::Warning};
    case FailureKind::Overflow:
        return {title, QStringLiteral("Desbordament"), MessageIcon::Warning};
    case FailureKind::InvalidOperation:
        break;
    }
    return {title, QStringLiteral("Operació no vàlida"), MessageIcon::Warning};
}

void runFromButton(MessageSink &messages, const std::function<void()> &solve)
{
    try {
        solve();
    } catch (const NumericFailure &failure) {
        messages.showMessage(calculationErrorMessage(failure.kind()));
    }
}

} // namespace tirel
