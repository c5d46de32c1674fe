// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The geometric progression: the solver over a1, r, n, an, Sn and the live display of the sum S
// of the infinite progression, kept in step with a1 and r while the user types. A sum the user
// types into S gives a1 (or r while r is empty); a sum the program writes there is only shown.
#include "core/message.h"

#include <QString>

namespace tirel {

class Form;

class GeometricSection {
public:
    // Installs Idg_Change as the change handling of the six geometric fields.
    GeometricSection(Form &form, MessageSink &messages);

    // One solve cycle over Idg 0 to 4 with five slots of its own; after a matched row and the
    // write-back, CalcSuma with the solver's a1 and r. A formula that fails throws NumericFailure
    // before any field is written.
    void CalcGeom();
    // The click of "Ok": the solve, with a numeric failure passed on to the caller.
    void OkGe_Click() { CalcGeom(); }

    // Switches the infinite-sum display on or off (off also empties the S field).
    void ActivaSuma(bool on);
    // Switches the display by |r| < 1 and, when on, writes a1 / (1 - r) into the S field.
    void CalcSuma(double a1, double r);
    // A mouse press in the geometric field of that index (0 to 5); only the S field acts.
    void Idg_Click(int index);
    // A change of the text of the geometric field of that index, typed or written. A change of
    // S refreshes the slots and, only when it is the user's own (editSum), goes on to a1 or r.
    void Idg_Change(int index);
    // The user's own change of the S field: typing, pasting, cutting, deleting, or a text set by
    // assistive technology.
    void editSum(const QString &text);

private:
    // The steps of Idg_Change; a numeric failure passes out of it.
    void followChange(int index);
    // The steps that turn the user's S into a1 or r.
    void followTypedSum();

    Form &form_;
    MessageSink &messages_;
    // Set by editSum until the handling of its change starts: the changes of S nested inside that
    // handling (the switch-off emptying it) are the program's.
    bool sumEditPending_ = false;
    // While the user's S is turned into a1 or r: the sum formed from them is not written over it.
    bool followingTypedSum_ = false;
};

} // namespace tirel
