// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor: the least a Qt Widgets program with the main window's size, menu bar and controls
// costs to start and to keep in memory. Stock widgets, the default font, colours set through the
// palette only; nothing is computed.
#include "floor/widget_census.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using tirel::bench::kWindowCensus;

constexpr int kClientWidth = 619;
constexpr int kClientHeight = 599;

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Places controls left to right, then row by row, inside one frame.
class Flow {
public:
    explicit Flow(QWidget *container) : container_(container) {}

    void place(QWidget *widget, int width, int height)
    {
        const int right = container_->width() - kMargin;
        if (x_ + width > right && x_ > kMargin) {
            x_ = kMargin;
            y_ += rowHeight_ + kGap;
            rowHeight_ = 0;
        }
        widget->setGeometry(x_, y_, std::min(width, right - kMargin), height);
        x_ += width + kGap;
        rowHeight_ = std::max(rowHeight_, height);
    }

private:
    static constexpr int kMargin = 6;
    static constexpr int kGap = 4;
    QWidget *container_;
    int x_ = kMargin;
    int y_ = 18; // below the frame's title
    int rowHeight_ = 0;
};

class FloorWindow : public QMainWindow {
public:
    FloorWindow()
    {
        setWindowTitle(QStringLiteral("Floor"));
        QMenu *menu = menuBar()->addMenu(QStringLiteral("Info"));
        for (int i = 0; i < kWindowCensus.actions; ++i)
            menu->addAction(QStringLiteral("Item %1").arg(i + 1));
        for (int i = 1; i < kWindowCensus.menus; ++i)
            menuBar()->addMenu(QStringLiteral("Menu %1").arg(i + 1));

        auto *client = new QWidget(this);
        setColour(client, QPalette::Window, QColor(0, 0, 128));
        client->setAutoFillBackground(true);
        setCentralWidget(client);
        client->resize(kClientWidth, kClientHeight);

        buildFrames(client);
        for (int i = 0; i < kWindowCensus.labels; ++i) {
            auto *label = new QLabel(QStringLiteral("a%1 =").arg(i));
            setColour(label, QPalette::WindowText, QColor(128, 0, 0));
            place(label, 44, 17);
        }
        for (int i = 0; i < kWindowCensus.fields; ++i)
            place(new QLineEdit, 64, 21);
        for (int i = 0; i < kWindowCensus.combos; ++i) {
            auto *combo = new QComboBox;
            combo->setEditable(true);
            setColour(combo, QPalette::Base, QColor(255, 255, 192));
            place(combo, 110, 21);
        }
        for (int i = 0; i < kWindowCensus.buttons; ++i)
            place(new QPushButton(QStringLiteral("Ok")), 36, 23);
        for (int i = 0; i < kWindowCensus.boxes; ++i) {
            auto *box = new QFrame;
            box->setFrameShape(QFrame::Box);
            setColour(box, QPalette::Window, QColor(255, 255, 255));
            box->setAutoFillBackground(true);
            place(box, 90, 30);
        }
        for (int i = 0; i < kWindowCensus.lines; ++i) {
            auto *line = new QFrame;
            line->setFrameShape(QFrame::HLine);
            place(line, 90, 3);
        }
        resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    }

private:
    // The frames tile the client area.
    void buildFrames(QWidget *client)
    {
        const int count = std::max(1, kWindowCensus.frames);
        const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
        const int rows = (count + columns - 1) / columns;
        const int width = kClientWidth / columns;
        const int height = kClientHeight / rows;
        for (int i = 0; i < kWindowCensus.frames; ++i) {
            auto *frame = new QGroupBox(QStringLiteral("Frame %1").arg(i + 1), client);
            setColour(frame, QPalette::Window, QColor(192, 192, 192));
            frame->setAutoFillBackground(true);
            frame->setGeometry((i % columns) * width, (i / columns) * height, width, height);
            frames_.push_back(frame);
            flows_.emplace_back(frame);
        }
        if (frames_.empty()) {
            frames_.push_back(client);
            flows_.emplace_back(client);
        }
    }

    // Controls go to the frames in turn, so every frame holds a share of each kind.
    void place(QWidget *widget, int width, int height)
    {
        const std::size_t frame = next_++ % frames_.size();
        widget->setParent(frames_[frame]);
        flows_[frame].place(widget, width, height);
    }

    std::vector<QWidget *> frames_;
    std::vector<Flow> flows_;
    std::size_t next_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FloorWindow window;
    // --census prints what was built and ends, so the benchmark can check it against the window.
    if (argc > 1 && std::strcmp(argv[1], "--census") == 0) {
        const tirel::bench::WidgetCensus c = tirel::bench::countWidgets(window);
        std::printf("frames=%d labels=%d fields=%d combos=%d buttons=%d boxes=%d lines=%d "
                    "menus=%d actions=%d\n",
                    c.frames, c.labels, c.fields, c.combos, c.buttons, c.boxes, c.lines, c.menus,
                    c.actions);
        return c == kWindowCensus ? 0 : 1;
    }
    window.show();
    return QApplication::exec();
}
