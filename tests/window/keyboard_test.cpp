// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window worked with the keyboard alone: Tab reaches every control, Space presses the button
// that holds the focus, and the numeric keypad's decimal key types the locale's separator.
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

    // In every field and list text line: 3, the key, 5. The keypad's decimal key (a point or a
    // comma on the keypad, by keyboard layout) types the locale's separator; the main keyboard's
    // keys type themselves.
    void keypadDecimalKey_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("typed");
        auto row = [](const char *name, const char *locale, Qt::Key key, bool keypad,
                      const char *typed) {
            QTest::newRow(name) << QString::fromLatin1(locale) << int(key) << keypad
                                << QString::fromLatin1(typed);
        };
        row("ca: keypad point", "ca", Qt::Key_Period, true, ",");
        row("ca: keypad comma", "ca", Qt::Key_Comma, true, ",");
        row("ca: main point", "ca", Qt::Key_Period, false, ".");
        row("C: keypad point", "C", Qt::Key_Period, true, ".");
        row("C: keypad comma", "C", Qt::Key_Comma, true, ".");
        row("C: main comma", "C", Qt::Key_Comma, false, ",");
    }

    void keypadDecimalKey()
    {
        QFETCH(QString, locale);
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(QString, typed);
        ShownWindow shown(locale == u"ca" ? QLocale(QLocale::Catalan, QLocale::Spain)
                                          : QLocale::c());
        QVERIFY(shown.exposed);
        const QString keyText = key == Qt::Key_Period ? QStringLiteral(".") : QStringLiteral(",");
        const QString expected = u'3' + typed + u'5';
        // A list gets the keys itself while it has the focus.
        QList<QWidget *> targets;
        for (int n = 0; n < field::kFieldCount; ++n)
            targets << shown.edit(FieldId{n});
        targets << shown.combo(ListId::LstIntrp) << shown.combo(ListId::Lstg);
        for (QWidget *target : targets) {
            QTest::keyClicks(target, QStringLiteral("3"));
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), keyText,
                                keypad ? Qt::KeypadModifier : Qt::NoModifier);
            QTest::keyClicks(target, QStringLiteral("5"));
            auto *combo = qobject_cast<QComboBox *>(target);
            auto *edit = combo ? combo->lineEdit() : static_cast<QLineEdit *>(target);
            QCOMPARE(edit->text(), expected);
            // Emptied again, so that no field acts on another's text.
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(target, Qt::Key_Backspace);
            QCOMPARE(edit->text(), QString());
        }
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
