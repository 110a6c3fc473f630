// The controls of the main window, with the captions, sizes and places of its design.

#include "app/FMain.h"

#include "ui/TLinkLabel.h"
#include "ui/UIcons.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* TextButton(const char* name, const QString& caption, int width, int height = 20)
{
    auto* button = Named(new QPushButton(caption), name);
    button->setFixedSize(width, height);
    return button;
}

QToolButton* PictureButton(const char* name, const QIcon& icon, const QString& tip)
{
    auto* button = Named(new QToolButton, name);
    button->setIcon(icon);
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(41, 34);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

QTreeWidget* ReportList(const char* name, const QStringList& columns)
{
    auto* list = Named(new QTreeWidget, name);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    list->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"));
    return list;
}

QHBoxLayout* ButtonBar(QWidget* bar, int height)
{
    bar->setFixedHeight(height);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 0, 4, 0);
    return layout;
}

} // namespace

void TfrmMain::BuildWindow()
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(14);
    setFont(arial);
    setWindowTitle(QStringLiteral("Taskwren"));
    resize(ClientWidth, ClientHeight);

    pgcPrinc = Named(new QTabWidget, "pgcPrinc");
    pgcPrinc->tabBar()->hide();
    pgcPrinc->setDocumentMode(true);
    stsWelcome = BuildWelcomePage();
    stsMain = BuildMainPage();
    pgcPrinc->addTab(stsWelcome, QString());
    pgcPrinc->addTab(stsMain, QString());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pgcPrinc);

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(100);
}

QWidget* TfrmMain::BuildWelcomePage()
{
    auto* page = Named(new QWidget, "stsWelcome");
    prfWelcome = Named(new QTextBrowser, "prfWelcome");
    prfWelcome->setReadOnly(true);
    prfWelcome->setOpenLinks(false);
    btnThanks = TextButton("btnThanks", QStringLiteral("Thanks, just show me the main application"), 265);
    btnThanks->setDefault(true);

    auto* bar = new QWidget;
    auto* barLayout = ButtonBar(bar, 39);
    barLayout->addStretch();
    barLayout->addWidget(btnThanks);
    barLayout->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(prfWelcome);
    layout->addWidget(bar);
    return page;
}

QWidget* TfrmMain::BuildMainPage()
{
    auto* page = Named(new QWidget, "stsMain");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolBar());
    layout->addWidget(BuildBannerPanel());
    layout->addWidget(BuildDetailsPanel());
    layout->addWidget(BuildWorkArea(), 1);
    layout->addWidget(BuildLinksPanel());
    return page;
}

QWidget* TfrmMain::BuildToolBar()
{
    auto* bar = Named(new QWidget, "panToolBar");
    auto* layout = ButtonBar(bar, 43);
    btn1 = TextButton("btn1", QStringLiteral("New Project"), 99);
    btnSave = TextButton("btnSave", QStringLiteral("Save Changes"), 98);
    btnMakeMoney = TextButton("btnMakeMoney", QStringLiteral("Make Money"), 113);
    btnAbout = TextButton("btnAbout", QStringLiteral("About"), 85);
    btnNews = PictureButton("btnNews", NewsIcon(), QStringLiteral("Check News"));
    btnUpdate = PictureButton("btnUpdate", UpdateIcon(), QStringLiteral("Check Updates"));
    btnHelp = PictureButton("btnHelp", HelpIcon(), QStringLiteral("Help"));
    for (QWidget* button : {static_cast<QWidget*>(btn1), static_cast<QWidget*>(btnSave),
                            static_cast<QWidget*>(btnMakeMoney), static_cast<QWidget*>(btnAbout)})
        layout->addWidget(button);
    layout->addStretch();
    layout->addWidget(btnNews);
    layout->addWidget(btnUpdate);
    layout->addWidget(btnHelp);
    return bar;
}

QWidget* TfrmMain::BuildBannerPanel()
{
    panBanner = Named(new QFrame, "panBanner");
    panBanner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panBanner->setFixedHeight(65);
    imgBanner = Named(new QLabel(panBanner), "imgBanner");
    imgBanner->setCursor(Qt::PointingHandCursor);
    imgBanner->resize(0, 0);
    gifBanner = Named(new QLabel(panBanner), "gifBanner");
    gifBanner->setCursor(Qt::PointingHandCursor);
    gifBanner->hide();
    return panBanner;
}

QWidget* TfrmMain::BuildDetailsPanel()
{
    auto* panel = Named(new QWidget, "panDetails");
    panel->setFixedHeight(87);
    auto* bevel = new QFrame;
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    lblProjName = Named(new QLabel(QStringLiteral("Project Name:  ")), "lblProjName");
    lblStartDate = Named(new QLabel(QStringLiteral("Start Date:")), "lblStartDate");
    lblEndDate = Named(new QLabel(QStringLiteral("End Date:")), "lblEndDate");
    MainGauge = Named(new QProgressBar, "MainGauge");
    MainGauge->setRange(0, 100);
    MainGauge->setAlignment(Qt::AlignCenter);
    MainGauge->setTextVisible(true);
    MainGauge->setFixedWidth(300);

    auto* grid = new QGridLayout(bevel);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->addWidget(lblProjName, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Progress:")), 1, 0);
    grid->addWidget(MainGauge, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->addWidget(lblStartDate, 0, 3);
    grid->addWidget(lblEndDate, 1, 3);
    grid->setColumnMinimumWidth(3, 160);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(bevel);
    return panel;
}

QWidget* TfrmMain::BuildWorkArea()
{
    grpProjects = Named(new QGroupBox(QStringLiteral("Projects")), "grpProjects");
    grpProjects->setMinimumWidth(10);
    tvwMain = Named(new QTreeWidget, "tvwMain");
    tvwMain->setHeaderHidden(true);
    tvwMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvwMain->setIconSize(QSize(16, 16));
    tvwMain->setContextMenuPolicy(Qt::CustomContextMenu);
    mnuTree = Named(new QMenu(tvwMain), "mnuTree");
    NewCategory1 = Named(mnuTree->addAction(QStringLiteral("New Category")), "NewCategory1");
    mnuTree->addSeparator();
    AddProject1 = Named(mnuTree->addAction(QStringLiteral("New Project")), "AddProject1");
    Rename1 = Named(mnuTree->addAction(QStringLiteral("Edit")), "Rename1");
    Delete1 = Named(mnuTree->addAction(QStringLiteral("Delete")), "Delete1");
    // The tree's editing operations enable these when they are connected.
    for (QAction* item : {NewCategory1, AddProject1, Rename1, Delete1})
        item->setEnabled(false);
    auto* groupLayout = new QVBoxLayout(grpProjects);
    groupLayout->setContentsMargins(4, 4, 4, 4);
    groupLayout->addWidget(tvwMain);

    pgcMain = Named(new QTabWidget, "pgcMain");
    pgcMain->setTabPosition(QTabWidget::South);
    stsTasks = BuildTasksTab();
    stsCalendar = BuildCalendarTab();
    pgcMain->addTab(stsTasks, QStringLiteral("Tasks"));
    pgcMain->addTab(stsCalendar, QStringLiteral("Calendar"));

    splMain = Named(new QSplitter(Qt::Horizontal), "splMain");
    splMain->setHandleWidth(10);
    splMain->setChildrenCollapsible(false);
    splMain->addWidget(grpProjects);
    splMain->addWidget(pgcMain);
    splMain->setStretchFactor(1, 1);
    return splMain;
}

QWidget* TfrmMain::BuildTasksTab()
{
    auto* tab = Named(new QWidget, "stsTasks");
    lvwItems = ReportList("lvwItems",
                          {QStringLiteral("Done"), QStringLiteral("Task Description"), QStringLiteral("Task Notes"),
                           QStringLiteral("Start Date"), QStringLiteral("End Date")});
    QHeaderView* header = lvwItems->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->setSectionResizeMode(3, QHeaderView::Fixed);
    header->setSectionResizeMode(4, QHeaderView::Fixed);
    header->resizeSection(0, 40);
    header->resizeSection(3, 100);
    header->resizeSection(4, 100);

    btnAdd = TextButton("btnAdd", QStringLiteral("Add New Task"), 110, 25);
    btnEdit = TextButton("btnEdit", QStringLiteral("Edit Selected Task"), 133, 25);
    btnRemove = TextButton("btnRemove", QStringLiteral("Remove Selected Task"), 150, 25);
    auto* bar = new QWidget;
    auto* barLayout = ButtonBar(bar, 44);
    barLayout->addWidget(btnAdd);
    barLayout->addWidget(btnEdit);
    barLayout->addWidget(btnRemove);
    barLayout->addStretch();

    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lvwItems);
    layout->addWidget(bar);
    return tab;
}

QWidget* TfrmMain::BuildCalendarTab()
{
    auto* tab = Named(new QWidget, "stsCalendar");
    calMain = Named(new QCalendarWidget, "calMain");
    calMain->setFixedSize(200, 150);
    QFont small = calMain->font(); // six weeks and the day names must fit in 200 by 150
    small.setPixelSize(11);
    calMain->setFont(small);
    calMain->setFirstDayOfWeek(Qt::Sunday);
    calMain->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calMain->setSelectedDate(QDate(2007, 12, 13)); // the calendar's stored start date, not today

    lvwToDo = ReportList("lvwToDo", {QStringLiteral("Hour"), QStringLiteral("Action")});
    lvwToDo->header()->setSectionsClickable(false);
    lvwToDo->setTextElideMode(Qt::ElideNone); // "10:00 AM" just fits its 60 pixels unelided
    lvwToDo->header()->resizeSection(0, 60);
    lvwToDo->header()->setStretchLastSection(true);
    btnEditHour = TextButton("btnEditHour", QStringLiteral("Edit selected action"), 133, 25);
    btnClearHour = TextButton("btnClearHour", QStringLiteral("Clear selected action"), 150, 25);
    auto* bar = new QWidget;
    auto* barLayout = ButtonBar(bar, 40);
    barLayout->addWidget(btnEditHour);
    barLayout->addWidget(btnClearHour);
    barLayout->addStretch();

    panDay = Named(new QWidget, "panDay");
    auto* dayLayout = new QVBoxLayout(panDay);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->setSpacing(0);
    dayLayout->addWidget(lvwToDo);
    dayLayout->addWidget(bar);

    auto* calendarColumn = new QVBoxLayout;
    calendarColumn->setContentsMargins(10, 12, 0, 0);
    calendarColumn->addWidget(calMain);
    calendarColumn->addStretch();
    auto* layout = new QHBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(calendarColumn);
    layout->addStretch();
    layout->addWidget(panDay); // aligned to the right edge; its width is set once at start
    return tab;
}

QWidget* TfrmMain::BuildLinksPanel()
{
    panLinks = Named(new QFrame, "panLinks");
    panLinks->setFixedHeight(36);
    lblLink1URL = Named(new TLinkLabel(QStringLiteral("Google")), "lblLink1URL");
    lblLink2URL = Named(new TLinkLabel(QStringLiteral("Google")), "lblLink2URL");
    lblLink2URL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(panLinks);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(lblLink1URL);
    layout->addStretch();
    layout->addWidget(lblLink2URL);
    return panLinks;
}
