// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Inserts K terms between A and B so that they form an arithmetic progression.
#include "core/fields.h"
#include "core/message.h"

#include <cstdint>
#include <optional>

namespace tirel {

class Form;
class ArithmeticSection;

// "No es pot calcular" / "Falten dades": the one box of both interpolation lines, whatever failed.
Message interpolationFailureMessage();

// What an interpolation line asks for: K terms between A and B.
struct InterpolationInput {
    std::int16_t k = 0;
    double a = 0.0;
    double b = 0.0;
};

// Reads K (rounded half to even, at most 32765 so that K + 2 terms still fit 16 bits), then A,
// then B. Nothing when any of them is missing or not a number.
std::optional<InterpolationInput> readInterpolationInput(const Form &form, FieldId k, FieldId a,
                                                         FieldId b);

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
