// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/number_text.h"
#include "invariants/invariants.h"

#include <QTest>

using namespace tirel;
using namespace tirel::invariants;

namespace {

QLocale localeNamed(const QString &name)
{
    return name == u"ca" ? QLocale(QLocale::Catalan, QLocale::Spain) : QLocale::c();
}

// C notation written in the locale's.
QString inLocale(QString text, const QLocale &locale)
{
    text.replace(u'.', locale.decimalPoint());
    return text;
}

// The numbers at the edges of a double, in C notation.
const QList<std::pair<const char *, const char *>> kEdges{
    {"largest", "1.7976931348623157E+308"},
    {"largest negative", "-1.7976931348623157E+308"},
    {"largest at 15 digits", "1.79769313486231E+308"},
    {"next to the largest", "1.797693134862315E+308"},
    {"1E+308", "1E+308"},
    {"-1E+308", "-1E+308"},
    {"1E-308", "1E-308"},
    {"-1E-308", "-1E-308"},
    {"smallest normal", "2.2250738585072014E-308"},
    {"largest subnormal", "2.225073858507201E-308"},
    {"smallest subnormal", "4.9406564584124654E-324"},
    {"negative subnormal", "-4.9406564584124654E-324"},
    {"minus zero", "-0"},
    {"minus zero with decimals", "-0.000"},
    {"square overflows", "1.5E+154"},
    {"beyond the largest", "1.8E+308"},
};

struct Solver {
    const char *name;
    Button button;
    QList<FieldId> fields;
    QStringList ordinary; // a consistent set of values for the fields, in C notation
    QStringList keys;     // the keys the solver's table takes, then keys it refuses
};

QList<Solver> solvers()
{
    using namespace field;
    return {
        {"OkAr",
         Button::OkAr,
         {Id(0), Id(1), Id(2), Id(3), Id(4)},
         {"1", "2", "5", "9", "25"},
         {"012", "023", "024", "123", "124", "234", "134"}},
        {"OkGe",
         Button::OkGe,
         {Idg(0), Idg(1), Idg(2), Idg(3), Idg(4)},
         {"8", "0.5", "3", "2", "14"},
         {"012", "023", "123", "124", "024", "234", "013"}},
        {"OkInteres(0)",
         Button::OkInteres0,
         {IdI(0), IdI(1), IdI(2), IdI(3)},
         {"200", "25", "2", "300"},
         {"012", "023", "123", "013"}},
        {"OkInteres(1)",
         Button::OkInteres1,
         {IdI(4), IdI(5), IdI(6), IdI(7)},
         {"5", "100", "3", "40"},
         {"012", "023", "123", "013"}},
        {"OkInteres(2)",
         Button::OkInteres2,
         {IdI(8), IdI(9), IdI(10), IdI(11)},
         {"600", "100", "2", "100"},
         {"012", "023", "123", "013"}},
        {"OkInteres(3)",
         Button::OkInteres3,
         {IdI(12), IdI(13), IdI(14), IdI(15)},
         {"300", "100", "2", "400"},
         {"012", "023", "123", "013"}},
    };
}

QStringList runAll(InvariantChecker &checker, const QList<Action> &actions)
{
    QStringList broken;
    for (const Action &action : actions) {
        for (const QString &b : checker.run(action))
            broken << describe(action) + QStringLiteral(": ") + b;
    }
    return broken;
}

} // namespace

class EdgeValuesTest : public QObject {
    Q_OBJECT

private slots:
    // Every edge value in every field of every solver: as one of the three givens of every key
    // the solver takes, of a key it refuses (nothing changes, or the interest rows write their
    // 0), and in a full group where it may be overwritten.
    void solverFields_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("solver");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("value");
        const QList<Solver> all = solvers();
        for (const char *locale : {"ca", "C"}) {
            for (qsizetype s = 0; s < all.size(); ++s) {
                QStringList keys = all[s].keys;
                keys << QString(); // every field filled
                for (const QString &key : keys) {
                    for (qsizetype p = 0; p < all[s].fields.size(); ++p) {
                        if (!key.isEmpty() && !key.contains(QChar(u'0' + static_cast<char16_t>(p))))
                            continue;
                        for (const auto &[edgeName, edge] : kEdges) {
                            QTest::addRow("%s %s key %s position %d %s", locale, all[s].name,
                                          key.isEmpty() ? "all" : qPrintable(key), int(p), edgeName)
                                << QString::fromLatin1(locale) << int(s) << key << int(p)
                                << QString::fromLatin1(edge);
                        }
                    }
                }
            }
        }
    }

    void solverFields()
    {
        QFETCH(QString, locale);
        QFETCH(int, solver);
        QFETCH(QString, key);
        QFETCH(int, position);
        QFETCH(QString, value);
        const Solver s = solvers()[solver];
        InvariantChecker checker(localeNamed(locale));
        const QLocale &loc = checker.locale();
        QList<Action> actions;
        for (qsizetype p = 0; p < s.fields.size(); ++p) {
            const bool filled =
                key.isEmpty() || key.contains(QChar(u'0' + static_cast<char16_t>(p)));
            if (!filled)
                continue;
            const QString text = p == position ? value : s.ordinary[p];
            actions << pasteInto(s.fields[p], inLocale(text, loc));
        }
        actions << press(s.button);
        const QStringList broken = runAll(checker, actions);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));

        // The edge value, if it is a number, is a given and keeps its text; beyond the largest
        // double it is no number: too few data, or a field the solve fills.
        const QString typed = inLocale(value, loc);
        const FieldId edgeField = s.fields[position];
        const bool isNumber = textToDouble(typed, loc).has_value();
        const QList<Message> &shown = checker.lastMessages();
        if (isNumber && !key.isEmpty()) {
            QCOMPARE(checker.calculator().form().text(edgeField), typed);
        } else if (!isNumber && !key.isEmpty()) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().title, QStringLiteral("Dades insuficients"));
        }
        // Pressed again, the solver meets its own results: still every invariant.
        const QStringList again = runAll(checker, {press(s.button)});
        QVERIFY2(again.isEmpty(), qPrintable(again.join(u'\n')));
    }

    // The 16-bit edges of K, for both interpolation lines: how many terms are listed, or the
    // one box when K + 2 cannot be formed.
    void interpolationCounts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<QString>("k");
        QTest::addColumn<int>("listed"); // -1: "Falten dades"
        const QList<std::tuple<const char *, const char *, int>> cases{
            {"largest K", "32765", 32765},
            {"K + 2 overflows", "32766", -1},
            {"largest 16-bit", "32767", -1},
            {"beyond 16 bits", "32768", -1},
            {"smallest 16-bit", "-32768", 0},
            {"below 16 bits", "-32769", -1},
            {"half below the largest K rounds to even", "32764.5", 32764},
            {"half above the largest K rounds to even", "32765.5", -1},
            {"half below the smallest rounds to even", "-32768.5", 0},
            {"half that rounds to the smallest", "-32767.5", 0},
            {"K + 1 is zero", "-1", -1},
            {"minus one half rounds to zero", "-0.5", 0},
            {"minus zero", "-0", 0},
            {"largest double", "1.7976931348623157E+308", -1},
            {"largest negative double", "-1.7976931348623157E+308", -1},
            {"beyond the largest double", "1.8E+308", -1},
            {"1E+308", "1E+308", -1},
            {"-1E+308", "-1E+308", -1},
            {"1E-308 rounds to zero", "1E-308", 0},
            {"-1E-308 rounds to zero", "-1E-308", 0},
            {"smallest subnormal", "4.9406564584124654E-324", 0},
            {"negative subnormal", "-4.9406564584124654E-324", 0},
            {"65536 does not wrap", "65536", -1},
            {"-65535 does not wrap", "-65535", -1},
        };
        for (const char *locale : {"ca", "C"}) {
            for (const bool geometric : {false, true}) {
                for (const auto &[name, k, listed] : cases) {
                    QTest::addRow("%s %s %s", locale, geometric ? "OkABg" : "Okab", name)
                        << QString::fromLatin1(locale) << geometric << QString::fromLatin1(k)
                        << listed;
                }
            }
        }
    }

    void interpolationCounts()
    {
        QFETCH(QString, locale);
        QFETCH(bool, geometric);
        QFETCH(QString, k);
        QFETCH(int, listed);
        using namespace field;
        InvariantChecker checker(localeNamed(locale));
        const QLocale &loc = checker.locale();
        const QList<Action> actions{
            pasteInto(geometric ? IdKg : IdK, inLocale(k, loc)),
            pasteInto(geometric ? IdAg : IdA, QStringLiteral("1")),
            pasteInto(geometric ? IdBg : IdB, QStringLiteral("2")),
            press(geometric ? Button::OkABg : Button::Okab),
        };
        const QStringList broken = runAll(checker, actions);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
        const QList<Message> &shown = checker.lastMessages();
        const QStringList &entries =
            checker.calculator().form().listEntries(geometric ? ListId::Lstg : ListId::LstIntrp);
        if (listed < 0) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().text, QStringLiteral("Falten dades"));
            QVERIFY(entries.isEmpty());
        } else {
            QVERIFY2(shown.isEmpty(), shown.isEmpty() ? "" : qPrintable(shown.first().text));
            QCOMPARE(entries.size(), listed);
            // The last term lies next to B, never beyond it.
            if (listed > 0) {
                const double last = textToDouble(entries.last(), loc).value_or(0.0);
                QVERIFY2(last > 1.0 && last < 2.0, qPrintable(entries.last()));
            }
        }
    }

    // The edge values at the ends A and B of both interpolation lines.
    void interpolationEnds_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        for (const char *locale : {"ca", "C"}) {
            for (const bool geometric : {false, true}) {
                for (const auto &[name, edge] : kEdges) {
                    for (const auto &[end, a, b] :
                         {std::tuple{"A", edge, "1"}, std::tuple{"B", "1", edge},
                          std::tuple{"A and B", edge, edge}}) {
                        QTest::addRow("%s %s %s %s", locale, geometric ? "OkABg" : "Okab", end,
                                      name)
                            << QString::fromLatin1(locale) << geometric << QString::fromLatin1(a)
                            << QString::fromLatin1(b);
                    }
                }
            }
        }
    }

    void interpolationEnds()
    {
        QFETCH(QString, locale);
        QFETCH(bool, geometric);
        QFETCH(QString, a);
        QFETCH(QString, b);
        using namespace field;
        InvariantChecker checker(localeNamed(locale));
        const QLocale &loc = checker.locale();
        const QList<Action> actions{
            pasteInto(geometric ? IdKg : IdK, QStringLiteral("3")),
            pasteInto(geometric ? IdAg : IdA, inLocale(a, loc)),
            pasteInto(geometric ? IdBg : IdB, inLocale(b, loc)),
            press(geometric ? Button::OkABg : Button::Okab),
            press(geometric ? Button::OkGe : Button::OkAr),
        };
        const QStringList broken = runAll(checker, actions);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
    }

    // The edge values typed into the S field over every state of the first term and ratio.
    void infiniteSum_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("a1");
        QTest::addColumn<QString>("r");
        QTest::addColumn<QString>("sum");
        for (const char *locale : {"ca", "C"}) {
            for (const auto &[name, edge] : kEdges) {
                for (const auto &[state, a1, r] :
                     {std::tuple{"a1 and r", "3", "0.5"}, std::tuple{"a1 only", "3", ""},
                      std::tuple{"r only", "", "0.5"}, std::tuple{"edge a1", edge, ""},
                      std::tuple{"edge r", "", edge}, std::tuple{"edge a1 with r", edge, "-0.5"}}) {
                    QTest::addRow("%s %s S %s", locale, state, name)
                        << QString::fromLatin1(locale) << QString::fromLatin1(a1)
                        << QString::fromLatin1(r) << QString::fromLatin1(edge);
                }
            }
        }
    }

    void infiniteSum()
    {
        QFETCH(QString, locale);
        QFETCH(QString, a1);
        QFETCH(QString, r);
        QFETCH(QString, sum);
        using namespace field;
        InvariantChecker checker(localeNamed(locale));
        const QLocale &loc = checker.locale();
        const QList<Action> actions{
            typeInto(Idg(0), inLocale(a1, loc)),
            typeInto(Idg(1), inLocale(r, loc)),
            clickIdg(5),
            typeInto(Idg(5), inLocale(sum, loc)),
            erase(Idg(5), 3),
            typeInto(Idg(1), inLocale(sum, loc)),
        };
        const QStringList broken = runAll(checker, actions);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
        QCOMPARE(checker.nestingBoundHits(), 0);
    }
};

QTEST_GUILESS_MAIN(EdgeValuesTest)
#include "edge_values_test.moc"
