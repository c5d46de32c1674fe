// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A small language of everything a person can do to the calculator: type or paste any text into
// any field, erase with backspace, press any button, click a geometric field, edit a list's text
// line. Actions are decoded from a stream of bytes, so that the seeded random test (bytes from a
// fixed-seed generator) and the fuzz target (bytes from the fuzzer) drive the same language.
#include "core/fields.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace tirel {
class Calculator;
}

namespace tirel::invariants {

enum class ActionKind {
    Type,     // keystroke by keystroke: every character is one user edit
    Paste,    // the whole text in one user edit
    Erase,    // backspace at the end of the field, one user edit per character
    Press,    // a button
    ClickIdg, // a mouse press in a geometric field
    ListText  // an edit of a list's text line
};

enum class Button { OkAr, Okab, OkGe, OkABg, OkInteres0, OkInteres1, OkInteres2, OkInteres3 };
constexpr int kButtonCount = 8;

struct Action {
    ActionKind kind = ActionKind::Press;
    // The field number (Type, Paste, Erase), the Button (Press), the Idg index (ClickIdg) or the
    // ListId (ListText).
    int target = 0;
    QString text; // Type, Paste, ListText
    // Type, Paste, ListText: the text replaces the whole field (as over a selection) rather than
    // going in at its end.
    bool overwrite = false;
    int count = 0; // Erase: characters removed
    friend bool operator==(const Action &, const Action &) = default;
};

Action typeInto(FieldId field, const QString &text, bool overwrite = true);
Action pasteInto(FieldId field, const QString &text, bool overwrite = true);
Action erase(FieldId field, int count);
Action press(Button button);
Action clickIdg(int index);
Action listText(ListId list, const QString &text, bool overwrite = true);

QString buttonName(Button button);
// One line a person can follow to repeat the action.
QString describe(const Action &action);
QString describe(const QList<Action> &actions);

// Runs the action on the calculator as the window would forward it.
void perform(Calculator &calculator, const Action &action);

// Where the decoder takes its choices from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint8_t next() = 0;
    // True once a read has gone past the end; the reads then give 0.
    virtual bool exhausted() const = 0;
};

// The fuzzer's input.
class SpanSource : public ByteSource {
public:
    SpanSource(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() override;
    bool exhausted() const override { return exhausted_; }
    bool atEnd() const { return position_ >= size_; }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool exhausted_ = false;
};

// SplitMix64: our own generator, so the sequence is the same with every standard library.
class SeededSource : public ByteSource {
public:
    explicit SeededSource(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next64();
    std::uint8_t next() override { return static_cast<std::uint8_t>(next64() >> 56); }
    bool exhausted() const override { return false; }

private:
    std::uint64_t state_;
};

// Decodes the next step (one action, or a few: "fill a section and press its Ok") and appends
// it to the list. Texts are generated in the locale's notation: numbers of every magnitude and
// sign, the edge values of doubles and of 16-bit counts, exponents, blanks, letters, lone signs
// and separators, long strings.
void readStep(ByteSource &source, const QLocale &locale, QList<Action> &out);

// The bytes that decode to exactly these actions; texts are limited to the characters of the
// literal alphabet (digits, signs, separators, "E", blanks, a few letters and symbols).
QByteArray encode(const QList<Action> &actions);
// Whether encode can write this text.
bool encodable(const QString &text);

} // namespace tirel::invariants
