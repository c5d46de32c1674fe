// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/info_command.h"

#include "window/info_command_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <utility>

namespace tirel {

Message infoFailedMessage()
{
    return {QStringLiteral("Info"), QStringLiteral("No s'ha pogut iniciar Info.bat"),
            MessageIcon::Warning};
}

QStringList infoSearchDirectories(const QString &programDir, const QString &pathVariable)
{
    QStringList directories;
    if (!programDir.isEmpty() && QDir::isAbsolutePath(programDir))
        directories.append(QDir::cleanPath(programDir));
    for (const QString &entry : pathVariable.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(entry))
            directories.append(QDir::cleanPath(entry));
    }
    return directories;
}

QStringList defaultInfoSearchDirectories()
{
    return infoSearchDirectories(QCoreApplication::applicationDirPath(),
                                 qEnvironmentVariable("PATH"));
}

InfoCommand::InfoCommand(MessageSink &messages, QStringList searchDirectories)
    : messages_(messages), searchDirectories_(std::move(searchDirectories))
{
}

QString InfoCommand::locate() const
{
    // Never an empty list: findExecutable would then search the system PATH as it is.
    if (searchDirectories_.isEmpty())
        return {};
    return QStandardPaths::findExecutable(kInfoProgram, searchDirectories_);
}

bool InfoCommand::start()
{
    const QString program = locate();
    const bool started = !program.isEmpty() && startInfoProcess(program);
    if (!started)
        messages_.showMessage(infoFailedMessage());
    return started;
}

} // namespace tirel
