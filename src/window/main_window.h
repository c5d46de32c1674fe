// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main window: the controls of the layout table over one Calculator. User edits and presses
// go into the calculator; every change of its Form comes back into the widgets at once.
#include "calculator/calculator.h"
#include "window/message_box_sink.h"
#include "window/window_builder.h"

#include <QColor>
#include <QLocale>
#include <QMainWindow>
#include <memory>

namespace tirel {

class KeypadDecimal;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Without a message sink the window shows real modal message boxes.
    explicit MainWindow(const QLocale &locale = QLocale::system(), MessageSink *messages = nullptr,
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    Calculator &calculator() { return calculator_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void bindFields();
    void bindLists();
    void bindButtons();

    void showFieldText(FieldId field);
    void showSumDisplay(bool on);
    void showListEntries(ListId list);
    void showListTextLine(ListId list);

    std::unique_ptr<MessageBoxSink> ownMessages_;
    Calculator calculator_;
    BuiltControls controls_;
    QColor fieldBase_;
    QColor buttonFace_;
    KeypadDecimal *keypadDecimal_ = nullptr;
    // The field whose own edit is running, or -1.
    int typingIn_ = -1;
};

} // namespace tirel
