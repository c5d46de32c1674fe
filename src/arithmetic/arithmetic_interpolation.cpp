#include "arithmetic/arithmetic_interpolation.h"

namespace tirel {

// PLACEHOLDER: replaced by the arithmetic interpolation's implementation.
ArithmeticInterpolation::ArithmeticInterpolation(Form &form, MessageSink &messages, ArithmeticSection &solver)
    : form_(form), messages_(messages), solver_(solver)
{
}
void ArithmeticInterpolation::IntrpAritm() {}

} // namespace tirel
