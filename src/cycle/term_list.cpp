#include "cycle/term_list.h"

#include "cycle/checked.h"
#include "cycle/form.h"
#include "cycle/number_text.h"

#include <QStringList>
#include <algorithm>

namespace tirel {

void fillTermList(Form &form, ListId list, int k, const std::function<double(int m)> &term)
{
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
