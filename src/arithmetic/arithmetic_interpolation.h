#pragma once

// Inserts K terms between A and B so that they form an arithmetic progression.
#include "cycle/message.h"

namespace tirel {

class Form;
class ArithmeticSection;

class ArithmeticInterpolation {
public:
    ArithmeticInterpolation(Form &form, MessageSink &messages, ArithmeticSection &solver);

    // Lists the inserted terms in LstIntrp, writes a1, d and n and lets the arithmetic solver
    // complete an and Sn. Every failure ends in the one "No es pot calcular" box.
    void IntrpAritm();
    void Okab_Click() { IntrpAritm(); }

private:
    Form &form_;
    MessageSink &messages_;
    ArithmeticSection &solver_;
};

} // namespace tirel
