// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"

#include <QTest>
#include <cfloat>
#include <cmath>
#include <limits>

using namespace tirel;

Q_DECLARE_METATYPE(std::optional<double>)

class NumberTextTest : public QObject {
    Q_OBJECT

private:
    static QLocale catalan() { return QLocale(QLocale::Catalan, QLocale::Spain); }

private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");

        // clang-format off
        QTest::newRow("ca decimal comma") << "ca" << "1,5" << true << 1.5;
        QTest::newRow("ca point is misplaced group") << "ca" << "1.5" << false << 0.0;
        QTest::newRow("ca well-placed group") << "ca" << "1.500" << true << 1500.0;
        QTest::newRow("ca group and decimals") << "ca" << "1.234,5" << true << 1234.5;
        QTest::newRow("ca surrounding blanks") << "ca" << "  2,25 " << true << 2.25;
        QTest::newRow("ca exponent upper") << "ca" << "1,5E-05" << true << 1.5e-05;
        QTest::newRow("ca exponent lower") << "ca" << "1,5e+3" << true << 1500.0;
        QTest::newRow("ca negative") << "ca" << "-7" << true << -7.0;
        QTest::newRow("ca empty") << "ca" << "" << false << 0.0;
        QTest::newRow("ca blanks only") << "ca" << "   " << false << 0.0;
        QTest::newRow("ca letters") << "ca" << "abc" << false << 0.0;
        QTest::newRow("ca number then letters") << "ca" << "12abc" << false << 0.0;
        QTest::newRow("ca lone sign") << "ca" << "-" << false << 0.0;
        QTest::newRow("ca lone separator") << "ca" << "," << false << 0.0;
        QTest::newRow("ca inf") << "ca" << "inf" << false << 0.0;
        QTest::newRow("ca nan") << "ca" << "nan" << false << 0.0;
        QTest::newRow("ca out of range") << "ca" << "1E+309" << false << 0.0;
        QTest::newRow("ca largest") << "ca" << "1,7976931348623157E+308" << true << DBL_MAX;
        QTest::newRow("ca subnormal") << "ca" << "4,94065645841247E-324" << true
                                      << std::numeric_limits<double>::denorm_min();
        QTest::newRow("C point") << "C" << "1.5" << true << 1.5;
        QTest::newRow("C comma is not a number") << "C" << "1,5" << false << 0.0;
        QTest::newRow("C exponent") << "C" << "2E+15" << true << 2e15;
        QTest::newRow("C blanks") << "C" << "\t3 " << true << 3.0;
        QTest::newRow("C inf") << "C" << "-inf" << false << 0.0;
        QTest::newRow("C nan") << "C" << "NaN" << false << 0.0;
        QTest::newRow("C out of range") << "C" << "-1e400" << false << 0.0;
        QTest::newRow("C inner blank") << "C" << "1 5" << false << 0.0;
        // Non-finite spellings QLocale itself would read as numbers.
        QTest::newRow("ca upper INF") << "ca" << "INF" << false << 0.0;
        QTest::newRow("ca signed inf") << "ca" << "+inf" << false << 0.0;
        QTest::newRow("ca negative nan") << "ca" << "-nan" << false << 0.0;
        QTest::newRow("ca inf with blanks") << "ca" << " inf " << false << 0.0;
        QTest::newRow("C infinity") << "C" << "infinity" << false << 0.0;
        QTest::newRow("C nan") << "C" << "nan" << false << 0.0;
        QTest::newRow("C inf") << "C" << "inf" << false << 0.0;
        // Group separators in both kinds of locale, placed well and badly.
        QTest::newRow("ca two groups") << "ca" << "1.234.567,5" << true << 1234567.5;
        QTest::newRow("ca short group") << "ca" << "12.34" << false << 0.0;
        QTest::newRow("ca long group") << "ca" << "1.5000" << false << 0.0;
        QTest::newRow("ca group after the separator") << "ca" << "1,500.000" << false << 0.0;
        QTest::newRow("C well-placed group") << "C" << "1,500" << true << 1500.0;
        QTest::newRow("C group and decimals") << "C" << "1,234.5" << true << 1234.5;
        QTest::newRow("C point in a comma place") << "C" << "1.500,5" << false << 0.0;
        // Italian groups a lone thousand only beside more; Qt 6.8 refuses its own "1.234.567,5".
        QTest::newRow("it two groups") << "it" << "1.234.567,5" << true << 1234567.5;
        QTest::newRow("it misplaced group") << "it" << "1.2345.67,5" << false << 0.0;
        QTest::newRow("ca exponent beyond range small") << "ca" << "1E-400" << false << 0.0;
        // clang-format on
    }

    void reading()
    {
        QFETCH(QString, localeName);
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const QLocale locale = localeName == u"ca" ? catalan() : QLocale(localeName);
        const std::optional<double> read = textToDouble(text, locale);
        QCOMPARE(read.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*read, value);
    }

    void writing_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("catalanText");
        QTest::addColumn<QString>("cText");

        // clang-format off
        QTest::newRow("whole") << 25.0 << "25" << "25";
        QTest::newRow("no grouping") << 1234567.5 << "1234567,5" << "1234567.5";
        QTest::newRow("fifteen digits") << 1.0 / 0.9 << "1,11111111111111" << "1.11111111111111";
        QTest::newRow("rounded on purpose") << 0.1 + 0.2 << "0,3" << "0.3";
        QTest::newRow("large exponent") << 1e15 << "1E+15" << "1E+15";
        QTest::newRow("largest plain") << 123456789012345.0 << "123456789012345" << "123456789012345";
        QTest::newRow("small exponent") << 1.5e-05 << "1,5E-05" << "1.5E-05";
        QTest::newRow("small plain") << 0.0001 << "0,0001" << "0.0001";
        QTest::newRow("negative") << -2.5 << "-2,5" << "-2.5";
        QTest::newRow("minus zero") << -0.0 << "0" << "0";
        QTest::newRow("1E+308") << 1e308 << "1E+308" << "1E+308";
        QTest::newRow("largest double stays readable")
            << DBL_MAX << "1,79769313486231E+308" << "1.79769313486231E+308";
        QTest::newRow("lowest double stays readable")
            << -DBL_MAX << "-1,79769313486231E+308" << "-1.79769313486231E+308";
        QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min()
                                   << "4,94065645841247E-324" << "4.94065645841247E-324";
        // clang-format on
    }

    void writing()
    {
        QFETCH(double, value);
        QFETCH(QString, catalanText);
        QFETCH(QString, cText);
        QCOMPARE(doubleToText(value, catalan()), catalanText);
        QCOMPARE(doubleToText(value, QLocale::c()), cText);
    }

    // A text the program wrote, read and written again, is the same text.
    void writtenTextIsAFixedPoint_data()
    {
        QTest::addColumn<double>("value");
        const double values[] = {1.0 / 3.0,
                                 2.0 / 3.0,
                                 1.0 / 0.9,
                                 1e-308,
                                 1e308,
                                 DBL_MAX,
                                 -DBL_MAX,
                                 DBL_MIN,
                                 4.9e-324,
                                 0.1,
                                 1e15,
                                 123456.789e10,
                                 9.99999999999999e14,
                                 999999999999999.9,
                                 1.797693134862315e308};
        int i = 0;
        for (double v : values)
            // clang-format off
            QTest::newRow(qPrintable(QString::number(i++))) << v;
        // clang-format on
    }

    void writtenTextIsAFixedPoint()
    {
        QFETCH(double, value);
        for (const QLocale &locale : {catalan(), QLocale::c()}) {
            const QString once = doubleToText(value, locale);
            const std::optional<double> back = textToDouble(once, locale);
            QVERIFY2(back.has_value(), qPrintable(once));
            QCOMPARE(doubleToText(*back, locale), once);
        }
    }

    // Every locale reads a number as it writes it itself (its signs with their direction marks,
    // digits, grouping, exponent) and as the program writes it, to the number the C locale reads.
    void everyLocaleReadsItsOwnWriting_data()
    {
        QTest::addColumn<QLocale>("locale");
        for (const QLocale &locale : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
            QTest::addRow("%s %s", qPrintable(locale.name()),
                          qPrintable(QLocale::scriptToCode(locale.script())))
                << locale;
    }

    void everyLocaleReadsItsOwnWriting()
    {
        QFETCH(QLocale, locale);
        QLocale grouped = locale, plain = locale; // the program reads with the second
        grouped.setNumberOptions(QLocale::DefaultNumberOptions);
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        for (const double value : {-2.25, -1234567.5, -1.5e-05, 6.02e+23, -1.0 / 3.0}) {
            QList<std::pair<QString, QString>> texts = {
                {doubleToText(value, plain), referenceDoubleToText(value, QLocale::c())}};
            for (const char format : {'f', 'e', 'E', 'g'})
                for (const QLocale &writer : {grouped, plain})
                    texts.append(
                        {writer.toString(value, format), QLocale::c().toString(value, format)});
            for (const auto &[text, cText] : texts)
                QVERIFY2(textToDouble(text, plain) == textToDouble(cText, QLocale::c()),
                         qPrintable(text));
            QCOMPARE(doubleToText(*textToDouble(texts[0].first, plain), plain), texts[0].first);
        }
    }

    // The rounded form that fits a field of room characters.
    void fitted_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("fitted");
        // clang-format off
        QTest::newRow("exponent kept") << "ca" << "4,78598658461235E+23" << 9 << "4,786E+23";
        QTest::newRow("one digit and exponent") << "ca" << "4,78598658461235E+23" << 5 << "5E+23";
        QTest::newRow("sign fills the room") << "ca" << "4,78598658461235E+23" << 4 << "####";
        QTest::newRow("sign at least once") << "ca" << "4,78598658461235E+23" << 0 << "#";
        QTest::newRow("carry to 0,001") << "ca" << "0,000999999999999999" << 6 << "0,001";
        QTest::newRow("compound interest") << "ca" << "17762,9314190201" << 8 << "17762,93";
        QTest::newRow("amortisation") << "ca" << "12036,3880786037" << 8 << "12036,39";
        QTest::newRow("carry through nines") << "ca" << "9,99999" << 4 << "10";
        QTest::newRow("carry needs exponent") << "ca" << "99999,9" << 5 << "1E+05";
        QTest::newRow("units out of reach") << "ca" << "123456789012345" << 8 << "1,23E+14";
        QTest::newRow("negative") << "ca" << "-17762,9314190201" << 8 << "-17762,9";
        QTest::newRow("negative half away") << "ca" << "-0,125" << 5 << "-0,13";
        QTest::newRow("half of the text up") << "ca" << "2,675" << 4 << "2,68";
        QTest::newRow("exponent after carry") << "ca" << "9,99999999999999E-05" << 6 << "1E-04";
        QTest::newRow("three-digit exponent") << "ca" << "1,79769313486231E+308" << 8 << "1,8E+308";
        QTest::newRow("zero") << "ca" << "0,0000" << 3 << "0";
        QTest::newRow("fits as it is") << "ca" << "12,5" << 4 << "12,5";
        QTest::newRow("not a number") << "ca" << "12abc" << 3 << "12abc";
        QTest::newRow("C point") << "C" << "17762.9314190201" << 8 << "17762.93";
        // clang-format on
    }

    void fitted()
    {
        QFETCH(QString, localeName);
        QFETCH(QString, text);
        QFETCH(int, room);
        QFETCH(QString, fitted);
        const QLocale locale = localeName == u"ca" ? catalan() : QLocale::c();
        QCOMPARE(fittedNumberText(text, locale, [&](const QString &t) { return t.size() <= room; }),
                 fitted);
    }

    void int16Counts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("value");
        // clang-format off
        QTest::newRow("half to even down") << "2,5" << true << 2;
        QTest::newRow("half to even up") << "3,5" << true << 4;
        QTest::newRow("negative half") << "-2,5" << true << -2;
        QTest::newRow("nearest") << "2,6" << true << 3;
        QTest::newRow("top edge") << "32767" << true << 32767;
        QTest::newRow("rounds to top edge") << "32767,4" << true << 32767;
        QTest::newRow("rounds past top") << "32767,5" << false << 0;
        QTest::newRow("bottom edge") << "-32768" << true << -32768;
        QTest::newRow("rounds to bottom edge") << "-32768,5" << true << -32768;
        QTest::newRow("below bottom") << "-32769" << false << 0;
        QTest::newRow("huge") << "1E+300" << false << 0;
        QTest::newRow("letters") << "tres" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        // clang-format on
    }

    void int16Counts()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QFETCH(int, value);
        const std::optional<std::int16_t> k = textToInt16(text, catalan());
        QCOMPARE(k.has_value(), fits);
        if (fits)
            QCOMPARE(int(*k), value);
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "number_text_test.moc"
