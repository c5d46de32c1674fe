// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The numeric keypad's decimal key types the locale's decimal separator in the window's number
// fields, as spreadsheets make it do: in a comma locale the key's point would otherwise give a
// text that is not a number ("3.5") or a different one ("3.125", read as 3125). The main
// keyboard's point and comma type themselves.
#include <QObject>
#include <QString>

namespace tirel {

class KeypadDecimal : public QObject {
    Q_OBJECT

public:
    KeypadDecimal(const QString &separator, QObject *parent);

    // Makes the keypad's decimal key type the separator in this widget: a line edit, or an
    // editable combo box, which hands the keys it gets to its own line edit.
    void watch(QObject *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString separator_;
};

} // namespace tirel
