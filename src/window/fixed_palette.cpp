// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fixed_palette.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <iterator>

namespace tirel {

namespace {
struct RoleColours {
    QPalette::ColorRole role;
    QRgb active; // also the inactive group's colour
    QRgb disabled;
};

constexpr QRgb kHighlight = 0xff308cc6;
constexpr QRgb kHighlightDisabled = 0xff919191;

// The light default look, written out rather than asked of a style: newer styles derive their
// standard palette from the desktop's colour scheme. Disabled text is the classic grey that
// greys out "S =" and "decreixent".
constexpr RoleColours kRoles[] = {
    {QPalette::WindowText, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xffefefef, 0xffefefef},
    {QPalette::Light, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xffefefef},
    {QPalette::Window, 0xffefefef, 0xffefefef},
    {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, kHighlight, kHighlightDisabled},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::NoRole, 0xff000000, 0xff000000},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // Qt 6.6 added the accent role, which newer styles draw checked and selected parts with; Qt
    // defaults it to the highlight, and so does this look, so both Qt versions draw alike.
    {QPalette::Accent, kHighlight, kHighlightDisabled},
#endif
};
static_assert(std::size(kRoles) == QPalette::NColorRoles, "every role has its colour");

// The style the window is drawn with under the default desktop.
constexpr auto kStyleName = "Fusion";
} // namespace

QPalette fixedPalette()
{
    QPalette palette;
    for (const RoleColours &colours : kRoles) {
        palette.setColor(QPalette::Active, colours.role, QColor::fromRgba(colours.active));
        palette.setColor(QPalette::Inactive, colours.role, QColor::fromRgba(colours.active));
        palette.setColor(QPalette::Disabled, colours.role, QColor::fromRgba(colours.disabled));
    }
    return palette;
}

void applyFixedPalette(QWidget *window)
{
    window->setPalette(fixedPalette());
}

void pinFixedStyle(QWidget *window)
{
    // One instance for the whole run; a widget does not own the style it is given.
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QString::fromLatin1(kStyleName));
        if (!style)
            return;
        style->setParent(QCoreApplication::instance());
    }
    // A widget's style reaches none of its children, so each gets it.
    window->setStyle(style);
    for (QWidget *child : window->findChildren<QWidget *>())
        child->setStyle(style);
}

} // namespace tirel
