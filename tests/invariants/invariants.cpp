// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "invariants/invariants.h"

#include "core/number_text.h"

#include <algorithm>
#include <optional>

namespace tirel::invariants {

namespace {

using Kind = Event::Kind;

// The boxes each press may show, as the user reads them.
const Message kTooFew{QStringLiteral("Dades insuficients"),
                      QStringLiteral("Són necessàries 3 dades"), MessageIcon::Warning};
const Message kArithmeticUnknownN{QStringLiteral("n no pot ser incògnita"),
                                  QStringLiteral("n ha de ser enter"), MessageIcon::None};
const Message kGeometricUnknownN{QStringLiteral("n no pot ser incògnita"),
                                 QStringLiteral("n ha de ser enter"), MessageIcon::Warning};
const Message kA1AnSn{QStringLiteral("Cas no contemplat"), QStringLiteral("(Dades: a1, an, Sn)"),
                      MessageIcon::Warning};
const Message kNAnSn{QStringLiteral("Cas no contemplat"), QStringLiteral("(Dades: n, an, Sn)"),
                     MessageIcon::Warning};
const Message kMissingT{QStringLiteral("Cas no contemplat"), QStringLiteral("Falta t"),
                        MessageIcon::Warning};
const Message kMissingRate{QStringLiteral("Cas no contemplat"),
                           QStringLiteral("Eqüació difícil de resoldre"), MessageIcon::None};
const Message kInterpolationFailed{QStringLiteral("No es pot calcular"),
                                   QStringLiteral("Falten dades"), MessageIcon::Warning};

bool isCalculationError(const Message &m)
{
    static const QStringList texts{QStringLiteral("Divisió per zero"),
                                   QStringLiteral("Desbordament"),
                                   QStringLiteral("Operació no vàlida")};
    return m.title == u"Error de càlcul" && texts.contains(m.text) &&
           m.icon == MessageIcon::Warning;
}

QString show(const Message &m)
{
    return QStringLiteral("\"%1\" / \"%2\"%3")
        .arg(m.title, m.text,
             m.icon == MessageIcon::Warning ? QStringLiteral(" (warning)") : QString());
}

QString show(const QList<Message> &messages)
{
    QStringList parts;
    for (const Message &m : messages)
        parts << show(m);
    return parts.isEmpty() ? QStringLiteral("no box") : parts.join(QStringLiteral(", "));
}

QString quote(const QString &text)
{
    return text.size() > 60 ? QStringLiteral("\"%1...\"").arg(text.left(60)) : u'"' + text + u'"';
}

bool holdsNumber(const QString &text, const QLocale &locale)
{
    return !text.isEmpty() && textToDouble(text, locale).has_value();
}

QList<FieldId> range(FieldId (*make)(int), int first, int count)
{
    QList<FieldId> ids;
    for (int i = first; i < first + count; ++i)
        ids << make(i);
    return ids;
}

constexpr FieldId idField(int i)
{
    return field::Id(i);
}
constexpr FieldId idgField(int i)
{
    return field::Idg(i);
}
constexpr FieldId idIField(int i)
{
    return field::IdI(i);
}

int interestRow(Button button)
{
    return static_cast<int>(button) - static_cast<int>(Button::OkInteres0);
}
bool isInterest(Button button)
{
    return static_cast<int>(button) >= static_cast<int>(Button::OkInteres0);
}

// The fields a solver reads, in position order.
QList<FieldId> solverGroup(Button button)
{
    switch (button) {
    case Button::OkAr:
    case Button::Okab:
        return range(idField, 0, 5);
    case Button::OkGe:
    case Button::OkABg:
        return range(idgField, 0, 5);
    default:
        return range(idIField, 4 * interestRow(button), 4);
    }
}

// What an action may change: the fields, the lists (entries and text line), the display.
struct Reach {
    QList<FieldId> fields;
    std::optional<ListId> list;
    bool listEntries = false;
    bool display = false;
};

Reach reachOf(const Action &action)
{
    Reach reach;
    switch (action.kind) {
    case ActionKind::Type:
    case ActionKind::Paste:
    case ActionKind::Erase: {
        // An edit of the first term or the ratio shows the sum beside them; one of the sum
        // gives the first term or the ratio; each may switch the display. An edit of n, an or
        // Sn only refreshes the slots.
        const FieldId id{action.target};
        const int index = field::isIdg(id) ? field::idgIndex(id) : -1;
        if (index == 0 || index == 1) {
            reach.fields = {id, field::Idg(5)};
            reach.display = true;
        } else if (index == 5) {
            reach.fields = {field::Idg(0), field::Idg(1), field::Idg(5)};
            reach.display = true;
        } else {
            reach.fields = {id};
        }
        break;
    }
    case ActionKind::ClickIdg:
        if (action.target == 5) {
            reach.fields = range(idgField, 2, 3);
            reach.display = true;
        }
        break;
    case ActionKind::ListText:
        reach.list = static_cast<ListId>(action.target);
        break;
    case ActionKind::Press:
        switch (static_cast<Button>(action.target)) {
        case Button::OkAr:
            reach.fields = range(idField, 0, 5);
            break;
        case Button::Okab:
            reach.fields = range(idField, 0, 5);
            reach.list = ListId::LstIntrp;
            reach.listEntries = true;
            break;
        case Button::OkGe:
            reach.fields = range(idgField, 0, 6);
            reach.display = true;
            break;
        case Button::OkABg:
            reach.fields = range(idgField, 0, 6);
            reach.list = ListId::Lstg;
            reach.listEntries = true;
            reach.display = true;
            break;
        default:
            reach.fields = solverGroup(static_cast<Button>(action.target));
            break;
        }
        break;
    }
    return reach;
}

// The text the user's own edits leave in the field, before any handling rewrites it.
QString typedResult(const Action &action, const QString &before)
{
    switch (action.kind) {
    case ActionKind::Type:
    case ActionKind::Paste:
    case ActionKind::ListText:
        return action.overwrite ? action.text : before + action.text;
    case ActionKind::Erase:
        return before.chopped(std::min<qsizetype>(action.count, before.size()));
    default:
        return before;
    }
}

// The key of the given fields as the cycle forms it: the positions of the first three fields
// whose text is a number.
QString givenKey(const QList<FieldId> &group, const Snapshot &before, const QLocale &locale)
{
    QString key;
    for (qsizetype p = 0; p < group.size() && key.size() < 3; ++p) {
        if (holdsNumber(before.texts[static_cast<std::size_t>(field::number(group[p]))], locale))
            key += QChar(u'0' + static_cast<char16_t>(p));
    }
    return key;
}

// The box a solver must show for a key its table refuses.
std::optional<Message> refusalFor(Button button, const QString &key)
{
    if (button == Button::OkAr)
        return key.contains(u'2') ? std::nullopt : std::optional(kArithmeticUnknownN);
    if (button == Button::OkGe) {
        if (!key.contains(u'2'))
            return kGeometricUnknownN;
        if (key == u"024")
            return kA1AnSn;
        if (key == u"234")
            return kNAnSn;
        return std::nullopt;
    }
    if (key == u"013")
        return kMissingT;
    if (interestRow(button) >= 2 && key == u"023")
        return kMissingRate;
    return std::nullopt;
}

const QString &textOf(const Snapshot &s, FieldId id)
{
    return s.texts[static_cast<std::size_t>(field::number(id))];
}

} // namespace

bool isStableNumberText(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = textToDouble(text, locale);
    return value && doubleToText(*value, locale) == text;
}

InvariantChecker::InvariantChecker(const QLocale &locale)
    : locale_(locale), calculator_(sink_, locale)
{
    Form &form = calculator_.form();
    QObject::connect(&form, &Form::textWritten, &form, [this](FieldId id) {
        const Form &f = calculator_.form();
        events_.append({Kind::Field, field::number(id), f.text(id), f.nesting(),
                        editing_ && f.nesting() == 0});
    });
    QObject::connect(&form, &Form::listEntriesChanged, &form, [this](ListId list) {
        events_.append(
            {Kind::ListEntries, static_cast<int>(list), {}, calculator_.form().nesting(), false});
    });
    QObject::connect(&form, &Form::listTextLineChanged, &form, [this](ListId list) {
        events_.append(
            {Kind::ListLine, static_cast<int>(list), {}, calculator_.form().nesting(), false});
    });
    QObject::connect(&form, &Form::sumDisplayChanged, &form, [this](bool) {
        events_.append({Kind::Display, 0, {}, calculator_.form().nesting(), false});
    });
}

Snapshot InvariantChecker::snapshot() const
{
    const Form &form = calculator_.form();
    Snapshot s;
    for (int n = 0; n < field::kFieldCount; ++n)
        s.texts[static_cast<std::size_t>(n)] = form.text(FieldId{n});
    for (int l = 0; l < kListCount; ++l) {
        s.entries[static_cast<std::size_t>(l)] = form.listEntries(static_cast<ListId>(l));
        s.lines[static_cast<std::size_t>(l)] = form.listTextLine(static_cast<ListId>(l));
    }
    s.sumDisplayOn = form.sumDisplayOn();
    return s;
}

QStringList InvariantChecker::run(const Action &action)
{
    const Snapshot before = snapshot();
    const int hitsBefore = nestingBoundHits();
    events_.clear();
    sink_.clear();
    editing_ = action.kind == ActionKind::Type || action.kind == ActionKind::Paste ||
               action.kind == ActionKind::Erase;
    perform(calculator_, action);
    editing_ = false;
    const Snapshot after = snapshot();

    QStringList broken;
    if (calculator_.form().nesting() != 0)
        broken << QStringLiteral("the nesting of the change handling did not come back to 0");
    // A sum the program writes is not turned back into the first term, so the handling ends
    // after a few nested writes: the bound that guards against a runaway is never reached.
    const auto deepest =
        std::max_element(events_.begin(), events_.end(),
                         [](const Event &a, const Event &b) { return a.nesting < b.nesting; });
    if (deepest != events_.end() && deepest->nesting > Form::kMaxNesting)
        broken << QStringLiteral("the change handling nested %1 deep, beyond the bound of %2")
                      .arg(deepest->nesting)
                      .arg(Form::kMaxNesting);
    if (nestingBoundHits() != hitsBefore)
        broken << QStringLiteral("the change handling ran into the nesting bound of %1")
                      .arg(Form::kMaxNesting);
    checkCommon(action, before, after, broken);
    switch (action.kind) {
    case ActionKind::Type:
    case ActionKind::Paste:
    case ActionKind::Erase:
        checkEdit(action, before, after, broken);
        break;
    case ActionKind::Press: {
        const auto button = static_cast<Button>(action.target);
        if (button == Button::Okab || button == Button::OkABg)
            checkInterpolationPress(button, before, after, broken);
        else
            checkSolverPress(button, before, after, broken);
        break;
    }
    case ActionKind::ClickIdg:
        checkClick(action.target, before, after, broken);
        break;
    case ActionKind::ListText: {
        const auto list = static_cast<std::size_t>(action.target);
        const QString expected = typedResult(action, before.lines[list]);
        if (after.lines[list] != expected)
            broken << QStringLiteral("the list's text line holds %1, not the typed %2")
                          .arg(quote(after.lines[list]), quote(expected));
        break;
    }
    }
    return broken;
}

void InvariantChecker::checkCommon(const Action &action, const Snapshot &before,
                                   const Snapshot &after, QStringList &broken) const
{
    const bool press = action.kind == ActionKind::Press;
    if (sink_.messages.size() > (press ? 1 : 0))
        broken << QStringLiteral("%1 boxes shown: %2")
                      .arg(sink_.messages.size())
                      .arg(show(sink_.messages));

    // A press, a click or a keystroke stays inside its own section.
    const Reach reach = reachOf(action);
    for (int n = 0; n < field::kFieldCount; ++n) {
        const FieldId id{n};
        if (reach.fields.contains(id))
            continue;
        const bool written = std::any_of(events_.begin(), events_.end(), [n](const Event &e) {
            return e.kind == Kind::Field && e.target == n;
        });
        if (written || textOf(before, id) != textOf(after, id))
            broken << QStringLiteral("%1 was written, outside the action's section")
                          .arg(fieldName(id));
    }
    for (int l = 0; l < kListCount; ++l) {
        const auto list = static_cast<std::size_t>(l);
        const bool ours = reach.list && static_cast<int>(*reach.list) == l;
        const bool entriesTouched =
            std::any_of(events_.begin(), events_.end(), [l](const Event &e) {
                return e.kind == Kind::ListEntries && e.target == l;
            });
        const bool lineTouched = std::any_of(events_.begin(), events_.end(), [l](const Event &e) {
            return e.kind == Kind::ListLine && e.target == l;
        });
        if ((!ours || !reach.listEntries) &&
            (entriesTouched || before.entries[list] != after.entries[list]))
            broken << QStringLiteral("the entries of list %1 changed").arg(l);
        if (!ours && (lineTouched || before.lines[list] != after.lines[list]))
            broken << QStringLiteral("the text line of list %1 changed").arg(l);
        if (entriesTouched) {
            for (const QString &entry : after.entries[list]) {
                if (!isStableNumberText(entry, locale_)) {
                    broken << QStringLiteral("list %1 holds %2, which does not read back as itself")
                                  .arg(l)
                                  .arg(quote(entry));
                    break;
                }
            }
        }
        if (lineTouched && action.kind != ActionKind::ListText) {
            const QStringList &entries = after.entries[list];
            const QString expected = entries.isEmpty() ? QString() : entries.first();
            if (after.lines[list] != expected)
                broken << QStringLiteral(
                              "the text line of list %1 shows %2, not its first entry %3")
                              .arg(l)
                              .arg(quote(after.lines[list]), quote(expected));
        }
    }
    const bool displayTouched = std::any_of(events_.begin(), events_.end(),
                                            [](const Event &e) { return e.kind == Kind::Display; });
    if (!reach.display && (displayTouched || before.sumDisplayOn != after.sumDisplayOn))
        broken << QStringLiteral("the infinite-sum display changed");

    // Every text the program writes is a number that reads back as itself; it only ever
    // empties the S field (the display going off, a sum that cannot be formed) and, on a click
    // in the empty S field, n, an and Sn.
    for (const Event &e : events_) {
        if (e.kind != Kind::Field || e.user)
            continue;
        const FieldId id{e.target};
        if (e.text.isEmpty()) {
            const bool clickEmpties =
                action.kind == ActionKind::ClickIdg && range(idgField, 2, 3).contains(id);
            if (id != field::Idg(5) && !clickEmpties)
                broken << QStringLiteral("the program emptied %1").arg(fieldName(id));
        } else if (!isStableNumberText(e.text, locale_)) {
            broken << QStringLiteral(
                          "the program wrote %1 into %2, which does not read back as itself")
                          .arg(quote(e.text), fieldName(id));
        }
    }
}

void InvariantChecker::checkEdit(const Action &action, const Snapshot &before,
                                 const Snapshot &after, QStringList &broken) const
{
    const FieldId id{action.target};
    const QString expected = typedResult(action, textOf(before, id));
    // What the user typed stays as typed. Only a typed S can go, emptied by the display going
    // off when the ratio it gave (or the first term beside a ratio of 1 or more) switches it;
    // the field then holds what was typed after that, and the display stays off.
    const bool switchedOff = id == field::Idg(5) && !after.sumDisplayOn &&
                             expected.endsWith(textOf(after, id)) &&
                             std::any_of(events_.begin(), events_.end(), [&](const Event &e) {
                                 return e.kind == Kind::Field && e.target == action.target &&
                                        !e.user && e.text.isEmpty();
                             });
    if (textOf(after, id) != expected && !switchedOff)
        broken << QStringLiteral("%1 holds %2 after the user typed %3")
                      .arg(fieldName(id), quote(textOf(after, id)), quote(expected));
}

void InvariantChecker::checkSolverPress(Button button, const Snapshot &before,
                                        const Snapshot &after, QStringList &broken) const
{
    const QList<FieldId> group = solverGroup(button);
    const QString key = givenKey(group, before, locale_);
    const QList<Message> &shown = sink_.messages;
    const bool fieldEvents = std::any_of(events_.begin(), events_.end(),
                                         [](const Event &e) { return e.kind == Kind::Field; });
    auto nothingChanged = [&](const QString &why) {
        if (!events_.isEmpty())
            broken << QStringLiteral("%1, yet the press changed %2 things (first: %3)")
                          .arg(why)
                          .arg(events_.size())
                          .arg(events_.first().kind == Kind::Field
                                   ? fieldName(FieldId{events_.first().target})
                                   : QStringLiteral("the display"));
    };

    if (key.size() < 3) {
        if (shown != QList<Message>{kTooFew})
            broken << QStringLiteral("fewer than three numbers (key \"%1\"), yet %2")
                          .arg(key, show(shown));
        nothingChanged(QStringLiteral("too few data"));
        return;
    }
    if (const std::optional<Message> refusal = refusalFor(button, key)) {
        if (shown != QList<Message>{*refusal})
            broken << QStringLiteral("key \"%1\" wants %2, yet %3")
                          .arg(key, show(*refusal), show(shown));
        if (!isInterest(button)) {
            nothingChanged(QStringLiteral("a refused key"));
            return;
        }
        // The interest rows still write back: the fields not given show the 0 of their slots.
        for (qsizetype p = 0; p < group.size(); ++p) {
            const QString &text = textOf(after, group[p]);
            const bool given = key.contains(QChar(u'0' + static_cast<char16_t>(p)));
            if (given && text != textOf(before, group[p]))
                broken << QStringLiteral("given %1 rewritten to %2")
                              .arg(fieldName(group[p]), quote(text));
            if (!given && text != u"0")
                broken << QStringLiteral("%1 shows %2 after %3, not 0")
                              .arg(fieldName(group[p]), quote(text), show(*refusal));
        }
        return;
    }
    if (!shown.isEmpty()) {
        if (shown.size() != 1 || !isCalculationError(shown.first()))
            broken << QStringLiteral("key \"%1\" is solved, yet %2").arg(key, show(shown));
        // A formula that fails leaves everything as it was.
        nothingChanged(QStringLiteral("a numeric failure"));
        return;
    }

    // A solved press: every field of the group holds a number, the given ones as they were
    // typed.
    for (qsizetype p = 0; p < group.size(); ++p) {
        const QString &text = textOf(after, group[p]);
        if (!holdsNumber(text, locale_))
            broken << QStringLiteral("%1 holds %2 after a solve")
                          .arg(fieldName(group[p]), quote(text));
        if (!key.contains(QChar(u'0' + static_cast<char16_t>(p))))
            continue;
        const int n = field::number(group[p]);
        const auto firstWrite = std::find_if(events_.begin(), events_.end(), [n](const Event &e) {
            return e.kind == Kind::Field && e.target == n;
        });
        if (firstWrite != events_.end())
            broken << QStringLiteral("given %1 (%2) rewritten to %3")
                          .arg(fieldName(group[p]), quote(textOf(before, group[p])),
                               quote(firstWrite->text));
    }
    if (!fieldEvents && before.texts != after.texts)
        broken << QStringLiteral("texts changed without a write");
    if (button == Button::OkGe && !after.sumDisplayOn && !textOf(after, field::Idg(5)).isEmpty())
        broken << QStringLiteral("the display is off after a solve, yet S shows %1")
                      .arg(quote(textOf(after, field::Idg(5))));
}

void InvariantChecker::checkInterpolationPress(Button button, const Snapshot &before,
                                               const Snapshot &after, QStringList &broken) const
{
    const bool arithmetic = button == Button::Okab;
    const ListId list = arithmetic ? ListId::LstIntrp : ListId::Lstg;
    const FieldId kField = arithmetic ? field::IdK : field::IdKg;
    const FieldId aField = arithmetic ? field::IdA : field::IdAg;
    const FieldId bField = arithmetic ? field::IdB : field::IdBg;
    const QList<Message> &shown = sink_.messages;

    if (!shown.isEmpty() && shown != QList<Message>{kInterpolationFailed})
        broken << QStringLiteral("the interpolation showed %1").arg(show(shown));

    // The arithmetic line writes its fields, lets the solver finish, then lists; the geometric
    // one lists first. A failure keeps what was written before it, so the order holds for a
    // failed press too.
    bool fieldSeen = false;
    bool listSeen = false;
    for (const Event &e : events_) {
        const bool isList = e.kind == Kind::ListEntries || e.kind == Kind::ListLine;
        if (arithmetic && isList)
            listSeen = true;
        if (arithmetic && !isList && listSeen) {
            broken << QStringLiteral("the arithmetic interpolation wrote a field after its list");
            break;
        }
        if (!arithmetic && !isList)
            fieldSeen = true;
        if (!arithmetic && isList && fieldSeen) {
            broken << QStringLiteral("the geometric interpolation listed after writing its fields");
            break;
        }
    }

    const std::optional<std::int16_t> k = textToInt16(textOf(before, kField), locale_);
    const std::optional<double> a = textToDouble(textOf(before, aField), locale_);
    const std::optional<double> b = textToDouble(textOf(before, bField), locale_);
    bool cannotStart = !k || *k > 32765 || *k == -1 || !a || !b;
    if (!arithmetic && a && b)
        cannotStart = cannotStart || *a == 0.0 || *b == 0.0 || ((*a < 0.0) != (*b < 0.0));
    if (cannotStart) {
        if (shown != QList<Message>{kInterpolationFailed})
            broken << QStringLiteral("the interpolation cannot start, yet %1").arg(show(shown));
        if (!events_.isEmpty())
            broken << QStringLiteral("the interpolation could not start, yet changed %1 things")
                          .arg(events_.size());
        return;
    }
    if (!shown.isEmpty())
        return;

    for (const FieldId id : solverGroup(button)) {
        if (!holdsNumber(textOf(after, id), locale_))
            broken << QStringLiteral("%1 holds %2 after an interpolation")
                          .arg(fieldName(id), quote(textOf(after, id)));
    }
    const auto expectedCount = std::max<qsizetype>(*k, 0);
    const QStringList &entries = after.entries[static_cast<std::size_t>(list)];
    if (entries.size() != expectedCount)
        broken << QStringLiteral("%1 terms listed for K = %2").arg(entries.size()).arg(*k);
    if (!arithmetic && !after.sumDisplayOn && !textOf(after, field::Idg(5)).isEmpty())
        broken << QStringLiteral("the display is off after an interpolation, yet S shows %1")
                      .arg(quote(textOf(after, field::Idg(5))));
    (void)before;
}

void InvariantChecker::checkClick(int index, const Snapshot &before, const Snapshot &after,
                                  QStringList &broken) const
{
    if (index != 5) {
        if (!events_.isEmpty())
            broken << QStringLiteral("a click in %1 changed something")
                          .arg(fieldName(field::Idg(index)));
        return;
    }
    if (!after.sumDisplayOn)
        broken << QStringLiteral("a click in the S field left the display off");
    const bool emptied = std::any_of(events_.begin(), events_.end(),
                                     [](const Event &e) { return e.kind == Kind::Field; });
    if (!textOf(before, field::Idg(5)).isEmpty() && emptied)
        broken << QStringLiteral("a click in the S field holding text emptied fields");
    if (textOf(before, field::Idg(5)).isEmpty()) {
        for (int k = 2; k <= 4; ++k) {
            if (!textOf(after, field::Idg(k)).isEmpty())
                broken << QStringLiteral("a click in the empty S field left %1 holding %2")
                              .arg(fieldName(field::Idg(k)), quote(textOf(after, field::Idg(k))));
        }
    }
}

} // namespace tirel::invariants
