// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/checked.h"
#include "core/form.h"
#include "cycle/solve_cycle.h"
#include "support/recording_sink.h"

#include <QTest>
#include <array>

using namespace tirel;

namespace {
constexpr std::array kGroup{field::Id(0), field::Id(1), field::Id(2), field::Id(3), field::Id(4)};

// Fills each field not given with 100 + its position, so the write-back can be seen.
RowOutcome markRow(const QString &key, std::span<double> values, QString *seenKey)
{
    *seenKey = key;
    for (std::size_t p = 0; p < values.size(); ++p) {
        if (!key.contains(QChar(u'0' + static_cast<char16_t>(p))))
            values[p] = 100.0 + double(p);
    }
    return RowOutcome::Solved;
}
} // namespace

class SolveCycleTest : public QObject {
    Q_OBJECT

private slots:
    void givensKeyAndMask_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("after");

        // clang-format off
        QTest::newRow("positions 1 2 4") << QStringList{"", "2", "5", "", "25"} << "124" << "0xx0x"
                                         << QStringList{"100", "2", "5", "103", "25"};
        QTest::newRow("five numbers: first three win")
            << QStringList{"1", "2", "5", "77", "88"} << "012" << "xxx00"
            << QStringList{"1", "2", "5", "103", "104"};
        QTest::newRow("letters are replaced") << QStringList{"1", "abc", "5", "9", "x"} << "023"
                                              << "x0xx0" << QStringList{"1", "101", "5", "9", "104"};
        QTest::newRow("blanks only count as empty")
            << QStringList{"   ", "2", "5", "9", ""} << "123" << "0xxx0"
            << QStringList{"100", "2", "5", "9", "104"};
        QTest::newRow("given text kept as typed")
            << QStringList{" 1,50 ", "2E0", "+5", "", ""} << "012" << "xxx00"
            << QStringList{" 1,50 ", "2E0", "+5", "103", "104"};
        // clang-format on
    }

    void givensKeyAndMask()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, key);
        QFETCH(QString, mask);
        QFETCH(QStringList, after);

        Form form{QLocale(QLocale::Catalan)};
        for (int p = 0; p < 5; ++p)
            form.setText(kGroup[std::size_t(p)], texts[p]);
        std::array<double, 5> values{};
        const SolveGroup group{kGroup, values};
        const CycleReading reading = readGroup(form, group);
        QCOMPARE(reading.givenCount, 3);
        QCOMPARE(reading.key, key);
        QCOMPARE(reading.mask, mask);

        test::RecordingSink sink;
        QString seenKey;
        QVERIFY(runSolveCycle(form, sink, group, [&](const QString &k, std::span<double> v) {
            return markRow(k, v, &seenKey);
        }));
        QCOMPARE(seenKey, key);
        QVERIFY(sink.messages.isEmpty());
        for (int p = 0; p < 5; ++p)
            QCOMPARE(form.text(kGroup[std::size_t(p)]), after[p]);
    }

    void tooFewDataChangesNothing_data()
    {
        QTest::addColumn<QStringList>("texts");
        // clang-format off
        QTest::newRow("all empty") << QStringList{"", "", "", "", ""};
        QTest::newRow("two numbers and letters") << QStringList{"1", "abc", "5", "", "-"};
        QTest::newRow("blanks and separators") << QStringList{" ", ",", "3", ".", "4"};
        // clang-format on
    }

    void tooFewDataChangesNothing()
    {
        QFETCH(QStringList, texts);
        Form form{QLocale(QLocale::Catalan)};
        for (int p = 0; p < 5; ++p)
            form.setText(kGroup[std::size_t(p)], texts[p]);
        std::array<double, 5> values{};
        test::RecordingSink sink;
        bool tableRan = false;
        QVERIFY(!runSolveCycle(form, sink, SolveGroup{kGroup, values},
                               [&](const QString &, std::span<double>) {
                                   tableRan = true;
                                   return RowOutcome::Solved;
                               }));
        QVERIFY(!tableRan);
        QCOMPARE(sink.messages.size(), 1);
        QCOMPARE(sink.messages[0].title, QString("Dades insuficients"));
        QCOMPARE(sink.messages[0].text, QString("Són necessàries 3 dades"));
        QCOMPARE(sink.messages[0].icon, MessageIcon::Warning);
        for (int p = 0; p < 5; ++p)
            QCOMPARE(form.text(kGroup[std::size_t(p)]), texts[p]);
    }

    void refusalEndsOrWritesBack()
    {
        Form form(QLocale::c());
        const QStringList texts{"1", "2", "", "letters", "4"};
        for (int p = 0; p < 5; ++p)
            form.setText(kGroup[std::size_t(p)], texts[p]);
        std::array<double, 5> values{};
        test::RecordingSink sink;
        QVERIFY(
            !runSolveCycle(form, sink, SolveGroup{kGroup, values},
                           [](const QString &, std::span<double>) { return RowOutcome::Refused; }));
        for (int p = 0; p < 5; ++p)
            QCOMPARE(form.text(kGroup[std::size_t(p)]), texts[p]);

        QVERIFY(runSolveCycle(
            form, sink, SolveGroup{kGroup, values, true},
            [](const QString &, std::span<double>) { return RowOutcome::RefusedWriteBack; }));
        // The fields not given show their slots, which this mode set to 0.
        QCOMPARE(form.text(kGroup[2]), QString("0"));
        QCOMPARE(form.text(kGroup[3]), QString("0"));
        QCOMPARE(form.text(kGroup[4]), QString("4"));
    }

    void zeroingModeReadsNothingAfterThree()
    {
        Form form(QLocale::c());
        const QStringList texts{"1", "2", "3", "9"};
        const std::array four{field::IdI(0), field::IdI(1), field::IdI(2), field::IdI(3)};
        for (int p = 0; p < 4; ++p)
            form.setText(four[std::size_t(p)], texts[p]);
        std::array<double, 4> values{7, 7, 7, 7};
        const CycleReading reading = readGroup(form, SolveGroup{four, values, true});
        QCOMPARE(reading.key, QString("012"));
        QCOMPARE(reading.mask, QString("xxx0"));
        QCOMPARE(values[3], 0.0);
        values = {7, 7, 7, 7};
        form.setText(four[1], "r");
        readGroup(form, SolveGroup{four, values, true});
        QCOMPARE(values[1], 0.0);
        QCOMPARE(values[3], 9.0);
    }

    void numericFailureWritesNothing()
    {
        Form form(QLocale::c());
        for (int p = 0; p < 3; ++p)
            form.setText(kGroup[std::size_t(p)], "1");
        std::array<double, 5> values{};
        test::RecordingSink sink;
        QVERIFY_THROWS_EXCEPTION(
            NumericFailure, runSolveCycle(form, sink, SolveGroup{kGroup, values},
                                          [](const QString &, std::span<double> v) -> RowOutcome {
                                              v[3] = 5;
                                              throw NumericFailure(FailureKind::Overflow);
                                          }));
        QCOMPARE(form.text(kGroup[3]), QString());
        QCOMPARE(form.text(kGroup[4]), QString());
    }
};

QTEST_GUILESS_MAIN(SolveCycleTest)
#include "solve_cycle_test.moc"
