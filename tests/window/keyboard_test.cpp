// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window worked with the keyboard alone: Tab reaches every control, and Space presses the
// button that holds the focus.
#include "window_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace tirel;
using tirel::test::ShownWindow;

namespace {
QWidget *focused()
{
    return QApplication::focusWidget();
}

// A list's text line takes the focus for its list.
QString focusName(QWidget *widget)
{
    if (!widget)
        return QStringLiteral("<none>");
    if (auto *combo = qobject_cast<QComboBox *>(widget->parentWidget()))
        return combo->objectName();
    return widget->objectName();
}

QSet<QString> operableControlNames(const ShownWindow &shown)
{
    QSet<QString> names;
    for (QLineEdit *edit : shown.window->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(edit->parentWidget()))
            names.insert(edit->objectName());
    }
    for (QComboBox *combo : shown.window->findChildren<QComboBox *>())
        names.insert(combo->objectName());
    for (QPushButton *button : shown.window->findChildren<QPushButton *>())
        names.insert(button->objectName());
    return names;
}

bool activate(ShownWindow &shown)
{
    shown.window->activateWindow();
    return shown.exposed && QTest::qWaitForWindowActive(shown.window.get());
}

// Types into whatever holds the focus, then moves on with Tab.
void typeAndTab(const QString &text)
{
    QTest::keyClicks(focused(), text);
    QTest::keyClick(focused(), Qt::Key_Tab);
}
} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Every field, list and button of the window lies on the Tab cycle exactly once, whichever
    // way it is walked.
    void tabCycleReachesEveryControl_data()
    {
        QTest::addColumn<bool>("backwards");
        QTest::newRow("Tab") << false;
        QTest::newRow("Shift+Tab") << true;
    }

    void tabCycleReachesEveryControl()
    {
        QFETCH(bool, backwards);
        ShownWindow shown;
        QVERIFY(activate(shown));
        const QSet<QString> all = operableControlNames(shown);
        QCOMPARE(all.size(), 43);

        const QString start = focusName(focused());
        QStringList visited;
        for (int step = 0; step <= all.size(); ++step) {
            const QString here = focusName(focused());
            if (step > 0 && here == start)
                break;
            QVERIFY2(!visited.contains(here), qPrintable(QStringLiteral("%1 twice").arg(here)));
            visited << here;
            if (backwards)
                QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
            else
                QTest::keyClick(focused(), Qt::Key_Tab);
        }
        QCOMPARE(focusName(focused()), start);
        const QSet<QString> reached(visited.cbegin(), visited.cend());
        QCOMPARE(reached, all);
    }

    void spacePressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        for (const char *name : {"OkAr", "Okab", "OkGe", "OkABg", "OkInteres(0)", "OkInteres(1)",
                                 "OkInteres(2)", "OkInteres(3)"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void spacePressesTheFocusedButton()
    {
        QFETCH(QString, button);
        ShownWindow shown;
        QVERIFY(activate(shown));
        auto *widget = shown.find<QPushButton>(button);
        QVERIFY(widget);
        widget->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(focused(), widget);
        QSignalSpy clicks(widget, &QPushButton::clicked);
        QTest::keyClick(widget, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        // Space in a field is text, not a press.
        QLineEdit *edit = shown.edit(field::IdI(1));
        edit->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(focused(), edit);
        QTest::keyClick(edit, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(edit->text(), QStringLiteral(" "));
    }

    void spaceOnOkArSolvesTheArithmeticRow()
    {
        ShownWindow shown;
        QVERIFY(activate(shown));
        const QStringList typed = {"1", "2", "5"};
        for (int i = 0; i < 3; ++i)
            QTest::keyClicks(shown.edit(field::Id(i)), typed[i]);
        auto *okAr = shown.find<QPushButton>("OkAr");
        okAr->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(focused(), okAr);
        QTest::keyClick(okAr, Qt::Key_Space);
        QCOMPARE(shown.edit(field::Id(3))->text(), QStringLiteral("9"));
        QCOMPARE(shown.edit(field::Id(4))->text(), QStringLiteral("25"));
        QVERIFY(shown.sink.messages.isEmpty());
    }

    // From the start, with no mouse: the focus stands in the simple-interest rate; type r, Tab,
    // c, Tab, t, Tab to the row's "Ok", Space.
    void simpleInterestByKeyboardAlone()
    {
        ShownWindow shown;
        QVERIFY(activate(shown));
        QCOMPARE(focusName(focused()), fieldName(field::IdI(1)));
        typeAndTab(QStringLiteral("10"));
        typeAndTab(QStringLiteral("1000"));
        typeAndTab(QStringLiteral("2"));
        QCOMPARE(focusName(focused()), QStringLiteral("OkInteres(0)"));
        QTest::keyClick(focused(), Qt::Key_Space);
        QCOMPARE(shown.edit(field::IdI(0))->text(), QStringLiteral("1000"));
        QCOMPARE(shown.edit(field::IdI(1))->text(), QStringLiteral("10"));
        QCOMPARE(shown.edit(field::IdI(2))->text(), QStringLiteral("2"));
        QCOMPARE(shown.edit(field::IdI(3))->text(), QStringLiteral("1200"));
        QVERIFY(shown.sink.messages.isEmpty());
    }

    // The interpolation line in its tab order: B, A, K backwards from "Ok>"; then Shift+Tab
    // back to "Ok>" and Space lists the terms, which the keyboard can walk in the list.
    void arithmeticInterpolationByKeyboardAlone()
    {
        ShownWindow shown;
        QVERIFY(activate(shown));
        auto *idB = shown.edit(field::IdB);
        idB->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(focused(), idB);
        typeAndTab(QStringLiteral("10"));
        QCOMPARE(focusName(focused()), fieldName(field::IdA));
        typeAndTab(QStringLiteral("2"));
        QCOMPARE(focusName(focused()), fieldName(field::IdK));
        QTest::keyClicks(focused(), QStringLiteral("3"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(focused()), QStringLiteral("Okab"));
        QTest::keyClick(focused(), Qt::Key_Space);
        QVERIFY(shown.sink.messages.isEmpty());

        auto *list = shown.combo(ListId::LstIntrp);
        QVERIFY(list->count() > 0);
        QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(focused()), listName(ListId::LstIntrp));
        // Down steps through the listed terms without a mouse.
        QTest::keyClick(focused(), Qt::Key_Down);
        QVERIFY(list->currentIndex() >= 0);
        QCOMPARE(list->lineEdit()->text(), list->itemText(list->currentIndex()));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
