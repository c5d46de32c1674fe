// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fonts.h"

#include "platform/faces.h"

#include <QStringList>
#include <array>
#include <cmath>
#include <mutex>

namespace tirel {

namespace {
struct FaceMapping {
    Face face;
    const char *layoutName;
    const char *installedName;
};

// Without these, fontconfig picks DejaVu Sans, which is wider, and a poor stand-in for the comic
// face. The narrow face is URW's, with the narrow metrics the layout was drawn for, the same files
// in every Debian release (Liberation Sans Narrow left Liberation with its version 2). Its package
// also holds Type 1 copies, which fontconfig lists under the foundry "urw"; Qt would pick either,
// so the foundry fontconfig gives the OpenType file (its vendor code, UKWN) names the one drawn
// everywhere. Where a platform knows no foundries, Qt ignores the bracket.
constexpr FaceMapping kMappings[] = {
    {Face::MsSansSerif, "MS Sans Serif", "Liberation Sans"},
    {Face::ArialNarrow, "Arial Narrow", "Nimbus Sans Narrow [UKWN]"},
    {Face::ComicSansMs, "Comic Sans MS", "Comic Neue"},
};

const FaceMapping &mappingOf(Face face)
{
    for (const FaceMapping &mapping : kMappings) {
        if (mapping.face == face)
            return mapping;
    }
    return kMappings[0];
}

// Decided once: the list of installed faces does not change while the program runs.
bool layoutFaceUsed(const FaceMapping &mapping)
{
    static const auto used = [] {
        std::array<bool, std::size(kMappings)> faces{};
        for (std::size_t i = 0; i < faces.size(); ++i)
            faces[i] = useLayoutFace(QString::fromLatin1(kMappings[i].layoutName));
        return faces;
    }();
    return used[static_cast<std::size_t>(&mapping - kMappings)];
}
} // namespace

void installFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        addCarriedFaces();
        for (const FaceMapping &mapping : kMappings) {
            if (layoutFaceUsed(mapping))
                continue;
            QFont::insertSubstitution(QString::fromLatin1(mapping.layoutName),
                                      QString::fromLatin1(mapping.installedName));
        }
    });
}

int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 4.0 / 3.0));
}

QFont layoutFont(Face face, double points, bool bold, bool underline)
{
    const FaceMapping &mapping = mappingOf(face);
    QFont font;
    const QString layoutName = QString::fromLatin1(mapping.layoutName);
    const QString installedName = QString::fromLatin1(mapping.installedName);
    // The face that is meant first, so the choice does not hang on the substitution table: the
    // layout's own where the platform uses it, else its free stand-in.
    if (layoutFaceUsed(mapping))
        font.setFamilies({layoutName, installedName});
    else
        font.setFamilies({installedName, layoutName});
    font.setPixelSize(pointsToPixels(points));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(underline);
    return font;
}

QFont windowFont()
{
    return layoutFont(Face::MsSansSerif, 9.75);
}

} // namespace tirel
