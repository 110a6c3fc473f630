#pragma once
// The publisher's advertising on the main page: the banner panel with its still or animated
// picture, the two link labels, and the "Make Money" and "Help" buttons, each opening its
// address in the web browser.

#include <QObject>

#include <array>
#include <filesystem>
#include <string>

class QAbstractButton;
class QFrame;
class QLabel;
class QMovie;
class QPushButton;
class TBrowserLauncher;
class TLinkLabel;
class TProgramFolder;
struct TBrandSettings;
enum class TBannerFormat;

class TBannerPanel : public QObject {
    Q_OBJECT

public:
    // `pictureHelper` is the program that draws metafile banners (see UPictureHelper).
    TBannerPanel(TBrowserLauncher& browser, std::filesystem::path pictureHelper, QObject* parent = nullptr);
    ~TBannerPanel() override;

    // panBanner and panLinks; the caller places them and takes ownership.
    QFrame* BannerPanel() const { return panBanner; }
    QFrame* LinksPanel() const { return panLinks; }
    // The tool bar's "Make Money" and "Help" buttons.
    void AttachButtons(QPushButton* makeMoney, QAbstractButton* help);

    // Shows the chosen banner from "banner" N ".dat", the chosen links, the "Make Money"
    // caption and the buttons' addresses. Settings that were not read leave the built-in
    // look: an empty banner panel and two "Google" links.
    void ShowBranding(const TProgramFolder& folder, const TBrandSettings& settings);

    void imgBannerClick();
    void gifBannerClick();
    void btnMakeMoneyClick();
    void btnHelpClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadBanner(const TProgramFolder& folder, const TBrandSettings& settings);
    // False when the data does not decode in that format.
    bool ShowPicture(TBannerFormat format, const std::string& data);
    bool ShowAnimation(const std::string& data);
    // imgBanner and gifBanner, centred in the banner panel whenever it shows or changes size.
    std::array<QLabel*, 2> Pictures() const { return {imgBanner, gifBanner}; }
    void CentreBanner();
    void ShowLinks(const TBrandSettings& settings);
    void OpenLink(const TLinkLabel& label);

    TBrowserLauncher& Browser;
    std::filesystem::path PictureHelper;
    std::string BannerURL;
    std::string AffiliateURL;
    std::string AppHelpURL;
    QMovie* Animation = nullptr;

    QFrame* panBanner = nullptr;
    QLabel* imgBanner = nullptr;
    QLabel* gifBanner = nullptr;
    QFrame* panLinks = nullptr;
    TLinkLabel* lblLink1URL = nullptr;
    TLinkLabel* lblLink2URL = nullptr;
    QPushButton* btnMakeMoney = nullptr;
};
