// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/layout_widgets.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace tirel {

namespace {
// The caption starts a little in from the frame's left edge and keeps a small gap in the border.
constexpr int kCaptionIndent = 7;
constexpr int kCaptionPad = 2;
// The room a line's widget keeps on every side of the line, in logical pixels: wider than any
// rounding of the widget's rectangle to device pixels, so the line is never cut off.
constexpr int kLineRoom = 2;

QPalette::ColorGroup colourGroup(const QWidget &widget)
{
    if (!widget.isEnabled())
        return QPalette::Disabled;
    return widget.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

// Paints in whole device pixels. At a fractional scale factor a widget's edges can fall between
// device pixels, and Qt lets the widget paint only the pixels between its edges each rounded to
// the nearest; a 1-pixel line drawn on the widget's edge can then land outside them and vanish.
// Lines drawn here are strips of the same thickness everywhere (the scale factor rounded), laid
// inside the pixels the widget owns. At scale 1 a device pixel is a logical pixel and every strip
// is the line the same code draws there.
class DevicePixels {
public:
    explicit DevicePixels(QPainter &painter)
        : painter_(painter), toDevice_(painter.deviceTransform())
    {
    }

    // The device pixels Qt gives a logical rectangle: those between its edges, each rounded.
    QRect of(const QRectF &logical) const
    {
        const QRectF device = toDevice_.mapRect(logical);
        return QRect(QPoint(qRound(device.left()), qRound(device.top())),
                     QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
    }

    // The thickness of a line of width 1.
    int thickness() const { return std::max(1, qRound(std::abs(toDevice_.m22()))); }

    // A line of width 1 over logical pixels one high or one wide, at its rounded place.
    QRect line(const QRect &logical) const
    {
        QRect device = of(logical);
        if (logical.height() == 1)
            device.setHeight(thickness());
        if (logical.width() == 1)
            device.setWidth(thickness());
        return device;
    }

    void fill(const QRect &device, const QColor &colour)
    {
        if (!device.isEmpty())
            painter_.fillRect(toDevice_.inverted().mapRect(QRectF(device)), colour);
    }

    // A rectangle's outline, inside it.
    void outline(const QRect &device, int thickness, const QColor &colour)
    {
        fill({device.left(), device.top(), device.width(), thickness}, colour);
        fill({device.left(), device.bottom() - thickness + 1, device.width(), thickness}, colour);
        fill({device.left(), device.top(), thickness, device.height()}, colour);
        fill({device.right() - thickness + 1, device.top(), thickness, device.height()}, colour);
    }

private:
    QPainter &painter_;
    QTransform toDevice_;
};
} // namespace

FrameBox::FrameBox(const QString &caption, QWidget *parent)
    : QWidget(parent), caption_(caption), captionFont_(font()),
      captionColour_(palette().color(QPalette::WindowText))
{
    setAutoFillBackground(true);
}

void FrameBox::setCaptionFont(const QFont &font)
{
    captionFont_ = font;
    update();
}

void FrameBox::setCaptionColour(const QColor &colour)
{
    captionColour_ = colour;
    update();
}

QRect FrameBox::captionRect() const
{
    const QFontMetrics metrics(captionFont_);
    return {kCaptionIndent, 0, metrics.horizontalAdvance(caption_), metrics.height()};
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DevicePixels pixels(painter);
    const QRect text = captionRect();
    // An etched border: a dark outline one line in from the bottom right, a light line inside
    // its top and left edges and outside its bottom and right ones.
    QRect border = pixels.of(rect());
    border.setTop(pixels.of(QRectF(0, text.height() / 2, 1, 1)).top());
    const int t = pixels.thickness();
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    pixels.outline(border.adjusted(0, 0, -t, -t), t, dark);
    pixels.fill({border.left() + t, border.top() + t, border.width() - 3 * t, t}, light);
    pixels.fill({border.left() + t, border.top() + 2 * t, t, border.height() - 4 * t}, light);
    pixels.fill({border.left(), border.bottom() - t + 1, border.width(), t}, light);
    pixels.fill({border.right() - t + 1, border.top(), t, border.height() - t}, light);
    if (caption_.isEmpty())
        return;
    pixels.fill(pixels.of(text.adjusted(-kCaptionPad, 0, kCaptionPad, 0)),
                palette().color(QPalette::Window));
    painter.setFont(captionFont_);
    painter.setPen(captionColour_);
    painter.drawText(QPointF(text.left(), QFontMetricsF(captionFont_).ascent()), caption_);
}

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CaptionLabel::setCentred(bool centred)
{
    centred_ = centred;
    setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    update();
}

void CaptionLabel::setPieces(const QList<PlacedPiece> &pieces)
{
    pieces_ = pieces;
    update();
}

qreal CaptionLabel::baseline() const
{
    // On the font's ascent like any label, unless the rectangle is too low for the ink of this
    // text: then raised until the lowest ink keeps a pixel clear of the bottom edge, but never so
    // far that the top is cut.
    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(text());
    const qreal lowest = height() - 1 - ink.bottom();
    return std::floor(std::max(std::min(metrics.ascent(), lowest), -ink.top()));
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(colourGroup(*this), QPalette::WindowText));
    const qreal y = baseline();
    if (!pieces_.isEmpty()) {
        for (const PlacedPiece &piece : pieces_)
            painter.drawText(QPointF(piece.x, y), piece.text);
        return;
    }
    qreal x = 0;
    if (centred_)
        x = (width() - QFontMetricsF(font()).horizontalAdvance(text())) / 2;
    painter.drawText(QPointF(x, y), text());
}

BoxShape::BoxShape(QWidget *parent) : QWidget(parent) {}

void BoxShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DevicePixels pixels(painter);
    const QRect box = pixels.of(rect());
    pixels.fill(box, palette().color(QPalette::Midlight));
    pixels.outline(box, pixels.thickness(), palette().color(QPalette::Dark));
}

LineShape::LineShape(QPoint from, QPoint to, const QColor &colour, QWidget *parent)
    : QWidget(parent), from_(from), to_(to), colour_(colour)
{
    Q_ASSERT(from.x() == to.x() || from.y() == to.y());
    // The room around the line is no place to catch a click.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(pixels().adjusted(-kLineRoom, -kLineRoom, kLineRoom, kLineRoom));
}

QRect LineShape::pixels() const
{
    return QRect(from_, to_).normalized();
}

void LineShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DevicePixels device(painter);
    device.fill(device.line(pixels().translated(-pos())), colour_);
}

} // namespace tirel
