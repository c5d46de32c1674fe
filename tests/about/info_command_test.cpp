// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// "Info": Info.bat is looked for beside the program, then along PATH, never in the current
// folder; it runs detached, and every failure to start it ends in the "Info" box.
#include "support/recording_sink.h"
#include "support/test_main.h"
#include "window/info_command.h"

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

// A script that leaves a mark, so a test can see it ran. The mark appears whole, by a rename, so
// a test that sees it never reads it half written.
QByteArray markingScript(const QString &mark, const QByteArray &text)
{
    const QByteArray path = mark.toUtf8();
    return "#!/bin/sh\necho " + text + " > '" + path + ".part' && mv '" + path + ".part' '" + path +
           "'\n";
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
        programDir_ = base + QStringLiteral("/program");
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
        QTest::newRow("program folder first")
            << "/opt/tirel"
            << "/usr/bin:/bin" << QStringList{"/opt/tirel", "/usr/bin", "/bin"};
        // An empty entry, "." and any relative folder mean the current folder.
        QTest::newRow("current folder left out")
            << "/opt/tirel"
            << ":.:/usr/bin::bin:./tools:/bin:" << QStringList{"/opt/tirel", "/usr/bin", "/bin"};
        QTest::newRow("no PATH") << "/opt/tirel"
                                 << "" << QStringList{"/opt/tirel"};
        QTest::newRow("unknown program folder") << ""
                                                << "/usr/bin" << QStringList{"/usr/bin"};
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
        QCOMPARE(ran.readAll(), QByteArray("beside\n"));
        QVERIFY(sink_.messages.isEmpty());
    }

    // The script keeps running until the test releases it, so a command that waited for it
    // would come back only after it had finished.
    void startsDetachedAndReturnsAtOnce()
    {
        const QByteArray script = "#!/bin/sh\n"
                                  "echo started > '" +
                                  mark("started").toUtf8() +
                                  "'\n"
                                  "echo output on the null device\n"
                                  "i=0\n"
                                  "while [ ! -e '" +
                                  mark("release").toUtf8() +
                                  "' ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i+1)); done\n"
                                  "echo finished > '" +
                                  mark("finished").toUtf8() + "'\n";
        writeFile(programInfo(), script, Mode::Executable);

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
        QTest::newRow("not executable") << "plain";
        QTest::newRow("no interpreter line") << "no interpreter";
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
            programDir_, QStringLiteral(":.:") + pathDir_ + QStringLiteral(":Info.bat:"));
        InfoCommand command(sink_, directories);
        QVERIFY(!command.start());
        QCOMPARE(sink_.messages, QList<Message>{kInfoBox});
        QVERIFY(!QFile::exists(mark("ran")));
    }
};

TIREL_TEST(InfoCommandTest);

#include "info_command_test.moc"
