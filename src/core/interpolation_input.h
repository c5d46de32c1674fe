// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What both interpolation lines share: their input, K terms between A and B, and their one box.
#include "core/fields.h"
#include "core/message.h"

#include <cstdint>
#include <optional>

namespace tirel {

class Form;

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

} // namespace tirel
