// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window at any scale factor: Qt scales the pixels, the layout in logical pixels stays the
// one of the twips table. CTest runs this program at factor 1; the pictures at other factors are
// rendered here with every widget at its fractional place in device pixels, as on a screen.
#include "window/layout_widgets.h"
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

// What a widget draws alone at its place in the window at a scale factor, as a screen at that
// factor shows it: the bounding box of the device pixels it paints other than its background.
QRectF inkOf(QWidget *widget, double factor)
{
    const QRect place(widget->mapTo(widget->window(), QPoint()), widget->size());
    QImage image((QSizeF(widget->window()->size()) * factor).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(factor);
    image.fill(Qt::green);
    widget->render(&image, place.topLeft());
    const QList<QRgb> blank = {qRgb(0, 255, 0), widget->palette().color(QPalette::Window).rgb()};
    const QRect area = QTransform::fromScale(factor, factor).mapRect(QRectF(place)).toAlignedRect();
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!blank.contains(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
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
        test::controlRow(fieldName(field::Id(0))) << fromTwips(555, 390, 615, 315);
        QTest::newRow("OkAr") << "OkAr" << fromTwips(3075, 390, 360, 315);
        test::controlRow(listName(ListId::LstIntrp)) << fromTwips(4965, 930, 825, 360);
        QTest::newRow("PGeom") << "PGeom" << fromTwips(180, 2055, 8700, 1845);
        test::controlRow(fieldName(field::Idg(5))) << fromTwips(1680, 825, 615, 315);
        QTest::newRow("OkABg") << "OkABg" << fromTwips(4290, 1350, 495, 315);
        QTest::newRow("PInteresComercial")
            << "PInteresComercial" << fromTwips(160, 4455, 9000, 4380);
        test::controlRow(fieldName(field::IdI(1))) << fromTwips(1680, 240, 555, 315);
        QTest::newRow("OkInteres(1)") << "OkInteres(1)" << fromTwips(3420, 435, 360, 315);
        QTest::newRow("Panual") << "Panual" << fromTwips(150, 2175, 8700, 1965);
        test::controlRow(fieldName(field::IdI(15))) << fromTwips(4365, 1365, 915, 315);
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
        QCOMPARE(shown.edit(field::Id(0))->font().pixelSize(), 13);
        QCOMPARE(shown.find<QPushButton>("OkAr")->font().pixelSize(), 11);
        QCOMPARE(shown.combo(ListId::Lstg)->font().pixelSize(), 13);
    }

    void drawnWholeAtEveryScale_data()
    {
        QTest::addColumn<double>("factor");
        for (int quarters = 4; quarters <= 12; ++quarters)
            QTest::addRow("%g", quarters / 4.0) << quarters / 4.0;
    }

    // Each fraction bar and each label draws what it draws at scale 1, scaled, within a logical
    // pixel: no bar vanishes outside the pixels it may paint, no text is cut off.
    void drawnWholeAtEveryScale()
    {
        QFETCH(double, factor);
        ShownWindow shown;
        QList<QWidget *> drawn;
        for (QWidget *bar : shown.window->findChildren<LineShape *>())
            drawn << bar;
        QCOMPARE(drawn.size(), 4);
        for (QWidget *label : shown.window->findChildren<CaptionLabel *>())
            drawn << label;
        const QMarginsF slack(factor + 0.5, factor + 0.5, factor + 0.5, factor + 0.5);
        for (QWidget *widget : drawn) {
            const QRectF one = inkOf(widget, 1), got = inkOf(widget, factor);
            const QRectF want = QTransform::fromScale(factor, factor).mapRect(one);
            QVERIFY2(!one.isEmpty() && want.marginsAdded(slack).contains(got) &&
                         got.marginsAdded(slack).contains(want),
                     qPrintable(widget->objectName()));
        }
    }
};

QTEST_MAIN(ScaleTest)
#include "scale_test.moc"
