// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How a line edit shows its text: a text the program sets is read from its first character, as a
// text box shows the text its program sets; a number the program wrote that is wider than the
// line edit is drawn rounded to what fits while the user is not editing it; and a text wider than
// the line edit can be read whole in its tooltip.
#include <QLocale>
#include <QString>

class QLineEdit;

namespace tirel {

// Sets a text the program wrote. The line edit the user is typing in keeps its cursor where the
// typing left it (or at the end of a shorter text); any other shows the text from its start.
void showWrittenText(QLineEdit *edit, const QString &text, bool userIsTyping);

// From now on, whatever changes the text or the line edit's size:
// - the tooltip is the whole text while the text is wider than what the line edit can show, and
//   empty otherwise;
// - while the line edit is not the one the keyboard types into, a text that showWrittenText set
//   and that is a number in the locale, too wide for the line edit, is drawn rounded to the most
//   significant digits that fit (fittedNumberText), or as "#" where not even one digit and its
//   exponent fit. The text itself stays whole: copying, reading and screen readers get every
//   digit. Text the user typed, and text that is not a number, is drawn as it is.
void trackShownText(QLineEdit *edit, const QLocale &locale);

} // namespace tirel
