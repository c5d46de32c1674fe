// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A probe loaded into the real program by Qt's own generic-plugin hook
// (QT_QPA_GENERIC_PLUGINS=tirelprobe): once the main window is up on the Wayland platform it
// checks the geometry, types and presses "Ok" through the window-system event path, opens the
// About dialog from its menu action, then closes both windows the way a compositor asks, so
// main() itself must end with exit status 0. It writes one line per step to stderr.
// The Windows check links the same probe into a copy of the program and sets
// TIREL_PROBE_PLATFORM=windows and TIREL_PROBE_LOCALE to the locale the user has chosen; there it
// also reads the native client area, starts "Info"
// when TIREL_PROBE_INFO_MARK names a file that appears once the Info.bat beside the program has
// done its work, and closes the windows with the message Windows sends when the user closes one.
#include "core/fields.h"

#include <QAction>
#include <QApplication>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#ifdef Q_OS_WIN
#include <QFile>
#include <qt_windows.h>
#endif

namespace {

QString expectedPlatform()
{
    return qEnvironmentVariable("TIREL_PROBE_PLATFORM", QStringLiteral("wayland"));
}

// The way the window system asks a window to close.
void closeWindow(QWindow *window)
{
#ifdef Q_OS_WIN
    PostMessageW(reinterpret_cast<HWND>(window->winId()), WM_CLOSE, 0, 0);
#else
    window->close();
#endif
}

QWidget *topLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    }
    return nullptr;
}

class Probe : public QObject {
public:
    Probe() { QTimer::singleShot(0, this, &Probe::run); }

private:
    bool check(bool ok, const QString &what)
    {
        std::fprintf(stderr, "%s probe: %s %s\n", qPrintable(expectedPlatform()),
                     ok ? "ok  " : "FAIL", qPrintable(what));
        std::fflush(stderr);
        if (!ok)
            QCoreApplication::exit(1);
        return ok;
    }

    // Through the window, by the route the platform plugin delivers the compositor's input.
    void click(QWindow *window, QWidget *widget)
    {
        QTest::mouseClick(window, Qt::LeftButton, {},
                          widget->mapTo(widget->window(), widget->rect().center()));
    }

    void run()
    {
        QMainWindow *main = nullptr;
        for (int i = 0; i < 200 && !main; ++i) {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top->isVisible() && qobject_cast<QMainWindow *>(top))
                    main = static_cast<QMainWindow *>(top);
            }
            if (!main)
                QTest::qWait(50);
        }
        if (!check(main && QTest::qWaitForWindowExposed(main->windowHandle(), 10000) &&
                       QGuiApplication::platformName() == expectedPlatform(),
                   QStringLiteral("main window shown on the %1 platform")
                       .arg(QGuiApplication::platformName())))
            return;
        QWindow *surface = main->windowHandle();
        const QWidget *client = main->centralWidget();
        const int menu = main->menuBar()->height();
        if (!check(client->size() == QSize(619, 599) && menu > 0 && client->y() == menu &&
                       surface->size() == QSize(619, 599 + menu),
                   QStringLiteral("client area %1x%2 at y %3 below a menu bar of %4, surface %5x%6")
                       .arg(client->width())
                       .arg(client->height())
                       .arg(client->y())
                       .arg(menu)
                       .arg(surface->width())
                       .arg(surface->height())))
            return;
#ifdef Q_OS_WIN
        RECT native{};
        GetClientRect(reinterpret_cast<HWND>(surface->winId()), &native);
        if (!check(native.right - native.left == 619 && native.bottom - native.top == 599 + menu,
                   QStringLiteral("native client area %1x%2")
                       .arg(native.right - native.left)
                       .arg(native.bottom - native.top)))
            return;
#endif

        // 1, 2, 5 into a1, d, n of the arithmetic row, then its "Ok".
        const QList<std::pair<QString, QString>> typed = {
            {tirel::fieldName(tirel::field::Id(0)), QStringLiteral("1")},
            {tirel::fieldName(tirel::field::Id(1)), QStringLiteral("2")},
            {tirel::fieldName(tirel::field::Id(2)), QStringLiteral("5")}};
        for (const auto &[name, text] : typed) {
            auto *edit = main->findChild<QLineEdit *>(name);
            click(surface, edit);
            for (const QChar c : text)
                QTest::keyClick(surface, c.toLatin1());
            if (!check(edit->text() == text, QStringLiteral("typed %1 into %2").arg(text, name)))
                return;
        }
        click(surface, main->findChild<QPushButton *>(QStringLiteral("OkAr")));
        const QString an =
            main->findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(3)))->text();
        const QString sn =
            main->findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(4)))->text();
        if (!check(an == u"9" && sn == u"25",
                   QStringLiteral("\"Ok\" wrote an = %1, Sn = %2").arg(an, sn)))
            return;

        // The user's locale as the system reports it, e.g. Wine's from LC_ALL.
        const QString locale = qEnvironmentVariable("TIREL_PROBE_LOCALE");
        if (!locale.isEmpty() &&
            !check(QLocale::system().name() == locale,
                   QStringLiteral("system locale %1").arg(QLocale::system().name())))
            return;

#ifdef Q_OS_WIN
        const QString infoMark = qEnvironmentVariable("TIREL_PROBE_INFO_MARK");
        if (!infoMark.isEmpty()) {
            main->findChild<QAction *>(QStringLiteral("OpInfo"))->trigger();
            for (int i = 0; i < 300 && !QFile::exists(infoMark); ++i)
                QTest::qWait(100);
            if (!check(QFile::exists(infoMark),
                       QStringLiteral("\"Info\" ran the Info.bat beside the program")))
                return;
        }
#endif

        main->findChild<QAction *>(QStringLiteral("OpQuant"))->trigger();
        QWidget *about = topLevel(QStringLiteral("frmAbout"));
        if (!check(about && QTest::qWaitForWindowExposed(about->windowHandle(), 10000) &&
                       about->windowTitle() == u"About Tirel" && about->size() == QSize(382, 237),
                   QStringLiteral("About dialog open")))
            return;

        // The main window first: the dialog stays and the program goes on until it closes too.
        closeWindow(surface);
        QTest::qWait(100);
        if (!check(!main->isVisible() && about->isVisible(),
                   QStringLiteral("main window closed, About still open")))
            return;
        closeWindow(about->windowHandle());
        std::fprintf(stderr, "%s probe: closed the last window\n", qPrintable(expectedPlatform()));
    }
};

class ProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "window_system_probe.json")

public:
    QObject *create(const QString &key, const QString &) override
    {
        return key == u"tirelprobe" ? new Probe : nullptr;
    }
};

} // namespace

#include "window_system_probe.moc"

#ifdef QT_STATICPLUGIN
Q_IMPORT_PLUGIN(ProbePlugin)
#endif
