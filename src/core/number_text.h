// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Conversions between the texts of the fields and the numbers the formulas work with.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>
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
    // A text written in the C locale's form (digits, '.', '-', '+', 'E') in this locale's.
    QString localised(const char *text, int length) const;

private:
    QString decimalPoint_;
    QString negativeSign_;
    QString positiveSign_;
    bool singleCharacters_ = false; // every replacement is one character: write in place
};

// What a field too narrow for a number's text draws in its place: the number rounded to the most
// significant digits (15 at most) whose text in the same general form fits. Each digit is
// correctly rounded from the number's 15 digits, a half away from zero, a carry moving on into the
// exponent (9,99999 kept to 2 digits is "10"); an exponent is written where the number's text has
// one or where the digits kept do not reach the units ("4,786E+23", "1,776E+04"). Where not even
// one digit and its exponent fit, the text is as many "#" as fit, at least one: the sign that the
// number does not fit. A text that fits, or that is not a number, is returned as it is.
QString fittedNumberText(const QString &text, const QLocale &locale,
                         const std::function<bool(const QString &)> &fits);

// The same text through the C library's general formatting, one call at a time: the yardstick
// the text-equality test and the benchmark hold the fast path against.
QString referenceDoubleToText(double value, const QLocale &locale);

// The interpolation counts: a number rounded to the nearest whole number, a half to the even
// neighbour, that must fit a 16-bit signed integer.
std::optional<std::int16_t> textToInt16(const QString &text, const QLocale &locale);

} // namespace tirel
