#include "app/UBannerPanel.h"

#include "brand/UBrandRules.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "ondemand/UOnDemand.h"
#include "ui/TLinkLabel.h"
#include "ui/UAnsiText.h"
#include "ui/UBrowserLauncher.h"
#include "ui/UElide.h"
#include "ui/UErrorHandler.h"
#include "ui/UOnDemandLoader.h"
#include "ui/UPictureBounds.h"
#include "ui/UPictureHelper.h"
#include "ui/UWidgets.h"

#include <QBuffer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPushButton>

#include <memory>

namespace {

constexpr int DefaultBannerHeight = 65;
// The picture's top and bottom margin together: the panel is this much higher than it.
constexpr int BannerMargin = 10;
const QString DefaultLinkCaption = QStringLiteral("Google");
const QString DefaultLinkAddress = QStringLiteral("http://www.google.com/");

QImage DecodeStill(TBannerFormat format, const std::string& data, const std::filesystem::path& pictureHelper)
{
    switch (format) {
    case TBannerFormat::Bitmap:
        return DecodeStillWithinBounds(data, "BMP");
    case TBannerFormat::Icon:
        return DecodeStillWithinBounds(data, "ICO");
    case TBannerFormat::Jpeg:
        if (const TOnDemand* functions = OnDemand())
            return functions->DecodeJpeg(data);
        return {}; // the banner hides, as for any picture that cannot be read
    case TBannerFormat::Wmf:
        return DrawMetafile(pictureHelper, "wmf", data);
    case TBannerFormat::Emf:
        return DrawMetafile(pictureHelper, "emf", data);
    case TBannerFormat::Gif:
    case TBannerFormat::Unknown:
        break;
    }
    return {};
}

} // namespace

TBannerPanel::TBannerPanel(TBrowserLauncher& browser, std::filesystem::path pictureHelper, QObject* parent)
    : QObject(parent)
    , Browser(browser)
    , PictureHelper(std::move(pictureHelper))
{
    panBanner = Named(new QFrame, "panBanner");
    panBanner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panBanner->setFixedHeight(DefaultBannerHeight);
    imgBanner = Named(new QLabel(panBanner), "imgBanner");
    imgBanner->resize(0, 0);
    // The animation control takes the picture control's place and size.
    gifBanner = Named(new QLabel(panBanner), "gifBanner");
    gifBanner->setGeometry(imgBanner->geometry());
    gifBanner->hide();
    imgBanner->installEventFilter(this);
    gifBanner->installEventFilter(this);
    panBanner->installEventFilter(this);

    panLinks = Named(new QFrame, "panLinks");
    panLinks->setFixedHeight(36);
    lblLink1URL = Named(new TLinkLabel(DefaultLinkCaption), "lblLink1URL");
    lblLink2URL = Named(new TLinkLabel(DefaultLinkCaption), "lblLink2URL");
    lblLink2URL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (TLinkLabel* label : {lblLink1URL, lblLink2URL}) {
        label->Address = DefaultLinkAddress;
        connect(label, &TLinkLabel::clicked, this, Guarded([this, label] { OpenLink(*label); }));
    }
    auto* layout = new QHBoxLayout(panLinks);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(lblLink1URL);
    layout->addStretch();
    layout->addWidget(lblLink2URL);
}

TBannerPanel::~TBannerPanel() = default;

void TBannerPanel::AttachButtons(QPushButton* makeMoney, QAbstractButton* help)
{
    btnMakeMoney = makeMoney;
    connect(makeMoney, &QAbstractButton::clicked, this, Guarded([this] { btnMakeMoneyClick(); }));
    connect(help, &QAbstractButton::clicked, this, Guarded([this] { btnHelpClick(); }));
}

void TBannerPanel::ShowBranding(const TProgramFolder& folder, const TBrandSettings& settings)
{
    if (!settings.Loaded)
        return;
    AffiliateURL = settings.AffiliateURL;
    AppHelpURL = settings.AppHelpURL;
    if (btnMakeMoney != nullptr)
        SetCaptionCut(*btnMakeMoney, AnsiToQString(MakeMoneyCaption(settings)));
    LoadBanner(folder, settings);
    ShowLinks(settings);
}

void TBannerPanel::LoadBanner(const TProgramFolder& folder, const TBrandSettings& settings)
{
    BannerURL = settings.BannerURL;
    for (QLabel* picture : Pictures()) {
        if (BannerURL.empty())
            picture->unsetCursor();
        else
            picture->setCursor(Qt::PointingHandCursor);
    }
    if (settings.BannerImage.empty() || settings.BannerNumber < 1) {
        panBanner->hide();
        return;
    }
    // The picture is decoded straight from its data file, which keeps its name.
    std::optional<std::string> data;
    try {
        data = folder.ReadFile("banner" + std::to_string(settings.BannerNumber) + ".dat", {}, MaxBrandingFileBytes);
    } catch (const EFileError&) {
        // An unreadable banner is a missing one: branding failures are silent.
    }
    if (!data || !ShowPicture(BannerFormat(settings.BannerImage), *data))
        panBanner->hide();
}

bool TBannerPanel::ShowPicture(TBannerFormat format, const std::string& data)
{
    if (format == TBannerFormat::Gif)
        return ShowAnimation(data);
    const QImage picture = DecodeStill(format, data, PictureHelper);
    if (picture.isNull())
        return false;
    gifBanner->hide();
    imgBanner->setPixmap(QPixmap::fromImage(picture));
    imgBanner->resize(picture.size());
    imgBanner->show();
    panBanner->setFixedHeight(picture.height() + BannerMargin);
    return true;
}

bool TBannerPanel::ShowAnimation(const std::string& data)
{
    if (!GifWithinBounds(data))
        return false;
    auto animation = std::make_unique<QMovie>();
    auto* buffer = new QBuffer(animation.get());
    buffer->setData(data.data(), static_cast<qsizetype>(data.size()));
    buffer->open(QIODevice::ReadOnly);
    animation->setDevice(buffer);
    animation->setFormat("gif");
    if (!animation->isValid() || !animation->jumpToFrame(0) || animation->currentImage().isNull())
        return false;
    const QSize size = animation->currentImage().size();
    Animation = animation.release();
    Animation->setParent(this);
    imgBanner->hide();
    gifBanner->setMovie(Animation);
    gifBanner->resize(size);
    gifBanner->show();
    panBanner->setFixedHeight(size.height() + BannerMargin);
    Animation->start();
    return true;
}

void TBannerPanel::ShowLinks(const TBrandSettings& settings)
{
    panLinks->setVisible(!settings.Link1Caption.empty());
    lblLink1URL->setText(AnsiToQString(settings.Link1Caption));
    lblLink1URL->Address = AnsiToQString(settings.Link1URL);
    lblLink2URL->setText(AnsiToQString(settings.Link2Caption));
    lblLink2URL->Address = AnsiToQString(settings.Link2URL);
    for (TLinkLabel* label : {lblLink1URL, lblLink2URL}) // Tab passes an empty label by
        label->setFocusPolicy(label->text().isEmpty() ? Qt::NoFocus : Qt::TabFocus);
}

void TBannerPanel::CentreBanner()
{
    // Each operand is halved (truncating) before the subtraction.
    for (QLabel* banner : Pictures())
        banner->move(panBanner->width() / 2 - banner->width() / 2, panBanner->height() / 2 - banner->height() / 2);
}

bool TBannerPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The panel of a hidden page is laid out only when the page shows, and follows the
    // window's width from then on.
    if (watched == panBanner && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        CentreBanner();
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == imgBanner)
            imgBannerClick();
        else if (watched == gifBanner)
            gifBannerClick();
    }
    return QObject::eventFilter(watched, event);
}

void TBannerPanel::imgBannerClick()
{
    if (!BannerURL.empty())
        OpenInBrowser(Browser, BannerURL);
}

void TBannerPanel::gifBannerClick()
{
    imgBannerClick();
}

void TBannerPanel::btnMakeMoneyClick()
{
    OpenInBrowser(Browser, AffiliateURL);
}

void TBannerPanel::btnHelpClick()
{
    OpenInBrowser(Browser, AppHelpURL);
}

void TBannerPanel::OpenLink(const TLinkLabel& label)
{
    // A link without an address was dropped from the list; an empty label opens nothing.
    if (!label.Address.isEmpty())
        OpenInBrowser(Browser, QStringToAnsi(label.Address));
}
