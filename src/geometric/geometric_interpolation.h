// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Inserts K terms between A and B so that they form a geometric progression.
#include "core/message.h"

namespace tirel {

class Form;
class GeometricSection;

class GeometricInterpolation {
public:
    GeometricInterpolation(Form &form, MessageSink &messages, GeometricSection &solver);

    // Lists the inserted terms in Lstg, writes a1, r and n (the infinite-sum handling runs
    // nested in the writes) and lets the geometric solver complete an and Sn. Every failure
    // ends in the one "No es pot calcular" box.
    void IntrpGeom();
    void OkABg_Click() { IntrpGeom(); }

private:
    // The whole operation: false for a missing input; a NumericFailure ends it where it happens.
    bool interpolate();

    Form &form_;
    MessageSink &messages_;
    GeometricSection &solver_;
};

} // namespace tirel
