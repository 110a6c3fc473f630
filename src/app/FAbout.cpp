#include "app/FAbout.h"

#include "brand/UAppVersion.h"
#include "brand/UBrandRules.h"
#include "brand/UBrandSettings.h"
#include "ui/TElidedLabel.h"
#include "ui/UAnsiText.h"
#include "ui/UWidgets.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// The text box leaves a strip this wide at its panel's right edge.
constexpr int AboutStrip = 19;

QString WithLineFeeds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

TfrmAbout::TfrmAbout(const TBrandSettings& settings, QWidget* parent)
    : QDialog(parent)
{
    // Fixed size, and neither minimise, maximise nor close in the frame: "Ok" closes it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setObjectName(QStringLiteral("frmAbout"));
    BuildWindow();
    FormCreate(settings);
}

void TfrmAbout::BuildWindow()
{
    setFixedSize(ClientWidth, ClientHeight);
    setFont(DesignFont());

    // The publisher's texts are cut to the window's width.
    lblProductName = Named(new TElidedLabel(QString(), this), "lblProductName");
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setStyleHint(QFont::SansSerif);
    nameFont.setPixelSize(11);
    nameFont.setBold(true);
    lblProductName->setFont(nameFont);
    lblProductName->setGeometry(9, 7, ClientWidth - 18, 20);

    lblProductVersion = Named(new QLabel(this), "lblProductVersion");
    lblProductVersion->setGeometry(9, 32, ClientWidth - 18, 20);
    lblCopyright = Named(new TElidedLabel(QString(), this), "lblCopyright");
    lblCopyright->setGeometry(9, 56, ClientWidth - 18, 20);
    // The publisher's texts as written: taken for markup, nested tables in them would stall
    // the window's layout for minutes.
    for (QLabel* label : {lblProductName, lblCopyright})
        label->setTextFormat(Qt::PlainText);

    auto* panel = Named(new QFrame(this), "panAbout");
    panel->setGeometry(8, 88, 348, 71);
    memAbout = Named(new QPlainTextEdit(panel), "memAbout");
    memAbout->setGeometry(0, 0, panel->width() - AboutStrip, panel->height());
    memAbout->setReadOnly(true);
    memAbout->setFrameShape(QFrame::NoFrame);
    memAbout->setFont(DesignFont());
    QPalette black = memAbout->palette();
    black.setColor(QPalette::Text, Qt::black);
    memAbout->setPalette(black);

    editAbout = Named(new QPushButton(QStringLiteral("Ok"), this), "editAbout");
    editAbout->setGeometry(129, 171, 87, 21);
    editAbout->setDefault(true);
    connect(editAbout, &QPushButton::clicked, this, &TfrmAbout::editAboutClick);
}

void TfrmAbout::FormCreate(const TBrandSettings& settings)
{
    const QString name = AnsiToQString(settings.ApplicationName);
    setWindowTitle(QStringLiteral("About ") + name + QStringLiteral("..."));
    lblProductName->setText(name);
    lblProductVersion->setText(QStringLiteral("Product Version: ") + AnsiToQString(std::string(AppVersion)));
    lblCopyright->setText(QStringLiteral("Copyright (c) ") + AnsiToQString(settings.CopyrightYears) + u' ' +
                          AnsiToQString(settings.CopyrightCompany));
    memAbout->setPlainText(WithLineFeeds(AnsiToQString(settings.AboutText)));
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmAbout::editAboutClick()
{
    accept();
}
