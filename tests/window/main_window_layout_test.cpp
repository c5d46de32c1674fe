// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as the user sees it: places, sizes, fonts, colours, captions, focus order and
// the state at start.
#include "window/layout_widgets.h"
#include "window_helpers.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QTest>
#include <limits>

using namespace tirel;
using tirel::test::operableControls;
using tirel::test::ShownWindow;

namespace {

QString focusName(QWidget *widget)
{
    if (!widget)
        return QStringLiteral("<none>");
    if (auto *combo = qobject_cast<QComboBox *>(widget->parentWidget()))
        return combo->objectName();
    return widget->objectName();
}

// The columns of an image that hold ink, in the rows [top, bottom].
QList<int> inkColumns(const QImage &image, QRgb background)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (test::colourDistance(image.pixel(x, y), background) > test::kInkThreshold) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowFrame();
    void absolutePositions_data();
    void absolutePositions();
    void noInteractiveControlsOverlap();
    void interactiveControlsAboveLabels();
    void captionsFitTheirRectangles();
    void blankStretchLabelsReadAsIntended_data();
    void blankStretchLabelsReadAsIntended();
    void fontsAndColours();
    void fieldsAcceptAnyText();
    void menu();
    void initialState();
    void greyedSumLabel();
    void focusOrder();
    void resizingMovesNothing();
};

void MainWindowLayoutTest::windowFrame()
{
    ShownWindow shown;
    QVERIFY(shown.exposed);
    QCOMPARE(shown.window->windowTitle(), QStringLiteral("Progressions - Interès"));
    // 9285 x 8985 twips below the menu bar.
    QCOMPARE(shown.client()->size(), QSize(619, 599));
    QCOMPARE(shown.client()->y(), shown.window->menuBar()->height());
    const Qt::WindowFlags flags = shown.window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(shown.window->minimumSize() != shown.window->maximumSize());
    QVERIFY(shown.window->findChildren<QScrollArea *>().isEmpty());
    const QColor background = shown.client()->palette().color(QPalette::Window);
    QCOMPARE(background, QColor(0, 0, 128));
    QVERIFY(shown.client()->autoFillBackground());
}

void MainWindowLayoutTest::absolutePositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");
    // Twips / 15, each rounded; the container offsets added by hand:
    // Progressions (160, 165) -> (11, 11); PAritm (150, 375) -> (10, 25);
    // PGeom (180, 2055) -> (12, 137); PInteresComercial (160, 4455) -> (11, 297);
    // PInteres (150, 375) -> (10, 25); PCompost (150, 1125) -> (10, 75);
    // Panual (150, 2175) -> (10, 145).
    QTest::newRow("Progressions") << "Progressions" << QRect(11, 11, 600, 278);
    QTest::newRow("PAritm") << "PAritm" << QRect(11 + 10, 11 + 25, 580, 99);
    QTest::newRow("PGeom") << "PGeom" << QRect(11 + 12, 11 + 137, 580, 123);
    QTest::newRow("PInteresComercial") << "PInteresComercial" << QRect(11, 297, 600, 292);
    QTest::newRow("Panual") << "Panual" << QRect(11 + 10, 297 + 145, 580, 131);
    // Id(0): 555, 390, 615, 315.
    test::controlRow(fieldName(field::Id(0))) << QRect(11 + 10 + 37, 11 + 25 + 26, 41, 21);
    // OkAr: 3075, 390, 360, 315.
    QTest::newRow("OkAr") << "OkAr" << QRect(11 + 10 + 205, 11 + 25 + 26, 24, 21);
    // IdA: 2835, 915, 400, 315 (26.7 px wide).
    test::controlRow(fieldName(field::IdA)) << QRect(11 + 10 + 189, 11 + 25 + 61, 27, 21);
    // LstIntrp: 4965, 930, 825, 360.
    test::controlRow(listName(ListId::LstIntrp)) << QRect(11 + 10 + 331, 11 + 25 + 62, 55, 24);
    // Idg(5): 1680, 825, 615, 315.
    test::controlRow(fieldName(field::Idg(5))) << QRect(11 + 12 + 112, 11 + 137 + 55, 41, 21);
    // EtS: 1260, 885, 345, 315.
    QTest::newRow("EtS") << "EtS" << QRect(11 + 12 + 84, 11 + 137 + 59, 23, 21);
    // OkGe: 3105, 405, 360, 315.
    QTest::newRow("OkGe") << "OkGe" << QRect(11 + 12 + 207, 11 + 137 + 27, 24, 21);
    // Lstg: 4980, 1350, 825, 360.
    test::controlRow(listName(ListId::Lstg)) << QRect(11 + 12 + 332, 11 + 137 + 90, 55, 24);
    // IdI(1): 1680, 240, 555, 315.
    test::controlRow(fieldName(field::IdI(1))) << QRect(11 + 10 + 112, 297 + 25 + 16, 37, 21);
    // Label18: 1440, 300, 1455, 315.
    QTest::newRow("Label18") << "Label18" << QRect(11 + 10 + 96, 297 + 25 + 20, 97, 21);
    // OkInteres(1): 3420, 435, 360, 315.
    QTest::newRow("OkInteres(1)") << "OkInteres(1)" << QRect(11 + 10 + 228, 297 + 75 + 29, 24, 21);
    // Label16: 120, 1140, 1140, 210.
    QTest::newRow("Label16") << "Label16" << QRect(11 + 10 + 8, 297 + 145 + 76, 76, 14);
    // IdI(15): 4365, 1365, 915, 315.
    test::controlRow(fieldName(field::IdI(15))) << QRect(11 + 10 + 291, 297 + 145 + 91, 61, 21);
}

void MainWindowLayoutTest::absolutePositions()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    ShownWindow shown;
    QWidget *widget = shown.find(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(shown.inClient(widget), expected);
}

void MainWindowLayoutTest::noInteractiveControlsOverlap()
{
    ShownWindow shown;
    const QList<QWidget *> controls = operableControls(shown);
    // 33 fields, 2 combo boxes, 8 buttons.
    QCOMPARE(controls.size(), 33 + 2 + 8);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!shown.inClient(controls[i]).intersects(shown.inClient(controls[j])),
                     qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
        }
    }
}

void MainWindowLayoutTest::interactiveControlsAboveLabels()
{
    ShownWindow shown;
    int overlaps = 0;
    for (QWidget *control : operableControls(shown)) {
        const QObjectList siblings = control->parentWidget()->children();
        const qsizetype controlIndex = siblings.indexOf(control);
        for (qsizetype k = 0; k < siblings.size(); ++k) {
            auto *label = qobject_cast<QLabel *>(siblings[k]);
            if (!label || !label->geometry().intersects(control->geometry()))
                continue;
            ++overlaps;
            // Later siblings are drawn above earlier ones.
            QVERIFY2(k < controlIndex,
                     qPrintable(label->objectName() + " above " + control->objectName()));
        }
    }
    // The blank-stretch labels lie under their fields.
    QVERIFY(overlaps >= 12);
}

void MainWindowLayoutTest::captionsFitTheirRectangles()
{
#ifdef Q_OS_WIN
    QSKIP("Measures the ink of the free faces as fontconfig draws them: on Windows the offscreen "
          "platform draws them through Qt's own FreeType settings, and a desktop its real faces");
#endif
    ShownWindow shown;
    const QList<QLabel *> labels = shown.window->findChildren<QLabel *>();
    QVERIFY(labels.size() >= 30);
    for (QLabel *label : labels) {
        // Text that is cut at the right, top or bottom leaves ink in the outermost pixels.
        const QImage image = test::imageOf(label);
        const QRgb background = test::backgroundOf(image);
        for (int y = 0; y < image.height(); ++y) {
            QVERIFY2(test::colourDistance(image.pixel(image.width() - 1, y), background) <=
                         test::kInkThreshold,
                     qPrintable(label->objectName() + " cut at the right"));
        }
        for (int x = 0; x < image.width(); ++x) {
            QVERIFY2(test::colourDistance(image.pixel(x, 0), background) <= test::kInkThreshold,
                     qPrintable(label->objectName() + " cut at the top"));
            QVERIFY2(test::colourDistance(image.pixel(x, image.height() - 1), background) <=
                         test::kInkThreshold,
                     qPrintable(label->objectName() + " cut at the bottom"));
        }
        // And the whole text, by the metrics of its font, is no wider than the rectangle.
        const auto *caption = qobject_cast<CaptionLabel *>(label);
        QVERIFY(caption);
        const QFontMetricsF metrics(label->font());
        if (caption->pieces().isEmpty()) {
            QVERIFY2(metrics.horizontalAdvance(label->text().trimmed()) <= label->width(),
                     qPrintable(label->objectName()));
        }
        for (const CaptionLabel::PlacedPiece &piece : caption->pieces()) {
            QVERIFY2(piece.x >= 0 &&
                         piece.x + metrics.horizontalAdvance(piece.text) <= label->width(),
                     qPrintable(label->objectName() + ": " + piece.text));
        }
        QVERIFY2(metrics.tightBoundingRect(label->text()).height() < label->height(),
                 qPrintable(label->objectName()));
    }
    for (FrameBox *frame : shown.window->findChildren<FrameBox *>())
        QVERIFY2(frame->rect().contains(frame->captionRect()), qPrintable(frame->objectName()));
    for (QPushButton *button : shown.window->findChildren<QPushButton *>()) {
        const QFontMetrics metrics(button->font());
        QVERIFY2(metrics.horizontalAdvance(button->text()) + 4 <= button->width() &&
                     metrics.height() <= button->height(),
                 qPrintable(button->objectName()));
    }
}

void MainWindowLayoutTest::blankStretchLabelsReadAsIntended_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("leftField");  // the field over the long blank stretch
    QTest::addColumn<QString>("rightField"); // the next field of the row
    QTest::addColumn<bool>("between");       // the middle piece centred between the two
    const QString rate = QStringLiteral("r =              %   t =");
    const QString terms = QStringLiteral("termes  entre              i  ");
    QTest::newRow("Label18") << "Label18" << rate << fieldName(field::IdI(1))
                             << fieldName(field::IdI(2)) << false;
    QTest::newRow("Label21") << "Label21" << rate << fieldName(field::IdI(5))
                             << fieldName(field::IdI(6)) << false;
    QTest::newRow("Label23") << "Label23" << rate << fieldName(field::IdI(9))
                             << fieldName(field::IdI(10)) << false;
    QTest::newRow("Label26") << "Label26" << rate << fieldName(field::IdI(13))
                             << fieldName(field::IdI(14)) << false;
    QTest::newRow("Label7") << "Label7" << terms << fieldName(field::IdA) << fieldName(field::IdB)
                            << true;
    QTest::newRow("Label13") << "Label13" << terms << fieldName(field::IdAg)
                             << fieldName(field::IdBg) << true;
}

void MainWindowLayoutTest::blankStretchLabelsReadAsIntended()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QString, leftField);
    QFETCH(QString, rightField);
    QFETCH(bool, between);
    ShownWindow shown;
    auto *widget = shown.find<QLabel>(label);
    QVERIFY(widget);
    QCOMPARE(widget->text(), text);

    // The label drawn alone, with the fields' rectangles in its coordinates.
    const QImage image = test::imageOf(widget);
    const QRgb background = test::backgroundOf(image);
    const QRect left = shown.find(leftField)->geometry().translated(-widget->pos());
    const QRect right = shown.find(rightField)->geometry().translated(-widget->pos());
    const QRect area = image.rect();

    // No visible character lies under a field.
    for (const QRect &field : {left, right}) {
        const QRect covered = field.intersected(area);
        for (int y = covered.top(); y <= covered.bottom(); ++y) {
            for (int x = covered.left(); x <= covered.right(); ++x) {
                QVERIFY2(test::colourDistance(image.pixel(x, y), background) <= test::kInkThreshold,
                         qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            }
        }
    }

    const QList<int> columns = inkColumns(image, background);
    QVERIFY(!columns.isEmpty());
    // The first piece stands at the label's start, before the first field.
    QVERIFY(columns.first() <= 2);
    QVERIFY(std::any_of(columns.cbegin(), columns.cend(), [&](int x) { return x < left.left(); }));
    QList<int> middle;
    for (int x : columns) {
        if (x > left.right() && x < right.left())
            middle.append(x);
    }
    QVERIFY2(!middle.isEmpty(), "nothing between the fields");
    const QFontMetricsF metrics(widget->font());
    if (between) {
        // "i" halfway between A and B.
        const qreal centre = (middle.first() + middle.last() + 1) / 2.0;
        QVERIFY(std::abs(centre - (left.right() + 1 + right.left()) / 2.0) <= 2);
        QVERIFY(middle.last() - middle.first() + 1 <=
                metrics.horizontalAdvance(QStringLiteral("i")) + 2);
    } else {
        // "%" right after the rate field, "t =" right before the time field, and a gap
        // between them.
        QVERIFY(middle.first() - left.right() <= 5);
        QVERIFY(right.left() - middle.last() <= 5);
        int gaps = 0;
        for (qsizetype i = 1; i < middle.size(); ++i)
            gaps += middle[i] - middle[i - 1] > 3 ? 1 : 0;
        QVERIFY2(gaps >= 1, "\"%\" and \"t =\" run together");
        // Nothing after the time field: the label ends under it.
        QVERIFY(columns.last() < right.left());
    }
}

void MainWindowLayoutTest::fontsAndColours()
{
    ShownWindow shown;
    auto familyOf = [&](const QString &name) {
        return QFontInfo(shown.find(name)->font()).family();
    };
    QCOMPARE(familyOf("Label1"), QStringLiteral("Liberation Sans"));
    QCOMPARE(familyOf(fieldName(field::Id(0))), QStringLiteral("Liberation Sans"));
    // URW's OpenType file, named by its foundry where Type 1 copies of the face stand beside it.
    const QString narrow = QStringLiteral("Nimbus Sans Narrow");
    const QString openType = narrow + QStringLiteral(" [UKWN]");
    QCOMPARE(familyOf("Etdescr"), QFontDatabase::families().contains(openType) ? openType : narrow);
    // 9.75 pt at 96 DPI is 13 px, 8.25 pt is 11 px, 12 pt is 16 px.
    QCOMPARE(shown.find("Label1")->font().pixelSize(), 13);
    QCOMPARE(shown.edit(field::Id(3))->font().pixelSize(), 13);
    QCOMPARE(shown.combo(ListId::LstIntrp)->font().pixelSize(), 13);
    for (QPushButton *button : shown.window->findChildren<QPushButton *>()) {
        QCOMPARE(button->font().pixelSize(), 11);
        QVERIFY(!button->font().bold());
        QCOMPARE(QFontInfo(button->font()).family(), QStringLiteral("Liberation Sans"));
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
    }
    auto *label6 = shown.find<QLabel>("Label6");
    QVERIFY(label6->font().bold());
    QCOMPARE(label6->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 128, 0));
    QVERIFY(shown.find("Label16")->font().underline());
    QCOMPARE(shown.find("Label16")->palette().color(QPalette::Active, QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(shown.find("Label15")->palette().color(QPalette::Inactive, QPalette::WindowText),
             QColor(0, 0, 255));
    QCOMPARE(shown.find<QLabel>("Label15")->text(), QStringLiteral(" capitalització"));

    auto *progressions = shown.find<FrameBox>("Progressions");
    QCOMPARE(progressions->caption(), QStringLiteral("Progressions"));
    QCOMPARE(progressions->captionColour(), QColor(255, 255, 255));
    QCOMPARE(progressions->palette().color(QPalette::Window), QColor(128, 0, 0));
    QCOMPARE(progressions->captionFont().pixelSize(), 16);
    QVERIFY(progressions->captionFont().bold());
    auto *interes = shown.find<FrameBox>("PInteresComercial");
    QCOMPARE(interes->palette().color(QPalette::Window), QColor(0, 64, 0));
    QCOMPARE(interes->captionColour(), QColor(192, 255, 192));
    // PInteres: the window font, not bold.
    auto *simple = shown.find<FrameBox>("PInteres");
    QCOMPARE(simple->caption(), QStringLiteral("Interès simple"));
    QVERIFY(!simple->captionFont().bold());
    QCOMPARE(simple->captionFont().pixelSize(), 13);
    QCOMPARE(simple->captionColour(), QColor(0, 128, 0));
    QCOMPARE(shown.find<FrameBox>("Panual")->caption(), QStringLiteral(" Anualitats de ..."));
    QCOMPARE(shown.find<FrameBox>("PAritm")->caption(),
             QStringLiteral("Aritmètiques   an = a1 + (n-1)·d"));
    QCOMPARE(shown.find<FrameBox>("PGeom")->caption(),
             QStringLiteral("Geomètriques   an = a1*r^ (n-1)"));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (const char *inner : {"PAritm", "PGeom", "PInteres", "PCompost", "Panual"})
        QCOMPARE(shown.find(inner)->palette().color(QPalette::Window), buttonFace);

    // The outer frames' colours show in the margins, the inner frames' button face inside.
    const QImage image = test::imageOf(shown.client());
    QCOMPARE(QColor(image.pixel(14, 100)), QColor(128, 0, 0));
    QCOMPARE(QColor(image.pixel(14, 400)), QColor(0, 64, 0));
    QCOMPARE(QColor(image.pixel(5, 5)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(300, 118)), buttonFace);
}

void MainWindowLayoutTest::fieldsAcceptAnyText()
{
    ShownWindow shown;
    const QList<QLineEdit *> edits = shown.window->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 33 + 2);
    for (QLineEdit *edit : edits) {
        QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max());
        QVERIFY(!edit->validator());
        QVERIFY(edit->inputMask().isEmpty());
    }
    for (QComboBox *combo : shown.window->findChildren<QComboBox *>()) {
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(!combo->completer());
        QCOMPARE(combo->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(combo->lineEdit()->palette().color(QPalette::Base), QColor(255, 255, 192));
    }
    // A text far longer than the field keeps every character.
    auto *edit = shown.edit(field::Id(0));
    const QString longText(40000, QLatin1Char('7'));
    edit->setFocus();
    edit->insert(longText);
    QCOMPARE(edit->text(), longText);
}

void MainWindowLayoutTest::menu()
{
    ShownWindow shown;
    const QList<QAction *> bar = shown.window->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QMenu *info = bar.first()->menu();
    QVERIFY(info);
    QCOMPARE(info->objectName(), QStringLiteral("Info"));
    QCOMPARE(info->title(), QStringLiteral("Info"));
    const QList<QAction *> items = info->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), QStringLiteral("OpInfo"));
    QCOMPARE(items[0]->text(), QStringLiteral("Info"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("OpQuant"));
    QCOMPARE(items[1]->text(), QStringLiteral("Quant a Tirel"));
    for (QAction *item : items) {
        QVERIFY(!item->isSeparator());
        QVERIFY(item->shortcut().isEmpty());
        QVERIFY(!item->isCheckable());
        QVERIFY(item->isEnabled() && item->isVisible());
    }
}

void MainWindowLayoutTest::initialState()
{
    ShownWindow shown;
    for (QLineEdit *edit : shown.window->findChildren<QLineEdit *>())
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    for (QComboBox *combo : shown.window->findChildren<QComboBox *>()) {
        QCOMPARE(combo->count(), 0);
        QVERIFY(combo->currentText().isEmpty());
    }
    QVERIFY(!shown.find("EtS")->isEnabled());
    QVERIFY(!shown.find("Etdescr")->isEnabled());
    for (QWidget *widget : shown.client()->findChildren<QWidget *>()) {
        if (widget->objectName() != QLatin1String("EtS") &&
            widget->objectName() != QLatin1String("Etdescr"))
            QVERIFY2(widget->isEnabled(), qPrintable(widget->objectName()));
    }
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const QColor fieldColour = QApplication::palette().color(QPalette::Base);
    QVERIFY(buttonFace != fieldColour);
    QCOMPARE(shown.edit(field::Idg(5))->palette().color(QPalette::Base), buttonFace);
    QCOMPARE(shown.edit(field::Idg(4))->palette().color(QPalette::Base), fieldColour);
    // The display switched on gives the S field the usual field colour, and off again the
    // button face.
    shown.window->calculator().form().setSumDisplayOn(true);
    QCOMPARE(shown.edit(field::Idg(5))->palette().color(QPalette::Base), fieldColour);
    QVERIFY(shown.find("EtS")->isEnabled() && shown.find("Etdescr")->isEnabled());
    shown.window->calculator().form().setSumDisplayOn(false);
    QCOMPARE(shown.edit(field::Idg(5))->palette().color(QPalette::Base), buttonFace);
    QVERIFY(!shown.find("EtS")->isEnabled() && !shown.find("Etdescr")->isEnabled());
}

void MainWindowLayoutTest::greyedSumLabel()
{
    ShownWindow shown;
    QWidget *label = shown.find("EtS");
    auto inkOf = [](QWidget *widget) {
        const QImage image = test::imageOf(widget);
        const QRgb background = test::backgroundOf(image);
        QList<QRgb> ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (test::colourDistance(image.pixel(x, y), background) > 40)
                    ink.append(image.pixel(x, y));
            }
        }
        return ink;
    };
    const auto isOrange = [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 70; };
    // At start: grey ink, no trace of the label's own colour.
    const QList<QRgb> greyed = inkOf(label);
    QVERIFY(greyed.size() > 10);
    for (QRgb c : greyed) {
        QVERIFY(!isOrange(c));
        QVERIFY(std::abs(qRed(c) - qGreen(c)) < 16 && std::abs(qGreen(c) - qBlue(c)) < 16);
    }
    shown.window->calculator().form().setSumDisplayOn(true);
    const QList<QRgb> active = inkOf(label);
    QVERIFY(std::count_if(active.cbegin(), active.cend(), isOrange) > 10);
}

void MainWindowLayoutTest::focusOrder()
{
    ShownWindow shown;
    shown.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown.window.get()));
    using namespace field;
    const auto name = [](FieldId id) { return fieldName(id); };
    const QStringList expected = {name(IdI(1)),   name(IdI(0)),   name(IdI(2)),
                                  "OkInteres(0)", name(IdI(3)),   name(IdI(7)),
                                  "OkInteres(1)", name(IdI(6)),   name(IdI(4)),
                                  name(IdI(5)),   name(IdI(9)),   name(IdI(8)),
                                  name(IdI(10)),  "OkInteres(2)", name(IdI(11)),
                                  name(IdI(13)),  name(IdI(12)),  name(IdI(14)),
                                  "OkInteres(3)", name(IdI(15)),  listName(ListId::LstIntrp),
                                  "Okab",         name(IdB),      name(IdA),
                                  name(IdK),      name(Id(4)),    name(Id(3)),
                                  "OkAr",         name(Id(2)),    name(Id(1)),
                                  name(Id(0)),    name(IdKg),     name(IdAg),
                                  name(IdBg),     "OkABg",        listName(ListId::Lstg),
                                  name(Idg(5)),   name(Idg(0)),   name(Idg(1)),
                                  name(Idg(2)),   "OkGe",         name(Idg(3)),
                                  name(Idg(4))};
    QCOMPARE(expected.size(), 43);
    QCOMPARE(focusName(QApplication::focusWidget()), expected.first());
    QStringList seen;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        seen << focusName(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(seen, expected);
    // After the last it returns to the first, and Shift+Tab goes back.
    QCOMPARE(focusName(QApplication::focusWidget()), expected.first());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(QApplication::focusWidget()), expected.last());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(QApplication::focusWidget()), expected[expected.size() - 2]);
}

void MainWindowLayoutTest::resizingMovesNothing()
{
    ShownWindow shown;
    QHash<QString, QRect> before;
    for (QWidget *widget : shown.client()->findChildren<QWidget *>()) {
        // The controls of the table, not the inner parts of a combo box.
        const QWidget *parent = widget->parentWidget();
        if (parent == shown.client() || qobject_cast<const FrameBox *>(parent))
            before.insert(widget->objectName(), shown.inClient(widget));
    }
    QVERIFY(before.size() >= 80);
    shown.window->resize(900, 800);
    QTRY_COMPARE(shown.window->size(), QSize(900, 800));
    QVERIFY(shown.client()->width() >= 880 && shown.client()->height() >= 750);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QCOMPARE(shown.inClient(shown.find(it.key())), it.value());
    const QImage image = test::imageOf(shown.client());
    QCOMPARE(QColor(image.pixel(800, 700)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(640, 100)), QColor(0, 0, 128));
    shown.window->resize(300, 200);
    QTRY_COMPARE(shown.window->size(), QSize(300, 200));
    QCOMPARE(shown.inClient(shown.edit(field::Id(0))), before.value(fieldName(field::Id(0))));
}

QTEST_MAIN(MainWindowLayoutTest)
#include "main_window_layout_test.moc"
