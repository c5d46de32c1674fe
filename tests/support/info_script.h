// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Info.bat files for the tests in the language the platform runs them with: a shell script where
// the program starts the file itself, a batch file for the command interpreter on Windows.
#include <QByteArray>
#include <QDir>
#include <QString>

namespace tirel::test {

inline QByteArray quotedPath(const QString &path)
{
#ifdef Q_OS_WIN
    return '"' + QDir::toNativeSeparators(path).toLocal8Bit() + '"';
#else
    return '\'' + path.toUtf8() + '\'';
#endif
}

// Leaves a mark, so a test can see it ran. The mark appears whole, by a rename, so a test that
// sees it never reads it half written.
inline QByteArray markingScript(const QString &mark, const QByteArray &text)
{
    const QByteArray part = quotedPath(mark + QStringLiteral(".part"));
    const QByteArray whole = quotedPath(mark);
#ifdef Q_OS_WIN
    return "@echo off\r\necho " + text + "> " + part + "\r\nmove /y " + part + ' ' + whole +
           " >nul\r\n";
#else
    return "#!/bin/sh\necho " + text + " > " + part + " && mv " + part + ' ' + whole + "\n";
#endif
}

// Writes text into mark with the interpreter's own echo alone, so it runs whatever PATH holds.
inline QByteArray echoScript(const QString &mark, const QByteArray &text)
{
#ifdef Q_OS_WIN
    return "@echo off\r\necho " + text + "> " + quotedPath(mark) + "\r\n";
#else
    return "#!/bin/sh\necho " + text + " > " + quotedPath(mark) + "\n";
#endif
}

// Marks started, writes to its output, waits up to a minute for release to appear, then marks
// finished.
inline QByteArray waitingScript(const QString &started, const QString &release,
                                const QString &finished)
{
#ifdef Q_OS_WIN
    return "@echo off\r\necho started> " + quotedPath(started) +
           "\r\necho output on the null device\r\nset i=0\r\n:wait\r\nif exist " +
           quotedPath(release) +
           " goto finish\r\nset /a i=i+1\r\nif %i% geq 60 goto finish\r\n"
           "ping -n 2 127.0.0.1 >nul\r\ngoto wait\r\n:finish\r\necho finished> " +
           quotedPath(finished) + "\r\n";
#else
    return "#!/bin/sh\necho started > " + quotedPath(started) +
           "\necho output on the null device\ni=0\nwhile [ ! -e " + quotedPath(release) +
           " ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i+1)); done\necho finished > " +
           quotedPath(finished) + "\n";
#endif
}

} // namespace tirel::test
