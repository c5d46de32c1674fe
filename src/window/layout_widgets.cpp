#include "window/layout_widgets.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <qdrawutil.h>

namespace tirel {

namespace {
// The caption starts a little in from the frame's left edge and keeps a small gap in the border.
constexpr int kCaptionIndent = 7;
constexpr int kCaptionPad = 2;

QPalette::ColorGroup colourGroup(const QWidget &widget)
{
    if (!widget.isEnabled())
        return QPalette::Disabled;
    return widget.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}
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
    const QRect text = captionRect();
    const int borderTop = text.height() / 2;
    qDrawShadeRect(&painter, QRect(0, borderTop, width(), height() - borderTop), palette(), true,
                   1);
    if (caption_.isEmpty())
        return;
    painter.fillRect(text.adjusted(-kCaptionPad, 0, kCaptionPad, 0),
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
    painter.fillRect(rect(), palette().color(QPalette::Midlight));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineShape::LineShape(QPoint from, QPoint to, const QColor &colour, QWidget *parent)
    : QWidget(parent), from_(from), to_(to), colour_(colour)
{
    setGeometry(QRect(from, to).normalized());
}

void LineShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_, 1));
    painter.drawLine(from_ - pos(), to_ - pos());
}

} // namespace tirel
