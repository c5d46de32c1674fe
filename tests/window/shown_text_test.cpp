// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every line holding a text the program wrote shows its first character, the line being typed in
// keeps its cursor after the last key, and a line's tooltip is its whole text exactly when the
// line is too narrow for it.
#include "window_helpers.h"

#include <QAbstractItemView>

class ShownTextTest : public QObject {
    Q_OBJECT

private slots:
    void shown_data()
    {
        // "Id(0)=1" types 1 over field Id(0), "OkAr" clicks, "Lstg+" chooses a list's second term
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("wide"); // the lines whose text does not fit
        QTest::newRow("solves")
            << "Id(0)=-7.25 Id(1)=-0.3 Id(2)=7 OkAr Idg(0)=3 Idg(1)=0.7 Idg(2)=13 OkGe "
               "IdI(0)=1234.5 IdI(1)=3.33 IdI(2)=7 OkInteres(0) IdI(4)=1000 IdI(5)=3.7 "
               "IdI(6)=7.5 OkInteres(1) IdI(8)=1000 IdI(9)=10 IdI(10)=3 OkInteres(2) "
               "IdI(12)=1000 IdI(13)=10 IdI(14)=3 OkInteres(3)"
            << "Id(4) Idg(3) Idg(4) IdI(3) IdI(7) IdI(11) IdI(15)";
        QTest::newRow("interpolations")
            << "IdK=2 IdA=1.123456789 IdB=2 Okab LstIntrp+ IdKg=2 IdAg=1.123456789 "
               "IdBg=2 OkABg"
            << "IdA Id(0) Id(1) Id(4) LstIntrp IdAg Idg(0) Idg(1) Idg(3) Idg(4) Lstg";
        QTest::newRow("typing r") << "Idg(0)=1 Idg(1)=0.7"
                                  << "Idg(5)";
        QTest::newRow("typing a1") << "Idg(1)=0.3 Idg(0)=1"
                                   << "Idg(5)";
        QTest::newRow("typing a1 beside a rounded sum") << "Idg(1)=0.1 Idg(0)=1"
                                                        << "Idg(5)";
        QTest::newRow("typing S") << "Idg(0)=1 Idg(5)=3"
                                  << "Idg(1)";
        QTest::newRow("typing") << "Lstg=1.23456789012345 IdI(0)=1234567890123456 IdI(0)=12"
                                << "Lstg";
    }

    void shown()
    {
        QFETCH(QString, actions);
        QFETCH(QString, wide);
        tirel::test::ShownWindow shown;
        QHash<QString, QString> typedTexts;
        QLineEdit *typed = nullptr; // the line typed in last, unless a button was pressed since
        for (const QString &action : actions.split(u' ')) {
            const QStringList parts = action.split(u'=');
            if (action.endsWith(u'+')) { // the second term chosen in the open drop-down
                auto *combo = shown.find<QComboBox>(action.chopped(1));
                combo->showPopup();
                for (const int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
                    QTest::keyClick(combo->view(), Qt::Key(key));
                typed = nullptr;
                continue;
            }
            if (parts.size() == 1) {
                QTest::mouseClick(shown.find<QPushButton>(action), Qt::LeftButton);
                typed = nullptr;
                continue;
            }
            auto *combo = shown.find<QComboBox>(parts[0]);
            typed = combo ? combo->lineEdit() : shown.find<QLineEdit>(parts[0]);
            typed->setFocus();
            QTest::keyClick(typed, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(typed, typedTexts[parts[0]] = parts[1]);
        }
        shown.window->grab(); // a line edit scrolls to its cursor as it paints
        for (QLineEdit *edit : shown.window->findChildren<QLineEdit *>()) {
            const QString name =
                (edit->objectName().isEmpty() ? edit->parent() : edit)->objectName();
            if (edit == typed) {
                QVERIFY(edit->hasFocus());
                QCOMPARE(edit->cursorPosition(), typedTexts[name].size());
            } else if (!edit->text().isEmpty() && edit->text() != typedTexts.value(name)) {
                QCOMPARE(edit->cursorPosition(), 0);
                const QRect cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
                QVERIFY2(cursor.center().x() >= 0 && cursor.center().x() <= 2, qPrintable(name));
            }
            QCOMPARE(edit->toolTip(), wide.split(u' ').contains(name) ? edit->text() : QString());
        }
    }
};

QTEST_MAIN(ShownTextTest)
#include "shown_text_test.moc"
