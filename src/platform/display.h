// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whether the program has a screen to open its window on, asked before the toolkit starts.
namespace tirel {

// Whether the program was started on Linux where the toolkit needs an X or Wayland display and
// neither DISPLAY nor WAYLAND_DISPLAY names one; the toolkit would abort with a message of its
// own. Windows always has its desktop and a browser its page: never missing there.
bool displayMissing(int argc, char **argv);

} // namespace tirel
