// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometric/geometric_section.h"

#include "core/checked.h"
#include "core/form.h"
#include "core/number_text.h"
#include "cycle/solve_cycle.h"

#include <QScopeGuard>
#include <array>
#include <cmath>
#include <utility>

namespace tirel {

namespace {
constexpr std::array kFields{field::Idg(0), field::Idg(1), field::Idg(2), field::Idg(3),
                             field::Idg(4)};
constexpr int kSumIndex = 5;

const QString kNotCoveredTitle = QStringLiteral("Cas no contemplat");
const Message kNotCoveredA1AnSn{kNotCoveredTitle, QStringLiteral("(Dades: a1, an, Sn)"),
                                MessageIcon::Warning};
const Message kNotCoveredNAnSn{kNotCoveredTitle, QStringLiteral("(Dades: n, an, Sn)"),
                               MessageIcon::Warning};
const Message kUnknownN{QStringLiteral("n no pot ser incògnita"),
                        QStringLiteral("n ha de ser enter"), MessageIcon::Warning};

// Sn = (an * r - a1) / (r - 1), each step in that order.
Num sumOfTerms(Num a1, Num r, Num an)
{
    const Num product = an * r;
    const Num numerator = product - a1;
    const Num divisor = r - 1;
    return numerator / divisor;
}

// r^e * a1 with the power formed first.
Num powerTimes(Num r, Num exponent, Num a1)
{
    const Num power = pow(r, exponent);
    return power * a1;
}

// The closed formulas of the progression. Every formula of a row runs before any slot is stored,
// so a failure leaves the slots (and so the fields) as they were read.
RowOutcome solveRow(const QString &key, std::span<double> v, MessageSink &messages)
{
    enum { A1, R, N, AN, SN };
    auto get = [&](int slot) { return Num(v[static_cast<std::size_t>(slot)]); };
    auto set = [&](int slot, Num value) { v[static_cast<std::size_t>(slot)] = value.value(); };

    if (key == u"012") {
        const Num exponent = get(N) - 1;
        const Num an = powerTimes(get(R), exponent, get(A1));
        const Num sn = sumOfTerms(get(A1), get(R), an);
        set(AN, an);
        set(SN, sn);
    } else if (key == u"023") {
        // Through the logarithm: the ratio is the positive root, and an / a1 must be positive.
        const Num quotient = get(AN) / get(A1);
        const Num logarithm = ln(quotient);
        const Num intervals = get(N) - 1;
        const Num perInterval = logarithm / intervals;
        const Num r = exp(perInterval);
        const Num sn = sumOfTerms(get(A1), r, get(AN));
        set(R, r);
        set(SN, sn);
    } else if (key == u"024") {
        messages.showMessage(kNotCoveredA1AnSn);
        return RowOutcome::Refused;
    } else if (key == u"123") {
        const Num exponent = get(N) - 1;
        const Num power = pow(get(R), exponent);
        const Num a1 = get(AN) / power;
        const Num sn = sumOfTerms(a1, get(R), get(AN));
        set(A1, a1);
        set(SN, sn);
    } else if (key == u"124") {
        const Num scaled = (get(R) - 1) * get(SN);
        const Num power = pow(get(R), get(N));
        const Num divisor = power - 1;
        const Num a1 = scaled / divisor;
        const Num exponent = get(N) - 1;
        const Num an = powerTimes(get(R), exponent, a1);
        set(A1, a1);
        set(AN, an);
    } else if (key == u"234") {
        messages.showMessage(kNotCoveredNAnSn);
        return RowOutcome::Refused;
    } else {
        // 013, 014, 034, 134: the number of terms is among the unknowns.
        messages.showMessage(kUnknownN);
        return RowOutcome::Refused;
    }
    return RowOutcome::Solved;
}
} // namespace

GeometricSection::GeometricSection(Form &form, MessageSink &messages)
    : form_(form), messages_(messages)
{
    for (int i = 0; i < field::kIdgCount; ++i)
        form_.setChangeHandler(field::Idg(i),
                               [this](FieldId id) { Idg_Change(field::idgIndex(id)); });
}

void GeometricSection::CalcGeom()
{
    // The solver's own slots, never ValProg: the nested handling of every write refreshes
    // ValProg from the texts, which would lose the full precision of the results.
    std::array<double, kFields.size()> own{};
    const SolveGroup group{kFields, own};
    const bool solved =
        runSolveCycle(form_, messages_, group, [this](const QString &key, std::span<double> v) {
            return solveRow(key, v, messages_);
        });
    if (solved)
        CalcSuma(own[0], own[1]);
}

void GeometricSection::ActivaSuma(bool on)
{
    form_.setSumDisplayOn(on);
    if (!on)
        form_.setText(field::Idg(kSumIndex), QString());
}

void GeometricSection::CalcSuma(double a1, double r)
{
    const bool decreasing = std::fabs(r) < 1.0;
    ActivaSuma(decreasing);
    // The S the user typed stays as typed, beside the a1 or r it gave.
    if (!decreasing || followingTypedSum_)
        return;
    QString sumText;
    try {
        const Num complement = 1 - Num(r);
        sumText = doubleToText((Num(a1) / complement).value(), form_.locale());
    } catch (const NumericFailure &) {
        // A sum that cannot be formed must not stand beside terms it no longer belongs to.
        sumText.clear();
    }
    form_.setText(field::Idg(kSumIndex), sumText);
}

void GeometricSection::Idg_Click(int index)
{
    if (index != kSumIndex)
        return;
    ActivaSuma(true);
    if (!form_.text(field::Idg(kSumIndex)).isEmpty())
        return;
    auto &valProg = form_.valProg();
    for (int k = 2; k <= 4; ++k) {
        form_.setText(field::Idg(k), QString());
        valProg[static_cast<std::size_t>(k)] = 0.0;
    }
}

void GeometricSection::Idg_Change(int index)
{
    // The handling follows the user's typing: a formula that fails ends it without a word, and
    // never becomes a failure of a solve or interpolation whose write started it.
    try {
        followChange(index);
    } catch (const NumericFailure &) {
    }
}

void GeometricSection::editSum(const QString &text)
{
    sumEditPending_ = true;
    form_.setText(field::Idg(kSumIndex), text);
    // Still set when the text was the same, or the nesting bound ran no handling.
    sumEditPending_ = false;
}

void GeometricSection::followChange(int index)
{
    auto &valProg = form_.valProg();
    auto slot = [&](int k) { return valProg[static_cast<std::size_t>(k)]; };
    for (int k = 0; k < field::kIdgCount; ++k) {
        const std::optional<double> value = textToDouble(form_.text(field::Idg(k)), form_.locale());
        valProg[static_cast<std::size_t>(k)] = value.value_or(0.0);
    }

    if (index == 0 || index == 1) {
        ActivaSuma(std::fabs(slot(1)) < 1.0);
        if ((Num(slot(1)) * slot(0)).value() != 0.0)
            CalcSuma(slot(0), slot(1));
        return;
    }
    // A sum the program wrote (CalcSuma, or the switch-off emptying S) is only shown: turned back
    // into a1 it would rewrite what the user typed, a rounded digit at a time.
    if (index != kSumIndex || !std::exchange(sumEditPending_, false))
        return;
    followingTypedSum_ = true;
    const auto done = qScopeGuard([this] { followingTypedSum_ = false; });
    followTypedSum();
}

void GeometricSection::followTypedSum()
{
    auto &valProg = form_.valProg();
    auto slot = [&](int k) { return valProg[static_cast<std::size_t>(k)]; };
    // Only a number in the S field is turned into a1 or r: not a sign or separator typed as the
    // first character, nor the emptiness left by deleting it.
    if (!textToDouble(form_.text(field::Idg(kSumIndex)), form_.locale()))
        return;
    const Num sum = slot(kSumIndex);
    const bool a1Empty = form_.text(field::Idg(0)).isEmpty();
    const bool rEmpty = form_.text(field::Idg(1)).isEmpty();
    if (a1Empty && rEmpty)
        return;
    if (rEmpty) {
        const Num quotient = Num(slot(0)) / sum;
        const Num r = 1 - quotient;
        valProg[1] = r.value();
        form_.setText(field::Idg(1), doubleToText(r.value(), form_.locale()));
    } else {
        const Num complement = 1 - Num(slot(1));
        const Num a1 = complement * sum;
        valProg[0] = a1.value();
        form_.setText(field::Idg(0), doubleToText(a1.value(), form_.locale()));
    }
}

} // namespace tirel
