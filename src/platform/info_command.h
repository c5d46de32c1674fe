// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The "Info" command: looks for the batch file Info.bat beside the program or along PATH, starts
// it detached and silent as the platform runs a batch file, and says so in a box when it cannot.
#include "core/message.h"

#include <QString>
#include <QStringList>

namespace tirel {

inline const QString kInfoProgram = QStringLiteral("Info.bat");

// "Info" / "No s'ha pogut iniciar Info.bat", with the warning icon.
Message infoFailedMessage();

// Where Info.bat is looked for, in order: the program's own folder, then the absolute folders of
// a PATH value. Empty and relative PATH entries would name the current folder, which could hold
// anybody's Info.bat, so they are left out.
QStringList infoSearchDirectories(const QString &programDir, const QString &pathVariable);
// The program's folder and this process's PATH.
QStringList defaultInfoSearchDirectories();

class InfoCommand {
public:
    InfoCommand(MessageSink &messages, QStringList searchDirectories);

    // The first executable Info.bat in the search folders, or empty.
    QString locate() const;
    // Starts it without waiting, with no terminal or console window and its input and output on the
    // null device; a browser starts no program, and opens the page's help page instead when the
    // page has one. Returns whether it started or opened; when it did not, the box has been shown.
    bool start();

private:
    MessageSink &messages_;
    QStringList searchDirectories_;
};

} // namespace tirel
