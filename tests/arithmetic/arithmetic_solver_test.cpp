// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "support/recording_sink.h"

#include <QTest>

using namespace tirel;

class ArithmeticSolverTest : public QObject {
    Q_OBJECT

private:
    static void typeGroup(Calculator &calc, const QStringList &texts)
    {
        for (int p = 0; p < 5; ++p)
            calc.edit(field::Id(p), texts[p]);
    }
    static QStringList groupTexts(const Calculator &calc)
    {
        QStringList texts;
        for (int p = 0; p < 5; ++p)
            texts << calc.form().text(field::Id(p));
        return texts;
    }

private slots:
    // Fields a1, d, n, an, Sn before and after a press of "Ok", in a point locale.
    void solves_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("012") << QStringList{"1", "2", "5", "", ""}
                             << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("023") << QStringList{"1", "", "5", "9", ""}
                             << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("024") << QStringList{"1", "", "5", "", "25"}
                             << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("123") << QStringList{"", "2", "5", "9", ""}
                             << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("124") << QStringList{"", "2", "5", "", "25"}
                             << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("234") << QStringList{"", "", "5", "9", "25"}
                             << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("one term, no division")
            << QStringList{"1", "2", "1", "", ""} << QStringList{"1", "2", "1", "1", "1"};
        QTest::newRow("fractional n used as typed")
            << QStringList{"1", "2", "2.5", "", ""} << QStringList{"1", "2", "2.5", "4", "6.25"};
        QTest::newRow("negative n used as typed")
            << QStringList{"1", "2", "-3", "", ""} << QStringList{"1", "2", "-3", "-7", "9"};
        QTest::newRow("inconsistent: first three win")
            << QStringList{"1", "2", "5", "100", "200"} << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("letters replaced")
            << QStringList{"1", "2", "5", "abc", "-"} << QStringList{"1", "2", "5", "9", "25"};
        // 124: Sn / n and ((n - 1) * d) / 2 formed apart, the second subtracted.
        QTest::newRow("124 order")
            << QStringList{"", "0.1", "3", "", "1"}
            << QStringList{"0.233333333333333", "0.1", "3", "0.433333333333333", "1"};
        // 2·Sn is Sn + Sn, then divided by n.
        QTest::newRow("234 rounding")
            << QStringList{"", "", "3", "0.1", "0.7"}
            << QStringList{"0.366666666666667", "-0.133333333333333", "3", "0.1", "0.7"};
        QTest::newRow("given texts kept") << QStringList{" 1 ", "2E0", "+5", "", ""}
                                          << QStringList{" 1 ", "2E0", "+5", "9", "25"};
        // (n - 1) * d formed first, a1 added last: n * d - d + a1 ends in ...001.
        QTest::newRow("012 order") << QStringList{"0.3", "2.7", "1.1", "", ""}
                                   << QStringList{"0.3", "2.7", "1.1", "0.57", "0.4785"};
    }

    void solves()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeGroup(calc, before);
        calc.pressOkAr();
        QVERIFY(sink.messages.isEmpty());
        QCOMPARE(groupTexts(calc), after);
    }

    // The fields read and written with the Catalan rules: a well-placed group separator is
    // part of the number, a misplaced one makes the text no number at all.
    void commaLocale_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("decimal commas") << QStringList{"0,5", "0,25", "4", "", ""}
                                        << QStringList{"0,5", "0,25", "4", "1,25", "3,5"};
        QTest::newRow("group separator read")
            << QStringList{"1.500", "1,5", "2", "", ""}
            << QStringList{"1.500", "1,5", "2", "1501,5", "3001,5"};
        QTest::newRow("misplaced group is no number")
            << QStringList{"1.5", "2", "5", "9", ""} << QStringList{"1", "2", "5", "9", "25"};
        QTest::newRow("no grouping written")
            << QStringList{"1234567", "0,5", "2", "", ""}
            << QStringList{"1234567", "0,5", "2", "1234567,5", "2469134,5"};
    }

    void commaLocale()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale(QLocale::Catalan));
        typeGroup(calc, before);
        calc.pressOkAr();
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(groupTexts(calc), after);
    }

    // Refusals and failures: one box, and not a field changed.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");

        const int none = int(MessageIcon::None);
        const int warning = int(MessageIcon::Warning);
        QTest::newRow("n unknown 013")
            << QStringList{"1", "2", "", "9", ""} << "n no pot ser incògnita"
            << "n ha de ser enter" << none;
        QTest::newRow("n unknown 014")
            << QStringList{"1", "2", "", "", "25"} << "n no pot ser incògnita"
            << "n ha de ser enter" << none;
        QTest::newRow("n unknown 034")
            << QStringList{"1", "", "x", "9", "25"} << "n no pot ser incògnita"
            << "n ha de ser enter" << none;
        QTest::newRow("n unknown 134")
            << QStringList{"", "2", "", "9", "25"} << "n no pot ser incògnita"
            << "n ha de ser enter" << none;
        QTest::newRow("too few") << QStringList{"1", "abc", "", "", "5"} << "Dades insuficients"
                                 << "Són necessàries 3 dades" << warning;
        QTest::newRow("023 n = 1") << QStringList{"1", "", "1", "9", ""} << "Error de càlcul"
                                   << "Divisió per zero" << warning;
        QTest::newRow("024 n = 0") << QStringList{"1", "", "0", "", "25"} << "Error de càlcul"
                                   << "Divisió per zero" << warning;
        QTest::newRow("024 n = 1") << QStringList{"1", "", "1", "", "25"} << "Error de càlcul"
                                   << "Divisió per zero" << warning;
        QTest::newRow("124 n = 0") << QStringList{"", "2", "0", "", "25"} << "Error de càlcul"
                                   << "Divisió per zero" << warning;
        QTest::newRow("234 n = 0") << QStringList{"", "", "0", "9", "25"} << "Error de càlcul"
                                   << "Divisió per zero" << warning;
        QTest::newRow("234 n = 1") << QStringList{"", "", "1", "9", "25"} << "Error de càlcul"
                                   << "Divisió per zero" << warning;
        QTest::newRow("012 overflow in an")
            << QStringList{"1E+308", "1E+308", "3", "", ""} << "Error de càlcul"
            << "Desbordament" << warning;
        QTest::newRow("012 overflow in Sn only")
            << QStringList{"1E+308", "0", "2", "", ""} << "Error de càlcul"
            << "Desbordament" << warning;
        QTest::newRow("124 overflow in the product")
            << QStringList{"", "1E+308", "1E+300", "", "1"} << "Error de càlcul"
            << "Desbordament" << warning;
        // Sn is ((an + a1) * n) / 2: the product overflows before the halving could save it.
        QTest::newRow("012 Sn multiplies before it halves")
            << QStringList{"5E+307", "0", "3", "", ""} << "Error de càlcul"
            << "Desbordament" << warning;
    }

    void refusals()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, icon);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeGroup(calc, before);
        calc.pressOkAr();
        QCOMPARE(sink.messages.size(), 1);
        QCOMPARE(sink.messages[0].title, title);
        QCOMPARE(sink.messages[0].text, text);
        QCOMPARE(int(sink.messages[0].icon), icon);
        QCOMPARE(groupTexts(calc), before);
    }

    // A second press recomputes the later fields from the first three, as rounded in the fields.
    void secondPressRecomputesFromTheFields()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeGroup(calc, {"", "", "4", "1", "2"});
        calc.pressOkAr();
        const QStringList first = groupTexts(calc);
        QCOMPARE(first, (QStringList{"0", "0.333333333333333", "4", "1", "2"}));
        calc.pressOkAr();
        QCOMPARE(groupTexts(calc),
                 (QStringList{"0", "0.333333333333333", "4", "0.999999999999999", "2"}));
    }
};

QTEST_GUILESS_MAIN(ArithmeticSolverTest)
#include "arithmetic_solver_test.moc"
