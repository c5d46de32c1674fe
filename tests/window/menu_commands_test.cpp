// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Info" item of the window's menu: an Info.bat beside the program runs; with none to be
// found, or one only in the current folder, a real modal box says so, and the window goes on
// working.
#include "support/info_script.h"
#include "support/recording_sink.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
};

// Closes the first message box that opens by clicking its OK button, as a user would.
void closeNextBox(SeenBox &seen)
{
    QTimer::singleShot(0, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return closeNextBox(seen);
        seen = {box->windowTitle(), box->text(), box->icon(), true};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

// Closes every message box that opens while it lives by clicking its OK button, and remembers
// the last one.
class BoxCloser : public QObject {
public:
    BoxCloser() { arm(); }
    SeenBox seen;

private:
    void arm()
    {
        QTimer::singleShot(0, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen = {box->windowTitle(), box->text(), box->icon(), true};
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
            arm();
        });
    }
};

// A file that exists for the life of the object.
class ScopedFile {
public:
    ScopedFile(const QString &path, const QByteArray &script) : path_(path)
    {
        QFile file(path);
        ok_ = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              file.write(script) == script.size();
        file.close();
        ok_ = ok_ && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner);
    }
    // On Windows a batch file that is still being run stays until the interpreter lets it go.
    ~ScopedFile()
    {
        QFile::remove(path_);
        for (int i = 0; i < 100 && QFile::exists(path_); ++i) {
            QThread::msleep(100);
            QFile::remove(path_);
        }
    }
    bool ok() const { return ok_; }

private:
    QString path_;
    bool ok_ = false;
};

class RestoreCurrentFolder {
public:
    RestoreCurrentFolder() : saved_(QDir::currentPath()) {}
    ~RestoreCurrentFolder() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

class ScopedPath {
public:
    explicit ScopedPath(const QByteArray &value) : saved_(qgetenv("PATH"))
    {
        qputenv("PATH", value);
    }
    ~ScopedPath() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

} // namespace

class MenuCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void infoWithoutBatchFileShowsTheBox()
    {
        QTemporaryDir emptyPath;
        QVERIFY(emptyPath.isValid());
        ScopedPath path(emptyPath.path().toUtf8());

        tirel::test::RecordingSink sink;
        tirel::MainWindow main(QLocale::c(), &sink);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto *opInfo = main.findChild<QAction *>("OpInfo");
        QVERIFY(opInfo);

        SeenBox seen;
        closeNextBox(seen);
        opInfo->trigger();
        QVERIFY(seen.seen);
        QCOMPARE(seen.title, QStringLiteral("Info"));
        QCOMPARE(seen.text, QStringLiteral("No s'ha pogut iniciar Info.bat"));
        QCOMPARE(seen.icon, QMessageBox::Warning);

        QTest::keyClicks(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(0))), "1");
        QTest::keyClicks(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(1))), "2");
        QTest::keyClicks(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(2))), "5");
        QTest::mouseClick(main.findChild<QPushButton *>("OkAr"), Qt::LeftButton);
        QCOMPARE(main.findChild<QLineEdit *>(tirel::fieldName(tirel::field::Id(3)))->text(),
                 QStringLiteral("9"));
        main.close();
    }

    // Through the real search: the program's folder is the test program's own.
    void infoRunsTheBatchFileBesideTheProgramOnly_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::newRow("beside the program") << true;
        QTest::newRow("only in the current folder, PATH naming it") << false;
    }
    void infoRunsTheBatchFileBesideTheProgramOnly()
    {
        QFETCH(bool, beside);
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString mark = work.filePath(QStringLiteral("ran"));
        const QByteArray script = tirel::test::echoScript(mark, "ran");
        const QString besideProgram =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Info.bat"));
        const QString inCurrent = work.filePath(QStringLiteral("Info.bat"));
        ScopedFile batch(beside ? besideProgram : inCurrent, script);
        QVERIFY(batch.ok());
        QCOMPARE(QFile::exists(besideProgram), beside);
        RestoreCurrentFolder restore;
        QVERIFY(QDir::setCurrent(work.path()));
        const QStringList pathEntries{".", "", work.filePath(QStringLiteral("empty"))};
        ScopedPath path(pathEntries.join(QDir::listSeparator()).toUtf8());

        tirel::test::RecordingSink sink;
        tirel::MainWindow main(QLocale::c(), &sink);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        BoxCloser closer;
        main.findChild<QAction *>("OpInfo")->trigger();
        if (beside) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 30000);
            QVERIFY(!closer.seen.seen);
        } else {
            QVERIFY(closer.seen.seen);
            QCOMPARE(closer.seen.text, QStringLiteral("No s'ha pogut iniciar Info.bat"));
            QVERIFY(!QFile::exists(mark));
        }
        QVERIFY(sink.messages.isEmpty());
        main.close();
    }
};

QTEST_MAIN(MenuCommandsTest)

#include "menu_commands_test.moc"
