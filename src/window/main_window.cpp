// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/main_window.h"

#include "window/accessibility.h"
#include "window/app_icon.h"
#include "window/fixed_palette.h"
#include "window/fonts.h"
#include "window/keypad_decimal.h"
#include "window/layout_table.h"
#include "window/layout_widgets.h"
#include "window/menu_commands.h"
#include "window/shown_text.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QStyle>
#include <array>
#include <cmath>

namespace tirel {

namespace {
const QString kWindowCaption = QStringLiteral("Progressions - Interès");

void setBase(QLineEdit *edit, const QColor &colour)
{
    QPalette palette = edit->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    edit->setPalette(palette);
}

// The drop-down opens at least as wide as its longest term, so every term can be read. Shaping
// each of 32765 texts would cost more than forming them: a term's width is taken as the sum of
// its characters' advances (a handful of characters, looked up once), which the faces' kerning
// of digits, signs and separators only narrows, and the widest term by that sum is shaped whole
// too.
void fitDropDown(QComboBox *combo, const QStringList &entries)
{
    QAbstractItemView *view = combo->view();
    if (entries.isEmpty()) {
        view->setMinimumWidth(0);
        return;
    }
    const QFontMetricsF charMetrics(view->font());
    std::array<qreal, 128> ascii;
    ascii.fill(-1);
    QHash<char16_t, qreal> others;
    const auto advance = [&](QChar c) {
        const char16_t code = c.unicode();
        if (code < ascii.size()) {
            qreal &known = ascii[code];
            if (known < 0)
                known = charMetrics.horizontalAdvance(c);
            return known;
        }
        auto known = others.constFind(code);
        if (known == others.cend())
            known = others.insert(code, charMetrics.horizontalAdvance(c));
        return *known;
    };
    qreal widestSum = 0;
    qsizetype widestAt = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        qreal sum = 0;
        for (const QChar c : entries[i])
            sum += advance(c);
        if (sum > widestSum) {
            widestSum = sum;
            widestAt = i;
        }
    }
    const int widest = std::max(static_cast<int>(std::ceil(widestSum)),
                                QFontMetrics(view->font()).horizontalAdvance(entries[widestAt]));
    const int frame = view->frameWidth() * 2;
    const int scrollBar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int margins = 12;
    view->setMinimumWidth(widest + frame + scrollBar + margins);
}
} // namespace

MainWindow::MainWindow(const QLocale &locale, MessageSink *messages, QWidget *parent)
    : QMainWindow(parent),
      ownMessages_(messages ? nullptr : std::make_unique<MessageBoxSink>(this)),
      calculator_(messages ? *messages : *ownMessages_, locale)
{
    installFontSubstitutions();
    // Sizable with a minimize button, but no maximize button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kWindowCaption);
    setWindowIcon(applicationIcon());
    applyFixedPalette(this);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("FTirel"));
    QPalette palette = client->palette();
    fieldBase_ = palette.color(QPalette::Active, QPalette::Base);
    buttonFace_ = palette.color(QPalette::Active, QPalette::Button);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, layout::kWindowBackground);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    client->setFont(windowFont());
    setCentralWidget(client);

    controls_ = buildControls(client);
    buildMenu();
    keypadDecimal_ = new KeypadDecimal(calculator_.form().locale().decimalPoint(), this);
    bindFields();
    bindLists();
    bindButtons();

    // Before the size is taken: the style sets the menu bar's height.
    pinFixedStyle(this);
    // The client area has its own size below the menu bar; the layout never follows a resize.
    resize(layout::twipsToPixels(layout::kClientWidthTwips),
           layout::twipsToPixels(layout::kClientHeightTwips) + menuBar()->sizeHint().height());

    applyAccessibleNames(this);
    controls_.byName.value(layout::focusOrder().first())->setFocus();
}

MainWindow::~MainWindow()
{
    // QWidget's destructor closes the window after this one has run, and the focus leaving a
    // list's text line then reports the term in it as chosen: nothing may reach the calculator by
    // then.
    for (QComboBox *combo : controls_.lists)
        combo->disconnect(this);
}

void MainWindow::buildMenu()
{
    QMenu *info = menuBar()->addMenu(QStringLiteral("Info"));
    info->setObjectName(QStringLiteral("Info"));
    QAction *opInfo = info->addAction(QStringLiteral("Info"));
    opInfo->setObjectName(QStringLiteral("OpInfo"));
    QAction *opQuant = info->addAction(QStringLiteral("Quant a Tirel"));
    opQuant->setObjectName(QStringLiteral("OpQuant"));
    connectMenuCommands(this, opInfo, opQuant);
}

void MainWindow::bindFields()
{
    Form &form = calculator_.form();
    for (int n = 0; n < field::kFieldCount; ++n) {
        const FieldId id{n};
        QLineEdit *edit = controls_.fields[static_cast<std::size_t>(n)];
        // Every text that reaches the field from outside goes into the core as one edit: typing,
        // and a text set by assistive technology, which QLineEdit does not count as edited. A
        // mirror of the core's own write already equals its text and is skipped.
        connect(edit, &QLineEdit::textChanged, this, [this, id, edit] {
            if (edit->text() == calculator_.form().text(id))
                return;
            // The writes this edit sets off leave this field's cursor where the typing left it.
            const int outer = typingIn_;
            typingIn_ = field::number(id);
            calculator_.edit(id, edit->text());
            typingIn_ = outer;
        });
        trackShownText(edit, form.locale());
        keypadDecimal_->watch(edit);
        if (field::isIdg(id))
            edit->installEventFilter(this);
        showFieldText(id);
    }
    connect(&form, &Form::textWritten, this, &MainWindow::showFieldText);
    connect(&form, &Form::sumDisplayChanged, this, &MainWindow::showSumDisplay);
    showSumDisplay(form.sumDisplayOn());
}

void MainWindow::bindLists()
{
    Form &form = calculator_.form();
    for (int n = 0; n < kListCount; ++n) {
        const auto id = static_cast<ListId>(n);
        QComboBox *combo = controls_.lists[static_cast<std::size_t>(n)];
        // The same for the text line; the mirror of the core's list blocks the combo's signals
        // while it resets the model, which empties the text line for a moment.
        connect(combo->lineEdit(), &QLineEdit::textChanged, this, [this, id, combo] {
            const QString text = combo->lineEdit()->text();
            if (!combo->signalsBlocked() && text != calculator_.form().listTextLine(id))
                calculator_.editListText(id, text);
        });
        trackShownText(combo->lineEdit(), form.locale());
        // The keys reach the list itself while it has the focus, its text line when sent there.
        keypadDecimal_->watch(combo);
        keypadDecimal_->watch(combo->lineEdit());
        // Choosing a term puts it in the text line: that too is the user's edit. The line shows
        // the chosen term as it shows a term the program writes, which the term is.
        connect(combo, &QComboBox::textActivated, this, [this, id, combo](const QString &text) {
            calculator_.editListText(id, text);
            showWrittenText(combo->lineEdit(), text, false);
        });
        showListEntries(id);
    }
    connect(&form, &Form::listEntriesChanged, this, &MainWindow::showListEntries);
    connect(&form, &Form::listTextLineChanged, this, &MainWindow::showListTextLine);
}

void MainWindow::bindButtons()
{
    using layout::Command;
    for (const BuiltControls::Button &button : controls_.buttons) {
        const int index = button.index;
        switch (button.command) {
        case Command::OkAr:
            connect(button.widget, &QPushButton::clicked, this,
                    [this] { calculator_.pressOkAr(); });
            break;
        case Command::Okab:
            connect(button.widget, &QPushButton::clicked, this,
                    [this] { calculator_.pressOkab(); });
            break;
        case Command::OkGe:
            connect(button.widget, &QPushButton::clicked, this,
                    [this] { calculator_.pressOkGe(); });
            break;
        case Command::OkABg:
            connect(button.widget, &QPushButton::clicked, this,
                    [this] { calculator_.pressOkABg(); });
            break;
        case Command::OkInteres:
            connect(button.widget, &QPushButton::clicked, this,
                    [this, index] { calculator_.pressOkInteres(index); });
            break;
        case Command::None:
            break;
        }
    }
}

void MainWindow::showFieldText(FieldId field)
{
    QLineEdit *edit = controls_.fields[static_cast<std::size_t>(field::number(field))];
    const QString text = calculator_.form().text(field);
    if (edit->text() != text)
        showWrittenText(edit, text, typingIn_ == field::number(field));
}

void MainWindow::showSumDisplay(bool on)
{
    controls_.byName.value(QStringLiteral("Etdescr"))->setEnabled(on);
    controls_.byName.value(QStringLiteral("EtS"))->setEnabled(on);
    setBase(controls_.fields[static_cast<std::size_t>(field::number(field::Idg(5)))],
            on ? fieldBase_ : buttonFace_);
}

void MainWindow::showListEntries(ListId list)
{
    QComboBox *combo = controls_.lists[static_cast<std::size_t>(list)];
    const QStringList &entries = calculator_.form().listEntries(list);
    {
        const QSignalBlocker blocker(combo);
        // One reset of the model, however many terms.
        static_cast<QStringListModel *>(combo->model())->setStringList(entries);
        combo->setCurrentIndex(-1);
    }
    fitDropDown(combo, entries);
    showListTextLine(list);
}

void MainWindow::showListTextLine(ListId list)
{
    QComboBox *combo = controls_.lists[static_cast<std::size_t>(list)];
    const QString &text = calculator_.form().listTextLine(list);
    if (combo->lineEdit()->text() == text)
        return;
    const QSignalBlocker blocker(combo);
    showWrittenText(combo->lineEdit(), text, false);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Idg_Click runs on every press of the primary button in a geometric field, changed or not;
    // focus alone (Tab) runs nothing.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < field::kIdgCount; ++i) {
            if (watched ==
                controls_.fields[static_cast<std::size_t>(field::number(field::Idg(i)))]) {
                calculator_.clickIdg(i);
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tirel
