// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "support/recording_sink.h"
#include "support/test_main.h"

#include <QTest>

using namespace tirel;

namespace {
// Runs one user action on the geometric fields, each keystroke one edit:
//   "1+0.5"  type 0.5 at the end of field 1 ("0", "0.", "0.5")
//   "5=10"   select all of field 5 and type 10 over it ("1", "10")
//   "0!1E308" paste 1E308 over all of field 0 (one edit)
//   "0<"     delete field 0 with backspace, one character at a time
//   "click5" a mouse press in field 5
void act(Calculator &calc, const QString &action)
{
    if (action.startsWith(u"click")) {
        calc.clickIdg(action.mid(5).toInt());
        return;
    }
    const FieldId id = field::Idg(action.left(1).toInt());
    const QChar op = action[1];
    const QString keys = action.mid(2);
    Form &form = calc.form();
    if (op == u'<') {
        while (!form.text(id).isEmpty())
            calc.edit(id, form.text(id).chopped(1));
    } else if (op == u'!') {
        calc.edit(id, keys);
    } else {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            // The first keystroke over a selection replaces it; the others append to whatever
            // stands in the field, the program's own rewrites included.
            const QString before = (op == u'=' && i == 0) ? QString() : form.text(id);
            calc.edit(id, before + keys[i]);
        }
    }
}

QStringList allTexts(const Form &form)
{
    QStringList texts;
    for (int k = 0; k < 6; ++k)
        texts << form.text(field::Idg(k));
    return texts;
}

QLocale localeNamed(const QString &name)
{
    return name == u"ca" ? QLocale(QLocale::Catalan) : QLocale::c();
}
} // namespace

class InfiniteSumTest : public QObject {
    Q_OBJECT

private slots:
    // Actions typed into the group, then the six texts and the display state.
    void display_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("on");

        auto row = [](const char *name, const QStringList &actions, const QStringList &texts,
                      bool on, const char *locale = "c") {
            QTest::newRow(name) << QString::fromLatin1(locale) << actions << texts << on;
        };
        row("start", {}, {"", "", "", "", "", ""}, false);
        row("a1 alone: empty ratio counts as 0", {"0+2"}, {"2", "", "", "", "", ""}, true);
        row("a1 then r", {"0+2", "1+0.5"}, {"2", "0.5", "", "", "", "4"}, true);
        row("negative ratio", {"0+3", "1+-0.5"}, {"3", "-0.5", "", "", "", "2"}, true);
        row("r = 1", {"0+2", "1+1"}, {"2", "1", "", "", "", ""}, false);
        row("r = -1", {"0+2", "1+-1"}, {"2", "-1", "", "", "", ""}, false);
        row("r = 1 without a1", {"1+1"}, {"", "1", "", "", "", ""}, false);
        row("r = -1 without a1", {"1+-1"}, {"", "-1", "", "", "", ""}, false);
        row("r = 1 over a sum", {"0+2", "1+0.5", "1=1"}, {"2", "1", "", "", "", ""}, false);
        row("r = 0.1: a1 follows the rounded sum", {"0+1", "1+0.1"},
            {"0.999999999999999", "0.1", "", "", "", "1.11111111111111"}, true);
        row("a1 emptied keeps the last sum", {"0+2", "1+0.5", "0<"}, {"", "0.5", "", "", "", "4"},
            true);
        row("click on empty S even for r = 2", {"0+3", "1+2", "2+4", "3+24", "4+45", "click5"},
            {"3", "2", "", "", "", ""}, true);
        row("click on S holding a sum", {"0+2", "1+0.5", "2+3", "click5"},
            {"2", "0.5", "3", "", "", "4"}, true);
        row("clicks elsewhere do nothing", {"0+3", "1+2", "2+4", "click0", "click2", "click4"},
            {"3", "2", "4", "", "", ""}, false);
        row("S = 6 gives r", {"0+3", "5+6"}, {"3", "0.5", "", "", "", "6"}, true);
        row("S continued to 60 gives a1", {"0+3", "5+6", "5+0"}, {"30", "0.5", "", "", "", "60"},
            true);
        row("S = 1 gives r = -2 and the display off", {"0+3", "5+1"}, {"3", "-2", "", "", "", ""},
            false);
        row("S with a1 empty gives a1", {"1+0.5", "5+6"}, {"3", "0.5", "", "", "", "6"}, true);
        row("S replaced by 10", {"0+3", "1+0.5", "5=10"}, {"5", "0.5", "", "", "", "10"}, true);
        row("lone minus ratio counts as filled", {"1+-", "5+4"}, {"4", "-", "", "", "", "4"}, true);
        row("n, an, Sn change nothing", {"0+2", "1+0.5", "2+3", "3+0.5", "4+3.5"},
            {"2", "0.5", "3", "0.5", "3.5", "4"}, true);
        row("S with a1 and r empty", {"5+7"}, {"", "", "", "", "", "7"}, false);
        // Texts in S that are not numbers recompute nothing.
        row("minus first in S", {"0+3", "5+-"}, {"3", "", "", "", "", "-"}, true);
        row("negative S", {"0+3", "5+-2"}, {"3", "2.5", "", "", "", ""}, false);
        row("separator first in S", {"1+0.5", "5+."}, {"", "0.5", "", "", "", "."}, true);
        row("S deleted", {"0+3", "1+0.5", "5<"}, {"3", "0.5", "", "", "", ""}, true);
        // Numeric failures end the handling without a box.
        row("S = 0 with r empty", {"0+3", "5+0"}, {"3", "", "", "", "", "0"}, true);
        row("sum overflows: S emptied", {"0+2", "1+0.5", "0!1E308"},
            {"1E308", "0.5", "", "", "", ""}, true);
        row("a1 from S overflows", {"1+-0.9", "5!1E308"}, {"", "-0.9", "", "", "", "1E308"}, true);
        row("product of a1 and r overflows", {"0!1E308", "1!1E10"},
            {"1E308", "1E10", "", "", "", ""}, false);
        row("comma: r = 0,1", {"0+1", "1+0,1"},
            {"0,999999999999999", "0,1", "", "", "", "1,11111111111111"}, true, "ca");
        row("comma: S = 6 gives r", {"0+3", "5+6"}, {"3", "0,5", "", "", "", "6"}, true, "ca");
        row("comma: separator first in S", {"1+0,5", "5+,"}, {"", "0,5", "", "", "", ","}, true,
            "ca");
        row("comma: a point is no separator", {"0+2", "1+0.5"}, {"2", "0.5", "", "", "", ""}, true,
            "ca");
    }

    void display()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, texts);
        QFETCH(bool, on);
        test::RecordingSink sink;
        Calculator calc(sink, localeNamed(locale));
        for (const QString &action : actions)
            act(calc, action);
        QCOMPARE(allTexts(calc.form()), texts);
        QCOMPARE(calc.form().sumDisplayOn(), on);
        QCOMPARE(sink.messages, QList<Message>{});
        QCOMPARE(calc.form().nestingBoundHits(), 0);
    }

    // The click on an empty S field empties n, an and Sn in that order and zeroes their slots.
    void clickEmptiesTheLaterFields()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        for (const char *action : {"0+3", "1+2", "2+4", "3+24", "4+45"})
            act(calc, QString::fromLatin1(action));
        QList<int> written;
        QObject::connect(&calc.form(), &Form::textWritten,
                         [&](FieldId id) { written << field::idgIndex(id); });
        calc.clickIdg(5);
        QCOMPARE(written, (QList<int>{2, 3, 4}));
        const auto &values = calc.form().valProg();
        QCOMPARE(values[0], 3.0);
        QCOMPARE(values[1], 2.0);
        QCOMPARE(values[2], 0.0);
        QCOMPARE(values[3], 0.0);
        QCOMPARE(values[4], 0.0);
    }

    // The switch-off disables the display before it empties S: the handling of that change
    // already sees the display off.
    void switchOffOrder()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        act(calc, "0+2");
        act(calc, "1+0.5");
        bool onWhenEmptied = true;
        QObject::connect(&calc.form(), &Form::textWritten, [&](FieldId id) {
            if (id == field::Idg(5))
                onWhenEmptied = calc.form().sumDisplayOn();
        });
        act(calc, "1=2");
        QCOMPARE(calc.form().text(field::Idg(5)), QString());
        QVERIFY(!onWhenEmptied);
    }

    // Typing refreshes every ValProg slot from the texts, whatever another section left there.
    void refreshOfAllSlots()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        calc.form().valProg().fill(9.0);
        act(calc, "3+x");
        act(calc, "2+2.5");
        const std::array<double, 6> expected{0.0, 0.0, 2.5, 0.0, 0.0, 0.0};
        QCOMPARE(calc.form().valProg(), expected);
    }

    // With r = -0.001 the exchange between S and a1 creeps by one last digit per round and would
    // run on for dozens of writes: the nesting bound ends it, leaving the texts of the last writes.
    void runawayExchangeEndedByTheBound()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        act(calc, "0+3978.77063917853");
        act(calc, "1+-0.001");
        const Form &form = calc.form();
        QCOMPARE(form.nestingBoundHits(), 1);
        QCOMPARE(form.nesting(), 0);
        // 31 writes ran their handling; the 32nd (a1) stands without it.
        QCOMPARE(form.text(field::Idg(0)), QStringLiteral("3978.77063917869"));
        QCOMPARE(form.text(field::Idg(5)), QStringLiteral("3974.79584333535"));
        QCOMPARE(form.text(field::Idg(1)), QStringLiteral("-0.001"));
        QVERIFY(form.sumDisplayOn());
        QCOMPARE(sink.messages, QList<Message>{});

        // The calculator goes on as before.
        act(calc, "1=0.5");
        QCOMPARE(form.text(field::Idg(5)), QStringLiteral("7957.54127835738"));
        QCOMPARE(form.text(field::Idg(0)), QStringLiteral("3978.77063917869"));
    }
};

TIREL_TEST(InfiniteSumTest);
#include "infinite_sum_test.moc"
