// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the seed corpus: the calculator's everyday uses and its known hard corners, each as
// the bytes the fuzz target decodes (a locale byte, then the encoded actions).
//   tirel_fuzz_corpus <folder>
#include "invariants/action_language.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace tirel;
using namespace tirel::invariants;
using namespace tirel::field;

namespace {

struct Seed {
    const char *name;
    bool catalan;
    QList<Action> actions;
};

QList<Action> fill(const QList<FieldId> &fields, const QStringList &texts, Button button)
{
    QList<Action> actions;
    for (qsizetype i = 0; i < fields.size(); ++i)
        actions << pasteInto(fields[i], texts[i]);
    actions << press(button);
    return actions;
}

const QList<FieldId> kId{Id(0), Id(1), Id(2), Id(3), Id(4)};
const QList<FieldId> kIdg{Idg(0), Idg(1), Idg(2), Idg(3), Idg(4)};

QList<FieldId> interestRow(int row)
{
    return {IdI(4 * row), IdI(4 * row + 1), IdI(4 * row + 2), IdI(4 * row + 3)};
}

QList<Seed> seeds()
{
    return {
        {"arithmetic-012", false, fill(kId, {"1", "2", "5", "", ""}, Button::OkAr)},
        {"arithmetic-124-ca", true, fill(kId, {"", "2", "5", "", "25"}, Button::OkAr)},
        {"arithmetic-n-unknown", false, fill(kId, {"1", "2", "", "9", ""}, Button::OkAr)},
        {"arithmetic-divide-by-zero", true, fill(kId, {"1", "", "1", "9", ""}, Button::OkAr)},
        {"geometric-decreasing-ca", true, fill(kIdg, {"8", "0,5", "3", "", ""}, Button::OkGe)},
        {"geometric-023", false, fill(kIdg, {"1", "", "3", "4", ""}, Button::OkGe)},
        {"geometric-ratio-one", false, fill(kIdg, {"1", "1", "5", "", ""}, Button::OkGe)},
        {"geometric-typed-sum",
         false,
         {typeInto(Idg(0), "1"), typeInto(Idg(1), "0.1"), typeInto(Idg(1), "5", false)}},
        {"sum-into-first-term-ca",
         true,
         {typeInto(Idg(0), "3"), typeInto(Idg(5), "6"), typeInto(Idg(5), "0", false),
          erase(Idg(5), 2), typeInto(Idg(5), "1")}},
        {"typed-stays-beside-sum-ca",
         true,
         {typeInto(Idg(1), "0,3"), typeInto(Idg(0), "9,5"), typeInto(Idg(0), "10"),
          typeInto(Idg(1), "0,1"), typeInto(Idg(2), "5"), press(Button::OkGe),
          typeInto(Idg(0), "3"), typeInto(Idg(1), ""), typeInto(Idg(5), "75")}},
        {"click-sum",
         false,
         {pasteInto(Idg(0), "2"), pasteInto(Idg(1), "2"), pasteInto(Idg(2), "4"),
          press(Button::OkGe), clickIdg(5), typeInto(Idg(5), "-1,5"), clickIdg(5)}},
        {"interest-rows-ca", true,
         fill(interestRow(0), {"200", "25", "2", ""}, Button::OkInteres0) +
             fill(interestRow(1), {"5", "100", "3", ""}, Button::OkInteres1) +
             fill(interestRow(2), {"600", "100", "2", ""}, Button::OkInteres2) +
             fill(interestRow(3), {"300", "100", "2", ""}, Button::OkInteres3)},
        {"interest-refusals", false,
         fill(interestRow(1), {"5", "100", "", "40"}, Button::OkInteres1) +
             fill(interestRow(3), {"300", "", "2", "400"}, Button::OkInteres3) +
             fill(interestRow(2), {"600", "0", "2", ""}, Button::OkInteres2)},
        {"arithmetic-interpolation-ca",
         true,
         {pasteInto(IdK, "3"), pasteInto(IdA, "2"), pasteInto(IdB, "10"), press(Button::Okab),
          listText(ListId::LstIntrp, "7"), pasteInto(IdK, "-1"), press(Button::Okab)}},
        {"geometric-interpolation",
         false,
         {pasteInto(IdKg, "3"), pasteInto(IdAg, "1"), pasteInto(IdBg, "16"), press(Button::OkABg),
          pasteInto(IdKg, "2"), pasteInto(IdAg, "5"), pasteInto(IdBg, "5"), press(Button::OkABg)}},
        {"largest-double-ca", true,
         fill(kIdg, {"1,7976931348623157E+308", "0,5", "3", "", ""}, Button::OkGe) +
             fill(kId, {"1E+308", "1E+308", "3", "", ""}, Button::OkAr)},
        {"subnormal-and-minus-zero", false,
         fill(kIdg, {"4.9406564584124654E-324", "-0", "2", "", ""}, Button::OkGe) +
             fill(interestRow(0), {"-0", "1E-308", "2.2250738585072014E-308", ""},
                  Button::OkInteres0)},
        {"long-texts",
         false,
         {pasteInto(Idg(5), QString(255, u'9')), pasteInto(Id(0), QString(255, u',')),
          typeInto(IdK, "3276" + QString(60, u'5')), press(Button::OkAr), press(Button::Okab)}},
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    for (const Seed &seed : seeds()) {
        for (const Action &action : seed.actions) {
            if (!encodable(action.text)) {
                std::fprintf(stderr, "%s: cannot encode %s\n", seed.name,
                             qPrintable(describe(action)));
                return 1;
            }
        }
        QFile file(folder.filePath(QString::fromLatin1(seed.name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        file.write(QByteArray(1, seed.catalan ? '\1' : '\0') + encode(seed.actions));
    }
    return 0;
}
