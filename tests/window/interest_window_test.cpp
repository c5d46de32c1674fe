// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/recording_sink.h"
#include "window/main_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tirel;

namespace {
constexpr int kRows = 4;

QLineEdit *interestField(MainWindow &window, int index)
{
    return window.findChild<QLineEdit *>(fieldName(field::IdI(index)));
}

QPushButton *okButton(MainWindow &window, int section)
{
    return window.findChild<QPushButton *>(QStringLiteral("OkInteres(%1)").arg(section));
}

// Types a row the way a user does: select what stands in a field, then key in the new text.
void typeRow(MainWindow &window, int section, const QStringList &texts)
{
    for (int k = 0; k < 4; ++k) {
        QLineEdit *edit = interestField(window, section * 4 + k);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, texts[k]);
    }
}

QStringList shownRow(MainWindow &window, int section)
{
    QStringList texts;
    for (int k = 0; k < 4; ++k)
        texts << interestField(window, section * 4 + k)->text();
    return texts;
}

QStringList shownInterestFields(MainWindow &window)
{
    QStringList texts;
    for (int section = 0; section < kRows; ++section)
        texts << shownRow(window, section);
    return texts;
}
} // namespace

class InterestWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsExist()
    {
        test::RecordingSink sink;
        MainWindow window(QLocale::c(), &sink);
        for (int i = 0; i < 16; ++i)
            QVERIFY2(interestField(window, i), qPrintable(fieldName(field::IdI(i))));
        for (int k = 0; k < kRows; ++k)
            QVERIFY2(okButton(window, k), qPrintable(QStringLiteral("OkInteres(%1)").arg(k)));
    }

    // Typing into a row and clicking its "Ok": the row shown afterwards and the boxes that opened.
    void pressRow_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("boxes"); // "title|text|icon" per box

        const QString missingT = QStringLiteral("Cas no contemplat|Falta t|warning");
        const QString hardEquation =
            QStringLiteral("Cas no contemplat|Eqüació difícil de resoldre|none");
        const QString tooFew = QStringLiteral("Dades insuficients|Són necessàries 3 dades|warning");
        const QString divisionByZero = QStringLiteral("Error de càlcul|Divisió per zero|warning");

        QTest::newRow("simple C") << 0 << QStringList{"200", "25", "2", ""}
                                  << QStringList{"200", "25", "2", "300"} << QStringList{};
        QTest::newRow("simple r") << 0 << QStringList{"200", "", "2", "300"}
                                  << QStringList{"200", "25", "2", "300"} << QStringList{};
        QTest::newRow("simple c") << 0 << QStringList{"", "25", "2", "300"}
                                  << QStringList{"200", "25", "2", "300"} << QStringList{};
        QTest::newRow("simple t missing")
            << 0 << QStringList{"200", "25", "", "300"} << QStringList{"200", "25", "0", "300"}
            << QStringList{missingT};
        QTest::newRow("simple two fields")
            << 0 << QStringList{"200", "abc", "2", ""} << QStringList{"200", "abc", "2", ""}
            << QStringList{tooFew};
        QTest::newRow("simple c = 0")
            << 0 << QStringList{"0", "", "2", "300"} << QStringList{"0", "", "2", "300"}
            << QStringList{divisionByZero};
        QTest::newRow("compound C") << 1 << QStringList{"5", "100", "3", ""}
                                    << QStringList{"5", "100", "3", "40"} << QStringList{};
        QTest::newRow("compound r") << 1 << QStringList{"5", "", "3", "40"}
                                    << QStringList{"5", "100", "3", "40"} << QStringList{};
        QTest::newRow("compound c") << 1 << QStringList{"", "100", "3", "40"}
                                    << QStringList{"5", "100", "3", "40"} << QStringList{};
        QTest::newRow("compound all four") << 1 << QStringList{"5", "100", "3", "1"}
                                           << QStringList{"5", "100", "3", "40"} << QStringList{};
        QTest::newRow("compound t missing")
            << 1 << QStringList{"5", "100", "", "40"} << QStringList{"5", "100", "0", "40"}
            << QStringList{missingT};
        QTest::newRow("capitalisation a")
            << 2 << QStringList{"1000", "10", "3", ""}
            << QStringList{"1000", "10", "3", "274.649821477616"} << QStringList{};
        QTest::newRow("capitalisation C") << 2 << QStringList{"", "100", "2", "100"}
                                          << QStringList{"600", "100", "2", "100"} << QStringList{};
        QTest::newRow("capitalisation rate missing")
            << 2 << QStringList{"600", "", "2", "100"} << QStringList{"600", "0", "2", "100"}
            << QStringList{hardEquation};
        QTest::newRow("capitalisation r = -100")
            << 2 << QStringList{"600", "-100", "2", ""} << QStringList{"600", "-100", "2", ""}
            << QStringList{divisionByZero};
        QTest::newRow("amortisation a")
            << 3 << QStringList{"1000", "10", "2", ""}
            << QStringList{"1000", "10", "2", "576.190476190476"} << QStringList{};
        QTest::newRow("amortisation D") << 3 << QStringList{"", "100", "2", "400"}
                                        << QStringList{"300", "100", "2", "400"} << QStringList{};
        QTest::newRow("amortisation rate missing")
            << 3 << QStringList{"300", "", "2", "400"} << QStringList{"300", "0", "2", "400"}
            << QStringList{hardEquation};
        QTest::newRow("capitalisation t = 0")
            << 2 << QStringList{"600", "100", "0", ""} << QStringList{"600", "100", "0", ""}
            << QStringList{divisionByZero};
        QTest::newRow("amortisation D, r = -100")
            << 3 << QStringList{"", "-100", "2", "400"} << QStringList{"", "-100", "2", "400"}
            << QStringList{divisionByZero};
        QTest::newRow("amortisation t = 0")
            << 3 << QStringList{"300", "100", "0", ""} << QStringList{"300", "100", "0", ""}
            << QStringList{divisionByZero};
    }

    void pressRow()
    {
        QFETCH(int, section);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, boxes);
        test::RecordingSink sink;
        MainWindow window(QLocale::c(), &sink);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        typeRow(window, section, typed);
        QCOMPARE(shownRow(window, section), typed);
        QTest::mouseClick(okButton(window, section), Qt::LeftButton);

        QStringList opened;
        for (const Message &message : sink.messages) {
            opened << message.title + u'|' + message.text + u'|' +
                          (message.icon == MessageIcon::Warning ? QStringLiteral("warning")
                                                                : QStringLiteral("none"));
        }
        QCOMPARE(opened, boxes);
        QCOMPARE(shownRow(window, section), shown);
    }

    // Every row filled through the keyboard; a click in one row changes that row alone.
    void otherRowsUntouched_data()
    {
        QTest::addColumn<int>("section");
        for (int k = 0; k < kRows; ++k)
            QTest::addRow("OkInteres(%d)", k) << k;
    }

    void otherRowsUntouched()
    {
        QFETCH(int, section);
        test::RecordingSink sink;
        MainWindow window(QLocale::c(), &sink);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QStringList rows[kRows] = {{"200", "25", "", "300"},
                                         {"5", "100", "3", "letters"},
                                         {"", "100", "2", "100"},
                                         {"300", "", "2", "400"}};
        for (int k = 0; k < kRows; ++k)
            typeRow(window, k, rows[k]);
        const QStringList before = shownInterestFields(window);

        QTest::mouseClick(okButton(window, section), Qt::LeftButton);

        const QStringList after = shownInterestFields(window);
        for (int i = 0; i < 16; ++i) {
            if (i / 4 != section)
                QCOMPARE(after[i], before[i]);
        }
        QVERIFY(shownRow(window, section) != rows[section]);
        QCOMPARE(sink.messages.size(), section == 1 || section == 2 ? 0 : 1);
    }

    // The written "0" is taken as given when the user clicks "Ok" again.
    void secondClickUsesTheWrittenZero()
    {
        test::RecordingSink sink;
        MainWindow window(QLocale::c(), &sink);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        typeRow(window, 0, {"200", "25", "", "300"});
        QPushButton *ok = okButton(window, 0);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(shownRow(window, 0), (QStringList{"200", "25", "0", "300"}));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(shownRow(window, 0), (QStringList{"200", "25", "0", "200"}));
        QCOMPARE(sink.messages.size(), 1);
    }

    void commaLocale()
    {
        test::RecordingSink sink;
        MainWindow window(QLocale(QLocale::Catalan), &sink);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        typeRow(window, 1, {"100", "300", "0,5", ""});
        QTest::mouseClick(okButton(window, 1), Qt::LeftButton);
        QCOMPARE(shownRow(window, 1), (QStringList{"100", "300", "0,5", "200"}));
        typeRow(window, 0, {"1000", "2,5", "0,5", ""});
        QTest::mouseClick(okButton(window, 0), Qt::LeftButton);
        QCOMPARE(shownRow(window, 0), (QStringList{"1000", "2,5", "0,5", "1012,5"}));
        QVERIFY(sink.messages.isEmpty());
    }
};

QTEST_MAIN(InterestWindowTest)

#include "interest_window_test.moc"
