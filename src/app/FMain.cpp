#include "app/FMain.h"

#include "app/FAbout.h"
#include "app/UBannerPanel.h"
#include "brand/UBrandRules.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "common/UUtils.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/USaveAll.h"
#include "app/UNewsPane.h"
#include "news/UUpdateAddress.h"
#include "picture/UPictureAnswer.h"
#include "http/UHttp.h"
#include "http/ULocalClock.h"
#include "ui/THtmlView.h"
#include "ui/TQtMessagePump.h"
#include "ui/UAnsiText.h"
#include "ui/UBrowserLauncher.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UFileChooser.h"
#include "ui/UMessageService.h"
#include "ui/UPrintChooser.h"
#include "ui/UProgramStarter.h"
#include "ui/USkin.h"
#include "ui/UWidgets.h"
#include "workspace/UDayPlanner.h"
#include "workspace/UPlannerExport.h"
#include "workspace/UPlannerPrint.h"
#include "workspace/UProjectTree.h"
#include "workspace/UTaskList.h"
#include "workspace/UWorkspace.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int ProjectsWidth = 201;

} // namespace

TfrmMain::TfrmMain(TMainWindowOptions options, QWidget* parent)
    : QWidget(parent)
    , Options(std::move(options))
    , Folder(std::make_unique<TProgramFolder>(Options.ProgramFolder))
    , Pump(std::make_unique<TQtMessagePump>())
    , Clock(std::make_unique<TSystemLocalClock>())
    , HttpClient(std::make_unique<THttpClient>(*Pump, *Clock))
    , State(std::make_unique<TWorkspaceState>())
{
    Loading = Options.Loading != nullptr ? std::move(Options.Loading)
                                         : std::make_unique<TPlannerLoad>(Options.ProgramFolder);
    UseBuiltInLook(); // before any control takes its colours and font
    if (Options.Messages == nullptr)
        OwnMessages = std::make_unique<TQtMessageService>(this);
    Messages = Options.Messages != nullptr ? Options.Messages : OwnMessages.get();
    if (Options.Dialogs == nullptr)
        OwnDialogs = std::make_unique<TQtDialogRunner>();
    if (Options.Browser == nullptr) {
        OwnBrowser = std::make_unique<TDesktopBrowserLauncher>();
        Options.Browser = OwnBrowser.get();
    }
    if (Options.Updater == nullptr) {
        OwnUpdater = std::make_unique<TDetachedProgramStarter>();
        Options.Updater = OwnUpdater.get();
    }
    if (Options.Files == nullptr) {
        OwnFiles = std::make_unique<TQtFileChooser>(this);
        Options.Files = OwnFiles.get();
    }
    if (Options.Printers == nullptr) {
        OwnPrinters = std::make_unique<TQtPrintChooser>(this);
        Options.Printers = OwnPrinters.get();
    }
    if (Options.UpdateBaseURL.empty())
        Options.UpdateBaseURL = DefaultUpdateBaseURL();
    if (!Options.Today)
        Options.Today = [] { return QDate::currentDate(); };
    SetErrorMessageService(Messages);
    Services = std::make_unique<TWorkspaceServices>(TWorkspaceServices{
        *Messages, Options.Dialogs != nullptr ? *Options.Dialogs : *OwnDialogs, Options.Today, this});

    Tree = new TProjectTree(*State, *Services, this);
    TaskList = new TTaskList(*State, *Services, this);
    DayPlanner = new TDayPlanner(*State, *Services, this);
    Exporter = new TPlannerExport(*State, *Services, *Options.Files, this);
    Printer = new TPlannerPrint(*State, *Services, *Options.Printers, this);
    if (Options.PictureHelper.empty())
        Options.PictureHelper = Options.ProgramFolder / PictureHelperName;
    Banner = new TBannerPanel(*Options.Browser, Options.PictureHelper, this);
    News = new TNewsPane(BrandSettings, NewsList,
                         TNewsServices{*Messages, Services->Dialogs, *Options.Browser, *Options.Updater, *Folder,
                                       *HttpClient, *Pump, Options.UpdateBaseURL,
                                       [this] { return SettleUnsavedChanges(); }},
                         this);
    BuildWindow();
    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
    SetErrorMessageService(nullptr);
}

void TfrmMain::ConnectHandlers()
{
    // The tree's choice of project drives the task list.
    connect(Tree, &TProjectTree::ProjectChosen, TaskList, &TTaskList::ShowProjectTasks);
    connect(Tree, &TProjectTree::ProjectPanelCleared, TaskList, &TTaskList::ClearProjectPanel);
    connect(Tree, &TProjectTree::Edited, this, &TfrmMain::MarkEdited);
    connect(TaskList, &TTaskList::Edited, this, &TfrmMain::MarkEdited);
    connect(DayPlanner, &TDayPlanner::Edited, this, &TfrmMain::MarkEdited);
    // The tree's find field marks the matching tasks of the project shown.
    connect(Tree, &TProjectTree::FilterChanged, TaskList, &TTaskList::HighlightMatches);
    connect(Tree, &TProjectTree::ExportRequested, this, Guarded([this] { Exporter->Export(Tree->SelectedScope()); }));
    // Ctrl+P wherever the main page shows; the task list's menu offers it too.
    Print1 = new QAction(QStringLiteral("Print\u2026"), stsMain);
    Print1->setObjectName(QStringLiteral("Print1"));
    Print1->setShortcut(QKeySequence::Print);
    Print1->setShortcutContext(Qt::WindowShortcut);
    stsMain->addAction(Print1);
    TaskList->AddMenuAction(Print1);
    connect(Print1, &QAction::triggered, this, Guarded([this] { Print1Click(); }));
    Tree->AttachNewProjectButton(btn1);
    Banner->AttachButtons(btnMakeMoney, btnHelp);
    News->AttachButtons(btnNews, btnUpdate);
    connect(this, &TfrmMain::StartupCheckDue, News, Guarded([this] { News->StartupCheck(); }));
    connect(btnAbout, &QPushButton::clicked, this, Guarded([this] { btnAboutClick(); }));
    connect(btnThanks, &QPushButton::clicked, this, Guarded([this] { btnThanksClick(); }));
    connect(btnSave, &QPushButton::clicked, this, Guarded([this] { btnSaveClick(); }));
    auto* saveShortcut = new QShortcut(QKeySequence::Save, this);
    connect(saveShortcut, &QShortcut::activated, this, Guarded([this] { btnSaveClick(); }));
    ShowKeysInToolTip(btnSave, QKeySequence::Save);
    auto* thanksShortcut =
        new QShortcut(QKeySequence(Qt::Key_Return), stsWelcome, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(thanksShortcut, &QShortcut::activated, btnThanks, &QPushButton::click);
    connect(Timer2, &QTimer::timeout, this, Guarded([this] { Timer2Timer(); }));
}

// Each start-up step is guarded: one that fails is reported, the others still run and the
// window still opens.
void TfrmMain::LoadDataFile(TDataFile file, const std::function<void()>& load)
{
    Guarded([&] { UnreadFiles.Load(file, load); })();
}

void TfrmMain::FormCreate()
{
    Guarded([this] {
        if (Options.LoadBrandSettings)
            BrandSettings = Options.LoadBrandSettings(*Folder);
    })();
    Guarded([this] { ShowBranding(); })();
    // Without a welcome text there is no welcome page, and nothing of it to polish or lay out.
    if (BrandSettings.WelcomeText.empty()) {
        Timer2->start();
        pgcPrinc->removeTab(pgcPrinc->indexOf(stsWelcome));
        delete stsWelcome;
        stsWelcome = nullptr;
        prfWelcome = nullptr;
        btnThanks = nullptr;
    }
    // The style sheet is matched to the controls while a large planner is still being read.
    ensurePolished();

    State->Hours = Loading->TakeHours();
    LoadDataFile(TDataFile::Hours, [this] { Loading->Finish(TDataFile::Hours); });
    DayPlanner->AddHourRows();
    Guarded([this] { DayPlanner->RefreshDayActions(); })();
    pgcMain->setCurrentWidget(TaskList->TasksTab());
    State->Projects = Loading->TakeProjects();
    LoadDataFile(TDataFile::Categories, [this] { Loading->Finish(TDataFile::Categories); });
    LoadDataFile(TDataFile::Projects, [this] { Loading->Finish(TDataFile::Projects); });
    Loading.reset();
    Guarded([this] { Tree->RebuildTree(""); })();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (Shown) // a restore from minimised shows the window again
        return;
    Shown = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    Guarded([this] { FormShow(); })();
    ShowDone = true; // also after a failed FormShow, so that Timer2 does not wait for ever
}

void TfrmMain::FormShow()
{
    pgcMain->setCurrentWidget(TaskList->TasksTab());
    for (int page = 0; page < pgcPrinc->count(); ++page) {
        pgcPrinc->setCurrentIndex(page);
        ProcessPendingMessages();
    }
    // Every page is laid out now; a splitter takes its pane sizes only then.
    splMain->setSizes({ProjectsWidth, std::max(0, splMain->width() - ProjectsWidth - splMain->handleWidth())});
    // The tab set lays out its pages only while the main page shows.
    ProcessPendingMessages();
    DayPlanner->FitDayPanel();
    pgcPrinc->setCurrentIndex(0);

    if (!BrandSettings.WelcomeText.empty())
        prfWelcome->ShowDocument(AnsiToQString(BrandSettings.WelcomeText));
    // "Thanks" may have been pressed while the pages were being laid out above.
    pgcPrinc->setCurrentWidget(WelcomeLeft ? stsMain : pgcPrinc->widget(0));
    // The keyboard starts at the welcome page's default button, or in the tree.
    if (pgcPrinc->currentWidget() == stsMain)
        Tree->Widget()->setFocus();
    else
        btnThanks->setFocus();
}

// What the branding of this copy changes in the window; without a settings file it keeps
// its built-in look.
void TfrmMain::ShowBranding()
{
    if (!BrandSettings.Loaded)
        return;
    if (const std::string caption = WindowCaption(BrandSettings); !caption.empty())
        SetCaption(AnsiToQString(caption));
    btnNews->setVisible(NewsButtonShown(BrandSettings));
    Banner->ShowBranding(*Folder, BrandSettings);
    if (const auto skinFile = ReadBrandingFile("mainskin.dat"))
        if (const auto skin = SkinFromFile(*skinFile))
            ApplySkin(*skin);
    if (const auto iconFile = ReadBrandingFile("main.ico")) {
        const QIcon icon = IconFromFile(*iconFile);
        if (!icon.isNull()) {
            QApplication::setWindowIcon(icon);
            setWindowIcon(icon);
        }
    }
}

std::optional<std::string> TfrmMain::ReadBrandingFile(std::string_view name) const
{
    try {
        return Folder->ReadFile(name, {}, MaxBrandingFileBytes);
    } catch (const EFileError&) {
        return std::nullopt; // branding failures are silent: the built-in look stays
    }
}

void TfrmMain::ApplySkin(const QString& skin)
{
    // The designed fonts hold under any skin: the skin's are dropped and the design's set
    // again after it. Under a style sheet a widget no longer takes its parent's font, so they
    // are set in the sheet, which also reaches the dialogs opened later.
    setStyleSheet(WithoutFonts(skin) + DesignFonts() + ReportListLines());
    setFont(DesignFont());
}

void TfrmMain::btnThanksClick()
{
    if (WelcomeLeft) // the welcome page is left once; Timer2 is enabled once
        return;
    WelcomeLeft = true;
    pgcPrinc->setCurrentWidget(stsMain);
    Tree->Widget()->setFocus();
    if (!BrandSettings.WelcomeText.empty())
        Timer2->start();
}

void TfrmMain::Timer2Timer()
{
    if (!ShowDone) // the check never runs before the window has been shown
        return;
    Timer2->stop();
    emit StartupCheckDue();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: unsaved changes are settled before anything of the close is done, and
    // "Cancel" leaves the window as it was.
    if (!State->Closing && !SettleUnsavedChanges()) {
        event->ignore();
        return;
    }
    // Closing keeps the change handlers inert for good, whatever a rebuild does to Updating.
    State->Updating = true;
    State->Closing = true;
    DayPlanner->StopRefreshing();
    Timer2->stop();
    News->WindowClosing();
    event->accept();
    FormClose();
}

void TfrmMain::FormClose()
{
    // A request still waiting fails promptly once the events below have run.
    HttpClient->CloseConnection();
    ProcessPendingMessages();
}

void TfrmMain::FormDestroy()
{
    State->Closing = true;
    State->CurrentProject = nullptr;
    NewsList.clear();
    State->Projects.reset();
    State->Hours.reset();
}

void TfrmMain::ProcessPendingMessages()
{
    Pump->Pump();
}

void TfrmMain::btnSaveClick()
{
    static_cast<void>(SaveChanges());
}

bool TfrmMain::SaveChanges()
{
    // What was kept is said also when another file fails to save.
    const auto sayWhatWasKept = [this] {
        if (UnreadFiles.Any())
            msgMain().Warn(AnsiToQString(UnreadFiles.KeptNotice()));
    };
    try {
        SaveAll(*State->Projects, *State->Hours, *Folder, UnreadFiles);
    } catch (...) {
        sayWhatWasKept();
        ReportUnhandledError(std::current_exception());
        return false;
    }
    sayWhatWasKept();
    // A file kept as it was holds none of the changes made to its part.
    if (UnreadFiles.Any())
        return false;
    setWindowModified(false);
    return true;
}

void TfrmMain::MarkEdited()
{
    ChangesDropped = false;
    setWindowModified(true);
}

bool TfrmMain::SettleUnsavedChanges()
{
    if (!isWindowModified() || ChangesDropped)
        return true;
    switch (msgMain().AskToSave(QStringLiteral("Save changes before closing?"))) {
    case TSaveAnswer::Save:
        return SaveChanges();
    case TSaveAnswer::DontSave:
        ChangesDropped = true; // the close that follows, or the updater's, asks no more
        return true;
    case TSaveAnswer::Cancel:
        break;
    }
    return false;
}

void TfrmMain::SetCaption(const QString& caption)
{
    // "[*]" is where the title shows that there are unsaved changes; one in the caption
    // itself is doubled so that it shows as written.
    setWindowTitle(QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) + QStringLiteral("[*]"));
}

void TfrmMain::Print1Click()
{
    if (pgcMain->currentWidget() == DayPlanner->CalendarTab())
        Printer->PrintDay(DayPlanner->SelectedDate());
    else
        Printer->PrintProject(TaskList->ShownProject());
}

void TfrmMain::btnAboutClick()
{
    TfrmAbout about(BrandSettings, this);
    static_cast<void>(Services->Dialogs.Run(about));
}
