// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cycle/solve_cycle.h"

#include "core/form.h"
#include "core/number_text.h"

namespace tirel {

namespace {
const QString kTooFewTitle = QStringLiteral("Dades insuficients");
const QString kTooFewText = QStringLiteral("Són necessàries 3 dades");
constexpr int kGivenNeeded = 3;
} // namespace

Message tooFewDataMessage()
{
    return {kTooFewTitle, kTooFewText, MessageIcon::Warning};
}

CycleReading readGroup(const Form &form, const SolveGroup &group)
{
    CycleReading reading;
    for (std::size_t p = 0; p < group.fields.size(); ++p) {
        bool given = false;
        if (!(group.zeroSlotsNotGiven && reading.givenCount == kGivenNeeded)) {
            const QString text = form.text(group.fields[p]);
            const std::optional<double> value =
                text.isEmpty() ? std::nullopt : textToDouble(text, form.locale());
            if (value && reading.givenCount < kGivenNeeded) {
                given = true;
                ++reading.givenCount;
                group.values[p] = *value;
                reading.key += QChar(u'0' + static_cast<char16_t>(p));
                reading.mask += u'x';
            }
        }
        if (!given) {
            reading.mask += u'0';
            if (group.zeroSlotsNotGiven)
                group.values[p] = 0.0;
        }
    }
    return reading;
}

bool runSolveCycle(Form &form, MessageSink &messages, const SolveGroup &group,
                   const FormulaTable &table)
{
    const CycleReading reading = readGroup(form, group);
    if (reading.givenCount < kGivenNeeded) {
        messages.showMessage(tooFewDataMessage());
        return false;
    }
    if (table(reading.key, group.values) == RowOutcome::Refused)
        return false;
    for (std::size_t p = 0; p < group.fields.size(); ++p) {
        if (reading.mask[static_cast<qsizetype>(p)] == u'0')
            form.setText(group.fields[p], doubleToText(group.values[p], form.locale()));
    }
    return true;
}

} // namespace tirel
