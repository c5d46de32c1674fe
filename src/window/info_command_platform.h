// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the platform runs the Info.bat that was found.
#include <QString>

namespace tirel {

// Starts the batch file at batchPath, an absolute path, without waiting, with no console window
// of its own and its input and output on the null device. Returns whether it started: it fails
// as well when the file cannot be executed (no interpreter line, wrong format), and always in a
// browser, which starts no program.
bool startInfoProcess(const QString &batchPath);

} // namespace tirel
