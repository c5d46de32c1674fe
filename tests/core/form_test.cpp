// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/checked.h"
#include "core/form.h"

#include <QTest>

using namespace tirel;

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void changeHandlingRunsNestedOnlyOnChange()
    {
        Form form(QLocale::c());
        QStringList log;
        form.setChangeHandler(field::Idg(0), [&](FieldId) {
            log << "handler0:" + form.text(field::Idg(0));
            form.setText(field::Idg(1), "b");
            log << "after-write1";
        });
        form.setChangeHandler(field::Idg(1), [&](FieldId) { log << "handler1"; });
        int written = 0;
        QObject::connect(&form, &Form::textWritten, [&](FieldId) { ++written; });

        form.setText(field::Idg(0), "a");
        QCOMPARE(log, (QStringList{"handler0:a", "handler1", "after-write1"}));
        QCOMPARE(written, 2);
        log.clear();
        form.setText(field::Idg(0), "a"); // same text: no change, nothing runs
        QVERIFY(log.isEmpty());
        QCOMPARE(written, 2);
    }

    void runawayExchangeEndsAtTheBound()
    {
        Form form(QLocale::c());
        int runs = 0;
        // Two fields that keep rewriting each other with new texts never settle on their own.
        form.setChangeHandler(field::Idg(0), [&](FieldId) {
            ++runs;
            form.setText(field::Idg(5), QString::number(runs));
        });
        form.setChangeHandler(field::Idg(5), [&](FieldId) {
            ++runs;
            form.setText(field::Idg(0), QString::number(runs));
        });
        form.setText(field::Idg(0), "start");
        QCOMPARE(runs, Form::kMaxNesting);
        QCOMPARE(form.nesting(), 0);
        QCOMPARE(form.nestingBoundHits(), 1);
        // The texts of the last writes stay.
        QCOMPARE(form.text(field::Idg(0)), QString::number(Form::kMaxNesting));
        QCOMPARE(form.text(field::Idg(5)), QString::number(Form::kMaxNesting - 1));
    }

    void failureInHandlingRestoresDepth()
    {
        Form form(QLocale::c());
        form.setChangeHandler(field::Idg(0),
                              [](FieldId) { throw NumericFailure(FailureKind::Overflow); });
        QVERIFY_THROWS_EXCEPTION(NumericFailure, form.setText(field::Idg(0), "x"));
        QCOMPARE(form.nesting(), 0);
    }
};

QTEST_GUILESS_MAIN(FormTest)
#include "form_test.moc"
