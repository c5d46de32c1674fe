// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The whole calculator over one Form: the events the window forwards, each running exactly one
// operation to its end.
#include "arithmetic/arithmetic_interpolation.h"
#include "arithmetic/arithmetic_section.h"
#include "core/fields.h"
#include "core/form.h"
#include "core/message.h"
#include "geometric/geometric_interpolation.h"
#include "geometric/geometric_section.h"
#include "interest/interest_section.h"

namespace tirel {

class Calculator {
public:
    explicit Calculator(MessageSink &messages, const QLocale &locale = QLocale::system());
    Calculator(const Calculator &) = delete;
    Calculator &operator=(const Calculator &) = delete;

    Form &form() { return form_; }
    const Form &form() const { return form_; }

    // The user's own edit of a field's text (one call per keystroke). Only the user's own
    // change of the S field is turned into the first term or the ratio.
    void edit(FieldId field, const QString &text);
    // The user's own edit of a list's text line: it adds no entry.
    void editListText(ListId list, const QString &text) { form_.setListTextLine(list, text); }

    // Button presses. A formula failure of a solver's own "Ok" shows "Error de càlcul".
    void pressOkAr();
    void pressOkab();
    void pressOkGe();
    void pressOkABg();
    void pressOkInteres(int section);
    // A mouse press in a geometric field (index 0 to 5).
    void clickIdg(int index);

private:
    MessageSink &messages_;
    Form form_;
    ArithmeticSection arithmetic_;
    ArithmeticInterpolation arithmeticInterpolation_;
    GeometricSection geometric_;
    GeometricInterpolation geometricInterpolation_;
    InterestSection interest_;
};

} // namespace tirel
