#include "geometric/geometric_interpolation.h"

namespace tirel {

// PLACEHOLDER: replaced by the geometric interpolation's implementation.
GeometricInterpolation::GeometricInterpolation(Form &form, MessageSink &messages, GeometricSection &solver)
    : form_(form), messages_(messages), solver_(solver)
{
}
void GeometricInterpolation::IntrpGeom() {}

} // namespace tirel
