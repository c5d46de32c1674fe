// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The arithmetic progression: any three of a1, d, n, an, Sn that include n give the other two.
#include "core/message.h"

namespace tirel {

class Form;

class ArithmeticSection {
public:
    ArithmeticSection(Form &form, MessageSink &messages);

    // One solve cycle over Id 0 to 4 with ValProg 0 to 4. A formula that fails throws
    // NumericFailure before any field is written.
    void CalcAritm();
    // The click of "Ok": the solve, with a numeric failure passed on to the caller.
    void OkAr_Click() { CalcAritm(); }

private:
    Form &form_;
    MessageSink &messages_;
};

} // namespace tirel
