// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Conversions between the texts of the fields and the numbers the formulas work with.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace tirel {

// A field's text read as a double with the locale's rules. Surrounding blanks and an exponent
// are allowed, and the locale's own signs and exponent as it writes them, direction marks
// included; empty text, blanks only, non-finite and out-of-range values are not numbers.
std::optional<double> textToDouble(const QString &text, const QLocale &locale);

// The general form with at most 15 significant digits (like "%.15G"): the locale's decimal
// separator, no grouping, an upper-case exponent ("1E+15", "1,5E-05"), and "0" for minus zero.
// It rounds on purpose: a text it wrote, read and written again, gives the same text.
QString doubleToText(double value, const QLocale &locale);

// The same text form for many numbers in one locale (the interpolations list up to 32765): the
// locale's characters are looked up once, and each text is written straight into its string.
class NumberTextForm {
public:
    explicit NumberTextForm(const QLocale &locale);
    QString operator()(double value) const;

private:
    QString decimalPoint_;
    QString negativeSign_;
    QString positiveSign_;
    bool singleCharacters_ = false; // every replacement is one character: write in place
};

// The same text through the C library's general formatting, one call at a time: the yardstick
// the text-equality test and the benchmark hold the fast path against.
QString referenceDoubleToText(double value, const QLocale &locale);

// The interpolation counts: a number rounded to the nearest whole number, a half to the even
// neighbour, that must fit a 16-bit signed integer.
std::optional<std::int16_t> textToInt16(const QString &text, const QLocale &locale);

} // namespace tirel
