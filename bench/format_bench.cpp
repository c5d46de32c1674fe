// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "format_bench.h"

#include "core/number_text.h"
#include "stats.h"

#include <QStringList>
#include <stdexcept>
#include <vector>

namespace tirel::bench {

FormatFigures measureFormatting(int rounds)
{
    constexpr int kTerms = 32765;
    const QLocale locale(QLocale::Catalan, QLocale::Spain);
    const double d = (2.0 - 1.0) / (kTerms + 1);
    std::vector<double> values;
    for (int m = 1; m <= kTerms; ++m)
        values.push_back(double(m) * d + 1.0);

    const NumberTextForm form(locale);
    std::vector<double> fast, reference;
    for (int round = 0; round < rounds; ++round) {
        QStringList fastTexts, referenceTexts;
        fastTexts.reserve(kTerms);
        referenceTexts.reserve(kTerms);
        Clock::time_point start = Clock::now();
        for (double value : values)
            fastTexts.append(form(value));
        fast.push_back(microsecondsBetween(start, Clock::now()) * 1000 / kTerms);
        start = Clock::now();
        for (double value : values)
            referenceTexts.append(referenceDoubleToText(value, locale));
        reference.push_back(microsecondsBetween(start, Clock::now()) * 1000 / kTerms);
        if (fastTexts != referenceTexts)
            throw std::runtime_error("the fast text form differs from the reference");
    }
    return {median(fast), median(reference)};
}

} // namespace tirel::bench
