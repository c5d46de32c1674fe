// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/menu_commands.h"

#include "about/about_dialog.h"
#include "platform/info_command.h"
#include "window/message_box_sink.h"

#include <QAction>
#include <QMainWindow>

namespace tirel {

namespace {
void OpInfo_Click(QMainWindow *window)
{
    MessageBoxSink messages(window);
    InfoCommand(messages, defaultInfoSearchDirectories()).start();
}

void OpQuant_Click(QMainWindow *window)
{
    frmAbout().show(window);
}
} // namespace

void connectMenuCommands(QMainWindow *window, QAction *opInfo, QAction *opQuant)
{
    QObject::connect(opInfo, &QAction::triggered, window, [window] { OpInfo_Click(window); });
    QObject::connect(opQuant, &QAction::triggered, window, [window] { OpQuant_Click(window); });
}

} // namespace tirel
