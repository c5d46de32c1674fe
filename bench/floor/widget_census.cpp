// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "floor/widget_census.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>

namespace tirel::bench {

namespace {
// The window's own passive pieces are plain widgets that paint themselves; the floor uses the
// stock widgets that look alike.
void countOne(const QWidget *widget, WidgetCensus &census, QStringList *unknown)
{
    if (qobject_cast<const QComboBox *>(widget)) {
        ++census.combos;
        return; // its text line and list belong to it
    }
    if (qobject_cast<const QLineEdit *>(widget))
        ++census.fields;
    else if (qobject_cast<const QPushButton *>(widget))
        ++census.buttons;
    else if (qobject_cast<const QLabel *>(widget))
        ++census.labels;
    else if (widget->inherits("tirel::FrameBox") || qobject_cast<const QGroupBox *>(widget))
        ++census.frames;
    else if (widget->inherits("tirel::BoxShape"))
        ++census.boxes;
    else if (widget->inherits("tirel::LineShape"))
        ++census.lines;
    else if (const auto *frame = qobject_cast<const QFrame *>(widget)) {
        if (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine)
            ++census.lines;
        else
            ++census.boxes;
    } else if (unknown)
        unknown->append(QString::fromLatin1(widget->metaObject()->className()));

    for (const QObject *child : widget->children()) {
        if (child->isWidgetType())
            countOne(static_cast<const QWidget *>(child), census, unknown);
    }
}
} // namespace

WidgetCensus countWidgets(const QMainWindow &window, QStringList *unknown)
{
    WidgetCensus census;
    if (const QMenuBar *bar = window.menuBar()) {
        for (const QAction *action : bar->actions()) {
            if (const QMenu *menu = action->menu()) {
                ++census.menus;
                for (const QAction *item : menu->actions())
                    census.actions += item->isSeparator() ? 0 : 1;
            }
        }
    }
    if (const QWidget *client = window.centralWidget()) {
        for (const QObject *child : client->children()) {
            if (child->isWidgetType())
                countOne(static_cast<const QWidget *>(child), census, unknown);
        }
    }
    return census;
}

} // namespace tirel::bench
