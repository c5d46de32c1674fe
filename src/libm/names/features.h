/*
 * SPDX-FileCopyrightText: 2026 Tirel developers
 * SPDX-License-Identifier: GPL-3.0-or-later
 *
 * musl's data headers take `hidden` and their symbols' names from
 * <features.h>.  This one adds the private names to the system's own
 * features.h, where there is one (mingw-w64 has none).
 */
#ifndef TIREL_LIBM_FEATURES_H
#define TIREL_LIBM_FEATURES_H

#if defined(__has_include_next)
#if __has_include_next(<features.h>)
#include_next <features.h>
#endif
#endif
#include "names.h"

#endif
