// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "arithmetic/arithmetic_section.h"

#include "core/checked.h"
#include "core/form.h"
#include "cycle/solve_cycle.h"

#include <array>

namespace tirel {

namespace {
constexpr std::array kFields{field::Id(0), field::Id(1), field::Id(2), field::Id(3), field::Id(4)};

const Message kUnknownN{QStringLiteral("n no pot ser incògnita"),
                        QStringLiteral("n ha de ser enter"), MessageIcon::None};

// The formulas of the progression, each step in the order the table writes it; 2·Sn is Sn + Sn.
RowOutcome solveRow(const QString &key, std::span<double> v, MessageSink &messages)
{
    enum { A1, D, N, AN, SN };
    auto set = [&](int slot, Num value) { v[static_cast<std::size_t>(slot)] = value.value(); };
    auto get = [&](int slot) { return Num(v[static_cast<std::size_t>(slot)]); };

    if (key == u"012") {
        set(AN, (get(N) - 1) * get(D) + get(A1));
        set(SN, (get(AN) + get(A1)) * get(N) / 2);
    } else if (key == u"023") {
        set(D, (get(AN) - get(A1)) / (get(N) - 1));
        set(SN, (get(AN) + get(A1)) * get(N) / 2);
    } else if (key == u"024") {
        set(AN, (get(SN) + get(SN)) / get(N) - get(A1));
        set(D, (get(AN) - get(A1)) / (get(N) - 1));
    } else if (key == u"123") {
        set(A1, get(AN) - (get(N) - 1) * get(D));
        set(SN, (get(AN) + get(A1)) * get(N) / 2);
    } else if (key == u"124") {
        set(A1, get(SN) / get(N) - (get(N) - 1) * get(D) / 2);
        set(AN, (get(N) - 1) * get(D) + get(A1));
    } else if (key == u"234") {
        set(A1, (get(SN) + get(SN)) / get(N) - get(AN));
        set(D, (get(AN) - get(A1)) / (get(N) - 1));
    } else {
        // 013, 014, 034, 134: the number of terms is among the unknowns.
        messages.showMessage(kUnknownN);
        return RowOutcome::Refused;
    }
    return RowOutcome::Solved;
}
} // namespace

ArithmeticSection::ArithmeticSection(Form &form, MessageSink &messages)
    : form_(form), messages_(messages)
{
}

void ArithmeticSection::CalcAritm()
{
    const SolveGroup group{kFields, std::span<double>(form_.valProg()).first(kFields.size())};
    runSolveCycle(form_, messages_, group, [this](const QString &key, std::span<double> v) {
        return solveRow(key, v, messages_);
    });
}

} // namespace tirel
