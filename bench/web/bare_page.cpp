// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A bare Qt Widgets window: one line edit, one push button, and the message box the button
// opens, modal like the program's own.
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    auto *layout = new QHBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    auto *button = new QPushButton(QStringLiteral("Ok"), &window);
    layout->addWidget(edit);
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, &window, [&window, edit] {
        QMessageBox::information(&window, QStringLiteral("Bare"), edit->text());
    });
    window.show();
    return QApplication::exec();
}
