// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "support/recording_sink.h"

#include <QTest>

using namespace tirel;

namespace {
constexpr int kRows = 4;

void typeRow(Calculator &calc, int section, const QStringList &texts)
{
    for (int k = 0; k < 4; ++k)
        calc.edit(field::IdI(section * 4 + k), texts[k]);
}

QStringList rowTexts(const Calculator &calc, int section)
{
    QStringList texts;
    for (int k = 0; k < 4; ++k)
        texts << calc.form().text(field::IdI(section * 4 + k));
    return texts;
}

QStringList allTexts(const Calculator &calc)
{
    QStringList texts;
    for (int i = 0; i < field::kFieldCount; ++i)
        texts << calc.form().text(FieldId{i});
    return texts;
}

Message calculationError(const char *text)
{
    return {QStringLiteral("Error de càlcul"), QString::fromUtf8(text), MessageIcon::Warning};
}
} // namespace

class InterestSolverTest : public QObject {
    Q_OBJECT

private slots:
    // One row before and after its "Ok", in a point locale. Fields: c|C|D, r, t, C|a.
    void solves_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("simple 012")
            << 0 << QStringList{"200", "25", "2", ""} << QStringList{"200", "25", "2", "300"};
        QTest::newRow("simple 023")
            << 0 << QStringList{"200", "", "2", "300"} << QStringList{"200", "25", "2", "300"};
        QTest::newRow("simple 123")
            << 0 << QStringList{"", "25", "2", "300"} << QStringList{"200", "25", "2", "300"};
        QTest::newRow("compound 012")
            << 1 << QStringList{"5", "100", "3", ""} << QStringList{"5", "100", "3", "40"};
        QTest::newRow("compound 023")
            << 1 << QStringList{"5", "", "3", "40"} << QStringList{"5", "100", "3", "40"};
        QTest::newRow("compound 123")
            << 1 << QStringList{"", "100", "3", "40"} << QStringList{"5", "100", "3", "40"};
        QTest::newRow("capitalisation 012")
            << 2 << QStringList{"600", "100", "2", ""} << QStringList{"600", "100", "2", "100"};
        QTest::newRow("capitalisation 123")
            << 2 << QStringList{"", "100", "2", "100"} << QStringList{"600", "100", "2", "100"};
        QTest::newRow("amortisation 012")
            << 3 << QStringList{"300", "100", "2", ""} << QStringList{"300", "100", "2", "400"};
        QTest::newRow("amortisation 123")
            << 3 << QStringList{"", "100", "2", "400"} << QStringList{"300", "100", "2", "400"};
        QTest::newRow("capitalisation one period")
            << 2 << QStringList{"200", "100", "1", ""} << QStringList{"200", "100", "1", "100"};
        QTest::newRow("amortisation one period")
            << 3 << QStringList{"100", "100", "1", ""} << QStringList{"100", "100", "1", "200"};
        QTest::newRow("capitalisation 10% over 3")
            << 2 << QStringList{"1000", "10", "3", ""}
            << QStringList{"1000", "10", "3", "274.649821477616"};
        QTest::newRow("amortisation 10% over 2")
            << 3 << QStringList{"1000", "10", "2", ""}
            << QStringList{"1000", "10", "2", "576.190476190476"};

        // All four filled: fields 0 to 2 are the givens, field 3 is recomputed.
        QTest::newRow("simple all four")
            << 0 << QStringList{"200", "25", "2", "999"} << QStringList{"200", "25", "2", "300"};
        QTest::newRow("compound all four")
            << 1 << QStringList{"5", "100", "3", "1"} << QStringList{"5", "100", "3", "40"};
        QTest::newRow("capitalisation all four")
            << 2 << QStringList{"600", "100", "2", "7"} << QStringList{"600", "100", "2", "100"};
        QTest::newRow("amortisation all four")
            << 3 << QStringList{"300", "100", "2", "-1"} << QStringList{"300", "100", "2", "400"};

        // Text that is not a number counts as empty and is replaced.
        QTest::newRow("letters in the rate")
            << 0 << QStringList{"200", "abc", "2", "300"} << QStringList{"200", "25", "2", "300"};
        QTest::newRow("blanks in the capital")
            << 1 << QStringList{"", "100", "3", "40"} << QStringList{"5", "100", "3", "40"};
        QTest::newRow("letters in the payment")
            << 3 << QStringList{"300", "100", "2", "x"} << QStringList{"300", "100", "2", "400"};
        QTest::newRow("given texts kept as typed") << 0 << QStringList{" 200 ", "2.5E1", "+2", ""}
                                                   << QStringList{" 200 ", "2.5E1", "+2", "300"};

        // No range check: negatives and fractional periods are used as typed.
        QTest::newRow("negative capital")
            << 0 << QStringList{"-200", "25", "2", ""} << QStringList{"-200", "25", "2", "-300"};
        QTest::newRow("half a period, simple")
            << 0 << QStringList{"200", "10", "0.5", ""} << QStringList{"200", "10", "0.5", "210"};
        QTest::newRow("half a period, compound")
            << 1 << QStringList{"100", "300", "0.5", ""} << QStringList{"100", "300", "0.5", "200"};
        QTest::newRow("negative rate, compound")
            << 1 << QStringList{"100", "-50", "2", ""} << QStringList{"100", "-50", "2", "25"};
        QTest::newRow("negative periods, compound")
            << 1 << QStringList{"100", "100", "-1", ""} << QStringList{"100", "100", "-1", "50"};
        QTest::newRow("negative rate from capitals")
            << 0 << QStringList{"200", "", "2", "100"} << QStringList{"200", "-25", "2", "100"};

        // Each step rounds to a double in the order the formulas write it; another arrangement
        // of the same formula gives a different last digit in these rows.
        QTest::newRow("simple 023 order") << 0 << QStringList{"100", "", "3", "110"}
                                          << QStringList{"100", "3.33333333333334", "3", "110"};
        QTest::newRow("simple 023 divides last")
            << 0 << QStringList{"12000", "", "12", "1750"}
            << QStringList{"12000", "-7.11805555555555", "12", "1750"};
        QTest::newRow("simple 123 order") << 0 << QStringList{"", "3.5", "7", "100"}
                                          << QStringList{"80.3212851405622", "3.5", "7", "100"};
        QTest::newRow("simple 123 rate as a fraction first")
            << 0 << QStringList{"", "1.3", "19", "250"}
            << QStringList{"200.481154771451", "1.3", "19", "250"};
        QTest::newRow("compound 012 r / 100 + 1, not (100 + r) / 100")
            << 1 << QStringList{"100", "2.7", "19", ""}
            << QStringList{"100", "2.7", "19", "165.896960204605"};
        QTest::newRow("compound 012 through the power")
            << 1 << QStringList{"100", "1.5", "12", ""}
            << QStringList{"100", "1.5", "12", "119.561817146153"};
        QTest::newRow("compound 023 through ln and exp")
            << 1 << QStringList{"100", "", "2", "2600"}
            << QStringList{"100", "409.901951359279", "2", "2600"};
        QTest::newRow("compound 123 order") << 1 << QStringList{"", "2.5", "2", "100"}
                                            << QStringList{"95.1814396192742", "2.5", "2", "100"};
        QTest::newRow("capitalisation 012 order")
            << 2 << QStringList{"100", "1.5", "15", ""}
            << QStringList{"100", "1.5", "15", "5.90584784785605"};
        QTest::newRow("capitalisation 123 order")
            << 2 << QStringList{"", "6", "5", "100"}
            << QStringList{"597.531853760001", "6", "5", "100"};
        QTest::newRow("amortisation 012 order")
            << 3 << QStringList{"100", "7", "20", ""}
            << QStringList{"100", "7", "20", "9.43929257432556"};
        QTest::newRow("amortisation 123 order") << 3 << QStringList{"", "3", "5", "100"}
                                                << QStringList{"457.970718719454", "3", "5", "100"};
    }

    void solves()
    {
        QFETCH(int, section);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeRow(calc, section, before);
        calc.pressOkInteres(section);
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(rowTexts(calc, section), after);
    }

    void commaLocale()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale(QLocale::Catalan));
        typeRow(calc, 0, {"1000", "2,5", "0,5", ""});
        typeRow(calc, 2, {"1000", "10", "3", ""});
        calc.pressOkInteres(0);
        calc.pressOkInteres(2);
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(rowTexts(calc, 0), (QStringList{"1000", "2,5", "0,5", "1012,5"}));
        QCOMPARE(rowTexts(calc, 2), (QStringList{"1000", "10", "3", "274,649821477616"}));
    }

    // Keys without a formula and too few data: one box, then the row as it stands afterwards.
    void refusals_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warningIcon");

        const QString noCase = QStringLiteral("Cas no contemplat");
        const QString missingT = QStringLiteral("Falta t");
        const QString hardEquation = QStringLiteral("Eqüació difícil de resoldre");
        const QString tooFewTitle = QStringLiteral("Dades insuficients");
        const QString tooFewText = QStringLiteral("Són necessàries 3 dades");

        // The missing quantity is written back as "0" after the box.
        QTest::newRow("simple, t missing")
            << 0 << QStringList{"200", "25", "", "300"} << QStringList{"200", "25", "0", "300"}
            << noCase << missingT << true;
        QTest::newRow("compound, t missing")
            << 1 << QStringList{"5", "100", "", "40"} << QStringList{"5", "100", "0", "40"}
            << noCase << missingT << true;
        QTest::newRow("capitalisation, t missing")
            << 2 << QStringList{"600", "100", "", "100"} << QStringList{"600", "100", "0", "100"}
            << noCase << missingT << true;
        QTest::newRow("amortisation, t missing")
            << 3 << QStringList{"300", "100", "", "400"} << QStringList{"300", "100", "0", "400"}
            << noCase << missingT << true;
        QTest::newRow("letters in t")
            << 1 << QStringList{"5", "100", "abc", "40"} << QStringList{"5", "100", "0", "40"}
            << noCase << missingT << true;
        QTest::newRow("capitalisation, rate missing")
            << 2 << QStringList{"600", "", "2", "100"} << QStringList{"600", "0", "2", "100"}
            << noCase << hardEquation << false;
        QTest::newRow("amortisation, rate missing")
            << 3 << QStringList{"300", "", "2", "400"} << QStringList{"300", "0", "2", "400"}
            << noCase << hardEquation << false;
        QTest::newRow("amortisation, letters in the rate")
            << 3 << QStringList{"300", "r", "2", "400"} << QStringList{"300", "0", "2", "400"}
            << noCase << hardEquation << false;

        // Too few data: nothing is written, letters stay.
        QTest::newRow("all empty")
            << 0 << QStringList{"", "", "", ""} << QStringList{"", "", "", ""} << tooFewTitle
            << tooFewText << true;
        QTest::newRow("two fields only")
            << 1 << QStringList{"5", "", "3", ""} << QStringList{"5", "", "3", ""} << tooFewTitle
            << tooFewText << true;
        QTest::newRow("letters and two numbers")
            << 0 << QStringList{"200", "abc", "2", ""} << QStringList{"200", "abc", "2", ""}
            << tooFewTitle << tooFewText << true;
        QTest::newRow("blanks and two numbers")
            << 3 << QStringList{"  ", "100", "", "400"} << QStringList{"  ", "100", "", "400"}
            << tooFewTitle << tooFewText << true;
    }

    void refusals()
    {
        QFETCH(int, section);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, warningIcon);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeRow(calc, section, before);
        QStringList rowAtBox;
        sink.onShow = [&](const Message &) { rowAtBox = rowTexts(calc, section); };
        calc.pressOkInteres(section);
        const Message expected{title, text, warningIcon ? MessageIcon::Warning : MessageIcon::None};
        QCOMPARE(sink.messages, QList<Message>{expected});
        // The box opens before anything of the row is written.
        QCOMPARE(rowAtBox, before);
        QCOMPARE(rowTexts(calc, section), after);
    }

    // The "0" written back after a refusal is a given on the next press.
    void secondPressTakesTheWrittenZero_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("afterSecond");
        QTest::addColumn<QString>("failure");

        QTest::newRow("simple, t = 0 keeps the capital")
            << 0 << QStringList{"200", "25", "", "300"} << QStringList{"200", "25", "0", "200"}
            << QString();
        QTest::newRow("compound, t = 0 keeps the capital")
            << 1 << QStringList{"5", "100", "", "40"} << QStringList{"5", "100", "0", "5"}
            << QString();
        QTest::newRow("capitalisation, t = 0")
            << 2 << QStringList{"600", "100", "", "100"} << QStringList{"600", "100", "0", "100"}
            << QStringLiteral("Divisió per zero");
        QTest::newRow("capitalisation, rate 0")
            << 2 << QStringList{"600", "", "2", "100"} << QStringList{"600", "0", "2", "100"}
            << QStringLiteral("Divisió per zero");
        QTest::newRow("amortisation, rate 0")
            << 3 << QStringList{"300", "", "2", "400"} << QStringList{"300", "0", "2", "400"}
            << QStringLiteral("Divisió per zero");
    }

    void secondPressTakesTheWrittenZero()
    {
        QFETCH(int, section);
        QFETCH(QStringList, before);
        QFETCH(QStringList, afterSecond);
        QFETCH(QString, failure);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeRow(calc, section, before);
        calc.pressOkInteres(section);
        QCOMPARE(sink.messages.size(), 1);
        sink.clear();
        calc.pressOkInteres(section);
        if (failure.isEmpty())
            QCOMPARE(sink.messages, QList<Message>{});
        else
            QCOMPARE(sink.messages,
                     (QList<Message>{calculationError(failure.toUtf8().constData())}));
        QCOMPARE(rowTexts(calc, section), afterSecond);
    }

    // A formula that cannot be evaluated: the failure box, and no field of the window written.
    void failures_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("text");

        const QString zero = QStringLiteral("Divisió per zero");
        const QString overflow = QStringLiteral("Desbordament");
        const QString invalid = QStringLiteral("Operació no vàlida");

        QTest::newRow("simple 012 overflow")
            << 0 << QStringList{"1E308", "100", "2", ""} << overflow;
        QTest::newRow("simple 023 c = 0") << 0 << QStringList{"0", "", "2", "300"} << zero;
        QTest::newRow("simple 023 t = 0") << 0 << QStringList{"200", "", "0", "300"} << zero;
        QTest::newRow("simple 023 overflow")
            << 0 << QStringList{"1E-300", "", "2", "1E300"} << overflow;
        QTest::newRow("simple 123 no growth") << 0 << QStringList{"", "-50", "2", "300"} << zero;
        QTest::newRow("compound 012 negative base, half period")
            << 1 << QStringList{"100", "-150", "0.5", ""} << invalid;
        QTest::newRow("compound 012 r = -100, negative t")
            << 1 << QStringList{"100", "-100", "-1", ""} << invalid;
        QTest::newRow("compound 012 overflow")
            << 1 << QStringList{"100", "1E300", "2", ""} << overflow;
        QTest::newRow("compound 023 c = 0") << 1 << QStringList{"0", "", "3", "40"} << zero;
        QTest::newRow("compound 023 t = 0") << 1 << QStringList{"5", "", "0", "40"} << zero;
        QTest::newRow("compound 023 C = 0") << 1 << QStringList{"5", "", "3", "0"} << invalid;
        QTest::newRow("compound 023 C / c negative")
            << 1 << QStringList{"5", "", "3", "-40"} << invalid;
        QTest::newRow("compound 023 exp overflow")
            << 1 << QStringList{"1", "", "0.001", "10"} << overflow;
        QTest::newRow("compound 123 r = -100") << 1 << QStringList{"", "-100", "2", "40"} << zero;
        QTest::newRow("capitalisation 012 r = 0") << 2 << QStringList{"600", "0", "2", ""} << zero;
        QTest::newRow("capitalisation 012 r = -100")
            << 2 << QStringList{"600", "-100", "2", ""} << zero;
        QTest::newRow("capitalisation 012 t = 0")
            << 2 << QStringList{"600", "100", "0", ""} << zero;
        QTest::newRow("capitalisation 012 below -100, half period")
            << 2 << QStringList{"600", "-150", "0.5", ""} << invalid;
        QTest::newRow("capitalisation 012 overflow")
            << 2 << QStringList{"1E308", "1E10", "2", ""} << overflow;
        QTest::newRow("capitalisation 123 r = 0") << 2 << QStringList{"", "0", "2", "100"} << zero;
        QTest::newRow("amortisation 012 r = 0") << 3 << QStringList{"300", "0", "2", ""} << zero;
        QTest::newRow("amortisation 012 t = 0") << 3 << QStringList{"300", "100", "0", ""} << zero;
        QTest::newRow("amortisation 012 overflow")
            << 3 << QStringList{"1E308", "100", "2", ""} << overflow;
        QTest::newRow("amortisation 123 r = 0") << 3 << QStringList{"", "0", "2", "400"} << zero;
        QTest::newRow("amortisation 123 r = -100")
            << 3 << QStringList{"", "-100", "2", "400"} << zero;
        QTest::newRow("amortisation 123 below -100, half period")
            << 3 << QStringList{"", "-150", "0.5", "400"} << invalid;
    }

    void failures()
    {
        QFETCH(int, section);
        QFETCH(QStringList, before);
        QFETCH(QString, text);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        typeRow(calc, section, before);
        const QStringList window = allTexts(calc);
        calc.pressOkInteres(section);
        QCOMPARE(sink.messages, (QList<Message>{calculationError(text.toUtf8().constData())}));
        QCOMPARE(allTexts(calc), window);
    }

    // Every press assigns all four slots before a formula reads them: nothing stale is written.
    void staleSlotsIgnored()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        calc.form().valProg() = {7, 7, 7, 7, 7, 7};
        typeRow(calc, 1, {"5", "100", "", "40"});
        calc.pressOkInteres(1);
        QCOMPARE(rowTexts(calc, 1), (QStringList{"5", "100", "0", "40"}));

        // A previous solve of another section leaves its values in the slots.
        calc.edit(field::Id(0), "1");
        calc.edit(field::Id(1), "2");
        calc.edit(field::Id(2), "5");
        calc.pressOkAr();
        typeRow(calc, 2, {"600", "", "2", "100"});
        calc.pressOkInteres(2);
        QCOMPARE(rowTexts(calc, 2), (QStringList{"600", "0", "2", "100"}));
    }

    // A press reads and writes only its own row.
    void otherRowsUntouched_data()
    {
        QTest::addColumn<int>("section");
        for (int k = 0; k < kRows; ++k)
            QTest::addRow("row %d", k) << k;
    }

    void otherRowsUntouched()
    {
        QFETCH(int, section);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        // Every other row holds a solvable set with an unknown left open.
        for (int k = 0; k < kRows; ++k)
            typeRow(calc, k, {"300", "100", "2", ""});
        typeRow(calc, section, {"200", "25", "2", ""});
        const QStringList window = allTexts(calc);
        calc.pressOkInteres(section);
        QCOMPARE(sink.messages, QList<Message>{});
        for (int i = 0; i < field::kFieldCount; ++i) {
            const bool own = i >= field::number(field::IdI(section * 4)) &&
                             i < field::number(field::IdI(section * 4 + 4));
            if (!own)
                QCOMPARE(calc.form().text(FieldId{i}), window[i]);
        }
        QVERIFY(!rowTexts(calc, section)[3].isEmpty());

        // An empty row does not borrow numbers from its neighbours.
        typeRow(calc, section, {"", "", "", ""});
        calc.pressOkInteres(section);
        QCOMPARE(sink.messages.size(), 1);
        QCOMPARE(sink.messages[0].title, QStringLiteral("Dades insuficients"));
        QCOMPARE(rowTexts(calc, section), (QStringList{"", "", "", ""}));
    }

    // Only four buttons exist; another index solves nothing and shows nothing.
    void unknownSectionDoesNothing()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        for (int k = 0; k < kRows; ++k)
            typeRow(calc, k, {"200", "25", "2", ""});
        const QStringList window = allTexts(calc);
        calc.pressOkInteres(-1);
        calc.pressOkInteres(4);
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(allTexts(calc), window);
    }
};

QTEST_GUILESS_MAIN(InterestSolverTest)

#include "interest_solver_test.moc"
