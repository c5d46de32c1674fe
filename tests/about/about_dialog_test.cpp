// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The About dialog: its texts and look, one instance whose window is built anew at each
// opening, the ways to close it, and the end of the program when the last window closes.
#include "about/about_dialog.h"
#include "support/recording_sink.h"
#include "window/app_icon.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

using tirel::AboutWindow;
using tirel::frmAbout;

namespace {

AboutWindow *openAbout()
{
    frmAbout().show();
    AboutWindow *window = frmAbout().window();
    if (window && !QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window;
}

QLabel *label(AboutWindow *window, const char *name)
{
    return window->findChild<QLabel *>(QString::fromLatin1(name));
}

QColor textColour(const QWidget *widget)
{
    return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

int visibleAboutWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmAbout") && widget->isVisible())
            ++count;
    }
    return count;
}

QAction *menuItem(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

} // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        if (AboutWindow *window = frmAbout().window())
            window->close();
        QTRY_VERIFY(!frmAbout().window());
    }

    void loadStepSetsTheTexts()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("About Tirel"));
        QCOMPARE(label(window, "lblTitle")->text(), QStringLiteral("Tirel"));
        QCOMPARE(label(window, "lblVersion")->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(label(window, "lblDescription")->text(),
                 QStringLiteral("Càculs amb progressions aritmètiques i geomètriques. Interès "
                                "comercial, anualitats de capitalització i amortització"));
        QCOMPARE(window->findChild<QPushButton *>("cmdOK")->text(), QStringLiteral("OK"));
    }

    void creditIsOneLineThatFits()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QLabel *credit = label(window, "lblDisclaimer");
        QVERIFY(credit->text().contains(QStringLiteral("2026")));
        QVERIFY(!credit->text().contains(u'\n'));
        QVERIFY(!credit->wordWrap());
        QVERIFY(QFontMetrics(credit->font()).horizontalAdvance(credit->text()) <= credit->width());
        QCOMPARE(textColour(credit), QColor(0, 0, 255));
        QCOMPARE(credit->font().pixelSize(), 13);
        QVERIFY(credit->font().bold());
    }

    void descriptionWrapsCentredInsideItsRectangle()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QLabel *description = label(window, "lblDescription");
        QVERIFY(description->wordWrap());
        QVERIFY(description->alignment() & Qt::AlignHCenter);
        const QFontMetrics metrics(description->font());
        const QRect needed = metrics.boundingRect(
            description->contentsRect(), Qt::TextWordWrap | Qt::AlignHCenter, description->text());
        QVERIFY2(needed.height() >= 2 * metrics.lineSpacing(), "the description should wrap");
        QVERIFY2(description->contentsRect().contains(needed),
                 qPrintable(
                     QStringLiteral("needs %1 x %2 px").arg(needed.width()).arg(needed.height())));
        QCOMPARE(textColour(description), QColor(0, 64, 0));
        QCOMPARE(description->font().pixelSize(), 13);
        QVERIFY(!description->font().bold());
    }

    void titleAndVersionFit()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QLabel *title = label(window, "lblTitle");
        QCOMPARE(title->font().pixelSize(), 32);
        QVERIFY(title->font().bold());
        QCOMPARE(textColour(title), QColor(0, 0, 192));
        QVERIFY(title->alignment() & Qt::AlignHCenter);
        for (QLabel *text : {title, label(window, "lblVersion")}) {
            const QFontMetrics metrics(text->font());
            QVERIFY2(metrics.horizontalAdvance(text->text()) <= text->width() &&
                         metrics.height() <= text->height(),
                     qPrintable(text->objectName()));
        }
    }

    void laidOutFromItsTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36);
        QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 9, 155, 50);
        QTest::newRow("lblVersion") << "lblVersion" << QRect(236, 24, 121, 15);
        QTest::newRow("lblDescription") << "lblDescription" << QRect(48, 87, 306, 49);
        QTest::newRow("grey line") << "Line1(1)" << QRect(6, 163, 371, 1);
        QTest::newRow("white line") << "Line1(0)" << QRect(7, 164, 370, 2);
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(12, 183, 188, 29);
        QTest::newRow("cmdOK") << "cmdOK" << QRect(283, 175, 84, 23);
    }
    void laidOutFromItsTable()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QWidget *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
        QVERIFY(control->isVisible());
    }

    void separatorIsEtched()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        const QImage shot = window->grab().toImage();
        QCOMPARE(shot.pixelColor(190, 163), QColor(128, 128, 128));
        QCOMPARE(shot.pixelColor(190, 164), QColor(255, 255, 255));
        QCOMPARE(shot.pixelColor(190, 165), QColor(255, 255, 255));
        QVERIFY(shot.pixelColor(190, 166) != QColor(255, 255, 255));
    }

    void fixedOwnerlessDialogWithoutIcon()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QCOMPARE(window->size(), QSize(382, 237));
        QCOMPARE(window->minimumSize(), QSize(382, 237));
        QCOMPARE(window->maximumSize(), QSize(382, 237));
        QVERIFY(!window->parentWidget());
        QVERIFY(!window->windowHandle()->transientParent());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        // A tool window would not keep the program running once the main window is gone.
        QVERIFY(window->testAttribute(Qt::WA_QuitOnClose));

        const QImage icon = window->windowIcon().pixmap(QSize(16, 16)).toImage();
        QVERIFY(!icon.isNull());
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x)
                QCOMPARE(icon.pixelColor(x, y).alpha(), 0);
        }
    }

    void pictureIsTheApplicationIcon()
    {
        const QImage icon = tirel::applicationIcon().pixmap(QSize(32, 32)).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x)
                colours.insert(icon.pixel(x, y));
        }
        QVERIFY2(colours.size() > 2 && colours.size() <= 16,
                 qPrintable(QString::number(colours.size())));

        AboutWindow *window = openAbout();
        QVERIFY(window);
        const QPixmap picture = label(window, "picIcon")->pixmap();
        QCOMPARE(picture.toImage().convertToFormat(icon.format()), icon);
    }

    void mainWindowCarriesTheIcon()
    {
        tirel::test::RecordingSink sink;
        tirel::MainWindow main(QLocale::c(), &sink);
        const QImage icon = tirel::applicationIcon().pixmap(QSize(32, 32)).toImage();
        QCOMPARE(main.windowIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(icon.format()),
                 icon);
    }

    // The faces the layout names are drawn by their installed stand-ins, not by whatever the
    // font system picks for an unknown name.
    void facesAndSizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::newRow("lblTitle") << "lblTitle"
                                  << "Comic Neue" << 32 << true;
        QTest::newRow("lblVersion") << "lblVersion"
                                    << "Liberation Sans" << 11 << false;
        QTest::newRow("lblDescription") << "lblDescription"
                                        << "Liberation Sans" << 13 << false;
        QTest::newRow("lblDisclaimer") << "lblDisclaimer"
                                       << "Liberation Sans" << 13 << true;
        QTest::newRow("cmdOK") << "cmdOK"
                               << "Liberation Sans" << 11 << false;
    }
    void facesAndSizes()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QWidget *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        const QFontInfo drawn(control->font());
        QCOMPARE(drawn.family(), family);
        QCOMPARE(drawn.pixelSize(), pixels);
        QCOMPARE(drawn.bold(), bold);
        QVERIFY(!drawn.italic());
    }

    void okHoldsTheFocusAndIsDefault()
    {
        AboutWindow *window = openAbout();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *ok = window->findChild<QPushButton *>("cmdOK");
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ok->isDefault());
        QWidget *first = window->nextInFocusChain();
        while (first && !(first->focusPolicy() & Qt::TabFocus))
            first = first->nextInFocusChain();
        QCOMPARE(first, ok);
    }

    void closes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Return") << "return";
        QTest::newRow("Esc") << "escape";
        QTest::newRow("OK") << "ok";
        QTest::newRow("close box") << "close box";
    }
    void closes()
    {
        QFETCH(QString, how);
        QPointer<AboutWindow> window = openAbout();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        if (how == "enter")
            QTest::keyClick(window, Qt::Key_Enter);
        else if (how == "return")
            QTest::keyClick(window, Qt::Key_Return);
        else if (how == "escape")
            QTest::keyClick(window, Qt::Key_Escape);
        else if (how == "ok")
            QTest::mouseClick(window->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        else
            window->windowHandle()->close();
        QVERIFY(!window || !window->isVisible());
        // The window is destroyed; the dialog itself stays.
        QTRY_VERIFY(!window);
        QVERIFY(!frmAbout().window());
        QCOMPARE(visibleAboutWindows(), 0);
    }

    void reopensWithItsTextsSetAnew()
    {
        QPointer<AboutWindow> first = openAbout();
        QVERIFY(first);
        first->setWindowTitle(QStringLiteral("stale"));
        label(first, "lblVersion")->setText(QStringLiteral("stale"));
        label(first, "lblTitle")->setText(QStringLiteral("stale"));
        first->close();
        QTRY_VERIFY(!first);

        AboutWindow *again = openAbout();
        QVERIFY(again);
        QCOMPARE(again->windowTitle(), QStringLiteral("About Tirel"));
        QCOMPARE(label(again, "lblVersion")->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(label(again, "lblTitle")->text(), QStringLiteral("Tirel"));
    }

    void oneDialogBroughtToTheFront()
    {
        tirel::test::RecordingSink sink;
        tirel::MainWindow main(QLocale::c(), &sink);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QAction *opQuant = menuItem(main, "OpQuant");
        QVERIFY(opQuant);
        tirel::AboutDialog *instance = &frmAbout();

        opQuant->trigger();
        QPointer<AboutWindow> window = frmAbout().window();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));

        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        opQuant->trigger();
        QCOMPARE(frmAbout().window(), window.data());
        QCOMPARE(&frmAbout(), instance);
        QCOMPARE(visibleAboutWindows(), 1);
        QVERIFY(QTest::qWaitForWindowActive(window));
        main.close();
    }

    void mainWindowKeepsWorkingAndTheLastWindowEndsTheProgram()
    {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        tirel::test::RecordingSink sink;
        tirel::MainWindow main(QLocale::c(), &sink);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        menuItem(main, "OpQuant")->trigger();
        QPointer<AboutWindow> about = frmAbout().window();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));

        // The typical press of the arithmetic section, with the dialog open.
        const QStringList given{"1", "2", "5"};
        for (int i = 0; i < given.size(); ++i)
            QTest::keyClicks(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(i))),
                             given[i]);
        QTest::mouseClick(main.findChild<QPushButton *>("OkAr"), Qt::LeftButton);
        QCOMPARE(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(3)))->text(),
                 QStringLiteral("9"));
        QCOMPARE(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(4)))->text(),
                 QStringLiteral("25"));
        QVERIFY(about->isVisible());

        // The end of the program is decided inside the event loop, as in a real run: closing
        // the main window must leave the loop running, closing the dialog then ends it.
        bool openAfterMainClosed = false;
        qsizetype signalsAfterMainClosed = -1;
        QTimer::singleShot(0, &main, [&] {
            main.close();
            QTimer::singleShot(0, [&] {
                openAfterMainClosed = about && about->isVisible();
                signalsAfterMainClosed = lastClosed.count();
                if (about)
                    about->windowHandle()->close();
            });
        });
        // Only a bound, so that a program that never ends cannot hang the test.
        QTimer stuck;
        stuck.setSingleShot(true);
        connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(2); });
        stuck.start(60000);
        const int exitCode = QApplication::exec();
        stuck.stop();

        QCOMPARE(exitCode, 0);
        QVERIFY(openAfterMainClosed);
        QCOMPARE(signalsAfterMainClosed, 0);
        QCOMPARE(lastClosed.count(), 1);
        QTRY_VERIFY(!about);
    }
};

QTEST_MAIN(AboutDialogTest)

#include "about_dialog_test.moc"
