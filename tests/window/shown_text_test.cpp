// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every line holding a text the program wrote shows its first character, the line being typed in
// keeps its cursor after the last key, and a line's tooltip is its whole text exactly when the
// line is too narrow for it.
#include "window_helpers.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>

class ShownTextTest : public QObject {
    Q_OBJECT

    // Runs the actions and returns the line typed in last, unless a button was pressed since.
    static QLineEdit *run(const tirel::test::ShownWindow &shown, const QString &actions,
                          QHash<QString, QString> &typedTexts)
    {
        QLineEdit *typed = nullptr;
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
        return typed;
    }

    // What a line edit draws at its place in the window at a scale factor.
    static QImage picture(QLineEdit *edit, double factor)
    {
        QImage image((QSizeF(edit->window()->size()) * factor).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(factor);
        image.fill(Qt::green);
        edit->render(&image, edit->mapTo(edit->window(), QPoint()));
        return image;
    }

private slots:
    void rounded_data();
    void rounded();

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
        QLineEdit *typed = run(shown, actions, typedTexts);
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

// A number the program wrote, wider than its line, is drawn as a plain line edit of the same look
// draws the expected rounded text, at scale 1, 1.25 and 1.5, until the line has the focus; its
// text, tooltip, accessible value and copy keep every digit. What the user typed is drawn as
// typed. Catalan numbers.
void ShownTextTest::rounded_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");  // the line's whole text
    QTest::addColumn<QString>("shown"); // what it draws without the focus, if not the text
    const QString arithmetic = "Id(0)=0,123456789 Id(1)=1 Id(2)=5 OkAr";
    const QString geometric = "Idg(0)=2 Idg(1)=3 Idg(2)=50 OkGe";
    // clang-format off
    QTest::newRow("d") << "Id(0)=1 Id(2)=4 Id(3)=2 OkAr" << "Id(1)" << "0,333333333333333" << "0,333";
    QTest::newRow("an") << arithmetic << "Id(3)" << "4,123456789" << "4,123";
    QTest::newRow("Sn") << arithmetic << "Id(4)" << "10,617283945" << "10,62";
    QTest::newRow("a1") << "Idg(1)=1,5 Idg(2)=4 Idg(3)=10 OkGe" << "Idg(0)" << "2,96296296296296" << "2,963";
    QTest::newRow("an no digit fits") << geometric << "Idg(3)" << "4,78598658461235E+23" << "####";
    QTest::newRow("Sn no digit fits") << geometric << "Idg(4)" << "7,17897987691853E+23" << "####";
    QTest::newRow("S") << "Idg(1)=0,3 Idg(0)=1" << "Idg(5)" << "1,42857142857143" << "1,429";
    QTest::newRow("simple c") << "IdI(1)=3 IdI(2)=7 IdI(3)=1000 OkInteres(0)" << "IdI(0)" << "826,446280991736" << "826,4463";
    QTest::newRow("simple r") << "IdI(0)=900 IdI(2)=7 IdI(3)=1000 OkInteres(0)" << "IdI(1)" << "1,58730158730159" << "1,59";
    QTest::newRow("compound C") << "IdI(4)=12000 IdI(5)=4 IdI(6)=10 OkInteres(1)" << "IdI(7)" << "17762,9314190201" << "17762,93";
    QTest::newRow("capitalisation C") << "IdI(9)=5 IdI(10)=20 IdI(11)=100 OkInteres(2)" << "IdI(8)" << "3471,92518080329" << "3471,925";
    QTest::newRow("amortisation a") << "IdI(12)=150000 IdI(13)=5 IdI(14)=20 OkInteres(3)" << "IdI(15)" << "12036,3880786037" << "12036,39";
    QTest::newRow("listed term") << "IdK=2 IdA=1 IdB=2 Okab" << "LstIntrp" << "1,33333333333333" << "1,33";
    QTest::newRow("chosen term") << "IdKg=2 IdAg=1 IdBg=2 OkABg Lstg+ OkGe" << "Lstg" << "1,5874010519682" << "1,59";
    QTest::newRow("typed") << "IdI(0)=1234,567890123 OkInteres(0)" << "IdI(0)" << "1234,567890123" << "";
    // clang-format on
}

void ShownTextTest::rounded()
{
    QFETCH(QString, actions);
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    tirel::test::ShownWindow window(QLocale(QLocale::Catalan, QLocale::Spain));
    QHash<QString, QString> typedTexts;
    run(window, actions, typedTexts);
    auto *combo = window.find<QComboBox>(line);
    QLineEdit *edit = combo ? combo->lineEdit() : window.find<QLineEdit>(line);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->toolTip(), text);
    QCOMPARE(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Value), text);
    // The same look: a line edit beside it, never focused, holding the expected text.
    QLineEdit reference(edit->parentWidget());
    reference.setStyle(edit->style());
    reference.setPalette(edit->palette());
    reference.setFont(edit->font());
    reference.setFrame(edit->hasFrame());
    reference.setGeometry(edit->geometry());
    reference.setText(shown.isEmpty() ? text : shown);
    reference.setCursorPosition(shown.isEmpty() ? edit->cursorPosition() : 0);
    for (const double factor : {1.0, 1.25, 1.5})
        QVERIFY2(picture(edit, factor) == picture(&reference, factor),
                 qPrintable(QString::number(factor)));
    // With the focus, the whole text from its start: the text area without the focus frame, and
    // read-only so that no cursor blinks.
    edit->setReadOnly(true);
    reference.setReadOnly(true);
    reference.setText(text);
    reference.setCursorPosition(shown.isEmpty() ? edit->cursorPosition() : 0);
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    const QRect area(edit->mapTo(edit->window(), QPoint(3, 3)), edit->size() - QSize(6, 6));
    QCOMPARE(picture(edit, 1).copy(area), picture(&reference, 1).copy(area));
    edit->selectAll();
    edit->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

QTEST_MAIN(ShownTextTest)
#include "shown_text_test.moc"
