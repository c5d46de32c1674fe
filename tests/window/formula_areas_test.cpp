// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The formula help areas: present as listed, under everything else, and unchanged whatever the
// user does.
#include "window/layout_widgets.h"
#include "window_helpers.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tirel;
using tirel::test::ShownWindow;

namespace {
const QColor kFormulaColour{192, 64, 0};
const QStringList kBoxes = {"Shape1", "Shape2", "Shape3", "Shape4", "Shape5", "Shape6"};
} // namespace

class FormulaAreasTest : public QObject {
    Q_OBJECT

private slots:
    void formulaLabels_data();
    void formulaLabels();
    void boxesAndBars_data();
    void boxesAndBars();
    void rateLabel();
    void exponentsStandRightAfterTheirBase_data();
    void exponentsStandRightAfterTheirBase();
    void inkKeepsApartInsideTheBox_data();
    void inkKeepsApartInsideTheBox();
    void boxIsOneSurface_data();
    void boxIsOneSurface();
    void boxesLieInTheLowestLayer();
    void unchangedByTypingPressingAndResizing();
};

void FormulaAreasTest::formulaLabels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels"); // 9.75 pt: 13 px, 8.25 pt: 11 px
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("Label30") << "Label30"
                             << "an =a1+d(n-1)" << 13 << true << true;
    QTest::newRow("Label29") << "Label29"
                             << "Sn =" << 13 << false << true;
    QTest::newRow("Label31") << "Label31"
                             << "(a1+an) n" << 13 << true << true;
    QTest::newRow("Label32") << "Label32"
                             << "2" << 13 << true << true;
    QTest::newRow("Label36") << "Label36"
                             << "an =a1·r" << 13 << true << true;
    QTest::newRow("Label37") << "Label37"
                             << "n-1" << 11 << false << false;
    QTest::newRow("Label34") << "Label34"
                             << "Sn =" << 13 << false << true;
    QTest::newRow("Label35") << "Label35"
                             << "an·r - a1" << 13 << true << true;
    QTest::newRow("Label33") << "Label33"
                             << "r-1" << 13 << true << true;
    QTest::newRow("Label38") << "Label38"
                             << "C = c (1+rt/100)" << 13 << true << true;
    QTest::newRow("Label39") << "Label39"
                             << "C = c(1+r/100)" << 13 << true << true;
    QTest::newRow("Label40") << "Label40"
                             << "t" << 11 << false << false;
    QTest::newRow("Label41") << "Label41"
                             << "a = " << 13 << true << true;
    QTest::newRow("Label43") << "Label43"
                             << "C · i" << 13 << false << false;
    QTest::newRow("Label44") << "Label44"
                             << "(1+i)((1+i) - 1)" << 13 << false << true;
    QTest::newRow("Label42") << "Label42"
                             << "t" << 11 << false << true;
    QTest::newRow("Label46") << "Label46"
                             << "a = " << 13 << true << true;
    QTest::newRow("Label47") << "Label47"
                             << "D · i · (1+i) " << 13 << false << false;
    QTest::newRow("Label49") << "Label49"
                             << "t" << 11 << false << true;
    QTest::newRow("Label48") << "Label48"
                             << "(1+i) - 1" << 13 << false << true;
    QTest::newRow("Label45") << "Label45"
                             << "t" << 11 << false << true;
}

void FormulaAreasTest::formulaLabels()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QFETCH(bool, centred);
    QFETCH(bool, transparent);
    ShownWindow shown;
    auto *label = shown.find<CaptionLabel>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->font().pixelSize(), pixels);
    QVERIFY(label->font().bold());
    QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(label->palette().color(QPalette::Active, QPalette::WindowText), kFormulaColour);
    QCOMPARE(label->isCentred(), centred);
    QCOMPARE(label->autoFillBackground(), !transparent);
    if (!transparent) // the face of the box it stands on
        QCOMPARE(label->palette().color(QPalette::Window),
                 label->palette().color(QPalette::Midlight));
    // Drawn in the formula colour.
    const QImage image = test::imageOf(label);
    int formulaPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            formulaPixels += test::colourDistance(image.pixel(x, y), kFormulaColour.rgb()) < 30;
    }
    QVERIFY(formulaPixels > 3);
}

void FormulaAreasTest::boxesAndBars_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QRect>("boxRect"); // in its frame, twips / 15 by hand
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    // Shape2 6525, 255, 1830, 1065; Line1 (7090, 990) to (8140, 990).
    QTest::newRow("arithmetic") << "Shape2" << QRect(435, 17, 122, 71) << "Line1" << QPoint(473, 66)
                                << QPoint(543, 66);
    // Shape1 6435, 435, 1830, 1065; Line2 (7035, 1170) to (8085, 1170).
    QTest::newRow("geometric") << "Shape1" << QRect(429, 29, 122, 71) << "Line2" << QPoint(469, 78)
                               << QPoint(539, 78);
    // Shape5 6105, 165, 2100, 810; Line3 (6630, 510) to (8100, 510).
    QTest::newRow("capitalisation")
        << "Shape5" << QRect(407, 11, 140, 54) << "Line3" << QPoint(442, 34) << QPoint(540, 34);
    // Shape6 6090, 1095, 2100, 810; Line4 (6600, 1485) to (8070, 1485).
    QTest::newRow("amortisation") << "Shape6" << QRect(406, 73, 140, 54) << "Line4"
                                  << QPoint(440, 99) << QPoint(538, 99);
}

void FormulaAreasTest::boxesAndBars()
{
    QFETCH(QString, box);
    QFETCH(QRect, boxRect);
    QFETCH(QString, bar);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    ShownWindow shown;
    auto *shape = shown.find<BoxShape>(box);
    QVERIFY(shape);
    QCOMPARE(shape->geometry(), boxRect);
    auto *line = shown.find<LineShape>(bar);
    QVERIFY(line);
    QCOMPARE(line->parentWidget(), shape->parentWidget());
    QCOMPARE(line->from(), from);
    QCOMPARE(line->to(), to);
    // The frame's pixels: the bar one pixel high in the formula colour, the box filled with
    // the 3-D light colour.
    const QImage image = test::imageOf(shape->parentWidget());
    for (int x = from.x(); x <= to.x(); ++x) {
        QCOMPARE(QColor(image.pixel(x, from.y())), kFormulaColour);
        QVERIFY(QColor(image.pixel(x, from.y() - 1)) != kFormulaColour);
        QVERIFY(QColor(image.pixel(x, from.y() + 1)) != kFormulaColour);
    }
    const QRgb midlight = shape->palette().color(QPalette::Midlight).rgb();
    QCOMPARE(image.pixel(boxRect.left() + 3, boxRect.top() + 3), midlight);
    QCOMPARE(image.pixel(boxRect.right() - 3, boxRect.bottom() - 3), midlight);
}

void FormulaAreasTest::rateLabel()
{
    ShownWindow shown;
    auto *label = shown.find<CaptionLabel>("Label50");
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("i = r/100"));
    QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Panual"));
    // 5190, 270, 900, 345.
    QCOMPARE(label->geometry(), QRect(346, 18, 60, 23));
    QCOMPARE(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(label->font().pixelSize(), 13);
    QVERIFY(label->font().bold());
    QVERIFY(!label->autoFillBackground());
    QCOMPARE(shown.find<CaptionLabel>("Label30")->palette().color(QPalette::WindowText),
             kFormulaColour);
}

void FormulaAreasTest::exponentsStandRightAfterTheirBase_data()
{
    QTest::addColumn<QString>("exponent");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("raised"); // the start of the base's text the exponent belongs to
    QTest::newRow("an = a1·r^(n-1)") << "Label37"
                                     << "Label36"
                                     << "an =a1·r";
    QTest::newRow("C = c(1+r/100)^t") << "Label40"
                                      << "Label39"
                                      << "C = c(1+r/100)";
    QTest::newRow("(1+i)((1+i)^t - 1)") << "Label42"
                                        << "Label44"
                                        << "(1+i)((1+i)";
    QTest::newRow("D·i·(1+i)^t") << "Label49"
                                 << "Label47"
                                 << "D · i · (1+i)";
    QTest::newRow("(1+i)^t - 1") << "Label45"
                                 << "Label48"
                                 << "(1+i)";
}

// By the metrics of the faces actually drawn: an exponent starts within a few pixels after the
// ink of what it raises, sits clearly above its baseline, keeps off the next character, and an
// exponent with a background of its own covers none of the base's ink.
void FormulaAreasTest::exponentsStandRightAfterTheirBase()
{
#ifdef Q_OS_WIN
    QSKIP("Measures the ink of the free faces as fontconfig draws them: on Windows the offscreen "
          "platform draws them through Qt's own FreeType settings, and a desktop its real faces");
#endif
    QFETCH(QString, exponent);
    QFETCH(QString, base);
    QFETCH(QString, raised);
    ShownWindow shown;
    auto *power = shown.find<CaptionLabel>(exponent);
    auto *line = shown.find<CaptionLabel>(base);
    QVERIFY(power && line);
    QCOMPARE(power->parentWidget(), line->parentWidget());
    QVERIFY(line->text().startsWith(raised));

    const QFontMetricsF lineMetrics(line->font());
    const QFontMetricsF powerMetrics(power->font());
    auto textStart = [](const CaptionLabel *label, const QFontMetricsF &metrics) {
        const qreal slack = label->width() - metrics.horizontalAdvance(label->text());
        return label->x() + (label->isCentred() ? slack / 2 : 0.0);
    };
    const qreal lineX = textStart(line, lineMetrics);
    const qreal lineBaseline = line->y() + line->baseline();
    const QRectF raisedInk = lineMetrics.tightBoundingRect(raised).translated(lineX, lineBaseline);
    const QRectF powerInk =
        powerMetrics.tightBoundingRect(power->text())
            .translated(textStart(power, powerMetrics), power->y() + power->baseline());

    const qreal gap = powerInk.left() - raisedInk.right();
    QVERIFY2(gap >= 0 && gap <= 2.5, qPrintable(QStringLiteral("gap of %1 px").arg(gap)));
    QVERIFY2(power->y() + power->baseline() <= lineBaseline - 3,
             qPrintable(QStringLiteral("baselines %1 and %2")
                            .arg(power->y() + power->baseline())
                            .arg(lineBaseline)));
    QVERIFY(powerInk.top() < raisedInk.top());
    if (power->autoFillBackground())
        QVERIFY2(power->x() >= raisedInk.right(), "its background covers the base");

    // The first character after the raised part and its blanks, if any.
    qsizetype index = raised.size();
    while (index < line->text().size() && line->text().at(index).isSpace())
        ++index;
    if (index < line->text().size()) {
        const QRectF nextInk =
            lineMetrics.tightBoundingRect(line->text().at(index))
                .translated(lineX + lineMetrics.horizontalAdvance(line->text().left(index)),
                            lineBaseline);
        QVERIFY2(!powerInk.intersects(nextInk),
                 qPrintable(QStringLiteral("touches \"%1\"").arg(line->text().at(index))));
    }
}

void FormulaAreasTest::inkKeepsApartInsideTheBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("labels");
    QTest::newRow("arithmetic") << "Shape2" << 4;
    QTest::newRow("geometric") << "Shape1" << 5;
    QTest::newRow("simple interest") << "Shape3" << 1;
    QTest::newRow("compound interest") << "Shape4" << 2;
    QTest::newRow("capitalisation") << "Shape5" << 4;
    QTest::newRow("amortisation") << "Shape6" << 5;
}

// The solid ink of every label of an area, each drawn alone: no pixel belongs to two labels or
// to a label and a fraction bar, and all of it lies inside the box's outline.
void FormulaAreasTest::inkKeepsApartInsideTheBox()
{
    QFETCH(QString, box);
    QFETCH(int, labels);
    ShownWindow shown;
    auto *shape = shown.find<BoxShape>(box);
    QVERIFY(shape);
    const QRect inside = shape->geometry().adjusted(1, 1, -1, -1);
    QHash<QPoint, QString> owner;
    int seen = 0;
    for (QObject *child : shape->parentWidget()->children()) {
        auto *label = qobject_cast<CaptionLabel *>(child);
        if (!label || !label->geometry().intersects(shape->geometry()))
            continue;
        ++seen;
        const QImage image = test::imageOf(label);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (test::colourDistance(image.pixel(x, y), kFormulaColour.rgb()) >= 60)
                    continue;
                ++ink;
                const QPoint at = label->pos() + QPoint(x, y);
                QVERIFY2(inside.contains(at), qPrintable(label->objectName() + " leaves the box"));
                const QString other = owner.value(at);
                QVERIFY2(other.isEmpty(), qPrintable(label->objectName() + " overlaps " + other));
                owner.insert(at, label->objectName());
            }
        }
        QVERIFY2(ink > 3, qPrintable(label->objectName()));
    }
    QCOMPARE(seen, labels);
    for (QObject *child : shape->parentWidget()->children()) {
        auto *bar = qobject_cast<LineShape *>(child);
        if (!bar || !bar->geometry().intersects(shape->geometry()))
            continue;
        for (int x = bar->from().x(); x <= bar->to().x(); ++x) {
            const QPoint at(x, bar->from().y());
            QVERIFY2(inside.contains(at), qPrintable(bar->objectName()));
            QVERIFY2(owner.value(at).isEmpty(),
                     qPrintable(owner.value(at) + " crosses " + bar->objectName()));
        }
    }
}

void FormulaAreasTest::boxIsOneSurface_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<double>("factor");
    for (const QString &box : kBoxes) {
        for (const double factor : {1.0, 1.5})
            QTest::addRow("%s at %g", qPrintable(box), factor) << box << factor;
    }
}

// Rendered as a screen at the scale factor shows it: every device pixel inside the box's outline
// has the box's colour, but for the ink of the texts and bars on it (a pixel around each for its
// antialiased edge).
void FormulaAreasTest::boxIsOneSurface()
{
    QFETCH(QString, box);
    QFETCH(double, factor);
    ShownWindow shown;
    auto *shape = shown.find<BoxShape>(box);
    QWidget *frame = shape->parentWidget();
    QImage image((QSizeF(frame->size()) * factor).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(factor);
    frame->render(&image);
    QRegion ink;
    for (QObject *child : frame->children()) {
        if (auto *label = qobject_cast<CaptionLabel *>(child)) {
            const QFontMetricsF metrics(label->font());
            const qreal slack = label->width() - metrics.horizontalAdvance(label->text());
            const QPointF origin =
                label->pos() + QPointF(label->isCentred() ? slack / 2 : 0, label->baseline());
            ink += metrics.tightBoundingRect(label->text()).translated(origin).toAlignedRect();
        } else if (auto *bar = qobject_cast<LineShape *>(child)) {
            ink += bar->pixels();
        }
    }
    const QRgb face = shape->palette().color(QPalette::Midlight).rgb();
    const QRectF inside = shape->geometry().adjusted(2, 2, -2, -2);
    int surface = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPointF at((x + 0.5) / factor, (y + 0.5) / factor);
            const QPoint pixel(static_cast<int>(at.x()), static_cast<int>(at.y()));
            if (!inside.contains(at) || ink.intersects(QRect(pixel - QPoint(1, 1), QSize(3, 3))))
                continue;
            ++surface;
            QVERIFY2(image.pixel(x, y) == face,
                     qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
    QVERIFY(surface > shape->width() * shape->height() * factor * factor / 3);
}

void FormulaAreasTest::boxesLieInTheLowestLayer()
{
    ShownWindow shown;
    int above = 0;
    for (const QString &name : kBoxes) {
        QWidget *box = shown.find(name);
        QVERIFY2(box, qPrintable(name));
        const QObjectList siblings = box->parentWidget()->children();
        const qsizetype boxIndex = siblings.indexOf(box);
        for (qsizetype k = 0; k < siblings.size(); ++k) {
            auto *other = qobject_cast<QWidget *>(siblings[k]);
            if (!other || other == box || !other->geometry().intersects(box->geometry()))
                continue;
            // Labels, lines and every control lie above the box.
            QVERIFY2(k > boxIndex, qPrintable(other->objectName() + " below " + name));
            ++above;
        }
    }
    QVERIFY(above >= 21 + 4);
}

void FormulaAreasTest::unchangedByTypingPressingAndResizing()
{
    ShownWindow shown;
    auto areaImages = [&] {
        QList<QImage> images;
        for (const QString &name : kBoxes) {
            QWidget *box = shown.find(name);
            // The area as drawn in its frame, labels and bars included.
            const QRect area = box->geometry().adjusted(-2, -12, 2, 2);
            images << box->parentWidget()->grab(area).toImage();
        }
        return images;
    };
    const QList<QImage> before = areaImages();
    for (const FieldId id :
         {field::Id(0),   field::Id(1),   field::Id(2),   field::Idg(0), field::Idg(1),
          field::Idg(2),  field::IdI(0),  field::IdI(1),  field::IdI(2), field::IdI(4),
          field::IdI(5),  field::IdI(6),  field::IdI(8),  field::IdI(9), field::IdI(10),
          field::IdI(12), field::IdI(13), field::IdI(14), field::IdK,    field::IdA,
          field::IdB})
        QTest::keyClicks(shown.edit(id), QStringLiteral("3"));
    for (QPushButton *button : shown.window->findChildren<QPushButton *>())
        QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(shown.edit(field::Idg(5)), Qt::LeftButton);
    QVERIFY(!shown.edit(field::Id(3))->text().isEmpty());
    shown.window->resize(800, 700);
    QTRY_COMPARE(shown.window->size(), QSize(800, 700));
    const QList<QImage> after = areaImages();
    for (qsizetype i = 0; i < before.size(); ++i)
        QVERIFY2(before[i] == after[i], qPrintable(kBoxes[i]));
}

QTEST_MAIN(FormulaAreasTest)
#include "formula_areas_test.moc"
