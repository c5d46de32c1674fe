// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What must hold after any action on the calculator, whatever was typed and in whatever order
// the buttons were pressed. The checker drives its own Calculator with a recording sink, records
// every write the action makes, and compares the state before and after:
// - the action ends, its change handling unwinds to no nesting and never reaches the bound
//   that guards against a runaway (run); crashes, reads out of bounds and undefined behaviour
//   are the sanitizers' part, in the fuzzer and the asan build;
// - a press shows at most one box; a solver's Ok shows exactly the box its key calls for, or
//   none and leaves every field of its group holding a number; a given field keeps its text; a
//   numeric failure changes nothing, the interest rows' refusals write back "0"
//   (checkSolverPress); an interpolation that cannot start changes nothing, one that fails
//   later keeps what it wrote in its own order (checkInterpolationPress);
// - every text the program writes into a field or a list reads back as a number that writes
//   as the same text; it empties only the S field, and n, an and Sn on a click in an empty S
//   field (checkCommon);
// - an action touches only the fields, lists and display of its own section; an edit of the
//   first term or the ratio writes only the S field beside it (checkCommon);
// - an edit leaves the typed text, but for an S emptied as the display goes off (checkEdit), and
//   a click acts only in the S field (checkClick).
#include "calculator/calculator.h"
#include "invariants/action_language.h"
#include "support/recording_sink.h"

#include <QList>
#include <QStringList>
#include <array>

namespace tirel::invariants {

// Everything the user can see of the calculator.
struct Snapshot {
    std::array<QString, field::kFieldCount> texts;
    std::array<QStringList, kListCount> entries;
    std::array<QString, kListCount> lines;
    bool sumDisplayOn = false;
};

// One change the action made, in the order it was made.
struct Event {
    enum class Kind { Field, ListEntries, ListLine, Display };
    Kind kind = Kind::Field;
    int target = 0;    // the field number or the ListId
    QString text;      // Field: the text written
    int nesting = 0;   // the Form's nesting when it was made (0: not inside a change handling)
    bool user = false; // Field: the user's own edit
};

class InvariantChecker {
public:
    explicit InvariantChecker(const QLocale &locale);
    InvariantChecker(const InvariantChecker &) = delete;
    InvariantChecker &operator=(const InvariantChecker &) = delete;

    Calculator &calculator() { return calculator_; }
    const QLocale &locale() const { return locale_; }
    const QList<Message> &lastMessages() const { return sink_.messages; }
    // How many writes found the nesting bound reached, over the checker's life.
    int nestingBoundHits() const { return calculator_.form().nestingBoundHits(); }

    // Performs the action and returns every invariant it broke, one line each; empty when all
    // held.
    QStringList run(const Action &action);

    Snapshot snapshot() const;

private:
    void checkCommon(const Action &action, const Snapshot &before, const Snapshot &after,
                     QStringList &broken) const;
    void checkEdit(const Action &action, const Snapshot &before, const Snapshot &after,
                   QStringList &broken) const;
    void checkSolverPress(Button button, const Snapshot &before, const Snapshot &after,
                          QStringList &broken) const;
    void checkInterpolationPress(Button button, const Snapshot &before, const Snapshot &after,
                                 QStringList &broken) const;
    void checkClick(int index, const Snapshot &before, const Snapshot &after,
                    QStringList &broken) const;

    QLocale locale_;
    test::RecordingSink sink_;
    Calculator calculator_;
    QList<Event> events_;
    bool editing_ = false;
};

// A text the program may write: it reads back as a number in the locale and writes again as
// the same text.
bool isStableNumberText(const QString &text, const QLocale &locale);

} // namespace tirel::invariants
