// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/shown_text.h"

#include "core/number_text.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <algorithm>

namespace tirel {

namespace {
// What a line edit keeps free around its text line, in pixels: at each end, and above and below
// where the text is aligned to the top or the bottom.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

// The style option a line edit paints its panel with.
struct LineEditOption : QLineEdit {
    static QStyleOptionFrame of(const QLineEdit *edit)
    {
        QStyleOptionFrame option;
        (edit->*(&LineEditOption::initStyleOption))(&option);
        return option;
    }
};

// The rectangle a line edit lays its text line out in: the style's contents rectangle less the
// text margins.
QRect textArea(const QLineEdit *edit, const QStyleOptionFrame &option)
{
    return edit->style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
        .marginsRemoved(edit->textMargins());
}

// A text laid out on one line as a line edit lays out its own.
struct TextLine {
    TextLine(const QString &text, const QLineEdit *edit) : layout(text, edit->font())
    {
        QTextOption option = layout.textOption();
        option.setTextDirection(edit->layoutDirection());
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        layout.setTextOption(option);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        line = layout.createLine();
        layout.endLayout();
    }
    // The width the line edit counts for it when it decides to scroll: the cursor's pixel more.
    int widthUsed() const { return qRound(line.naturalTextWidth()) + 1; }

    QTextLayout layout;
    QTextLine line;
};

// The width a line edit has for its text line.
int textRoom(const QLineEdit *edit)
{
    return textArea(edit, LineEditOption::of(edit)).width() - 2 * kHorizontalMargin;
}

bool fitsIn(const QLineEdit *edit, int room, const QString &text)
{
    return TextLine(text, edit).widthUsed() <= room;
}

// Draws a line edit as it draws itself, unfocused and scrolled to its start, but with another
// text in its line: the same panel, text rectangle, baseline, colour and alignment.
void drawAs(QLineEdit *edit, const QString &text)
{
    QPainter painter(edit);
    const QStyleOptionFrame panel = LineEditOption::of(edit);
    edit->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, edit);
    const QRect area = textArea(edit, panel);
    painter.setClipRect(area);

    const QFontMetrics metrics = edit->fontMetrics();
    const int height = std::max(metrics.boundingRect(text).height(), metrics.height());
    const Qt::Alignment alignment =
        QStyle::visualAlignment(edit->layoutDirection(), edit->alignment());
    int top = area.y() + (area.height() - height + 1) / 2;
    if (alignment & Qt::AlignBottom)
        top = area.y() + area.height() - height - kVerticalMargin;
    else if (alignment & Qt::AlignTop)
        top = area.y() + kVerticalMargin;
    const QRect lineRect(area.x() + kHorizontalMargin, top, area.width() - 2 * kHorizontalMargin,
                         height);

    const TextLine line(text, edit);
    int scroll = 0;
    if (line.widthUsed() <= lineRect.width()) {
        if (alignment & Qt::AlignRight)
            scroll = line.widthUsed() - lineRect.width() + 1;
        else if (alignment & Qt::AlignHCenter)
            scroll = (line.widthUsed() - lineRect.width()) / 2;
    }
    const QPoint topLeft =
        lineRect.topLeft() - QPoint(scroll, qRound(line.line.ascent()) - metrics.ascent());
    painter.setPen(edit->palette().text().color());
    line.layout.draw(&painter, topLeft, {}, area);
}

// What one line edit shows: its tooltip, and the rounded form of a number the program wrote
// there.
class ShownText : public QObject {
    Q_OBJECT

public:
    ShownText(QLineEdit *edit, const QLocale &locale) : QObject(edit), edit_(edit), locale_(locale)
    {
        edit->installEventFilter(this);
        // Every change of the text is the user's until showWrittenText says otherwise.
        connect(edit, &QLineEdit::textChanged, this, [this] {
            written_ = false;
            updateToolTip();
        });
        updateToolTip();
    }

    void markWritten()
    {
        written_ = true;
        edit_->update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            updateToolTip();
            break;
        case QEvent::FocusIn:
            // The line edit places its text by its cursor only as it paints itself: once it has
            // painted with the focus, a click lands on the character under the mouse.
            if (drewFitted_) {
                drewFitted_ = false;
                edit_->repaint();
            }
            break;
        case QEvent::FocusOut:
            // The line edit repaints only its cursor as the focus leaves.
            if (written_)
                edit_->update();
            break;
        case QEvent::Paint:
            drewFitted_ = false;
            if (written_ && !isEditing()) {
                const QString shown = fittedText();
                if (shown != edit_->text()) {
                    drawAs(edit_, shown);
                    drewFitted_ = true;
                    return true;
                }
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Whether the keyboard types into the line edit, or would as soon as its window is active
    // again. A combo box holds the focus for its text line.
    bool isEditing() const
    {
        const QWidget *focus = edit_->window()->focusWidget();
        return focus &&
               (focus == edit_ || focus->focusProxy() == edit_ || edit_->focusProxy() == focus);
    }

    void updateToolTip()
    {
        const QString tip =
            fitsIn(edit_, textRoom(edit_), edit_->text()) ? QString() : edit_->text();
        if (edit_->toolTip() != tip)
            edit_->setToolTip(tip);
    }

    // The text drawn in place of the whole text, or the whole text; kept until the text, the
    // room or the font changes.
    QString fittedText()
    {
        const int room = textRoom(edit_);
        if (fitted_.text != edit_->text() || fitted_.room != room ||
            fitted_.font != edit_->font()) {
            fitted_ = {edit_->text(), room, edit_->font(), {}};
            fitted_.shown = fittedNumberText(edit_->text(), locale_, [&](const QString &text) {
                return fitsIn(edit_, room, text);
            });
        }
        return fitted_.shown;
    }

    QLineEdit *edit_;
    QLocale locale_;
    bool written_ = false;    // the text is the one showWrittenText set
    bool drewFitted_ = false; // the last paint drew the rounded form
    struct Fitted {
        QString text;
        int room = 0;
        QFont font;
        QString shown;
    } fitted_;
};
} // namespace

void showWrittenText(QLineEdit *edit, const QString &text, bool userIsTyping)
{
    const int typedAt = edit->cursorPosition();
    edit->setText(text);
    // The line edit scrolls to its cursor when it next paints, so the cursor alone decides what
    // is seen.
    edit->setCursorPosition(userIsTyping ? std::min(typedAt, static_cast<int>(text.size())) : 0);
    if (auto *shown = edit->findChild<ShownText *>(QString(), Qt::FindDirectChildrenOnly))
        shown->markWritten();
}

void trackShownText(QLineEdit *edit, const QLocale &locale)
{
    new ShownText(edit, locale);
}

} // namespace tirel

#include "shown_text.moc"
