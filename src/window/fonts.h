// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The faces the layout names, mapped to installed free faces, and sizes in points at 96 DPI set
// as pixel sizes so that every platform draws the same pixels.
#include <QFont>

namespace tirel {

enum class Face { MsSansSerif, ArialNarrow, ComicSansMs };

// Lets a QFont that names a layout face ("MS Sans Serif", ...) find its free stand-in; safe to
// call more than once.
void installFontSubstitutions();

// Points at 96 DPI in pixels: 9.75 pt is 13 px, 8.25 pt is 11 px.
int pointsToPixels(double points);

QFont layoutFont(Face face, double points, bool bold = false, bool underline = false);

// "MS Sans Serif" 9.75 pt regular: every label, field and combo box that names no font.
QFont windowFont();

} // namespace tirel
