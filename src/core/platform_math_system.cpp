// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// exp, log and pow from the C library: glibc's on Linux.
#include "core/platform_math.h"

#include <cmath>

namespace tirel::platform {

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

} // namespace tirel::platform
