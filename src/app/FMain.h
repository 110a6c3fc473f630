#pragma once
// TfrmMain: the main window. It owns the model, the services, the pages and the lifecycle;
// the regions' behaviour lives in panes that it builds and connects.

#include "brand/UBrandSettings.h"
#include "model/TPlannerLoad.h"
#include "model/UDataFiles.h"

#include <QDate>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolButton;
class TBannerPanel;
class TBrowserLauncher;
class TDayPlanner;
class TDialogRunner;
class TFileChooser;
class THtmlView;
class THttpClient;
class TMessagePump;
class TMessageService;
class TNewsPane;
class TPlannerExport;
class TPlannerPrint;
class TPrintChooser;
class TProgramFolder;
class TProgramStarter;
class TProjectTree;
class TSystemLocalClock;
class TTaskList;
struct TWorkspaceServices;
struct TWorkspaceState;

struct TMainWindowOptions {
    // The folder every file of the program lies in: the executable's, or a test's.
    std::filesystem::path ProgramFolder;
    // The message box service; when none is given the window shows real message boxes.
    TMessageService* Messages = nullptr;
    // Runs the modal dialogs; when none is given they run their own modal loops.
    TDialogRunner* Dialogs = nullptr;
    // Opens web addresses; when none is given the desktop's browser does.
    TBrowserLauncher* Browser = nullptr;
    // Asks where an export goes; when none is given, the desktop's save dialog.
    TFileChooser* Files = nullptr;
    // Asks for the printer; when none is given, the print dialog.
    TPrintChooser* Printers = nullptr;
    // Today's date for the dialogs' date fields; when none is given, the system's.
    std::function<QDate()> Today;
    // Reads the branding of this copy; when none is given the window keeps its built-in look.
    std::function<TBrandSettings(const TProgramFolder&)> LoadBrandSettings;
    // The reading of the program folder's data files, when it was begun before the window;
    // else the window begins it.
    std::unique_ptr<TPlannerLoad> Loading;
    // Starts the updater; when none is given it runs as a process of its own.
    TProgramStarter* Updater = nullptr;
    // The update directory, ending with "/"; when none is given, the build's.
    std::string UpdateBaseURL;
    // The program that draws metafile banners; when none is given, the one in the program folder.
    std::filesystem::path PictureHelper;
};

class TfrmMain : public QWidget {
    Q_OBJECT

public:
    explicit TfrmMain(TMainWindowOptions options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    static constexpr int ClientWidth = 772;
    static constexpr int ClientHeight = 566;

    TMessageService& msgMain() { return *Messages; }
    // The one HTTP client for the news service and the update directory.
    THttpClient& IdHTTP1() { return *HttpClient; }

signals:
    // Timer2's one tick after the welcome page is left: the silent news and update check.
    void StartupCheckDue();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    QWidget* BuildWelcomePage();
    QWidget* BuildMainPage();
    QWidget* BuildToolBar();
    QWidget* BuildWorkArea();
    void ConnectHandlers();

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void btnThanksClick();
    void btnSaveClick();
    void btnAboutClick();
    void Timer2Timer();
    // Ctrl+P: the project on the "Tasks" tab, or the day on the "Calendar" tab.
    void Print1Click();

    // Marks the model as differing from the files: the title shows it, and closing asks.
    void MarkEdited();
    // "Save Changes": true when every data file was written; else the user was told why.
    [[nodiscard]] bool SaveChanges();
    // Asks what becomes of unsaved changes before the program closes: true when it may close.
    [[nodiscard]] bool SettleUnsavedChanges();
    void SetCaption(const QString& caption);

    void ShowBranding();
    [[nodiscard]] std::optional<std::string> ReadBrandingFile(std::string_view name) const;
    void ApplySkin(const QString& skin);
    void LoadDataFile(TDataFile file, const std::function<void()>& load);
    void ProcessPendingMessages();

    TMainWindowOptions Options;
    std::unique_ptr<TProgramFolder> Folder;
    std::unique_ptr<TPlannerLoad> Loading; // the data files, read while the window is built
    std::unique_ptr<TMessageService> OwnMessages;
    TMessageService* Messages = nullptr;
    std::unique_ptr<TDialogRunner> OwnDialogs;
    std::unique_ptr<TBrowserLauncher> OwnBrowser;
    std::unique_ptr<TProgramStarter> OwnUpdater;
    std::unique_ptr<TFileChooser> OwnFiles;
    std::unique_ptr<TPrintChooser> OwnPrinters;
    std::unique_ptr<TMessagePump> Pump;
    std::unique_ptr<TSystemLocalClock> Clock;
    std::unique_ptr<THttpClient> HttpClient;
    std::unique_ptr<TWorkspaceState> State;
    std::unique_ptr<TWorkspaceServices> Services;
    std::vector<std::string> NewsList; // the records the news button fetched
    TBrandSettings BrandSettings;
    TUnreadDataFiles UnreadFiles; // kept as they are by "Save Changes"
    bool Shown = false;           // FormShow has run (Qt shows again after a restore)
    bool ShowDone = false;        // FormShow has finished; Timer2 waits for it
    bool WelcomeLeft = false;     // "Thanks" was pressed
    bool ChangesDropped = false;  // "Don't Save" was answered for the changes as they stand

    // The panes, each driving the controls of its region.
    TProjectTree* Tree = nullptr;
    TTaskList* TaskList = nullptr;
    TDayPlanner* DayPlanner = nullptr;
    TBannerPanel* Banner = nullptr;
    TNewsPane* News = nullptr;
    TPlannerExport* Exporter = nullptr;
    TPlannerPrint* Printer = nullptr;

    // The frame's controls, each named as in the window's design.
    QTabWidget* pgcPrinc = nullptr;
    QWidget* stsWelcome = nullptr;
    QWidget* stsMain = nullptr;
    THtmlView* prfWelcome = nullptr;
    QPushButton* btnThanks = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnMakeMoney = nullptr;
    QPushButton* btnAbout = nullptr;
    QToolButton* btnNews = nullptr;
    QToolButton* btnUpdate = nullptr;
    QToolButton* btnHelp = nullptr;
    QSplitter* splMain = nullptr;
    QTabWidget* pgcMain = nullptr;
    QTimer* Timer2 = nullptr;
    QAction* Print1 = nullptr;
};
