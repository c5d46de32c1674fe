// The window at any scale factor: Qt scales the pixels, the layout in logical pixels stays the
// one of the twips table. CTest runs this program at factor 1 and once more at factor 2.
#include "support/test_main.h"
#include "window_helpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

using namespace tirel;
using tirel::test::ShownWindow;

namespace {
// What the environment asks for; the tests prove the window got it.
double requestedScale()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

// One twip is 1/15 of a logical pixel, each coordinate rounded on its own.
QRect fromTwips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    return {px(left), px(top), px(width), px(height)};
}
} // namespace

class ScaleTest : public QObject {
    Q_OBJECT

private slots:
    void windowIsDrawnAtTheRequestedScale()
    {
        ShownWindow shown;
        QVERIFY(shown.exposed);
        const double factor = requestedScale();
        QCOMPARE(shown.window->devicePixelRatioF(), factor);
        // The client area keeps its logical size; its picture has factor times the pixels.
        QCOMPARE(shown.client()->size(), QSize(619, 599));
        const QPixmap picture = shown.client()->grab();
        QCOMPARE(picture.devicePixelRatio(), factor);
        QCOMPARE(picture.size(), QSize(qRound(619 * factor), qRound(599 * factor)));
    }

    // A sample from every frame: the place relative to the container, in logical pixels.
    void geometryInLogicalPixels_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Progressions") << "Progressions" << fromTwips(160, 165, 9000, 4170);
        QTest::newRow("PAritm") << "PAritm" << fromTwips(150, 375, 8700, 1485);
        QTest::newRow("Id(0)") << "Id(0)" << fromTwips(555, 390, 615, 315);
        QTest::newRow("OkAr") << "OkAr" << fromTwips(3075, 390, 360, 315);
        QTest::newRow("LstIntrp") << "LstIntrp" << fromTwips(4965, 930, 825, 360);
        QTest::newRow("PGeom") << "PGeom" << fromTwips(180, 2055, 8700, 1845);
        QTest::newRow("Idg(5)") << "Idg(5)" << fromTwips(1680, 825, 615, 315);
        QTest::newRow("OkABg") << "OkABg" << fromTwips(4290, 1350, 495, 315);
        QTest::newRow("PInteresComercial")
            << "PInteresComercial" << fromTwips(160, 4455, 9000, 4380);
        QTest::newRow("IdI(1)") << "IdI(1)" << fromTwips(1680, 240, 555, 315);
        QTest::newRow("OkInteres(1)") << "OkInteres(1)" << fromTwips(3420, 435, 360, 315);
        QTest::newRow("Panual") << "Panual" << fromTwips(150, 2175, 8700, 1965);
        QTest::newRow("IdI(15)") << "IdI(15)" << fromTwips(4365, 1365, 915, 315);
        QTest::newRow("OkInteres(3)") << "OkInteres(3)" << fromTwips(3495, 1380, 360, 315);
    }

    void geometryInLogicalPixels()
    {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        ShownWindow shown;
        QVERIFY(shown.exposed);
        QWidget *widget = shown.find(control);
        QVERIFY2(widget, qPrintable(control));
        QCOMPARE(widget->geometry(), geometry);
    }

    // Text is sized in logical pixels too, so it fills the same share of its control at any
    // factor: the faces the layout asks for keep their pixel size.
    void fontsKeepTheirLogicalSize()
    {
        ShownWindow shown;
        QCOMPARE(shown.find<QLineEdit>("Id(0)")->font().pixelSize(), 13);
        QCOMPARE(shown.find<QPushButton>("OkAr")->font().pixelSize(), 11);
        QCOMPARE(shown.find<QComboBox>("Lstg")->font().pixelSize(), 13);
    }
};

TIREL_TEST(ScaleTest);
#include "scale_test.moc"
