// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/calculator.h"

#include "core/failure_message.h"

namespace tirel {

Calculator::Calculator(MessageSink &messages, const QLocale &locale)
    : messages_(messages), form_(locale), arithmetic_(form_, messages),
      arithmeticInterpolation_(form_, messages, arithmetic_), geometric_(form_, messages),
      geometricInterpolation_(form_, messages, geometric_), interest_(form_, messages)
{
}

void Calculator::edit(FieldId field, const QString &text)
{
    if (field == field::Idg(5))
        geometric_.editSum(text);
    else
        form_.setText(field, text);
}

void Calculator::pressOkAr()
{
    runFromButton(messages_, [this] { arithmetic_.OkAr_Click(); });
}

void Calculator::pressOkab()
{
    arithmeticInterpolation_.Okab_Click();
}

void Calculator::pressOkGe()
{
    runFromButton(messages_, [this] { geometric_.OkGe_Click(); });
}

void Calculator::pressOkABg()
{
    geometricInterpolation_.OkABg_Click();
}

void Calculator::pressOkInteres(int section)
{
    runFromButton(messages_, [this, section] { interest_.OkInteres_Click(section); });
}

void Calculator::clickIdg(int index)
{
    geometric_.Idg_Click(index);
}

} // namespace tirel
