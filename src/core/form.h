// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one source of truth of the window's contents: every field's text, the two lists, the
// infinite-sum display state and ValProg. The widgets only mirror it.
#include "core/fields.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace tirel {

class Form : public QObject {
    Q_OBJECT

public:
    // A change handling may write other fields, each write running its own handling nested
    // inside it; the geometric section's goes a few levels deep at most. This bound ends any
    // runaway in an orderly way, leaving the texts of the last writes.
    static constexpr int kMaxNesting = 32;

    using ChangeHandler = std::function<void(FieldId)>;

    explicit Form(const QLocale &locale = QLocale::system(), QObject *parent = nullptr);

    const QLocale &locale() const { return locale_; }

    QString text(FieldId field) const;
    // Writes a field, by the program or by the user's own edit. A write that changes the text
    // runs the field's change handling at once, nested inside the write; a write of the same
    // text runs nothing.
    void setText(FieldId field, const QString &text);
    void setChangeHandler(FieldId field, ChangeHandler handler);
    int nesting() const { return nesting_; }
    // How many writes have found the nesting bound reached and so ran no handling.
    int nestingBoundHits() const { return boundHits_; }

    // The window-level value slots shared by the sections; each use writes before it reads.
    std::array<double, 6> &valProg() { return valProg_; }
    const std::array<double, 6> &valProg() const { return valProg_; }

    // The infinite-sum display: on means "decreixent" and "S =" enabled and the S field white.
    bool sumDisplayOn() const { return sumDisplayOn_; }
    void setSumDisplayOn(bool on);

    const QStringList &listEntries(ListId list) const;
    void setListEntries(ListId list, const QStringList &entries);
    const QString &listTextLine(ListId list) const;
    void setListTextLine(ListId list, const QString &text);

signals:
    // Emitted for every write that changed a text, before its change handling runs.
    void textWritten(tirel::FieldId field);
    void sumDisplayChanged(bool on);
    void listEntriesChanged(tirel::ListId list);
    void listTextLineChanged(tirel::ListId list);

private:
    QLocale locale_;
    std::array<QString, field::kFieldCount> texts_;
    std::array<ChangeHandler, field::kFieldCount> handlers_;
    std::array<double, 6> valProg_{};
    bool sumDisplayOn_ = false;
    std::array<QStringList, kListCount> listEntries_;
    std::array<QString, kListCount> listTextLines_;
    int nesting_ = 0;
    int boundHits_ = 0;
};

} // namespace tirel
