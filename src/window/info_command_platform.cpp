// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/info_command_platform.h"

#include <QtGlobal>

#if QT_CONFIG(process)
#include <QDir>
#include <QProcess>
#endif

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace tirel {

#ifdef Q_OS_WIN
namespace {
// The command line that makes the interpreter run the batch file and nothing else: /d skips
// AutoRun commands; with /s it drops the outer pair of quotes and keeps the path quoted whole,
// so blanks, "&" or "^" in a folder name stay part of the path.
QString interpreterArguments(const QString &batchPath)
{
    return QStringLiteral("/d /s /c \"\"%1\"\"").arg(QDir::toNativeSeparators(batchPath));
}
} // namespace
#endif

bool startInfoProcess(const QString &batchPath)
{
#if QT_CONFIG(process)
    QProcess process;
#ifdef Q_OS_WIN
    // A batch file is no program: the command interpreter of the system folder runs it, never
    // a cmd.exe that happens to lie in the current folder or earlier along PATH.
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const QString systemDir =
        length > 0 && length < MAX_PATH ? QString::fromWCharArray(system, int(length)) : QString();
    process.setProgram(systemDir.isEmpty() ? QString()
                                           : QDir(systemDir).filePath(QStringLiteral("cmd.exe")));
    process.setNativeArguments(interpreterArguments(batchPath));
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->flags |= CREATE_NO_WINDOW;
        arguments->flags &= ~DWORD(CREATE_NEW_CONSOLE | DETACHED_PROCESS);
    });
#else
    process.setProgram(batchPath);
#endif
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
#else
    Q_UNUSED(batchPath);
    return false;
#endif
}

} // namespace tirel
