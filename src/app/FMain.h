#pragma once
// TfrmMain: the main window, its two pages, its start-up and its lifecycle.

#include "app/UBrandSettings.h"
#include "model/UDataFiles.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCalendarWidget;
class QFrame;
class QGroupBox;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTextBrowser;
class QTimer;
class QToolButton;
class QTreeWidget;
class TLinkLabel;
class TMessageService;
class THttpClient;
class TMessagePump;
class TSystemLocalClock;
class TProgramFolder;
class TProject;
class TProjects;
class THours;

struct TMainWindowOptions {
    // The folder every file of the program lies in: the executable's, or a test's.
    std::filesystem::path ProgramFolder;
    // The message box service; when none is given the window shows real message boxes.
    TMessageService* Messages = nullptr;
    // Reads the branding of this copy; when none is given the window keeps its built-in look.
    std::function<TBrandSettings(const TProgramFolder&)> LoadBrandSettings;
};

class TfrmMain : public QWidget {
    Q_OBJECT

public:
    explicit TfrmMain(TMainWindowOptions options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    static constexpr int ClientWidth = 772;
    static constexpr int ClientHeight = 566;

    TMessageService& msgMain() { return *Messages; }
    TProgramFolder& ProgramFolder() { return *Folder; }

    // The model, owned by the window for the whole run.
    std::unique_ptr<TProjects> Projects;
    std::unique_ptr<THours> Hours;
    TProject* CurrentProject = nullptr; // the project the task list shows; not an owner
    bool Updating = false;              // keeps the tree and task list change handlers inert
    std::unique_ptr<std::vector<std::string>> NewsList;
    TBrandSettings BrandSettings;
    // The one HTTP client for the news service and the update directory.
    THttpClient& IdHTTP1() { return *HttpClient; }

signals:
    // Timer2's one tick after the welcome page is left: the silent news and update check.
    void StartupCheckDue();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    QWidget* BuildWelcomePage();
    QWidget* BuildMainPage();
    QWidget* BuildToolBar();
    QWidget* BuildBannerPanel();
    QWidget* BuildDetailsPanel();
    QWidget* BuildWorkArea();
    QWidget* BuildTasksTab();
    QWidget* BuildCalendarTab();
    QWidget* BuildLinksPanel();
    void ConnectHandlers();

    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void FormDestroy();
    void btnThanksClick();
    void btnSaveClick();
    void Timer2Timer();

    void AddHourRows();
    void RefreshDayActions();
    void RebuildTree(const std::string& nameToSelect);
    void ClearProjectPanel();
    void SetGauge(int percent, const QString& text);
    void CentreBanner();
    void ProcessPendingMessages();
    void RunStartupStep(const std::function<void()>& step);
    void ShowTreeMenu(const QPoint& position);

    TMainWindowOptions Options;
    std::unique_ptr<TProgramFolder> Folder;
    std::unique_ptr<TMessageService> OwnMessages;
    TMessageService* Messages = nullptr;
    std::unique_ptr<TMessagePump> Pump;
    std::unique_ptr<TSystemLocalClock> Clock;
    std::unique_ptr<THttpClient> HttpClient;
    TUnreadDataFiles UnreadFiles; // kept as they are by "Save Changes"
    bool Shown = false;           // FormShow has run (Qt shows again after a restore)
    bool ShowDone = false;        // FormShow has finished; Timer2 waits for it
    bool WelcomeLeft = false;     // "Thanks" was pressed

    // Controls, each named as in the window's design.
    QTabWidget* pgcPrinc = nullptr;
    QWidget* stsWelcome = nullptr;
    QWidget* stsMain = nullptr;
    QTextBrowser* prfWelcome = nullptr;
    QPushButton* btnThanks = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnMakeMoney = nullptr;
    QPushButton* btnAbout = nullptr;
    QToolButton* btnNews = nullptr;
    QToolButton* btnUpdate = nullptr;
    QToolButton* btnHelp = nullptr;
    QFrame* panBanner = nullptr;
    QLabel* imgBanner = nullptr;
    QLabel* gifBanner = nullptr;
    QLabel* lblProjName = nullptr;
    QLabel* lblStartDate = nullptr;
    QLabel* lblEndDate = nullptr;
    QProgressBar* MainGauge = nullptr;
    QGroupBox* grpProjects = nullptr;
    QTreeWidget* tvwMain = nullptr;
    QMenu* mnuTree = nullptr;
    QAction* NewCategory1 = nullptr;
    QAction* AddProject1 = nullptr;
    QAction* Rename1 = nullptr;
    QAction* Delete1 = nullptr;
    QSplitter* splMain = nullptr;
    QTabWidget* pgcMain = nullptr;
    QWidget* stsTasks = nullptr;
    QWidget* stsCalendar = nullptr;
    QTreeWidget* lvwItems = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnRemove = nullptr;
    QCalendarWidget* calMain = nullptr;
    QWidget* panDay = nullptr;
    QTreeWidget* lvwToDo = nullptr;
    QPushButton* btnEditHour = nullptr;
    QPushButton* btnClearHour = nullptr;
    QFrame* panLinks = nullptr;
    TLinkLabel* lblLink1URL = nullptr;
    TLinkLabel* lblLink2URL = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};
