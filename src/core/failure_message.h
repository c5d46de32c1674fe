// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The orderly answer to a formula that fails after the user's own "Ok".
#include "core/checked.h"
#include "core/message.h"

#include <functional>

namespace tirel {

// "Error de càlcul" with the kind of failure: "Divisió per zero", "Desbordament" or
// "Operació no vàlida".
Message calculationErrorMessage(FailureKind kind);

// Runs a solve started by a button: a numeric failure becomes the "Error de càlcul" box.
void runFromButton(MessageSink &messages, const std::function<void()> &solve);

} // namespace tirel
