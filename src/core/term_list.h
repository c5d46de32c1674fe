// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The list of an interpolation line, filled in one step: both interpolations form their terms
// through it.
#include "core/fields.h"

#include <functional>

namespace tirel {

class Form;

// Forms the terms 1 to k (none for k of 0 or less) in their text form and gives the whole list
// to the form at once, its text line showing the first term. A NumericFailure while a term is
// formed leaves the terms formed before it listed, as appending them one by one would, and goes
// on to the caller.
void fillTermList(Form &form, ListId list, int k, const std::function<double(int m)> &term);

} // namespace tirel
