// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The geometric progression: the solver over a1, r, n, an, Sn and the live display of the sum S
// of the infinite progression, kept in step with a1 and r while the user types.
#include "core/message.h"

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
    // A change of the text of the geometric field of that index, typed or written.
    void Idg_Change(int index);

private:
    // The steps of Idg_Change; a numeric failure passes out of it.
    void followChange(int index);

    Form &form_;
    MessageSink &messages_;
};

} // namespace tirel
