// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/layout_table.h"

#include <cmath>

namespace tirel::layout {

int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect twipsToPixels(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

namespace {

ControlSpec row(const QString &name, Kind kind, const QString &container, const QString &text,
                int left, int top, int width, int height, const Look &look)
{
    ControlSpec spec;
    spec.name = name;
    spec.kind = kind;
    spec.container = container;
    spec.text = text;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.look = look;
    return spec;
}

ControlSpec frame(const QString &name, const QString &container, const QString &caption, int left,
                  int top, int width, int height, const Look &look)
{
    return row(name, Kind::Frame, container, caption, left, top, width, height, look);
}

ControlSpec label(const QString &name, const QString &container, const QString &text, int left,
                  int top, int width, int height, const Look &look = {})
{
    return row(name, Kind::Label, container, text, left, top, width, height, look);
}

ControlSpec field(FieldId id, const QString &container, int left, int top, int width, int height,
                  const Look &look = {})
{
    ControlSpec spec =
        row(fieldName(id), Kind::Field, container, {}, left, top, width, height, look);
    spec.field = id;
    return spec;
}

ControlSpec combo(ListId id, const QString &container, int left, int top, int width, int height)
{
    ControlSpec spec = row(listName(id), Kind::Combo, container, {}, left, top, width, height, {});
    spec.list = id;
    return spec;
}

ControlSpec button(const QString &name, const QString &container, const QString &caption,
                   Command command, int left, int top, int width, int height, int index = 0)
{
    // Every button of the window: "MS Sans Serif" 8.25 pt regular.
    ControlSpec spec = row(name, Kind::Button, container, caption, left, top, width, height,
                           Look().withFont(Face::MsSansSerif, 8.25));
    spec.command = command;
    spec.index = index;
    return spec;
}

ControlSpec okInteres(int index, const QString &container, int left, int top)
{
    return button(QStringLiteral("OkInteres(%1)").arg(index), container, QStringLiteral("Ok"),
                  Command::OkInteres, left, top, 360, 315, index);
}

ControlSpec box(const QString &name, const QString &container, int left, int top, int width,
                int height)
{
    return row(name, Kind::Box, container, {}, left, top, width, height, {});
}

// The formula areas draw in one colour: the formulas, their exponents and their fraction bars.
constexpr int kFormulaRed = 192, kFormulaGreen = 64, kFormulaBlue = 0;

ControlSpec fractionBar(const QString &name, const QString &container, int x1, int y1, int x2,
                        int y2)
{
    return row(name, Kind::Line, container, {}, x1, y1, x2 - x1, y2 - y1,
               Look().colour(kFormulaRed, kFormulaGreen, kFormulaBlue));
}

enum FormulaLook { Plain = 0, Centred = 1, Clear = 2 };

Look formulaLook(double points, int look)
{
    Look result = Look()
                      .colour(kFormulaRed, kFormulaGreen, kFormulaBlue)
                      .withFont(Face::MsSansSerif, points, true)
                      .standingOnBox();
    if (look & Centred)
        result.centre();
    if (look & Clear)
        result.clear();
    return result;
}

// A formula line, "MS Sans Serif" 9.75 pt bold.
ControlSpec formula(const QString &name, const QString &container, const QString &text, int left,
                    int top, int width, int height, int look)
{
    return label(name, container, text, left, top, width, height, formulaLook(9.75, look));
}

// A raised exponent, 8.25 pt bold.
ControlSpec exponent(const QString &name, const QString &container, const QString &text, int left,
                     int top, int width, int height, int look)
{
    return label(name, container, text, left, top, width, height, formulaLook(8.25, look));
}

ControlSpec withPieces(ControlSpec spec, QList<Piece> pieces)
{
    spec.pieces = std::move(pieces);
    return spec;
}

// "r =              %   t =": the rate field over the first stretch, "%" after it, the time
// field after "t =".
ControlSpec rateAndTime(const QString &name, const QString &container, int left, int top,
                        int rateField, int timeField)
{
    const QString rate = fieldName(field::IdI(rateField));
    const QString time = fieldName(field::IdI(timeField));
    return withPieces(
        label(name, container, QStringLiteral("r =              %   t ="), left, top, 1455, 315),
        {{QStringLiteral("r ="), Anchor::LabelStart, {}, {}},
         {QStringLiteral("%"), Anchor::AfterField, rate, {}},
         {QStringLiteral("t ="), Anchor::BeforeField, time, {}}});
}

// "termes  entre              i  ": A over the long stretch, "i" between A and B.
ControlSpec termsBetween(const QString &name, const QString &container, int left, int top,
                         FieldId a, FieldId b)
{
    return withPieces(label(name, container, QStringLiteral("termes  entre              i  "), left,
                            top, 2025, 240),
                      {{QStringLiteral("termes  entre"), Anchor::LabelStart, {}, {}},
                       {QStringLiteral("i"), Anchor::BetweenFields, fieldName(a), fieldName(b)}});
}

QList<ControlSpec> buildControls()
{
    using namespace field;
    const QString progressions = QStringLiteral("Progressions");
    const QString aritm = QStringLiteral("PAritm");
    const QString geom = QStringLiteral("PGeom");
    const QString interesComercial = QStringLiteral("PInteresComercial");
    const QString interes = QStringLiteral("PInteres");
    const QString compost = QStringLiteral("PCompost");
    const QString anual = QStringLiteral("Panual");
    const QString client;

    QList<ControlSpec> rows;
    rows.reserve(140);

    // Frames. The inner frames take the button face; the outer ones show their colour only in
    // the margins around them.
    rows << frame(
                progressions, client, QStringLiteral("Progressions"), 160, 165, 9000, 4170,
                Look().colour(255, 255, 255).fill(128, 0, 0).withFont(Face::MsSansSerif, 12, true))
         << frame(aritm, progressions, QStringLiteral("Aritmètiques   an = a1 + (n-1)·d"), 150, 375,
                  8700, 1485, Look().colour(0, 0, 128).withFont(Face::MsSansSerif, 9.75, true))
         << frame(geom, progressions, QStringLiteral("Geomètriques   an = a1*r^ (n-1)"), 180, 2055,
                  8700, 1845, Look().colour(192, 0, 0).withFont(Face::MsSansSerif, 9.75, true))
         << frame(interesComercial, client, QStringLiteral("Interès"), 160, 4455, 9000, 4380,
                  Look().colour(192, 255, 192).fill(0, 64, 0).withFont(Face::MsSansSerif, 12, true))
         << frame(interes, interesComercial, QStringLiteral("Interès simple"), 150, 375, 8700, 690,
                  Look().colour(0, 128, 0))
         << frame(compost, interesComercial, QStringLiteral("Interès compost"), 150, 1125, 8700,
                  945, Look().colour(0, 0, 192).withFont(Face::MsSansSerif, 9.75, true))
         << frame(anual, interesComercial, QStringLiteral(" Anualitats de ..."), 150, 2175, 8700,
                  1965, Look().colour(128, 0, 0).withFont(Face::MsSansSerif, 9.75, true));

    // Arithmetic section.
    rows << label(QStringLiteral("Label1"), aritm, QStringLiteral("a1 ="), 150, 480, 435, 315)
         << field(Id(0), aritm, 555, 390, 615, 315)
         << label(QStringLiteral("Label2"), aritm, QStringLiteral("d ="), 1230, 480, 435, 315)
         << field(Id(1), aritm, 1575, 375, 615, 315)
         << label(QStringLiteral("Label3"), aritm, QStringLiteral("n ="), 2340, 480, 375, 315)
         << field(Id(2), aritm, 2670, 375, 315, 315)
         << button(QStringLiteral("OkAr"), aritm, QStringLiteral("Ok"), Command::OkAr, 3075, 390,
                   360, 315)
         << label(QStringLiteral("Label4"), aritm, QStringLiteral("an ="), 3570, 480, 435, 315)
         << field(Id(3), aritm, 3975, 375, 615, 315)
         << label(QStringLiteral("Label5"), aritm, QStringLiteral("Sn ="), 4755, 480, 435, 315)
         << field(Id(4), aritm, 5235, 390, 615, 315)
         << label(QStringLiteral("Label6"), aritm, QStringLiteral("Interpolar"), 150, 1020, 1050,
                  390, Look().colour(0, 128, 0).withFont(Face::MsSansSerif, 9.75, true))
         << field(IdK, aritm, 1230, 915, 285, 315)
         << termsBetween(QStringLiteral("Label7"), aritm, 1605, 1020, IdA, IdB)
         << field(IdA, aritm, 2835, 915, 400, 315) << field(IdB, aritm, 3555, 915, 525, 315)
         << button(QStringLiteral("Okab"), aritm, QStringLiteral("Ok>"), Command::Okab, 4275, 930,
                   495, 315)
         << combo(ListId::LstIntrp, aritm, 4965, 930, 825, 360);

    // Geometric section.
    rows << label(QStringLiteral("Label12"), geom, QStringLiteral("a1 ="), 180, 480, 435, 315)
         << field(Idg(0), geom, 615, 375, 615, 315)
         << label(QStringLiteral("Label11"), geom, QStringLiteral("r ="), 1335, 480, 435, 315)
         << field(Idg(1), geom, 1635, 375, 615, 315)
         << label(QStringLiteral("Label10"), geom, QStringLiteral("n ="), 2370, 480, 375, 315)
         << field(Idg(2), geom, 2715, 375, 315, 315)
         << button(QStringLiteral("OkGe"), geom, QStringLiteral("Ok"), Command::OkGe, 3105, 405,
                   360, 315)
         << label(QStringLiteral("Label9"), geom, QStringLiteral("an ="), 3600, 480, 435, 315)
         << field(Idg(3), geom, 3975, 375, 615, 315)
         << label(QStringLiteral("Label8"), geom, QStringLiteral("Sn ="), 4785, 480, 435, 315)
         << field(Idg(4), geom, 5265, 405, 615, 315)
         << label(QStringLiteral("Etdescr"), geom, QStringLiteral("decreixent"), 420, 885, 795, 285,
                  Look().withFont(Face::ArialNarrow, 9.75).greyedAtStart())
         << label(QStringLiteral("EtS"), geom, QStringLiteral("S ="), 1260, 885, 345, 315,
                  Look().colour(192, 64, 0).withFont(Face::MsSansSerif, 9.75, true).greyedAtStart())
         << field(Idg(5), geom, 1680, 825, 615, 315, Look().onButtonFace())
         << label(QStringLiteral("Label14"), geom, QStringLiteral("Interpolar"), 165, 1455, 1050,
                  315, Look().colour(128, 0, 128).withFont(Face::MsSansSerif, 9.75, true))
         << field(IdKg, geom, 1260, 1335, 285, 315)
         << termsBetween(QStringLiteral("Label13"), geom, 1620, 1440, IdAg, IdBg)
         << field(IdAg, geom, 2850, 1335, 400, 315) << field(IdBg, geom, 3570, 1335, 525, 315)
         << button(QStringLiteral("OkABg"), geom, QStringLiteral("Ok>"), Command::OkABg, 4290, 1350,
                   495, 315)
         << combo(ListId::Lstg, geom, 4980, 1350, 825, 360);

    // Simple interest.
    rows << label(QStringLiteral("Label17"), interes, QStringLiteral("c ="), 120, 300, 435, 315)
         << field(IdI(0), interes, 480, 240, 915, 315)
         << rateAndTime(QStringLiteral("Label18"), interes, 1440, 300, 1, 2)
         << field(IdI(1), interes, 1680, 240, 555, 315)
         << field(IdI(2), interes, 2820, 240, 375, 315) << okInteres(0, interes, 3405, 255)
         << label(QStringLiteral("Label19"), interes, QStringLiteral("C ="), 3975, 300, 315, 315)
         << field(IdI(3), interes, 4290, 240, 915, 315);

    // Compound interest.
    rows << label(QStringLiteral("Label22"), compost, QStringLiteral("c ="), 135, 480, 435, 315)
         << field(IdI(4), compost, 510, 420, 915, 315)
         << rateAndTime(QStringLiteral("Label21"), compost, 1455, 480, 5, 6)
         << field(IdI(5), compost, 1695, 420, 555, 315)
         << field(IdI(6), compost, 2835, 435, 375, 315) << okInteres(1, compost, 3420, 435)
         << label(QStringLiteral("Label20"), compost, QStringLiteral("C ="), 3990, 480, 315, 315)
         << field(IdI(7), compost, 4320, 420, 915, 315);

    // Annuities, two rows.
    rows << label(QStringLiteral("Label15"), anual, QStringLiteral(" capitalització"), 75, 345,
                  1395, 210, Look().colour(0, 0, 255))
         << label(QStringLiteral("Label24"), anual, QStringLiteral("C ="), 90, 660, 435, 315)
         << field(IdI(8), anual, 465, 570, 915, 315)
         << rateAndTime(QStringLiteral("Label23"), anual, 1530, 645, 9, 10)
         << field(IdI(9), anual, 1770, 585, 555, 315) << field(IdI(10), anual, 2925, 585, 375, 315)
         << okInteres(2, anual, 3495, 600)
         << label(QStringLiteral("Label25"), anual, QStringLiteral("a ="), 4065, 645, 315, 315)
         << field(IdI(11), anual, 4365, 585, 915, 315)
         << label(QStringLiteral("Label16"), anual, QStringLiteral("amortització"), 120, 1140, 1140,
                  210, Look().colour(255, 0, 0).withFont(Face::MsSansSerif, 9.75, false, true))
         << label(QStringLiteral("Label27"), anual, QStringLiteral("D ="), 75, 1425, 435, 315)
         << field(IdI(12), anual, 465, 1365, 915, 315)
         << rateAndTime(QStringLiteral("Label26"), anual, 1530, 1425, 13, 14)
         << field(IdI(13), anual, 1770, 1365, 555, 315)
         << field(IdI(14), anual, 2925, 1365, 375, 315) << okInteres(3, anual, 3495, 1380)
         << label(QStringLiteral("Label28"), anual, QStringLiteral("a ="), 4065, 1425, 315, 315)
         << field(IdI(15), anual, 4365, 1365, 915, 315);

    // The formula areas at the right of every section: passive help text that never changes.
    // The free face that stands in for "MS Sans Serif" sets the formula lines a few pixels
    // narrower, so an exponent left where it stood for that face would hang in the air or over
    // the following minus sign; each one stands instead right after the bracket or letter it
    // raises: Label37 at 7620 rather than 7680, Label40 at 7845 rather than 7875, Label42 at
    // 7545 rather than 7605 and Label49 at 7635 rather than 7725 (Label45 already fits).
    rows << box(QStringLiteral("Shape2"), aritm, 6525, 255, 1830, 1065)
         << formula(QStringLiteral("Label30"), aritm, QStringLiteral("an =a1+d(n-1)"), 6615, 375,
                    1500, 225, Centred | Clear)
         << formula(QStringLiteral("Label29"), aritm, QStringLiteral("Sn ="), 6615, 855, 555, 225,
                    Clear)
         << formula(QStringLiteral("Label31"), aritm, QStringLiteral("(a1+an) n"), 7155, 750, 990,
                    225, Centred | Clear)
         << fractionBar(QStringLiteral("Line1"), aritm, 7090, 990, 8140, 990)
         << formula(QStringLiteral("Label32"), aritm, QStringLiteral("2"), 7410, 1005, 420, 225,
                    Centred | Clear);

    rows << box(QStringLiteral("Shape1"), geom, 6435, 435, 1830, 1065)
         << formula(QStringLiteral("Label36"), geom, QStringLiteral("an =a1·r"), 6735, 555, 960,
                    225, Centred | Clear)
         << exponent(QStringLiteral("Label37"), geom, QStringLiteral("n-1"), 7620, 450, 375, 225,
                     Plain)
         << formula(QStringLiteral("Label34"), geom, QStringLiteral("Sn ="), 6540, 1035, 555, 225,
                    Clear)
         << formula(QStringLiteral("Label35"), geom, QStringLiteral("an·r - a1"), 7095, 945, 990,
                    225, Centred | Clear)
         << fractionBar(QStringLiteral("Line2"), geom, 7035, 1170, 8085, 1170)
         << formula(QStringLiteral("Label33"), geom, QStringLiteral("r-1"), 7335, 1185, 420, 225,
                    Centred | Clear);

    rows << box(QStringLiteral("Shape3"), interes, 6330, 210, 1830, 405)
         << formula(QStringLiteral("Label38"), interes, QStringLiteral("C = c (1+rt/100)"), 6465,
                    300, 1665, 225, Centred | Clear);

    rows << box(QStringLiteral("Shape4"), compost, 6345, 300, 1830, 495)
         << formula(QStringLiteral("Label39"), compost, QStringLiteral("C = c(1+r/100)"), 6435, 510,
                    1500, 225, Centred | Clear)
         << exponent(QStringLiteral("Label40"), compost, QStringLiteral("t"), 7845, 375, 210, 240,
                     Plain);

    rows << label(QStringLiteral("Label50"), anual, QStringLiteral("i = r/100"), 5190, 270, 900,
                  345, Look().colour(0, 0, 128).withFont(Face::MsSansSerif, 9.75, true).clear())
         << box(QStringLiteral("Shape5"), anual, 6105, 165, 2100, 810)
         << formula(QStringLiteral("Label41"), anual, QStringLiteral("a = "), 6270, 390, 360, 225,
                    Centred | Clear)
         << formula(QStringLiteral("Label43"), anual, QStringLiteral("C · i"), 7020, 300, 645, 195,
                    Plain)
         << fractionBar(QStringLiteral("Line3"), anual, 6630, 510, 8100, 510)
         << formula(QStringLiteral("Label44"), anual, QStringLiteral("(1+i)((1+i) - 1)"), 6660, 615,
                    1440, 240, Clear)
         << exponent(QStringLiteral("Label42"), anual, QStringLiteral("t"), 7545, 510, 210, 240,
                     Clear)
         << box(QStringLiteral("Shape6"), anual, 6090, 1095, 2100, 810)
         << formula(QStringLiteral("Label46"), anual, QStringLiteral("a = "), 6240, 1365, 360, 225,
                    Centred | Clear)
         << formula(QStringLiteral("Label47"), anual, QStringLiteral("D · i · (1+i) "), 6690, 1245,
                    1245, 300, Plain)
         << exponent(QStringLiteral("Label49"), anual, QStringLiteral("t"), 7635, 1140, 210, 240,
                     Clear)
         << fractionBar(QStringLiteral("Line4"), anual, 6600, 1485, 8070, 1485)
         << formula(QStringLiteral("Label48"), anual, QStringLiteral("(1+i) - 1"), 6780, 1620, 1065,
                    240, Clear)
         << exponent(QStringLiteral("Label45"), anual, QStringLiteral("t"), 7200, 1515, 210, 240,
                     Clear);

    return rows;
}

} // namespace

const QList<ControlSpec> &controls()
{
    static const QList<ControlSpec> rows = buildControls();
    return rows;
}

const QStringList &focusOrder()
{
    // The window's tab sequence, not the places on screen.
    static const QStringList order = {
        QStringLiteral("IdI(1)"),       QStringLiteral("IdI(0)"),       QStringLiteral("IdI(2)"),
        QStringLiteral("OkInteres(0)"), QStringLiteral("IdI(3)"),       QStringLiteral("IdI(7)"),
        QStringLiteral("OkInteres(1)"), QStringLiteral("IdI(6)"),       QStringLiteral("IdI(4)"),
        QStringLiteral("IdI(5)"),       QStringLiteral("IdI(9)"),       QStringLiteral("IdI(8)"),
        QStringLiteral("IdI(10)"),      QStringLiteral("OkInteres(2)"), QStringLiteral("IdI(11)"),
        QStringLiteral("IdI(13)"),      QStringLiteral("IdI(12)"),      QStringLiteral("IdI(14)"),
        QStringLiteral("OkInteres(3)"), QStringLiteral("IdI(15)"),      QStringLiteral("LstIntrp"),
        QStringLiteral("Okab"),         QStringLiteral("IdB"),          QStringLiteral("IdA"),
        QStringLiteral("IdK"),          QStringLiteral("Id(4)"),        QStringLiteral("Id(3)"),
        QStringLiteral("OkAr"),         QStringLiteral("Id(2)"),        QStringLiteral("Id(1)"),
        QStringLiteral("Id(0)"),        QStringLiteral("IdKg"),         QStringLiteral("IdAg"),
        QStringLiteral("IdBg"),         QStringLiteral("OkABg"),        QStringLiteral("Lstg"),
        QStringLiteral("Idg(5)"),       QStringLiteral("Idg(0)"),       QStringLiteral("Idg(1)"),
        QStringLiteral("Idg(2)"),       QStringLiteral("OkGe"),         QStringLiteral("Idg(3)"),
        QStringLiteral("Idg(4)"),
    };
    return order;
}

} // namespace tirel::layout
