#include "app/UNewsPane.h"

#include "brand/UAppVersion.h"
#include "brand/UBrandSettings.h"
#include "brand/ULastNewsId.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "app/FNews.h"
#include "news/UNewsEdition.h"
#include "news/UUpdateDescription.h"
#include "news/UUpdateDownload.h"
#include "http/UHttp.h"
#include "ui/TBalloonHint.h"
#include "ui/UAnsiText.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UMessageService.h"
#include "ui/UProgramStarter.h"

#include <QAbstractButton>
#include <QWidget>

namespace {

constexpr std::string_view NoNews = "There's no news for this application!";
constexpr std::string_view NoUpdates = "There's no new updates for this application!";
constexpr std::string_view UpdaterMissing =
    "The updater module is missing. Please reinstall again the current version!";
// A line feed, then a carriage return: the order the message has always had.
constexpr std::string_view CloseToUpdate =
    "To update your software the application will close to\n\rreplace some files. Do you want to update now?";
constexpr std::string_view NewsNotice = "You've Got A Message!\r\n";

} // namespace

// Marks a request as waiting for as long as it lives; the buttons stay off meanwhile. The
// window, and with it the pane, outlives every request: it goes only after the event loop.
class TNewsPane::TWaitingRequest {
public:
    explicit TWaitingRequest(TNewsPane& pane)
        : Pane(pane)
    {
        ++Pane.Waiting;
        Pane.UpdateButtons();
    }
    ~TWaitingRequest()
    {
        --Pane.Waiting;
        Pane.UpdateButtons();
    }
    TWaitingRequest(const TWaitingRequest&) = delete;
    TWaitingRequest& operator=(const TWaitingRequest&) = delete;

    [[nodiscard]] bool GoOn() const { return !Pane.Closing; }

private:
    TNewsPane& Pane;
};

TNewsPane::TNewsPane(const TBrandSettings& settings, std::vector<std::string>& newsList, TNewsServices services,
                     QWidget* window)
    : QObject(window)
    , Settings(settings)
    , NewsList(newsList)
    , Services(std::move(services))
    , Window(window)
    , Client(
          settings,
          [this](const std::string& address, const std::vector<FormField>& fields) {
              return Services.Http.PostForm(address, fields);
          },
          [this](std::string_view message) { Warn(message); })
{
}

TNewsPane::~TNewsPane() = default;

void TNewsPane::AttachButtons(QAbstractButton* news, QAbstractButton* update)
{
    btnNews = news;
    btnUpdate = update;
    connect(news, &QAbstractButton::clicked, this, Guarded([this] { btnNewsClick(); }));
    connect(update, &QAbstractButton::clicked, this, Guarded([this] { btnUpdateClick(); }));
}

template <class Request>
bool TNewsPane::Await(Request&& request)
{
    const TWaitingRequest waiting(*this);
    request();
    return waiting.GoOn();
}

void TNewsPane::btnNewsClick()
{
    NewsList.clear();
    bool listed = false;
    if (const auto edition = NewsEditionOf(Settings)) {
        const bool goOn = Await([&] {
            listed = Client.FetchNewsList(edition->PublisherId, Settings.BranderCode, edition->ProductType,
                                          std::string(NewsTarget), NewsList);
        });
        if (!goOn)
            return;
    }
    if (listed && !NewsList.empty()) {
        TfrmNews news(NewsList, Settings, Client, Services.Folder, Services.Browser, Window);
        static_cast<void>(Services.Dialogs.Run(news));
    } else {
        Inform(NoNews);
    }
}

void TNewsPane::btnUpdateClick()
{
    CheckForUpdates(false);
}

void TNewsPane::StartupCheck()
{
    if (const auto edition = NewsEditionOf(Settings)) {
        bool answered = false;
        std::string newestId;
        std::string newestTitle;
        const bool goOn = Await([&] {
            answered = Client.FetchLastNews(edition->PublisherId, Settings.BranderCode, true, edition->ProductType,
                                            std::string(NewsTarget), newestId, newestTitle);
        });
        if (!goOn)
            return;
        if (answered && NewsIdValue(newestId) > NewsIdValue(LoadLastNewsId(Services.Folder)))
            ShowNewsNotice(std::string(NewsNotice) + newestTitle);
    }
    CheckForUpdates(true);
}

void TNewsPane::ShowNewsNotice(std::string_view text)
{
    if (Closing || btnNews.isNull())
        return;
    // The button's centre, from its parent's coordinates to the screen's.
    const QPoint centre(btnNews->x() + btnNews->width() / 2, btnNews->y() + btnNews->height() / 2);
    const QWidget* parent = btnNews->parentWidget() != nullptr ? btnNews->parentWidget() : Window;
    if (Notice.isNull())
        Notice = new TBalloonHint(Window);
    Notice->ShowAt(AnsiToQString(text), parent->mapToGlobal(centre));
}

void TNewsPane::CheckForUpdates(bool silent)
{
    bool downloaded = false;
    const bool goOn = Await([&] {
        downloaded =
            DownloadFile(Services.Http, Services.Pump, Services.UpdateBaseURL + std::string(UpdateDescriptionName),
                         Services.Folder, UpdateDescriptionName);
    });
    if (!goOn)
        return;
    std::optional<std::string> description;
    if (downloaded) {
        try {
            description = Services.Folder.ReadFile(UpdateDescriptionName);
        } catch (const EFileError&) {
            // A copy that cannot be read announces nothing.
        }
    }
    const std::string announced = description ? AnnouncedVersion(*description) : std::string();
    if (!description || !IsNewerVersion(announced, AppVersion)) {
        if (!silent)
            Inform(NoUpdates);
        return;
    }
    if (Confirm(UpdateOfferQuestion(announced)))
        StartUpdater();
}

void TNewsPane::StartUpdater()
{
    std::optional<std::string> updater;
    try {
        updater = Services.Folder.ExistingName(UpdaterName);
    } catch (const EFileError&) {
        // A folder that cannot be searched holds no updater the program could start.
    }
    if (!updater) {
        Warn(UpdaterMissing);
        return;
    }
    if (!Confirm(CloseToUpdate))
        return;
    // The updater never runs while edits are unsaved.
    if (Services.SettleUnsavedChanges && !Services.SettleUnsavedChanges())
        return;
    const std::vector<std::string> arguments{Services.UpdateBaseURL, std::string(AppVersion), "A"};
    if (!Services.Starter.Start(Services.Folder.PathOf(*updater), arguments)) {
        Warn(UpdaterMissing); // it is there but cannot run: the program stays open
        return;
    }
    Window->close();
}

void TNewsPane::WindowClosing()
{
    Closing = true;
    if (!Notice.isNull())
        Notice->Dismiss();
}

void TNewsPane::Inform(std::string_view text)
{
    if (!Closing)
        Services.Messages.Inform(AnsiToQString(text));
}

void TNewsPane::Warn(std::string_view text)
{
    if (!Closing)
        Services.Messages.Warn(AnsiToQString(text));
}

bool TNewsPane::Confirm(std::string_view text)
{
    return !Closing && Services.Messages.Confirm(AnsiToQString(text));
}

void TNewsPane::UpdateButtons()
{
    for (QAbstractButton* button : {btnNews.data(), btnUpdate.data()})
        if (button != nullptr)
            button->setEnabled(Waiting == 0);
}
