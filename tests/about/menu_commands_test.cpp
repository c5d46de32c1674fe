// The "Info" item of the window's menu: with no Info.bat to be found, a real modal box says so,
// and the window goes on working.
#include "support/recording_sink.h"
#include "support/test_main.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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

        QTest::keyClicks(main.findChild<QLineEdit *>("Id(0)"), "1");
        QTest::keyClicks(main.findChild<QLineEdit *>("Id(1)"), "2");
        QTest::keyClicks(main.findChild<QLineEdit *>("Id(2)"), "5");
        QTest::mouseClick(main.findChild<QPushButton *>("OkAr"), Qt::LeftButton);
        QCOMPARE(main.findChild<QLineEdit *>("Id(3)")->text(), QStringLiteral("9"));
        main.close();
    }
};

TIREL_TEST(MenuCommandsTest);

#include "menu_commands_test.moc"
