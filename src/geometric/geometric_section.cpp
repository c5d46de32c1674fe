#include "geometric/geometric_section.h"

#include "cycle/form.h"

namespace tirel {

// PLACEHOLDER: replaced by the geometric section's implementation.
GeometricSection::GeometricSection(Form &form, MessageSink &messages) : form_(form), messages_(messages) {}
void GeometricSection::CalcGeom() {}
void GeometricSection::ActivaSuma(bool) {}
void GeometricSection::CalcSuma(double, double) {}
void GeometricSection::Idg_Click(int) {}
void GeometricSection::Idg_Change(int) {}

} // namespace tirel
