// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// exp, log and pow from the bundled library (src/libm), where the C library's own round some
// results differently from glibc's (mingw-w64's, emscripten's): the same algorithms and tables as
// glibc, so every result keeps its last digit.
#include "core/platform_math.h"
#include "tirel_libm.h"

namespace tirel::platform {

double exp(double x)
{
    return tirel_libm_exp(x);
}
double log(double x)
{
    return tirel_libm_log(x);
}
double pow(double base, double exponent)
{
    return tirel_libm_pow(base, exponent);
}

} // namespace tirel::platform
