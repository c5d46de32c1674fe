#include "cycle/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tirel {

std::optional<double> textToDouble(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString doubleToText(double value, const QLocale &locale)
{
    if (value == 0.0)
        return QStringLiteral("0"); // minus zero included
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    if (std::isinf(std::strtod(buffer, nullptr))) {
        // Next to the largest double, rounding to 15 digits would write a text that reads back
        // as out of range; cut the 15th digit instead so the text stays a number.
        char digits[40];
        std::snprintf(digits, sizeof digits, "%.16E", value); // d.dddddddddddddddd E+308
        std::string mantissa(digits, digits + (value < 0 ? 17 : 16));
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
        std::snprintf(buffer, sizeof buffer, "%sE+308", mantissa.c_str());
    }
    const QString text = QString::fromLatin1(buffer);
    // snprintf ran in the C locale: put the user's separator and signs in place.
    QString result;
    result.reserve(text.size() + 2);
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
