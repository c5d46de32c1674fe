// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The passive pieces of the window: frames with a caption in their border, labels that keep
// their text inside their rectangle, and the boxes and lines of the formula areas.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QList>
#include <QWidget>

namespace tirel {

// A frame: filled with its background, an etched border, the caption inside the rectangle at
// the top left, drawn on the frame's background. Its caption font and colour stay its own, so
// the controls inside keep the window font and the default colours.
class FrameBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption)

public:
    explicit FrameBox(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return caption_; }
    QFont captionFont() const { return captionFont_; }
    QColor captionColour() const { return captionColour_; }
    void setCaptionFont(const QFont &font);
    void setCaptionColour(const QColor &colour);
    // Where the caption's text is drawn, in the frame's coordinates.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString caption_;
    QFont captionFont_;
    QColor captionColour_;
};

// A label drawn top-left (or centred) in its rectangle, its baseline raised when the rectangle
// is lower than the font's line so the descenders are not cut. A label whose text holds blank
// stretches under fields is drawn as its visible pieces, each at its own place.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    struct PlacedPiece {
        QString text;
        qreal x = 0; // left end of the piece, in the label's coordinates
    };

    explicit CaptionLabel(const QString &text, QWidget *parent = nullptr);

    void setCentred(bool centred);
    bool isCentred() const { return centred_; }
    void setPieces(const QList<PlacedPiece> &pieces);
    const QList<PlacedPiece> &pieces() const { return pieces_; }
    // The baseline the text is drawn on.
    qreal baseline() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool centred_ = false;
    QList<PlacedPiece> pieces_;
};

// A formula area's box: filled with the 3-D light colour, a thin shadow outline.
class BoxShape : public QWidget {
    Q_OBJECT

public:
    explicit BoxShape(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A straight horizontal or vertical line of width 1 between two points given in the container's
// pixels, both ends included. The widget is transparent and a little larger than the line, so
// the line keeps its place and thickness at any scale factor.
class LineShape : public QWidget {
    Q_OBJECT

public:
    LineShape(QPoint from, QPoint to, const QColor &colour, QWidget *parent = nullptr);
    QPoint from() const { return from_; }
    QPoint to() const { return to_; }
    // The logical pixels of the line, in the container's coordinates.
    QRect pixels() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint from_;
    QPoint to_;
    QColor colour_;
};

} // namespace tirel
