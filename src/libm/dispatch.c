/*
 * SPDX-FileCopyrightText: 2026 Tirel developers
 * SPDX-License-Identifier: GPL-3.0-or-later
 */

#include "tirel_libm.h"

#if defined(__x86_64__)
/* glibc on x86-64 runs its FMA build where the processor offers FMA and AVX2
   and the system saves the AVX registers, and its generic build elsewhere; the
   same test here gives the same last digits as glibc on the same machine.  */
static int use_fma(void)
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2");
}

double tirel_libm_exp(double x)
{
    return use_fma() ? tirel_libm_exp_fma(x) : tirel_libm_exp_generic(x);
}

double tirel_libm_log(double x)
{
    return use_fma() ? tirel_libm_log_fma(x) : tirel_libm_log_generic(x);
}

double tirel_libm_pow(double x, double y)
{
    return use_fma() ? tirel_libm_pow_fma(x, y) : tirel_libm_pow_generic(x, y);
}
#else
/* A page learns nothing of its processor: WebAssembly gives the results of
   glibc's FMA build, the one glibc runs on the x86-64 processors of the last
   ten years, which all have FMA and AVX2.  */
double tirel_libm_exp(double x)
{
    return tirel_libm_exp_written(x);
}

double tirel_libm_log(double x)
{
    return tirel_libm_log_written(x);
}

double tirel_libm_pow(double x, double y)
{
    return tirel_libm_pow_written(x, y);
}
#endif
