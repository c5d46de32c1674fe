// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The widgets bound to the calculator, through real key presses and clicks: what the user types
// reaches the core once, what the program writes comes back at once, and presses run their
// operation.
#include "window_helpers.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tirel;
using tirel::test::ShownWindow;

namespace {
const Message kTooFewData{QStringLiteral("Dades insuficients"),
                          QStringLiteral("Són necessàries 3 dades"), MessageIcon::Warning};

void type(const ShownWindow &shown, const QString &field, const QString &text)
{
    auto *edit = shown.find<QLineEdit>(field);
    QVERIFY2(edit, qPrintable(field));
    QTest::keyClicks(edit, text);
}

void press(const ShownWindow &shown, const QString &button)
{
    auto *widget = shown.find<QPushButton>(button);
    QVERIFY2(widget, qPrintable(button));
    QTest::mouseClick(widget, Qt::LeftButton);
}

QString shownText(const ShownWindow &shown, const QString &field)
{
    return shown.find<QLineEdit>(field)->text();
}

// Sets a text line's whole text the way assistive technology does, by the named route.
void setThrough(const QString &route, QLineEdit *edit, const QString &text)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(edit);
    const int length = iface->textInterface()->characterCount();
    if (route == QLatin1String("value")) {
        iface->setText(QAccessible::Value, text);
    } else if (route == QLatin1String("replace")) {
        iface->editableTextInterface()->replaceText(0, length, text);
    } else {
        iface->editableTextInterface()->deleteText(0, length);
        iface->editableTextInterface()->insertText(0, text);
    }
}
} // namespace

class MainWindowBindingTest : public QObject {
    Q_OBJECT

private slots:
    void arithmeticPress_data();
    void arithmeticPress();
    void arithmeticMessages_data();
    void arithmeticMessages();
    void onlyUserEditsReachTheCore();
    void assistiveTextReachesTheCore_data();
    void assistiveTextReachesTheCore();
    void programWritesAreHandledOnce();
    void writesShowBeforeABoxOpens();
    void listsMirrorTheForm();
    void listTextLineEditsReachTheCore();
    void longListsFillAndCanBeRead();
    void enterAndEscapePressNothing();
    void everyButtonRunsItsOperation();
    void pressInTheSumFieldRunsItsClick();
};

void MainWindowBindingTest::arithmeticPress_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("typed"); // a1, d, n, an, Sn
    QTest::addColumn<QStringList>("after");
    const QLocale c = QLocale::c();
    const QLocale ca(QLocale::Catalan);
    QTest::newRow("a1 d n") << c << QStringList{"1", "2", "5", "", ""}
                            << QStringList{"1", "2", "5", "9", "25"};
    QTest::newRow("n not whole") << c << QStringList{"1", "2", "2.5", "", ""}
                                 << QStringList{"1", "2", "2.5", "4", "6.25"};
    QTest::newRow("n = 1") << c << QStringList{"1", "2", "1", "", ""}
                           << QStringList{"1", "2", "1", "1", "1"};
    QTest::newRow("comma locale") << ca << QStringList{"1", "2", "2,5", "", ""}
                                  << QStringList{"1", "2", "2,5", "4", "6,25"};
    QTest::newRow("given kept as typed") << c << QStringList{" 1.0", "2e0", "5", "x", "y"}
                                         << QStringList{" 1.0", "2e0", "5", "9", "25"};
    QTest::newRow("positions 1 2 4")
        << c << QStringList{"", "2", "5", "", "25"} << QStringList{"1", "2", "5", "9", "25"};
}

void MainWindowBindingTest::arithmeticPress()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, after);
    ShownWindow shown(locale);
    QVERIFY(shown.exposed);
    for (int i = 0; i < 5; ++i)
        type(shown, fieldName(field::Id(i)), typed[i]);
    press(shown, QStringLiteral("OkAr"));
    QVERIFY(shown.sink.messages.isEmpty());
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(shownText(shown, fieldName(field::Id(i))), after[i]);
        QCOMPARE(shown.window->calculator().form().text(field::Id(i)), after[i]);
    }
}

void MainWindowBindingTest::arithmeticMessages_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warning");
    QTest::newRow("nothing") << QStringList{"", "", "", "", ""} << kTooFewData.title
                             << kTooFewData.text << true;
    QTest::newRow("two and letters")
        << QStringList{"1", "abc", "5", "", ""} << kTooFewData.title << kTooFewData.text << true;
    QTest::newRow("blanks only") << QStringList{"1", "   ", "5", "", ""} << kTooFewData.title
                                 << kTooFewData.text << true;
    QTest::newRow("n unknown") << QStringList{"1", "2", "", "9", ""}
                               << QStringLiteral("n no pot ser incògnita")
                               << QStringLiteral("n ha de ser enter") << false;
    QTest::newRow("n - 1 divides")
        << QStringList{"1", "", "1", "9", ""} << QStringLiteral("Error de càlcul")
        << QStringLiteral("Divisió per zero") << true;
    QTest::newRow("n divides") << QStringList{"", "", "0", "9", "25"}
                               << QStringLiteral("Error de càlcul")
                               << QStringLiteral("Divisió per zero") << true;
}

void MainWindowBindingTest::arithmeticMessages()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, warning);
    ShownWindow shown;
    for (int i = 0; i < 5; ++i)
        type(shown, fieldName(field::Id(i)), typed[i]);
    press(shown, QStringLiteral("OkAr"));
    QCOMPARE(shown.sink.messages.size(), 1);
    QCOMPARE(shown.sink.messages.first(),
             (Message{title, text, warning ? MessageIcon::Warning : MessageIcon::None}));
    // Every field keeps its text, letters included.
    for (int i = 0; i < 5; ++i)
        QCOMPARE(shownText(shown, fieldName(field::Id(i))), typed[i]);
}

void MainWindowBindingTest::onlyUserEditsReachTheCore()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    QSignalSpy written(&form, &Form::textWritten);
    // Each keystroke is one edit of the core's text.
    type(shown, fieldName(field::IdK), QStringLiteral("12"));
    QCOMPARE(written.size(), 2);
    QCOMPARE(form.text(field::IdK), QStringLiteral("12"));
    QTest::keyClick(shown.edit(field::IdK), Qt::Key_Backspace);
    QCOMPARE(written.size(), 3);
    QCOMPARE(form.text(field::IdK), QStringLiteral("1"));
    // A text set on the widget by any other route (assistive technology sets it so) goes into
    // the core as one edit too.
    written.clear();
    shown.edit(field::IdA)->setText(QStringLiteral("99"));
    QCOMPARE(written.size(), 1);
    QCOMPARE(form.text(field::IdA), QStringLiteral("99"));
}

void MainWindowBindingTest::assistiveTextReachesTheCore_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("accessible value") << "value";
    QTest::newRow("editable text replaced") << "replace";
    QTest::newRow("editable text deleted and inserted") << "insert";
}

// What assistive technology writes is used exactly as typing would be: by the solve, by the
// infinite sum (an S written in gives the first term), and in a list's text line; each change is
// one write.
void MainWindowBindingTest::assistiveTextReachesTheCore()
{
    QFETCH(QString, route);
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    QSignalSpy written(&form, &Form::textWritten);
    for (int i = 0; i < 3; ++i)
        setThrough(route, shown.edit(field::Id(i)), QStringList{"1", "2", "5"}[i]);
    QCOMPARE(written.size(), 3);
    QAccessible::queryAccessibleInterface(shown.find("OkAr"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(form.text(field::Id(4)), QStringLiteral("25"));
    QCOMPARE(shownText(shown, fieldName(field::Id(3))), QStringLiteral("9"));
    QCOMPARE(written.size(), 5);

    setThrough(route, shown.edit(field::Idg(0)), QStringLiteral("3"));
    setThrough(route, shown.edit(field::Idg(1)), QStringLiteral("0.5"));
    QCOMPARE(shownText(shown, fieldName(field::Idg(5))), QStringLiteral("6"));
    setThrough(route, shown.edit(field::Idg(5)), QStringLiteral("60"));
    QCOMPARE(shownText(shown, fieldName(field::Idg(0))), QStringLiteral("30"));
    QCOMPARE(form.text(field::Idg(1)), QStringLiteral("0.5"));
    QCOMPARE(form.nestingBoundHits(), 0);

    QLineEdit *line = shown.combo(ListId::Lstg)->lineEdit();
    setThrough(route, line, QStringLiteral("abc"));
    QCOMPARE(form.listTextLine(ListId::Lstg), QStringLiteral("abc"));
    // New terms in the list leave its text line as it was, in the core and on screen.
    form.setListEntries(ListId::Lstg, {QStringLiteral("1"), QStringLiteral("2")});
    QCOMPARE(form.listTextLine(ListId::Lstg), QStringLiteral("abc"));
    QCOMPARE(line->text(), QStringLiteral("abc"));
}

void MainWindowBindingTest::programWritesAreHandledOnce()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    int handled = 0;
    form.setChangeHandler(field::IdB, [&](FieldId) { ++handled; });
    QSignalSpy written(&form, &Form::textWritten);

    form.setText(field::IdB, QStringLiteral("7"));
    QCOMPARE(shownText(shown, fieldName(field::IdB)), QStringLiteral("7"));
    QCOMPARE(handled, 1);
    QCOMPARE(written.size(), 1);
    // The same text again runs nothing.
    form.setText(field::IdB, QStringLiteral("7"));
    QCOMPARE(handled, 1);

    // A solve writes each unknown field once.
    written.clear();
    type(shown, fieldName(field::Id(0)), "1");
    type(shown, fieldName(field::Id(1)), "2");
    type(shown, fieldName(field::Id(2)), "5");
    QCOMPARE(written.size(), 3);
    written.clear();
    press(shown, "OkAr");
    QCOMPARE(written.size(), 2);
    QCOMPARE(written.at(0).at(0).value<FieldId>(), field::Id(3));
    QCOMPARE(written.at(1).at(0).value<FieldId>(), field::Id(4));
    // Typing on after the program's write edits the written text, which is shown from its start.
    QTest::keyClick(shown.edit(field::Id(3)), Qt::Key_End);
    QTest::keyClicks(shown.edit(field::Id(3)), QStringLiteral("0"));
    QCOMPARE(form.text(field::Id(3)), QStringLiteral("90"));
}

void MainWindowBindingTest::writesShowBeforeABoxOpens()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    // An operation that writes two fields and then shows a box, as the interpolations and the
    // geometric display do in the middle of their work.
    form.setChangeHandler(field::IdKg, [&](FieldId) {
        form.setText(field::IdAg, QStringLiteral("3"));
        form.setListEntries(ListId::Lstg, {QStringLiteral("4"), QStringLiteral("5")});
        form.setListTextLine(ListId::Lstg, QStringLiteral("4"));
        shown.sink.showMessage({QStringLiteral("t"), QStringLiteral("x"), MessageIcon::None});
        form.setText(field::IdBg, QStringLiteral("after"));
    });
    QStringList seen;
    shown.sink.onShow = [&](const Message &) {
        seen << shownText(shown, fieldName(field::IdKg)) << shownText(shown, fieldName(field::IdAg))
             << shownText(shown, fieldName(field::IdBg))
             << shown.combo(ListId::Lstg)->lineEdit()->text()
             << QString::number(shown.combo(ListId::Lstg)->count());
    };
    type(shown, fieldName(field::IdKg), "2");
    QCOMPARE(seen, (QStringList{"2", "3", "", "4", "2"}));
    QCOMPARE(shownText(shown, fieldName(field::IdBg)), QStringLiteral("after"));
}

void MainWindowBindingTest::listsMirrorTheForm()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    auto *combo = shown.combo(ListId::LstIntrp);
    form.setListEntries(ListId::LstIntrp,
                        {QStringLiteral("1"), QStringLiteral("1,5"), QStringLiteral("2")});
    form.setListTextLine(ListId::LstIntrp, QStringLiteral("1"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), QStringLiteral("1,5"));
    QCOMPARE(combo->lineEdit()->text(), QStringLiteral("1"));
    // Emptying the list and its text line empties the combo box.
    form.setListEntries(ListId::LstIntrp, {});
    form.setListTextLine(ListId::LstIntrp, QString());
    QCOMPARE(combo->count(), 0);
    QVERIFY(combo->lineEdit()->text().isEmpty());
    QCOMPARE(shown.combo(ListId::Lstg)->count(), 0);
}

void MainWindowBindingTest::listTextLineEditsReachTheCore()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    auto *combo = shown.combo(ListId::Lstg);
    form.setListEntries(ListId::Lstg, {QStringLiteral("10"), QStringLiteral("20")});
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("abc"));
    QCOMPARE(form.listTextLine(ListId::Lstg), QStringLiteral("abc"));
    // Enter adds no entry.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(form.listEntries(ListId::Lstg).size(), 2);
    QCOMPARE(combo->lineEdit()->text(), QStringLiteral("abc"));

    // Choosing a term from the open list puts it in the text line, in the core too.
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect second = view->visualRect(view->model()->index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->lineEdit()->text(), QStringLiteral("20"));
    QCOMPARE(form.listTextLine(ListId::Lstg), QStringLiteral("20"));
}

void MainWindowBindingTest::longListsFillAndCanBeRead()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    auto *combo = shown.combo(ListId::LstIntrp);
    QStringList entries;
    for (int i = 0; i < 32765; ++i)
        entries << QString::number(1 + i / 9.0, 'g', 15);
    QSignalSpy indexChanges(combo, &QComboBox::currentIndexChanged);
    form.setListEntries(ListId::LstIntrp, entries);
    QCOMPARE(combo->count(), 32765);
    QCOMPARE(combo->itemText(32764), entries.last());
    // Filled in one step, quietly.
    QCOMPARE(indexChanges.size(), 0);
    // The open list is wide enough for its longest term.
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    const QFontMetrics metrics(combo->view()->font());
    int widest = 0;
    for (const QString &entry : entries)
        widest = std::max(widest, metrics.horizontalAdvance(entry));
    QVERIFY(combo->view()->viewport()->width() >= widest);
    combo->hidePopup();
}

void MainWindowBindingTest::enterAndEscapePressNothing()
{
    ShownWindow shown;
    shown.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown.window.get()));
    // Data every solver could act on, so any press would show or change something.
    type(shown, fieldName(field::Id(0)), "1");
    type(shown, fieldName(field::Id(1)), "2");
    type(shown, fieldName(field::Id(2)), "5");
    int clicks = 0;
    for (QPushButton *button : shown.window->findChildren<QPushButton *>())
        connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    QList<QWidget *> targets;
    for (QLineEdit *edit : shown.window->findChildren<QLineEdit *>())
        targets << edit;
    for (QPushButton *button : shown.window->findChildren<QPushButton *>())
        targets << button;
    QCOMPARE(targets.size(), 35 + 8);
    for (QWidget *target : targets) {
        target->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
    }
    QCOMPARE(clicks, 0);
    QVERIFY(shown.sink.messages.isEmpty());
    QVERIFY(shownText(shown, fieldName(field::Id(3))).isEmpty());
    QCOMPARE(shown.combo(ListId::LstIntrp)->count(), 0);
    QCOMPARE(shown.combo(ListId::Lstg)->count(), 0);
}

void MainWindowBindingTest::everyButtonRunsItsOperation()
{
    // Each button runs its own section: empty fields give that section's refusal, and the
    // arithmetic "Ok" of the other sections stays silent.
    ShownWindow shown;
    press(shown, "OkAr");
    QCOMPARE(shown.sink.messages.size(), 1);
    QCOMPARE(shown.sink.messages.last(), kTooFewData);
    // The same three numbers in the geometric fields: a geometric press solves them or refuses
    // them, but never writes the arithmetic fields.
    type(shown, fieldName(field::Id(0)), "1");
    type(shown, fieldName(field::Id(1)), "2");
    type(shown, fieldName(field::Id(2)), "5");
    for (const char *name :
         {"OkGe", "OkABg", "Okab", "OkInteres(0)", "OkInteres(1)", "OkInteres(2)", "OkInteres(3)"})
        press(shown, name);
    QVERIFY(shownText(shown, fieldName(field::Id(3))).isEmpty());
    press(shown, "OkAr");
    QCOMPARE(shownText(shown, fieldName(field::Id(3))), QStringLiteral("9"));
}

void MainWindowBindingTest::pressInTheSumFieldRunsItsClick()
{
    ShownWindow shown;
    Form &form = shown.window->calculator().form();
    // a1 alone switches the display on: the empty ratio counts as 0.
    type(shown, fieldName(field::Idg(0)), "2");
    QVERIFY(form.sumDisplayOn());
    // r = 2 switches the display off; n, an and Sn hold text.
    type(shown, fieldName(field::Idg(1)), "2");
    QVERIFY(!form.sumDisplayOn());
    for (int k = 2; k <= 4; ++k)
        form.setText(field::Idg(k), QStringLiteral("7"));

    // Focus alone runs nothing.
    shown.edit(field::Idg(5))->setFocus();
    QVERIFY(!form.sumDisplayOn());
    QCOMPARE(shownText(shown, fieldName(field::Idg(3))), QStringLiteral("7"));
    // A press in another geometric field runs nothing either.
    QTest::mouseClick(shown.edit(field::Idg(2)), Qt::LeftButton);
    QCOMPARE(shownText(shown, fieldName(field::Idg(3))), QStringLiteral("7"));
    // A press in the empty S field switches the display on and empties n, an and Sn.
    QTest::mouseClick(shown.edit(field::Idg(5)), Qt::LeftButton);
    QVERIFY(form.sumDisplayOn());
    QVERIFY(shown.find("EtS")->isEnabled());
    for (int k = 2; k <= 4; ++k)
        QVERIFY(shownText(shown, fieldName(field::Idg(k))).isEmpty());
    QCOMPARE(shownText(shown, fieldName(field::Idg(0))), QStringLiteral("2"));
    QCOMPARE(shownText(shown, fieldName(field::Idg(1))), QStringLiteral("2"));
    // A second press, with nothing changed, runs it again.
    form.setText(field::Idg(3), QStringLiteral("7"));
    QTest::mouseClick(shown.edit(field::Idg(5)), Qt::LeftButton);
    QVERIFY(shownText(shown, fieldName(field::Idg(3))).isEmpty());
}

QTEST_MAIN(MainWindowBindingTest)
#include "main_window_binding_test.moc"
