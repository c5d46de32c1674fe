// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "interest/interest_section.h"

#include "core/checked.h"
#include "core/form.h"
#include "cycle/solve_cycle.h"

#include <array>

namespace tirel {

namespace {
constexpr int kSections = 4;
constexpr int kRowFields = 4;

enum Section { SimpleInterest, CompoundInterest, Capitalisation, Amortisation };

const QString kNoCaseTitle = QStringLiteral("Cas no contemplat");
const Message kMissingT{kNoCaseTitle, QStringLiteral("Falta t"), MessageIcon::Warning};
const Message kMissingRate{kNoCaseTitle, QStringLiteral("Eqüació difícil de resoldre"),
                           MessageIcon::None};

// Slot 0 holds c, C or D, slot 1 the rate in percent, slot 2 the periods, slot 3 C or a.
enum { MONEY, R, T, OTHER };

// Every step is a checked Num, sequenced one after the other, so that the first step to fail
// is the one reported, whatever order the compiler would pick for the operands.
class Row {
public:
    explicit Row(std::span<double> values) : v_(values) {}
    Num get(int slot) const { return v_[static_cast<std::size_t>(slot)]; }
    void set(int slot, Num value) { v_[static_cast<std::size_t>(slot)] = value.value(); }
    // (r ÷ 100 + 1)^t, formed afresh wherever a formula writes it.
    Num growth() const { return pow(get(R) / 100 + 1, get(T)); }

private:
    std::span<double> v_;
};

void simpleInterest(const QString &key, Row &row)
{
    if (key == u"012") {
        row.set(OTHER, ((row.get(R) / 100) * row.get(T) + 1) * row.get(MONEY));
    } else if (key == u"023") {
        row.set(R, (row.get(OTHER) / row.get(MONEY) - 1) * 100 / row.get(T));
    } else { // "123"
        row.set(MONEY, row.get(OTHER) / ((row.get(R) / 100) * row.get(T) + 1));
    }
}

void compoundInterest(const QString &key, Row &row)
{
    if (key == u"012") {
        row.set(OTHER, row.growth() * row.get(MONEY));
    } else if (key == u"023") {
        // The t-th root of C ÷ c through logarithm and exponential.
        row.set(R, (exp(ln(row.get(OTHER) / row.get(MONEY)) / row.get(T)) - 1) * 100);
    } else { // "123"
        row.set(MONEY, row.get(OTHER) / row.growth());
    }
}

void capitalisation(const QString &key, Row &row)
{
    const Num r = row.get(R);
    if (key == u"012") {
        const Num share = r * row.get(MONEY) / (r + 100);
        const Num gain = row.growth() - 1;
        row.set(OTHER, share / gain);
    } else { // "123"
        const Num gain = row.growth() - 1;
        const Num scaled = (row.get(OTHER) / r) * (r + 100);
        row.set(MONEY, gain * scaled);
    }
}

void amortisation(const QString &key, Row &row)
{
    const Num r = row.get(R);
    if (key == u"012") {
        const Num growth = row.growth();
        const Num interest = r * row.get(MONEY) / 100;
        const Num numerator = growth * interest;
        const Num gain = row.growth() - 1;
        row.set(OTHER, numerator / gain);
    } else { // "123"
        const Num gain = row.growth() - 1;
        const Num payment = row.get(OTHER) / r * 100;
        const Num discounted = payment / row.growth();
        row.set(MONEY, gain * discounted);
    }
}

RowOutcome solveRow(int section, const QString &key, std::span<double> values,
                    MessageSink &messages)
{
    const bool annuity = section == Capitalisation || section == Amortisation;
    if (key != u"012" && key != u"023" && key != u"123") {
        // Fields 0, 1 and 3 given: no row solves for the number of periods. The write-back still
        // runs, so t shows the 0 of its slot and a second press takes it as given.
        messages.showMessage(kMissingT);
        return RowOutcome::RefusedWriteBack;
    }
    if (annuity && key == u"023") {
        // The rate cannot be isolated from either annuity equation; the rate field shows 0.
        messages.showMessage(kMissingRate);
        return RowOutcome::RefusedWriteBack;
    }
    Row row(values);
    switch (section) {
    case SimpleInterest:
        simpleInterest(key, row);
        break;
    case CompoundInterest:
        compoundInterest(key, row);
        break;
    case Capitalisation:
        capitalisation(key, row);
        break;
    default:
        amortisation(key, row);
        break;
    }
    return RowOutcome::Solved;
}
} // namespace

InterestSection::InterestSection(Form &form, MessageSink &messages)
    : form_(form), messages_(messages)
{
}

void InterestSection::CalcInteres(int section)
{
    // Only the four buttons exist; any other index has no row to solve.
    if (section < 0 || section >= kSections)
        return;
    const int base = section * kRowFields;
    const std::array<FieldId, kRowFields> fields{field::IdI(base), field::IdI(base + 1),
                                                 field::IdI(base + 2), field::IdI(base + 3)};
    const SolveGroup group{fields, std::span<double>(form_.valProg()).first(kRowFields), true};
    runSolveCycle(form_, messages_, group,
                  [this, section](const QString &key, std::span<double> v) {
                      return solveRow(section, key, v, messages_);
                  });
}

} // namespace tirel
