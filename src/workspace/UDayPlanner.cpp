#include "workspace/UDayPlanner.h"

#include "common/UUtils.h"
#include "model/UHours.h"
#include "ui/UAnsiText.h"
#include "ui/UDates.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UMessageService.h"
#include "ui/UWidgets.h"
#include "workspace/FHour.h"
#include "workspace/UWorkspace.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

enum TColumn { HourColumn, ActionColumn };

constexpr int HourColumnWidth = 70; // "10:00 AM" in Arial at 14 pixels, with the cell's margins
constexpr int CalendarLeft = 10;
constexpr int CalendarTop = 12;
constexpr int CalendarWidth = 200;
constexpr int CalendarHeight = 150;
constexpr int CalendarGap = 10; // between the calendar and the day list
// The day panel holds "Today" beside the design's two buttons only with narrower gaps.
constexpr int TodayWidth = 45;
constexpr int BarGap = 3;

} // namespace

TDayPlanner::TDayPlanner(TWorkspaceState& state, TWorkspaceServices& services, QObject* parent)
    : QObject(parent)
    , State(state)
    , Services(services)
{
    // The tab's controls are made when it first shows: the month calendar alone took about
    // 5 ms of the start-up, for a tab the first frame does not show.
    stsCalendar = Named(new QWidget, "stsCalendar");
    stsCalendar->installEventFilter(this);
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { RefreshDayActions(); })); // Timer1Timer
}

TDayPlanner::~TDayPlanner() = default;

void TDayPlanner::BuildCalendarTab()
{
    if (calMain != nullptr)
        return;
    calMain = Named(new QCalendarWidget, "calMain");
    calMain->setFixedSize(CalendarWidth, CalendarHeight);
    QFont small = DesignFont(); // six weeks and the day names must fit in 200 by 150
    small.setPixelSize(11);
    calMain->setFont(small);
    calMain->setFirstDayOfWeek(Qt::Sunday);
    calMain->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calMain->setSelectedDate(Services.Today());

    lvwToDo = ReportList("lvwToDo", {QStringLiteral("Hour"), QStringLiteral("Action")});
    lvwToDo->setAccessibleName(QStringLiteral("Hourly actions"));
    lvwToDo->header()->setSectionsClickable(false);
    lvwToDo->setTextElideMode(Qt::ElideNone);
    lvwToDo->header()->resizeSection(HourColumn, HourColumnWidth);
    lvwToDo->header()->setStretchLastSection(true);
    btnEditHour = TextButton("btnEditHour", QStringLiteral("Edit selected action"), 133, 25);
    btnClearHour = TextButton("btnClearHour", QStringLiteral("Clear selected action"), 150, 25);
    btnToday = TextButton("btnToday", QStringLiteral("Today"), TodayWidth, 25);
    ShowKeysInToolTip(btnEditHour, Qt::Key_F2); // and Return, on an hour (lvwToDoKeyDown)
    ShowKeysInToolTip(btnClearHour, Qt::Key_Delete);
    auto* bar = new QWidget;
    auto* barLayout = ButtonBar(bar, 40);
    barLayout->setContentsMargins(2, 0, 1, 0);
    barLayout->setSpacing(BarGap);
    barLayout->addWidget(btnEditHour);
    barLayout->addWidget(btnClearHour);
    barLayout->addWidget(btnToday);
    barLayout->addStretch();

    panDay = Named(new QWidget, "panDay");
    auto* dayLayout = new QVBoxLayout(panDay);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->setSpacing(0);
    dayLayout->addWidget(lvwToDo);
    dayLayout->addWidget(bar);

    auto* calendarColumn = new QVBoxLayout;
    calendarColumn->setContentsMargins(CalendarLeft, CalendarTop, 0, 0);
    calendarColumn->addWidget(calMain);
    calendarColumn->addStretch();
    auto* layout = new QHBoxLayout(stsCalendar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(calendarColumn);
    layout->addStretch();
    layout->addWidget(panDay); // aligned to the right edge

    // The hour list always belongs to the day on screen: it follows every change of the date,
    // not only the timer's next tick.
    connect(calMain, &QCalendarWidget::selectionChanged, this, Guarded([this] { RefreshDayActions(); }));
    connect(calMain, &QCalendarWidget::currentPageChanged, this,
            Guarded([this](int year, int month) { calMainPageChanged(year, month); }));
    connect(lvwToDo, &QTreeWidget::itemDoubleClicked, this, Guarded([this] { btnEditHourClick(); }));
    connect(btnEditHour, &QPushButton::clicked, this, Guarded([this] { btnEditHourClick(); }));
    connect(btnClearHour, &QPushButton::clicked, this, Guarded([this] { btnClearHourClick(); }));
    connect(btnToday, &QPushButton::clicked, this, Guarded([this] { btnTodayClick(); }));
    calMain->installEventFilter(this);
    lvwToDo->installEventFilter(this);

    if (HourRowsWanted)
        AddHourRows();
    Guarded([this] { RefreshDayActions(); })();
    if (Fitted)
        FitDayPanel();
    TakeTabPlace();
    // Made while the tab shows, its controls show only when told, and are placed at once.
    if (stsCalendar->isVisible()) {
        calMain->show();
        panDay->show();
        layout->activate();
    }
}

void TDayPlanner::TakeTabPlace()
{
    // Made after the rest of the window, the controls would come last in its Tab order; they
    // take the tab's place in it, after the last control before the tab.
    if (stsCalendar->isWindow())
        return;
    QWidget* previous = stsCalendar->previousInFocusChain();
    while (previous != stsCalendar && previous->focusPolicy() == Qt::NoFocus)
        previous = previous->previousInFocusChain();
    if (previous == stsCalendar)
        return;
    for (QWidget* control : {static_cast<QWidget*>(calMain), static_cast<QWidget*>(lvwToDo),
                             static_cast<QWidget*>(btnEditHour), static_cast<QWidget*>(btnClearHour),
                             static_cast<QWidget*>(btnToday)}) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void TDayPlanner::FitDayPanel()
{
    Fitted = true;
    if (panDay == nullptr)
        return;
    // The tab set's page stack has the tab's width even while another tab shows.
    const int tabWidth = stsCalendar->parentWidget() != nullptr ? stsCalendar->parentWidget()->width() : 0;
    panDay->setFixedWidth(std::max(0, tabWidth - (CalendarLeft + CalendarWidth + CalendarGap)));
}

void TDayPlanner::StopRefreshing()
{
    Timer1->stop();
}

void TDayPlanner::AddHourRows()
{
    HourRowsWanted = true;
    if (lvwToDo == nullptr)
        return;
    QList<QTreeWidgetItem*> rows;
    for (int row = 1; row <= 24; ++row)
        rows.append(new QTreeWidgetItem({AnsiToQString(HourCaption(row)), QString()}));
    lvwToDo->addTopLevelItems(rows);
}

QDate TDayPlanner::SelectedDate() const
{
    return calMain != nullptr ? calMain->selectedDate() : Services.Today(); // where it will open
}

std::string TDayPlanner::DateText() const
{
    return QStringToAnsi(ShortDateText(calMain->selectedDate()));
}

void TDayPlanner::RefreshDayActions()
{
    if (lvwToDo == nullptr)
        return;
    const std::string date = DateText();
    const THours& hours = *State.Hours;
    const int rows = lvwToDo->topLevelItemCount();
    std::vector<std::string> keys;
    keys.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        keys.push_back(MakeHourKey(date, QStringToAnsi(lvwToDo->topLevelItem(row)->text(HourColumn))));
    // All rows at once, so that the first refresh need not wait for the hours' index.
    std::vector<int> found(keys.size());
    hours.IndexesOf(keys, found);
    for (int row = 0; row < rows; ++row) {
        const int at = found[static_cast<std::size_t>(row)];
        lvwToDo->topLevelItem(row)->setText(
            ActionColumn, at == THours::NotFound ? QString() : AnsiToQString(FlattenLineBreaks(hours[at].Action)));
    }
}

void TDayPlanner::calMainPageChanged(int year, int month)
{
    // The month and year arrows move the date itself, keeping the day where the month has it.
    const QDate selected = calMain->selectedDate();
    const QDate firstOfMonth(year, month, 1);
    const QDate date(year, month, std::min(selected.day(), firstOfMonth.daysInMonth()));
    if (date != selected)
        calMain->setSelectedDate(date);
}

bool TDayPlanner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == stsCalendar && event->type() == QEvent::Show)
        BuildCalendarTab();
    // The pointer entering or leaving the calendar starts the refresh timer for good.
    if (watched == calMain && (event->type() == QEvent::Enter || event->type() == QEvent::Leave))
        Timer1->start();
    if (watched == lvwToDo && event->type() == QEvent::KeyPress)
        return lvwToDoKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QObject::eventFilter(watched, event);
}

bool TDayPlanner::lvwToDoKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Delete:
        Guarded([this] { btnClearHourClick(); })();
        return true;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Guarded([this] { btnEditHourClick(); })();
        return true;
    default:
        return false;
    }
}

int TDayPlanner::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = lvwToDo->selectedItems();
    return selected.isEmpty() ? -1 : lvwToDo->indexOfTopLevelItem(selected.first());
}

void TDayPlanner::btnEditHourClick()
{
    BuildCalendarTab();
    const int row = SelectedRow();
    if (row < 0) {
        Services.Messages.Inform(QStringLiteral("Please select a hour to edit!")); // the program's own wording
        return;
    }
    const QTreeWidgetItem* item = lvwToDo->topLevelItem(row);
    const std::string date = DateText();
    const std::string hour = QStringToAnsi(item->text(HourColumn));
    TfrmHour dialog(Services.Messages, Services.DialogParent);
    dialog.SetHour(date, hour, QStringToAnsi(item->text(ActionColumn)));
    if (Services.Dialogs.Run(dialog)) {
        SetHourAction(*State.Hours, date, hour, dialog.Action());
        emit Edited();
    }
    RefreshDayActions();
}

void TDayPlanner::btnClearHourClick()
{
    BuildCalendarTab();
    const int row = SelectedRow();
    if (row < 0) {
        Services.Messages.Inform(QStringLiteral("Please select an action to delete!"));
        return;
    }
    if (ClearHourAction(*State.Hours, DateText(), QStringToAnsi(lvwToDo->topLevelItem(row)->text(HourColumn)))) {
        emit Edited();
        RefreshDayActions();
    }
}

void TDayPlanner::btnTodayClick()
{
    BuildCalendarTab();
    calMain->setSelectedDate(Services.Today());
}
