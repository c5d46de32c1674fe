// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/checked.h"
#include "core/failure_message.h"

#include <QTest>
#include <cfloat>
#include <functional>

using namespace tirel;

Q_DECLARE_METATYPE(std::function<Num()>)

class CheckedTest : public QObject {
    Q_OBJECT

private slots:
    void failures_data()
    {
        QTest::addColumn<std::function<Num()>>("formula");
        QTest::addColumn<QString>("text");

        // clang-format off
        QTest::newRow("x / 0") << std::function<Num()>([] { return Num(1) / 0.0; }) << "Divisió per zero";
        QTest::newRow("0 / 0") << std::function<Num()>([] { return Num(0) / 0.0; }) << "Divisió per zero";
        QTest::newRow("x / -0") << std::function<Num()>([] { return Num(3) / -0.0; }) << "Divisió per zero";
        QTest::newRow("sum overflows") << std::function<Num()>([] { return Num(DBL_MAX) + DBL_MAX; })
                                       << "Desbordament";
        QTest::newRow("overflow hidden by a later division")
            << std::function<Num()>([] { return Num(1e300) * 1e300 / 1e300; }) << "Desbordament";
        QTest::newRow("quotient overflows") << std::function<Num()>([] { return Num(1e300) / 1e-300; })
                                            << "Desbordament";
        QTest::newRow("power overflows") << std::function<Num()>([] { return pow(Num(10), 400); })
                                         << "Desbordament";
        QTest::newRow("exp overflows") << std::function<Num()>([] { return exp(Num(1000)); }) << "Desbordament";
        QTest::newRow("ln 0") << std::function<Num()>([] { return ln(Num(0)); }) << "Operació no vàlida";
        QTest::newRow("ln negative") << std::function<Num()>([] { return ln(Num(-2)); }) << "Operació no vàlida";
        QTest::newRow("negative base fractional power")
            << std::function<Num()>([] { return pow(Num(-8), 1.0 / 3.0); }) << "Operació no vàlida";
        QTest::newRow("0 to a negative power") << std::function<Num()>([] { return pow(Num(0), -1); })
                                               << "Operació no vàlida";
        // clang-format on
    }

    void failures()
    {
        QFETCH(std::function<Num()>, formula);
        QFETCH(QString, text);
        try {
            const Num result = formula();
            QFAIL(qPrintable(QString("no failure, got %1").arg(result.value())));
        } catch (const NumericFailure &failure) {
            const Message message = calculationErrorMessage(failure.kind());
            QCOMPARE(message.title, QString("Error de càlcul"));
            QCOMPARE(message.text, text);
            QCOMPARE(message.icon, MessageIcon::Warning);
        }
    }

    void ordinaryResults()
    {
        QCOMPARE(pow(Num(-2), 3).value(), -8.0); // a whole exponent takes a negative base
        QCOMPARE(pow(Num(0), 0).value(), 1.0);
        QCOMPARE((Num(1e-300) * 1e-300).value(), 0.0); // underflow is no failure
        QCOMPARE(ln(Num(1)).value(), 0.0);
        QCOMPARE(((Num(5) - 1) * 2 + 1).value(), 9.0);
    }
};

QTEST_GUILESS_MAIN(CheckedTest)
#include "checked_test.moc"
