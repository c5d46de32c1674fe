// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "core/number_text.h"
#include "core/platform_math.h"
#include "support/recording_sink.h"

#include <QElapsedTimer>
#include <QTest>
#include <cmath>

using namespace tirel;

namespace {
const Message kCannotCalculate{QStringLiteral("No es pot calcular"), QStringLiteral("Falten dades"),
                               MessageIcon::Warning};

const QStringList kEntriesBefore{"old 1", "old 2"};
const QString kTextLineBefore = QStringLiteral("old 1");

QLocale localeNamed(const QString &name)
{
    return name == u"C" ? QLocale::c() : QLocale(QLocale::Catalan, QLocale::Spain);
}

// Typed as a user would, so the infinite-sum handling has run: a1, r, n = 9 switch the display
// off and leave S empty.
void prepare(Calculator &calculator)
{
    const QStringList texts{"9", "9", "9", "77", "88"};
    for (int p = 0; p < 5; ++p)
        calculator.edit(field::Idg(p), texts[p]);
    calculator.form().setListEntries(ListId::Lstg, kEntriesBefore);
    calculator.form().setListTextLine(ListId::Lstg, kTextLineBefore);
}

QStringList geometricFields(const Form &form)
{
    QStringList texts;
    for (int p = 0; p < 6; ++p)
        texts << form.text(field::Idg(p));
    return texts;
}
} // namespace

class GeometricInterpolationTest : public QObject {
    Q_OBJECT

private slots:
    void press_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<bool>("fresh"); // from a fresh window rather than over typed fields
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("changes");       // false: fields and list stay as they were
        QTest::addColumn<QStringList>("fields"); // a1, r, n, an, Sn, S after the press
        QTest::addColumn<bool>("sumOn");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("textLine");

        const QStringList none;
        QTest::newRow("3 terms between 1 and 16")
            << "ca" << false << "3"
            << "1"
            << "16" << false << true << QStringList{"1", "2", "5", "16", "31", ""} << false
            << QStringList{"2", "4", "8"} << "2";
        QTest::newRow("both ends negative")
            << "ca" << false << "1"
            << "-2"
            << "-18" << false << true << QStringList{"-2", "3", "3", "-18", "-26", ""} << false
            << QStringList{"-6"} << "-6";
        QTest::newRow("K = 0 empties the list")
            << "ca" << false << "0"
            << "2"
            << "8" << false << true << QStringList{"2", "4", "2", "8", "10", ""} << false << none
            << "";
        // A ratio below 1 switches the infinite sum on while the fields are written.
        QTest::newRow("B below A decreases")
            << "ca" << false << "3"
            << "16"
            << "1" << false << true << QStringList{"16", "0,5", "5", "1", "31", "32"} << true
            << QStringList{"8", "4", "2"} << "8";
        QTest::newRow("K 2,5 gives 2 terms")
            << "ca" << false << "2,5"
            << "1"
            << "27" << false << true << QStringList{"1", "3", "4", "27", "40", ""} << false
            << QStringList{"3", "9"} << "3";
        QTest::newRow("K 3,5 gives 4 terms")
            << "ca" << false << "3,5"
            << "1"
            << "32" << false << true << QStringList{"1", "2", "6", "32", "63", ""} << false
            << QStringList{"2", "4", "8", "16"} << "2";
        QTest::newRow("point locale")
            << "C" << false << "1"
            << "0.5"
            << "4.5" << false << true << QStringList{"0.5", "3", "3", "4.5", "6.5", ""} << false
            << QStringList{"1.5"} << "1.5";
        // n = -1 and r = exp(ln 4 / -2) = 0.5: no failure, the solver completes an and Sn.
        QTest::newRow("K = -3 below -1")
            << "ca" << false << "-3"
            << "2"
            << "8" << false << true << QStringList{"2", "0,5", "-1", "8", "-4", "4"} << true << none
            << "";
        // Writing r = 0.1 shows S = 1/0.9 as 1,11111111111111, which is not turned back into
        // a1: the solver works from the written a1.
        QTest::newRow("the sum shown leaves a1 as written")
            << "ca" << true << "0"
            << "1"
            << "0,1" << false << true
            << QStringList{"1", "0,1", "2", "0,1", "1,1", "1,11111111111111"} << true << none << "";
        // r = 1 exactly: the list and the fields are written, then the solver's sum divides by
        // r - 1; an and Sn stay.
        QTest::newRow("A = B fails in the solver")
            << "ca" << false << "2"
            << "5"
            << "5" << true << true << QStringList{"5", "1", "4", "77", "88", ""} << false
            << QStringList{"5", "5"} << "5";
        // r * A is the largest double less one step; r^2 * A overflows: the first term stays
        // listed, the text line and the fields are untouched.
        QTest::newRow("overflow while the terms are formed")
            << "ca" << false << "2"
            << "1,7976931348623151E+308"
            << "1,7976931348623157E+308" << true << true
            << QStringList{"9", "9", "9", "77", "88", ""} << false
            << QStringList{"1,79769313486231E+308"} << kTextLineBefore;

        auto failure = [](const char *name, const char *k, const char *a, const char *b) {
            QTest::newRow(name) << "ca" << false << k << a << b << true << false << QStringList()
                                << false << QStringList() << QString();
        };
        failure("K = -1 divides by zero", "-1", "1", "16");
        failure("K = 32766 leaves no room for n", "32766", "1", "16");
        failure("K above 16 bits", "32768", "1", "16");
        failure("K below 16 bits", "-32769", "1", "16");
        failure("K empty", "", "1", "16");
        failure("K letters", "abc", "1", "16");
        failure("A empty", "3", "", "16");
        failure("B letters", "3", "1", "x");
        failure("A = 0", "3", "0", "16");
        failure("B = 0", "3", "2", "0");
        failure("opposite signs", "3", "2", "-8");
        failure("B / A overflows", "3", "1E-300", "1E+300");
    }

    void press()
    {
        QFETCH(QString, localeName);
        QFETCH(bool, fresh);
        QFETCH(QString, k);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, fails);
        QFETCH(bool, changes);
        QFETCH(QStringList, fields);
        QFETCH(bool, sumOn);
        QFETCH(QStringList, entries);
        QFETCH(QString, textLine);

        test::RecordingSink sink;
        Calculator calculator(sink, localeNamed(localeName));
        if (!fresh)
            prepare(calculator);
        calculator.edit(field::IdKg, k);
        calculator.edit(field::IdAg, a);
        calculator.edit(field::IdBg, b);
        const QStringList fieldsBefore = geometricFields(calculator.form());
        const bool sumOnBefore = calculator.form().sumDisplayOn();
        const std::array<double, 6> valProgBefore = calculator.form().valProg();
        if (!changes) {
            fields = fieldsBefore;
            sumOn = sumOnBefore;
            entries = kEntriesBefore;
            textLine = kTextLineBefore;
        }

        calculator.pressOkABg();

        if (fails) {
            // One box only: a failure inside the solver never adds its own.
            QCOMPARE(sink.messages.size(), 1);
            QCOMPARE(sink.messages.first(), kCannotCalculate);
        } else {
            QVERIFY2(sink.messages.isEmpty(), qPrintable(sink.messages.value(0).title));
        }
        QCOMPARE(geometricFields(calculator.form()), fields);
        QCOMPARE(calculator.form().sumDisplayOn(), sumOn);
        QCOMPARE(calculator.form().listEntries(ListId::Lstg), entries);
        QCOMPARE(calculator.form().listTextLine(ListId::Lstg), textLine);
        if (!changes)
            QVERIFY(calculator.form().valProg() == valProgBefore);
        QCOMPARE(calculator.form().text(field::IdKg), k);
        QCOMPARE(calculator.form().text(field::IdAg), a);
        QCOMPARE(calculator.form().text(field::IdBg), b);
        // The arithmetic line is a separate list.
        QVERIFY(calculator.form().listEntries(ListId::LstIntrp).isEmpty());
    }

    // The list is filled before the fields are written: at the first nested change of a1 the
    // new entries already stand.
    void listBeforeFields()
    {
        test::RecordingSink sink;
        Calculator calculator(sink, QLocale(QLocale::Catalan, QLocale::Spain));
        calculator.edit(field::IdKg, "3");
        calculator.edit(field::IdAg, "1");
        calculator.edit(field::IdBg, "16");
        QStringList entriesAtFirstWrite;
        QString textLineAtFirstWrite;
        bool seen = false;
        QObject::connect(&calculator.form(), &Form::textWritten, [&](FieldId id) {
            if (id == field::Idg(0) && !seen) {
                seen = true;
                entriesAtFirstWrite = calculator.form().listEntries(ListId::Lstg);
                textLineAtFirstWrite = calculator.form().listTextLine(ListId::Lstg);
            }
        });
        calculator.pressOkABg();
        QVERIFY(seen);
        QCOMPARE(entriesAtFirstWrite, (QStringList{"2", "4", "8"}));
        QCOMPARE(textLineAtFirstWrite, QString("2"));
    }

    // The largest K: exactly K entries, each r^m * A from the full-precision r.
    void largestCount()
    {
        const QLocale locale = QLocale::c();
        test::RecordingSink sink;
        Calculator calculator(sink, locale);
        calculator.edit(field::IdKg, "32765");
        calculator.edit(field::IdAg, "3");
        calculator.edit(field::IdBg, "6");

        QElapsedTimer timer;
        timer.start();
        calculator.pressOkABg();
        qInfo("geometric interpolation of 32765 terms: %lld ms", timer.elapsed());

        QVERIFY(sink.messages.isEmpty());
        const QStringList &entries = calculator.form().listEntries(ListId::Lstg);
        QCOMPARE(entries.size(), 32765);
        // The core's own exp, log and pow: on Windows the runtime's would round differently.
        const double r = platform::exp(platform::log(6.0 / 3.0) / 32766.0);
        double runningProduct = 3.0;
        int differFromRunningProduct = 0;
        for (int m = 1; m <= 32765; ++m) {
            runningProduct *= r;
            const QString expected = doubleToText(platform::pow(r, double(m)) * 3.0, locale);
            if (entries[m - 1] != expected)
                QFAIL(qPrintable(
                    QString("entry %1 is %2, not %3").arg(m).arg(entries[m - 1], expected)));
            if (doubleToText(runningProduct, locale) != expected)
                ++differFromRunningProduct;
        }
        // The case tells the two apart: a running product would have listed other texts.
        QVERIFY(differFromRunningProduct > 0);
        QCOMPARE(calculator.form().listTextLine(ListId::Lstg), entries.first());
        QCOMPARE(calculator.form().text(field::Idg(0)), QString("3"));
        QCOMPARE(calculator.form().text(field::Idg(1)), doubleToText(r, locale));
        QCOMPARE(calculator.form().text(field::Idg(2)), QString("32767"));
    }
};

QTEST_GUILESS_MAIN(GeometricInterpolationTest)
#include "geometric_interpolation_test.moc"
