// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Inserts K terms between A and B so that they form an arithmetic progression.
#include "core/message.h"

namespace tirel {

class Form;
class ArithmeticSection;

class ArithmeticInterpolation {
public:
    ArithmeticInterpolation(Form &form, MessageSink &messages, ArithmeticSection &solver);

    // Lists the inserted terms in LstIntrp, writes a1, d and n and lets the arithmetic solver
    // complete an and Sn. Every failure ends in the one "No es pot calcular" box.
    void IntrpAritm();
    void Okab_Click() { IntrpAritm(); }

private:
    // The whole operation: false for a missing input; a NumericFailure ends it where it happens.
    bool interpolate();

    Form &form_;
    MessageSink &messages_;
    ArithmeticSection &solver_;
};

} // namespace tirel
