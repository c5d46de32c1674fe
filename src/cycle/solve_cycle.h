// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The cycle every solver runs on a press of its "Ok": read the field group, take the first three
// numbers as the givens, dispatch the known-set key to the solver's formula table and write the
// results into the fields that were not given.
#include "core/fields.h"
#include "core/message.h"

#include <QString>
#include <functional>
#include <span>

namespace tirel {

class Form;

// What the formula table made of a key.
enum class RowOutcome {
    Solved,          // the slots of the fields not given hold their results
    Refused,         // the table showed its own message; the cycle ends, no field changes
    RefusedWriteBack // the table showed its own message; the write-back still runs
};

// Computes the slots of the fields not given from the slots of the three given ones. A numeric
// failure (NumericFailure) passes through the cycle before any field is written.
using FormulaTable = std::function<RowOutcome(const QString &key, std::span<double> values)>;

struct SolveGroup {
    std::span<const FieldId> fields; // the group's elements, in position order
    std::span<double> values;        // one value slot per field, same positions
    // The interest solver: once three fields are given the rest are not read at all, and the
    // slot of every field not given is set to 0.
    bool zeroSlotsNotGiven = false;
};

// What one reading pass found.
struct CycleReading {
    int givenCount = 0;
    QString key;  // digits of the given positions, ascending
    QString mask; // "x" given, "0" to be written, one character per field
};

CycleReading readGroup(const Form &form, const SolveGroup &group);

// Runs one cycle. Returns true when the write-back ran (after a solved row, or after a refusal
// that still writes back).
bool runSolveCycle(Form &form, MessageSink &messages, const SolveGroup &group,
                   const FormulaTable &table);

// "Dades insuficients": fewer than three numbers among the fields.
Message tooFewDataMessage();

} // namespace tirel
