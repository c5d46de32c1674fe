// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The infinite-sum display through the real widgets: keys typed into the geometric fields and
// presses of the mouse, checked on the texts, the two labels and the S field's background.
#include "support/infinite_sum_cases.h"
#include "window_helpers.h"

#include <QApplication>
#include <QClipboard>
#include <QPalette>
#include <QPushButton>
#include <QTest>

using namespace tirel;
using tirel::test::ShownWindow;

namespace {
QLineEdit *geometricField(const ShownWindow &shown, int index)
{
    return shown.edit(field::Idg(index));
}

// One user action of the shared table (support/infinite_sum_cases.h), as the user makes it: End
// and the keys for "+", Ctrl+A and the keys for "=", Ctrl+A and Ctrl+V for "!", Backspace until
// the field is empty for "<", a mouse click for "click" and on "Ok" for "ok".
void act(const ShownWindow &shown, const QString &action)
{
    if (action == u"ok") {
        QTest::mouseClick(shown.find<QPushButton>("OkGe"), Qt::LeftButton);
        return;
    }
    if (action.startsWith(u"click")) {
        QTest::mouseClick(geometricField(shown, action.mid(5).toInt()), Qt::LeftButton);
        return;
    }
    QLineEdit *edit = geometricField(shown, action.left(1).toInt());
    const QChar op = action[1];
    const QString keys = action.mid(2);
    if (op == u'<') {
        QTest::keyClick(edit, Qt::Key_End);
        while (!edit->text().isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        return;
    }
    if (op == u'+') {
        QTest::keyClick(edit, Qt::Key_End);
    } else {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    }
    if (op == u'!') {
        QGuiApplication::clipboard()->setText(keys);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(edit, keys);
    }
}

QStringList shownTexts(const ShownWindow &shown)
{
    QStringList texts;
    for (int k = 0; k < 6; ++k)
        texts << geometricField(shown, k)->text();
    return texts;
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}
} // namespace

class GeometricTypingTest : public QObject {
    Q_OBJECT

private:
    // The display as the user sees it: both labels, the S field's background, and the field
    // itself always open for typing.
    static void checkDisplay(const ShownWindow &shown, bool on)
    {
        QCOMPARE(shown.find("Etdescr")->isEnabled(), on);
        QCOMPARE(shown.find("EtS")->isEnabled(), on);
        QLineEdit *sum = geometricField(shown, 5);
        QCOMPARE(sum->palette().color(QPalette::Base), on ? QColor(Qt::white) : buttonFace());
        QVERIFY(sum->isEnabled());
        QVERIFY(!sum->isReadOnly());
    }

private slots:
    void initTestCase() { QVERIFY(QColor(Qt::white) != buttonFace()); }

    void typing_data() { test::addInfiniteSumRows(); }

    void typing()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, texts);
        QFETCH(bool, on);
        ShownWindow shown(locale == u"ca" ? QLocale(QLocale::Catalan, QLocale::Spain)
                                          : QLocale::c());
        QVERIFY(shown.exposed);
        for (const QString &action : actions)
            act(shown, action);
        QCOMPARE(shownTexts(shown), texts);
        checkDisplay(shown, on);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(shown.window->calculator().form().text(field::Idg(k)), texts[k]);
        QCOMPARE(shown.sink.messages, QList<Message>{});
    }

    // Each keystroke is one change of the field, and each change runs the handling at once:
    // the sum follows the ratio key by key.
    void everyKeystrokeIsAChange()
    {
        ShownWindow shown;
        QVERIFY(shown.exposed);
        act(shown, "0+2");
        Form &form = shown.window->calculator().form();
        QStringList ratioTexts;
        QObject::connect(&form, &Form::textWritten, [&](FieldId id) {
            if (id == field::Idg(1))
                ratioTexts << form.text(id);
        });
        QLineEdit *ratio = geometricField(shown, 1);
        QLineEdit *sum = geometricField(shown, 5);
        const QStringList sums{"", "", "2.5", "2.66666666666667"};
        const QString keys = QStringLiteral("0.25");
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QTest::keyClick(ratio, keys[i].toLatin1());
            QCOMPARE(sum->text(), sums[i]);
        }
        QCOMPARE(ratioTexts, (QStringList{"0", "0.", "0.2", "0.25"}));
        checkDisplay(shown, true);
    }

    // The geometric boxes through a real press of "Ok": title, text and icon, with the fields and
    // the display as they were.
    void boxesOfAPress_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString noCase = QStringLiteral("Cas no contemplat");
        const QString unknownN = QStringLiteral("n no pot ser incògnita");
        const QString failure = QStringLiteral("Error de càlcul");
        QTest::newRow("024") << QStringList{"0+1", "2+3", "4+7"} << noCase
                             << QStringLiteral("(Dades: a1, an, Sn)");
        QTest::newRow("234") << QStringList{"2+3", "3+4", "4+7"} << noCase
                             << QStringLiteral("(Dades: n, an, Sn)");
        QTest::newRow("013") << QStringList{"0+1", "1+2", "3+8"} << unknownN
                             << QStringLiteral("n ha de ser enter");
        QTest::newRow("too few") << QStringList{"0+1", "1+0.5", "2+x"}
                                 << QStringLiteral("Dades insuficients")
                                 << QStringLiteral("Són necessàries 3 dades");
        QTest::newRow("r = 1") << QStringList{"0+1", "1+1", "2+5"} << failure
                               << QStringLiteral("Divisió per zero");
        QTest::newRow("overflow beside a sum")
            << QStringList{"0+3", "1+0.5", "2+-2000"} << failure << QStringLiteral("Desbordament");
    }

    void boxesOfAPress()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, title);
        QFETCH(QString, text);
        ShownWindow shown;
        QVERIFY(shown.exposed);
        for (const QString &action : actions)
            act(shown, action);
        const QStringList before = shownTexts(shown);
        const bool on = shown.window->calculator().form().sumDisplayOn();
        QTest::mouseClick(shown.find<QPushButton>("OkGe"), Qt::LeftButton);
        QCOMPARE(shown.sink.messages, (QList<Message>{{title, text, MessageIcon::Warning}}));
        QCOMPARE(shownTexts(shown), before);
        checkDisplay(shown, on);
    }

    // Tab into the S field is no click: nothing switches, nothing is emptied. A click is.
    void tabIsNoClick()
    {
        ShownWindow shown;
        QVERIFY(shown.exposed);
        shown.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown.window.get()));
        for (const char *action : {"0+3", "1+2", "2+4", "3+24", "4+45"})
            act(shown, QString::fromLatin1(action));
        checkDisplay(shown, false);

        // The S field follows the geometric list in the focus chain.
        QWidget *list = shown.combo(ListId::Lstg);
        list->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), geometricField(shown, 5));
        checkDisplay(shown, false);
        QCOMPARE(shownTexts(shown), (QStringList{"3", "2", "4", "24", "45", ""}));

        QTest::mouseClick(geometricField(shown, 5), Qt::LeftButton);
        checkDisplay(shown, true);
        QCOMPARE(shownTexts(shown), (QStringList{"3", "2", "", "", "", ""}));
    }

    // A solve with a ratio below 1 in size shows its sum; then one of 1 or more empties it.
    void solvesDriveTheDisplay()
    {
        ShownWindow shown;
        QVERIFY(shown.exposed);
        auto *ok = shown.find<QPushButton>("OkGe");
        QVERIFY(ok);
        for (const char *action : {"0+8", "1+x", "2+3", "3+2"})
            act(shown, QString::fromLatin1(action));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(shownTexts(shown), (QStringList{"8", "0.5", "3", "2", "14", "16"}));
        checkDisplay(shown, true);

        act(shown, "1=2");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(shownTexts(shown), (QStringList{"8", "2", "3", "32", "56", ""}));
        checkDisplay(shown, false);
        QCOMPARE(shown.sink.messages, QList<Message>{});
    }
};

QTEST_MAIN(GeometricTypingTest)
#include "geometric_typing_test.moc"
