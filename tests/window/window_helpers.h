// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window tests share: a shown main window over a recording sink, control lookup by
// name (a field's and a list's from core/fields.h, as the layout table names them), and the ink
// of a rendered widget.
#include "core/fields.h"
#include "support/recording_sink.h"
#include "window/main_window.h"

#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>

namespace tirel::test {

struct ShownWindow {
    explicit ShownWindow(const QLocale &locale = QLocale::c())
        : window(std::make_unique<MainWindow>(locale, &sink))
    {
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }
    template <typename T = QWidget> T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QLineEdit *edit(FieldId id) const { return find<QLineEdit>(fieldName(id)); }
    QComboBox *combo(ListId id) const { return find<QComboBox>(listName(id)); }
    QWidget *client() const { return window->centralWidget(); }
    // The rectangle of a control in the client area's coordinates.
    QRect inClient(const QWidget *widget) const
    {
        return QRect(widget->mapTo(client(), QPoint(0, 0)), widget->size());
    }

    RecordingSink sink;
    std::unique_ptr<MainWindow> window;
    bool exposed = false;
};

// A table row named after the control it is about, the control's name its first column.
inline QTestData &controlRow(const QString &name)
{
    return QTest::newRow(qPrintable(name)) << name;
}

// The fields, lists and buttons the user works with; a combo box's own text line counts as part
// of its list.
inline QList<QWidget *> operableControls(const ShownWindow &shown)
{
    QList<QWidget *> controls;
    for (QLineEdit *edit : shown.window->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(edit->parentWidget()))
            controls.append(edit);
    }
    for (QComboBox *combo : shown.window->findChildren<QComboBox *>())
        controls.append(combo);
    for (QPushButton *button : shown.window->findChildren<QPushButton *>())
        controls.append(button);
    return controls;
}

// The colour most pixels of an image have.
inline QRgb backgroundOf(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xffffff];
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return best;
}

inline int colourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// A pixel clearly apart from the background: text, not the faint edge of antialiasing.
constexpr int kInkThreshold = 90;

inline QImage imageOf(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace tirel::test
