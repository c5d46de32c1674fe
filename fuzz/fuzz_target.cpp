// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry: the input's first byte picks the locale (odd: Catalan, even: C), the rest is
// decoded into actions of the invariants suite's action language; every action runs through the
// invariant checker and a broken invariant aborts with the actions that led to it.
#include "invariants/invariants.h"

#include <cstdio>
#include <cstdlib>

using namespace tirel::invariants;

namespace {
// Enough for long chains of edits and presses; more only slows each run down.
constexpr qsizetype kMaxActions = 200;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const QLocale catalan(QLocale::Catalan, QLocale::Spain);
    static const QLocale c = QLocale::c();
    const QLocale &locale = (data[0] & 1) ? catalan : c;
    SpanSource source(data + 1, size - 1);
    InvariantChecker checker(locale);
    QList<Action> history;
    while (!source.atEnd() && history.size() < kMaxActions) {
        QList<Action> step;
        readStep(source, locale, step);
        for (const Action &action : step) {
            history.append(action);
            const QStringList broken = checker.run(action);
            const char *name = (data[0] & 1) ? "Catalan" : "C";
            if (broken.isEmpty())
                continue;
            std::fprintf(stderr, "\n== broken invariant (%s locale) after:\n%s\n== broken:\n  %s\n",
                         name, qPrintable(describe(history)),
                         qPrintable(broken.join(QStringLiteral("\n  "))));
            std::abort();
        }
    }
    return 0;
}
