// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the platform decides between a face the layout names and its free stand-in.
#include <QString>

namespace tirel {

// Whether the layout's own face (e.g. "MS Sans Serif") is used as it is. On Windows that is
// whenever the face is installed; elsewhere never, since a Linux desktop's copy of such a face,
// when there is one, is not the one the layout was drawn with.
bool useLayoutFace(const QString &layoutName);

// Makes the free stand-ins available where the platform has no faces of its own to offer: a
// browser lends a page none of the machine's faces, so the web build brings them along, and sets
// the default face a Linux desktop would.
void addCarriedFaces();

} // namespace tirel
