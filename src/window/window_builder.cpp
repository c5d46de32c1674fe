// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/window_builder.h"

#include "window/fixed_palette.h"
#include "window/fonts.h"
#include "window/layout_widgets.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListView>
#include <QPalette>
#include <QPushButton>
#include <QStringListModel>
#include <limits>

namespace tirel {

namespace {
using layout::Anchor;
using layout::ControlSpec;
using layout::Kind;

// The gap between a piece of a label and the field it stands beside.
constexpr qreal kPieceGap = 2;

const QColor kListBackground{255, 255, 192};

QColor buttonFace()
{
    return fixedPalette().color(QPalette::Active, QPalette::Button);
}

QFont fontOf(const layout::FontSpec &spec)
{
    return layoutFont(spec.face, spec.points, spec.bold, spec.underline);
}

void setAllGroups(QPalette &palette, QPalette::ColorRole role, const QColor &colour)
{
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    palette.setColor(QPalette::Disabled, role, colour);
}

QWidget *makeFrame(const ControlSpec &spec, QWidget *parent)
{
    auto *frame = new FrameBox(spec.text, parent);
    QPalette palette = frame->palette();
    setAllGroups(palette, QPalette::Window, spec.look.background.value_or(buttonFace()));
    frame->setPalette(palette);
    frame->setCaptionFont(spec.look.font ? fontOf(*spec.look.font) : windowFont());
    if (spec.look.textColour)
        frame->setCaptionColour(*spec.look.textColour);
    return frame;
}

QWidget *makeLabel(const ControlSpec &spec, QWidget *parent)
{
    auto *label = new CaptionLabel(spec.text, parent);
    if (spec.look.font)
        label->setFont(fontOf(*spec.look.font));
    QPalette palette = label->palette();
    // Active and Inactive only: a disabled label keeps the greyed colour.
    if (spec.look.textColour) {
        palette.setColor(QPalette::Active, QPalette::WindowText, *spec.look.textColour);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, *spec.look.textColour);
    }
    if (!spec.look.transparent) {
        // Behind its text a label paints the button face, and a formula label the face of the box
        // it stands on: one colour in the classic scheme, two in the fixed palette (#efefef and
        // #cacaca), where the button face would leave a lighter patch on the box.
        setAllGroups(palette, QPalette::Window,
                     spec.look.onBox ? palette.color(QPalette::Active, QPalette::Midlight)
                                     : buttonFace());
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    label->setCentred(spec.look.centred);
    label->setEnabled(!spec.look.disabledAtStart);
    return label;
}

QLineEdit *makeField(const ControlSpec &spec, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    // Every text of any length is accepted; only a press judges it.
    edit->setMaxLength(std::numeric_limits<int>::max());
    if (spec.look.buttonFaceBase) {
        QPalette palette = edit->palette();
        setAllGroups(palette, QPalette::Base, buttonFace());
        edit->setPalette(palette);
    }
    return edit;
}

QComboBox *makeCombo(QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    // Enter in the text line adds nothing, and nothing is completed.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setDuplicatesEnabled(true);
    combo->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    combo->setModel(new QStringListModel(combo));
    // The lists hold up to 32765 terms: equal rows keep the drop-down quick, and the combo never
    // measures every item for a size hint its fixed place in the window does not use.
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setUniformItemSizes(true);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QPalette palette = combo->palette();
    setAllGroups(palette, QPalette::Base, kListBackground);
    combo->setPalette(palette);
    return combo;
}

QPushButton *makeButton(const ControlSpec &spec, QWidget *parent)
{
    auto *button = new QPushButton(spec.text, parent);
    // No default button anywhere: Enter presses nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    if (spec.look.font)
        button->setFont(fontOf(*spec.look.font));
    return button;
}

// Places each visible piece of a label against the fields the table names for it.
void placePieces(const ControlSpec &spec, CaptionLabel *label, const BuiltControls &built)
{
    const QFontMetricsF metrics(label->font());
    const qreal origin = label->x();
    auto fieldRect = [&](const QString &name) {
        const QWidget *widget = built.byName.value(name);
        return widget ? QRectF(widget->geometry()) : QRectF();
    };
    QList<CaptionLabel::PlacedPiece> placed;
    for (const layout::Piece &piece : spec.pieces) {
        Q_ASSERT(spec.text.contains(piece.text));
        const qreal advance = metrics.horizontalAdvance(piece.text);
        qreal x = 0;
        switch (piece.anchor) {
        case Anchor::LabelStart:
            x = 0;
            break;
        case Anchor::AfterField:
            x = fieldRect(piece.field).right() + 1 + kPieceGap - origin;
            break;
        case Anchor::BeforeField:
            x = fieldRect(piece.field).left() - kPieceGap - advance - origin;
            break;
        case Anchor::BetweenFields: {
            const qreal gapLeft = fieldRect(piece.field).right() + 1;
            const qreal gapRight = fieldRect(piece.otherField).left();
            x = (gapLeft + gapRight - advance) / 2 - origin;
            break;
        }
        }
        placed.append({piece.text, x});
    }
    label->setPieces(placed);
}
} // namespace

BuiltControls buildControls(QWidget *clientArea)
{
    BuiltControls built;
    QList<QWidget *> lowest;
    QList<QWidget *> topmost;

    for (const ControlSpec &spec : layout::controls()) {
        QWidget *parent =
            spec.container.isEmpty() ? clientArea : built.byName.value(spec.container);
        Q_ASSERT(parent);
        QWidget *widget = nullptr;
        switch (spec.kind) {
        case Kind::Frame:
            widget = makeFrame(spec, parent);
            break;
        case Kind::Label:
            widget = makeLabel(spec, parent);
            break;
        case Kind::Field: {
            QLineEdit *edit = makeField(spec, parent);
            built.fields[static_cast<std::size_t>(field::number(*spec.field))] = edit;
            widget = edit;
            topmost.append(widget);
            break;
        }
        case Kind::Combo: {
            QComboBox *combo = makeCombo(parent);
            built.lists[static_cast<std::size_t>(*spec.list)] = combo;
            widget = combo;
            topmost.append(widget);
            break;
        }
        case Kind::Button: {
            QPushButton *button = makeButton(spec, parent);
            built.buttons.append({button, spec.command, spec.index});
            widget = button;
            topmost.append(widget);
            break;
        }
        case Kind::Box:
            widget = new BoxShape(parent);
            lowest.append(widget);
            break;
        case Kind::Line: {
            const QPoint from(layout::twipsToPixels(spec.left), layout::twipsToPixels(spec.top));
            const QPoint to(layout::twipsToPixels(spec.left + spec.width),
                            layout::twipsToPixels(spec.top + spec.height));
            widget = new LineShape(from, to, spec.look.textColour.value_or(Qt::black), parent);
            break;
        }
        }
        widget->setObjectName(spec.name);
        if (spec.kind != Kind::Line)
            widget->setGeometry(
                layout::twipsToPixels(spec.left, spec.top, spec.width, spec.height));
        built.byName.insert(spec.name, widget);
    }

    for (const ControlSpec &spec : layout::controls()) {
        if (!spec.pieces.isEmpty())
            placePieces(spec, static_cast<CaptionLabel *>(built.byName.value(spec.name)), built);
    }

    // Boxes at the bottom, then lines and labels, and the controls the user works above all.
    for (QWidget *widget : lowest)
        widget->lower();
    for (QWidget *widget : topmost)
        widget->raise();

    const QStringList &order = layout::focusOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(built.byName.value(order[i - 1]), built.byName.value(order[i]));
    return built;
}

} // namespace tirel
