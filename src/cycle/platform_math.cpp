// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cycle/platform_math.h"

#if defined(_WIN32) || defined(__EMSCRIPTEN__)
#include "tirel_libm.h"
#else
#include <cmath>
#endif

namespace tirel::platform {

#if defined(_WIN32) || defined(__EMSCRIPTEN__)

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

#else

double exp(double x)
{
    return std::exp(x);
}
double log(double x)
{
    return std::log(x);
}
double pow(double base, double exponent)
{
    return std::pow(base, exponent);
}

#endif

} // namespace tirel::platform
