// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Simple and compound interest and the two annuities: one solver for the four rows of IdI.
#include "core/message.h"

namespace tirel {

class Form;

class InterestSection {
public:
    InterestSection(Form &form, MessageSink &messages);

    // One solve over the row of the given section index (0 simple interest, 1 compound interest,
    // 2 annuity of capitalisation, 3 annuity of amortisation), IdI 4k to 4k+3, ValProg 0 to 3.
    // A formula that fails throws NumericFailure before any field is written.
    void CalcInteres(int section);
    void OkInteres_Click(int section) { CalcInteres(section); }

private:
    Form &form_;
    MessageSink &messages_;
};

} // namespace tirel
