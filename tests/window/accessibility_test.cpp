// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology reads from the main window: every field, button and list has a
// name of its own that says its section and its quantity.
#include "window_helpers.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace tirel;
using tirel::test::operableControls;
using tirel::test::ShownWindow;

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text kind)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(kind) : QString();
}
} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasItsOwnName()
    {
        ShownWindow shown;
        QVERIFY(shown.exposed);
        const QList<QWidget *> controls = operableControls(shown);
        // 33 fields, 2 lists, 8 buttons.
        QCOMPARE(controls.size(), 43);
        QHash<QString, QString> ownerOfName;
        for (QWidget *control : controls) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(iface, qPrintable(control->objectName()));
            const QString name = iface->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(),
                     qPrintable(control->objectName() + QStringLiteral(" has no name")));
            QVERIFY2(!ownerOfName.contains(name),
                     qPrintable(QStringLiteral("%1 and %2 are both called \"%3\"")
                                    .arg(ownerOfName.value(name), control->objectName(), name)));
            ownerOfName.insert(name, control->objectName());
        }
    }

    void namesSaySectionAndQuantity_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        const int edit = QAccessible::EditableText;
        const int button = QAccessible::Button;
        const int list = QAccessible::ComboBox;
        // clang-format off
        QTest::newRow("arithmetic a1") << fieldName(field::Id(0)) << "Aritmètiques: a1" << edit;
        QTest::newRow("arithmetic d") << fieldName(field::Id(1)) << "Aritmètiques: d" << edit;
        QTest::newRow("arithmetic Sn") << fieldName(field::Id(4)) << "Aritmètiques: Sn" << edit;
        QTest::newRow("arithmetic Ok") << "OkAr" << "Aritmètiques: Ok" << button;
        QTest::newRow("arithmetic K") << fieldName(field::IdK) << "Interpolació aritmètica: K" << edit;
        QTest::newRow("arithmetic B") << fieldName(field::IdB) << "Interpolació aritmètica: B" << edit;
        QTest::newRow("arithmetic Ok>") << "Okab" << "Interpolació aritmètica: Ok>" << button;
        QTest::newRow("arithmetic list")
            << listName(ListId::LstIntrp) << "Interpolació aritmètica: termes interpolats" << list;
        QTest::newRow("geometric r") << fieldName(field::Idg(1)) << "Geomètriques: r" << edit;
        QTest::newRow("geometric S") << fieldName(field::Idg(5)) << "Geomètriques: S" << edit;
        QTest::newRow("geometric Ok") << "OkGe" << "Geomètriques: Ok" << button;
        QTest::newRow("geometric A") << fieldName(field::IdAg) << "Interpolació geomètrica: A" << edit;
        QTest::newRow("geometric Ok>") << "OkABg" << "Interpolació geomètrica: Ok>" << button;
        QTest::newRow("geometric list")
            << listName(ListId::Lstg) << "Interpolació geomètrica: termes interpolats" << list;
        QTest::newRow("simple c") << fieldName(field::IdI(0)) << "Interès simple: c" << edit;
        QTest::newRow("simple r") << fieldName(field::IdI(1)) << "Interès simple: r" << edit;
        QTest::newRow("simple Ok") << "OkInteres(0)" << "Interès simple: Ok" << button;
        QTest::newRow("compound t") << fieldName(field::IdI(6)) << "Interès compost: t" << edit;
        QTest::newRow("compound C") << fieldName(field::IdI(7)) << "Interès compost: C" << edit;
        QTest::newRow("capitalisation C") << fieldName(field::IdI(8)) << "Anualitats de capitalització: C" << edit;
        QTest::newRow("capitalisation a")
            << fieldName(field::IdI(11)) << "Anualitats de capitalització: a" << edit;
        QTest::newRow("capitalisation Ok")
            << "OkInteres(2)" << "Anualitats de capitalització: Ok" << button;
        QTest::newRow("amortisation D") << fieldName(field::IdI(12)) << "Anualitats d'amortització: D" << edit;
        QTest::newRow("amortisation r") << fieldName(field::IdI(13)) << "Anualitats d'amortització: r" << edit;
        QTest::newRow("amortisation Ok")
            << "OkInteres(3)" << "Anualitats d'amortització: Ok" << button;
        // clang-format on
    }

    void namesSaySectionAndQuantity()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        ShownWindow shown;
        QWidget *widget = shown.find(control);
        QVERIFY2(widget, qPrintable(control));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(static_cast<int>(iface->role()), role);
    }

    // A field is heard with what it holds, beyond its symbol; the name stays when the text does
    // not, so a solve that fills the field renames nothing.
    void fieldsKeepTheirNameAndDescribeTheQuantity()
    {
        ShownWindow shown;
        for (int i = 0; i < 3; ++i) {
            QLineEdit *edit = shown.edit(field::Id(i));
            QTest::keyClicks(edit, QStringList{"1", "2", "5"}[i]);
        }
        QTest::mouseClick(shown.find<QPushButton>("OkAr"), Qt::LeftButton);
        QLineEdit *last = shown.edit(field::Id(3));
        QCOMPARE(last->text(), QStringLiteral("9"));
        QCOMPARE(accessibleText(last, QAccessible::Name), QStringLiteral("Aritmètiques: an"));
        QCOMPARE(accessibleText(last, QAccessible::Value), QStringLiteral("9"));
        QCOMPARE(accessibleText(last, QAccessible::Description), QStringLiteral("darrer terme"));
        QCOMPARE(accessibleText(shown.edit(field::IdI(1)), QAccessible::Description),
                 QStringLiteral("rèdit, en tant per cent"));
    }

    // Focus in an editable list lands in its text line, and an open list in its drop-down: both
    // must be announced the same way.
    void listTextLinesCarryTheListName()
    {
        ShownWindow shown;
        for (const ListId id : {ListId::LstIntrp, ListId::Lstg}) {
            QComboBox *combo = shown.combo(id);
            QVERIFY(combo && combo->lineEdit());
            QCOMPARE(accessibleText(combo->lineEdit(), QAccessible::Name),
                     accessibleText(combo, QAccessible::Name));
            QCOMPARE(accessibleText(combo->view(), QAccessible::Name),
                     accessibleText(combo, QAccessible::Name));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
