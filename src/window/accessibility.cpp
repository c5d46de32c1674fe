// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/accessibility.h"

#include "window/layout_widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace tirel {

namespace {
const QString kArithmetic = QStringLiteral("Aritmètiques");
const QString kArithmeticInterpolation = QStringLiteral("Interpolació aritmètica");
const QString kGeometric = QStringLiteral("Geomètriques");
const QString kGeometricInterpolation = QStringLiteral("Interpolació geomètrica");
const QString kSimpleInterest = QStringLiteral("Interès simple");
const QString kCompoundInterest = QStringLiteral("Interès compost");
const QString kCapitalisation = QStringLiteral("Anualitats de capitalització");
const QString kAmortisation = QStringLiteral("Anualitats d'amortització");
// The frames around the sections. The annuity frame's caption is only completed by its two row
// captions, so a listener hears both kinds of annuity at once.
const QString kProgressions = QStringLiteral("Progressions");
const QString kInterest = QStringLiteral("Interès");
const QString kAnnuities = QStringLiteral("Anualitats de capitalització i d'amortització");

struct Quantity {
    const char *symbol;      // as the label at the field's left names it, without " ="
    const char *description; // what a listener hears after the name
};

constexpr Quantity kFirstTerm{"a1", "primer terme"};
constexpr Quantity kCount{"n", "nombre de termes"};
constexpr Quantity kLastTerm{"an", "darrer terme"};
constexpr Quantity kSum{"Sn", "suma dels n termes"};
constexpr Quantity kRate{"r", "rèdit, en tant per cent"};
constexpr Quantity kPeriods{"t", "nombre de períodes"};
constexpr Quantity kPayment{"a", "anualitat"};
constexpr Quantity kTermsToInsert{"K", "nombre de termes a interpolar"};
constexpr Quantity kFirstEnd{"A", "primer extrem"};
constexpr Quantity kSecondEnd{"B", "segon extrem"};

void name(QWidget *window, const QString &objectName, const QString &section, const QString &what,
          const QString &description = {})
{
    QWidget *widget = window->findChild<QWidget *>(objectName);
    if (!widget)
        return;
    const QString accessibleName = section + QStringLiteral(": ") + what;
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(description);
    // An editable list is read through its text line and its drop-down as well: one control,
    // one name.
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        if (combo->lineEdit()) {
            combo->lineEdit()->setAccessibleName(accessibleName);
            combo->lineEdit()->setAccessibleDescription(description);
        }
        combo->view()->setAccessibleName(accessibleName);
        combo->view()->setAccessibleDescription(description);
    }
}

// A frame is announced as a group, so a listener moving into a field hears the section around
// it; a plain widget would be a nameless filler.
QAccessibleInterface *frameInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String(FrameBox::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
}

// Installed as the program loads: an interface, once made for a frame, is kept for the frame's
// life, and a screen reader may ask for one as soon as the frame exists.
void installFrameInterface()
{
    QAccessible::installFactory(frameInterface);
}
Q_CONSTRUCTOR_FUNCTION(installFrameInterface)

// A frame is named after its section; what its caption adds (the section's formula) is its
// description, since the caption is drawn and so not otherwise read.
void nameFrame(QWidget *window, const QString &objectName, const QString &section)
{
    auto *frame = window->findChild<FrameBox *>(objectName);
    if (!frame)
        return;
    frame->setAccessibleName(section);
    const QString caption = frame->caption().trimmed();
    frame->setAccessibleDescription(
        caption.startsWith(section) ? caption.mid(section.size()).trimmed() : QString());
}

void nameField(QWidget *window, const QString &objectName, const QString &section,
               const Quantity &quantity)
{
    name(window, objectName, section, QString::fromUtf8(quantity.symbol),
         QString::fromUtf8(quantity.description));
}

QString indexed(const char *array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

void nameInterpolation(QWidget *window, const QString &section, const char *count,
                       const char *first, const char *second, const char *button, const char *list)
{
    nameField(window, QLatin1String(count), section, kTermsToInsert);
    nameField(window, QLatin1String(first), section, kFirstEnd);
    nameField(window, QLatin1String(second), section, kSecondEnd);
    name(window, QLatin1String(button), section, QStringLiteral("Ok>"),
         QStringLiteral("interpola els termes i completa la progressió"));
    name(window, QLatin1String(list), section, QStringLiteral("termes interpolats"));
}
} // namespace

void applyAccessibleNames(QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    nameFrame(mainWindow, QStringLiteral("Progressions"), kProgressions);
    nameFrame(mainWindow, QStringLiteral("PAritm"), kArithmetic);
    nameFrame(mainWindow, QStringLiteral("PGeom"), kGeometric);
    nameFrame(mainWindow, QStringLiteral("PInteresComercial"), kInterest);
    nameFrame(mainWindow, QStringLiteral("PInteres"), kSimpleInterest);
    nameFrame(mainWindow, QStringLiteral("PCompost"), kCompoundInterest);
    nameFrame(mainWindow, QStringLiteral("Panual"), kAnnuities);

    const Quantity arithmetic[] = {kFirstTerm, {"d", "diferència"}, kCount, kLastTerm, kSum};
    for (int i = 0; i < 5; ++i)
        nameField(mainWindow, indexed("Id", i), kArithmetic, arithmetic[i]);
    name(mainWindow, QStringLiteral("OkAr"), kArithmetic, QStringLiteral("Ok"),
         QStringLiteral("calcula les quantitats que falten"));
    nameInterpolation(mainWindow, kArithmeticInterpolation, "IdK", "IdA", "IdB", "Okab",
                      "LstIntrp");

    const Quantity geometric[] = {kFirstTerm, {"r", "raó"},
                                  kCount,     kLastTerm,
                                  kSum,       {"S", "suma de la progressió decreixent infinita"}};
    for (int i = 0; i < 6; ++i)
        nameField(mainWindow, indexed("Idg", i), kGeometric, geometric[i]);
    name(mainWindow, QStringLiteral("OkGe"), kGeometric, QStringLiteral("Ok"),
         QStringLiteral("calcula les quantitats que falten"));
    nameInterpolation(mainWindow, kGeometricInterpolation, "IdKg", "IdAg", "IdBg", "OkABg", "Lstg");

    struct Row {
        const QString &section;
        Quantity capital;
        Quantity last;
    };
    const Row rows[] = {
        {kSimpleInterest, {"c", "capital inicial"}, {"C", "capital final"}},
        {kCompoundInterest, {"c", "capital inicial"}, {"C", "capital final"}},
        {kCapitalisation, {"C", "capital acumulat"}, kPayment},
        {kAmortisation, {"D", "deute"}, kPayment},
    };
    for (int k = 0; k < 4; ++k) {
        const Row &row = rows[k];
        nameField(mainWindow, indexed("IdI", 4 * k), row.section, row.capital);
        nameField(mainWindow, indexed("IdI", 4 * k + 1), row.section, kRate);
        nameField(mainWindow, indexed("IdI", 4 * k + 2), row.section, kPeriods);
        nameField(mainWindow, indexed("IdI", 4 * k + 3), row.section, row.last);
        name(mainWindow, indexed("OkInteres", k), row.section, QStringLiteral("Ok"),
             QStringLiteral("calcula la quantitat que falta"));
    }
}

} // namespace tirel
