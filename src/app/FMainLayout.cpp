// The controls of the main window, with the captions, sizes and places of its design.

#include "app/FMain.h"

#include "app/UBannerPanel.h"
#include "ui/THtmlView.h"
#include "ui/UIcons.h"
#include "ui/USkin.h"
#include "ui/UWidgets.h"
#include "workspace/UDayPlanner.h"
#include "workspace/UProjectTree.h"
#include "workspace/UTaskList.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* PictureButton(const char* name, const QIcon& icon, const QString& tip)
{
    auto* button = Named(new QToolButton, name);
    button->setIcon(icon);
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(41, 34);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

void TfrmMain::BuildWindow()
{
    ApplySkin(BuiltInSkin());
    SetCaption(QStringLiteral("Taskwren"));
    resize(ClientWidth, ClientHeight);

    pgcPrinc = Named(new QTabWidget, "pgcPrinc");
    pgcPrinc->tabBar()->hide();
    // The program switches these pages; the keyboard passes them by for their controls.
    pgcPrinc->setFocusPolicy(Qt::NoFocus);
    pgcPrinc->tabBar()->setFocusPolicy(Qt::NoFocus);
    pgcPrinc->setDocumentMode(true);
    stsWelcome = BuildWelcomePage();
    stsMain = BuildMainPage();
    pgcPrinc->addTab(stsWelcome, QString());
    pgcPrinc->addTab(stsMain, QString());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pgcPrinc);

    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(100);
}

QWidget* TfrmMain::BuildWelcomePage()
{
    auto* page = Named(new QWidget, "stsWelcome");
    prfWelcome = Named(new THtmlView(*Options.Browser), "prfWelcome");
    // 7 pixels over the design's 265, the least that keeps its caption off the border.
    btnThanks = TextButton("btnThanks", QStringLiteral("Thanks, just show me the main application"), 272);
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
    layout->addWidget(Banner->BannerPanel());
    layout->addWidget(TaskList->DetailsPanel());
    layout->addWidget(BuildWorkArea(), 1);
    layout->addWidget(Banner->LinksPanel());
    return page;
}

QWidget* TfrmMain::BuildToolBar()
{
    auto* bar = Named(new QWidget, "panToolBar");
    auto* layout = ButtonBar(bar, 43);
    btn1 = TextButton("btn1", QStringLiteral("New Project"), 99);
    btnSave = TextButton("btnSave", QStringLiteral("Save Changes"), 100); // the design's 98 cannot hold it
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

QWidget* TfrmMain::BuildWorkArea()
{
    pgcMain = Named(new QTabWidget, "pgcMain");
    pgcMain->setTabPosition(QTabWidget::South);
    pgcMain->addTab(TaskList->TasksTab(), QStringLiteral("Tasks"));
    pgcMain->addTab(DayPlanner->CalendarTab(), QStringLiteral("Calendar"));

    splMain = Named(new QSplitter(Qt::Horizontal), "splMain");
    splMain->setHandleWidth(10);
    splMain->setChildrenCollapsible(false);
    splMain->addWidget(Tree->Widget());
    splMain->addWidget(pgcMain);
    splMain->setStretchFactor(1, 1);
    return splMain;
}
