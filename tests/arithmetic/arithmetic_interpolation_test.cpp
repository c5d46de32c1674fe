// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "core/number_text.h"
#include "support/recording_sink.h"

#include <QElapsedTimer>
#include <QTest>

using namespace tirel;

namespace {
const Message kCannotCalculate{QStringLiteral("No es pot calcular"), QStringLiteral("Falten dades"),
                               MessageIcon::Warning};

// What stands before each press, so that a failure can be seen to change nothing.
const QStringList kFieldsBefore{"9", "9", "9", "77", "88"};
const QStringList kEntriesBefore{"old 1", "old 2"};
const QString kTextLineBefore = QStringLiteral("old 1");

QLocale localeNamed(const QString &name)
{
    return name == u"C" ? QLocale::c() : QLocale(QLocale::Catalan, QLocale::Spain);
}

void prepare(Calculator &calculator)
{
    for (int p = 0; p < 5; ++p)
        calculator.edit(field::Id(p), kFieldsBefore[p]);
    calculator.form().setListEntries(ListId::LstIntrp, kEntriesBefore);
    calculator.form().setListTextLine(ListId::LstIntrp, kTextLineBefore);
}

QStringList arithmeticFields(const Form &form)
{
    QStringList texts;
    for (int p = 0; p < 5; ++p)
        texts << form.text(field::Id(p));
    return texts;
}
} // namespace

class ArithmeticInterpolationTest : public QObject {
    Q_OBJECT

private slots:
    void press_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QStringList>("fields"); // a1, d, n, an, Sn after the press
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("textLine");

        const QStringList empty;
        QTest::newRow("3 terms between 2 and 10")
            << "ca"
            << "3"
            << "2"
            << "10" << false << QStringList{"2", "2", "5", "10", "30"} << QStringList{"4", "6", "8"}
            << "4";
        QTest::newRow("K = 0 empties the list")
            << "ca"
            << "0"
            << "2"
            << "10" << false << QStringList{"2", "8", "2", "10", "12"} << empty << "";
        QTest::newRow("B below A decreases")
            << "ca"
            << "3"
            << "10"
            << "2" << false << QStringList{"10", "-2", "5", "2", "30"} << QStringList{"8", "6", "4"}
            << "8";
        QTest::newRow("both ends negative")
            << "ca"
            << "1"
            << "-2"
            << "-8" << false << QStringList{"-2", "-3", "3", "-8", "-15"} << QStringList{"-5"}
            << "-5";
        QTest::newRow("opposite signs") << "ca"
                                        << "3"
                                        << "-4"
                                        << "4" << false << QStringList{"-4", "2", "5", "4", "0"}
                                        << QStringList{"-2", "0", "2"} << "-2";
        QTest::newRow("A = B") << "ca"
                               << "2"
                               << "5"
                               << "5" << false << QStringList{"5", "0", "4", "5", "20"}
                               << QStringList{"5", "5"} << "5";
        QTest::newRow("decimal ends, comma locale")
            << "ca"
            << "1"
            << "0,5"
            << "1,5" << false << QStringList{"0,5", "0,5", "3", "1,5", "3"} << QStringList{"1"}
            << "1";
        QTest::newRow("decimal ends, point locale")
            << "C"
            << "3"
            << "0.5"
            << "2.5" << false << QStringList{"0.5", "0.5", "5", "2.5", "7.5"}
            << QStringList{"1", "1.5", "2"} << "1";
        QTest::newRow("K 2,5 gives 2 terms")
            << "ca"
            << "2,5"
            << "0"
            << "3" << false << QStringList{"0", "1", "4", "3", "6"} << QStringList{"1", "2"} << "1";
        QTest::newRow("K 3,5 gives 4 terms")
            << "ca"
            << "3,5"
            << "0"
            << "5" << false << QStringList{"0", "1", "6", "5", "15"}
            << QStringList{"1", "2", "3", "4"} << "1";
        QTest::newRow("K 2.5 gives 2 terms, point locale")
            << "C"
            << "2.5"
            << "0"
            << "3" << false << QStringList{"0", "1", "4", "3", "6"} << QStringList{"1", "2"} << "1";
        // n = -1 and d = 8 / -2: no failure, the solver completes an and Sn from them.
        QTest::newRow("K = -3 below -1")
            << "ca"
            << "-3"
            << "2"
            << "10" << false << QStringList{"2", "-4", "-1", "10", "-6"} << empty << "";
        // The list keeps d at full precision; the solver reads d back as its text rounded it.
        QTest::newRow("solver reads the rounded difference")
            << "ca"
            << "2"
            << "0"
            << "1" << false << QStringList{"0", "0,333333333333333", "4", "0,999999999999999", "2"}
            << QStringList{"0,333333333333333", "0,666666666666667"} << "0,333333333333333";

        const QStringList unchanged = kFieldsBefore;
        auto failure = [&](const char *name, const char *localeName, const char *k, const char *a,
                           const char *b) {
            QTest::newRow(name) << localeName << k << a << b << true << unchanged << kEntriesBefore
                                << kTextLineBefore;
        };
        failure("K = -1 divides by zero", "ca", "-1", "2", "10");
        failure("K = 32766 leaves no room for n", "ca", "32766", "2", "10");
        failure("K above 16 bits", "ca", "40000", "2", "10");
        failure("K below 16 bits", "ca", "-32769", "2", "10");
        failure("K empty", "ca", "", "2", "10");
        failure("K letters", "ca", "abc", "2", "10");
        failure("K blanks", "ca", "  ", "2", "10");
        failure("K in the other locale's notation", "ca", "2.5", "0", "3");
        failure("A empty", "ca", "3", "", "10");
        failure("B letters", "ca", "3", "2", "x");
        failure("B - A overflows", "ca", "3", "-1E+308", "1E+308");
        // a1, d and n are written, then Sn = (an + a1) * n / 2 overflows inside the solver: an,
        // Sn and the list stay as they were.
        QTest::newRow("solver overflows on Sn")
            << "ca"
            << "0"
            << "1E+308"
            << "1E+308" << true << QStringList{"1E+308", "0", "2", "77", "88"} << kEntriesBefore
            << kTextLineBefore;
    }

    void press()
    {
        QFETCH(QString, localeName);
        QFETCH(QString, k);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, fails);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, entries);
        QFETCH(QString, textLine);

        test::RecordingSink sink;
        Calculator calculator(sink, localeNamed(localeName));
        prepare(calculator);
        calculator.edit(field::IdK, k);
        calculator.edit(field::IdA, a);
        calculator.edit(field::IdB, b);
        calculator.pressOkab();

        if (fails) {
            // One box only: a failure inside the solver never adds its own.
            QCOMPARE(sink.messages.size(), 1);
            QCOMPARE(sink.messages.first(), kCannotCalculate);
        } else {
            QVERIFY2(sink.messages.isEmpty(), qPrintable(sink.messages.value(0).title));
        }
        QCOMPARE(arithmeticFields(calculator.form()), fields);
        QCOMPARE(calculator.form().listEntries(ListId::LstIntrp), entries);
        QCOMPARE(calculator.form().listTextLine(ListId::LstIntrp), textLine);
        // The interpolation line itself is never rewritten.
        QCOMPARE(calculator.form().text(field::IdK), k);
        QCOMPARE(calculator.form().text(field::IdA), a);
        QCOMPARE(calculator.form().text(field::IdB), b);
    }

    // A second press replaces the list rather than adding to it.
    void secondPressReplacesTheList()
    {
        test::RecordingSink sink;
        Calculator calculator(sink, QLocale(QLocale::Catalan, QLocale::Spain));
        calculator.edit(field::IdK, "3");
        calculator.edit(field::IdA, "2");
        calculator.edit(field::IdB, "10");
        calculator.pressOkab();
        calculator.edit(field::IdK, "1");
        calculator.pressOkab();
        QVERIFY(sink.messages.isEmpty());
        QCOMPARE(calculator.form().listEntries(ListId::LstIntrp), QStringList{"6"});
        QCOMPARE(calculator.form().listTextLine(ListId::LstIntrp), QString("6"));
        QCOMPARE(arithmeticFields(calculator.form()), (QStringList{"2", "4", "3", "10", "18"}));
    }

    // The largest K: exactly K entries, each from m * d + A with the full-precision d.
    void largestCount()
    {
        const QLocale locale = QLocale::c();
        test::RecordingSink sink;
        Calculator calculator(sink, locale);
        calculator.edit(field::IdK, "32765");
        calculator.edit(field::IdA, "0");
        calculator.edit(field::IdB, "1");

        QElapsedTimer timer;
        timer.start();
        calculator.pressOkab();
        qInfo("arithmetic interpolation of 32765 terms: %lld ms", timer.elapsed());

        QVERIFY(sink.messages.isEmpty());
        const QStringList &entries = calculator.form().listEntries(ListId::LstIntrp);
        QCOMPARE(entries.size(), 32765);
        const double d = 1.0 / 32766.0;
        double runningSum = 0.0;
        int differFromRunningSum = 0;
        for (int m = 1; m <= 32765; ++m) {
            runningSum += d;
            const QString expected = doubleToText(double(m) * d, locale);
            if (entries[m - 1] != expected)
                QFAIL(qPrintable(
                    QString("entry %1 is %2, not %3").arg(m).arg(entries[m - 1], expected)));
            if (doubleToText(runningSum, locale) != expected)
                ++differFromRunningSum;
        }
        // The case tells the two apart: a running sum would have listed other texts.
        QVERIFY(differFromRunningSum > 0);
        QCOMPARE(calculator.form().listTextLine(ListId::LstIntrp), entries.first());
        QCOMPARE(calculator.form().text(field::Id(2)), QString("32767"));
    }
};

QTEST_GUILESS_MAIN(ArithmeticInterpolationTest)
#include "arithmetic_interpolation_test.moc"
