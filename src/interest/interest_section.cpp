#include "interest/interest_section.h"

namespace tirel {

// PLACEHOLDER: replaced by the interest section's implementation.
InterestSection::InterestSection(Form &form, MessageSink &messages) : form_(form), messages_(messages) {}
void InterestSection::CalcInteres(int) {}

} // namespace tirel
