// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real message boxes: modal, with exactly the message's title, text and icon and one OK
// button, closed here by clicking that button as a user would.
#include "window/main_window.h"
#include "window/message_box_sink.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tirel;

namespace {
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool okOnly = false;
    bool modal = false;
    QWidget *parent = nullptr;
};

// Waits for the modal box, reads it and clicks its OK button.
void closeNextBox(SeenBox &seen, int attempts = 200)
{
    QTimer::singleShot(10, [&seen, attempts] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (attempts > 0)
                closeNextBox(seen, attempts - 1);
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.okOnly = box->standardButtons() == QMessageBox::Ok;
        seen.modal = box->isModal();
        seen.parent = box->parentWidget();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}
} // namespace

class MessageBoxSinkTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheMessage_data();
    void showsTheMessage();
    void windowWithoutSinkShowsRealBoxes();
};

void MessageBoxSinkTest::showsTheMessage_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<int>("icon");
    QTest::newRow("warning") << "Dades insuficients"
                             << "Són necessàries 3 dades" << true << int(QMessageBox::Warning);
    QTest::newRow("no icon") << "n no pot ser incògnita"
                             << "n ha de ser enter" << false << int(QMessageBox::NoIcon);
    QTest::newRow("markup kept as text") << "<b>x</b>"
                                         << "a < b & c" << false << int(QMessageBox::NoIcon);
}

void MessageBoxSinkTest::showsTheMessage()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, warning);
    QFETCH(int, icon);
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    MessageBoxSink sink(&owner);
    SeenBox seen;
    closeNextBox(seen);
    sink.showMessage({title, text, warning ? MessageIcon::Warning : MessageIcon::None});
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons, 1);
    QVERIFY(seen.okOnly);
    QVERIFY(seen.modal);
    QCOMPARE(seen.parent, &owner);
    QVERIFY(!QApplication::activeModalWidget());
}

void MessageBoxSinkTest::windowWithoutSinkShowsRealBoxes()
{
    MainWindow window(QLocale::c());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SeenBox seen;
    closeNextBox(seen);
    QTest::mouseClick(window.findChild<QPushButton *>("OkAr"), Qt::LeftButton);
    QCOMPARE(seen.title, QStringLiteral("Dades insuficients"));
    QCOMPARE(seen.text, QStringLiteral("Són necessàries 3 dades"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.parent, &window);
    // The window goes on working after the box.
    QTest::keyClicks(window.findChild<QLineEdit *>(fieldName(field::Id(0))), QStringLiteral("4"));
    QCOMPARE(window.calculator().form().text(field::Id(0)), QStringLiteral("4"));
}

QTEST_MAIN(MessageBoxSinkTest)
#include "message_box_sink_test.moc"
