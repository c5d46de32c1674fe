// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/form.h"

namespace tirel {

namespace {
// Restores the nesting depth however the handling ends, a numeric failure included.
class NestingGuard {
public:
    explicit NestingGuard(int &depth) : depth_(depth) { ++depth_; }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard &) = delete;
    NestingGuard &operator=(const NestingGuard &) = delete;

private:
    int &depth_;
};
} // namespace

Form::Form(const QLocale &locale, QObject *parent) : QObject(parent), locale_(locale)
{
    locale_.setNumberOptions(locale_.numberOptions() | QLocale::OmitGroupSeparator);
}

QString Form::text(FieldId field) const
{
    return texts_[static_cast<std::size_t>(field::number(field))];
}

void Form::setText(FieldId field, const QString &text)
{
    QString &current = texts_[static_cast<std::size_t>(field::number(field))];
    if (current == text)
        return;
    current = text;
    emit textWritten(field);
    const ChangeHandler &handler = handlers_[static_cast<std::size_t>(field::number(field))];
    if (!handler)
        return;
    if (nesting_ >= kMaxNesting) {
        ++boundHits_;
        return;
    }
    NestingGuard guard(nesting_);
    handler(field);
}

void Form::setChangeHandler(FieldId field, ChangeHandler handler)
{
    handlers_[static_cast<std::size_t>(field::number(field))] = std::move(handler);
}

void Form::setSumDisplayOn(bool on)
{
    if (sumDisplayOn_ == on)
        return;
    sumDisplayOn_ = on;
    emit sumDisplayChanged(on);
}

const QStringList &Form::listEntries(ListId list) const
{
    return listEntries_[static_cast<std::size_t>(list)];
}

void Form::setListEntries(ListId list, const QStringList &entries)
{
    listEntries_[static_cast<std::size_t>(list)] = entries;
    emit listEntriesChanged(list);
}

const QString &Form::listTextLine(ListId list) const
{
    return listTextLines_[static_cast<std::size_t>(list)];
}

void Form::setListTextLine(ListId list, const QString &text)
{
    QString &current = listTextLines_[static_cast<std::size_t>(list)];
    if (current == text)
        return;
    current = text;
    emit listTextLineChanged(list);
}

} // namespace tirel
