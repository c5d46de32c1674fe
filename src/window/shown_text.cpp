// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/shown_text.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace tirel {

namespace {
// A line edit keeps this many pixels free at each end of its text area.
constexpr int kLineEditMargin = 2;

// Whether the whole text fits in what the line edit shows, measured as the line edit measures
// it when it decides to scroll: the style's contents rectangle less the text margins and the
// line edit's own margins, against the text's width plus the cursor's pixel.
bool textFits(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect contents = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .marginsRemoved(edit->textMargins());
    const qreal used = QFontMetricsF(edit->font()).horizontalAdvance(edit->text());
    return qRound(used) + 1 <= contents.width() - 2 * kLineEditMargin;
}

void updateToolTip(QLineEdit *edit)
{
    const QString tip = textFits(edit) ? QString() : edit->text();
    if (edit->toolTip() != tip)
        edit->setToolTip(tip);
}

// Keeps the tooltip of one line edit up to date when its size, font or style changes; its text
// is followed through the line edit's own signal.
class ToolTipTracker : public QObject {
public:
    explicit ToolTipTracker(QLineEdit *edit) : QObject(edit), edit_(edit)
    {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this] { updateToolTip(edit_); });
        updateToolTip(edit);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            updateToolTip(edit_);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *edit_;
};
} // namespace

void showWrittenText(QLineEdit *edit, const QString &text, bool userIsTyping)
{
    const int typedAt = edit->cursorPosition();
    edit->setText(text);
    // The line edit scrolls to its cursor when it next paints, so the cursor alone decides what
    // is seen.
    edit->setCursorPosition(userIsTyping ? std::min(typedAt, static_cast<int>(text.size())) : 0);
}

void trackOverflowToolTip(QLineEdit *edit)
{
    new ToolTipTracker(edit);
}

} // namespace tirel
