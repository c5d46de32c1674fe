// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/term_list.h"

#include "core/checked.h"
#include "core/form.h"
#include "core/number_text.h"

#include <QStringList>
#include <algorithm>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tirel {

namespace {
#if defined(__x86_64__)
// Library code the window runs can leave the upper halves of the AVX registers in use; until a
// vzeroupper every plain SSE instruction after it (pow, the text form, malloc) runs several times
// slower, pow fifteen times. The term loop starts from a clean state.
__attribute__((target("avx"))) void clearUpperVectorHalves()
{
    _mm256_zeroupper();
}

void startClean()
{
    if (__builtin_cpu_supports("avx"))
        clearUpperVectorHalves();
}
#else
void startClean() {}
#endif
} // namespace

void fillTermList(Form &form, ListId list, int k, const std::function<double(int m)> &term)
{
    startClean();
    const NumberTextForm text(form.locale());
    QStringList entries;
    entries.reserve(std::max(k, 0));
    try {
        for (int m = 1; m <= k; ++m)
            entries.append(text(term(m)));
    } catch (const NumericFailure &) {
        form.setListEntries(list, entries);
        throw;
    }
    form.setListEntries(list, entries);
    form.setListTextLine(list, entries.isEmpty() ? QString() : entries.first());
}

} // namespace tirel
