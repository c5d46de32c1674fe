// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fonts.h"

#include <QStringList>
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
// face.
constexpr FaceMapping kMappings[] = {
    {Face::MsSansSerif, "MS Sans Serif", "Liberation Sans"},
    {Face::ArialNarrow, "Arial Narrow", "Liberation Sans Narrow"},
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
} // namespace

void installFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const FaceMapping &mapping : kMappings) {
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
    // The installed face first, so the choice does not hang on the substitution table.
    font.setFamilies(
        {QString::fromLatin1(mapping.installedName), QString::fromLatin1(mapping.layoutName)});
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
