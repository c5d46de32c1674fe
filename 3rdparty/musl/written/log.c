/*
 * Double-precision log(x) function, as glibc's build for processors with FMA
 * computes it.
 *
 * Copyright (c) 2018, Arm Limited.
 * SPDX-FileCopyrightText: 2026 Tirel developers
 * SPDX-License-Identifier: MIT
 *
 * musl's log.c (3rdparty/musl), with each multiplication and addition that
 * GCC fuses when it builds that variant written as an fma() call, and only the
 * code paths of a target with fused multiply-add.  Built without contraction
 * for a target that has no fused multiply-add (WebAssembly), it gives the same
 * bits through the C library's correctly rounded fma.
 */

#include <math.h>
#include <stdint.h>
#include "libm.h"
#include "log_data.h"

#define T __log_data.tab
#define T2 __log_data.tab2
#define B __log_data.poly1
#define A __log_data.poly
#define Ln2hi __log_data.ln2hi
#define Ln2lo __log_data.ln2lo
#define N (1 << LOG_TABLE_BITS)
#define OFF 0x3fe6000000000000

/* Top 16 bits of a double.  */
static inline uint32_t top16(double x)
{
	return asuint64(x) >> 48;
}

double log(double x)
{
	double_t w, z, r, r2, r3, y, invc, logc, kd, hi, lo;
	uint64_t ix, iz, tmp;
	uint32_t top;
	int k, i;

	ix = asuint64(x);
	top = top16(x);
#define LO asuint64(1.0 - 0x1p-4)
#define HI asuint64(1.0 + 0x1.09p-4)
	if (predict_false(ix - LO < HI - LO)) {
		/* Handle close to 1.0 inputs separately.  */
		/* Fix sign of zero with downward rounding when x==1.  */
		if (WANT_ROUNDING && predict_false(ix == asuint64(1.0)))
			return 0;
		r = x - 1.0;
		r2 = r * r;
		r3 = r * r2;
		/* The polynomial; its product with r3 is fused into y + lo.  */
		y = fma(fma(fma(B[10], r3, fma(B[9], r2, fma(B[8], r, B[7]))), r3,
			    fma(B[6], r2, fma(B[5], r, B[4]))),
			r3, fma(B[3], r2, fma(B[2], r, B[1])));
		/* Worst-case error is around 0.507 ULP.  */
		double_t rhi = fma(-r, 0x1p27, fma(r, 0x1p27, r));
		double_t rlo = r - rhi;
		w = rhi * rhi; /* times B[0] == -0.5, fused below.  */
		hi = fma(w, B[0], r);
		lo = fma(w, B[0], r - hi);
		lo = fma(B[0] * rlo, rhi + r, lo);
		y = fma(y, r3, lo);
		y += hi;
		return eval_as_double(y);
	}
	if (predict_false(top - 0x0010 >= 0x7ff0 - 0x0010)) {
		/* x < 0x1p-1022 or inf or nan.  */
		if (ix * 2 == 0)
			return __math_divzero(1);
		if (ix == asuint64(INFINITY)) /* log(inf) == inf.  */
			return x;
		if ((top & 0x8000) || (top & 0x7ff0) == 0x7ff0)
			return __math_invalid(x);
		/* x is subnormal, normalize it.  */
		ix = asuint64(x * 0x1p52);
		ix -= 52ULL << 52;
	}

	/* x = 2^k z; where z is in range [OFF,2*OFF) and exact.
	   The range is split into N subintervals.
	   The ith subinterval contains z and c is near its center.  */
	tmp = ix - OFF;
	i = (tmp >> (52 - LOG_TABLE_BITS)) % N;
	k = (int64_t)tmp >> 52; /* arithmetic shift */
	iz = ix - (tmp & 0xfffULL << 52);
	invc = T[i].invc;
	logc = T[i].logc;
	z = asdouble(iz);

	/* log(x) = log1p(z/c-1) + log(c) + k*Ln2.  */
	/* r ~= z/c - 1, |r| < 1/(2*N).  */
	/* rounding error: 0x1p-55/N.  */
	r = fma(z, invc, -1.0);
	kd = (double_t)k;

	/* hi + lo = r + log(c) + k*Ln2.  */
	w = fma(kd, Ln2hi, logc);
	hi = w + r;
	lo = fma(kd, Ln2lo, w - hi + r);

	/* log(x) = lo + (log1p(r) - r) + hi.  */
	r2 = r * r; /* rounding error: 0x1p-54/N^2.  */
	/* Worst case error if |y| > 0x1p-5:
	   0.5 + 4.13/N + abs-poly-error*2^57 ULP (+ 0.002 ULP without fma)
	   Worst case error if |y| > 0x1p-4:
	   0.5 + 2.06/N + abs-poly-error*2^56 ULP (+ 0.001 ULP without fma).  */
	y = fma(r * r2, fma(r2, fma(r, A[4], A[3]), fma(r, A[2], A[1])),
		fma(r2, A[0], lo)) + hi;
	return eval_as_double(y);
}
