// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/info_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <utility>

#if QT_CONFIG(process)
#include <QProcess>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif
#ifdef Q_OS_WASM
#include <emscripten/val.h>
#endif

namespace tirel {

namespace {

// Starts the batch file at batchPath, an absolute path, without waiting, with no console window
// of its own and its input and output on the null device. Returns whether it started: it fails
// as well when the file cannot be executed (no interpreter line, wrong format).
#if defined(Q_OS_WIN) && QT_CONFIG(process)

// The command line that makes the interpreter run the batch file and nothing else: /d skips
// AutoRun commands; with /s it drops the outer pair of quotes and keeps the path quoted whole,
// so blanks, "&" or "^" in a folder name stay part of the path.
QString interpreterArguments(const QString &batchPath)
{
    return QStringLiteral("/d /s /c \"\"%1\"\"").arg(QDir::toNativeSeparators(batchPath));
}

bool startInfoProcess(const QString &batchPath)
{
    QProcess process;
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
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

#elif QT_CONFIG(process) // Linux: the file's own interpreter line runs it

bool startInfoProcess(const QString &batchPath)
{
    QProcess process;
    process.setProgram(batchPath);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

#else // a browser, which starts no program

bool startInfoProcess(const QString &)
{
    return false;
}

#endif

#ifdef Q_OS_WASM

// The page opens the program's help page in a tab of its own when its folder has one
// (dist/web/tirel-page.js). Returns whether it did.
bool openHelpPage()
{
    const emscripten::val open = emscripten::val::module_property("tirelOpenHelp");
    return !open.isUndefined() && open().as<bool>();
}

#else // Linux and Windows start Info.bat

bool openHelpPage()
{
    return false;
}

#endif

} // namespace

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
    if (openHelpPage())
        return true;
    const QString program = locate();
    const bool started = !program.isEmpty() && startInfoProcess(program);
    if (!started)
        messages_.showMessage(infoFailedMessage());
    return started;
}

} // namespace tirel
