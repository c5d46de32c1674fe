// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How a line edit shows its text: a text the program sets is read from its first character, as a
// text box shows the text its program sets, and a text wider than the line edit can be read whole
// in its tooltip.
#include <QString>

class QLineEdit;

namespace tirel {

// Sets a text the program wrote. The line edit the user is typing in keeps its cursor where the
// typing left it (or at the end of a shorter text); any other shows the text from its start.
void showWrittenText(QLineEdit *edit, const QString &text, bool userIsTyping);

// From now on the line edit's tooltip is its whole text while the text is wider than what the
// line edit can show, and empty otherwise, whatever changes the text or the line edit's size.
void trackOverflowToolTip(QLineEdit *edit);

} // namespace tirel
