// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometric/geometric_interpolation.h"

#include "core/checked.h"
#include "core/form.h"
#include "core/interpolation_input.h"
#include "core/number_text.h"
#include "core/term_list.h"
#include "geometric/geometric_section.h"

namespace tirel {

GeometricInterpolation::GeometricInterpolation(Form &form, MessageSink &messages,
                                               GeometricSection &solver)
    : form_(form), messages_(messages), solver_(solver)
{
}

void GeometricInterpolation::IntrpGeom()
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

bool GeometricInterpolation::interpolate()
{
    const std::optional<InterpolationInput> input =
        readInterpolationInput(form_, field::IdKg, field::IdAg, field::IdBg);
    if (!input)
        return false;
    const std::int16_t k = input->k;
    const auto n = static_cast<std::int16_t>(k + 2);
    const auto intervals = static_cast<std::int16_t>(k + 1);
    const Num a = input->a;
    // Through the logarithm: the ratio is positive, and A and B must share their sign.
    const Num q = Num(input->b) / a;
    const Num l = ln(q);
    const Num perInterval = l / double(intervals);
    const Num r = exp(perInterval);

    // Every term from the full-precision r on its own, the power first: a running product would
    // drift over many terms.
    fillTermList(form_, ListId::Lstg, k, [r, a](int m) { return (pow(r, double(m)) * a).value(); });

    const QLocale &locale = form_.locale();
    // Each write runs the infinite-sum handling nested, as typing does.
    form_.setText(field::Idg(0), doubleToText(a.value(), locale));
    form_.setText(field::Idg(1), doubleToText(r.value(), locale));
    form_.setText(field::Idg(2), doubleToText(double(n), locale));

    // The solver reads the fields as they stand now, r as rounded by its text.
    solver_.OkGe_Click();
    return true;
}

} // namespace tirel
