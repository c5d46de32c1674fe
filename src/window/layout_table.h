// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's controls as data: one row per frame, label, field, combo box, button, box and
// line, with its place in twips relative to its container and its look. The builder turns the
// rows into widgets; nothing else in the window places a control.
#include "core/fields.h"
#include "window/fonts.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace tirel::layout {

// One twip is 1/15 of a logical pixel; each of Left, Top, Width and Height rounds on its own.
int twipsToPixels(int twips);
QRect twipsToPixels(int left, int top, int width, int height);

// The client area below the menu bar.
constexpr int kClientWidthTwips = 9285;
constexpr int kClientHeightTwips = 8985;
inline const QColor kWindowBackground{0, 0, 128};

enum class Kind { Frame, Label, Field, Combo, Button, Box, Line };

// What a button runs; chosen by the row, never by the caption.
enum class Command { None, OkAr, Okab, OkGe, OkABg, OkInteres };

struct FontSpec {
    Face face = Face::MsSansSerif;
    double points = 9.75;
    bool bold = false;
    bool underline = false;
};

struct Look {
    std::optional<QColor> textColour; // a frame's caption, a label's text
    std::optional<QColor> background; // a frame's fill; inner frames take the button face
    std::optional<FontSpec> font;     // a frame's caption font, otherwise the control's own
    bool centred = false;
    bool transparent = false;     // a label that shows what lies beneath it
    bool disabledAtStart = false; // drawn greyed until the infinite-sum display goes on
    bool buttonFaceBase = false;  // a field on the button face instead of the field colour
    bool onBox = false;           // a formula label: stands on its area's box

    Look &colour(int r, int g, int b)
    {
        textColour = QColor(r, g, b);
        return *this;
    }
    Look &fill(int r, int g, int b)
    {
        background = QColor(r, g, b);
        return *this;
    }
    Look &withFont(Face face, double points, bool bold = false, bool underline = false)
    {
        font = FontSpec{face, points, bold, underline};
        return *this;
    }
    Look &centre()
    {
        centred = true;
        return *this;
    }
    Look &clear()
    {
        transparent = true;
        return *this;
    }
    Look &greyedAtStart()
    {
        disabledAtStart = true;
        return *this;
    }
    Look &onButtonFace()
    {
        buttonFaceBase = true;
        return *this;
    }
    Look &standingOnBox()
    {
        onBox = true;
        return *this;
    }
};

// A label whose text holds blank stretches under fields is drawn as its visible pieces, each
// placed against the fields it belongs beside, so no character hides under a field.
enum class Anchor { LabelStart, AfterField, BeforeField, BetweenFields };

struct Piece {
    QString text;
    Anchor anchor = Anchor::LabelStart;
    QString field;      // AfterField, BeforeField, BetweenFields: the field at its left or right
    QString otherField; // BetweenFields: the field at its right
};

struct ControlSpec {
    QString name;
    Kind kind = Kind::Label;
    QString container; // empty: the client area
    QString text;
    // Twips. A line runs from (left, top) to (left + width, top + height).
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    Look look;
    std::optional<FieldId> field;
    std::optional<ListId> list;
    Command command = Command::None;
    int index = 0; // OkInteres: the interest row
    QList<Piece> pieces;
};

// Every control, containers before what they hold.
const QList<ControlSpec> &controls();

// The keyboard focus order, by control name; the first holds the focus at start.
const QStringList &focusOrder();

} // namespace tirel::layout
