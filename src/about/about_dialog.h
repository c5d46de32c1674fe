// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The About dialog: one instance for the whole run, whose window is built anew at each opening
// and destroyed when it closes.
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QPushButton;

namespace tirel {

inline const QString kAppTitle = QStringLiteral("Tirel");
inline const QString kAboutDescription =
    QStringLiteral("Càculs amb progressions aritmètiques i geomètriques. Interès comercial, "
                   "anualitats de capitalització i amortització");
inline const QString kAboutCredit = QStringLiteral("© 2026 Tirel developers");

// The dialog's window (frmAbout): fixed, without owner, icon or minimize and maximize buttons.
// It deletes itself when closed.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    AboutWindow();

    // The load step: caption, version and title, set each time the window is built.
    void Form_Load();

private:
    void cmdOK_Click();

    QLabel *picIcon_;
    QLabel *lblTitle_;
    QLabel *lblVersion_;
    QPushButton *cmdOK_;
};

class AboutDialog : public QObject {
    Q_OBJECT

public:
    explicit AboutDialog(QObject *parent = nullptr);
    ~AboutDialog() override;

    // Modeless: builds the window (running its load step) when it is closed, centred over
    // `over` (else over the active window), and brings the open one to the front otherwise;
    // returns at once.
    void show(const QWidget *over = nullptr);
    // The open window, or null while the dialog is closed.
    AboutWindow *window() const { return window_; }

private:
    QPointer<AboutWindow> window_;
};

// The run's one About dialog, created on first use and kept until the application ends.
AboutDialog &frmAbout();

} // namespace tirel
