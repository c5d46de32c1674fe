// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How a modal box waits for the user: a desktop's own loop, or a browser page's.
class QDialog;

namespace tirel {

// Shows the dialog modally and returns once the user has closed it, whatever runs around it.
void runModal(QDialog &dialog);

} // namespace tirel
