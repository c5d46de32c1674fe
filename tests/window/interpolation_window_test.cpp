// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Both interpolation lines through the real window: K, A and B typed key by key, "Ok>" pressed
// with the mouse, and the fields, the drop-down list and the boxes read as the user sees them.
#include "window_helpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <functional>

using namespace tirel;
using tirel::test::ShownWindow;

namespace {
const Message kCannotCalculate{QStringLiteral("No es pot calcular"), QStringLiteral("Falten dades"),
                               MessageIcon::Warning};

QLocale localeOf(bool comma)
{
    return comma ? QLocale(QLocale::Catalan, QLocale::Spain) : QLocale::c();
}

// One interpolation line and the section it fills.
struct Line {
    QLineEdit *k = nullptr;
    QLineEdit *a = nullptr;
    QLineEdit *b = nullptr;
    QPushButton *ok = nullptr;
    QComboBox *list = nullptr;
    QList<QLineEdit *> fields; // a1, d|r, n, an, Sn (and S for the geometric section)

    bool complete() const { return k && a && b && ok && list && !fields.contains(nullptr); }
};

template <typename T> T *child(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

Line lineOf(const QWidget *window, bool geometric)
{
    Line line;
    line.k = child<QLineEdit>(window, fieldName(geometric ? field::IdKg : field::IdK));
    line.a = child<QLineEdit>(window, fieldName(geometric ? field::IdAg : field::IdA));
    line.b = child<QLineEdit>(window, fieldName(geometric ? field::IdBg : field::IdB));
    line.ok =
        child<QPushButton>(window, geometric ? QStringLiteral("OkABg") : QStringLiteral("Okab"));
    line.list = child<QComboBox>(window, listName(geometric ? ListId::Lstg : ListId::LstIntrp));
    const int count = geometric ? 6 : 5;
    for (int p = 0; p < count; ++p)
        line.fields << child<QLineEdit>(window,
                                        fieldName(geometric ? field::Idg(p) : field::Id(p)));
    return line;
}

Line lineOf(const ShownWindow &shown, bool geometric)
{
    return lineOf(shown.window.get(), geometric);
}

// As a user does: select what stands in the field, delete it, key in the new text.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void typeLine(const Line &line, const QString &k, const QString &a, const QString &b)
{
    typeInto(line.k, k);
    typeInto(line.a, a);
    typeInto(line.b, b);
}

QStringList entriesOf(const QComboBox *list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

// What the user can read off the window for one line.
struct Shown {
    QStringList fields;
    QStringList entries;
    QString textLine;
    bool sumOn = false;
    friend bool operator==(const Shown &, const Shown &) = default;
};

Shown shownOf(const ShownWindow &shown, const Line &line)
{
    Shown seen;
    for (const QLineEdit *field : line.fields)
        seen.fields << field->text();
    seen.entries = entriesOf(line.list);
    seen.textLine = line.list->lineEdit()->text();
    seen.sumOn = shown.find("EtS")->isEnabled();
    return seen;
}

// The interpolation each "earlier press" row starts from, so that a press can be seen to leave
// or replace what an earlier one listed.
void pressEarlier(const Line &line, bool geometric)
{
    typeLine(line, QStringLiteral("3"), geometric ? QStringLiteral("1") : QStringLiteral("2"),
             geometric ? QStringLiteral("16") : QStringLiteral("10"));
    QTest::mouseClick(line.ok, Qt::LeftButton);
}

QRect arrowOf(QComboBox *list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.subControls = QStyle::SC_All;
    return list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow,
                                         list);
}

// Opens the drop-down the way a user does, with a click on its arrow.
void openList(QComboBox *list)
{
    QTest::mouseClick(list, Qt::LeftButton, {}, arrowOf(list).center());
}

// The real modal boxes of a window without a recording sink: every one that opens is read and
// closed with a click on its OK button, for as long as the watch runs.
class BoxWatch {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    explicit BoxWatch(std::function<void()> whileOpen) : whileOpen_(std::move(whileOpen))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }

    QList<Seen> seen;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == closing_)
            return;
        closing_ = box;
        seen.append({box->windowTitle(), box->text(), box->icon()});
        if (whileOpen_)
            whileOpen_();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    std::function<void()> whileOpen_;
    QTimer timer_;
    QMessageBox *closing_ = nullptr;
};
} // namespace

class InterpolationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsExist_data()
    {
        QTest::addColumn<bool>("geometric");
        QTest::newRow("arithmetic") << false;
        QTest::newRow("geometric") << true;
    }

    void controlsExist()
    {
        QFETCH(bool, geometric);
        ShownWindow shown;
        const Line line = lineOf(shown, geometric);
        QVERIFY(line.complete());
        QCOMPARE(line.ok->text(), QStringLiteral("Ok>"));
    }

    void press_data()
    {
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<bool>("earlier"); // an earlier interpolation stands before the press
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("changes");       // false: the window stays as it was
        QTest::addColumn<QStringList>("fields"); // the section's fields after the press
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("textLine");
        QTest::addColumn<bool>("sumOn");

        const QStringList none;
        auto done = [](const char *name, bool geometric, bool comma, bool earlier, const char *k,
                       const char *a, const char *b, const QStringList &fields,
                       const QStringList &entries, const char *textLine, bool sumOn = false) {
            QTest::newRow(name) << geometric << comma << earlier << k << a << b << false << true
                                << fields << entries << QString::fromUtf8(textLine) << sumOn;
        };
        // A failure with nothing changed: what stood before the press is what is expected.
        auto refused = [](const char *name, bool geometric, const char *k, const char *a,
                          const char *b) {
            QTest::newRow(name) << geometric << false << true << k << a << b << true << false
                                << QStringList() << QStringList() << QString() << false;
        };
        // A failure after some writes: what those writes left.
        auto failsAfter = [](const char *name, bool geometric, const char *k, const char *a,
                             const char *b, const QStringList &fields, const QStringList &entries,
                             const char *textLine) {
            QTest::newRow(name) << geometric << false << true << k << a << b << true << true
                                << fields << entries << QString::fromUtf8(textLine) << false;
        };

        // The arithmetic line; the earlier press is K = 3 between 2 and 10.
        const bool ar = false;
        done("ar: 3 terms between 2 and 10", ar, false, false, "3", "2", "10",
             {"2", "2", "5", "10", "30"}, {"4", "6", "8"}, "4");
        done("ar: B smaller than A", ar, false, true, "3", "10", "2", {"10", "-2", "5", "2", "30"},
             {"8", "6", "4"}, "8");
        done("ar: both ends negative", ar, false, true, "1", "-2", "-8",
             {"-2", "-3", "3", "-8", "-15"}, {"-5"}, "-5");
        done("ar: opposite signs", ar, false, true, "3", "-4", "4", {"-4", "2", "5", "4", "0"},
             {"-2", "0", "2"}, "-2");
        done("ar: A = B", ar, false, true, "2", "5", "5", {"5", "0", "4", "5", "20"}, {"5", "5"},
             "5");
        done("ar: K = 0 empties the list", ar, false, true, "0", "2", "10",
             {"2", "8", "2", "10", "12"}, none, "");
        done("ar: K 2.5 gives 2 terms", ar, false, true, "2.5", "0", "3", {"0", "1", "4", "3", "6"},
             {"1", "2"}, "1");
        done("ar: K 3.5 gives 4 terms", ar, false, true, "3.5", "0", "5",
             {"0", "1", "6", "5", "15"}, {"1", "2", "3", "4"}, "1");
        done("ar: K 2,5 gives 2 terms, comma", ar, true, true, "2,5", "0", "3",
             {"0", "1", "4", "3", "6"}, {"1", "2"}, "1");
        done("ar: K 3,5 gives 4 terms, comma", ar, true, true, "3,5", "0", "5",
             {"0", "1", "6", "5", "15"}, {"1", "2", "3", "4"}, "1");
        done("ar: decimal ends, comma", ar, true, true, "2", "0,5", "2",
             {"0,5", "0,5", "4", "2", "5"}, {"1", "1,5"}, "1");
        // n = -1 and d = 8 / -2: no failure; the solver completes an and Sn from them.
        done("ar: K = -3 below -1", ar, false, true, "-3", "2", "10", {"2", "-4", "-1", "10", "-6"},
             none, "");
        done("ar: K = -32768, the smallest", ar, false, true, "-32768", "0", "32767",
             {"0", "-1", "-32766", "32767", "-536821761"}, none, "");
        refused("ar: K = -1 divides by zero", ar, "-1", "2", "10");
        refused("ar: K = 32766 leaves no room for n", ar, "32766", "2", "10");
        refused("ar: K above 16 bits", ar, "32768", "2", "10");
        refused("ar: K below 16 bits", ar, "-32769", "2", "10");
        refused("ar: K empty keeps the earlier list", ar, "", "2", "10");
        refused("ar: K letters keep the earlier list", ar, "abc", "2", "10");
        refused("ar: A empty", ar, "3", "", "10");
        refused("ar: B letters", ar, "3", "2", "x");
        refused("ar: B - A overflows", ar, "0", "-1E+308", "1E+308");
        // a1, d and n are written, then Sn = (an + a1) * n / 2 overflows in the solver: an, Sn
        // and the list stay as the earlier press left them.
        failsAfter("ar: A = B = 1E+308, K = 0", ar, "0", "1E+308", "1E+308",
                   {"1E+308", "0", "2", "10", "30"}, {"4", "6", "8"}, "4");

        // The geometric line; the earlier press is K = 3 between 1 and 16.
        const bool ge = true;
        done("ge: 3 terms between 1 and 16", ge, false, false, "3", "1", "16",
             {"1", "2", "5", "16", "31", ""}, {"2", "4", "8"}, "2");
        // r = 0.5 switches the infinite sum on while the fields are written: S = 16 / 0.5.
        done("ge: B smaller than A, comma", ge, true, true, "3", "16", "1",
             {"16", "0,5", "5", "1", "31", "32"}, {"8", "4", "2"}, "8", true);
        done("ge: both ends negative", ge, false, true, "1", "-2", "-18",
             {"-2", "3", "3", "-18", "-26", ""}, {"-6"}, "-6");
        done("ge: K = 0 empties the list", ge, false, true, "0", "2", "8",
             {"2", "4", "2", "8", "10", ""}, none, "");
        done("ge: K 2.5 gives 2 terms", ge, false, true, "2.5", "1", "27",
             {"1", "3", "4", "27", "40", ""}, {"3", "9"}, "3");
        done("ge: K 3.5 gives 4 terms", ge, false, true, "3.5", "1", "32",
             {"1", "2", "6", "32", "63", ""}, {"2", "4", "8", "16"}, "2");
        done("ge: K 2,5 gives 2 terms, comma", ge, true, true, "2,5", "1", "27",
             {"1", "3", "4", "27", "40", ""}, {"3", "9"}, "3");
        done("ge: K 3,5 gives 4 terms, comma", ge, true, true, "3,5", "1", "32",
             {"1", "2", "6", "32", "63", ""}, {"2", "4", "8", "16"}, "2");
        // n = -1, r = exp(ln 4 / -2) = 0.5: an = 0.5^-2 * 2 = 8, Sn = (4 - 2) / -0.5.
        done("ge: K = -3 below -1", ge, false, true, "-3", "2", "8",
             {"2", "0.5", "-1", "8", "-4", "4"}, none, "", true);
        // Writing r = 0.1 shows S = 1 / 0.9 as 1.11111111111111, which leaves a1 as written;
        // an and Sn come from that a1.
        done("ge: fresh K = 0, A = 1, B = 0.1", ge, false, false, "0", "1", "0.1",
             {"1", "0.1", "2", "0.1", "1.1", "1.11111111111111"}, none, "", true);
        refused("ge: K = -1 divides by zero", ge, "-1", "1", "16");
        refused("ge: K = 32766 leaves no room for n", ge, "32766", "1", "16");
        refused("ge: K above 16 bits", ge, "32768", "1", "16");
        refused("ge: K below 16 bits", ge, "-32769", "1", "16");
        refused("ge: K empty keeps the earlier list", ge, "", "1", "16");
        refused("ge: K letters keep the earlier list", ge, "abc", "1", "16");
        refused("ge: A empty", ge, "3", "", "16");
        refused("ge: B letters", ge, "3", "1", "x");
        refused("ge: A = 0", ge, "3", "0", "16");
        refused("ge: B = 0", ge, "3", "2", "0");
        refused("ge: opposite signs", ge, "3", "2", "-8");
        refused("ge: B / A overflows", ge, "3", "1E-300", "1E+300");
        // r = 1 exactly: the list and the fields are written, then the solver's sum divides by
        // r - 1; an and Sn stay.
        failsAfter("ge: A = B = 5, K = 2", ge, "2", "5", "5", {"5", "1", "4", "16", "31", ""},
                   {"5", "5"}, "5");
        // r * A is the largest double but one; r^2 * A overflows: the list holds the first term
        // alone, while the text line and the fields stay.
        failsAfter("ge: overflow while the terms are formed", ge, "2", "1.7976931348623151E+308",
                   "1.7976931348623157E+308", {"1", "2", "5", "16", "31", ""},
                   {"1.79769313486231E+308"}, "2");
    }

    void press()
    {
        QFETCH(bool, geometric);
        QFETCH(bool, comma);
        QFETCH(bool, earlier);
        QFETCH(QString, k);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, fails);
        QFETCH(bool, changes);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, entries);
        QFETCH(QString, textLine);
        QFETCH(bool, sumOn);

        ShownWindow shown(localeOf(comma));
        QVERIFY(shown.exposed);
        const Line line = lineOf(shown, geometric);
        QVERIFY(line.complete());
        const Line other = lineOf(shown, !geometric);
        if (earlier) {
            pressEarlier(line, geometric);
            QCOMPARE(shown.sink.messages, QList<Message>{});
        }
        typeLine(line, k, a, b);
        const Shown before = shownOf(shown, line);
        const Shown otherBefore = shownOf(shown, other);
        const Shown expected = changes ? Shown{fields, entries, textLine, sumOn} : before;

        // What the user sees behind the box while it is open.
        Shown behindBox;
        shown.sink.onShow = [&](const Message &) { behindBox = shownOf(shown, line); };
        QTest::mouseClick(line.ok, Qt::LeftButton);

        const Shown after = shownOf(shown, line);
        QCOMPARE(after.fields, expected.fields);
        QCOMPARE(after.entries, expected.entries);
        QCOMPARE(after.textLine, expected.textLine);
        QCOMPARE(after.sumOn, expected.sumOn);
        if (fails) {
            // One box only: a failure inside the solver never adds its own.
            QCOMPARE(shown.sink.messages, QList<Message>{kCannotCalculate});
            QVERIFY(behindBox == after);
        } else {
            QCOMPARE(shown.sink.messages, QList<Message>{});
        }
        QCOMPARE(line.k->text(), k);
        QCOMPARE(line.a->text(), a);
        QCOMPARE(line.b->text(), b);
        // The window mirrors the calculator's own lists.
        const ListId id = geometric ? ListId::Lstg : ListId::LstIntrp;
        QCOMPARE(shown.window->calculator().form().listEntries(id), after.entries);
        QCOMPARE(shown.window->calculator().form().listTextLine(id), after.textLine);
        // The other line and its section are untouched.
        const Shown otherAfter = shownOf(shown, other);
        QCOMPARE(otherAfter.fields, otherBefore.fields);
        QCOMPARE(otherAfter.entries, otherBefore.entries);
        QCOMPARE(otherAfter.textLine, otherBefore.textLine);
    }

    // The real boxes of a window without a recording sink: a failure inside the solver opens the
    // one warning box, with the written fields and list already shown behind it.
    void realBoxForSolverFailure_data()
    {
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("arithmetic A = B = 1E+308")
            << false << "0"
            << "1E+308"
            << "1E+308" << QStringList{"1E+308", "0", "2", "", ""} << QStringList{};
        QTest::newRow("geometric A = B = 5")
            << true << "2"
            << "5"
            << "5" << QStringList{"5", "1", "4", "", "", ""} << QStringList{"5", "5"};
    }

    void realBoxForSolverFailure()
    {
        QFETCH(bool, geometric);
        QFETCH(QString, k);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, entries);

        MainWindow window(QLocale::c());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const Line line = lineOf(&window, geometric);
        QVERIFY(line.complete());
        typeLine(line, k, a, b);

        QStringList fieldsBehind;
        QStringList entriesBehind;
        BoxWatch watch([&] {
            fieldsBehind.clear();
            for (int p = 0; p < fields.size(); ++p)
                fieldsBehind << line.fields[p]->text();
            entriesBehind = entriesOf(line.list);
        });
        QTest::mouseClick(line.ok, Qt::LeftButton);

        QCOMPARE(watch.seen.size(), 1);
        QCOMPARE(watch.seen.first().title, kCannotCalculate.title);
        QCOMPARE(watch.seen.first().text, kCannotCalculate.text);
        QCOMPARE(watch.seen.first().icon, QMessageBox::Warning);
        QCOMPARE(fieldsBehind, fields);
        QCOMPARE(entriesBehind, entries);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The lists take no typed entry and open to show every term.
    void lists_data()
    {
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<QStringList>("entries"); // of the earlier press
        QTest::newRow(qPrintable(listName(ListId::LstIntrp)))
            << false << QStringList{"4", "6", "8"};
        QTest::newRow(qPrintable(listName(ListId::Lstg))) << true << QStringList{"2", "4", "8"};
    }

    void lists()
    {
        QFETCH(bool, geometric);
        QFETCH(QStringList, entries);
        ShownWindow shown;
        QVERIFY(shown.exposed);
        const Line line = lineOf(shown, geometric);
        QVERIFY(line.complete());
        QComboBox *list = line.list;
        QVERIFY(list->isEditable());
        QCOMPARE(list->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(!list->completer());
        QVERIFY(!list->lineEdit()->completer());

        pressEarlier(line, geometric);
        QCOMPARE(entriesOf(list), entries);
        QCOMPARE(list->count(), 3); // K
        QCOMPARE(list->lineEdit()->text(), entries.first());

        // Typed text and Enter: the text stands in the line, no entry is added, nothing pressed.
        const QStringList fieldsBefore = shownOf(shown, line).fields;
        typeInto(list->lineEdit(), QStringLiteral("99"));
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        QTest::keyClick(list->lineEdit(), Qt::Key_Enter);
        QCOMPARE(entriesOf(list), entries);
        QCOMPARE(list->lineEdit()->text(), QStringLiteral("99"));
        const ListId id = geometric ? ListId::Lstg : ListId::LstIntrp;
        QCOMPARE(shown.window->calculator().form().listEntries(id), entries);
        QCOMPARE(shownOf(shown, line).fields, fieldsBefore);

        // A click on the arrow opens the list with every entry in it.
        openList(list);
        QAbstractItemView *view = list->view();
        QTRY_VERIFY(view->isVisible());
        QCOMPARE(view->model()->rowCount(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            const QModelIndex index = view->model()->index(i, 0);
            QCOMPARE(index.data().toString(), entries[i]);
            QVERIFY(!view->visualRect(index).isEmpty());
        }
        // Choosing the second entry puts it in the text line and adds nothing.
        // The drop-down ignores a release within a double-click time of its opening.
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        const QPoint second = view->visualRect(view->model()->index(1, 0)).center();
        QTest::mouseMove(view->viewport(), second);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(list->lineEdit()->text(), entries[1]);
        QCOMPARE(shown.window->calculator().form().listTextLine(id), entries[1]);
        QCOMPARE(entriesOf(list), entries);
        QCOMPARE(shown.sink.messages, QList<Message>{});
    }

    // The largest K through the window: exactly K entries, each term on its own from the
    // full-precision step, while the solver works with the step as its text rounds it.
    void largestCount_data()
    {
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QStringList>("fields");
        // d = 1 exactly: term m is m.
        QTest::newRow("arithmetic")
            << false << "0"
            << "32766"
            << "1"
            << "32765" << QStringList{"0", "1", "32767", "32766", "536821761"};
        // r = exp(ln 2 / 32766); the last term stays below 6, and an from the rounded r lands
        // a little above it.
        QTest::newRow("geometric")
            << true << "3"
            << "6"
            << "3.00006346406447"
            << "5.99987307454584"
            << QStringList{"3", "1.00002115468816", "32767", "6.00000000038259", "141818.537139632",
                           ""};
    }

    void largestCount()
    {
        QFETCH(bool, geometric);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QStringList, fields);
        constexpr int k = 32765;

        ShownWindow shown;
        QVERIFY(shown.exposed);
        const Line line = lineOf(shown, geometric);
        QVERIFY(line.complete());
        typeLine(line, QString::number(k), a, b);

        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(line.ok, Qt::LeftButton);
        const qint64 pressMs = timer.elapsed();
        qInfo("%s interpolation of %d terms through the window: %lld ms",
              geometric ? "geometric" : "arithmetic", k, pressMs);

        QCOMPARE(shown.sink.messages, QList<Message>{});
        QCOMPARE(line.list->count(), k);
        const QStringList entries = entriesOf(line.list);
        QCOMPARE(entries.first(), first);
        QCOMPARE(entries.last(), last);
        if (!geometric) {
            for (int m = 1; m <= k; ++m)
                QCOMPARE(entries[m - 1], QString::number(m));
        }
        QCOMPARE(line.list->lineEdit()->text(), first);
        QCOMPARE(shownOf(shown, line).fields, fields);

        timer.restart();
        openList(line.list);
        QTRY_VERIFY(line.list->view()->isVisible());
        qInfo("opening the list of %d terms: %lld ms", k, timer.elapsed());
        QCOMPARE(line.list->view()->model()->rowCount(), k);
        QCOMPARE(line.list->view()->model()->index(k - 1, 0).data().toString(), last);
        line.list->hidePopup();
    }
};

QTEST_MAIN(InterpolationWindowTest)
#include "interpolation_window_test.moc"
