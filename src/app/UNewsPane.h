#pragma once
// The publisher's channel on the main window: the news and update buttons, the silent check
// after start with its balloon notice, the news window and the update check.

#include "news/UNewsClient.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QWidget;
class TBalloonHint;
class TBrowserLauncher;
class TDialogRunner;
class THttpClient;
class TMessagePump;
class TMessageService;
class TProgramFolder;
class TProgramStarter;
struct TBrandSettings;

struct TNewsServices {
    TMessageService& Messages;
    TDialogRunner& Dialogs;
    TBrowserLauncher& Browser;
    TProgramStarter& Starter;
    TProgramFolder& Folder;
    THttpClient& Http;
    TMessagePump& Pump;
    std::string UpdateBaseURL; // ends with "/"
    // Asks what becomes of unsaved changes before the updater starts and the window closes;
    // false when the user cancelled or they could not be saved. None: nothing is unsaved.
    std::function<bool()> SettleUnsavedChanges;
};

class TNewsPane : public QObject {
    Q_OBJECT

public:
    // `settings` and `newsList` belong to `window`, which the pane closes to let the updater
    // replace the program's files.
    TNewsPane(const TBrandSettings& settings, std::vector<std::string>& newsList, TNewsServices services,
              QWidget* window);
    ~TNewsPane() override;

    // The tool bar's "Check News" and "Check Updates" buttons.
    void AttachButtons(QAbstractButton* news, QAbstractButton* update);

    void btnNewsClick();
    void btnUpdateClick();
    // The silent check once after start: the newest news, then the updates.
    void StartupCheck();
    void ShowNewsNotice(std::string_view text);
    void CheckForUpdates(bool silent);

    // Closing has begun: a request that returns from now on gives up at once.
    void WindowClosing();

private:
    class TWaitingRequest;

    // Each runs `request` with both buttons disabled; false when the window began closing
    // meanwhile, and the caller must give up.
    template <class Request>
    [[nodiscard]] bool Await(Request&& request);

    void Inform(std::string_view text);
    void Warn(std::string_view text);
    // A question that cannot be shown any more counts as "Cancel".
    [[nodiscard]] bool Confirm(std::string_view text);
    void StartUpdater();
    void UpdateButtons();

    const TBrandSettings& Settings;
    std::vector<std::string>& NewsList;
    TNewsServices Services;
    QWidget* Window;
    TNewsClient Client;
    QPointer<TBalloonHint> Notice; // the window owns it
    QPointer<QAbstractButton> btnNews;
    QPointer<QAbstractButton> btnUpdate;
    int Waiting = 0;
    bool Closing = false;
};
