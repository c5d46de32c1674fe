// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "core/checked.h"
#include "geometric/geometric_section.h"
#include "support/recording_sink.h"

#include <QTest>

using namespace tirel;

namespace {
// The fields a1, r, n, an, Sn, each written by one edit (as a paste would), in order.
void fillGroup(Calculator &calc, const QStringList &texts)
{
    for (int p = 0; p < 5; ++p)
        calc.edit(field::Idg(p), texts[p]);
}

QStringList groupTexts(const Form &form)
{
    QStringList texts;
    for (int p = 0; p < 5; ++p)
        texts << form.text(field::Idg(p));
    return texts;
}
} // namespace

class GeometricSolverTest : public QObject {
    Q_OBJECT

private slots:
    // a1, r, n, an, Sn before and after a press of "Ok", and the infinite-sum display after it.
    void solves_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("sumOn");
        QTest::addColumn<QString>("sum");

        QTest::newRow("012") << QStringList{"3", "2", "4", "", ""}
                             << QStringList{"3", "2", "4", "24", "45"} << false << "";
        QTest::newRow("012 decreasing") << QStringList{"8", "0.5", "3", "", ""}
                                        << QStringList{"8", "0.5", "3", "2", "14"} << true << "16";
        QTest::newRow("123") << QStringList{"", "2", "4", "24", ""}
                             << QStringList{"3", "2", "4", "24", "45"} << false << "";
        QTest::newRow("124 keeps Sn as typed")
            << QStringList{"", "2", "4", "", "45.0"} << QStringList{"3", "2", "4", "24", "45.0"}
            << false << "";
        QTest::newRow("023 positive root") << QStringList{"1", "", "3", "4", ""}
                                           << QStringList{"1", "2", "3", "4", "7"} << false << "";
        QTest::newRow("023") << QStringList{"3", "", "4", "24", ""}
                             << QStringList{"3", "2", "4", "24", "45"} << false << "";
        QTest::newRow("023 decreasing") << QStringList{"16", "", "5", "1", ""}
                                        << QStringList{"16", "0.5", "5", "1", "31"} << true << "32";
        QTest::newRow("one term") << QStringList{"5", "3", "1", "", ""}
                                  << QStringList{"5", "3", "1", "5", "5"} << false << "";
        QTest::newRow("negative ratio, whole exponent")
            << QStringList{"1", "-2", "4", "", ""} << QStringList{"1", "-2", "4", "-8", "-5"}
            << false << "";
        // n is used as typed: 4^1.5 = 8 and Sn = 31 / 3.
        QTest::newRow("fractional n")
            << QStringList{"1", "4", "2.5", "", ""}
            << QStringList{"1", "4", "2.5", "8", "10.3333333333333"} << false << "";
        // Each row in its tabled order: the rearrangements named in each row give another
        // last digit for these values.
        QTest::newRow("012 Sn as (an * r - a1) / (r - 1), not a1 (r^n - 1) / (r - 1)")
            << QStringList{"0.1", "1.1", "2.5", "", ""}
            << QStringList{"0.1", "1.1", "2.5", "0.115368973298717", "0.269058706285884"} << false
            << "";
        QTest::newRow("012 an as r^(n - 1) * a1, not a1 * r^n / r")
            << QStringList{"0.3", "2.7", "1.5", "", ""}
            << QStringList{"0.3", "2.7", "1.5", "0.492950301754649", "0.606450479257384"} << false
            << "";
        QTest::newRow("023 r through ln and exp, not a power of 1 / (n - 1)")
            << QStringList{"0.1", "", "3", "5", ""}
            << QStringList{"0.1", "7.07106781186547", "3", "5", "5.80710678118655"} << false << "";
        QTest::newRow("123 a1 as an / r^(n - 1), not an * r^(1 - n)")
            << QStringList{"", "1.1", "4", "9.1", ""}
            << QStringList{"6.83696468820435", "1.1", "4", "9.1", "31.7303531179564"} << false
            << "";
        QTest::newRow("124 a1 as ((r - 1) * Sn) / (r^n - 1)")
            << QStringList{"", "1.1", "4", "", "0.3"}
            << QStringList{"0.0646412411118294", "1.1", "4", "0.0860374919198449", "0.3"} << false
            << "";
        QTest::newRow("inconsistent: a1, r and n win")
            << QStringList{"8", "0.5", "3", "100", "200"} << QStringList{"8", "0.5", "3", "2", "14"}
            << true << "16";
        QTest::newRow("letters replaced") << QStringList{"3", "abc", "4", "24", "-"}
                                          << QStringList{"3", "2", "4", "24", "45"} << false << "";
        QTest::newRow("ratio -1 switches the display off")
            << QStringList{"1", "-1", "3", "", ""} << QStringList{"1", "-1", "3", "1", "1"} << false
            << "";
        // The written a1 shows its sum in S, which is not turned back into a1.
        QTest::newRow("123 a1 stays beside the rounded sum")
            << QStringList{"", "0.1", "3", "0.01", ""}
            << QStringList{"1", "0.1", "3", "0.01", "1.11"} << true << "1.11111111111111";
        // a1 = 5 / 0.1^2 is 499.99999999999994, written "500", whose sum is 555.555555555556.
        // The final sum comes from the solver's own a1, 555.555555555555, and stays as written.
        QTest::newRow("final sum from the full-precision a1")
            << QStringList{"", "0.1", "3", "5", ""} << QStringList{"500", "0.1", "3", "5", "555"}
            << true << "555.555555555555";
    }

    void solves()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(bool, sumOn);
        QFETCH(QString, sum);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, before);
        calc.pressOkGe();
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(groupTexts(calc.form()), after);
        QCOMPARE(calc.form().sumDisplayOn(), sumOn);
        QCOMPARE(calc.form().text(field::Idg(5)), sum);
    }

    void commaLocale()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale(QLocale::Catalan));
        fillGroup(calc, {"8", "0,5", "2,5", "", ""});
        calc.pressOkGe();
        QCOMPARE(sink.messages, QList<Message>{});
        // 0.5^1.5 * 8 = 2.82842712474619..., Sn = (an * 0.5 - 8) / -0.5.
        QCOMPARE(groupTexts(calc.form()),
                 (QStringList{"8", "0,5", "2,5", "2,82842712474619", "13,1715728752538"}));
        QCOMPARE(calc.form().text(field::Idg(5)), QStringLiteral("16"));
    }

    // A sum the solve leaves behind with an r of 1 or more: off and emptied.
    void solveSwitchesAnEarlierSumOff()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, {"", "", "3", "24", ""});
        calc.edit(field::Idg(0), "2");
        calc.edit(field::Idg(1), "0.5");
        QCOMPARE(calc.form().text(field::Idg(5)), QStringLiteral("4"));
        calc.edit(field::Idg(1), "");
        QVERIFY(calc.form().sumDisplayOn());
        QCOMPARE(calc.form().text(field::Idg(5)), QStringLiteral("4"));
        calc.pressOkGe(); // key 023: r = 2 * sqrt(3) > 1
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(calc.form().text(field::Idg(1)), QStringLiteral("3.46410161513775"));
        QVERIFY(!calc.form().sumDisplayOn());
        QCOMPARE(calc.form().text(field::Idg(5)), QString());
    }

    // The solve decides the display again even when no written field is a1 or r.
    void solveDecidesAfterAClick()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, {"3", "2", "", "", ""});
        calc.clickIdg(5);
        calc.edit(field::Idg(2), "4");
        QVERIFY(calc.form().sumDisplayOn());
        calc.pressOkGe();
        QVERIFY(!calc.form().sumDisplayOn());
        QCOMPARE(groupTexts(calc.form()), (QStringList{"3", "2", "4", "24", "45"}));
    }

    // The sum of a finished solve that cannot be formed is dropped; the solve itself stands.
    void sumOverflowIsNoFailureOfTheSolve()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, {"1E308", "0.5", "1", "", ""});
        calc.pressOkGe();
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(groupTexts(calc.form()), (QStringList{"1E308", "0.5", "1", "1E+308", "1E+308"}));
        QVERIFY(calc.form().sumDisplayOn());
        QCOMPARE(calc.form().text(field::Idg(5)), QString());
    }

    // Refusals: one box with its title, text and icon; no field and no display state changes.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        QTest::newRow("024") << QStringList{"1", "", "3", "", "7"} << "Cas no contemplat"
                             << "(Dades: a1, an, Sn)";
        QTest::newRow("234") << QStringList{"", "", "3", "4", "7"} << "Cas no contemplat"
                             << "(Dades: n, an, Sn)";
        QTest::newRow("013") << QStringList{"1", "2", "", "8", ""} << "n no pot ser incògnita"
                             << "n ha de ser enter";
        QTest::newRow("014") << QStringList{"1", "0.5", "", "", "2"} << "n no pot ser incògnita"
                             << "n ha de ser enter";
        QTest::newRow("034") << QStringList{"1", "x", "", "8", "15"} << "n no pot ser incògnita"
                             << "n ha de ser enter";
        QTest::newRow("134") << QStringList{"", "2", "", "8", "15"} << "n no pot ser incògnita"
                             << "n ha de ser enter";
        QTest::newRow("too few") << QStringList{"1", "0.5", "abc", "", ""} << "Dades insuficients"
                                 << "Són necessàries 3 dades";
    }

    void refusals()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, title);
        QFETCH(QString, text);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, before);
        const bool sumOn = calc.form().sumDisplayOn();
        const QString sum = calc.form().text(field::Idg(5));
        calc.pressOkGe();
        QCOMPARE(sink.messages, (QList<Message>{{title, text, MessageIcon::Warning}}));
        QCOMPARE(groupTexts(calc.form()), before);
        QCOMPARE(calc.form().sumDisplayOn(), sumOn);
        QCOMPARE(calc.form().text(field::Idg(5)), sum);
    }

    // No CalcSuma after a box: a display switched on by a click stays on although r = 2.
    void noSumAfterABox()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, {"1", "2", "", "", ""});
        calc.clickIdg(5);
        calc.edit(field::Idg(3), "8");
        QVERIFY(calc.form().sumDisplayOn());
        calc.pressOkGe();
        QCOMPARE(sink.messages.size(), 1);
        QVERIFY(calc.form().sumDisplayOn());
    }

    // Formula failures after "Ok": "Error de càlcul" naming the failure; every field, the
    // display and its sum as they were.
    void failures_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("text");

        const QString zero = QStringLiteral("Divisió per zero");
        const QString overflow = QStringLiteral("Desbordament");
        const QString invalid = QStringLiteral("Operació no vàlida");
        QTest::newRow("012 r = 1") << QStringList{"1", "1", "5", "", ""} << zero;
        QTest::newRow("023 r = 1") << QStringList{"4", "", "5", "4", ""} << zero;
        QTest::newRow("023 n = 1") << QStringList{"1", "", "1", "4", ""} << zero;
        QTest::newRow("023 a1 = 0") << QStringList{"0", "", "3", "4", ""} << zero;
        QTest::newRow("023 negative quotient") << QStringList{"1", "", "3", "-4", ""} << invalid;
        QTest::newRow("023 negative a1") << QStringList{"-1", "", "3", "4", ""} << invalid;
        QTest::newRow("023 an = 0") << QStringList{"1", "", "3", "0", ""} << invalid;
        QTest::newRow("012 negative ratio, fractional power")
            << QStringList{"1", "-2", "2.5", "", ""} << invalid;
        QTest::newRow("012 zero to a negative power")
            << QStringList{"1", "0", "0", "", ""} << invalid;
        QTest::newRow("012 overflow") << QStringList{"1E300", "1E10", "3", "", ""} << overflow;
        QTest::newRow("123 r = 0") << QStringList{"", "0", "3", "4", ""} << zero;
        QTest::newRow("123 r = 1") << QStringList{"", "1", "3", "4", ""} << zero;
        QTest::newRow("124 r = -1, even n") << QStringList{"", "-1", "4", "", "10"} << zero;
        QTest::newRow("124 r = 1") << QStringList{"", "1", "4", "", "10"} << zero;
        QTest::newRow("124 overflow in the power")
            << QStringList{"", "1E10", "40", "", "1"} << overflow;
        // The sum shown beforehand must stay.
        QTest::newRow("012 overflow beside a sum")
            << QStringList{"3", "0.5", "-2000", "", ""} << overflow;
    }

    void failures()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, text);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        fillGroup(calc, before);
        const bool sumOn = calc.form().sumDisplayOn();
        const QString sum = calc.form().text(field::Idg(5));
        calc.pressOkGe();
        QCOMPARE(sink.messages,
                 (QList<Message>{{QStringLiteral("Error de càlcul"), text, MessageIcon::Warning}}));
        QCOMPARE(groupTexts(calc.form()), before);
        QCOMPARE(calc.form().sumDisplayOn(), sumOn);
        QCOMPARE(calc.form().text(field::Idg(5)), sum);
    }

    // Whoever runs the solver itself receives the failure (the geometric interpolation answers
    // it with its own message).
    void failureReachesTheCaller()
    {
        test::RecordingSink sink;
        Form form(QLocale::c());
        GeometricSection section(form, sink);
        for (int p = 0; p < 3; ++p)
            form.setText(field::Idg(p), QStringList{"1", "1", "5"}[p]);
        try {
            section.OkGe_Click();
            QFAIL("the solve did not fail");
        } catch (const NumericFailure &failure) {
            QCOMPARE(failure.kind(), FailureKind::DivisionByZero);
        }
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(form.text(field::Idg(3)), QString());
    }

    // The write-back writes the solver's own slots: ValProg, refreshed from the texts by the
    // handling of the a1 write, would give an as 0 (its field was empty) and not 1.
    void ownSlots()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        calc.form().valProg().fill(7.0);
        fillGroup(calc, {"", "0.5", "3", "", "7"});
        calc.form().valProg().fill(7.0);
        calc.pressOkGe();
        QCOMPARE(groupTexts(calc.form()), (QStringList{"4", "0.5", "3", "1", "7"}));
        QCOMPARE(calc.form().text(field::Idg(5)), QStringLiteral("8"));
    }
};

QTEST_GUILESS_MAIN(GeometricSolverTest)
#include "geometric_solver_test.moc"
