// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The cases of the infinite-sum display, one table run through the core (InfiniteSumTest::display)
// and through the real widgets (GeometricTypingTest::typing). Columns: the locale ("c" or "ca",
// Catalan of Spain), the user's actions on the geometric section, then the six texts and whether
// the display is on. Each action:
//   "1+0.5"   type 0.5 at the end of field 1, key by key ("0", "0.", "0.5")
//   "5=10"    select all of field 5 and type 10 over it ("1", "10")
//   "0!1E308" paste 1E308 over all of field 0 (one change)
//   "0<"      delete field 0 with backspace, one character at a time
//   "click5"  a mouse press in field 5
//   "ok"      a press of the section's "Ok"
#include <QStringList>
#include <QTest>

namespace tirel::test {

inline void addInfiniteSumRows()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("on");

    auto row = [](const char *name, const QStringList &actions, const QStringList &texts, bool on,
                  const char *locale = "c") {
        QTest::newRow(name) << QString::fromLatin1(locale) << actions << texts << on;
    };
    row("start", {}, {"", "", "", "", "", ""}, false);
    row("a1 alone: empty ratio counts as 0", {"0+2"}, {"2", "", "", "", "", ""}, true);
    row("a1 then r", {"0+2", "1+0.5"}, {"2", "0.5", "", "", "", "4"}, true);
    row("negative ratio", {"0+3", "1+-0.5"}, {"3", "-0.5", "", "", "", "2"}, true);
    row("r = 1", {"0+2", "1+1"}, {"2", "1", "", "", "", ""}, false);
    row("r = -1", {"0+2", "1+-1"}, {"2", "-1", "", "", "", ""}, false);
    row("r = 1 without a1", {"1+1"}, {"", "1", "", "", "", ""}, false);
    row("r = -1 without a1", {"1+-1"}, {"", "-1", "", "", "", ""}, false);
    row("r = 1 over a sum", {"0+2", "1+0.5", "1=1"}, {"2", "1", "", "", "", ""}, false);
    row("r = 0.1: a1 stays beside the rounded sum", {"0+1", "1+0.1"},
        {"1", "0.1", "", "", "", "1.11111111111111"}, true);
    row("a1 emptied keeps the last sum", {"0+2", "1+0.5", "0<"}, {"", "0.5", "", "", "", "4"},
        true);
    row("click on empty S even for r = 2", {"0+3", "1+2", "2+4", "3+24", "4+45", "click5"},
        {"3", "2", "", "", "", ""}, true);
    row("click on S holding a sum", {"0+2", "1+0.5", "2+3", "click5"},
        {"2", "0.5", "3", "", "", "4"}, true);
    row("clicks elsewhere do nothing", {"0+3", "1+2", "2+4", "click0", "click2", "click4"},
        {"3", "2", "4", "", "", ""}, false);
    row("S = 6 gives r", {"0+3", "5+6"}, {"3", "0.5", "", "", "", "6"}, true);
    row("S continued to 60 gives a1", {"0+3", "5+6", "5+0"}, {"30", "0.5", "", "", "", "60"}, true);
    row("S = 1 gives r = -2 and the display off", {"0+3", "5+1"}, {"3", "-2", "", "", "", ""},
        false);
    row("S with a1 empty gives a1", {"1+0.5", "5+6"}, {"3", "0.5", "", "", "", "6"}, true);
    row("S replaced by 10", {"0+3", "1+0.5", "5=10"}, {"5", "0.5", "", "", "", "10"}, true);
    row("lone minus ratio counts as filled", {"1+-", "5+4"}, {"4", "-", "", "", "", "4"}, true);
    row("n, an, Sn change nothing", {"0+2", "1+0.5", "2+3", "3+0.5", "4+3.5"},
        {"2", "0.5", "3", "0.5", "3.5", "4"}, true);
    row("S with a1 and r empty", {"5+7"}, {"", "", "", "", "", "7"}, false);
    // Texts in S that are not numbers recompute nothing.
    row("minus first in S", {"0+3", "5+-"}, {"3", "", "", "", "", "-"}, true);
    row("negative S", {"0+3", "5+-2"}, {"3", "2.5", "", "", "", ""}, false);
    row("separator first in S", {"1+0.5", "5+."}, {"", "0.5", "", "", "", "."}, true);
    row("S deleted", {"0+3", "1+0.5", "5<"}, {"3", "0.5", "", "", "", ""}, true);
    // Numeric failures end the handling without a box.
    row("S = 0 with r empty", {"0+3", "5+0"}, {"3", "", "", "", "", "0"}, true);
    row("sum overflows: S emptied", {"0+2", "1+0.5", "0!1E308"}, {"1E308", "0.5", "", "", "", ""},
        true);
    row("a1 from S overflows", {"1+-0.9", "5!1E308"}, {"", "-0.9", "", "", "", "1E308"}, true);
    row("product of a1 and r overflows", {"0!1E308", "1!1E10"}, {"1E308", "1E10", "", "", "", ""},
        false);
    row("comma: r = 0,1", {"0+1", "1+0,1"}, {"1", "0,1", "", "", "", "1,11111111111111"}, true,
        "ca");
    // What the user types stays as typed: a sum the program writes is only shown, and the sum
    // of a typed S is not written over it.
    row("comma: a1 typed beside r", {"1+0,3", "0+9,5"},
        {"9,5", "0,3", "", "", "", "13,5714285714286"}, true, "ca");
    row("comma: r typed beside a1", {"0+10", "1+0,1"},
        {"10", "0,1", "", "", "", "11,1111111111111"}, true, "ca");
    row("comma: a solve from typed a1 and r", {"0+10", "1+0,1", "2+5", "ok"},
        {"10", "0,1", "5", "0,001", "11,111", "11,1111111111111"}, true, "ca");
    row("comma: S typed with r empty", {"0+3", "5+7"}, {"3", "0,571428571428571", "", "", "", "7"},
        true, "ca");
    row("comma: S typed on", {"0+3", "5+75"},
        {"32,1428571428572", "0,571428571428571", "", "", "", "75"}, true, "ca");
    row("comma: S = 1 gives r = -2 and the display off", {"0+3", "5+1"},
        {"3", "-2", "", "", "", ""}, false, "ca");
    row("comma: a solve keeps its given a1 beside the sum", {"0+1", "2+3", "3+0,01", "ok"},
        {"1", "0,1", "3", "0,01", "1,11", "1,11111111111111"}, true, "ca");
    row("comma: S = 6 gives r", {"0+3", "5+6"}, {"3", "0,5", "", "", "", "6"}, true, "ca");
    row("comma: separator first in S", {"1+0,5", "5+,"}, {"", "0,5", "", "", "", ","}, true, "ca");
    row("comma: a point is no separator", {"0+2", "1+0.5"}, {"2", "0.5", "", "", "", ""}, true,
        "ca");
}

} // namespace tirel::test
