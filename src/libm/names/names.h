/*
 * SPDX-FileCopyrightText: 2026 Tirel developers
 * SPDX-License-Identifier: GPL-3.0-or-later
 *
 * Private names for every symbol of musl's exp, log and pow, one set per build
 * variant (TIREL_LIBM_VARIANT: generic or fma), since the two builds link side
 * by side and beside the toolchain's own libm.  Only macros: system headers
 * may include this through features.h.
 */
#ifndef TIREL_LIBM_NAMES_H
#define TIREL_LIBM_NAMES_H

/* Every symbol stays visible: the library is linked statically.  */
#define hidden

#ifndef TIREL_LIBM_VARIANT
#define TIREL_LIBM_VARIANT generic
#endif
#define TIREL_LIBM_CAT2(a, b) a##_##b
#define TIREL_LIBM_CAT(a, b) TIREL_LIBM_CAT2(a, b)
#define TIREL_LIBM_NAME(n) TIREL_LIBM_CAT(n, TIREL_LIBM_VARIANT)

#define tirel_libm_exp_variant TIREL_LIBM_NAME(tirel_libm_exp)
#define tirel_libm_log_variant TIREL_LIBM_NAME(tirel_libm_log)
#define tirel_libm_pow_variant TIREL_LIBM_NAME(tirel_libm_pow)
#define __exp_data TIREL_LIBM_NAME(tirel_libm_exp_data)
#define __log_data TIREL_LIBM_NAME(tirel_libm_log_data)
#define __pow_log_data TIREL_LIBM_NAME(tirel_libm_pow_log_data)
#define __math_xflow TIREL_LIBM_NAME(tirel_libm_math_xflow)
#define __math_uflow TIREL_LIBM_NAME(tirel_libm_math_uflow)
#define __math_oflow TIREL_LIBM_NAME(tirel_libm_math_oflow)
#define __math_divzero TIREL_LIBM_NAME(tirel_libm_math_divzero)
#define __math_invalid TIREL_LIBM_NAME(tirel_libm_math_invalid)

#endif
