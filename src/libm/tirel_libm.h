/*
 * SPDX-FileCopyrightText: 2026 Tirel developers
 * SPDX-License-Identifier: GPL-3.0-or-later
 *
 * exp, log and pow computed by the same algorithms and tables as glibc's, in
 * glibc's two x86-64 builds: the generic one, without fused multiply-add, and
 * the one glibc picks on a processor with FMA and AVX2, whose compiler fuses
 * multiplications and additions where it can.  Each build rounds a few results
 * differently, so a caller picks the one glibc would pick on the same processor.
 */
#ifndef TIREL_LIBM_H
#define TIREL_LIBM_H

#ifdef __cplusplus
extern "C" {
#endif

/* glibc's choice for this processor, made again at every call (a cheap test). */
double tirel_libm_exp(double x);
double tirel_libm_log(double x);
double tirel_libm_pow(double x, double y);

double tirel_libm_exp_generic(double x);
double tirel_libm_log_generic(double x);
double tirel_libm_pow_generic(double x, double y);

double tirel_libm_exp_fma(double x);
double tirel_libm_log_fma(double x);
double tirel_libm_pow_fma(double x, double y);

/* The FMA build's results again, its fused operations written as fma() calls,
   for targets without fused multiply-add.  */
double tirel_libm_exp_written(double x);
double tirel_libm_log_written(double x);
double tirel_libm_pow_written(double x, double y);

#ifdef __cplusplus
}
#endif

#endif
