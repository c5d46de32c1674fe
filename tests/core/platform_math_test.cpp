// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/test_main.h"
#include "tirel_libm.h"

#include <QTest>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

// The exp, log and pow that Windows links in must give glibc's results to the last bit. Run where
// glibc itself answers, each row sweeps a range of arguments through both and compares every bit.
class PlatformMathTest : public QObject {
    Q_OBJECT

private slots:
    void sameBitsAsGlibc_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("exponentLow"); // pow only
        QTest::addColumn<double>("exponentHigh");
        QTest::addColumn<bool>("wholeExponent");

        QTest::newRow("exp, formula range") << "exp" << -50.0 << 50.0 << 0.0 << 0.0 << false;
        QTest::newRow("exp, near overflow and underflow")
            << "exp" << -745.2 << 709.8 << 0.0 << 0.0 << false;
        QTest::newRow("exp, tiny arguments") << "exp" << -1e-9 << 1e-9 << 0.0 << 0.0 << false;
        QTest::newRow("log, around 1") << "log" << 0.9 << 1.1 << 0.0 << 0.0 << false;
        QTest::newRow("log, wide") << "log" << 1e-300 << 1e300 << 0.0 << 0.0 << false;
        QTest::newRow("log, subnormal and invalid")
            << "log" << -1e-310 << 1e-307 << 0.0 << 0.0 << false;
        QTest::newRow("pow, growth over whole periods")
            << "pow" << 1.0001 << 1.3 << 1.0 << 600.0 << true;
        QTest::newRow("pow, discount over whole periods")
            << "pow" << 0.7 << 0.9999 << -600.0 << -1.0 << true;
        QTest::newRow("pow, fractional exponents")
            << "pow" << 0.01 << 100.0 << -40.0 << 40.0 << false;
        QTest::newRow("pow, negative base") << "pow" << -3.0 << -0.5 << -60.0 << 60.0 << true;
        QTest::newRow("pow, overflow edge") << "pow" << 1.5 << 10.0 << 300.0 << 1800.0 << false;
    }

    void sameBitsAsGlibc()
    {
#ifndef __GLIBC__
        QSKIP("glibc, the reference, answers only on Linux");
#endif
        QFETCH(QString, function);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, exponentLow);
        QFETCH(double, exponentHigh);
        QFETCH(bool, wholeExponent);

        std::uint64_t state = 0x9e3779b97f4a7c15u;
        const auto next = [&state](double from, double to) {
            state = state * 6364136223846793005u + 1442695040888963407u;
            return from + (to - from) * double(state >> 11) * 0x1p-53;
        };
        int differing = 0;
        QString first;
        for (int i = 0; i < 200000; ++i) {
            const double x = next(low, high);
            double y = next(exponentLow, exponentHigh);
            if (wholeExponent)
                y = std::round(y);
            double ours = 0;
            double reference = 0;
            if (function == "exp") {
                ours = tirel_libm_exp(x);
                reference = std::exp(x);
            } else if (function == "log") {
                ours = tirel_libm_log(x);
                reference = std::log(x);
            } else {
                ours = tirel_libm_pow(x, y);
                reference = std::pow(x, y);
            }
            const bool same = std::isnan(ours) ? std::isnan(reference)
                                               : std::memcmp(&ours, &reference, sizeof ours) == 0;
            if (!same && differing++ == 0) {
                char text[160];
                std::snprintf(text, sizeof text, "(%a, %a): %a, glibc %a", x, y, ours, reference);
                first = function + text;
            }
        }
        QVERIFY2(differing == 0,
                 qPrintable(QString("%1 differ, first %2").arg(differing).arg(first)));
    }
};

TIREL_TEST(PlatformMathTest);
#include "platform_math_test.moc"
