#include "app/FMain.h"

#include "common/UProgramFolder.h"
#include "common/UUtils.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/USaveAll.h"
#include "support/UHttp.h"
#include "support/ULocalClock.h"
#include "ui/TLinkLabel.h"
#include "ui/TQtMessagePump.h"
#include "ui/UAnsiText.h"
#include "ui/UDates.h"
#include "ui/UErrorHandler.h"
#include "ui/UIcons.h"
#include "ui/UMessageService.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

namespace {

constexpr int CalendarLeft = 10;
constexpr int CalendarWidth = 200;
constexpr int CalendarGap = 10;
constexpr int ProjectsWidth = 201;

} // namespace

TfrmMain::TfrmMain(TMainWindowOptions options, QWidget* parent)
    : QWidget(parent)
    , Options(std::move(options))
    , Folder(std::make_unique<TProgramFolder>(Options.ProgramFolder))
    , Pump(std::make_unique<TQtMessagePump>())
    , Clock(std::make_unique<TSystemLocalClock>())
    , HttpClient(std::make_unique<THttpClient>(*Pump, *Clock))
{
    if (Options.Messages == nullptr)
        OwnMessages = std::make_unique<TQtMessageService>(this);
    Messages = Options.Messages != nullptr ? Options.Messages : OwnMessages.get();
    SetErrorMessageService(Messages);

    BuildWindow();
    panBanner->installEventFilter(this);
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
    connect(btnThanks, &QPushButton::clicked, this, Guarded([this] { btnThanksClick(); }));
    connect(btnSave, &QPushButton::clicked, this, Guarded([this] { btnSaveClick(); }));
    auto* saveShortcut = new QShortcut(QKeySequence::Save, this);
    connect(saveShortcut, &QShortcut::activated, this, Guarded([this] { btnSaveClick(); }));
    auto* thanksShortcut =
        new QShortcut(QKeySequence(Qt::Key_Return), stsWelcome, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(thanksShortcut, &QShortcut::activated, btnThanks, &QPushButton::click);
    connect(tvwMain, &QTreeWidget::customContextMenuRequested, this, &TfrmMain::ShowTreeMenu);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { RefreshDayActions(); }));
    connect(Timer2, &QTimer::timeout, this, Guarded([this] { Timer2Timer(); }));
}

void TfrmMain::RunStartupStep(const std::function<void()>& step)
{
    // One step that fails is reported; the others still run and the window still opens.
    Guarded(step)();
}

void TfrmMain::FormCreate()
{
    gifBanner->setGeometry(imgBanner->geometry());
    RunStartupStep([this] {
        if (Options.LoadBrandSettings)
            BrandSettings = Options.LoadBrandSettings(*Folder);
    });
    if (BrandSettings.WelcomeText.empty())
        Timer2->start();
    NewsList = std::make_unique<std::vector<std::string>>();

    // The Calendar tab's width at the window's design size, less the calendar and a gap.
    const int frame = 2 * pgcMain->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int tabWidth = ClientWidth - ProjectsWidth - splMain->handleWidth() - frame;
    panDay->setFixedWidth(std::max(0, tabWidth - (CalendarLeft + CalendarWidth + CalendarGap)));

    Hours = std::make_unique<THours>();
    RunStartupStep([this] { UnreadFiles.Load(TDataFile::Hours, [this] { Hours->LoadHours(*Folder); }); });
    AddHourRows();
    RunStartupStep([this] { RefreshDayActions(); });
    pgcMain->setCurrentWidget(stsTasks);
    Projects = std::make_unique<TProjects>();
    RunStartupStep([this] { UnreadFiles.Load(TDataFile::Categories, [this] { Projects->LoadCategories(*Folder); }); });
    RunStartupStep([this] { UnreadFiles.Load(TDataFile::Projects, [this] { Projects->LoadProjects(*Folder); }); });
    RunStartupStep([this] { RebuildTree(""); });
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
    pgcMain->setCurrentWidget(stsTasks);
    for (int page = 0; page < pgcPrinc->count(); ++page) {
        pgcPrinc->setCurrentIndex(page);
        ProcessPendingMessages();
    }
    pgcPrinc->setCurrentIndex(0);
    // Every page is laid out now; a splitter takes its pane sizes only then.
    splMain->setSizes({ProjectsWidth, std::max(0, splMain->width() - ProjectsWidth - splMain->handleWidth())});

    if (!BrandSettings.WelcomeText.empty()) {
        prfWelcome->setHtml(AnsiToQString(BrandSettings.WelcomeText));
    } else if (stsWelcome != nullptr) {
        pgcPrinc->removeTab(pgcPrinc->indexOf(stsWelcome));
        delete stsWelcome;
        stsWelcome = nullptr;
        prfWelcome = nullptr;
        btnThanks = nullptr;
    }
    // "Thanks" may have been pressed while the pages were being laid out above.
    pgcPrinc->setCurrentWidget(WelcomeLeft ? stsMain : pgcPrinc->widget(0));
    CentreBanner();
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmMain::FormResize()
{
    CentreBanner();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // The banner panel of a hidden page is resized only when the page shows.
    if (watched == panBanner && event->type() == QEvent::Resize)
        CentreBanner();
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::CentreBanner()
{
    // Each operand is halved (truncating) before the subtraction.
    for (QLabel* banner : {imgBanner, gifBanner})
        banner->move(panBanner->width() / 2 - banner->width() / 2, panBanner->height() / 2 - banner->height() / 2);
}

void TfrmMain::btnThanksClick()
{
    if (WelcomeLeft) // the welcome page is left once; Timer2 is enabled once
        return;
    WelcomeLeft = true;
    pgcPrinc->setCurrentWidget(stsMain);
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
    // FormCloseQuery: never refuses and never asks.
    Updating = true;
    Timer1->stop();
    Timer2->stop();
    event->accept();
    FormClose();
}

void TfrmMain::FormClose()
{
    // A request still waiting fails promptly once the events below have run.
    HttpClient->CloseConnection();
    // Unsaved changes are dropped: only "Save Changes" writes the data files.
    ProcessPendingMessages();
}

void TfrmMain::FormDestroy()
{
    CurrentProject = nullptr;
    NewsList.reset();
    Projects.reset();
    Hours.reset();
}

void TfrmMain::ProcessPendingMessages()
{
    Pump->Pump();
}

void TfrmMain::btnSaveClick()
{
    SaveAll(*Projects, *Hours, *Folder, UnreadFiles);
    if (UnreadFiles.Any())
        msgMain().Warn(AnsiToQString(UnreadFiles.KeptNotice()));
}

void TfrmMain::AddHourRows()
{
    for (int row = 1; row <= 24; ++row)
        lvwToDo->addTopLevelItem(new QTreeWidgetItem({AnsiToQString(HourCaption(row)), QString()}));
}

void TfrmMain::RefreshDayActions()
{
    const std::string date = QStringToAnsi(ShortDateText(calMain->selectedDate()));
    for (int row = 0; row < lvwToDo->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = lvwToDo->topLevelItem(row);
        const int found = Hours->IndexOf(date + "-" + QStringToAnsi(item->text(0)));
        item->setText(1,
                      found == THours::NotFound ? QString() : AnsiToQString(FlattenLineBreaks((*Hours)[found].Action)));
    }
}

void TfrmMain::RebuildTree(const std::string& nameToSelect)
{
    Updating = true;
    ClearProjectPanel();
    tvwMain->clear();
    const TTextList& categories = Projects->Categories;
    for (int c = 0; c < categories.Count(); ++c) {
        auto* categoryNode = new QTreeWidgetItem(tvwMain, {AnsiToQString(categories[c])});
        categoryNode->setIcon(0, CategoryPicture());
        for (int p = 0; p < Projects->Count(); ++p) {
            const TProject& project = (*Projects)[p];
            if (project.Category != categories[c])
                continue;
            auto* projectNode = new QTreeWidgetItem(categoryNode, {AnsiToQString(project.Name)});
            projectNode->setIcon(0, ProjectPicture());
            if (!nameToSelect.empty() && project.Name == nameToSelect)
                tvwMain->setCurrentItem(projectNode);
            categoryNode->setExpanded(true);
        }
    }
    Updating = false;
}

void TfrmMain::ShowTreeMenu(const QPoint& position)
{
    // A right click selects the node under the pointer before the menu opens.
    if (QTreeWidgetItem* item = tvwMain->itemAt(position))
        tvwMain->setCurrentItem(item);
    mnuTree->popup(tvwMain->viewport()->mapToGlobal(position));
}

void TfrmMain::ClearProjectPanel()
{
    Updating = true;
    lvwItems->clear();
    lblProjName->setText(QStringLiteral("Project Name:  "));
    lblStartDate->setText(QStringLiteral("Start Date: "));
    lblEndDate->setText(QStringLiteral("End Date: "));
    SetGauge(0, QStringLiteral("0/0 tasks  "));
    Updating = false;
}

void TfrmMain::SetGauge(int percent, const QString& text)
{
    MainGauge->setValue(percent);
    MainGauge->setFormat(text + QStringLiteral("%p%"));
}
