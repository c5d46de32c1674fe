// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// "Info": Info.bat is looked for beside the program, then along PATH, never in the current
// folder; it runs detached, and every failure to start it ends in the "Info" box.
#include "platform/info_command.h"
#include "support/info_script.h"
#include "support/recording_sink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using tirel::InfoCommand;
using tirel::Message;
using tirel::MessageIcon;

namespace {

enum class Mode { Executable, Plain };

void writeFile(const QString &path, const QByteArray &content, Mode mode)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (mode == Mode::Executable)
        permissions |= QFileDevice::ExeOwner;
    QVERIFY(file.setPermissions(permissions));
}

using tirel::test::markingScript;

// Absolute paths and PATH values as the platform writes them.
QString absolute(const char *path)
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/") + QLatin1String(path);
#else
    return u'/' + QLatin1String(path);
#endif
}
QString pathValue(const QStringList &entries)
{
    return entries.join(QDir::listSeparator());
}

const Message kInfoBox{QStringLiteral("Info"), QStringLiteral("No s'ha pogut iniciar Info.bat"),
                       MessageIcon::Warning};

class RestoreCurrentFolder {
public:
    RestoreCurrentFolder() : saved_(QDir::currentPath()) {}
    ~RestoreCurrentFolder() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

} // namespace

class InfoCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir root_;
    QString programDir_;
    QString pathDir_;
    QString markDir_;
    tirel::test::RecordingSink sink_;

    QString programInfo() const { return programDir_ + QStringLiteral("/Info.bat"); }
    QString mark(const char *name) const { return markDir_ + u'/' + QLatin1String(name); }

private slots:
    void init()
    {
        QVERIFY(root_.isValid());
        const QString base = QDir::cleanPath(root_.path() + u'/' + QTest::currentTestFunction() +
                                             u'/' + QString::fromUtf8(QTest::currentDataTag()));
        // Blanks and "&" in the program's folder must stay part of the path that is started.
        programDir_ = base + QStringLiteral("/program & co");
        pathDir_ = base + QStringLiteral("/path");
        markDir_ = base + QStringLiteral("/marks");
        for (const QString &dir : {programDir_, pathDir_, markDir_})
            QVERIFY(QDir().mkpath(dir));
        sink_.clear();
    }

    void searchDirectories_data()
    {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        const QString opt = absolute("opt/tirel"), usr = absolute("usr/bin"), bin = absolute("bin");
        QTest::newRow("program folder first")
            << opt << pathValue({usr, bin}) << QStringList{opt, usr, bin};
        // An empty entry, "." and any relative folder mean the current folder.
        QTest::newRow("current folder left out")
            << opt << pathValue({"", ".", usr, "", "bin", "./tools", bin, ""})
            << QStringList{opt, usr, bin};
        QTest::newRow("no PATH") << opt << "" << QStringList{opt};
        QTest::newRow("unknown program folder") << "" << usr << QStringList{usr};
    }
    void searchDirectories()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        QCOMPARE(tirel::infoSearchDirectories(programDir, path), expected);
    }

    void lookedForBesideTheProgramFirst()
    {
        writeFile(pathDir_ + QStringLiteral("/Info.bat"), markingScript(mark("ran"), "path"),
                  Mode::Executable);
        InfoCommand command(sink_, {programDir_, pathDir_});
        QCOMPARE(command.locate(), pathDir_ + QStringLiteral("/Info.bat"));

        writeFile(programInfo(), markingScript(mark("ran"), "beside"), Mode::Executable);
        QCOMPARE(command.locate(), programInfo());
        QVERIFY(command.start());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark("ran")), 30000);
        QFile ran(mark("ran"));
        QVERIFY(ran.open(QIODevice::ReadOnly));
        QCOMPARE(ran.readAll().trimmed(), QByteArray("beside"));
        QVERIFY(sink_.messages.isEmpty());
    }

    // The script keeps running until the test releases it, so a command that waited for it
    // would come back only after it had finished.
    void startsDetachedAndReturnsAtOnce()
    {
        writeFile(programInfo(),
                  tirel::test::waitingScript(mark("started"), mark("release"), mark("finished")),
                  Mode::Executable);

        InfoCommand command(sink_, {programDir_});
        QVERIFY(command.start());
        QVERIFY(!QFile::exists(mark("finished")));
        QVERIFY(sink_.messages.isEmpty());

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark("started")), 30000);
        writeFile(mark("release"), "", Mode::Plain);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark("finished")), 30000);
    }

    void failureShowsTheBox_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no such file") << "none";
#ifndef Q_OS_WIN
        // Windows has neither execute permissions nor interpreter lines: a batch file found
        // is one the command interpreter runs.
        QTest::newRow("not executable") << "plain";
        QTest::newRow("no interpreter line") << "no interpreter";
#endif
        QTest::newRow("a folder of that name") << "folder";
        QTest::newRow("only in the current folder") << "current folder";
    }
    void failureShowsTheBox()
    {
        QFETCH(QString, kind);
        RestoreCurrentFolder restore;
        if (kind == "plain") {
            writeFile(programInfo(), markingScript(mark("ran"), "plain"), Mode::Plain);
        } else if (kind == "no interpreter") {
            writeFile(programInfo(), "echo ran > '" + mark("ran").toUtf8() + "'\n",
                      Mode::Executable);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(programInfo()));
        } else if (kind == "current folder") {
            const QString here = markDir_ + QStringLiteral("/here");
            QVERIFY(QDir().mkpath(here));
            writeFile(here + QStringLiteral("/Info.bat"), markingScript(mark("ran"), "here"),
                      Mode::Executable);
            QVERIFY(QDir::setCurrent(here));
        }

        // PATH entries that name the current folder in every way it can be named.
        const QStringList directories = tirel::infoSearchDirectories(
            programDir_, pathValue({"", ".", pathDir_, "Info.bat", ""}));
        InfoCommand command(sink_, directories);
        QVERIFY(!command.start());
        QCOMPARE(sink_.messages, QList<Message>{kInfoBox});
        QVERIFY(!QFile::exists(mark("ran")));
    }
};

QTEST_MAIN(InfoCommandTest)

#include "info_command_test.moc"
