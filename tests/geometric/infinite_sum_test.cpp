// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "support/infinite_sum_cases.h"
#include "support/recording_sink.h"

#include <QTest>

using namespace tirel;

namespace {
// Runs one user action of the shared table (support/infinite_sum_cases.h) on the geometric
// section, each keystroke one edit.
void act(Calculator &calc, const QString &action)
{
    if (action == u"ok") {
        calc.pressOkGe();
        return;
    }
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
    return name == u"ca" ? QLocale(QLocale::Catalan, QLocale::Spain) : QLocale::c();
}
} // namespace

class InfiniteSumTest : public QObject {
    Q_OBJECT

private slots:
    void display_data() { test::addInfiniteSumRows(); }

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

    // With r = -0.001 a sum turned back into a1 would creep by one last digit per round, for
    // dozens of writes: a written sum is only shown, so one write ends it, far from the bound.
    void writtenSumIsNotTurnedBack()
    {
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        act(calc, "0+3978.77063917853");
        act(calc, "1+-0.001");
        const Form &form = calc.form();
        QCOMPARE(form.nestingBoundHits(), 0);
        QCOMPARE(form.nesting(), 0);
        QCOMPARE(form.text(field::Idg(0)), QStringLiteral("3978.77063917853"));
        QCOMPARE(form.text(field::Idg(5)), QStringLiteral("3974.7958433352"));
        QCOMPARE(form.text(field::Idg(1)), QStringLiteral("-0.001"));
        QVERIFY(form.sumDisplayOn());
        QCOMPARE(sink.messages, QList<Message>{});

        // The calculator goes on as before.
        act(calc, "1=0.5");
        QCOMPARE(form.text(field::Idg(5)), QStringLiteral("7957.54127835706"));
        QCOMPARE(form.text(field::Idg(0)), QStringLiteral("3978.77063917853"));
    }
};

QTEST_GUILESS_MAIN(InfiniteSumTest)
#include "infinite_sum_test.moc"
