// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The text form of the interpolated terms alone: the fast path against the C library's general
// formatting it must equal, timed over the same numbers in the same run.
namespace tirel::bench {

struct FormatFigures {
    double fastNs = 0;      // per term, the form the program uses
    double referenceNs = 0; // per term, one snprintf call and a character swap per text
};

// The K = 32765 terms of the arithmetic line from 1 to 2, in the Catalan locale; the median of
// the rounds. Throws std::runtime_error if a text differs from the reference.
FormatFigures measureFormatting(int rounds);

} // namespace tirel::bench
