// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the platform runs the Info.bat that was found.
#include <QString>

class QProcess;

namespace tirel {

// Sets the program, arguments and start flags that run the batch file at batchPath, an absolute
// path, with no console window of its own.
void prepareInfoProcess(QProcess &process, const QString &batchPath);

} // namespace tirel
