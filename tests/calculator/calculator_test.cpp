// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"
#include "support/recording_sink.h"

#include <QTest>
#include <functional>

using namespace tirel;

using Press = std::function<void(Calculator &)>;
Q_DECLARE_METATYPE(Press)

// The entry points decide who answers a formula failure: a solver's own "Ok" shows the orderly
// "Error de càlcul" box and writes nothing; an interpolation answers with its own message.
class CalculatorTest : public QObject {
    Q_OBJECT

private slots:
    void eachPressAnswersItsFailure_data()
    {
        QTest::addColumn<Press>("press");
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        const QString error = QStringLiteral("Error de càlcul");
        const QList<int> id{field::number(field::Id(0)), field::number(field::Id(1)),
                            field::number(field::Id(2))};
        const QList<int> idg{field::number(field::Idg(0)), field::number(field::Idg(1)),
                             field::number(field::Idg(2))};
        const auto row = [](int section) {
            QList<int> fields;
            for (int k = 0; k < 4; ++k)
                fields << field::number(field::IdI(section * 4 + k));
            return fields;
        };
        QTest::newRow("OkAr") << Press([](Calculator &c) { c.pressOkAr(); }) << id
                              << QStringList{"1E308", "1E308", "5"} << error << "Desbordament";
        QTest::newRow("OkGe") << Press([](Calculator &c) { c.pressOkGe(); }) << idg
                              << QStringList{"1", "1", "5"} << error << "Divisió per zero";
        QTest::newRow("OkInteres 0")
            << Press([](Calculator &c) { c.pressOkInteres(0); }) << row(0)
            << QStringList{"200", "", "0", "300"} << error << "Divisió per zero";
        QTest::newRow("OkInteres 1")
            << Press([](Calculator &c) { c.pressOkInteres(1); }) << row(1)
            << QStringList{"5", "", "3", "0"} << error << "Operació no vàlida";
        QTest::newRow("OkInteres 2")
            << Press([](Calculator &c) { c.pressOkInteres(2); }) << row(2)
            << QStringList{"600", "0", "2", ""} << error << "Divisió per zero";
        QTest::newRow("OkInteres 3")
            << Press([](Calculator &c) { c.pressOkInteres(3); }) << row(3)
            << QStringList{"600", "0", "2", ""} << error << "Divisió per zero";
        // The arithmetic solver overflows on Sn after the interpolation's own writes.
        QTest::newRow("Okab") << Press([](Calculator &c) { c.pressOkab(); })
                              << QList<int>{field::number(field::IdK), field::number(field::IdA),
                                            field::number(field::IdB)}
                              << QStringList{"0", "1E+308", "1E+308"} << "No es pot calcular"
                              << "Falten dades";
        QTest::newRow("OkABg") << Press([](Calculator &c) { c.pressOkABg(); })
                               << QList<int>{field::number(field::IdKg), field::number(field::IdAg),
                                             field::number(field::IdBg)}
                               << QStringList{"-1", "1", "16"} << "No es pot calcular"
                               << "Falten dades";
    }

    void eachPressAnswersItsFailure()
    {
        QFETCH(Press, press);
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, texts);
        QFETCH(QString, title);
        QFETCH(QString, text);
        test::RecordingSink sink;
        Calculator calc(sink, QLocale::c());
        for (qsizetype i = 0; i < fields.size(); ++i)
            calc.edit(FieldId{fields[i]}, texts[i]);
        QStringList before;
        for (int f = 0; f < field::kFieldCount; ++f)
            before << calc.form().text(FieldId{f});

        press(calc);

        QCOMPARE(sink.messages, (QList<Message>{{title, text, MessageIcon::Warning}}));
        if (title == u"Error de càlcul") {
            QStringList after;
            for (int f = 0; f < field::kFieldCount; ++f)
                after << calc.form().text(FieldId{f});
            QCOMPARE(after, before);
        }
    }
};

QTEST_GUILESS_MAIN(CalculatorTest)
#include "calculator_test.moc"
