// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace tirel {

namespace {

constexpr int kDigits = 15;
// Room for "-d.ddddddddddddddE-308" and "-0.0000ddddddddddddddd", with a margin.
constexpr int kBufferSize = 40;

// The C library's "%.15G" (C locale), except next to the largest double, where rounding to 15
// digits would write a text that reads back as out of range: the 15th digit is cut instead so
// the text stays a number. Returns the length written into buffer.
int cLibraryGeneralForm(double value, char (&buffer)[kBufferSize])
{
    int length = std::snprintf(buffer, sizeof buffer, "%.15G", value);
    if (std::isfinite(value) && std::isinf(std::strtod(buffer, nullptr))) {
        char digits[kBufferSize];
        std::snprintf(digits, sizeof digits, "%.16E", value); // d.dddddddddddddddd E+308
        std::string mantissa(digits, digits + (value < 0 ? 17 : 16));
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
        length = std::snprintf(buffer, sizeof buffer, "%sE+308", mantissa.c_str());
    }
    return length;
}

// A number's significant digits (at most kDigits, the first not 0) and its decimal exponent, as
// the exact conversion rounds them. Returns the number of digits, trailing zeros dropped.
int significantDigits(double value, char (&digits)[kDigits], bool &negative, int &exponent)
{
    char scientific[kBufferSize]; // [-]d.ddddddddddddddde(+|-)XX[X]
#ifdef __cpp_lib_to_chars
    const char *end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                    std::chars_format::scientific, kDigits - 1)
                          .ptr;
#else
    // A C++ library without floating-point to_chars (the web build's libc++ 13): the C library's
    // conversion rounds exactly as well, into the same form.
    const char *end =
        scientific + std::snprintf(scientific, sizeof scientific, "%.*e", kDigits - 1, value);
#endif
    const char *at = scientific;
    negative = *at == '-';
    at += negative ? 1 : 0;
    digits[0] = at[0];
    std::memcpy(digits + 1, at + 2, kDigits - 1);
    const char *exponentText = at + 1 + kDigits + 1; // past the digits and the 'e'
    exponent = 0;
    std::from_chars(exponentText + 1, end, exponent);
    if (exponentText[0] == '-')
        exponent = -exponent;
    int significant = kDigits;
    while (significant > 1 && digits[significant - 1] == '0')
        --significant;
    return significant;
}

// Writes a number given by its significant digits (no trailing zero) and decimal exponent in the
// general form, as plain digits or with an exponent. Returns the end of what it wrote.
char *writeGeneralForm(char *out, bool negative, const char *digits, int significant, int exponent,
                       bool withExponent)
{
    if (negative)
        *out++ = '-';
    if (withExponent) {
        *out++ = digits[0];
        if (significant > 1) {
            *out++ = '.';
            std::memcpy(out, digits + 1, significant - 1);
            out += significant - 1;
        }
        *out++ = 'E';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            *out++ = '0';
        out = std::to_chars(out, out + 4, magnitude).ptr;
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        for (int i = 0; i < whole; ++i)
            *out++ = i < significant ? digits[i] : '0';
        if (significant > whole) {
            *out++ = '.';
            std::memcpy(out, digits + whole, significant - whole);
            out += significant - whole;
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = exponent + 1; i < 0; ++i)
            *out++ = '0';
        std::memcpy(out, digits, significant);
        out += significant;
    }
    return out;
}

// The same text as cLibraryGeneralForm, from one exact conversion to 15 significant digits
// (std::to_chars rounds exactly, ties to even, as the C library does); only the magnitudes
// near the largest double go the long way. Returns the length written into buffer.
int generalForm(double value, char (&buffer)[kBufferSize])
{
    if (!std::isfinite(value)) // no formula lets one through; written as the C library does
        return cLibraryGeneralForm(value, buffer);
    char digits[kDigits];
    bool negative = false;
    int exponent = 0;
    const int significant = significantDigits(value, digits, negative, exponent);
    if (exponent >= 308)
        return cLibraryGeneralForm(value, buffer);
    // "%.15G" writes an exponent below -4 or from the 15th on.
    const bool withExponent = exponent < -4 || exponent >= kDigits;
    return static_cast<int>(
        writeGeneralForm(buffer, negative, digits, significant, exponent, withExponent) - buffer);
}

// Rounds a number's digits to the first count of them, a half away from zero, carrying into the
// exponent when every kept digit was a 9. Returns the number of digits, trailing zeros dropped.
int roundDigits(char (&digits)[kDigits], int significant, int count, int &exponent)
{
    if (count >= significant)
        return significant;
    if (digits[count] >= '5') {
        int at = count - 1;
        while (at >= 0 && digits[at] == '9')
            digits[at--] = '0';
        if (at >= 0) {
            ++digits[at];
        } else {
            digits[0] = '1';
            ++exponent;
        }
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;
    return count;
}

// QLocale's reader, given the locale's own signs and exponent in the forms Qt versions differ
// on. Qt 6.4 matches a sign or an exponent one character at a time, so it refuses the locale's
// symbols that are longer (a sign behind a direction mark, "\u200e-" or "\u061c-"; an exponent
// such as "\u00d710^" or "\u0627\u0633") and reads each as the one character it takes in every
// locale ("E": a lower-case "e" only where the exponent is a letter e). Qt 6.8 reads those
// symbols whole but takes no exponent other than the locale's, so the "E" the program writes is
// read as the locale's exponent. Where every symbol is one "E", "-" and "+" (Catalan, C) the
// text is read once.
std::optional<double> readSymbols(const QString &text, const QLocale &locale)
{
    bool ok = false;
    double value = locale.toDouble(text, &ok);
    if (ok)
        return value;
    QString single = text;
    const std::pair<QString, QLatin1Char> symbols[] = {{locale.exponential(), QLatin1Char('E')},
                                                       {locale.negativeSign(), QLatin1Char('-')},
                                                       {locale.positiveSign(), QLatin1Char('+')}};
    for (const auto &[symbol, character] : symbols) {
        if (symbol.size() > 1)
            single.replace(symbol, QString(character));
    }
    QString own = text;
    if (locale.exponential().compare(QLatin1String("e"), Qt::CaseInsensitive) != 0)
        own.replace(QLatin1Char('E'), locale.exponential(), Qt::CaseInsensitive);
    for (const QString &form : {single, own}) {
        if (form == text)
            continue;
        value = locale.toDouble(form, &ok);
        if (ok)
            return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<double> textToDouble(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    std::optional<double> value = readSymbols(trimmed, locale);
    const QString group = locale.groupSeparator();
    if (!value && !group.isEmpty() && trimmed.contains(group)) {
        // QLocale's reader may refuse the locale's own grouping: Qt 6.8 writes "1.234.567,5" in
        // Italian or Spanish (a lone thousand stays "1234,5") and refuses it. A grouped text is
        // read when it is exactly how the locale writes the number it holds.
        QString ungrouped = trimmed;
        ungrouped.remove(group);
        value = readSymbols(ungrouped, locale);
        const qsizetype point = trimmed.indexOf(locale.decimalPoint());
        const int decimals = point < 0
                                 ? 0
                                 : static_cast<int>(QStringView(trimmed)
                                                        .mid(point + locale.decimalPoint().size())
                                                        .toUcs4()
                                                        .size());
        QLocale grouped = locale;
        grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
        if (value && grouped.toString(*value, 'f', decimals) != trimmed)
            value.reset();
    }
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString doubleToText(double value, const QLocale &locale)
{
    return NumberTextForm(locale)(value);
}

NumberTextForm::NumberTextForm(const QLocale &locale)
    : decimalPoint_(locale.decimalPoint()), negativeSign_(locale.negativeSign()),
      positiveSign_(locale.positiveSign())
{
    singleCharacters_ =
        decimalPoint_.size() == 1 && negativeSign_.size() == 1 && positiveSign_.size() == 1;
}

QString NumberTextForm::operator()(double value) const
{
    if (value == 0.0)
        return QStringLiteral("0"); // minus zero included
    char buffer[kBufferSize];
    return localised(buffer, generalForm(value, buffer));
}

QString NumberTextForm::localised(const char *text, int length) const
{
    // The text was written in the C locale: put the locale's separator and signs in place.
    if (singleCharacters_) {
        QString result(length, Qt::Uninitialized);
        QChar *out = result.data();
        for (int i = 0; i < length; ++i) {
            const char c = text[i];
            out[i] = c == '.'   ? decimalPoint_.front()
                     : c == '-' ? negativeSign_.front()
                     : c == '+' ? positiveSign_.front()
                                : QChar(QLatin1Char(c));
        }
        return result;
    }
    QString result;
    result.reserve(length + 4);
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '.')
            result += decimalPoint_;
        else if (c == '-')
            result += negativeSign_;
        else if (c == '+')
            result += positiveSign_;
        else
            result += QLatin1Char(c);
    }
    return result;
}

QString fittedNumberText(const QString &text, const QLocale &locale,
                         const std::function<bool(const QString &)> &fits)
{
    if (fits(text))
        return text;
    const std::optional<double> value = textToDouble(text, locale);
    if (!value)
        return text;
    const NumberTextForm form(locale);
    if (*value == 0.0)
        return form(*value); // "0", which fits wherever a "#" does
    char digits[kDigits];
    bool negative = false;
    int exponent = 0;
    const int significant = significantDigits(*value, digits, negative, exponent);
    // A number written with an exponent keeps one, whatever a carry makes of the exponent.
    const bool textHasExponent = exponent < -4 || exponent >= kDigits;
    QString tried;
    for (int count = kDigits; count >= 1; --count) {
        char kept[kDigits];
        std::memcpy(kept, digits, kDigits);
        int keptExponent = exponent;
        const int keptCount = roundDigits(kept, significant, count, keptExponent);
        // Plain digits only where the digits kept reach the units.
        const bool withExponent = textHasExponent || keptExponent < -4 || keptExponent >= count;
        char buffer[kBufferSize];
        const char *end =
            writeGeneralForm(buffer, negative, kept, keptCount, keptExponent, withExponent);
        QString candidate = form.localised(buffer, static_cast<int>(end - buffer));
        if (candidate == tried)
            continue;
        if (fits(candidate))
            return candidate;
        tried = std::move(candidate);
    }
    // Not even one digit and its exponent: the field is filled with the sign that its number does
    // not fit.
    constexpr int kMostSigns = 64;
    QString sign(1, QLatin1Char('#'));
    while (sign.size() < kMostSigns && fits(sign + QLatin1Char('#')))
        sign += QLatin1Char('#');
    return sign;
}

QString referenceDoubleToText(double value, const QLocale &locale)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[kBufferSize];
    cLibraryGeneralForm(value, buffer);
    const QString text = QString::fromLatin1(buffer);
    QString result;
    for (const QChar c : text) {
        if (c == u'.')
            result += locale.decimalPoint();
        else if (c == u'-')
            result += locale.negativeSign();
        else if (c == u'+')
            result += locale.positiveSign();
        else
            result += c;
    }
    return result;
}

std::optional<std::int16_t> textToInt16(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = textToDouble(text, locale);
    if (!value)
        return std::nullopt;
    // The default rounding mode sends a half to the even neighbour.
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace tirel
