// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"

#include <QTest>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

using namespace tirel;

namespace {

// What std::bit_cast does, which the web build's C++ library (libc++ 13) lacks.
double fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
std::uint64_t toBits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The sanitizers slow every conversion tenfold: they check a quarter as many numbers.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kScale = 4;
#else
constexpr int kScale = 1;
#endif

enum class Kind { RandomBits, Subnormal, FifteenthDigitTie, PowerOfTen, Edge, Interpolated };

// The decimal mantissa × 10^exponent, correctly rounded, whatever the process's locale (the text
// has no decimal separator; the web build's C++ library has no floating-point from_chars).
double decimal(std::uint64_t mantissa, int exponent)
{
    const std::string text = std::to_string(mantissa) + 'E' + std::to_string(exponent);
    return std::strtod(text.c_str(), nullptr);
}

// The n-th number of a kind; rng supplies the randomness, all of it from a fixed seed.
double sample(Kind kind, int n, std::mt19937_64 &rng)
{
    const auto bits = [](std::uint64_t b) { return fromBits(b); };
    const int ulps = static_cast<int>(rng() % 5) - 2; // a step of up to two ulps either way
    const auto nudge = [ulps](double x) {
        double y = x;
        for (int i = 0; i < std::abs(ulps); ++i)
            y = std::nextafter(y, ulps < 0 ? -HUGE_VAL : HUGE_VAL);
        return std::isfinite(y) ? y : x;
    };
    const double sign = rng() % 2 ? -1.0 : 1.0;
    switch (kind) {
    case Kind::RandomBits: {
        const double x = bits(rng());
        return std::isfinite(x) ? x : bits(rng() >> 2);
    }
    case Kind::Subnormal:
        return sign * bits(rng() & 0x000fffffffffffffULL);
    case Kind::FifteenthDigitTie: { // 16 significant digits ending in 5, on or beside the tie
        // Every fourth lies where doubles hold such a number exactly: the tie goes to the even.
        const int exponent = n % 4 ? static_cast<int>(rng() % 630) - 337 : -(n / 4 % 3);
        return sign *
               nudge(decimal((100000000000000 + rng() % 900000000000000) * 10 + 5, exponent));
    }
    case Kind::PowerOfTen: { // a power of ten, or the fifteen nines that round up to it
        const int exponent = n % 632 - 323;
        return sign *
               nudge(n % 2 ? decimal(1, exponent) : decimal(9999999999999995, exponent - 16));
    }
    case Kind::Edge: {
        const double edges[] = {0.0, DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1e-5, 1e-4, 1e15, 1e14};
        const double edge = edges[n % std::size(edges)];
        if (n % 3 == 2) // down from the largest double, where the text's exponent is 308
            return sign * bits(0x7fefffffffffffffULL - rng() % 4096);
        return sign * (n % 3 ? nudge(edge) : edge);
    }
    case Kind::Interpolated: {
        const double a = (static_cast<double>(rng() % 2000001) - 1000000) / 1000;
        const double d = (static_cast<double>(rng() % 2000001) - 1000000) /
                         static_cast<double>(rng() % 32766 + 1);
        return static_cast<double>(n % 32765 + 1) * d + a;
    }
    }
    return 0;
}

} // namespace

// The fast text form against the C library's, number by number: one changed text fails.
class NumberTextEqualityTest : public QObject {
    Q_OBJECT

private slots:
    void sameTextAsReference_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        const struct {
            const char *name;
            Kind kind;
            int count;
        } kinds[] = {{"random bit patterns", Kind::RandomBits, 600000},
                     {"subnormals", Kind::Subnormal, 100000},
                     {"ties at the 15th digit", Kind::FifteenthDigitTie, 150000},
                     {"powers of ten and 9.99..95", Kind::PowerOfTen, 50000},
                     {"zeros, extremes and their neighbours", Kind::Edge, 50000},
                     {"interpolated terms", Kind::Interpolated, 300000}};
        for (const char *localeName : {"ca", "C"}) {
            for (const auto &kind : kinds)
                QTest::addRow("%s %s", localeName, kind.name)
                    << QString::fromLatin1(localeName) << static_cast<int>(kind.kind)
                    << kind.count / kScale;
        }
    }

    void sameTextAsReference()
    {
        QFETCH(QString, localeName);
        QFETCH(int, kind);
        QFETCH(int, count);
        const QLocale locale(localeName);
        const NumberTextForm form(locale);
        std::mt19937_64 rng(20261208 + kind);
        for (int n = 0; n < count; ++n) {
            const double value = sample(static_cast<Kind>(kind), n, rng);
            const QString expected = referenceDoubleToText(value, locale);
            const QString text = form(value);
            if (text != expected) {
                QFAIL(qPrintable(QStringLiteral("%1 (bits %2): \"%3\", not \"%4\"")
                                     .arg(value, 0, 'g', 17)
                                     .arg(toBits(value), 16, 16, QChar(u'0'))
                                     .arg(text, expected)));
            }
            if (n % 64 == 0)
                QCOMPARE(doubleToText(value, locale), expected);
        }
    }
};

QTEST_GUILESS_MAIN(NumberTextEqualityTest)

#include "number_text_equality_test.moc"
