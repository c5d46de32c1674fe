// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/about_dialog.h"

#include "tirel_version.h"
#include "window/app_icon.h"
#include "window/fixed_palette.h"
#include "window/fonts.h"
#include "window/layout_table.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace tirel {

namespace {
// Places in twips, relative to the client area.
constexpr int kClientWidthTwips = 5730;
constexpr int kClientHeightTwips = 3555;
const QRect kPicIcon = layout::twipsToPixels(240, 240, 540, 540);
const QRect kLblTitle = layout::twipsToPixels(1050, 135, 2325, 750);
const QRect kLblVersion = layout::twipsToPixels(3540, 360, 1815, 225);
const QRect kLblDescription = layout::twipsToPixels(720, 1305, 4590, 735);
const QRect kLblDisclaimer = layout::twipsToPixels(180, 2745, 2820, 435);
const QRect kCmdOK = layout::twipsToPixels(4245, 2625, 1260, 345);

// The etched separator: a grey line of 1 px over a white line of 2 px.
const QRect kGreyLine{layout::twipsToPixels(90), layout::twipsToPixels(2445),
                      layout::twipsToPixels(5654) - layout::twipsToPixels(90), 1};
const QRect kWhiteLine{layout::twipsToPixels(105), layout::twipsToPixels(2460),
                       layout::twipsToPixels(5654) - layout::twipsToPixels(105), 2};

const QString kCaptionPrefix = QStringLiteral("About ");
const QString kVersionPrefix = QStringLiteral("Version ");

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QFrame *makeLine(QWidget *parent, const char *name, const QRect &place, const QColor &colour)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setGeometry(place);
    QPalette palette = line->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

// A fully transparent icon, so the title bar shows none instead of the application's.
QIcon emptyIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}
} // namespace

AboutWindow::AboutWindow()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    applyFixedPalette(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowIcon(emptyIcon());
    setSizeGripEnabled(false);
    setFixedSize(layout::twipsToPixels(kClientWidthTwips),
                 layout::twipsToPixels(kClientHeightTwips));
    installFontSubstitutions();
    setFont(layoutFont(Face::MsSansSerif, 8.25));

    // The only control that takes the focus, so it is first in the focus order.
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(kCmdOK);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);

    picIcon_ = makeLabel(this, "picIcon", kPicIcon);
    picIcon_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon_->setLineWidth(2);
    picIcon_->setAlignment(Qt::AlignCenter);
    picIcon_->setPixmap(applicationIcon().pixmap(QSize(32, 32)));

    lblTitle_ = makeLabel(this, "lblTitle", kLblTitle);
    lblTitle_->setFont(layoutFont(Face::ComicSansMs, 24, true));
    lblTitle_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(lblTitle_, QColor(0, 0, 192));

    lblVersion_ = makeLabel(this, "lblVersion", kLblVersion);
    lblVersion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QLabel *lblDescription = makeLabel(this, "lblDescription", kLblDescription);
    lblDescription->setFont(layoutFont(Face::MsSansSerif, 9.75));
    lblDescription->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDescription->setWordWrap(true);
    lblDescription->setText(kAboutDescription);
    setTextColour(lblDescription, QColor(0, 64, 0));

    makeLine(this, "Line1(1)", kGreyLine, QColor(128, 128, 128));
    makeLine(this, "Line1(0)", kWhiteLine, QColor(255, 255, 255));

    QLabel *lblDisclaimer = makeLabel(this, "lblDisclaimer", kLblDisclaimer);
    lblDisclaimer->setFont(layoutFont(Face::MsSansSerif, 9.75, true));
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setText(kAboutCredit);
    setTextColour(lblDisclaimer, QColor(0, 0, 255));

    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);

    pinFixedStyle(this);
    Form_Load();
    cmdOK_->setFocus();
}

void AboutWindow::Form_Load()
{
    setWindowTitle(kCaptionPrefix + kAppTitle);
    lblVersion_->setText(kVersionPrefix + QStringLiteral(TIREL_VERSION_STRING));
    lblTitle_->setText(kAppTitle);
}

void AboutWindow::cmdOK_Click()
{
    close();
}

AboutDialog::AboutDialog(QObject *parent) : QObject(parent) {}

AboutDialog::~AboutDialog()
{
    delete window_.data();
}

void AboutDialog::show(const QWidget *over)
{
    if (!window_) {
        window_ = new AboutWindow;
        // Where the user is looking: over the window the command came from, else on the screen.
        const QWidget *from = over ? over->window() : QApplication::activeWindow();
        const QRect area =
            from ? from->frameGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
        window_->move(area.center() - window_->rect().center());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

AboutDialog &frmAbout()
{
    static QPointer<AboutDialog> instance;
    if (!instance)
        instance = new AboutDialog(QCoreApplication::instance());
    return *instance;
}

} // namespace tirel
