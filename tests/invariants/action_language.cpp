// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "invariants/action_language.h"

#include "calculator/calculator.h"

#include <algorithm>
#include <array>

namespace tirel::invariants {

namespace {

// How many user edits a typed text may take, and how long a pasted one may be: long enough to
// reach every code path, short enough that thousands of actions stay quick.
constexpr int kMaxTypedLength = 64;
constexpr int kMaxPastedLength = 8192;

enum class Op { Type, Paste, Erase, Press, Click, ListText, Clear, Fill };
// The first entry of each kind is the byte the encoder writes.
constexpr std::array kOps{Op::Type,     Op::Type,  Op::Type,  Op::Type,  Op::Paste, Op::Paste,
                          Op::Paste,    Op::Erase, Op::Press, Op::Press, Op::Press, Op::Click,
                          Op::ListText, Op::Clear, Op::Fill,  Op::Fill};

enum class TextKind { Decimal, Edge, SmallInteger, Nice, Literal, Long, Empty, Lone, Padded };
constexpr std::array kTextKinds{TextKind::Decimal,      TextKind::Decimal, TextKind::Edge,
                                TextKind::SmallInteger, TextKind::Nice,    TextKind::Literal,
                                TextKind::Long,         TextKind::Empty,   TextKind::Lone,
                                TextKind::Padded};

// Characters of the literal texts: what a number is made of, what it is mistaken for, and a few
// things that no number holds (a minus sign that is not the hyphen, no-break spaces, NUL).
const std::array<char16_t, 34> kAlphabet{
    u'0',      u'1',  u'2', u'3', u'4',  u'5',      u'6',      u'7',      u'8',
    u'9',      u',',  u'.', u'-', u'+',  u'E',      u'e',      u' ',      u'\t',
    u'a',      u'x',  u'i', u'n', u'f',  u'\u00E0', u'\u00B7', u'\u2212', u'\u00A0',
    u'\u202F', u'\'', u'%', u'(', u'\n', u'\0',     u'\u00E9'};

// Values at the edges of what a double holds and of the 16-bit counts, in C notation; they
// are written in the locale's notation before use.
constexpr std::array kEdgeValues{"1.7976931348623157E+308",
                                 "-1.7976931348623157E+308",
                                 "1.797693134862315E+308",
                                 "1.79769313486231E+308",
                                 "1.79769313486232E+308",
                                 "1.8E+308",
                                 "1E+308",
                                 "-1E+308",
                                 "1E+309",
                                 "9.99999999999999E+307",
                                 "1E-308",
                                 "-1E-308",
                                 "2.2250738585072014E-308",
                                 "2.225073858507201E-308",
                                 "4.9406564584124654E-324",
                                 "-4.9406564584124654E-324",
                                 "5E-324",
                                 "1E-320",
                                 "1E-400",
                                 "-0",
                                 "0",
                                 "-0.0",
                                 "1E+154",
                                 "1.5E+154",
                                 "1E-154",
                                 "1E+15",
                                 "1E+16",
                                 "123456789012345678",
                                 "0.1",
                                 "1E+300",
                                 "32767",
                                 "32768",
                                 "-32768",
                                 "-32769",
                                 "32765",
                                 "32766",
                                 "32765.5",
                                 "32764.5",
                                 "-32768.5",
                                 "-32767.5",
                                 "-1",
                                 "-1.5",
                                 "-0.5",
                                 "0.5",
                                 "2.5",
                                 "3.5",
                                 "65536",
                                 "-65536"};

// Ordinary values that make the formulas meet their special points: r = 1, r = -1, n = 1,
// a rate of 0 or -100, a ratio below 1.
constexpr std::array kNiceValues{"0",  "1",   "-1",   "2",    "0.5",  "-0.5", "0.1", "3",
                                 "10", "100", "-100", "0.25", "1.5",  "4",    "5",   "8",
                                 "16", "0.9", "1.1",  "-2",   "1000", "25",   "2.5", "-3"};

constexpr std::array kLone{u'-', u'+', u',', u'.', u'E', u' ', u'e', u'\u2212'};

// A text in C notation written in the locale's: its decimal point and signs.
QString localised(const char *text, const QLocale &locale)
{
    QString result;
    for (const char *c = text; *c; ++c) {
        if (*c == '.')
            result += locale.decimalPoint();
        else if (*c == '-')
            result += locale.negativeSign();
        else
            result += QChar::fromLatin1(*c);
    }
    return result;
}

// Two bytes, read one after the other (the operands of | have no order of their own).
unsigned next16(ByteSource &source)
{
    const unsigned high = source.next();
    const unsigned low = source.next();
    return high << 8 | low;
}

template <typename T, std::size_t N> const T &pick(ByteSource &source, const std::array<T, N> &a)
{
    return a[source.next() % N];
}

QString otherSeparator(const QLocale &locale)
{
    return locale.decimalPoint() == u"," ? QStringLiteral(".") : QStringLiteral(",");
}

QString readDigits(ByteSource &source, int count)
{
    QString digits;
    for (int i = 0; i < count; ++i)
        digits += QChar(u'0' + static_cast<char16_t>(source.next() % 10));
    return digits;
}

// Any number a person could type: a sign, digits before and after a separator (now and then the
// other locale's separator), an exponent of any size.
QString readDecimal(ByteSource &source, const QLocale &locale)
{
    QString text;
    switch (source.next() % 4) {
    case 1:
        text += locale.negativeSign();
        break;
    case 2:
        text += locale.positiveSign();
        break;
    default:
        break;
    }
    text += readDigits(source, source.next() % 22);
    const std::uint8_t point = source.next();
    if (point & 1) {
        text += (point & 6) == 6 ? otherSeparator(locale) : locale.decimalPoint();
        text += readDigits(source, (point >> 3) % 20);
    }
    const std::uint8_t exponent = source.next();
    if (exponent & 1) {
        text += (exponent & 2) ? u'E' : u'e';
        switch ((exponent >> 2) % 3) {
        case 1:
            text += locale.negativeSign();
            break;
        case 2:
            text += locale.positiveSign();
            break;
        default:
            break;
        }
        const int size = exponent >> 4;
        int value = 0;
        if (size < 8)
            value = source.next() % 10;
        else if (size < 12)
            value = source.next() % 100;
        else if (size < 14)
            value = 300 + source.next() % 30;
        else
            value = static_cast<int>(next16(source) % 10000);
        text += QString::number(value);
    }
    return text;
}

QString readLiteral(ByteSource &source)
{
    const int length = source.next();
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(pick(source, kAlphabet));
    return text;
}

QString readText(ByteSource &source, const QLocale &locale, int maxLength, bool allowLong);

// A chunk repeated into a very long string.
QString readLong(ByteSource &source, const QLocale &locale, int maxLength)
{
    const QString chunk = readText(source, locale, 64, false);
    const int repeats = 2 + static_cast<int>(next16(source) % 4000);
    QString text;
    if (chunk.isEmpty())
        return text;
    while (text.size() < maxLength && repeats * chunk.size() > text.size())
        text += chunk;
    return text.left(maxLength);
}

QString readText(ByteSource &source, const QLocale &locale, int maxLength, bool allowLong)
{
    QString text;
    switch (pick(source, kTextKinds)) {
    case TextKind::Decimal:
        text = readDecimal(source, locale);
        break;
    case TextKind::Edge:
        text = localised(pick(source, kEdgeValues), locale);
        break;
    case TextKind::SmallInteger:
        text = localised(QByteArray::number(int(source.next() % 48) - 8).constData(), locale);
        break;
    case TextKind::Nice:
        text = localised(pick(source, kNiceValues), locale);
        break;
    case TextKind::Literal:
        text = readLiteral(source);
        break;
    case TextKind::Long:
        text = allowLong ? readLong(source, locale, maxLength) : readDecimal(source, locale);
        break;
    case TextKind::Empty:
        break;
    case TextKind::Lone:
        text = QChar(pick(source, kLone));
        break;
    case TextKind::Padded: {
        const std::uint8_t pad = source.next();
        const QString before = (pad & 1) ? QStringLiteral(" ") : QStringLiteral("\t");
        const QString after = (pad & 2) ? QStringLiteral("  ") : QString();
        text = before + localised(pick(source, kNiceValues), locale) + after;
        break;
    }
    }
    return text.left(maxLength);
}

// A text that is most likely a number: what fills a section before its Ok.
QString readNumberText(ByteSource &source, const QLocale &locale)
{
    switch (source.next() % 6) {
    case 0:
        return localised(QByteArray::number(int(source.next() % 48) - 8).constData(), locale);
    case 1:
    case 2:
        return localised(pick(source, kNiceValues), locale);
    case 3:
        return localised(pick(source, kEdgeValues), locale);
    case 4:
        return readDecimal(source, locale);
    default:
        return readText(source, locale, kMaxPastedLength, true);
    }
}

struct SectionLine {
    QList<FieldId> fields;
    Button button;
};

SectionLine section(int index)
{
    using namespace field;
    switch (index) {
    case 0:
        return {{Id(0), Id(1), Id(2), Id(3), Id(4)}, Button::OkAr};
    case 1:
        return {{Idg(0), Idg(1), Idg(2), Idg(3), Idg(4)}, Button::OkGe};
    case 6:
        return {{IdK, IdA, IdB}, Button::Okab};
    case 7:
        return {{IdKg, IdAg, IdBg}, Button::OkABg};
    default: {
        const int row = index - 2;
        return {{IdI(4 * row), IdI(4 * row + 1), IdI(4 * row + 2), IdI(4 * row + 3)},
                static_cast<Button>(static_cast<int>(Button::OkInteres0) + row)};
    }
    }
}

QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        default:
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
                out += c;
            else
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        }
    }
    return out;
}

QString quoted(const QString &text)
{
    constexpr qsizetype kShown = 80;
    if (text.size() <= kShown)
        return u'"' + escaped(text) + u'"';
    return QStringLiteral("\"%1\"... (%2 characters)")
        .arg(escaped(text.left(kShown)))
        .arg(text.size());
}

std::uint8_t opByte(Op op)
{
    for (std::size_t i = 0; i < kOps.size(); ++i) {
        if (kOps[i] == op)
            return static_cast<std::uint8_t>(i);
    }
    return 0;
}

void encodeLiteral(QByteArray &bytes, const QString &text)
{
    for (std::size_t i = 0; i < kTextKinds.size(); ++i) {
        if (kTextKinds[i] == TextKind::Literal) {
            bytes += static_cast<char>(i);
            break;
        }
    }
    bytes += static_cast<char>(text.size());
    for (const QChar c : text) {
        for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
            if (kAlphabet[i] == c.unicode()) {
                bytes += static_cast<char>(i);
                break;
            }
        }
    }
}

} // namespace

Action typeInto(FieldId field, const QString &text, bool overwrite)
{
    return {ActionKind::Type, field::number(field), text, overwrite, 0};
}

Action pasteInto(FieldId field, const QString &text, bool overwrite)
{
    return {ActionKind::Paste, field::number(field), text, overwrite, 0};
}

Action erase(FieldId field, int count)
{
    return {ActionKind::Erase, field::number(field), {}, false, count};
}

Action press(Button button)
{
    return {ActionKind::Press, static_cast<int>(button), {}, false, 0};
}

Action clickIdg(int index)
{
    return {ActionKind::ClickIdg, index, {}, false, 0};
}

Action listText(ListId list, const QString &text, bool overwrite)
{
    return {ActionKind::ListText, static_cast<int>(list), text, overwrite, 0};
}

QString buttonName(Button button)
{
    static const std::array names{"OkAr",         "Okab",         "OkGe",         "OkABg",
                                  "OkInteres(0)", "OkInteres(1)", "OkInteres(2)", "OkInteres(3)"};
    return QString::fromLatin1(names[static_cast<std::size_t>(button)]);
}

QString describe(const Action &action)
{
    const QString where =
        action.overwrite ? QStringLiteral("over") : QStringLiteral("at the end of");
    switch (action.kind) {
    case ActionKind::Type:
        return QStringLiteral("type %1 %2 %3")
            .arg(quoted(action.text), where, fieldName(FieldId{action.target}));
    case ActionKind::Paste:
        return QStringLiteral("paste %1 %2 %3")
            .arg(quoted(action.text), where, fieldName(FieldId{action.target}));
    case ActionKind::Erase:
        return QStringLiteral("backspace %1 times in %2")
            .arg(action.count)
            .arg(fieldName(FieldId{action.target}));
    case ActionKind::Press:
        return QStringLiteral("press %1").arg(buttonName(static_cast<Button>(action.target)));
    case ActionKind::ClickIdg:
        return QStringLiteral("click %1").arg(fieldName(field::Idg(action.target)));
    case ActionKind::ListText:
        return QStringLiteral("edit %1 %2 the text line of %3")
            .arg(quoted(action.text), where, listName(static_cast<ListId>(action.target)));
    }
    return {};
}

QString describe(const QList<Action> &actions)
{
    QStringList lines;
    for (qsizetype i = 0; i < actions.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(i + 1).arg(describe(actions[i]));
    return lines.join(u'\n');
}

void perform(Calculator &calculator, const Action &action)
{
    Form &form = calculator.form();
    const FieldId id{action.target};
    switch (action.kind) {
    case ActionKind::Type:
        if (action.overwrite && action.text.isEmpty())
            calculator.edit(id, QString());
        for (qsizetype i = 0; i < action.text.size(); ++i) {
            // The first keystroke over a selection replaces it; every later one goes in after
            // whatever stands in the field, the program's own rewrites included.
            const QString before = (action.overwrite && i == 0) ? QString() : form.text(id);
            calculator.edit(id, before + action.text[i]);
        }
        break;
    case ActionKind::Paste:
        calculator.edit(id, action.overwrite ? action.text : form.text(id) + action.text);
        break;
    case ActionKind::Erase:
        for (int i = 0; i < action.count && !form.text(id).isEmpty(); ++i)
            calculator.edit(id, form.text(id).chopped(1));
        break;
    case ActionKind::Press:
        switch (static_cast<Button>(action.target)) {
        case Button::OkAr:
            calculator.pressOkAr();
            break;
        case Button::Okab:
            calculator.pressOkab();
            break;
        case Button::OkGe:
            calculator.pressOkGe();
            break;
        case Button::OkABg:
            calculator.pressOkABg();
            break;
        default:
            calculator.pressOkInteres(action.target - static_cast<int>(Button::OkInteres0));
            break;
        }
        break;
    case ActionKind::ClickIdg:
        calculator.clickIdg(action.target);
        break;
    case ActionKind::ListText: {
        const auto list = static_cast<ListId>(action.target);
        calculator.editListText(list, action.overwrite ? action.text
                                                       : form.listTextLine(list) + action.text);
        break;
    }
    }
}

std::uint8_t SpanSource::next()
{
    if (position_ >= size_) {
        exhausted_ = true;
        return 0;
    }
    return data_[position_++];
}

std::uint64_t SeededSource::next64()
{
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void readStep(ByteSource &source, const QLocale &locale, QList<Action> &out)
{
    const Op op = pick(source, kOps);
    switch (op) {
    case Op::Type:
    case Op::Paste:
    case Op::ListText: {
        const int target =
            op == Op::ListText ? source.next() % kListCount : source.next() % field::kFieldCount;
        const bool overwrite = source.next() & 1;
        const bool typed = op == Op::Type;
        const QString text =
            readText(source, locale, typed ? kMaxTypedLength : kMaxPastedLength, true);
        const ActionKind kind = typed             ? ActionKind::Type
                                : op == Op::Paste ? ActionKind::Paste
                                                  : ActionKind::ListText;
        out.append({kind, target, text, overwrite, 0});
        break;
    }
    case Op::Erase: {
        const int target = source.next() % field::kFieldCount;
        out.append(erase(FieldId{target}, source.next()));
        break;
    }
    case Op::Press:
        out.append(press(static_cast<Button>(source.next() % kButtonCount)));
        break;
    case Op::Click: {
        // The S field is the one that acts: click it more often than the others.
        const int index = source.next() % 8;
        out.append(clickIdg(index > 5 ? 5 : index));
        break;
    }
    case Op::Clear:
        out.append(pasteInto(FieldId{source.next() % field::kFieldCount}, QString()));
        break;
    case Op::Fill: {
        // Fill most fields of one section with numbers and empty the others, then press Ok:
        // random single edits alone seldom gather the three numbers a solve needs.
        const SectionLine line = section(source.next() % 8);
        const unsigned choices = next16(source);
        for (qsizetype i = 0; i < line.fields.size(); ++i) {
            if (((choices >> (2 * i)) & 3) == 0)
                out.append(pasteInto(line.fields[i], QString()));
            else
                out.append(pasteInto(line.fields[i], readNumberText(source, locale)));
        }
        out.append(press(line.button));
        break;
    }
    }
}

bool encodable(const QString &text)
{
    if (text.size() > 255)
        return false;
    for (const QChar c : text) {
        if (std::find(kAlphabet.begin(), kAlphabet.end(), c.unicode()) == kAlphabet.end())
            return false;
    }
    return true;
}

QByteArray encode(const QList<Action> &actions)
{
    QByteArray bytes;
    for (const Action &action : actions) {
        switch (action.kind) {
        case ActionKind::Type:
        case ActionKind::Paste:
        case ActionKind::ListText:
            bytes += static_cast<char>(opByte(action.kind == ActionKind::Type    ? Op::Type
                                              : action.kind == ActionKind::Paste ? Op::Paste
                                                                                 : Op::ListText));
            bytes += static_cast<char>(action.target);
            bytes += static_cast<char>(action.overwrite ? 1 : 0);
            encodeLiteral(bytes, action.text);
            break;
        case ActionKind::Erase:
            bytes += static_cast<char>(opByte(Op::Erase));
            bytes += static_cast<char>(action.target);
            bytes += static_cast<char>(action.count);
            break;
        case ActionKind::Press:
            bytes += static_cast<char>(opByte(Op::Press));
            bytes += static_cast<char>(action.target);
            break;
        case ActionKind::ClickIdg:
            bytes += static_cast<char>(opByte(Op::Click));
            bytes += static_cast<char>(action.target);
            break;
        }
    }
    return bytes;
}

} // namespace tirel::invariants
