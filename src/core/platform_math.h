// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The exp, log and pow of every formula. A result shows 15 significant digits, so it must come out
// of the same algorithm on every system: glibc's on Linux, and on Windows, whose runtime rounds
// some results differently, a build of those very algorithms and tables linked into the program,
// in the variant glibc would run on the same processor.
namespace tirel::platform {

double exp(double x);
double log(double x);
double pow(double base, double exponent);

} // namespace tirel::platform
