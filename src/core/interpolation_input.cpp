// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/interpolation_input.h"

#include "core/form.h"
#include "core/number_text.h"

namespace tirel {

namespace {
const QString kCannotCalculateTitle = QStringLiteral("No es pot calcular");
const QString kMissingDataText = QStringLiteral("Falten dades");

// n = K + 2 must fit a 16-bit whole number.
constexpr std::int16_t kMaxInterpolatedTerms = 32765;
} // namespace

Message interpolationFailureMessage()
{
    return {kCannotCalculateTitle, kMissingDataText, MessageIcon::Warning};
}

std::optional<InterpolationInput> readInterpolationInput(const Form &form, FieldId k, FieldId a,
                                                         FieldId b)
{
    const std::optional<std::int16_t> count = textToInt16(form.text(k), form.locale());
    if (!count || *count > kMaxInterpolatedTerms)
        return std::nullopt;
    const std::optional<double> first = textToDouble(form.text(a), form.locale());
    if (!first)
        return std::nullopt;
    const std::optional<double> last = textToDouble(form.text(b), form.locale());
    if (!last)
        return std::nullopt;
    return InterpolationInput{*count, *first, *last};
}

} // namespace tirel
