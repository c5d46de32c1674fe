// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "arithmetic/arithmetic_interpolation.h"

#include "arithmetic/arithmetic_section.h"
#include "core/checked.h"
#include "core/form.h"
#include "core/interpolation_input.h"
#include "core/number_text.h"
#include "core/term_list.h"

namespace tirel {

ArithmeticInterpolation::ArithmeticInterpolation(Form &form, MessageSink &messages,
                                                 ArithmeticSection &solver)
    : form_(form), messages_(messages), solver_(solver)
{
}

void ArithmeticInterpolation::IntrpAritm()
{
    bool done = false;
    try {
        done = interpolate();
    } catch (const NumericFailure &) {
        done = false;
    }
    if (!done)
        messages_.showMessage(interpolationFailureMessage());
}

bool ArithmeticInterpolation::interpolate()
{
    const std::optional<InterpolationInput> input =
        readInterpolationInput(form_, field::IdK, field::IdA, field::IdB);
    if (!input)
        return false;
    const std::int16_t k = input->k;
    const auto n = static_cast<std::int16_t>(k + 2);
    const auto intervals = static_cast<std::int16_t>(k + 1);
    const Num a = input->a;
    const Num d = (Num(input->b) - a) / double(intervals);

    const QLocale &locale = form_.locale();
    form_.setText(field::Id(0), doubleToText(a.value(), locale));
    form_.setText(field::Id(1), doubleToText(d.value(), locale));
    form_.setText(field::Id(2), doubleToText(double(n), locale));

    // The solver reads a1, d and n back from their texts, so it works with d as rounded there.
    solver_.OkAr_Click();

    // Every term from the full-precision d on its own: a running sum would drift over many terms.
    fillTermList(form_, ListId::LstIntrp, k,
                 [d, a](int m) { return (Num(double(m)) * d + a).value(); });
    return true;
}

} // namespace tirel
