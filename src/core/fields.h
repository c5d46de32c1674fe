// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every text field of the window, addressed by group and index as the sections name them, and the
// name each field and list goes by.
#include <QString>

namespace tirel {

enum class FieldId : int {};

namespace field {
constexpr int kIdCount = 5;   // arithmetic: a1, d, n, an, Sn
constexpr int kIdgCount = 6;  // geometric: a1, r, n, an, Sn, and the infinite sum S
constexpr int kIdICount = 16; // interest and annuities: four rows of c|C|D, r, t, C|a

constexpr int kIdBase = 0;
constexpr int kIdgBase = kIdBase + kIdCount;
constexpr int kIdIBase = kIdgBase + kIdgCount;
constexpr int kSingleBase = kIdIBase + kIdICount;

constexpr FieldId Id(int index)
{
    return FieldId{kIdBase + index};
}
constexpr FieldId Idg(int index)
{
    return FieldId{kIdgBase + index};
}
constexpr FieldId IdI(int index)
{
    return FieldId{kIdIBase + index};
}
constexpr FieldId IdK{kSingleBase + 0};
constexpr FieldId IdA{kSingleBase + 1};
constexpr FieldId IdB{kSingleBase + 2};
constexpr FieldId IdKg{kSingleBase + 3};
constexpr FieldId IdAg{kSingleBase + 4};
constexpr FieldId IdBg{kSingleBase + 5};
constexpr int kFieldCount = kSingleBase + 6;

constexpr int number(FieldId id)
{
    return static_cast<int>(id);
}
constexpr bool isIdg(FieldId id)
{
    return number(id) >= kIdgBase && number(id) < kIdIBase;
}
constexpr int idgIndex(FieldId id)
{
    return number(id) - kIdgBase;
}
} // namespace field

// The two drop-down lists of the interpolation lines.
enum class ListId : int { LstIntrp = 0, Lstg = 1 };
constexpr int kListCount = 2;

// The names the window's controls carry ("Id(0)", "Idg(5)", "IdI(12)", "IdKg", "Lstg"): the
// layout table names its rows with them, and tests and checks find the controls by them.
inline QString fieldName(FieldId id)
{
    const int n = field::number(id);
    if (n < field::kIdgBase)
        return QStringLiteral("Id(%1)").arg(n - field::kIdBase);
    if (n < field::kIdIBase)
        return QStringLiteral("Idg(%1)").arg(n - field::kIdgBase);
    if (n < field::kSingleBase)
        return QStringLiteral("IdI(%1)").arg(n - field::kIdIBase);
    static const QString singles[] = {QStringLiteral("IdK"),  QStringLiteral("IdA"),
                                      QStringLiteral("IdB"),  QStringLiteral("IdKg"),
                                      QStringLiteral("IdAg"), QStringLiteral("IdBg")};
    return singles[n - field::kSingleBase];
}

inline QString listName(ListId list)
{
    return list == ListId::LstIntrp ? QStringLiteral("LstIntrp") : QStringLiteral("Lstg");
}

} // namespace tirel
